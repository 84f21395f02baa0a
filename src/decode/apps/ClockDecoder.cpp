// Clock (application 0xDF): time of day, date and refresh requests. Every
// figure is worded from the message bytes, in decimal.
#include "decode/apps/AppDecoders.h"

namespace orvane {
namespace {

// At least two digits, zero-padded; larger values keep all their digits.
std::string TwoDigits(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

// Day of week 0 (Monday) to 6 (Sunday), each name followed by a blank; no
// name for any other value.
const char* DayName(int day) {
    static const char* const kNames[] = {"Monday ", "Tuesday ", "Wednesday ", "Thursday ",
                                         "Friday ", "Saturday ", "Sunday "};
    return (day >= 0 && day <= 6) ? kNames[day] : "";
}

}  // namespace

std::string DecodeClockCommand(DecodeContext& ctx) {
    const int command = ctx.CommandByte;
    const int id = ctx.HasData(1) ? ctx.Data(1) : -1;

    if (command == 0x0D && id == 0x01 && ctx.HasData(5)) {
        std::string out = "Clocks: Time: " + TwoDigits(ctx.Data(2)) + ":" + TwoDigits(ctx.Data(3)) + ":" +
                          TwoDigits(ctx.Data(4)) + " Daylight Savings Offset: ";
        const int offset = ctx.Data(5);
        if (offset == 0xFF)
            out += "Unknown";
        else
            out += std::to_string(offset) + " hour(s)";
        return out;
    }
    if (command == 0x0E && id == 0x02 && ctx.HasData(6)) {
        const int year = ctx.Data(2) * 256 + ctx.Data(3);
        return std::string("Clocks: Date: ") + DayName(ctx.Data(6)) + std::to_string(ctx.Data(5)) + "/" +
               std::to_string(ctx.Data(4)) + "/" + std::to_string(year);
    }
    if (command == 0x11 && id == 0x03) return "Clocks: Request Refresh";

    return "Clocks:  Unknown";
}

}  // namespace orvane

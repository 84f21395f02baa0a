// Network control (application 0xFF): the commands with which installation
// tools make units learn, assign unit addresses, have units locate
// themselves, and request MMI status reports.
#include <string>

#include "decode/AppDirectory.h"
#include "decode/apps/AppDecoders.h"

namespace orvane {
namespace {

// Data bytes 2 to 5 (a serial number) as spaced hex pairs.
std::string SerialText(const DecodeContext& ctx) {
    // MessageHexRange counts from 0: data byte 2 sits at CommandPosition + 2.
    return ctx.MessageHexRange(ctx.CommandPosition + 1, 4);
}

}  // namespace

std::string DecodeNetworkControlCommand(DecodeContext& ctx) {
    auto d = [&](int k) { return ctx.Num(ctx.Data(k)); };
    switch (ctx.CommandByte & 0xFF) {
    case 0x04:
        return "Master Learn, Application " + d(1) + ", " + LearnModeText(ctx.Data(2)) + ", GA " + d(3);
    case 0x0F:
        return "Unit Address Assignment, Manufacturer = " + d(1) + ", Serial No = " + SerialText(ctx) +
               ", Address = " + d(6);
    case 0x13:
        return std::string("Locate Yourself mode ") + (ctx.Data(3) != 0 ? "On" : "Off") + ", by Unit Address " +
               d(2);
    case 0x16:
        return std::string("Locate Yourself mode ") + (ctx.Data(6) != 0 ? "On" : "Off") + ", by Serial Number " +
               SerialText(ctx);
    case 0x1E: return "SB";
    case 0x73:
        if (ctx.Data(1) == 0x07) return "Level MMI Request, Application " + d(2);
        return "Unknown";
    case 0x7A:
    case 0xFA:
        if (ctx.Data(1) == 0xFF) return "Installation MMI Request";
        return "Status MMI Request, Application " + d(1);
    case 0x97: return "HCT";
    default: return "Unknown";
    }
}

}  // namespace orvane

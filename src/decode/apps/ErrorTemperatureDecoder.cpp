// Error reporting (application 0xCE): fault reports, acknowledgements and
// most-severe clears. Temperature broadcast (0x19): room temperatures of
// groups in quarter degrees.
#include <string>

#include "decode/apps/AppDecoders.h"
#include "decode/apps/ErrorText.h"

namespace orvane {

const std::array<SystemCategory, 12> SystemCategoryTable = {{
    {0x5000, "Input:Key Unit"},
    {0x5100, "Input:Telecommand"},
    {0xB000, "BMS:Diagnostic"},
    {0xD000, "Output:LE Mono Dimmer"},
    {0xD100, "Output:TE Mono Dimmer"},
    {0xDD00, "Output:Uni Mono Dimmer"},
    {0xD400, "Output:Relay"},
    {0xD600, "Output:PWM Dimmer"},
    {0xD700, "Output:Sine Dimmer"},
    {0xDA00, "Output:DALI/DSI/Ballast"},
    {0xDB00, "Output:Modular Dimmer"},
    {0xDE00, "Output:Device Controller"},
}};

std::string SystemCategoryText(int key) {
    for (const auto& c : SystemCategoryTable) {
        if (c.key == key) return c.name;
    }
    return "Unknown System Category";
}

int SystemCategoryKey(std::string_view name) {
    for (const auto& c : SystemCategoryTable) {
        if (name == c.name) return c.key;
    }
    return 0;
}

std::string ErrorSeverityText(int severity) {
    switch (severity & 0x07) {
        case 0: return "All OK";
        case 1: return "OK";
        case 2: return "Minor Failure";
        case 3: return "General Failure";
        case 4: return "Extreme Failure";
        default: return "Severity " + std::to_string(severity & 0x07);
    }
}

std::string ErrorFlagsText(int data2) {
    std::string s;
    if (data2 & 0x20) s += "MostRecent, ";
    if (data2 & 0x10) s += "Ack, ";
    if (data2 & 0x08) s += "MostSevere, ";
    if (s.empty()) s = "None, ";
    return s;
}

std::string DecodeErrorReportCommand(DecodeContext& ctx) {
    const int cmd = ctx.CommandByte;
    const char* title = nullptr;
    switch (cmd) {
        case 0x05:
        case 0x15: title = "Error Report: "; break;
        case 0x25: title = "Error Acknowledge: "; break;
        case 0x35: title = "Error Clear_Most_Severe: "; break;
        default: break;
    }
    if (title == nullptr || !ctx.HasData(5)) return "Error: Unknown";

    const int d2 = ctx.Data(2);
    std::string s = title;
    s += SystemCategoryText(ctx.Data(1) * 256 + (d2 & 0xC0));
    s += ", Device ";
    s += ctx.Num(ctx.Data(3));
    if (cmd != 0x35) {
        s += ", ";
        s += ErrorSeverityText(d2);
    }
    s += ", Flags: ";
    s += ErrorFlagsText(d2);
    s += "Data = ";
    s += HexDigitsText(ctx.Data(4) * 256 + ctx.Data(5), 2);
    return s;
}

std::string DecodeTemperatureBroadcastCommand(DecodeContext& ctx) {
    if (ctx.CommandByte != 0x02 || !ctx.HasData(2)) return "Unknown";
    // Quarter degrees to tenths, a half rounded up (away from zero): 21 gives
    // 5.25, read 5.3.
    const int tenths = (ctx.Data(2) * 5 + 1) / 2;
    std::string t = std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    if (t.size() < 4) t.insert(0, 4 - t.size(), ' ');
    return "Temp Brdcst: Grp " + ctx.Num(ctx.Data(1)) + " is at " + t + " C";
}

}  // namespace orvane

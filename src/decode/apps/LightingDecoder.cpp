// Lighting commands, and trigger and enable control, which reuse the
// lighting command bytes with other meanings.
#include "decode/AppDirectory.h"
#include "decode/apps/AppDecoders.h"

namespace orvane {

std::string DecodeLightingCommand(DecodeContext& ctx) {
    const int cmd = ctx.CommandByte;
    const std::string g = ctx.Num(ctx.Data(1));
    std::string phrase = "Unknown";
    if (cmd == 0x01) {
        phrase = "GA " + g + " Off";
    } else if (cmd == 0x02) {
        phrase = "GA " + g + " Set to " + LevelText(ctx.Format, ctx.Data(2));
    } else if (cmd == 0x03) {
        phrase = "Learn " + LearnModeText(ctx.Data(1)) + ", GA " + ctx.Num(ctx.Data(2));
        if ((ctx.Data(1) + ctx.Data(2) + ctx.Data(3)) % 256 != 0) phrase += ", BAD CHECKSUM";
    } else if (cmd == 0x09) {
        phrase = "GA " + g + " Terminate Ramp";
    } else if (cmd == 0x79) {
        phrase = "GA " + g + " On";
    } else if (IsRampCode(cmd)) {
        phrase = "GA " + g + " Ramp to " + LevelText(ctx.Format, ctx.Data(2)) + " at " + RampRateText(cmd) + " rate";
    } else if (cmd >= 0xA0 && cmd <= 0xBF) {
        phrase = "GA " + g + " Label, " + DecodeLabel(ctx);
    }
    if (ctx.OnLighting && *ctx.OnLighting)
        (*ctx.OnLighting)(ctx.Application(), cmd, ctx.Data(1), IsRampCode(cmd) ? ctx.Data(2) : -1);
    return phrase;
}

std::string DecodeControlCommand(DecodeContext& ctx) {
    const int cmd = ctx.CommandByte;
    const std::string g = ctx.Num(ctx.Data(1));
    const std::string v = ctx.Num(ctx.Data(2));
    std::string rest = " - Unknown";
    if (cmd == 0x01)
        rest = "Grp " + g + " Off (0)";
    else if (cmd == 0x02)
        rest = "Grp " + g + " set to " + v;
    else if (cmd == 0x09)
        rest = "Grp " + g + " Scene Indicator Kill";
    else if (cmd == 0x79)
        rest = "Grp " + g + " On (FF)";
    else if (IsRampCode(cmd))
        rest = "Grp " + g + " set to " + v + " over " + RampRateText(cmd) + " - illegal Application Use";
    else if (cmd >= 0xA0 && cmd <= 0xBF)
        rest = "Grp " + g + " Label, " + DecodeLabel(ctx);
    return "Ctrl: " + rest;
}

}  // namespace orvane

// Scene management (application 0xC9): set, fade, turn off, store and edit
// scenes, and discover trigger groups, action selectors and scene names.
#include <string>

#include "decode/apps/AppDecoders.h"
#include "decode/apps/SceneText.h"

namespace orvane {

std::string SceneFadeTimeText(int value) {
    const int v = value & 0xFFFF;
    const int count = v & 0x3FFF;
    switch (v >> 14) {
        case 0: return std::to_string(v) + " sec";
        case 1: return std::to_string(count * 10) + " sec";
        case 2: return std::to_string(count * 60) + " sec";
        default: return "(Invalid Fade time) sec";
    }
}

std::string SceneOptionsText(int options) {
    std::string s = ", Options=";
    s += (options & 0x10) ? "Off+Modify" : "Off-NoModAfter";
    s += (options & 0x08) ? ", Cross-Fade" : ", Normal";
    s += ", Inh:";
    s += std::to_string(options & 0x07);
    return s;
}

std::string SceneIgnoreText(int flags) {
    return (flags & 0x01) ? ", Ignore Levels" : ", Accept Levels";
}

std::string SignedDecimalText(int byte) {
    const int b = byte & 0xFF;
    return std::to_string(b >= 0x80 ? b - 256 : b);
}

namespace {

// Data bytes each known command needs for its phrase; 0 for an unknown one.
int SceneDataNeeded(int command) {
    switch (command) {
        case 0x05: return 5;
        case 0x0D: return 5;
        case 0x14: return 4;
        case 0x3A: return 2;
        case 0x45: return 5;
        case 0x4F: return 7;
        case 0x54: return 4;
        case 0x5A: return 2;
        case 0x79: return 1;
        case 0x7A: return 2;
        case 0x7B: return 3;
        default: return 0;
    }
}

}  // namespace

std::string DecodeSceneCommand(DecodeContext& ctx) {
    const int cmd = ctx.CommandByte;
    std::string s = "Scn: ";
    const int need = SceneDataNeeded(cmd);
    if (need == 0 || !ctx.HasData(need)) {
        s += "Unknown";
        return s;
    }
    auto num = [&ctx](int k) { return ctx.Num(ctx.Data(k)); };
    auto time = [&ctx](int k) { return SceneFadeTimeText(ctx.Data(k) * 256 + ctx.Data(k + 1)); };

    switch (cmd) {
        case 0x05:
            s += "Fade TG=" + num(1) + ", Amount=" + SignedDecimalText(ctx.Data(2)) + "%, Time=" + time(3) +
                 SceneOptionsText(ctx.Data(5));
            break;
        case 0x0D:
            s += "SuperSet TG=" + num(1) + ", AS=" + num(2) + ", Time=" + time(3) + SceneOptionsText(ctx.Data(5));
            break;
        case 0x14:
            s += "Off TG=" + num(1) + ", Time=" + time(2) + SceneOptionsText(ctx.Data(4));
            break;
        case 0x3A:
            s += "SavChngs TG=" + num(1) + ", AS=" + num(2);
            break;
        case 0x45:
            s += "AddGrp TG=" + num(1) + ", AS=" + num(2) + ", UA=" + num(3) + ", GA=" + num(4) + ", Lvl=" + num(5);
            break;
        case 0x4F:
            s += "EditGrp TG=" + num(1) + ", AS=" + num(2) + ", GA=" + num(3) + SceneOptionsText(ctx.Data(4)) +
                 ", Lvl=" + num(5) + ", Time=" + time(6);
            break;
        case 0x54:
            s += "DeleteGrp TG=" + num(1) + ", AS=" + num(2) + ", UA=" + num(3) + ", GA=" + num(4);
            break;
        case 0x5A:
            s += SceneIgnoreText(ctx.Data(1)) + " on UA " + num(2);
            break;
        case 0x79:
            s += "DiscoverTrig Code=" + num(1);
            break;
        case 0x7A:
            s += "DiscoverAS Code=" + num(1) + " TG=" + num(2);
            break;
        case 0x7B:
            s += "DiscoverTags Code=" + num(1) + " TG=" + num(2) + " AS=" + num(3);
            break;
    }
    return s;
}

}  // namespace orvane

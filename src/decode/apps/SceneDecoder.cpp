// Scene management (application 0xC9): set, fade, turn off, store and edit
// scenes, and discover trigger groups, action selectors and scene names.
#include <string>

#include "decode/apps/AppDecoders.h"
#include "decode/apps/SceneText.h"

namespace orvane {

namespace {

template <class... T>
void Cat(std::string& s, const T&... parts) {
    (s.append(parts), ...);
}

void AppendFadeTime(std::string& s, int value) {
    const int v = value & 0xFFFF;
    const int count = v & 0x3FFF;
    switch (v >> 14) {
        case 0: s += std::to_string(v); break;
        case 1: s += std::to_string(count * 10); break;
        case 2: s += std::to_string(count * 60); break;
        default: s += "(Invalid Fade time)"; break;
    }
    s += " sec";
}

void AppendOptions(std::string& s, int options) {
    s += ", Options=";
    s += (options & 0x10) ? "Off+Modify" : "Off-NoModAfter";
    s += (options & 0x08) ? ", Cross-Fade" : ", Normal";
    s += ", Inh:";
    s += static_cast<char>('0' + (options & 0x07));
}

}  // namespace

std::string SceneFadeTimeText(int value) {
    std::string s;
    AppendFadeTime(s, value);
    return s;
}

std::string SceneOptionsText(int options) {
    std::string s;
    AppendOptions(s, options);
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
    std::string s;
    s.reserve(128);
    s += "Scn: ";
    const int need = SceneDataNeeded(cmd);
    if (need == 0 || !ctx.HasData(need)) {
        s += "Unknown";
        return s;
    }
    auto num = [&ctx](int k) { return ctx.Num(ctx.Data(k)); };
    auto time = [&ctx, &s](int k) { AppendFadeTime(s, ctx.Data(k) * 256 + ctx.Data(k + 1)); };

    switch (cmd) {
        case 0x05:
            Cat(s, "Fade TG=", num(1), ", Amount=", SignedDecimalText(ctx.Data(2)), "%, Time=");
            time(3);
            AppendOptions(s, ctx.Data(5));
            break;
        case 0x0D:
            Cat(s, "SuperSet TG=", num(1), ", AS=", num(2), ", Time=");
            time(3);
            AppendOptions(s, ctx.Data(5));
            break;
        case 0x14:
            Cat(s, "Off TG=", num(1), ", Time=");
            time(2);
            AppendOptions(s, ctx.Data(4));
            break;
        case 0x3A:
            Cat(s, "SavChngs TG=", num(1), ", AS=", num(2));
            break;
        case 0x45:
            Cat(s, "AddGrp TG=", num(1), ", AS=", num(2), ", UA=", num(3), ", GA=", num(4), ", Lvl=", num(5));
            break;
        case 0x4F:
            Cat(s, "EditGrp TG=", num(1), ", AS=", num(2), ", GA=", num(3));
            AppendOptions(s, ctx.Data(4));
            Cat(s, ", Lvl=", num(5), ", Time=");
            time(6);
            break;
        case 0x54:
            Cat(s, "DeleteGrp TG=", num(1), ", AS=", num(2), ", UA=", num(3), ", GA=", num(4));
            break;
        case 0x5A:
            Cat(s, (ctx.Data(1) & 0x01) ? ", Ignore Levels" : ", Accept Levels", " on UA ", num(2));
            break;
        case 0x79:
            Cat(s, "DiscoverTrig Code=", num(1));
            break;
        case 0x7A:
            Cat(s, "DiscoverAS Code=", num(1), " TG=", num(2));
            break;
        case 0x7B:
            Cat(s, "DiscoverTags Code=", num(1), " TG=", num(2), " AS=", num(3));
            break;
    }
    return s;
}

}  // namespace orvane

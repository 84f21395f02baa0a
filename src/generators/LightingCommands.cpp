#include "generators/LightingCommands.h"

#include <algorithm>
#include <utility>

namespace orvane {

const std::array<const char*, 16> kLightingRampRateTexts = {
    "instantaneously", "over 4 seconds", "over 8 seconds",   "over 12 seconds",
    "over 20 seconds", "over 30 seconds", "over 40 seconds", "over 1 minute",
    "over 1.5 minutes", "over 2 minutes", "over 3 minutes",  "over 5 minutes",
    "over 7 minutes",  "over 10 minutes", "over 15 minutes", "over 17 minutes",
};

const std::array<const char*, 4> kLightingSpeedTexts = {
    "Slow Speed (3 seconds)",
    "Medium Speed (1 second)",
    "Fast Speed (300 ms)",
    "Full Speed",
};

const std::array<const char*, 3> kLightingCommandTypeTexts = {
    "On & Off",
    "On, Off & Ramp",
    "On, Off, Ramp & Concatenated",
};

int LightingRampByte(int rateIndex) { return 0x02 + 8 * std::clamp(rateIndex, 0, 15); }

int LightingSpeedInterval(int speedIndex) {
    switch (speedIndex) {
        case 0: return 3000;
        case 2: return 300;
        case 3: return 20;
        default: return 1000;
    }
}

int LightingLevelValue(bool percentMode, int selectedIndex) {
    if (selectedIndex < 0) selectedIndex = 0;
    return percentMode ? PercentToLevel(std::min(selectedIndex, 100)) : std::min(selectedIndex, 255);
}

std::string LightingMakeCommandString(const RemoteNetwork& remote, int application, int group, int rateIndex,
                                      int level, LightingCommandKind kind) {
    if (kind == LightingCommandKind::None) return {};
    std::string s = SALHeader(remote, application);
    if (s.empty()) return {};
    const std::string gg = ClampedByteText(group);
    auto learn = [&](int mode) {
        const int g = HexValue(gg);
        return "03" + UpperHex2(mode) + gg + UpperHex2((256 - (mode + g) % 256) % 256);
    };
    switch (kind) {
        case LightingCommandKind::On: return s + "79" + gg;
        case LightingCommandKind::Off: return s + "01" + gg;
        case LightingCommandKind::Ramp: return s + UpperHex2(LightingRampByte(rateIndex)) + gg + ClampedByteText(level);
        case LightingCommandKind::LrnInitRelay: return s + learn(0x01);
        case LightingCommandKind::LrnInitDimmer: return s + learn(0x02);
        case LightingCommandKind::LrnExitRelay: return s + learn(0x81);
        case LightingCommandKind::LrnExitDimmer: return s + learn(0x82);
        case LightingCommandKind::LrnCancel: return s + learn(0x80);
        case LightingCommandKind::None: break;
    }
    return {};
}

std::string LightingTerminateRampString(const RemoteNetwork& remote, int application, int group) {
    std::string s = SALHeader(remote, application);
    if (s.empty()) return {};
    return s + "09" + ClampedByteText(group);
}

std::vector<std::string> LightingAllGroupMessages(const RemoteNetwork& remote, int application, int commandByte) {
    const std::string header = SALHeader(remote, application);
    if (header.empty()) return {};
    const std::string command = UpperHex2(commandByte);
    std::vector<std::string> messages;
    messages.reserve(32);
    for (int b = 0; b < 32; ++b) {
        std::string m = header;
        for (int g = 8 * b; g < 8 * b + 8; ++g) m += command + UpperHex2(g);
        messages.push_back(std::move(m));
    }
    return messages;
}

std::string GetOrvaneCommandDescription(const NumberFormat& fmt, const std::string& groupText,
                                        LightingCommandKind kind, int level) {
    if (kind == LightingCommandKind::On) level = 255;
    else if (kind == LightingCommandKind::Off) level = 0;
    const int percent = LevelToPercent(level);
    const std::string levelWord =
        PercentToLevel(percent) == level ? std::to_string(percent) + "%" : NumberString(fmt, level);
    return "GA" + groupText + " " + levelWord;
}

std::string LightingApplicationWarningText(const NumberFormat& fmt) {
    return "Use of Application Addresses outside the range " + NumberString(fmt, 48) + " to " +
           NumberString(fmt, 127) + " may cause undesirable effects.\n\r" +
           "Click Ignore to stop this message from displaying again.";
}

std::string LightingRandomMessage(const RemoteNetwork& remote, const LightingRandomSettings& settings,
                                  std::mt19937& rng) {
    auto draw = [&rng](int a, int b) {
        if (a > b) std::swap(a, b);
        return std::uniform_int_distribution<int>(a, b)(rng);
    };
    const int n = settings.type == LightingRandomType::OnOffRampConcatenated ? draw(1, 4) : 1;
    const int application = draw(settings.firstApplication, settings.lastApplication);
    std::string s = SALHeader(remote, application);
    if (s.empty()) return {};
    const int kinds = settings.type == LightingRandomType::OnOff ? 2 : 5;
    for (int i = 0; i < n; ++i) {
        const int kind = draw(0, kinds - 1);
        const std::string gg = ClampedByteText(draw(settings.firstGroup, settings.lastGroup));
        switch (kind) {
            case 0: s += "79" + gg; break;
            case 1: s += "01" + gg; break;
            case 2: s += "02" + gg + UpperHex2(draw(0, 254)); break;
            case 3: s += "0A" + gg + UpperHex2(draw(0, 254)); break;
            default: s += "12" + gg + UpperHex2(draw(0, 254)); break;
        }
    }
    return s;
}

LightingTickAction LightingRunTick(bool fullSpeed, bool& sendConfirmed, int& confirmWaitTicks) {
    if (!fullSpeed) return LightingTickAction::Send;
    if (!sendConfirmed) {
        if (confirmWaitTicks < kLightingConfirmWaitLimit) {
            ++confirmWaitTicks;
            return LightingTickAction::Wait;
        }
        confirmWaitTicks = 0;
        return LightingTickAction::TimedOut;
    }
    confirmWaitTicks = 0;
    sendConfirmed = false;
    return LightingTickAction::Send;
}

}  // namespace orvane

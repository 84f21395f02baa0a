// The audio application: the lighting command set on a group address that
// names a multiplexer, a zone and a zone function, plus special groups for
// the audio controller's requests, reports and channel settings.
#include <string>

#include "decode/AppDirectory.h"
#include "decode/apps/AppDecoders.h"
#include "decode/apps/AudioText.h"

namespace orvane {

const std::array<AudioNamedValue, 5> AudioMuteLevels{{
    {0, "Amp Off"},
    {2, "Preamp Only"},
    {5, "Preamp Only, Preset Level"},
    {7, "Preset Level"},
    {255, "All On"},
}};

const std::array<AudioNamedValue, 7> AudioControlFunctions{{
    {0, "Button 2 Pressed"},
    {2, "Next Channel"},
    {5, "Previous Channel"},
    {12, "DAD Input"},
    {15, "TOSLINK Input"},
    {17, "Next Language"},
    {255, "Button 3 Pressed"},
}};

namespace {

constexpr int kOff = 0x01;
constexpr int kTerminateRamp = 0x09;
constexpr int kOn = 0x79;
constexpr int kSetLevel = 0x02;  // the ramp code with rate 0s

const char* FindNamed(const auto& table, int value) {
    for (const auto& entry : table) {
        if (entry.value == value) return entry.text;
    }
    return nullptr;
}

bool IsLabelCommand(int command) { return command >= 0xA0 && command <= 0xBF; }

// The level wording of a zone function (kind as AudioParameterText takes it),
// for Off, On, Terminate Ramp and the ramp commands; empty for any other.
std::string LevelPhrase(const DecodeContext& ctx, int kind, bool withRates) {
    const int command = ctx.CommandByte;
    if (command == kOff) return "Off";
    if (command == kTerminateRamp) return "Terminate Ramp";
    if (command == kOn) return "On";
    if (!IsRampCode(command) || !ctx.HasData(2)) return {};
    const std::string value = AudioParameterText(ctx.Data(2), kind);
    if (withRates && command != kSetLevel) {
        return "Ramp to " + value + " at " + RampRateText(command) + " rate";
    }
    return "Set to " + value;
}

// A control function group: buttons and channel stepping travel as levels;
// only a plain level setting is a proper use.
std::string ControlPhrase(const DecodeContext& ctx) {
    const int command = ctx.CommandByte;
    if (command == kOff) return "Button 2 Pressed";
    if (command == kOn) return "Button 3 Pressed";
    if (command == kTerminateRamp) return "Control Function Terminate Ramp -- illegal Application Use";
    if (!IsRampCode(command) || !ctx.HasData(2)) return {};
    const std::string value = AudioControlFunctionText(ctx.Format, ctx.Data(2));
    if (command == kSetLevel) return value;
    return "Ramp to " + value + " at " + RampRateText(command) + " rate -- illegal Application Use";
}

std::string ZoneGroupPhrase(const DecodeContext& ctx, int group) {
    std::string out = AudioZoneWords(group) + ", ";
    const int function = group & 7;
    switch (function) {
    case 5:
        // The mute state is the level byte whatever the command; a command
        // without one says nothing about the mute state.
        out += ctx.HasData(2) ? AudioMuteLevelText(ctx.Format, ctx.Data(2)) : std::string("Unknown");
        break;
    case 6:
        out += ControlPhrase(ctx);
        break;
    default:
        out += AudioFunctionName(function);
        out += ' ';
        out += LevelPhrase(ctx, function, true);
        break;
    }
    return out;
}

// The groups from 0xC0 on. Those that carry a zone (and a three-bit value)
// in the level byte read "Unknown" when the command holds no level byte.
std::string SpecialGroupPhrase(const DecodeContext& ctx, int group) {
    const int command = ctx.CommandByte;
    if (group >= AudioGroupPaInterrupt0 && group <= AudioGroupPaInterrupt0 + 2) {
        return "Mux " + std::to_string(group - AudioGroupPaInterrupt0) + ", All Zones, Set Channel " +
               std::to_string((command >> 3) & 7) + ", Volume " + LevelPhrase(ctx, 1, false);
    }
    if (group == AudioGroupGlobalStatusRequest) return "Global Status Request";
    if (group == AudioGroupGlobalAmpOff) {
        const bool off = command == kOff || (IsRampCode(command) && ctx.HasData(2) && ctx.Data(2) == 0);
        return off ? "Global Amplifier Off Command" : "Non-Zero Level on Global Amplifier Off Group, IGNORED";
    }

    const bool zoneGroup = group == AudioGroupZoneTagRequest || group == AudioGroupChannelTagsRequest ||
                           (group >= AudioGroupErrorReport && group <= AudioGroupSetMuxChannel);
    if (!zoneGroup || !ctx.HasData(2)) return "Unknown";

    const int zoneByte = ctx.Data(2);
    const int value = zoneByte & 7;
    const std::string zone = AudioZoneWords(zoneByte);
    switch (group) {
    case AudioGroupZoneTagRequest:
        return zone + ", Zone Identifier String Request";
    case AudioGroupChannelTagsRequest:
        return zone + ", Channel and Button Strings Request";
    case AudioGroupErrorReport:
        return zone + ", " + (value == 0 ? std::string("Overtemp Error") : "Error Code " + std::to_string(value));
    case AudioGroupInputSourceRequest:
        return zone + ", Channel Request";
    case AudioGroupSetAmpChannel:
        return zone + ", Set Amp Channel " + std::to_string(value) + ", Preamp Gain " +
               AudioPreampGainText((command >> 3) & 7);
    case AudioGroupSetMuxChannel:
        return zone + ", Set Mux Channel " + std::to_string(value) + ", " +
               AudioLabelSuppressionText((command & 0x08) != 0);
    default:
        return "Unknown";
    }
}

}  // namespace

std::string AudioZoneWords(int byte) {
    return "Mux " + std::to_string((byte >> 6) & 3) + ", Zone " + std::to_string((byte >> 3) & 7);
}

const char* AudioFunctionName(int function) {
    static constexpr const char* kNames[8] = {"Timer", "Volume", "Balance", "Bass",
                                              "Treble", "Mute", "Control Function", "UNUSED"};
    return kNames[function & 7];
}

std::string AudioMuteLevelText(const NumberFormat& fmt, int level) {
    if (const char* text = FindNamed(AudioMuteLevels, level)) return text;
    return "Unknown Mute Level " + LevelText(fmt, level);
}

std::string AudioControlFunctionText(const NumberFormat& fmt, int value) {
    if (const char* text = FindNamed(AudioControlFunctions, value)) return text;
    return "Unknown Control Function " + LevelText(fmt, value);
}

const char* AudioLabelKindText(int kind) {
    static constexpr const char* kKinds[4] = {"Room", "Source", "Button 2", "Button 3"};
    kind &= 7;
    return kind < 4 ? kKinds[kind] : "Unused Label";
}

const char* AudioPreampGainText(int gain) {
    static constexpr const char* kGains[kAudioPreampGainCount] = {"0 dB", "+6 dB", "+3 dB", "-3 dB", "-6 dB"};
    return (gain >= 0 && gain < kAudioPreampGainCount) ? kGains[gain] : "Unsupported Value";
}

const char* AudioLabelSuppressionText(bool suppress) {
    return suppress ? "Suppress Labels" : "Don't Suppress Labels";
}

std::string DecodeAudioCommand(DecodeContext& ctx) {
    std::string out = "TZL: ";
    // Every audio command addresses a group; one that carries none is not
    // an audio command.
    if (!ctx.HasData(1)) return out + "Unknown";
    const int group = ctx.Data(1);

    if (IsLabelCommand(ctx.CommandByte)) {
        out += AudioZoneWords(group);
        out += ", Label ";
        out += AudioLabelKindText(group & 7);
        out += ", ";
        out += DecodeLabel(ctx);
        return out;
    }
    if (group <= 0xBF) return out + ZoneGroupPhrase(ctx, group);
    return out + SpecialGroupPhrase(ctx, group);
}

}  // namespace orvane

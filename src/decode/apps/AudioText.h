// Wording of the audio application's group structure: zone groups, mute
// levels, control functions, label kinds and the master's channel settings.
// Shared by the audio decoder and the audio command tabs.
#pragma once

#include <array>
#include <string>

#include "decode/Hex.h"

namespace orvane {

// Audio application number.
constexpr int kAudioApplication = 0xCD;

// Special groups (group address 0xC0 and above).
enum AudioGroup : int {
    AudioGroupPaInterrupt0 = 0xC0,  // 0xC0 + multiplexer, 0 to 2
    AudioGroupZoneTagRequest = 0xE0,
    AudioGroupChannelTagsRequest = 0xE2,
    AudioGroupGlobalStatusRequest = 0xE3,
    AudioGroupGlobalAmpOff = 0xE5,
    AudioGroupErrorReport = 0xE6,
    AudioGroupInputSourceRequest = 0xE7,
    AudioGroupSetAmpChannel = 0xE8,
    AudioGroupSetMuxChannel = 0xE9,
};

// A zone group: multiplexer in bits 7-6, zone in bits 5-3, function in 2-0.
inline int AudioZoneGroup(int mux, int zone, int function) {
    return ((mux & 3) << 6) | ((zone & 7) << 3) | (function & 7);
}

// "Mux m, Zone z" of a group or zone byte; both numbers always decimal.
std::string AudioZoneWords(int byte);

// Function names of a zone group's low three bits: "Timer" .. "UNUSED".
const char* AudioFunctionName(int function);

struct AudioNamedValue {
    int value;
    const char* text;
};
// Mute levels in the order the slave tab lists them.
extern const std::array<AudioNamedValue, 5> AudioMuteLevels;
// Control function values.
extern const std::array<AudioNamedValue, 7> AudioControlFunctions;

// The phrase of a mute level; an unlisted level reads "Unknown Mute Level "
// and its LevelText.
std::string AudioMuteLevelText(const NumberFormat& fmt, int level);
// The phrase of a control function value; an unlisted value reads
// "Unknown Control Function " and its LevelText.
std::string AudioControlFunctionText(const NumberFormat& fmt, int value);

// Label kinds of a label group's low three bits.
const char* AudioLabelKindText(int kind);

// Preamplifier gain settings 0..7 ("0 dB" .. "-6 dB", then
// "Unsupported Value"); the first five are the master tab's gain list.
const char* AudioPreampGainText(int gain);
constexpr int kAudioPreampGainCount = 5;

const char* AudioLabelSuppressionText(bool suppress);

}  // namespace orvane

// The directory of application numbers and the value wording shared by
// several decoders and generators.
#pragma once

#include <array>
#include <string>
#include <utility>

#include "decode/Hex.h"

namespace orvane {

std::string ApplicationName(const NumberFormat& fmt, int application);
std::string LevelText(const NumberFormat& fmt, int level);
std::string LearnModeText(int mode);
std::string AudioParameterText(int value, int kind);

struct RampRate {
    int code;
    const char* text;
};
extern const std::array<RampRate, 16> RampRateTable;
// The rate text of a ramp command byte, or nullptr when it is not one.
const char* RampRateText(int code);
// True for the sixteen ramp codes (bits 7, 2, 1, 0 read 0, 0, 1, 0).
inline bool IsRampCode(int code) { return (code & 0x87) == 0x02; }

// The "Application Support..." text.
std::string ApplicationSupportText(const NumberFormat& fmt);

}  // namespace orvane

// Value wording of the scene management commands (application 0xC9),
// shared by the scene decoder and the scene generator.
#pragma once

#include <string>

namespace orvane {

// The 16-bit fade time field: bits 14-15 the unit (seconds, tens of seconds,
// minutes, invalid), bits 0-13 the count. Always decimal.
std::string SceneFadeTimeText(int value);
// ", Options=" followed by the modify flag, the fade kind and the inhibit
// number of a scene options byte.
std::string SceneOptionsText(int options);
// ", Ignore Levels" or ", Accept Levels" by bit 0 of the flags byte.
std::string SceneIgnoreText(int flags);
// A byte taken as signed (-128 to 127), always decimal.
std::string SignedDecimalText(int byte);

}  // namespace orvane

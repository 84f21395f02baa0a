// Reading the replies of a request: the reply pattern rule and the smart-mode
// header that wraps replies to point-to-point commands.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interface/InterfaceState.h"

namespace orvane {

// True when text fits pattern: "?" matches any character; a "*" as the last
// character lets the text run on after the characters before it (elsewhere
// "*" is an ordinary character); otherwise the lengths must be equal. Case
// counts. An empty pattern matches nothing.
bool StringsMatch(std::string_view pattern, std::string_view text);

// The header that replies to command carry in smart mode, or nothing when the
// replies arrive bare. Present when SMART is on and either IDMON is on or the
// command is not for the local interface. Empty text while the interface's
// address is unknown. Classifying the command follows IsToLocalPCI, so it may
// update the state's RoutePrefix.
std::optional<std::string> SmartReplyHeader(InterfaceState& state, std::string_view command);

// A collected line with its smart header removed, or nothing when it does not
// carry the expected header (the line is skipped). A line of one character or
// less comes back empty.
std::optional<std::string> StripSmartHeader(std::string_view line, std::string_view header);

}  // namespace orvane

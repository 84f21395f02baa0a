// What the system knows about the attached interface and how it follows it:
// the local-interface test with its route tracking, the option tracking of
// every sent string, the version number and the readers of the model replies.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "interface/InterfaceState.h"

namespace orvane {

// The canonical local form of command ("06", the interface's address, "00",
// the CAL bytes) when it is addressed to the local interface, else empty.
// Keeps RoutePrefix as the destination most recently addressed.
std::string IsToLocalPCI(InterfaceState& state, std::string_view command);

// Follows resets, mode changes and option writes in a string about to be
// written to the link (checksum and acknowledgement character included,
// carriage return not), and sets LastSentToLocalPci.
void CheckInterfaceOptions(InterfaceState& state, std::string_view command);

// The version number of a version text: major * 256 + minor, both read as
// hex digits ("4.10.00" gives 0x410, "3.12" 0x312, "" 0).
int ExtractVersion(std::string_view text);

// The value of a parameter recall reply ("82" + parameter + value): the hex
// digits at characters 5-6, 0 when there are none.
int ReplyParameterValue(std::string_view reply);
// The version text of an identify reply ("8902" + seven bytes of text):
// fourteen characters from character 5 as text, trimmed.
std::string ReplyVersionText(std::string_view reply);

// The interface parameters read at connect time, in their order, with the
// field of InterfaceState that each fills.
struct ParameterRead {
    int parameter;
    const char* command;  // recall command, "1A" + parameter + "01"
    const char* pattern;  // reply pattern
    int InterfaceState::*field;
};
extern const std::array<ParameterRead, 7> kModelParameterReads;

// The identify request for the version text and its reply pattern.
inline constexpr const char* kVersionRequest = "2102";
inline constexpr const char* kVersionReplyPattern = "8902*";

// Sets the fields GetPCIModel sets when no version is known (no interface
// answered): address 0 and every option field 0.
void ClearModel(InterfaceState& state);

}  // namespace orvane

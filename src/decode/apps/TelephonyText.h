// Wording of the telephony application's call kinds and failure reasons.
#pragma once

namespace orvane {

// The kind of call of a line off hook report (0x01 incoming voice ...
// 0x30 outgoing other); "Unknown 02 cmd" for any other value.
const char* OffHookKindText(int kind);
// The reason of a dial out failure (1 no dial tone ... 5 number busy);
// "Unknown 0A03 cmd" for any other value.
const char* DialOutFailureText(int reason);

}  // namespace orvane

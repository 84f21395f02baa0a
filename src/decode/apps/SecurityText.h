// Wording of the security application's commands: panel events, requests,
// zone states, arming modes and keypad keys. Shared by the security decoder
// and the security command tabs.
#pragma once

#include <array>
#include <string>

namespace orvane {

// Security application number.
constexpr int kSecurityApplication = 0xD0;

struct SecurityNamedValue {
    int value;
    const char* text;
};

// Arming modes of "Arm System" (identifier 0xA2), in the order the slave
// tab lists them.
extern const std::array<SecurityNamedValue, 5> SecurityArmModes;

// Phrases by identifier for the command bytes 0x01 (event cleared or system
// disarmed), 0x79 (event raised) and 0x09 (delays, status report
// requests); nullptr for an identifier the command byte does not use.
const char* SecurityClearedText(int identifier);
const char* SecurityRaisedText(int identifier);
const char* SecurityRequestText(int identifier);

// Armed state of command 0x7A, identifier 0x80.
const char* SecurityArmedStateText(int state);

// "Emulate Keypad : " and the key's name or character ("#" and the code in
// decimal for a key without either).
std::string SecurityKeypadText(int key);

}  // namespace orvane

// The security application: an alarm panel's states and events, zone states,
// status reports, zone names and display messages, and the keypad units'
// requests. Every command is a command byte, a message identifier and its
// parameters; all numbers are worded in decimal.
#include <string>

#include "decode/apps/AppDecoders.h"
#include "decode/apps/SecurityText.h"

namespace orvane {

const std::array<SecurityNamedValue, 5> SecurityArmModes{{
    {1, "Away Mode"},
    {2, "Night (Home) Mode"},
    {3, "Day Mode"},
    {4, "Vacation Mode"},
    {0xFF, "Highest Level"},
}};

namespace {

constexpr SecurityNamedValue kCleared[] = {
    {0x80, "System Disarmed"},
    {0x83, "Alarm Off"},
    {0x84, "Tamper Off"},
    {0x85, "Panic Off"},
    {0x8B, "Battery OK"},
    {0x91, "Mains Restored"},
    {0x94, "Line Cut Alarm Cleared"},
    {0x95, "Arm Failed Cleared"},
    {0x96, "Fire Alarm Cleared"},
    {0x97, "Gas Alarm Cleared"},
    {0x98, "Other Alarm Cleared"},
    {0xA3, "Drop Tamper"},
};

constexpr SecurityNamedValue kRaised[] = {
    {0x83, "Alarm On"},
    {0x84, "Tamper On"},
    {0x85, "Panic On"},
    {0x8B, "Battery Low"},
    {0x91, "Mains Failure"},
    {0x92, "Arm OK"},
    {0x94, "Line Cut Alarm Raised"},
    {0x95, "Arm Failed Raised"},
    {0x96, "Fire Alarm Raised"},
    {0x97, "Gas Alarm Raised"},
    {0x98, "Other Alarm Raised"},
    {0xA3, "Raise Tamper"},
    {0xA4, "Raise Alarm"},
};

constexpr SecurityNamedValue kRequests[] = {
    {0x81, "Exit Delay Started"},
    {0x82, "Entry Delay Started"},
    {0xA0, "Status Report 1 Request"},
    {0xA1, "Status Report 2 Request"},
};

constexpr SecurityNamedValue kKeys[] = {
    {0x0D, "Enter"},
    {0x80, "Shift"},
    {0x81, "Panic"},
    {0x82, "Fire"},
    {0x83, "Arm"},
    {0x84, "Away"},
    {0x85, "Night"},
    {0x86, "Day"},
    {0x87, "Vacation"},
};

template <typename Table>
const char* Find(const Table& table, int value) {
    for (const auto& entry : table) {
        if (entry.value == value) return entry.text;
    }
    return nullptr;
}

std::string Or(const char* text, const char* fallback) { return text ? text : fallback; }

// Identifiers for command byte 0x0A: zone states and events with one value.
std::string ValuePhrase(int identifier, int value) {
    const std::string zone = std::to_string(value);
    switch (identifier) {
    case 0x86: return "Zone " + zone + " Unsealed";
    case 0x87: return "Zone " + zone + " Sealed";
    case 0x88: return "Zone " + zone + " Open";
    case 0x89: return "Zone " + zone + " Short";
    case 0x8A: return "Zone " + zone + " Isolated";
    case 0x8C:
        if (value == 0x00) return "Battery Charging Stopped";
        if (value == 0xFF) return "Battery Charging Started";
        return {};
    case 0x90:
        switch (value) {
        case 1: return "Password Entry Succeeded";
        case 2: return "Password Entry Failed";
        case 3: return "Password Entry Disabled";
        case 4: return "Password Entry Re-enabled";
        default: return {};
        }
    case 0x92:
        return value == 0 ? std::string("Arm Ready") : "Arm Not Ready : Zone " + zone + " Not Sealed";
    case 0x93: return "Alarm Type - this message has been superseded";
    case 0xA2: return "Arm System : " + Or(Find(SecurityArmModes, value), "unknown mode");
    case 0xA5: return SecurityKeypadText(value);
    case 0xA7: return "Request Zone " + zone + " Name";
    default: return "Unonwn -0A- command";
    }
}

// Command bytes outside the short-command tables, chosen by identifier.
std::string LongPhrase(const DecodeContext& ctx, int identifier) {
    const int command = ctx.CommandByte;
    const int data2 = ctx.CommandPosition + 2;
    switch (identifier) {
    case 0x8D:
        if (command != 0xAD) return {};
        return "Zone " + std::to_string(ctx.Data(2)) + " Name : " + ctx.MessageCharsText(data2 + 1, 11);
    case 0x8E:
        return command == 0xAC ? "Status Report 1" : "";
    case 0x8F:
        return command == 0xAD ? "Status Report 2" : "";
    case 0xA6:
        if ((command & 0xE0) != 0xE0) return {};
        return "Display Message : " + ctx.MessageCharsText(data2, (command & 0x1F) - 1);
    default:
        return "Unknown";
    }
}

}  // namespace

const char* SecurityClearedText(int identifier) { return Find(kCleared, identifier); }
const char* SecurityRaisedText(int identifier) { return Find(kRaised, identifier); }
const char* SecurityRequestText(int identifier) { return Find(kRequests, identifier); }

const char* SecurityArmedStateText(int state) {
    switch (state) {
    case 0: return "System Disarmed";
    case 1: return "System Fully Armed";
    case 2: return "System Partially Armed";
    default: return "System Armed State special";
    }
}

std::string SecurityKeypadText(int key) {
    std::string out = "Emulate Keypad : ";
    if (const char* name = Find(kKeys, key)) return out + name;
    if (key >= 32 && key <= 127) return out + static_cast<char>(key);
    return out + "#" + std::to_string(key);
}

std::string DecodeSecurityCommand(DecodeContext& ctx) {
    std::string out = "Security: ";
    // Every security command carries a message identifier.
    if (!ctx.HasData(1)) return out + "Unknown";
    const int identifier = ctx.Data(1);
    switch (ctx.CommandByte) {
    case 0x01: return out + Or(SecurityClearedText(identifier), "Unknown -01- command");
    case 0x79: return out + Or(SecurityRaisedText(identifier), "Unknown -79- command");
    case 0x09: return out + Or(SecurityRequestText(identifier), "Unknown -09- command");
    case 0x0A: return out + ValuePhrase(identifier, ctx.Data(2));
    case 0x7A:
        return out + (identifier == 0x80 ? SecurityArmedStateText(ctx.Data(2)) : "Unknown command");
    default: return out + LongPhrase(ctx, identifier);
    }
}

}  // namespace orvane

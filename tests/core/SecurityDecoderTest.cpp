#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SentPhrase.h"
#include "decode/Decoder.h"

namespace {

struct Row {
    const char* command;  // command bytes after the security header
    bool hex;
    const char* expected;
};

std::string DecodeSent(const char* command, bool hex) { return SentPhrase(0xD0, command, hex); }

void Check(const std::vector<Row>& rows) {
    for (const Row& row : rows)
        EXPECT_EQ(DecodeSent(row.command, row.hex), row.expected) << row.command << (row.hex ? " hex" : "");
}

// A phrase that ends in a blank is followed by a second command (0180,
// System Disarmed) so that the blank shows before the separator instead of
// being trimmed off the end of the sentence.

TEST(SecurityDecoder, EventsClearedAndRaised) {
    Check({
        {"0180", false, "Security: System Disarmed"},
        {"0183", false, "Security: Alarm Off"},
        {"0184", false, "Security: Tamper Off"},
        {"0185", false, "Security: Panic Off"},
        {"018B", false, "Security: Battery OK"},
        {"0191", false, "Security: Mains Restored"},
        {"0194", false, "Security: Line Cut Alarm Cleared"},
        {"0195", false, "Security: Arm Failed Cleared"},
        {"0196", false, "Security: Fire Alarm Cleared"},
        {"0197", false, "Security: Gas Alarm Cleared"},
        {"0198", false, "Security: Other Alarm Cleared"},
        {"01A3", false, "Security: Drop Tamper"},
        {"0181", false, "Security: Unknown -01- command"},
        {"01A4", false, "Security: Unknown -01- command"},
        {"7983", false, "Security: Alarm On"},
        {"7984", false, "Security: Tamper On"},
        {"7985", false, "Security: Panic On"},
        {"798B", false, "Security: Battery Low"},
        {"7991", false, "Security: Mains Failure"},
        {"7992", false, "Security: Arm OK"},
        {"7994", false, "Security: Line Cut Alarm Raised"},
        {"7995", false, "Security: Arm Failed Raised"},
        {"7996", false, "Security: Fire Alarm Raised"},
        {"7997", false, "Security: Gas Alarm Raised"},
        {"7998", false, "Security: Other Alarm Raised"},
        {"79A3", false, "Security: Raise Tamper"},
        {"79A4", false, "Security: Raise Alarm"},
        {"7980", false, "Security: Unknown -79- command"},
        {"0981", false, "Security: Exit Delay Started"},
        {"0982", false, "Security: Entry Delay Started"},
        {"09A0", false, "Security: Status Report 1 Request"},
        {"09A1", false, "Security: Status Report 2 Request"},
        {"0983", false, "Security: Unknown -09- command"},
    });
}

TEST(SecurityDecoder, ZoneStatesAndValues) {
    Check({
        {"0A8605", false, "Security: Zone 5 Unsealed"},
        {"0A8605", true, "Security: Zone 5 Unsealed"},
        {"0A8610", true, "Security: Zone 16 Unsealed"},
        {"0A8750", true, "Security: Zone 80 Sealed"},
        {"0A8800", false, "Security: Zone 0 Open"},
        {"0A89FF", false, "Security: Zone 255 Short"},
        {"0A8A0C", false, "Security: Zone 12 Isolated"},
        {"0A8C00", false, "Security: Battery Charging Stopped"},
        {"0A8CFF", false, "Security: Battery Charging Started"},
        {"0A9001", false, "Security: Password Entry Succeeded"},
        {"0A9002", false, "Security: Password Entry Failed"},
        {"0A9003", false, "Security: Password Entry Disabled"},
        {"0A9004", false, "Security: Password Entry Re-enabled"},
        {"0A9200", false, "Security: Arm Ready"},
        {"0A9203", false, "Security: Arm Not Ready : Zone 3 Not Sealed"},
        {"0A921A", true, "Security: Arm Not Ready : Zone 26 Not Sealed"},
        {"0A9307", false, "Security: Alarm Type - this message has been superseded"},
        {"0AA201", false, "Security: Arm System : Away Mode"},
        {"0AA202", false, "Security: Arm System : Night (Home) Mode"},
        {"0AA203", false, "Security: Arm System : Day Mode"},
        {"0AA204", false, "Security: Arm System : Vacation Mode"},
        {"0AA2FF", false, "Security: Arm System : Highest Level"},
        {"0AA200", false, "Security: Arm System : unknown mode"},
        {"0AA205", false, "Security: Arm System : unknown mode"},
        {"0AA70C", true, "Security: Request Zone 12 Name"},
        {"0A9F00", false, "Security: Unonwn -0A- command"},
        {"0A8B00", false, "Security: Unonwn -0A- command"},
        // Values without a phrase leave the prefix alone.
        {"0A8C01", false, "Security:"},
        {"0A8C01" "0180", false, "Security: ; Security: System Disarmed"},
        {"0A9007" "0180", false, "Security: ; Security: System Disarmed"},
    });
}

TEST(SecurityDecoder, KeypadEmulation) {
    Check({
        {"0AA50D", false, "Security: Emulate Keypad : Enter"},
        {"0AA541", false, "Security: Emulate Keypad : A"},
        {"0AA531", true, "Security: Emulate Keypad : 1"},
        {"0AA57E", false, "Security: Emulate Keypad : ~"},
        {"0AA580", false, "Security: Emulate Keypad : Shift"},
        {"0AA581", false, "Security: Emulate Keypad : Panic"},
        {"0AA582", false, "Security: Emulate Keypad : Fire"},
        {"0AA583", false, "Security: Emulate Keypad : Arm"},
        {"0AA584", false, "Security: Emulate Keypad : Away"},
        {"0AA585", false, "Security: Emulate Keypad : Night"},
        {"0AA586", false, "Security: Emulate Keypad : Day"},
        {"0AA587", false, "Security: Emulate Keypad : Vacation"},
        {"0AA51B", false, "Security: Emulate Keypad : #27"},
        {"0AA51B", true, "Security: Emulate Keypad : #27"},
        {"0AA588", false, "Security: Emulate Keypad : #136"},
        {"0AA500", false, "Security: Emulate Keypad : #0"},
    });
}

TEST(SecurityDecoder, ArmedState) {
    Check({
        {"7A8000", false, "Security: System Disarmed"},
        {"7A8001", false, "Security: System Fully Armed"},
        {"7A8002", false, "Security: System Partially Armed"},
        {"7A8003", false, "Security: System Armed State special"},
        {"7A8100", false, "Security: Unknown command"},
    });
}

TEST(SecurityDecoder, LongCommands) {
    const std::string statusBytes11 = "0100000000000000000000";
    const std::string statusBytes12 = "000000000000000000000000";
    const std::string name = "46726F6E74446F6F723132";  // FrontDoor12
    const std::string hello = "48656C6C6F";
    struct LongRow {
        std::string command;
        bool hex;
        std::string expected;
    };
    const std::vector<LongRow> rows = {
        {"AC8E" + statusBytes11, false, "Security: Status Report 1"},
        {"AD8F" + statusBytes12, false, "Security: Status Report 2"},
        {"AD8D07" + name, false, "Security: Zone 7 Name : FrontDoor12"},
        {"AD8D10" + name, true, "Security: Zone 16 Name : FrontDoor12"},
        {"E6A6" + hello, false, "Security: Display Message : Hello"},
        {"E3A64869", false, "Security: Display Message : Hi"},
        {"F4A6" + std::string(38, '3'), false, "Security: Display Message : 3333333333333333333"},
        // An identifier that needs another command byte adds nothing.
        {"C6A6" + hello + "0180", false, "Security: ; Security: System Disarmed"},
        {"AC8D07" + name.substr(0, 20) + "0180", false, "Security: ; Security: System Disarmed"},
        {"AD8E" + statusBytes12 + "0180", false, "Security: ; Security: System Disarmed"},
        {"AC8F" + statusBytes11 + "0180", false, "Security: ; Security: System Disarmed"},
        {"028100", false, "Security: Unknown"},
        {"AC90" + statusBytes11, false, "Security: Unknown"},
        // A display message command with only its identifier has no text.
        {"E1A6" "0180", false, "Security: Display Message : ; Security: System Disarmed"},
    };
    for (const LongRow& row : rows)
        EXPECT_EQ(DecodeSent(row.command.c_str(), row.hex), row.expected) << row.command;
}

// A command byte that announces no data carries no identifier; the next
// command's byte is not taken for one.
TEST(SecurityDecoder, CommandWithoutIdentifier) {
    Check({
        {"08" "0180", false, "Security: Unknown; Security: System Disarmed"},
        {"E0" "0180", false, "Security: Unknown; Security: System Disarmed"},
    });
}

TEST(SecurityDecoder, ReceivedLineWithHeaders) {
    orvane::Decoder d;
    // Unit 0x21 reports zone 5 unsealed, checksum included.
    EXPECT_EQ(d.DecodeMessageSmart("0521D0000A860575", 15),
              "Local Network, Source Unit 33, Security, Security: Zone 5 Unsealed");
    d.Format().hex = true;
    EXPECT_EQ(d.DecodeMessageSmart("0521D0000A860575", 15),
              "Local Network, Source Unit 21, Security, Security: Zone 5 Unsealed");
}

}  // namespace

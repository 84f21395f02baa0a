#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SentPhrase.h"
#include "decode/Decoder.h"

namespace {

struct Row {
    const char* command;  // command bytes after the audio header
    bool hex;
    const char* expected;
};

std::string DecodeSent(const char* command, bool hex) { return SentPhrase(0xCD, command, hex); }

void Check(const std::vector<Row>& rows) {
    for (const Row& row : rows)
        EXPECT_EQ(DecodeSent(row.command, row.hex), row.expected) << row.command << (row.hex ? " hex" : "");
}

TEST(AudioDecoder, ZoneFunctions) {
    Check({
        {"0A0920", false, "TZL: Mux 0, Zone 1, Volume Ramp to -22.0dB at 4s rate"},
        {"020900", false, "TZL: Mux 0, Zone 1, Volume Set to -70.0dB"},
        {"014B", false, "TZL: Mux 1, Zone 1, Bass Off"},
        {"0909", false, "TZL: Mux 0, Zone 1, Volume Terminate Ramp"},
        {"020805", false, "TZL: Mux 0, Zone 1, Timer Set to 5 min"},
        {"120805", false, "TZL: Mux 0, Zone 1, Timer Ramp to 5 min at 8s rate"},
        {"020A00", false, "TZL: Mux 0, Zone 1, Balance Set to -16.0dB"},
        {"020480", false, "TZL: Mux 0, Zone 0, Treble Set to 0.0dB"},
        {"3A0480", false, "TZL: Mux 0, Zone 0, Treble Ramp to 0.0dB at 1m rate"},
        {"7ABCFF", false, "TZL: Mux 2, Zone 7, Treble Ramp to 15.5dB at 17m rate"},
        {"790F", false, "TZL: Mux 0, Zone 1, UNUSED On"},
        {"120F05", false, "TZL: Mux 0, Zone 1, UNUSED Ramp to 5 at 8s rate"},
        // A command outside the level set leaves the function name and its
        // blank (visible before the next command's separator).
        {"7E080102030405" "790F", false, "TZL: Mux 0, Zone 1, Timer ; TZL: Mux 0, Zone 1, UNUSED On"},
        // Multiplexer and zone numbers stay decimal in hexadecimal mode.
        {"0ABA20", true, "TZL: Mux 2, Zone 7, Balance Ramp to -12.0dB at 4s rate"},
    });
}

TEST(AudioDecoder, MuteLevels) {
    Check({
        {"020D00", false, "TZL: Mux 0, Zone 1, Amp Off"},
        {"020D02", false, "TZL: Mux 0, Zone 1, Preamp Only"},
        {"020D05", false, "TZL: Mux 0, Zone 1, Preamp Only, Preset Level"},
        {"02BD07", false, "TZL: Mux 2, Zone 7, Preset Level"},
        {"0A0DFF", false, "TZL: Mux 0, Zone 1, All On"},
        {"02BD80", false, "TZL: Mux 2, Zone 7, Unknown Mute Level 128"},
        {"02BD80", true, "TZL: Mux 2, Zone 7, Unknown Mute Level 80"},
        {"020D0A", true, "TZL: Mux 0, Zone 1, Unknown Mute Level 4%"},
        // A command with a level byte beyond the group still names the level.
        {"7E0D0200000000", false, "TZL: Mux 0, Zone 1, Preamp Only"},
        // Off, On and Terminate Ramp carry no level: the byte after them
        // belongs to the next command and is not taken for the mute state.
        {"010D" "790F", false, "TZL: Mux 0, Zone 1, Unknown; TZL: Mux 0, Zone 1, UNUSED On"},
        {"790D", false, "TZL: Mux 0, Zone 1, Unknown"},
    });
}

TEST(AudioDecoder, ControlFunctions) {
    Check({
        {"020E11", false, "TZL: Mux 0, Zone 1, Next Language"},
        {"020E00", false, "TZL: Mux 0, Zone 1, Button 2 Pressed"},
        {"020E02", false, "TZL: Mux 0, Zone 1, Next Channel"},
        {"020E05", false, "TZL: Mux 0, Zone 1, Previous Channel"},
        {"020E0C", false, "TZL: Mux 0, Zone 1, DAD Input"},
        {"020E0F", false, "TZL: Mux 0, Zone 1, TOSLINK Input"},
        {"020EFF", false, "TZL: Mux 0, Zone 1, Button 3 Pressed"},
        {"010E", false, "TZL: Mux 0, Zone 1, Button 2 Pressed"},
        {"790E", false, "TZL: Mux 0, Zone 1, Button 3 Pressed"},
        {"090E", false, "TZL: Mux 0, Zone 1, Control Function Terminate Ramp -- illegal Application Use"},
        {"0A0E02", false, "TZL: Mux 0, Zone 1, Ramp to Next Channel at 4s rate -- illegal Application Use"},
        {"02BE80", false, "TZL: Mux 2, Zone 7, Unknown Control Function 128"},
        {"02BE80", true, "TZL: Mux 2, Zone 7, Unknown Control Function 80"},
        {"02BEFE", true, "TZL: Mux 2, Zone 7, Unknown Control Function FE"},
        {"7E0E0200000000" "790F", false, "TZL: Mux 0, Zone 1, ; TZL: Mux 0, Zone 1, UNUSED On"},
    });
}

TEST(AudioDecoder, SpecialGroups) {
    Check({
        {"12C180", false, "TZL: Mux 1, All Zones, Set Channel 2, Volume Set to 6.0dB"},
        {"7AC0FF", false, "TZL: Mux 0, All Zones, Set Channel 7, Volume Set to 21.9dB"},
        {"01C2", false, "TZL: Mux 2, All Zones, Set Channel 0, Volume Off"},
        {"1AE84B", false, "TZL: Mux 1, Zone 1, Set Amp Channel 3, Preamp Gain -3 dB"},
        {"02E84B", false, "TZL: Mux 1, Zone 1, Set Amp Channel 3, Preamp Gain 0 dB"},
        {"0AE800", false, "TZL: Mux 0, Zone 0, Set Amp Channel 0, Preamp Gain +6 dB"},
        {"12E800", false, "TZL: Mux 0, Zone 0, Set Amp Channel 0, Preamp Gain +3 dB"},
        {"22E800", false, "TZL: Mux 0, Zone 0, Set Amp Channel 0, Preamp Gain -6 dB"},
        {"2AE800", false, "TZL: Mux 0, Zone 0, Set Amp Channel 0, Preamp Gain Unsupported Value"},
        {"0AE90A", false, "TZL: Mux 0, Zone 1, Set Mux Channel 2, Suppress Labels"},
        {"02E90A", false, "TZL: Mux 0, Zone 1, Set Mux Channel 2, Don't Suppress Labels"},
        {"02E608", false, "TZL: Mux 0, Zone 1, Overtemp Error"},
        {"02E60B", false, "TZL: Mux 0, Zone 1, Error Code 3"},
        {"02E6BF", true, "TZL: Mux 2, Zone 7, Error Code 7"},
        {"02E050", false, "TZL: Mux 1, Zone 2, Zone Identifier String Request"},
        {"02E250", false, "TZL: Mux 1, Zone 2, Channel and Button Strings Request"},
        {"02E750", false, "TZL: Mux 1, Zone 2, Channel Request"},
        {"02E300", false, "TZL: Global Status Request"},
        {"01E3", false, "TZL: Global Status Request"},
        {"01E5", false, "TZL: Global Amplifier Off Command"},
        {"02E500", false, "TZL: Global Amplifier Off Command"},
        {"02E510", false, "TZL: Non-Zero Level on Global Amplifier Off Group, IGNORED"},
        {"79E5", false, "TZL: Non-Zero Level on Global Amplifier Off Group, IGNORED"},
        {"02C300", false, "TZL: Unknown"},
        {"02DF00", false, "TZL: Unknown"},
        {"02E100", false, "TZL: Unknown"},
        {"02E400", false, "TZL: Unknown"},
        {"02EA00", false, "TZL: Unknown"},
        {"02FF00", false, "TZL: Unknown"},
    });
}

// Groups that read the zone from the level byte, addressed by a command that
// has none: the next command's byte is not taken for the zone.
TEST(AudioDecoder, ZoneFromLevelByteNeedsTheLevelByte) {
    Check({
        {"01E0" "02E300", false, "TZL: Unknown; TZL: Global Status Request"},
        {"79E6", false, "TZL: Unknown"},
        {"09E8", false, "TZL: Unknown"},
    });
}

TEST(AudioDecoder, Labels) {
    Check({
        {"A809000148656C6C6F", false,
         "TZL: Mux 0, Zone 1, Label Source, Variant 0, Language 1 [English], Text label, 5 Bytes = \"Hello\""},
        {"A809000148656C6C6F", true,
         "TZL: Mux 0, Zone 1, Label Source, Variant 00, Language 01 [English], Text label, 5 Bytes = \"Hello\""},
        {"A4480001" "41", false,
         "TZL: Mux 1, Zone 1, Label Room, Variant 0, Language 1 [English], Text label, 1 Bytes = \"A\""},
        {"A3BB0601", false, "TZL: Mux 2, Zone 7, Label Button 3, Variant 0, Language 1 [English], Set Preferred Language"},
        {"A30C0601", false, "TZL: Mux 0, Zone 1, Label Unused Label, Variant 0, Language 1 [English], Set Preferred Language"},
    });
}

// Commands without a group byte.
TEST(AudioDecoder, CommandWithoutGroup) {
    Check({
        {"78", false, "TZL: Unknown"},
        {"A0" "790F", false, "TZL: Unknown; TZL: Mux 0, Zone 1, UNUSED On"},
    });
}

TEST(AudioDecoder, SeveralCommandsAndHeaders) {
    EXPECT_EQ(DecodeSent("020D02" "02E300", false), "TZL: Mux 0, Zone 1, Preamp Only; TZL: Global Status Request");

    orvane::Decoder d;
    // Received from unit 0x12 in smart mode, with its checksum.
    EXPECT_EQ(d.DecodeMessageSmart("0512CD0002E30037", 15),
              "Local Network, Source Unit 18, Plug and Play Audio, TZL: Global Status Request");
    EXPECT_EQ(d.DecodeMessage("\\05CD0012C180", 0x1F),
              "Local Network, Multipoint, Plug and Play Audio, TZL: Mux 1, All Zones, Set Channel 2, Volume Set to 6.0dB");
}

}  // namespace

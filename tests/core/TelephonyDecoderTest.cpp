#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SentPhrase.h"
#include "decode/Decoder.h"

namespace {

struct Row {
    const char* command;  // command bytes after the telephony header
    const char* expected;
};

std::string DecodeSent(const char* command) { return SentPhrase(0xE0, command); }

TEST(TelephonyDecoder, WordsEachCommand) {
    const std::vector<Row> rows = {
        {"0901", "Tele: Line On Hook"},
        {"0907", "Tele: Internet Connection Request"},
        {"0982", "Tele: Reject Incoming Call"},
        {"0984", "Tele: Clear Diversion"},
        {"0902", "Tele: Unknown 09 cmd"},
        {"0A0301", "Tele: Dial Out Failure - No Dial Tone"},
        {"0A0302", "Tele: Dial Out Failure - No Answer"},
        {"0A0303", "Tele: Dial Out Failure - No Valid Acknowledgement"},
        {"0A0304", "Tele: Dial Out Failure - Number Unobtainable"},
        {"0A0305", "Tele: Dial Out Failure - Number Busy"},
        {"0A0306", "Tele: Unknown 0A03 cmd"},
        {"0A0401", "Tele: Dial In Failure - Stopped Ringing"},
        {"0A0402", "Tele: Unknown 0A04 cmd"},
        {"0A8000", "Tele: Secondary Outlet Normal"},
        {"0A8001", "Tele: Secondary Outlet Isolated"},
        {"0A8002", "Tele: Unknown 0A80 cmd"},
        {"0A8101", "Tele: Recall Last Outgoing Number"},
        {"0A8102", "Tele: Recall Last Incoming Number"},
        {"0A8103", "Tele: Unknown 0A81 cmd"},
        {"0A0500", "Tele:"},  // the prefix alone; its blank is trimmed off the sentence's end
        {"A6021031323334", "Tele: Line Off Hook - Outgoing Voice 1234"},
        {"A3020131", "Tele: Line Off Hook - Incoming Voice 1"},
        {"A3020231", "Tele: Line Off Hook - Incoming Data 1"},
        {"A3020331", "Tele: Line Off Hook - Incoming Other 1"},
        {"A3022031", "Tele: Line Off Hook - Outgoing Data 1"},
        {"A3023031", "Tele: Line Off Hook - Outgoing Other 1"},
        {"A3020439", "Tele: Unknown 02 cmd 9"},
        {"A5050139" "3131", "Tele: Ringing 911"},
        {"A6060130313233", "Tele: Recall Last Number Response 0123"},
        {"A483353535", "Tele: Divert to 555"},
        {"A20401", "Tele: Unknown cmd"},
    };
    for (const Row& row : rows) EXPECT_EQ(DecodeSent(row.command), row.expected) << row.command;
}

// A phrase that ends in a blank keeps it when another command follows.
TEST(TelephonyDecoder, EmptyNumbersKeepTheirBlank) {
    const std::vector<Row> rows = {
        {"A20201" "0901", "Tele: Line Off Hook - Incoming Voice ; Tele: Line On Hook"},
        {"020501" "0901", "Tele: Ringing ; Tele: Line On Hook"},
        {"A183" "0901", "Tele: Divert to ; Tele: Line On Hook"},
        {"0A0500" "0901", "Tele: ; Tele: Line On Hook"},
    };
    for (const Row& row : rows) EXPECT_EQ(DecodeSent(row.command), row.expected) << row.command;
}

// Commands without an identifier or kind byte of their own, and short
// command bytes whose low five bits count further than the command reaches:
// the number ends with the command, whatever follows it.
TEST(TelephonyDecoder, ShortCommandsStayInsideTheCommand) {
    const std::vector<Row> rows = {
        {"00", "Tele: Unknown cmd"},
        {"A0", "Tele: Unknown cmd"},
        {"A102", "Tele: Unknown 02 cmd"},
        // 0x1D has five data bytes but counts 29.
        {"1D0501313233", "Tele: Ringing 123"},
        {"1D0501313233" "0901", "Tele: Ringing 123; Tele: Line On Hook"},
        {"1A8335" "0A0302", "Tele: Divert to 5; Tele: Dial Out Failure - No Answer"},
    };
    for (const Row& row : rows) EXPECT_EQ(DecodeSent(row.command), row.expected) << row.command;
}

TEST(TelephonyDecoder, ReceivedLineStopsTheNumberBeforeTheChecksum) {
    orvane::Decoder d;
    // Short command 0x1D (five data bytes) followed by A0 and the checksum.
    EXPECT_EQ(d.DecodeMessageSmart("0512E0001D0501313233A0B0", 8), "Tele: Ringing 123; Tele: Unknown cmd");
}

TEST(TelephonyDecoder, ReceivedLine) {
    orvane::Decoder d;
    d.Format().hex = true;
    EXPECT_EQ(d.DecodeMessageSmart("0512E000090107", 15), "Local Network, Source Unit 12, Telephony, Tele: Line On Hook");
}

}  // namespace

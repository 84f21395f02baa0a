// Media transport commands worded through the message decoder, as sent
// commands (options 0x18: command phrases only) and as a received line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SentPhrase.h"
#include "decode/Decoder.h"
#include "decode/Hex.h"

namespace {

struct Row {
    const char* command;  // command bytes as hex text
    bool hex;             // "Hexadecimal Numbers"
    const char* phrase;
};

std::string DecodeSent(const std::string& command, bool hex) { return SentPhrase(0xC0, command, hex); }

TEST(MediaTransportDecoder, WordsEveryCommand) {
    const std::vector<Row> rows = {
        {"0101", false, "Transport: Stop 1"},
        {"0A0300", false, "Transport: Pause 3"},
        {"0A03FF", false, "Transport: Resume 3"},
        {"0A0301", false, "Transport: Unknown 0A command"},
        {"120105", false, "Transport: Set Category 5 on 1"},
        {"120105", true, "Transport: Set Category 05 on 01"},
        {"1B00012C", false, "Transport: Set Selection 300 on 0"},
        {"1B00012C", true, "Transport: Set Selection 12C on 00"},
        {"250000010000", false, "Transport: Set Track 65536 on 0"},
        {"250001000000", false, "Transport: Set Track 16777216 on 0"},
        {"2A0100", false, "Transport: Shuffle  Off on 1"},
        {"2A01FF", false, "Transport: Shuffle  On on 1"},
        {"2A017F", false, "Transport: Shuffle  reserved on 1"},
        {"320100", false, "Transport: Repeat  Off on 1"},
        {"3201FF", false, "Transport: Repeat  Tracks on 1"},
        {"320101", false, "Transport: Repeat  Current on 1"},
        {"3A0201", false, "Transport: Next Category on 2"},
        {"3A0200", false, "Transport: Prev Category on 2"},
        {"420280", false, "Transport: Next Selection on 2"},
        {"420200", false, "Transport: Prev Selection on 2"},
        {"4A02FF", false, "Transport: Next Track on 2"},
        {"4A0200", false, "Transport: Prev Track on 2"},
        {"520304", false, "Transport: Forward  4x on 3"},
        {"520300", false, "Transport: Forward  Normal on 3"},
        {"52030C", false, "Transport: Forward  64x on 3"},
        {"520301", false, "Transport: Forward reserved on 3"},
        {"5A0302", false, "Transport: Rewind  2x on 3"},
        {"5A0308", false, "Transport: Rewind  16x on 3"},
        {"5A0303", false, "Transport: Rewind reserved on 3"},
        {"620200", false, "Transport: Source power 2 Off"},
        {"620201", false, "Transport: Source power 2 On"},
        {"6D0100000064", false, "Transport: Total Tracks 100 on 1"},
        {"6D0100000064", true, "Transport: Total Tracks 64 on 01"},
        {"7105", false, "Transport: Status Request for 5"},
        {"73010003", false, "Transport: Enumerate Categories, Start at 3 on 1"},
        {"73010103", false, "Transport: Enumerate Selections, Start at 3 on 1"},
        {"73010203", false, "Transport: Enumerate Tracks, Start at 3 on 1"},
        {"73010903", false, "Transport: Enumerate Unknown-type, Start at 3 on 1"},
        {"7401020310", false, "Transport: Enumeration Size 16, Tracks, Start at 3 on 1"},
        {"7401020310", true, "Transport: Enumeration Size 10, Tracks, Start at 03 on 01"},
        {"790C", false, "Transport: Play 12"},
        {"790C", true, "Transport: Play 0C"},
        // Codes that are neither listed nor name commands.
        {"0901", false, "Transport: Unknown"},
        {"7A0102", false, "Transport: Unknown"},
        {"E3010203", false, "Transport: Unknown"},
        {"00", false, "Transport: Unknown"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(DecodeSent(r.command, r.hex), r.phrase) << r.command << (r.hex ? " (hex)" : "");
}

// The 32-bit track numbers are unsigned: the top bit does not turn them
// negative.
TEST(MediaTransportDecoder, LargeTrackNumbersStayUnsigned) {
    EXPECT_EQ(DecodeSent("2507FFFFFFFF", false), "Transport: Set Track 4294967295 on 7");
    EXPECT_EQ(DecodeSent("2507FFFFFFFF", true), "Transport: Set Track FFFFFFFF on 07");
    EXPECT_EQ(DecodeSent("6D0180000000", false), "Transport: Total Tracks 2147483648 on 1");
}

TEST(MediaTransportDecoder, WordsNamePackets) {
    const std::vector<Row> rows = {
        {"C50214414243", false, "Transport: Category Name on MLG 2 Next, Packet 1 of 2"},
        {"820185", false, "Transport: Track Name on MLG 1, Packet 2 of 2"},  // bit 7: no position
        {"A20100", false, "Transport: Selection Name on MLG 1 Current, Packet 1 of 1"},
        {"A20120", false, "Transport: Selection Name on MLG 1 Next+1, Packet 1 of 1"},
        {"A20130", false, "Transport: Selection Name on MLG 1 Reserved1, Packet 1 of 1"},
        {"A20140", false, "Transport: Selection Name on MLG 1 Reserved2, Packet 1 of 1"},
        {"A20150", false, "Transport: Selection Name on MLG 1 Prev, Packet 1 of 1"},
        {"A20160", false, "Transport: Selection Name on MLG 1 Prev-1, Packet 1 of 1"},
        {"A20170", false, "Transport: Selection Name on MLG 1 Enumerate, Packet 1 of 1"},
        // Group follows the number mode, packet numbers stay decimal.
        {"A21A0F", true, "Transport: Selection Name on MLG 1A Current, Packet 4 of 4"},
        {"A21A0F", false, "Transport: Selection Name on MLG 26 Current, Packet 4 of 4"},
        {"DF0A0B" "4142434445464748494A4B4C4D4E4F505152535455565758595A5B5C5D", false,
         "Transport: Category Name on MLG 10 Current, Packet 4 of 3"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(DecodeSent(r.command, r.hex), r.phrase) << r.command << (r.hex ? " (hex)" : "");
}

// A name command whose length bits announce fewer bytes than its group and
// flags: the fields are taken from their fixed places while those lie in
// the message, and nothing beyond the message is read.
TEST(MediaTransportDecoder, ShortNameCommands) {
    // 0x81: the flags byte is the checksum filler of the sent command.
    EXPECT_EQ(DecodeSent("8105", false), "Transport: Track Name on MLG 5 Current, Packet 1 of 1");
    // 0x80 as the last command: its flags would lie beyond the message.
    EXPECT_EQ(DecodeSent("80", false), "Transport: Unknown");
    EXPECT_EQ(DecodeSent("7901" "80", false), "Transport: Play 1; Transport: Unknown");
}

TEST(MediaTransportDecoder, ReceivedLineWithHeaderWords) {
    const std::string body = "0512C0007901";
    orvane::Decoder d;
    EXPECT_EQ(d.DecodeMessageSmart(body + orvane::ChecksumText(body), 15),
              "Local Network, Source Unit 18, Media Transport Ctl, Transport: Play 1");
    const std::string two = "0512C000790101020A02FF";
    EXPECT_EQ(d.DecodeMessageSmart(two + orvane::ChecksumText(two), 8),
              "Transport: Play 1; Transport: Stop 2; Transport: Resume 2");
}

}  // namespace

// Short information packets worded through the message decoder.
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

std::string DecodeSent(const std::string& command, bool hex) { return SentPhrase(0xAD, command, hex); }

TEST(ShortInfoDecoder, WordsPackets) {
    const std::vector<Row> rows = {
        {"8700C1007B024142", false, "Info: Info_Type 1, Packet 1 of 1, Num=12.3, Symbol=2"},
        {"8D0900" "4142434445464748494A4B", false, "Info: Info_Type 0, Packet 2 of 2"},
        {"83008005", false, "Info: Info_Type 0, Packet 1 of 1, Symbol=5"},
        {"840040FFFF", false, "Info: Info_Type 0, Packet 1 of 1, Num=6553.5"},
        {"8400400000", false, "Info: Info_Type 0, Packet 1 of 1, Num=0.0"},
        {"8400400005", false, "Info: Info_Type 0, Packet 1 of 1, Num=0.5"},
        // Number and symbol are decimal in either mode; the type follows it.
        {"8608D5010AC841", true, "Info: Info_Type 15, Packet 1 of 2, Num=26.6, Symbol=200"},
        {"8608D5010AC841", false, "Info: Info_Type 21, Packet 1 of 2, Num=26.6, Symbol=200"},
        // Later packets repeat the flags but carry no number or symbol.
        {"8409C1007B", false, "Info: Info_Type 1, Packet 2 of 2"},
        {"843AC1007B", false, "Info: Info_Type 1, Packet 3 of 8"},
        {"82FF3F", true, "Info: Info_Type 3F, Packet 8 of 8"},
        // Not an information packet.
        {"0105", false, "Info: Unknown"},
        {"A100", false, "Info: Unknown"},
        {"7900", false, "Info: Unknown"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(DecodeSent(r.command, r.hex), r.phrase) << r.command << (r.hex ? " (hex)" : "");
}

// A first packet too short for what its flags announce: the fields are read
// from their fixed places while those lie in the message (here the checksum
// filler of the sent command), and nothing beyond the message is read.
TEST(ShortInfoDecoder, ShortFirstPackets) {
    EXPECT_EQ(DecodeSent("820080", false), "Info: Info_Type 0, Packet 1 of 1, Symbol=0");
    EXPECT_EQ(DecodeSent("820040", false), "Info: Info_Type 0, Packet 1 of 1");
    EXPECT_EQ(DecodeSent("8300C012", false), "Info: Info_Type 0, Packet 1 of 1, Num=460.8");
    EXPECT_EQ(DecodeSent("80", false), "Info: Unknown");

    // Received with a checksum: the symbol of a header-only packet is the
    // checksum byte.
    const std::string body = "0512AD00820080";
    const std::string cs = orvane::ChecksumText(body);
    orvane::Decoder d;
    EXPECT_EQ(d.DecodeMessageSmart(body + cs, 8),
              "Info: Info_Type 0, Packet 1 of 1, Symbol=" + std::to_string(orvane::HexValue(cs)));
}

TEST(ShortInfoDecoder, ReceivedLineWithHeaderWords) {
    const std::string body = "0520AD0083008005";
    orvane::Decoder d;
    d.Format().hex = true;
    EXPECT_EQ(d.DecodeMessageSmart(body + orvane::ChecksumText(body), 15),
              "Local Network, Source Unit 20, Short Info Msg, Info: Info_Type 00, Packet 1 of 1, Symbol=5");
}

}  // namespace

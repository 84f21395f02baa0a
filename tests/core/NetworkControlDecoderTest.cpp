// Network control commands worded through the message decoder, among them
// the MMI requests that the workbench itself sends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SentPhrase.h"
#include "decode/Decoder.h"
#include "decode/Hex.h"
#include "decode/apps/AppDecoders.h"

namespace {

struct Row {
    const char* command;  // command bytes as hex text
    bool hex;             // "Hexadecimal Numbers"
    const char* phrase;
};

std::string DecodeSent(const std::string& command, bool hex) { return SentPhrase(0xFF, command, hex); }

TEST(NetworkControlDecoder, WordsEveryCommand) {
    const std::vector<Row> rows = {
        // MMI requests.
        {"7AFF00", false, "Installation MMI Request"},
        {"7A3800", true, "Status MMI Request, Application 38"},
        {"7A3800", false, "Status MMI Request, Application 56"},
        {"FAFF00", false, "Installation MMI Request"},
        {"FA3800", false, "Status MMI Request, Application 56"},
        {"73073820", true, "Level MMI Request, Application 38"},
        {"73073820", false, "Level MMI Request, Application 56"},
        {"73053820", true, "Unknown"},
        // Locate.
        {"13002501", true, "Locate Yourself mode On, by Unit Address 25"},
        {"13002500", false, "Locate Yourself mode Off, by Unit Address 37"},
        {"1600A1B2C3D4FF", false, "Locate Yourself mode On, by Serial Number A1 B2 C3 D4"},
        {"1600A1B2C3D400", true, "Locate Yourself mode Off, by Serial Number A1 B2 C3 D4"},
        // Learn and address assignment.
        {"0438010500", false, "Master Learn, Application 56, Initiate Relay, GA 5"},
        {"0438830500", true, "Master Learn, Application 38, Exit Area, GA 05"},
        {"0438030500", false, "Master Learn, Application 56, -Unknown-, GA 5"},
        {"0F120A0B0C0D2200", false, "Unit Address Assignment, Manufacturer = 18, Serial No = 0A 0B 0C 0D, Address = 34"},
        {"0F120A0B0C0D2200", true, "Unit Address Assignment, Manufacturer = 12, Serial No = 0A 0B 0C 0D, Address = 22"},
        {"1E000000000000", false, "SB"},
        {"97" "0000000000000000000000000000000000000000000000", false, "HCT"},
        {"0100", false, "Unknown"},
        {"7900", false, "Unknown"},
        {"8100", false, "Unknown"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(DecodeSent(r.command, r.hex), r.phrase) << r.command << (r.hex ? " (hex)" : "");
}

// 0xFA has two data bytes in this application, so two requests in one
// message are both worded.
TEST(NetworkControlDecoder, ShortFormFAIsFollowedByNextCommand) {
    EXPECT_EQ(DecodeSent("FAFF00" "7A3800", false), "Installation MMI Request; Status MMI Request, Application 56");
}

TEST(NetworkControlDecoder, SerialNumberPastTheBufferReadsLengthError) {
    orvane::DecodeContext ctx;
    ctx.MessageByteCount = orvane::kMaxMessageBytes;
    ctx.CommandPosition = 196;  // data 2 to 5 would be positions 198 to 201
    ctx.CommandByte = 0x16;
    ctx.CommandDataCount = 6;
    EXPECT_EQ(orvane::DecodeNetworkControlCommand(ctx), "Locate Yourself mode Off, by Serial Number !! Length Error !!");
    ctx.CommandByte = 0x0F;
    ctx.CommandDataCount = 7;
    EXPECT_EQ(orvane::DecodeNetworkControlCommand(ctx),
              "Unit Address Assignment, Manufacturer = 0, Serial No = !! Length Error !!, Address = 0");
}

TEST(NetworkControlDecoder, ReceivedLineWithHeaderWords) {
    orvane::Decoder d;
    d.Format().hex = true;
    const std::string body = "0501FF007AFF00";
    EXPECT_EQ(d.DecodeMessageSmart(body + orvane::ChecksumText(body), 15), "Local Network, Source Unit 01, Network Control, Installation MMI Request");
}

}  // namespace

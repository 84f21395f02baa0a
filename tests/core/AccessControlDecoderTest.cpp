#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SentPhrase.h"
#include "decode/Decoder.h"

namespace {

struct Row {
    const char* command;  // command bytes after the access control header
    bool hex;
    const char* expected;
};

std::string DecodeSent(const Row& row) { return SentPhrase(0xD5, row.command, row.hex); }

TEST(AccessControlDecoder, WordsEachCommand) {
    const std::vector<Row> rows = {
        {"0201FF", false, "Access: Close Point, Network 1, All Access Points"},
        {"02FFFF", false, "Access: Close Point, All Networks, All Access Points"},
        {"020305", false, "Access: Close Point, Network 3, Access Point 5"},
        {"0A0A0C", true, "Access: Lock Point, Network 0A, Access Point 0C"},
        {"0A0A0C", false, "Access: Lock Point, Network 10, Access Point 12"},
        {"0AFF03", false, "Access: Lock Point, All Networks, Access Point 3 (INVALID)"},
        {"120102", false, "Access: Point Left Open, Network 1, Access Point 2"},
        {"1A0102", false, "Access: Point Forced Open, Network 1, Access Point 2"},
        {"22FF02", false, "Access: Point Closed, Network 255 (INVALID), Access Point 2"},
        {"22FF02", true, "Access: Point Closed, Network FF (INVALID), Access Point 02"},
        {"3201FF", false, "Access: Request to Exit, Network 1, Access Point 255 (INVALID)"},
        {"A6000501" "12AB0C", false, "Access: Valid Request, Network 0, Access Point 5, Direction: In, ID = 12AB0C"},
        {"A3010200", false, "Access: Valid Request, Network 1, Access Point 2"},
        {"C5010202AABB", false, "Access: Invalid Request, Network 1, Access Point 2, Direction: Out, ID = AABB"},
        {"C4FFFF03" "0f", true, "Access: Invalid Request, Network FF (INVALID), Access Point FF (INVALID), ID = 0F"},
        {"01AA", false, "Access: Unknown"},
        {"7901", false, "Access: Unknown"},
        {"E3010203", false, "Access: Unknown"},
    };
    for (const Row& row : rows) EXPECT_EQ(DecodeSent(row), row.expected) << row.command << (row.hex ? " hex" : "");
}

// A request whose length bits announce fewer than three data bytes reads the
// network, point and direction at their fixed places: inside the message
// they come from the bytes that follow, beyond it they are left out.
TEST(AccessControlDecoder, ShortRequestReadsFixedPlacesInsideTheMessageOnly) {
    const std::vector<Row> rows = {
        // A2 has two data bytes; the direction is the next command byte (0x02).
        {"A20304" "0201FF", false,
         "Access: Valid Request, Network 3, Access Point 4, Direction: Out; "
         "Access: Close Point, Network 1, All Access Points"},
        // A0 alone: data 1 is the checksum filler, the rest lies beyond.
        {"A0", false, "Access: Valid Request, Network 0"},
        // A1 with its network: the point is the checksum filler.
        {"C107", false, "Access: Invalid Request, Network 7, Access Point 0"},
    };
    for (const Row& row : rows) EXPECT_EQ(DecodeSent(row), row.expected) << row.command;
}

TEST(AccessControlDecoder, ReceivedLineWithHeaderWords) {
    orvane::Decoder d;
    // Source unit 0x21, access control, close point 1/2, checksum.
    EXPECT_EQ(d.DecodeMessageSmart("0521D50002010218", 15),
              "Local Network, Source Unit 33, Access Control, Access: Close Point, Network 1, Access Point 2");
}

}  // namespace

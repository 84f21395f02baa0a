#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/Decoder.h"

namespace {

struct Row {
    const char* command;  // command bytes after the clock header
    const char* expected;
};

TEST(ClockDecoder, WordsEachCommandInDecimalWhateverTheMode) {
    const std::vector<Row> rows = {
        {"0D0109050701", "Clocks: Time: 09:05:07 Daylight Savings Offset: 1 hour(s)"},
        {"0D01173B00FF", "Clocks: Time: 23:59:00 Daylight Savings Offset: Unknown"},
        {"0D010C1E2D00", "Clocks: Time: 12:30:45 Daylight Savings Offset: 0 hour(s)"},
        {"0D0164FFC80A", "Clocks: Time: 100:255:200 Daylight Savings Offset: 10 hour(s)"},
        {"0E0207E5030706", "Clocks: Date: Sunday 7/3/2021"},
        {"0E0207E50C1F00", "Clocks: Date: Monday 31/12/2021"},
        {"0E0207E50C1F04", "Clocks: Date: Friday 31/12/2021"},
        {"0E0207E5030709", "Clocks: Date: 7/3/2021"},
        {"0E02FFFF0000FF", "Clocks: Date: 0/0/65535"},
        {"1103", "Clocks: Request Refresh"},
        {"1104", "Clocks:  Unknown"},
        {"0D0209050701", "Clocks:  Unknown"},
        {"0E0307E5030706", "Clocks:  Unknown"},
        {"0903", "Clocks:  Unknown"},
    };
    for (bool hex : {false, true}) {
        orvane::Decoder d;
        d.Format().hex = hex;
        for (const Row& row : rows)
            EXPECT_EQ(d.DecodeMessage(std::string("\\05DF00") + row.command, 0x18), row.expected)
                << row.command << (hex ? " hex" : "");
    }
}

TEST(ClockDecoder, TimeAndDateInOneMessage) {
    orvane::Decoder d;
    EXPECT_EQ(d.DecodeMessage("\\05DF000D01090507010E0207E5030706", 0x18),
              "Clocks: Time: 09:05:07 Daylight Savings Offset: 1 hour(s); Clocks: Date: Sunday 7/3/2021");
}

}  // namespace

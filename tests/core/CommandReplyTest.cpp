#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "interface/InterfaceState.h"
#include "link/ReplyMatcher.h"

using namespace orvane;

TEST(CommandReply, StringsMatch) {
    struct Row {
        std::string pattern, text;
        bool match;
    };
    const std::vector<Row> rows = {
        {"8220*", "8220FE<CR>", true},
        {"8220*", "8220", true},
        {"8220*", "822", false},
        {"8?20", "8A20", true},
        {"8?20", "8A2", false},
        {"8220", "8220FE", false},   // no star: lengths must agree
        {"8220", "8220", true},
        {"82*0", "82*0", true},      // a star inside is an ordinary character
        {"82*0", "8210", false},
        {"8220*", "8220fe", true},
        {"8a20", "8A20", false},     // case counts
        {"", "", false},             // an empty pattern matches nothing
        {"*", "", true},
        {"????*", "12", false},
    };
    for (const auto& r : rows) EXPECT_EQ(StringsMatch(r.pattern, r.text), r.match) << r.pattern << " / " << r.text;
}

TEST(CommandReply, SmartHeaderExpected) {
    struct Row {
        int options1;
        int address;
        std::string routePrefix;
        std::string command;
        std::optional<std::string> header;
    };
    const std::vector<Row> rows = {
        {0x00, 0xFE, "FE00", "1A2001", std::nullopt},             // basic mode: bare replies
        {0x11, 0xFE, "FE00", "1A2001", std::nullopt},             // smart, no IDMON, local
        {0x51, 0xFE, "FE00", "1A2001", "FEFE00"},                 // smart with IDMON, local
        {0x51, 0xFE, "FE00", "@1A2001", "FEFE00"},
        {0x51, -1, "0000", "1A2001", ""},                         // address unknown
        {0x11, 0xFE, "FE00", "\\06120021", "12FE00"},             // another unit
        {0x51, 0x0A, "0A00", "\\06120021", "120A00"},
        {0x11, 0xFE, "FE00", "\\06B112B2C32102", "B1FE02B2C3"},   // two bridges: path follows
        {0x11, 0xFE, "FE00", "\\06B109C32102", "B1FE01C3"},       // one bridge
    };
    for (const auto& r : rows) {
        InterfaceState s;
        s.InterfaceOptions1 = r.options1;
        s.PciUnitAddress = r.address;
        s.RoutePrefix = r.routePrefix;
        EXPECT_EQ(SmartReplyHeader(s, r.command), r.header) << r.command << " options " << r.options1;
    }
}

TEST(CommandReply, StripSmartHeader) {
    struct Row {
        std::string line, header;
        std::optional<std::string> stripped;
    };
    const std::vector<Row> rows = {
        {"86FEFE008220FE27<CR>", "FEFE00", "8220FE27<CR>"},
        {"06FEFE008220FE27<CR>", "FEFE00", "8220FE27<CR>"},
        {"86FEFE008220FE27<CR>", "", "8220FE27<CR>"},             // address unknown: any header
        {"8612FE02B1B28902<CR>", "12FE02B1B2", "8902<CR>"},        // route bytes after the header
        {"8220FE27<CR>", "FEFE00", std::nullopt},                  // bare reply: skipped
        {"86FE0A008220FE<CR>", "FEFE00", std::nullopt},            // from someone else
        {"0538007901FF<CR>", "FEFE00", std::nullopt},              // monitored traffic
        {"g", "FEFE00", ""},                                       // one character: emptied
        {"", "FEFE00", ""},
        {"86FEFE", "FEFE", ""},                                    // shorter than its header
    };
    for (const auto& r : rows) EXPECT_EQ(StripSmartHeader(r.line, r.header), r.stripped) << r.line;
}

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/CommandComposer.h"

using namespace orvane;

TEST(CommandComposer, Composition) {
    struct Row {
        std::string line;
        bool checksum;
        bool ack;
        std::string sent;
        char nextAfter;
    };
    const std::vector<Row> rows = {
        {"\\0538000A", true, true, "\\0538000AB9g", 'h'},   // checksum before the ack character
        {"\\0538000A", true, false, "\\0538000AB9", 'g'},
        {"\\0538000A", false, true, "\\0538000Ag", 'h'},
        {"\\0538000A", false, false, "\\0538000A", 'g'},
        {"\\0538007901k", false, true, "\\0538007901k", 'g'},  // already acknowledged
        {"@A3300059", true, false, "@A3300059D4", 'g'},
        {"", true, true, "", 'g'},
    };
    for (const auto& row : rows) {
        AckCounter ack;
        EXPECT_EQ(ComposeCommand(row.line, {row.checksum, row.ack}, ack), row.sent) << row.line;
        EXPECT_EQ(ack.Next(), row.nextAfter) << row.line;
    }
}

TEST(CommandComposer, AckCharactersWrapAfterZ) {
    AckCounter ack;
    std::string seen;
    for (int i = 0; i < 21; ++i) seen += ComposeCommand("\\053800", {false, true}, ack).back();
    EXPECT_EQ(seen, "ghijklmnopqrstuvwxyzg");  // the 21st carries "g" again
}

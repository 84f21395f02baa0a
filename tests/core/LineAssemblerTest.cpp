#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/LineAssembler.h"

using namespace orvane;

namespace {

// Records what the assembler reports, with the answer and acknowledgement
// characters counted as they come.
struct Recorder : LineAssembler::Sink {
    std::vector<ReceivedLine> lines;
    int answers = 0;
    int acks = 0;
    // The number of answer characters seen when each line completed.
    std::vector<int> answersAtLine;
    void AnswerCharacter() override { ++answers; }
    void AckCharacter() override { ++acks; }
    void LineCompleted(const ReceivedLine& line) override {
        lines.push_back(line);
        answersAtLine.push_back(answers);
    }
    std::vector<std::string> Buffers() const {
        std::vector<std::string> v;
        for (const auto& l : lines) v.push_back(l.buffer);
        return v;
    }
};

std::string Byte(int code) { return std::string(1, static_cast<char>(code)); }

}  // namespace

TEST(LineAssembler, CharacterTable) {
    struct Row {
        std::string input;
        std::vector<std::string> lines;  // completed buffers
        std::string left;                // what stays in the buffer
        int answers;
        int acks;
    };
    const std::vector<Row> rows = {
        {"0538007901FF\r8220FE\r", {"0538007901FF<CR>", "8220FE<CR>"}, "", 0, 0},
        {"8220FE\r\n", {"8220FE<CR>", "<LF>"}, "", 0, 0},
        {"0538", {}, "0538", 0, 0},
        {"g.", {"g."}, "", 1, 1},
        {"~~~", {"~", "~", "~"}, "", 3, 0},
        {"!#$%'.", {"!", "#", "$", "%", "'", "."}, "", 6, 0},
        {"12g.", {"12g."}, "", 1, 1},
        {Byte(17) + Byte(19), {"<XON>", "<XOFF>"}, "", 0, 0},
        {"A" + Byte(5) + "B" + Byte(200), {"A<5>", "B<200>"}, "", 0, 0},
        {Byte(0) + Byte(31) + Byte(127) + Byte(255), {"<0>", "<31>", "<127>", "<255>"}, "", 0, 0},
        {"zq AZaf:;", {}, "zq AZaf:;", 0, 2},
        {"ghijklmnopqrstuvwxyz", {}, "ghijklmnopqrstuvwxyz", 0, 20},
    };
    for (const auto& row : rows) {
        LineAssembler a;
        Recorder r;
        a.Feed(row.input, r);
        EXPECT_EQ(r.Buffers(), row.lines) << row.input;
        EXPECT_EQ(a.Buffer(), row.left) << row.input;
        EXPECT_EQ(r.answers, row.answers) << row.input;
        EXPECT_EQ(r.acks, row.acks) << row.input;
    }
}

TEST(LineAssembler, LineContinuesAcrossFeeds) {
    LineAssembler a;
    Recorder r;
    a.Feed("05380079", r);
    EXPECT_TRUE(r.lines.empty());
    a.Feed("01FF\r82", r);
    ASSERT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(r.lines[0].buffer, "0538007901FF<CR>");
    EXPECT_EQ(a.Buffer(), "82");
}

TEST(LineAssembler, DrippedBytesGiveTheSameLines) {
    const std::string stream = "~~~0538007901FF\r\ng.8230FF51\r\n!";
    LineAssembler whole, dripped;
    Recorder rw, rd;
    whole.Feed(stream, rw);
    for (char c : stream) dripped.Feed(std::string_view(&c, 1), rd);
    EXPECT_EQ(rw.Buffers(), rd.Buffers());
    EXPECT_EQ(rw.answers, rd.answers);
    EXPECT_EQ(rw.acks, rd.acks);
}

TEST(LineAssembler, AnswerCharacterIsReportedBeforeItsLine) {
    LineAssembler a;
    Recorder r;
    a.Feed("g.", r);
    ASSERT_EQ(r.answersAtLine.size(), 1u);
    EXPECT_EQ(r.answersAtLine[0], 1);
}

TEST(LineAssembler, MessagePart) {
    struct Row {
        std::string input;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"0538007901FF\r", "0538007901FF"},
        {"g.", "g."},                // two characters: the whole buffer
        {"!", "!"},
        {"12g.", ""},                // longer, no "<": nothing to decode
        {"\n", ""},                  // "<LF>" alone: cut before its "<"
    };
    for (const auto& row : rows) {
        LineAssembler a;
        Recorder r;
        a.Feed(row.input, r);
        ASSERT_EQ(r.lines.size(), 1u) << row.input;
        EXPECT_EQ(r.lines[0].message, row.message) << row.input;
    }
}

TEST(LineAssembler, ShowAsciiRendering) {
    struct Row {
        std::string input;
        std::string buffer;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"414243\r", "414243<CR>  \"ABC\"", "414243"},
        {"41000A7F\r", "41000A7F<CR>  \"A___\"", "41000A7F"},
        {"g.", "g.", "g."},       // no hex pair: nothing appended
        {"~", "~", "~"},          // one character: not rendered
        {"4\r", "4<CR>", "4"},    // a lone digit is no pair
    };
    for (const auto& row : rows) {
        LineAssembler a;
        a.SetShowAscii(true);
        Recorder r;
        a.Feed(row.input, r);
        ASSERT_EQ(r.lines.size(), 1u) << row.input;
        EXPECT_EQ(r.lines[0].buffer, row.buffer) << row.input;
        EXPECT_EQ(r.lines[0].message, row.message) << row.input;
    }
}

// A peer that never ends its line: the buffer stays bounded and the text
// arrives as lines of the bound's length.
TEST(LineAssembler, EndlessLineIsCutAtTheBound) {
    LineAssembler a;
    Recorder r;
    const std::string chunk(64 * 1024, 'A');
    for (int i = 0; i < 16; ++i) {  // 1 MB without an end character
        a.Feed(chunk, r);
        ASSERT_LT(a.Buffer().size(), LineAssembler::kMaxLineLength);
    }
    const std::size_t total = 16 * chunk.size();
    ASSERT_EQ(r.lines.size(), total / LineAssembler::kMaxLineLength);
    for (const auto& l : r.lines) {
        EXPECT_TRUE(l.cut);
        EXPECT_EQ(l.buffer.size(), LineAssembler::kMaxLineLength);
        EXPECT_EQ(l.message, "");  // no "<": not decoded
    }
    a.Feed("\r", r);
    EXPECT_FALSE(r.lines.back().cut);
}

#include <gtest/gtest.h>

#include "decode/Decoder.h"
#include "decode/Hex.h"

using namespace orvane;

TEST(Hex, ChecksumMakesTheLineSumToZero) {
    struct Row { const char* text; const char* sum; };
    const Row rows[] = {
        {"\\0538000A", "B9"}, {"\\053800", "C3"}, {"\\0538007901FF", "4A"}, {"\\05", "FB"},
        {"no pair here", "00"}, {"abc", "55"}, {"FF01", "00"}, {"", "00"}, {"0 5", "00"},
    };
    for (const auto& r : rows) EXPECT_EQ(ChecksumText(r.text), r.sum) << r.text;
}

TEST(Hex, ReadingAndTesting) {
    EXPECT_EQ(HexValue("\\05"), 5);
    EXPECT_EQ(HexValue(""), 0);
    EXPECT_EQ(HexValue("fF"), 255);
    EXPECT_FALSE(IsHexText(""));
    EXPECT_FALSE(IsHexText("ABC"));
    EXPECT_FALSE(IsHexText("0G"));
    EXPECT_TRUE(IsHexText("00ff"));
    EXPECT_EQ(HexByteText("1FF"), "FF");
    EXPECT_EQ(HexByteText("7"), "07");
    EXPECT_EQ(HexPairValue("3A"), 0x3A);
}

TEST(Hex, NumberWordingInBothModes) {
    const NumberFormat dec{false}, hex{true};
    EXPECT_EQ(HexDigitsText(300, 1), "12C");
    EXPECT_EQ(HexDigitsText(-2, 2), "FFFE");
    EXPECT_EQ(HexDigitsText(-1, 1), "FF");
    EXPECT_EQ(HexDigitsText(0, 2), "0000");
    EXPECT_EQ(NumberString(dec, 10), "10");
    EXPECT_EQ(NumberString(hex, 10), "0A");
    EXPECT_EQ(NumberStringSized(dec, -5, 1), "-5");
    EXPECT_EQ(StringToNumber(dec, "42"), 42);
    EXPECT_EQ(StringToNumber(hex, "2a"), 42);
    EXPECT_EQ(StringToNumber(dec, "2a"), -1);
    EXPECT_EQ(StringToNumber(dec, ""), -1);
    EXPECT_EQ(StringToNumber(hex, "G1"), -1);
}

TEST(Hex, CharacterConversions) {
    EXPECT_EQ(ASCIIToHex("A"), "41");
    EXPECT_EQ(ASCIIToHex(std::string("\x01\xFF", 2)), "01FF");
    EXPECT_EQ(HexToASCII("41\\42"), "A");
    EXPECT_EQ(HexToASCII("48656C6C6F0A"), "Hello");
}

TEST(Hex, LevelsAndPercentages) {
    EXPECT_EQ(PercentToLevel(50), 127);
    EXPECT_EQ(PercentToLevel(100), 255);
    EXPECT_EQ(PercentToLevel(1), 2);
    EXPECT_EQ(LevelToPercent(127), 50);
    EXPECT_EQ(LevelToPercent(1), 1);
    EXPECT_EQ(LevelToPercent(3), 1);
    int roundTrips = 0;
    for (int l = 0; l <= 255; ++l) roundTrips += PercentToLevel(LevelToPercent(l)) == l;
    EXPECT_EQ(roundTrips, 101);
}

TEST(Hex, PackedName) {
    // Eight groups of 6 bits: 'A'-33=32, 'B'-33=33, then six groups of 30
    // (nothing) give "AB" padded to eight characters.
    const uint64_t v = (uint64_t{32} << 42) | (uint64_t{33} << 36) | (uint64_t{30} << 30) | (uint64_t{30} << 24) |
                       (uint64_t{30} << 18) | (uint64_t{30} << 12) | (uint64_t{30} << 6) | uint64_t{30};
    std::string hex;
    for (int b = 5; b >= 0; --b) hex += UpperHex2(static_cast<int>((v >> (b * 8)) & 0xFF));
    EXPECT_EQ(PackedNameText(hex), "AB      ");
    EXPECT_EQ(PackedNameText("").size(), 8u);
}

TEST(Hex, Tokens) {
    const auto list = SplitTokens("a; \"b;c\" ;;d", ";");
    ASSERT_EQ(list.Count, 3);
    EXPECT_EQ(list.Tokens[1], "a");
    EXPECT_EQ(list.Tokens[2], "b;c");
    EXPECT_EQ(list.Tokens[3], "d");
    EXPECT_EQ(SplitTokens("", ";").Count, 0);

    std::string many;
    for (int i = 0; i < 150; ++i) many += std::to_string(i) + ",";
    const auto capped = SplitTokens(many, ",");
    EXPECT_EQ(capped.Count, 100);
    EXPECT_EQ(capped.Tokens[100], "99");

    const NumberFormat dec{false}, hex{true};
    const auto ranges = SplitTokens("5,10-1F,x", ",");
    EXPECT_TRUE(TokenListMatches(dec, "5", ranges, 1));
    EXPECT_FALSE(TokenListMatches(dec, "5", ranges, 2));
    EXPECT_TRUE(TokenListMatches(hex, "12", ranges, 1));
    EXPECT_FALSE(TokenListMatches(dec, "12", ranges, 1));  // 1F is no decimal number
    EXPECT_TRUE(TokenListMatches(dec, "x", ranges, 1));
    EXPECT_FALSE(TokenListMatches(dec, "X", ranges, 1));
}

// The renderers of message bytes: a range may end at the 199th byte but not
// beyond it; characters stop at the last byte of the message; link bytes
// above 0x7F come out as UTF-8.
TEST(Hex, MessageRenderersKeepInsideTheBuffer) {
    DecodeContext ctx;
    ctx.MessageByteCount = 3;
    ctx.MessageBytes[1] = 0x05;
    ctx.MessageBytes[2] = 0x38;
    ctx.MessageBytes[3] = 0xE9;
    ctx.MessageBytes[199] = 0x41;
    ctx.MessageBytes[200] = 0x42;

    struct Row { int start, count; std::string hex, text; };
    const Row rows[] = {
        {0, 3, "05 38 E9", "\x05" "8\xC3\xA9"},
        {0, 0, "", ""},
        {196, 3, "00 00 41", std::string("\0\0A", 3)},
        {197, 3, "!! Length Error !!", "!! Length Error !!"},
        {199, 1, "!! Length Error !!", "!! Length Error !!"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(ctx.MessageHexRange(r.start, r.count), r.hex) << r.start << "+" << r.count;
        EXPECT_EQ(ctx.MessageTextRange(r.start, r.count), r.text) << r.start << "+" << r.count;
    }

    // Positions beyond the message contribute nothing.
    EXPECT_EQ(ctx.MessageCharsText(2, 5), "8\xC3\xA9");
    EXPECT_EQ(ctx.MessageCharsText(4, 2), "");
}

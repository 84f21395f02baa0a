#include <gtest/gtest.h>

#include "generators/NumberEntry.h"

using namespace orvane;

namespace {
const NumberFormat kDec{false};
const NumberFormat kHex{true};
}  // namespace

TEST(NumberEntry, ParseNumberInRangeInBothModes) {
    struct Row {
        NumberFormat fmt;
        const char* text;
        int low, high;
        int value;  // kNumberEntryFailed when refused
    };
    const Row rows[] = {
        {kDec, "42", 0, 255, 42},
        {kDec, "300", 0, 255, kNumberEntryFailed},
        {kHex, "300", 0, 255, kNumberEntryFailed},
        {kHex, "ff", 0, 255, 255},
        {kHex, "FF", 0, 255, 255},
        {kDec, "FF", 0, 255, kNumberEntryFailed},
        // Two's complement in hex mode for a signed range.
        {kHex, "80", -128, 127, -128},
        {kHex, "7F", -128, 127, 127},
        {kHex, "FF", -128, 127, -1},
        {kHex, "100", -128, 127, kNumberEntryFailed},
        {kDec, "-128", -128, 127, -128},
        {kDec, "128", -128, 127, kNumberEntryFailed},
        // ...but not for a range that starts at zero.
        {kHex, "80", 0, 255, 128},
        // Only the part before the first blank counts.
        {kHex, "09 - English (Australia)", 0, 255, 9},
        {kDec, "12 anything", 0, 255, 12},
        // Not a number: refused even where -1 lies in the range.
        {kDec, "abc", -128, 127, kNumberEntryFailed},
        {kHex, "xyz", -128, 127, kNumberEntryFailed},
        {kDec, "", -128, 127, kNumberEntryFailed},
        {kDec, "-", -128, 127, kNumberEntryFailed},
        {kHex, "-1", -128, 127, kNumberEntryFailed},
        {kDec, "99999999999", 0, 255, kNumberEntryFailed},
        {kDec, "-99999999999", -128, 127, kNumberEntryFailed},
        {kDec, "-1", -128, 127, -1},
    };
    for (const auto& r : rows) {
        std::string error;
        EXPECT_EQ(ParseNumberInRange(r.fmt, r.text, r.low, r.high, &error), r.value)
            << r.text << (r.fmt.hex ? " hex" : " dec");
        EXPECT_EQ(error.empty(), r.value != kNumberEntryFailed) << r.text;
    }
}

TEST(NumberEntry, RangeMessageFollowsTheDisplayMode) {
    std::string error;
    ParseNumberInRange(kDec, "300", 0, 255, &error);
    EXPECT_EQ(error, "Invalid input, must be a number in the range 0 to 255");
    ParseNumberInRange(kHex, "300", 0, 255, &error);
    EXPECT_EQ(error, "Invalid input, must be a number in the range 00 to FF");
    ParseNumberInRange(kHex, "1FF", -128, 127, &error);
    EXPECT_EQ(error, "Invalid input, must be a number in the range 80 to 7F");
}

TEST(NumberEntry, ListEntriesOfEachKind) {
    const NumberList plain{NumberListKind::Plain, 0, 256, 0x38};
    EXPECT_EQ(plain.Entries(kDec).size(), 256u);
    EXPECT_EQ(plain.EntryText(kDec, 10), "10");
    EXPECT_EQ(plain.EntryText(kHex, 10), "0A");
    EXPECT_EQ(plain.SelectedValue(), 0x38);

    const NumberList signedList{NumberListKind::Plain, -128, 256, 0};
    EXPECT_EQ(signedList.EntryText(kHex, 0), "80");
    EXPECT_EQ(signedList.EntryText(kHex, 127), "FF");
    EXPECT_EQ(signedList.EntryText(kDec, 0), "-128");

    const NumberList withAll{NumberListKind::WithAll, 0, 4, 4};
    EXPECT_EQ(withAll.Entries(kHex), (std::vector<std::string>{"00", "01", "02", "03", "All"}));
    EXPECT_TRUE(withAll.IsAllSelected());
    EXPECT_EQ(withAll.High(), 4);

    const NumberList decimal{NumberListKind::Decimal, -100, 201, 0};
    EXPECT_EQ(decimal.EntryText(kHex, 0), "-100");
    EXPECT_EQ(decimal.EntryText(kHex, 200), "100");

    const NumberList language{NumberListKind::Language, 0, 256, 0};
    const auto entries = language.Entries(kHex);
    EXPECT_EQ(entries[0], "00");  // no language has code 0
    bool anyNamed = false;
    for (const auto& e : entries) anyNamed |= e.find(" - ") != std::string::npos;
    EXPECT_TRUE(anyNamed);
}

TEST(NumberEntry, TypedTextSelectsItsCanonicalEntry) {
    struct Row {
        NumberList list;
        NumberFormat fmt;
        const char* text;
        int index;  // -1 when refused
    };
    const NumberList level{NumberListKind::Plain, -128, 256, 0};
    const NumberList app{NumberListKind::Plain, 0, 256, 0};
    const NumberList withAll{NumberListKind::WithAll, 0, 255, 0};
    const NumberList decimal{NumberListKind::Decimal, -100, 201, 0};
    const Row rows[] = {
        {level, kHex, "80", 0},       // -128
        {level, kHex, "7F", 255},     // 127
        {app, kDec, "300", -1},
        {app, kHex, "2a", 42},
        {withAll, kDec, "255", 255},  // the "All" entry counts as the last number
        {withAll, kDec, "All", 255},  // and choosing "All" from the list is accepted
        {withAll, kHex, "all", 255},
        {withAll, kDec, "256", -1},
        {app, kDec, "All", -1},
        {decimal, kHex, "-50", 50},   // read in decimal whatever the mode
        {decimal, kHex, "10", 110},
    };
    for (const auto& r : rows) {
        const auto check = r.list.CheckText(r.fmt, r.text);
        EXPECT_EQ(check.ok, r.index >= 0) << r.text;
        if (r.index >= 0) EXPECT_EQ(check.index, r.index) << r.text;
        else EXPECT_FALSE(check.error.empty()) << r.text;
    }
}

TEST(NumberEntry, EveryEntryReadsBackToItself) {
    // What a list shows must be accepted again when the list is left.
    const NumberList lists[] = {
        {NumberListKind::Plain, 0, 256, 0},
        {NumberListKind::Plain, -128, 256, 0},
        {NumberListKind::WithAll, 0, 255, 0},
        {NumberListKind::Language, 0, 256, 0},
        {NumberListKind::Decimal, -100, 201, 0},
    };
    for (const auto& list : lists)
        for (const NumberFormat fmt : {kDec, kHex}) {
            const auto entries = list.Entries(fmt);
            for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
                const auto check = list.CheckText(fmt, entries[i]);
                ASSERT_TRUE(check.ok) << entries[i];
                EXPECT_EQ(check.index, i) << entries[i];
            }
        }
}

TEST(NumberEntry, FloatingEditRules) {
    struct Row {
        FloatingEditRule rule;
        const char* text;
        const char* error;  // "" when accepted
    };
    const char* invalid = "Invalid floating point number ";
    const char* temperature = "Temperature must be in the range -128.0 to +127.0 degrees C";
    const char* shortInfo = "Short Message Number must be in the range -3276.8 to +3276.7";
    const Row rows[] = {
        {FloatingEditRule::Any, "21.5", ""},
        {FloatingEditRule::Any, " -3 ", ""},
        {FloatingEditRule::Any, "+3", ""},
        {FloatingEditRule::Any, "abc", invalid},
        {FloatingEditRule::Any, "", invalid},
        {FloatingEditRule::Any, "1.2.3", invalid},
        {FloatingEditRule::Any, "nan", invalid},
        {FloatingEditRule::Any, "inf", invalid},
        {FloatingEditRule::HvacTemperature, "-128", ""},
        {FloatingEditRule::HvacTemperature, "127", ""},
        {FloatingEditRule::HvacTemperature, "127.1", temperature},
        {FloatingEditRule::HvacTemperature, "-128.5", temperature},
        {FloatingEditRule::HvacTemperature, "x", invalid},
        {FloatingEditRule::ShortInfoNumber, "-3276.8", ""},
        {FloatingEditRule::ShortInfoNumber, "3276.7", ""},
        {FloatingEditRule::ShortInfoNumber, "3276.8", shortInfo},
        {FloatingEditRule::ShortInfoNumber, "-3276.9", shortInfo},
    };
    for (const auto& r : rows) EXPECT_EQ(CheckFloatingEditText(r.rule, r.text), r.error) << r.text;
}

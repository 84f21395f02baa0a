#include <gtest/gtest.h>

#include <random>
#include <set>

#include "decode/Decoder.h"
#include "generators/LightingCommands.h"

using namespace orvane;

namespace {
const RemoteNetwork kLocal{};
const NumberFormat kDec{false};
const NumberFormat kHex{true};
}  // namespace

TEST(GeneratorLighting, EveryCommandKind) {
    using K = LightingCommandKind;
    struct Row {
        RemoteNetwork remote;
        int app, group, rate, level;
        K kind;
        const char* text;
    };
    const Row rows[] = {
        // The worked example: application 56, group 5, On.
        {kLocal, 56, 5, 0, 0, K::On, "\\0538007905"},
        {kLocal, 0x38, 0x05, 0, 0, K::Off, "\\0538000105"},
        // Ramp, "%" 50 over 4 seconds.
        {kLocal, 0x38, 0x10, 1, LightingLevelValue(true, 50), K::Ramp, "\\0538000A107F"},
        {kLocal, 0x38, 0x10, 0, 0xFF, K::Ramp, "\\05380002" "10FF"},
        {kLocal, 0x38, 0x10, 15, 0, K::Ramp, "\\0538007A1000"},
        {kLocal, 0x38, 0x05, 0, 0, K::LrnInitRelay, "\\05380003" "0105FA"},
        {kLocal, 0x38, 0x05, 0, 0, K::LrnInitDimmer, "\\05380003" "0205F9"},
        {kLocal, 0x38, 0x05, 0, 0, K::LrnExitRelay, "\\05380003" "81057A"},
        {kLocal, 0x38, 0x05, 0, 0, K::LrnExitDimmer, "\\05380003" "820579"},
        {kLocal, 0x38, 0x05, 0, 0, K::LrnCancel, "\\05380003" "80057B"},
        {kLocal, 0x38, 0x00, 0, 0, K::LrnInitRelay, "\\05380003" "0100FF"},
        {kLocal, 0x38, 0xFF, 0, 0, K::LrnInitRelay, "\\05380003" "01FF00"},
        // Groups and levels outside a byte are held to 00..FF.
        {kLocal, 0x38, 300, 0, 0, K::On, "\\05380079FF"},
        {kLocal, 0x38, -4, 0, 0, K::Off, "\\0538000100"},
        {kLocal, 0x38, 1, 0, 999, K::Ramp, "\\0538000201FF"},
        // Routed over a two-byte path.
        {{true, "0102"}, 0x38, 5, 0, 0, K::On, "\\03011202387905"},
        // No command selected, or no header: nothing to send.
        {kLocal, 0x38, 5, 0, 0, K::None, ""},
        {{true, "0A1"}, 0x38, 5, 0, 0, K::On, ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(LightingMakeCommandString(r.remote, r.app, r.group, r.rate, r.level, r.kind), r.text)
            << static_cast<int>(r.kind) << " group " << r.group;
}

TEST(GeneratorLighting, RampRateListMatchesTheDecodersTable) {
    const char* expected[] = {"02", "0A", "12", "1A", "22", "2A", "32", "3A",
                              "42", "4A", "52", "5A", "62", "6A", "72", "7A"};
    for (int i = 0; i < 16; ++i) {
        const std::string s = LightingMakeCommandString(kLocal, 0x38, 1, i, 0, LightingCommandKind::Ramp);
        EXPECT_EQ(s.substr(7, 2), expected[i]) << kLightingRampRateTexts[i];
    }
}

TEST(GeneratorLighting, TerminateRamp) {
    EXPECT_EQ(LightingTerminateRampString(kLocal, 0x38, 0x05), "\\0538000905");
    EXPECT_EQ(LightingTerminateRampString({true, "01"}, 0x38, 0x05), "\\030109380905");
    EXPECT_EQ(LightingTerminateRampString({true, "01G"}, 0x38, 0x05), "");
}

TEST(GeneratorLighting, AllOnAndAllOffCoverEveryGroupInEightsOf32Messages) {
    for (int command : {kLightingOnByte, kLightingOffByte}) {
        const auto messages = LightingAllGroupMessages(kLocal, 0x38, command);
        ASSERT_EQ(messages.size(), 32u);
        const std::string c = command == kLightingOnByte ? "79" : "01";
        EXPECT_EQ(messages.front(), "\\053800" + c + "00" + c + "01" + c + "02" + c + "03" + c + "04" + c + "05" +
                                        c + "06" + c + "07");
        EXPECT_EQ(messages.back(), "\\053800" + c + "F8" + c + "F9" + c + "FA" + c + "FB" + c + "FC" + c + "FD" +
                                       c + "FE" + c + "FF");
        for (const auto& m : messages) EXPECT_EQ(m.size(), 7u + 8 * 4) << m;
    }
    EXPECT_TRUE(LightingAllGroupMessages({true, ""}, 0x38, kLightingOnByte).empty());
}

TEST(GeneratorLighting, LevelValueAndDescription) {
    EXPECT_EQ(LightingLevelValue(true, 50), 0x7F);
    EXPECT_EQ(LightingLevelValue(true, 100), 0xFF);
    EXPECT_EQ(LightingLevelValue(false, 50), 50);
    EXPECT_EQ(LightingLevelValue(false, 255), 255);

    using K = LightingCommandKind;
    struct Row {
        NumberFormat fmt;
        const char* group;
        K kind;
        int level;
        const char* text;
    };
    const Row rows[] = {
        {kDec, "5", K::On, 0, "GA5 100%"},
        {kDec, "5", K::Off, 200, "GA5 0%"},
        {kDec, "5", K::Ramp, 127, "GA5 50%"},
        {kDec, "5", K::Ramp, 128, "GA5 128"},
        {kHex, "0A", K::Ramp, 128, "GA0A 80"},
        {kHex, "0A", K::Ramp, 254, "GA0A FE"},
    };
    for (const auto& r : rows) EXPECT_EQ(GetOrvaneCommandDescription(r.fmt, r.group, r.kind, r.level), r.text);
}

TEST(GeneratorLighting, ApplicationWarningText) {
    EXPECT_EQ(LightingApplicationWarningText(kDec),
              "Use of Application Addresses outside the range 48 to 127 may cause undesirable effects.\n\r"
              "Click Ignore to stop this message from displaying again.");
    EXPECT_NE(LightingApplicationWarningText(kHex).find("range 30 to 7F may"), std::string::npos);
    EXPECT_TRUE(LightingApplicationInUsualRange(0x30));
    EXPECT_TRUE(LightingApplicationInUsualRange(0x7F));
    EXPECT_FALSE(LightingApplicationInUsualRange(0x2F));
    EXPECT_FALSE(LightingApplicationInUsualRange(0x80));
}

TEST(GeneratorLighting, SpeedsAndFullSpeedPacing) {
    const int intervals[] = {3000, 1000, 300, 20};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(LightingSpeedInterval(i), intervals[i]) << kLightingSpeedTexts[i];
    EXPECT_TRUE(LightingIsFullSpeed(3));
    EXPECT_FALSE(LightingIsFullSpeed(2));

    // Below full speed every tick sends and the flag is left alone.
    bool confirmed = false;
    int ticks = 0;
    EXPECT_EQ(LightingRunTick(false, confirmed, ticks), LightingTickAction::Send);
    EXPECT_FALSE(confirmed);

    // Full speed: a confirmed command lets the next one go and re-arms the flag.
    confirmed = true;
    ticks = 7;
    EXPECT_EQ(LightingRunTick(true, confirmed, ticks), LightingTickAction::Send);
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(ticks, 0);
    // Twenty unconfirmed ticks are waited out; the twenty-first times out.
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(LightingRunTick(true, confirmed, ticks), LightingTickAction::Wait) << i;
        EXPECT_EQ(ticks, i);
    }
    EXPECT_EQ(LightingRunTick(true, confirmed, ticks), LightingTickAction::TimedOut);
    // The acknowledgement arriving late still releases the next command.
    confirmed = true;
    EXPECT_EQ(LightingRunTick(true, confirmed, ticks), LightingTickAction::Send);
}

namespace {

struct Parsed {
    int application = -1;
    std::vector<std::pair<int, int>> commands;  // byte, group
    std::vector<int> levels;
};

// Splits a local SAL line of lighting commands into its parts.
Parsed ParseLocal(const std::string& line) {
    Parsed p;
    EXPECT_EQ(line.substr(0, 3), "\\05");
    p.application = HexValue(line.substr(3, 2));
    EXPECT_EQ(line.substr(5, 2), "00");
    size_t i = 7;
    while (i + 4 <= line.size()) {
        const int c = HexValue(line.substr(i, 2));
        const int g = HexValue(line.substr(i + 2, 2));
        p.commands.emplace_back(c, g);
        i += 4;
        if (c == 0x02 || c == 0x0A || c == 0x12) {
            p.levels.push_back(HexValue(line.substr(i, 2)));
            i += 2;
        }
    }
    EXPECT_EQ(i, line.size()) << line;
    return p;
}

}  // namespace

TEST(GeneratorLighting, RandomMessagesStayInsideTheirRangesAndKinds) {
    struct Row {
        LightingRandomType type;
        std::set<int> kinds;
        int maxCommands;
    };
    const Row rows[] = {
        {LightingRandomType::OnOff, {0x79, 0x01}, 1},
        {LightingRandomType::OnOffRamp, {0x79, 0x01, 0x02, 0x0A, 0x12}, 1},
        {LightingRandomType::OnOffRampConcatenated, {0x79, 0x01, 0x02, 0x0A, 0x12}, 4},
    };
    Decoder decoder;
    for (const auto& r : rows) {
        LightingRandomSettings settings;
        settings.firstApplication = 0x38;
        settings.lastApplication = 0x3A;
        settings.firstGroup = 10;
        settings.lastGroup = 13;
        settings.type = r.type;
        std::mt19937 rng(1234);
        std::set<int> seenKinds, seenApps, seenGroups, seenCounts;
        for (int i = 0; i < 2000; ++i) {
            const std::string line = LightingRandomMessage(kLocal, settings, rng);
            const Parsed p = ParseLocal(line);
            seenApps.insert(p.application);
            seenCounts.insert(static_cast<int>(p.commands.size()));
            for (auto [c, g] : p.commands) {
                EXPECT_TRUE(r.kinds.count(c)) << line;
                seenKinds.insert(c);
                seenGroups.insert(g);
            }
            for (int l : p.levels) EXPECT_LE(l, 254) << line;
            // Every message is well formed for the decoder too.
            EXPECT_EQ(decoder.DecodeMessage(line, 0x18).find("LENGTH ERROR"), std::string::npos) << line;
        }
        EXPECT_EQ(seenKinds, r.kinds);
        EXPECT_EQ(seenApps, (std::set<int>{0x38, 0x39, 0x3A}));
        EXPECT_EQ(seenGroups, (std::set<int>{10, 11, 12, 13}));
        EXPECT_EQ(*seenCounts.rbegin(), r.maxCommands);
        EXPECT_EQ(*seenCounts.begin(), 1);
    }
}

TEST(GeneratorLighting, RandomMessagesAreRepeatableAndRespectThePath) {
    LightingRandomSettings settings;
    std::mt19937 a(7), b(7);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(LightingRandomMessage(kLocal, settings, a), LightingRandomMessage(kLocal, settings, b));

    // A reversed range draws from the same values as the right way round.
    settings.firstGroup = 20;
    settings.lastGroup = 18;
    settings.type = LightingRandomType::OnOff;
    std::mt19937 rng(3);
    for (int i = 0; i < 200; ++i) {
        const int g = HexValue(LightingRandomMessage(kLocal, settings, rng).substr(9, 2));
        EXPECT_GE(g, 18);
        EXPECT_LE(g, 20);
    }
    EXPECT_EQ(LightingRandomMessage({true, "012"}, settings, rng), "");
    EXPECT_EQ(LightingRandomMessage({true, "01"}, settings, rng).substr(0, 9), "\\03010938");
}

// Every application number with a command set reaches a decoder that words
// one of its commands; every other number reaches none.
#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "decode/Decoder.h"
#include "decode/Hex.h"

namespace {

struct AppRow {
    int app;
    const char* command;  // one known command of the application, as hex text
};

void PrintTo(const AppRow& r, std::ostream* os) {
    *os << "application " << orvane::UpperHex2(r.app) << ", command " << r.command;
}

std::vector<AppRow> Rows() {
    std::vector<AppRow> rows = {
        {0x19, "020158"},          // temperature broadcast
        {0x26, "7905"},            // lighting command set
        {0x88, "7905"},
        {0xAC, "7901"},            // HVAC zone group on
        {0xAD, "83008005"},        // short information packet
        {0xC0, "7901"},            // media transport play
        {0xC9, "3A0102"},          // scene: store current levels
        {0xCA, "7901"},            // trigger control
        {0xCB, "7901"},            // enable control
        {0xCD, "790F"},            // audio zone on
        {0xCE, "155028051234"},    // error report
        {0xD0, "0180"},            // security: system disarmed
        {0xD5, "0201FF"},          // access control: close request
        {0xDF, "1103"},            // clock: request refresh
        {0xE0, "0901"},            // telephony: line on hook
        {0xE4, "0E010224FD04D2"},  // measurement
        {0xFF, "7AFF00"},          // network control: installation MMI request
    };
    for (int a = 0x30; a <= 0x7F; ++a) rows.push_back({a, "7905"});
    return rows;
}

class DispatchTable : public ::testing::TestWithParam<AppRow> {};

TEST_P(DispatchTable, ApplicationReachesAWordingDecoder) {
    const AppRow& r = GetParam();
    ASSERT_NE(orvane::AppDecoderFor(r.app), nullptr);
    orvane::Decoder d;
    const std::string line = "\\05" + orvane::UpperHex2(r.app) + "00" + r.command;
    const std::string phrase = d.DecodeMessage(line, 0x18);
    EXPECT_FALSE(phrase.empty()) << line;
    EXPECT_EQ(phrase.find("LENGTH ERROR"), std::string::npos) << line << " -> " << phrase;
}

INSTANTIATE_TEST_SUITE_P(Applications, DispatchTable, ::testing::ValuesIn(Rows()),
                         [](const ::testing::TestParamInfo<AppRow>& info) {
                             return "App" + orvane::UpperHex2(info.param.app);
                         });

TEST(DispatchTableRest, OtherApplicationsHaveNoDecoder) {
    std::set<int> listed;
    for (const AppRow& r : Rows()) listed.insert(r.app);
    for (int a = 0; a <= 0xFF; ++a)
        if (!listed.count(a)) EXPECT_EQ(orvane::AppDecoderFor(a), nullptr) << "application " << a;
    EXPECT_EQ(orvane::AppDecoderFor(-1), nullptr);
    EXPECT_EQ(orvane::AppDecoderFor(0x100), nullptr);
}

}  // namespace

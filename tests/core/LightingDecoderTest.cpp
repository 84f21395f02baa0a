// Lighting, trigger control, enable control and label phrases.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "decode/Decoder.h"

using namespace orvane;

namespace {

struct Row {
    int app;
    const char* commandBytes;  // hex, as a sent command after the header
    bool hex;
    const char* expected;
};

std::string Phrase(Decoder& d, const Row& r) {
    d.Format().hex = r.hex;
    return d.DecodeMessage("\\05" + UpperHex2(r.app) + "00" + r.commandBytes, 0x18);
}

}  // namespace

TEST(LightingDecoder, Phrases) {
    Decoder d;
    const Row rows[] = {
        {0x38, "0105", true, "GA 05 Off"},
        {0x38, "7905", false, "GA 5 On"},
        {0x38, "0A057F", true, "GA 05 Ramp to 50% at 4s rate"},
        {0x38, "020580", true, "GA 05 Set to 80"},
        {0x38, "020580", false, "GA 5 Set to 128"},
        {0x38, "0205FF", false, "GA 5 Set to 100%"},
        {0x38, "7A0500", false, "GA 5 Ramp to 0% at 17m rate"},
        {0x38, "0905", true, "GA 05 Terminate Ramp"},
        {0x38, "030105FA", true, "Learn Initiate Relay, GA 05"},
        {0x38, "03010500", true, "Learn Initiate Relay, GA 05, BAD CHECKSUM"},
        {0x38, "03030500", false, "Learn -Unknown-, GA 5, BAD CHECKSUM"},
        {0x38, "00", false, "Unknown"},
        {0x38, "0B050000", false, "Unknown"},
        {0x72, "7905", false, "GA 5 On"},
        {0x38, "79057905", false, "GA 5 On; GA 5 On"},
        {0xCA, "0105", false, "Ctrl: Grp 5 Off (0)"},
        {0xCA, "020580", false, "Ctrl: Grp 5 set to 128"},
        {0xCA, "0902", true, "Ctrl: Grp 02 Scene Indicator Kill"},
        {0xCB, "79FF", true, "Ctrl: Grp FF On (FF)"},
        {0xCA, "0A057F", false, "Ctrl: Grp 5 set to 127 over 4s - illegal Application Use"},
        {0xCA, "00", false, "Ctrl:  - Unknown"},
        {0xCA, "030105FA", false, "Ctrl:  - Unknown"},
    };
    for (const auto& r : rows) EXPECT_EQ(Phrase(d, r), r.expected) << r.commandBytes << " app " << r.app;
}

TEST(LabelDecoder, Phrases) {
    Decoder d;
    const Row rows[] = {
        {0x38, "A805000148656C6C6F", true, "GA 05 Label, Variant 00, Language 01 [English], Text label, 5 Bytes = \"Hello\""},
        {0x38, "A805000148656C6C6F", false, "GA 5 Label, Variant 0, Language 1 [English], Text label, 5 Bytes = \"Hello\""},
        {0x38, "A60521070D4869", true,
         "GA 05 Label, Variant 01, Language 0D [English (USA)], Action Selector 07, Text label, 2 Bytes = \"Hi\""},
        {0x38, "A4050020AB", true, "GA 05 Label, Variant 00, Language 20, Text label, 1 Bytes = \"\xC2\xAB\""},
        {0x38, "A6050201011234", true, "GA 05 Label, Variant 00, Language 01 [English], Predefined icon 1234"},
        {0x38, "A6050201011234", false, "GA 5 Label, Variant 0, Language 1 [English], Predefined icon 4660"},
        {0x38, "A605040101FF20", true, "GA 05 Label, Variant 00, Language 01 [English], Dynamic icon, 3 Bytes = 01 FF 20"},
        {0x38, "A6050A01011234", true, "GA 05 Label, Variant 00, Language 01 [English], No interpretation, 3 Bytes = 01 12 34"},
        {0x38, "A50506CA4142", true, "GA 05 Label, Variant 00, Language CA [Chinese], Set Preferred Language"},
        {0xCA, "A405000141", true, "Ctrl: Grp 05 Label, Variant 00, Language 01 [English], Text label, 1 Bytes = \"A\""},
        // Shorter than its fixed fields: no data, and nothing read beyond the message.
        {0x38, "A105", true, "GA 05 Label, Variant 00, Language 00, Text label, 0 Bytes = \"\""},
    };
    for (const auto& r : rows) EXPECT_EQ(Phrase(d, r), r.expected) << r.commandBytes;
}

TEST(LightingDecoder, ReportsLightingCommandsToTheObserverOnly) {
    Decoder d;
    std::vector<std::tuple<int, int, int, int>> seen;
    d.SetLightingObserver([&](int app, int cmd, int group, int level) { seen.emplace_back(app, cmd, group, level); });
    d.DecodeMessage("\\053800790502057F", 0x18);
    d.DecodeMessage("\\05CA00790502057F", 0x18);  // trigger control: never reported
    d.DecodeMessage("\\0538000A0380", 0x18);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_tuple(0x38, 0x79, 5, -1));
    EXPECT_EQ(seen[1], std::make_tuple(0x38, 0x02, 5, 0x7F));
    EXPECT_EQ(seen[2], std::make_tuple(0x38, 0x0A, 3, 0x80));
    d.SetLightingObserver({});
    d.DecodeMessage("\\0538007905", 0x18);
    EXPECT_EQ(seen.size(), 3u);
}

#include <gtest/gtest.h>

#include "decode/AppDirectory.h"
#include "decode/Decoder.h"

using namespace orvane;

TEST(AppDirectory, Names) {
    const NumberFormat dec{false}, hex{true};
    EXPECT_EQ(ApplicationName(hex, 0x38), "Lighting");
    EXPECT_EQ(ApplicationName(hex, 0x30), "Lighting (30)");
    EXPECT_EQ(ApplicationName(hex, 0x31), "Lighting (31)");
    EXPECT_EQ(ApplicationName(dec, 0x31), "Lighting (49)");
    EXPECT_EQ(ApplicationName(dec, 0x5F), "Lighting (95)");
    for (int reserved : {0x60, 0x74, 0x89, 0xCC, 0xCF, 0xFE, 0x00})
        EXPECT_EQ(ApplicationName(dec, reserved), "-RESERVED-") << reserved;
    EXPECT_EQ(ApplicationName(dec, 0x72), "Pool, Spa, Pond and Fountain");
    EXPECT_EQ(ApplicationName(dec, 0xFF), "Network Control");
}

TEST(AppDirectory, SharedCommandSetsDecodeAsLighting) {
    Decoder d;
    EXPECT_EQ(d.DecodeMessageSmart("05127200790500", 15), "Local Network, Source Unit 18, Pool, Spa, Pond and Fountain, GA 5 On");
    EXPECT_EQ(d.DecodeMessageSmart("05126000790500", 0x0C), "-RESERVED-, GA 5 On");
    for (int app : {0x26, 0x60, 0x6F, 0x70, 0x73, 0x74, 0x7F, 0x88})
        EXPECT_EQ(AppDecoderFor(app), AppDecoderFor(0x38)) << app;
    EXPECT_EQ(AppDecoderFor(0xCC), nullptr);
}

TEST(AppDirectory, LevelText) {
    const NumberFormat dec{false}, hex{true};
    struct Row { int level; const char* dec; const char* hex; };
    const Row rows[] = {
        {0, "0%", "0%"}, {1, "1", "01"}, {2, "1%", "1%"}, {3, "3", "03"}, {127, "50%", "50%"},
        {128, "128", "80"}, {254, "254", "FE"}, {255, "100%", "100%"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(LevelText(dec, r.level), r.dec) << r.level;
        EXPECT_EQ(LevelText(hex, r.level), r.hex) << r.level;
    }
}

TEST(AppDirectory, RampsAndLearnModes) {
    EXPECT_STREQ(RampRateText(0x02), "0s");
    EXPECT_STREQ(RampRateText(0x42), "1.5m");
    EXPECT_STREQ(RampRateText(0x7A), "17m");
    EXPECT_EQ(RampRateText(0x03), nullptr);
    int ramps = 0;
    for (int c = 0; c < 256; ++c) ramps += IsRampCode(c);
    EXPECT_EQ(ramps, 16);
    EXPECT_EQ(LearnModeText(0x01), "Initiate Relay");
    EXPECT_EQ(LearnModeText(0x83), "Exit Area");
    EXPECT_EQ(LearnModeText(0x03), "-Unknown-");
}

TEST(AppDirectory, AudioParameterText) {
    struct Row { int value, kind; const char* text; };
    const Row rows[] = {
        {5, 0, "5 min"},      {0, 1, "-70.0dB"},   {15, 1, "-40.0dB"},  {16, 1, "-38.0dB"},
        {31, 1, "-23.0dB"},   {32, 1, "-22.0dB"},  {57, 1, "-9.5dB"},   {58, 1, "-9.0dB"},
        {108, 1, "3.5dB"},    {109, 1, "3.6dB"},   {255, 1, "21.9dB"},  {0, 2, "-16.0dB"},
        {3, 2, "-16.0dB"},    {128, 3, "0.0dB"},   {252, 4, "15.5dB"},  {7, 5, "7"},
        {-8, 1, "-11.0dB"},
    };
    for (const auto& r : rows) EXPECT_EQ(AudioParameterText(r.value, r.kind), r.text) << r.value << "/" << r.kind;
}

TEST(AppDirectory, ApplicationSupportListing) {
    const NumberFormat dec{false}, hex{true};
    const std::string d = ApplicationSupportText(dec);
    EXPECT_EQ(d.rfind("Applications Supported by this version :", 0), 0u);
    EXPECT_NE(d.find("\r  25  Temperature Broadcast"), std::string::npos);
    EXPECT_NE(d.find("\r  48-95  Lighting\r"), std::string::npos);
    EXPECT_EQ(d.find("  56  "), std::string::npos);
    EXPECT_NE(d.find("\r  255  Network Control"), std::string::npos);
    const std::string h = ApplicationSupportText(hex);
    EXPECT_NE(h.find("\r  30-5F  Lighting"), std::string::npos);
    EXPECT_NE(h.find("\r  FF  Network Control"), std::string::npos);
}

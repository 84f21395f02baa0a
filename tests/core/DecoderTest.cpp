// Framing, headers and routing of the message decoder.
#include <gtest/gtest.h>

#include "decode/Decoder.h"

using namespace orvane;

namespace {

struct Row {
    const char* name;
    const char* text;
    int options;
    bool hex;
    int options1;  // the interface's options-1 register while decoding
    const char* expected;
};

constexpr int kSmart = OptConnect | OptSmart | OptIdmon;

class DecoderFixture : public ::testing::Test {
protected:
    Decoder decoder;
    std::string Decode(const Row& r) {
        decoder.Format().hex = r.hex;
        decoder.State().InterfaceOptions1 = r.options1;
        return decoder.DecodeMessage(r.text, r.options);
    }
};

}  // namespace

TEST_F(DecoderFixture, WordsEveryLineForm) {
    const Row rows[] = {
        {"smart lighting from unit 18", "05123800790533", 15, false, kSmart,
         "Local Network, Source Unit 18, Lighting, GA 5 On"},
        {"smart lighting, hex", "05123800790533", 15, true, kSmart,
         "Local Network, Source Unit 12, Lighting, GA 05 On"},
        {"unit only, decimal", "05123800790533", 0x01, false, kSmart, "Source Unit 18"},
        {"unit only, hex", "05123800790533", 0x01, true, kSmart, "Source Unit 12"},
        {"sent local SAL, data only", "\\0538007901", 0x18, true, 0, "GA 01 On"},
        {"sent local SAL, all words", "\\0538007901", 0x1F, true, 0,
         "Local Network, Multipoint, Lighting, GA 01 On"},
        {"sent with ack char", "\\0538007901g", 0x18, true, 0, "GA 01 On"},
        {"sent remote SAL", "\\03B112B2387901", 0x1F, true, 0, "Network B1B2, Multipoint, Lighting, GA 01 On"},
        {"sent without prefix goes to the route prefix", "A3300051", 0x11, false, 0, "Dest Unit 0, System Message"},
        {"sent to the interface itself", "@A3300051", 0x11, false, 0, "Dest Unit 0, System Message"},
        {"received echo of a sent command", "\\0538007901", 0x08, false, 0, "GA 1 On"},
        {"SAL without commands", "0512380000", 0x0C, false, kSmart, ""},
        {"checksum error reply", "!", 15, false, kSmart, "Checksum Error or Buffers Full"},
        {"OK reply", "g.", 15, false, kSmart, "OK"},
        {"no clock reply", "z%", 15, false, kSmart, "No Orvane Clock"},
        {"no acknowledgement", "h#", 15, false, kSmart, "No Acknowledgement"},
        {"corrupted", "k$", 15, false, kSmart, "Corrupted Transmission"},
        {"unknown reply", "g?", 15, false, kSmart, ""},
        {"basic-mode OK is too short", "g.", 15, false, 0, ""},
        {"basic-mode system message", "0800000000", 15, false, 0, "System Message"},
        {"basic-mode SAL", "0038790500", 15, false, 0, "Lighting, GA 5 On"},
        {"one command with its checksum", "05123800790133", 15, false, kSmart, "Local Network, Source Unit 18, Lighting, GA 1 On"},
        {"data reaching the checksum", "0512380079057A0133", 15, false, kSmart,
         "Local Network, Source Unit 18, Lighting, GA 5 On; LENGTH ERROR"},
        {"status MMI", "C038000000", 15, true, kSmart, "Status MMI, Application 38, Block Start = 00"},
        {"extended level MMI", "E04738200000", 15, true, kSmart,
         "Extended Format MMI, Non-Local, Level MMI, Application 38, Block Start = 20"},
        {"extended unknown MMI", "E00338000000", 15, false, kSmart,
         "Extended Format MMI, Local, Unknown MMI Type, Application 56, Block Start = 0"},
        {"point-to-point reply", "860B0B0082010000", 15, false, kSmart, "Local Network, Source Unit 11, System Message"},
        {"application without decoder keeps the separator", "0512CC00790179020F", 0x0C, false, kSmart,
         "-RESERVED-, ;"},
        {"not hex", "hello", 15, false, kSmart, ""},
        {"empty", "", 15, false, kSmart, ""},
    };
    for (const auto& r : rows) EXPECT_EQ(Decode(r), r.expected) << r.name;
}

TEST_F(DecoderFixture, NetworkControlFAIsAShortCommand) {
    // 0xFA with application 0xFF has two data bytes (low three bits); read as
    // a long command it would claim 26 and end in a length error.
    decoder.State().InterfaceOptions1 = kSmart;
    const auto s = decoder.DecodeMessage("0512FF00FA010200", 0x0C);
    EXPECT_EQ(s.find("LENGTH ERROR"), std::string::npos) << s;
    const auto lighting = decoder.DecodeMessage("05123800FA010200", 0x0C);
    EXPECT_NE(lighting.find("LENGTH ERROR"), std::string::npos) << lighting;
}

TEST_F(DecoderFixture, SentCommandsAreRebuiltIntoTheNormalLayout) {
    decoder.State().InterfaceOptions1 = 0;
    decoder.DecodeMessage("\\0538007901", 0x18);
    const auto& c = decoder.Context();
    const int expected[] = {0x05, 0x00, 0x38, 0x00, 0x79, 0x01, 0x00};
    ASSERT_EQ(c.MessageByteCount, 7);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(c.MessageBytes[i + 1], expected[i]) << i;

    decoder.DecodeMessage("\\03B112B2387901", 0x18);
    const int routed[] = {0x05, 0xB1, 0x38, 0x02, 0xB2, 0x00, 0x79, 0x01, 0x00};
    ASSERT_EQ(c.MessageByteCount, 9);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(c.MessageBytes[i + 1], routed[i]) << i;

    // With CHECKSUM on, no filler is added: the sent text carries its own.
    decoder.State().InterfaceOptions1 = OptChecksum;
    decoder.DecodeMessage("\\0538007901", 0x18);
    EXPECT_EQ(c.MessageByteCount, 6);
}

TEST_F(DecoderFixture, InterfaceAddressAndRoutePrefix) {
    decoder.State().PciUnitAddress = 0x0B;
    decoder.State().RoutePrefix = "2100";
    EXPECT_EQ(decoder.DecodeMessage("@A3300051", 0x11), "Dest Unit 11, System Message");
    EXPECT_EQ(decoder.DecodeMessage("A3300051", 0x11), "Dest Unit 33, System Message");
}

TEST_F(DecoderFixture, ReplyToTheLocalInterfaceIsConsumedOnce) {
    auto& st = decoder.State();
    st.InterfaceOptions1 = OptConnect | OptSmart;  // smart without IDMON
    st.PciUnitAddress = 0x0B;
    st.LastSentToLocalPci = true;
    EXPECT_EQ(decoder.DecodeMessage("8201000000", 0x09), "Source Unit 11, System Message");
    EXPECT_FALSE(st.LastSentToLocalPci);
    // The next one is taken as it stands: 0x82 is a point-to-point header
    // to unit 1.
    EXPECT_EQ(decoder.DecodeMessage("8201000000", 0x09), "Source Unit 1, System Message");
}

TEST_F(DecoderFixture, SmartDecodingRestoresTheInterfaceOptions) {
    decoder.State().InterfaceOptions1 = 0x08;
    EXPECT_EQ(decoder.DecodeMessageSmart("05123800790533", 15), "Local Network, Source Unit 18, Lighting, GA 5 On");
    EXPECT_EQ(decoder.State().InterfaceOptions1, 0x08);
}

TEST_F(DecoderFixture, LongLinesAreDecodedOnTheirFirst200Bytes) {
    std::string line = "05123800";
    for (int i = 0; i < 300; ++i) line += "7901";
    decoder.State().InterfaceOptions1 = kSmart;
    const auto s = decoder.DecodeMessage(line, 0x08);
    EXPECT_EQ(decoder.Context().MessageByteCount, 200);
    // The 200th byte is taken as the checksum, so the last command is cut.
    EXPECT_EQ(s.rfind("GA 1 On; LENGTH ERROR"), s.size() - 21);
}

TEST(MMIType, Texts) {
    EXPECT_EQ(MMITypeText(0x47), "Non-Local, Level MMI");
    EXPECT_EQ(MMITypeText(0x00), "Local, Status MMI");
    EXPECT_EQ(MMITypeText(0x05), "Local, Unknown MMI Type");
}

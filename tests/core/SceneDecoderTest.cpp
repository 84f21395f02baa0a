// Scene management commands (application 0xC9) as the decoder words them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SentPhrase.h"
#include "decode/Decoder.h"
#include "decode/apps/SceneText.h"

namespace orvane {
namespace {

struct Row {
    const char* commands;  // hex of the SAL commands after the header
    bool hex;              // "Hexadecimal Numbers"
    const char* expected;
};

std::string DecodeSent(const char* commands, bool hex) { return SentPhrase(0xC9, commands, hex); }

TEST(SceneDecoder, WordsEveryCommand) {
    const std::vector<Row> rows = {
        // Fade: signed amount and fade time stay decimal in hex mode.
        {"0501F6000500", true, "Scn: Fade TG=01, Amount=-10%, Time=5 sec, Options=Off-NoModAfter, Normal, Inh:0"},
        {"05807F800218", true, "Scn: Fade TG=80, Amount=127%, Time=120 sec, Options=Off+Modify, Cross-Fade, Inh:0"},
        {"0580807FFF07", false, "Scn: Fade TG=128, Amount=-128%, Time=163830 sec, Options=Off-NoModAfter, Normal, Inh:7"},
        {"0D0A0B40030A", true, "Scn: SuperSet TG=0A, AS=0B, Time=30 sec, Options=Off-NoModAfter, Cross-Fade, Inh:2"},
        {"0D0A0B40030A", false, "Scn: SuperSet TG=10, AS=11, Time=30 sec, Options=Off-NoModAfter, Cross-Fade, Inh:2"},
        {"1401C00012", true, "Scn: Off TG=01, Time=(Invalid Fade time) sec, Options=Off+Modify, Normal, Inh:2"},
        {"1401BFFF00", false, "Scn: Off TG=1, Time=982980 sec, Options=Off-NoModAfter, Normal, Inh:0"},
        {"14013FFF00", false, "Scn: Off TG=1, Time=16383 sec, Options=Off-NoModAfter, Normal, Inh:0"},
        {"3A0102", true, "Scn: SavChngs TG=01, AS=02"},
        {"45010203C8FF", true, "Scn: AddGrp TG=01, AS=02, UA=03, GA=C8, Lvl=FF"},
        {"45010203C8FF", false, "Scn: AddGrp TG=1, AS=2, UA=3, GA=200, Lvl=255"},
        // Edit places the options between the group and the level.
        {"4F01021011FF0002", true,
         "Scn: EditGrp TG=01, AS=02, GA=10, Options=Off+Modify, Normal, Inh:1, Lvl=FF, Time=2 sec"},
        {"4F01021011FF0002", false,
         "Scn: EditGrp TG=1, AS=2, GA=16, Options=Off+Modify, Normal, Inh:1, Lvl=255, Time=2 sec"},
        {"5401020304", true, "Scn: DeleteGrp TG=01, AS=02, UA=03, GA=04"},
        {"5A0105", true, "Scn: , Ignore Levels on UA 05"},
        {"5A0010", true, "Scn: , Accept Levels on UA 10"},
        {"5A0010", false, "Scn: , Accept Levels on UA 16"},
        {"790A", true, "Scn: DiscoverTrig Code=0A"},
        {"7A0506", true, "Scn: DiscoverAS Code=05 TG=06"},
        {"7B010203", false, "Scn: DiscoverTags Code=1 TG=2 AS=3"},
        {"7B0A0B0C", true, "Scn: DiscoverTags Code=0A TG=0B AS=0C"},
        // Command bytes outside the set.
        {"0100", true, "Scn: Unknown"},
        {"00", true, "Scn: Unknown"},
        {"7F01020304050607", true, "Scn: Unknown"},
        // Several commands, and one that runs past the message.
        {"3A01027905", true, "Scn: SavChngs TG=01, AS=02; Scn: DiscoverTrig Code=05"},
        {"3A01020D0102", true, "Scn: SavChngs TG=01, AS=02; LENGTH ERROR"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.commands) + (r.hex ? " hex" : " dec"));
        EXPECT_EQ(DecodeSent(r.commands, r.hex), r.expected);
    }
}

TEST(SceneDecoder, ReceivedLineCarriesHeaderWords) {
    Decoder d;
    // 05 12 C9 00 3A 01 02 + checksum
    EXPECT_EQ(d.DecodeMessageSmart("0512C9003A0102E3", 15),
              "Local Network, Source Unit 18, Adv Scene Mgt, Scn: SavChngs TG=1, AS=2");
}

TEST(SceneDecoder, ValueWordings) {
    EXPECT_EQ(SceneFadeTimeText(0x0005), "5 sec");
    EXPECT_EQ(SceneFadeTimeText(0x4003), "30 sec");
    EXPECT_EQ(SceneFadeTimeText(0x8002), "120 sec");
    EXPECT_EQ(SceneFadeTimeText(0xC001), "(Invalid Fade time) sec");
    EXPECT_EQ(SceneOptionsText(0x0A), ", Options=Off-NoModAfter, Cross-Fade, Inh:2");
    EXPECT_EQ(SceneOptionsText(0x12), ", Options=Off+Modify, Normal, Inh:2");
    EXPECT_EQ(SignedDecimalText(0xF6), "-10");
    EXPECT_EQ(SignedDecimalText(0x9C), "-100");
    EXPECT_EQ(SignedDecimalText(0x32), "50");
}

}  // namespace
}  // namespace orvane

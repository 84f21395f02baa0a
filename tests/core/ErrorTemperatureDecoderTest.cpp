// Error reporting (0xCE) and temperature broadcast (0x19) commands as the
// decoder words them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/Decoder.h"
#include "decode/apps/ErrorText.h"

namespace orvane {
namespace {

struct Row {
    const char* commands;  // hex of the SAL commands after the header
    bool hex;              // "Hexadecimal Numbers"
    const char* expected;
};

void Check(const char* header, const std::vector<Row>& rows) {
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.commands) + (r.hex ? " hex" : " dec"));
        Decoder d;
        d.Format().hex = r.hex;
        EXPECT_EQ(d.DecodeMessage(std::string(header) + r.commands, DecodeShowData | DecodeSentCommand), r.expected);
    }
}

TEST(ErrorReportDecoder, WordsReportsAcknowledgementsAndClears) {
    Check("\\05CE00", {
        {"155028051234", false,
         "Error Report: Input:Key Unit, Device 5, All OK, Flags: MostRecent, MostSevere, Data = 1234"},
        {"055028051234", false,
         "Error Report: Input:Key Unit, Device 5, All OK, Flags: MostRecent, MostSevere, Data = 1234"},
        // The device follows the display mode, the fault data never does.
        {"25D4190A00FF", true, "Error Acknowledge: Output:Relay, Device 0A, OK, Flags: Ack, MostSevere, Data = 00FF"},
        {"25D4190A00FF", false, "Error Acknowledge: Output:Relay, Device 10, OK, Flags: Ack, MostSevere, Data = 00FF"},
        // Clearing carries no severity.
        {"35B00FFFABCD", false, "Error Clear_Most_Severe: BMS:Diagnostic, Device 255, Flags: MostSevere, Data = ABCD"},
        {"35B00F0A0000", true, "Error Clear_Most_Severe: BMS:Diagnostic, Device 0A, Flags: MostSevere, Data = 0000"},
    });
}

TEST(ErrorReportDecoder, CategoriesSeveritiesAndFlags) {
    Check("\\05CE00", {
        {"155107000000", false, "Error Report: Input:Telecommand, Device 0, Severity 7, Flags: None, Data = 0000"},
        // Qualifier bits that are not 0 make the category unknown.
        {"155040010000", false, "Error Report: Unknown System Category, Device 1, All OK, Flags: None, Data = 0000"},
        {"15D0C0010000", false, "Error Report: Unknown System Category, Device 1, All OK, Flags: None, Data = 0000"},
        {"150000010000", false, "Error Report: Unknown System Category, Device 1, All OK, Flags: None, Data = 0000"},
        {"15D73A020102", false,
         "Error Report: Output:Sine Dimmer, Device 2, Minor Failure, Flags: MostRecent, Ack, MostSevere, Data = 0102"},
        {"15DA23020000", false,
         "Error Report: Output:DALI/DSI/Ballast, Device 2, General Failure, Flags: MostRecent, Data = 0000"},
        {"15DE04020000", false, "Error Report: Output:Device Controller, Device 2, Extreme Failure, Flags: None, Data = 0000"},
        {"15DD15020000", false, "Error Report: Output:Uni Mono Dimmer, Device 2, Severity 5, Flags: Ack, Data = 0000"},
        {"15DB0E020000", true, "Error Report: Output:Modular Dimmer, Device 02, Severity 6, Flags: MostSevere, Data = 0000"},
        {"15D101020000", false, "Error Report: Output:TE Mono Dimmer, Device 2, OK, Flags: None, Data = 0000"},
        {"15D601020000", false, "Error Report: Output:PWM Dimmer, Device 2, OK, Flags: None, Data = 0000"},
        {"15D001020000", false, "Error Report: Output:LE Mono Dimmer, Device 2, OK, Flags: None, Data = 0000"},
    });
}

TEST(ErrorReportDecoder, UnknownCommandsAndSeveralCommands) {
    Check("\\05CE00", {
        {"455028051234", false, "Error: Unknown"},
        {"0100", false, "Error: Unknown"},
        {"15502805123425D4190A00FF", false,
         "Error Report: Input:Key Unit, Device 5, All OK, Flags: MostRecent, MostSevere, Data = 1234; "
         "Error Acknowledge: Output:Relay, Device 10, OK, Flags: Ack, MostSevere, Data = 00FF"},
        {"15502805123425D4", false,
         "Error Report: Input:Key Unit, Device 5, All OK, Flags: MostRecent, MostSevere, Data = 1234; LENGTH ERROR"},
    });
}

TEST(ErrorReportDecoder, CategoryNamesAndKeysMatch) {
    for (const SystemCategory& c : SystemCategoryTable) {
        EXPECT_EQ(SystemCategoryText(c.key), c.name);
        EXPECT_EQ(SystemCategoryKey(c.name), c.key) << c.name;
    }
    EXPECT_EQ(SystemCategoryTable.front().key, 0x5000);
    EXPECT_EQ(SystemCategoryTable.back().key, 0xDE00);
    EXPECT_EQ(SystemCategoryKey("Output:Relay"), 0xD400);
    EXPECT_EQ(SystemCategoryKey("Unknown System Category"), 0);
    EXPECT_EQ(SystemCategoryKey("output:relay"), 0);
}

TEST(TemperatureBroadcastDecoder, WordsGroupAndTemperature) {
    Check("\\051900", {
        {"020158", false, "Temp Brdcst: Grp 1 is at 22.0 C"},
        {"020105", false, "Temp Brdcst: Grp 1 is at  1.3 C"},
        {"020164", false, "Temp Brdcst: Grp 1 is at 25.0 C"},
        {"020115", false, "Temp Brdcst: Grp 1 is at  5.3 C"},
        {"020102", false, "Temp Brdcst: Grp 1 is at  0.5 C"},
        {"020103", false, "Temp Brdcst: Grp 1 is at  0.8 C"},
        {"020100", false, "Temp Brdcst: Grp 1 is at  0.0 C"},
        {"020128", false, "Temp Brdcst: Grp 1 is at 10.0 C"},
        {"0201FF", false, "Temp Brdcst: Grp 1 is at 63.8 C"},
        {"020A58", true, "Temp Brdcst: Grp 0A is at 22.0 C"},
        {"020A58", false, "Temp Brdcst: Grp 10 is at 22.0 C"},
        {"0101", false, "Unknown"},
        {"00", false, "Unknown"},
        {"0201580202FF", false, "Temp Brdcst: Grp 1 is at 22.0 C; Temp Brdcst: Grp 2 is at 63.8 C"},
        {"020158020A", false, "Temp Brdcst: Grp 1 is at 22.0 C; LENGTH ERROR"},
    });
}

}  // namespace
}  // namespace orvane

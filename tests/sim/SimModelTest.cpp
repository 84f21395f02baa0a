// The simulated interface, byte for byte: what goes in, what comes out.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "SimInterface.h"
#include "SimNetwork.h"
#include "decode/Hex.h"

using namespace orvane::sim;

namespace {

// Hex text of a line followed by its checksum and CR LF, worked out here
// independently of the simulator.
std::string L(const std::string& hex) {
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) sum += static_cast<unsigned>(std::stoi(hex.substr(i, 2), nullptr, 16));
    char cs[3];
    std::snprintf(cs, sizeof cs, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    return hex + cs + "\r\n";
}

// The same without the line end.
std::string C(const std::string& hex) {
    std::string line = L(hex);
    return line.substr(0, line.size() - 2);
}

std::string AsciiHex(const std::string& text) {
    std::string out;
    for (unsigned char c : text) out += orvane::UpperHex2(c);
    return out;
}

const std::string kDefault = "~~~\rA3300051\r";  // the connect sequence's default mode

struct Case {
    const char* name;
    std::vector<std::string> setup;  // fed first, answers ignored
    std::string in;
    std::string out;
};

SimInterface Fresh(SimOptions options = {}) { return SimInterface(DefaultNetwork(), options); }

void RunCases(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SimInterface sim = Fresh();
        for (const auto& s : c.setup) sim.Receive(s);
        EXPECT_EQ(sim.Receive(c.in), c.out) << c.name;
    }
}

TEST(SimInterfaceTest, ModesEchoAndReset) {
    RunCases({
        {"basic mode echoes the reset characters and the CR with LF", {}, "~~~\r", "~~~\r\n"},
        {"the default-mode write is echoed in basic mode, then acknowledged with the IDMON header",
         {"~~~\r"}, "A3300051\r", "A3300051\r\n" + L("86FEFE00323000")},
        {"smart mode with IDMON wraps a local reply in 86 a a 00", {kDefault}, "1A2001\r", "86FEFE008220FEDE\r\n"},
        {"smart mode does not echo; options 1 read back as 51", {kDefault}, "1A3001\r", L("86FEFE00823051")},
        {"~ clears options 1 and echoes again", {kDefault}, "~1A3001\r", "~1A3001\r\n" + L("823000")},
        {"|| selects smart mode: CONNECT and SMART, no IDMON header on local replies",
         {"~~~\r"}, "||\r1A3001\r", L("823011")},
        {"a reset in the middle of a line throws the start away", {kDefault}, "1A20~1A2001\r", "~1A2001\r\n" + L("8220FE")},
        {"an empty line is ignored", {kDefault}, "\r\r", ""},
        {"a line that is not hex is ignored", {kDefault}, "ZZ12\r1A2\r", ""},
        {"a line feed from the client is no line end", {kDefault}, "1A20\n01\r", "86FEFE008220FEDE\r\n"},
    });
}

TEST(SimInterfaceTest, AcknowledgementCharacters) {
    std::vector<Case> cases = {
        {"a SAL command with an ack character is confirmed", {kDefault}, "\\0538007905g\r", "g."},
        {"a command to the interface is confirmed before its reply", {kDefault}, "1A2001h\r", "h.86FEFE008220FEDE\r\n"},
        {"a point-to-point command to an absent unit gets no acknowledgement", {kDefault}, "\\0644002101k\r", "k#"},
        {"a command routed over a bridge that is not there gets none either", {kDefault}, "\\060109022101k\r", "k#"},
        {"without an ack character nothing confirms", {kDefault}, "\\0538007905\r", ""},
        {"z is the last acknowledgement character", {kDefault}, "\\0538007905z\r", "z."},
    };
    RunCases(cases);

    struct Fault {
        const char* name;
        void (SimInterface::*set)(bool);
        std::string answer;
    };
    for (const Fault& f : {Fault{"no acknowledgement", &SimInterface::SetNoAcknowledge, "g#"},
                           Fault{"corrupted transmission", &SimInterface::SetCorruptedTransmission, "g$"},
                           Fault{"no bus clock", &SimInterface::SetNoClock, "g%"}}) {
        SimInterface sim = Fresh();
        sim.Receive(kDefault);
        (sim.*f.set)(true);
        EXPECT_EQ(sim.Receive("\\0538007905g\r"), f.answer) << f.name;
        EXPECT_EQ(sim.GroupsReport(0x38).find("05=FF"), std::string::npos) << f.name << ": the command must not take effect";
        // Commands to the interface itself do not go onto the bus.
        EXPECT_EQ(sim.Receive("1A2001h\r"), "h.86FEFE008220FEDE\r\n") << f.name;
        (sim.*f.set)(false);
        EXPECT_EQ(sim.Receive("\\0538007905g\r"), "g.") << f.name;
        EXPECT_NE(sim.GroupsReport(0x38).find("05=FF"), std::string::npos) << f.name;
    }
}

TEST(SimInterfaceTest, ChecksumChecking) {
    const std::vector<std::string> checksumOn = {"~~~\rA3300059\r"};  // CONNECT, CHECKSUM, SMART, IDMON
    RunCases({
        {"a wrong checksum is answered with !", checksumOn, "\\0538007905FFg\r", "!"},
        {"a right checksum is accepted", checksumOn, "\\053800790545g\r", "g."},
        {"the checksum of a command to the interface is checked too", checksumOn, "1A200100\r", "!"},
        {"and with the right one it is answered", checksumOn, "1A2001C5\r", "86FEFE008220FEDE\r\n"},
        {"without CHECKSUM the same line is taken as it is", {kDefault}, "\\0538007905g\r", "g."},
    });
}

TEST(SimInterfaceTest, ParameterReadsAndWrites) {
    RunCases({
        {"a read of two parameters answers 83", {kDefault}, "1A2102\r", L("86FEFE008321FFFF")},
        {"a write of two parameters is acknowledged with 32 and the first", {kDefault}, "@A421003839\r", L("86FEFE00322100")},
        {"and reads back", {kDefault, "@A421003839\r"}, "1A2102\r", L("86FEFE0083213839")},
        {"power-up options, options 2 and 3 as the model read expects",
         {kDefault}, "1A4101\r1A3E01\r1A4201\r", L("86FEFE00824100") + L("86FEFE00823E01") + L("86FEFE00824200")},
        {"recall, unlock, store answers the current value", {kDefault}, "1130\r", L("86FEFE00823051")},
        {"a write that names more values than it carries is ignored", {kDefault}, "@A42100\r", ""},
        {"a read of more than fourteen values is ignored", {kDefault}, "1A200F\r", ""},
        {"blanks make a line that is not hex", {kDefault}, "1A FE 03\r", ""},
        {"a read at FE with three values is cut to two", {kDefault}, "1AFE03\r", L("86FEFE0083FE2000")},
        {"the same write without IDMON gives a bare reply", {"~~~\r||\r"}, "@A3210038\r", L("322100")},
        {"a RAM read answers with eight bytes", {kDefault}, "2A0008\r",
         L("86FEFE008900FE050C131A21282F")},
    });
}

TEST(SimInterfaceTest, OptionWritesChangeTheInterface) {
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    EXPECT_EQ(sim.Options1(), 0x51);
    // All-monitor mode: acknowledged in the form that matches 324000*.
    EXPECT_EQ(sim.Receive("@A3400048\r"), L("86FEFE00324000"));
    EXPECT_EQ(sim.Options1(), 0x53);
    EXPECT_TRUE(sim.AllMonitor());
    // Another value in parameter 0x40 does not switch it on.
    sim.Receive("~~~\rA3300051\r@A3400047\r");
    EXPECT_FALSE(sim.AllMonitor());
    // A write of options 1 through "@" takes effect at once.
    EXPECT_EQ(sim.Receive("@A3300059\r"), L("86FEFE00323000"));
    EXPECT_EQ(sim.Options1(), 0x59);
}

TEST(SimInterfaceTest, IdentifyAttributes) {
    const std::vector<std::string> setup = {kDefault};
    RunCases({
        {"manufacturer", setup, "2100\r", L("86FEFE008900" + AsciiHex("VELDANE "))},
        {"unit type", setup, "2101\r", L("86FEFE008901" + AsciiHex("PC_INT  "))},
        {"firmware version", setup, "2102\r", L("86FEFE008902" + AsciiHex("4.10.00 "))},
        {"serial number, the last eight of 24 digits from character 15", setup, "2104\r",
         L("86FEFE008D04" "0100000000" "0011C33E" "000000")},
        {"network voltage, five characters", setup, "2107\r", L("86FEFE008607" + AsciiHex("36.1V"))},
        {"an attribute the units do not know gets no answer", setup, "2109\r", ""},
        {"another unit answers with its own address in the header", setup, "\\0603002101\r",
         L("8603FE00" "8901" + AsciiHex("DIMMER4 "))},
        {"a command without prefix goes on to the last unit addressed", {kDefault, "\\0603002101\r"}, "2102\r",
         L("8603FE00" "8902" + AsciiHex("3.01    "))},
        {"addressing the interface's own address brings it back", {kDefault, "\\0603002101\r", "\\06FE002101\r"}, "2102\r",
         L("86FEFE008902" + AsciiHex("4.10.00 "))},
        {"the reset brings it back too", {kDefault, "\\0603002101\r"}, "~~~\rA3300051\r2102\r",
         "~~~\r\nA3300051\r\n" + L("86FEFE00323000") + L("86FEFE008902" + AsciiHex("4.10.00 "))},
        {"of the two units at a conflicting address the first answers", setup, "\\060C002101\r",
         L("860CFE00" "8901" + AsciiHex("RELAY4  "))},
    });
}

TEST(SimInterfaceTest, ProjectAndPartNamesArePacked) {
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    const std::string project = sim.Receive("1A2306\r");
    const std::string part = sim.Receive("1A2A06\r");
    ASSERT_EQ(project.substr(0, 12), "86FEFE008723");
    ASSERT_EQ(part.substr(0, 12), "86FEFE00872A");
    EXPECT_EQ(orvane::PackedNameText(project.substr(12, 12)), "DEMONET ");
    EXPECT_EQ(orvane::PackedNameText(part.substr(12, 12)), "PC_INT  ");
}

TEST(SimInterfaceTest, SerialNumberReadsAsBatchAndNumber) {
    // The serial text is the decimal of the first five digits and of the last three.
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    const std::string reply = sim.Receive("2104\r").substr(8);  // header removed
    const std::string s = reply.substr(14, 8);
    EXPECT_EQ(orvane::HexValue(s.substr(0, 5)), 30 + 0xFE);
    EXPECT_EQ(orvane::HexValue(s.substr(5, 3)), 0x240 + 0xFE);
}

TEST(SimInterfaceTest, OlderInterfaceHasNoAtCommands) {
    Network net = DefaultNetwork();
    net.units[static_cast<std::size_t>(net.InterfaceIndex())].firmware = "3.11";
    SimInterface sim(net, {});
    sim.Receive(kDefault);
    EXPECT_EQ(sim.Receive("@1A2001g\r"), "");
    EXPECT_EQ(sim.Receive("2102\r"), L("86FEFE008902" + AsciiHex("3.11    ")));
    // Its interface commands go through the basic-mode form.
    EXPECT_EQ(sim.Receive("~~~1A2001\r"), "~~~1A2001\r\n" + L("8220FE"));
}

TEST(SimInterfaceTest, InstallationMmiReportsPresentUnitsAndTheConflict) {
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    const std::string out = sim.Receive("\\05FF007AFF00g\r");
    ASSERT_EQ(out.substr(0, 2), "g.");
    // Four status blocks of 64 addresses (D2 = C2 + 16 bytes), the last reaching 255.
    std::vector<std::string> lines;
    for (std::size_t p = 2; p < out.size();) {
        auto e = out.find("\r\n", p);
        lines.push_back(out.substr(p, e - p));
        p = e + 2;
    }
    ASSERT_EQ(lines.size(), 4u);
    // Units 01-04 present, 0C a conflict; 10-12, 20-22, 30 and FE present.
    EXPECT_EQ(lines[0], C("D2FF00" "54010003150000001500000001000000"));
    EXPECT_EQ(lines[1], C("D2FF40" "00000000000000000000000000000000"));
    EXPECT_EQ(lines[2], C("D2FF80" "00000000000000000000000000000000"));
    EXPECT_EQ(lines[3], C("D2FFC0" "00000000000000000000000000000010"));
}

TEST(SimInterfaceTest, ApplicationMmiFollowsLightingCommands) {
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    // Group 09 on (relay 2), 11-13 at 80, 14 shared by two dimmers at 80 and 00.
    std::string before = sim.Receive("\\05FF007A3800\r");
    // Addresses 00-03: 00 absent, 01-03 off (10) -> A8; 04-07 off -> AA; 08 off, 09 on, 0A-0B off -> A6.
    EXPECT_EQ(before.substr(0, 14), "D23800A8AAA6AA");
    // 10 off, 11-13 on -> 56; 14 error (11), 15-17 off -> AB.
    EXPECT_EQ(before.substr(14, 4), "56AB");

    EXPECT_EQ(sim.Receive("\\0538007914790179080114g\r"), "g.");
    std::string after = sim.Receive("\\05FF007A3800\r");
    // 01 now on -> A4; 08 on -> 09 on -> A5; 14 off for both -> AA.
    EXPECT_EQ(after.substr(0, 18), "D23800A4AAA5AA56AA");
    EXPECT_EQ(sim.GroupsReport(0x38).substr(0, 18), "38 01=FF 02=00 03=");
}

TEST(SimInterfaceTest, ExtendedStatusRepliesWhenExstatIsSet) {
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    sim.Receive("@A3420008\r");
    const std::string out = sim.Receive("\\05FF007AFF00\r");
    // F3 = E3 + 16 bytes, coding byte 00, application, block start.
    EXPECT_EQ(out.substr(0, 8), "F300FF00");
    EXPECT_EQ(out.substr(8, 8), "54010003");
    EXPECT_NE(out.find("F300FFC0"), std::string::npos);
}

TEST(SimInterfaceTest, LevelMmiUsesNibbleCodes) {
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    sim.Receive("\\0538000A0133\r");  // group 01 ramps to 0x33
    const std::string out = sim.Receive("\\05FF0073073800\r");
    // Four lines of eight levels each (F3 = E3 + 2 * 8), coding byte 07.
    std::vector<std::string> lines;
    for (std::size_t p = 0; p < out.size();) {
        auto e = out.find("\r\n", p);
        lines.push_back(out.substr(p, e - p));
        p = e + 2;
    }
    ASSERT_EQ(lines.size(), 4u);
    // Group 00 not present (00 00); 01 = 0x33 (low 3 -> A5, high 3 -> A5); 02-07 at 0 (AA AA).
    EXPECT_EQ(lines[0], C("F3073800" "0000" "A5A5" "AAAA" "AAAA" "AAAA" "AAAA" "AAAA" "AAAA"));
    EXPECT_EQ(lines[1].substr(0, 8), "F3073808");
    // 08 at 0, 09 at FF (55 55).
    EXPECT_EQ(lines[1].substr(8, 8), "AAAA5555");
    // Group 14 held at 80 and 00 by two units: 80 is AA 6A, 00 is AA AA: the high code overlays to EA, not a code.
    EXPECT_EQ(lines[2].substr(0, 8), "F3073810");
    EXPECT_EQ(lines[2].substr(8 + 4 * 4, 4), "AAEA");
    EXPECT_EQ(lines[3].substr(0, 8), "F3073818");
    // Each line's checksum makes its bytes add up to zero.
    for (const auto& line : lines) EXPECT_EQ(orvane::ChecksumText(line), "00") << line;
}

TEST(SimInterfaceTest, LevelMmiBlockEndsWhereTheClientWaits) {
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    const std::string out = sim.Receive("\\05FF00730738E0\r");
    EXPECT_NE(out.find("F30738F8"), std::string::npos);  // the last line covers F8..FF
    EXPECT_EQ(out.find("F3073900"), std::string::npos);
}

TEST(SimInterfaceTest, SerialRateRepair) {
    SimOptions options;
    options.serialRate = 2400;
    SimInterface sim(DefaultNetwork(), options);
    sim.SetClientRate(9600);
    EXPECT_EQ(sim.Receive("~~~\r"), "") << "at the wrong rate nothing is understood";
    sim.SetClientRate(2400);
    EXPECT_EQ(sim.Receive("~~~A33D00FF\r"), "~~~A33D00FF\r\n" + L("323D00"));
    EXPECT_EQ(sim.SerialRate(), 9600);
    sim.SetClientRate(9600);
    EXPECT_EQ(sim.Receive("~~~\r"), "~~~\r\n");
}

TEST(SimInterfaceTest, LineEndsWithoutLineFeed) {
    SimOptions options;
    options.lineFeed = false;
    SimInterface sim(DefaultNetwork(), options);
    EXPECT_EQ(sim.Receive("~~~\rA3300051\r"), "~~~\rA3300051\r86FEFE003230001C\r");
}

TEST(SimInterfaceTest, OverlongLineIsDroppedAndAnsweredAsFullBuffers) {
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    const std::string chunk(64 * 1024, 'A');
    std::string out;
    for (int i = 0; i < 16; ++i) out += sim.Receive(chunk);  // 1 MB without CR
    EXPECT_EQ(out, "");
    EXPECT_EQ(sim.Receive("\r"), "!");
    EXPECT_EQ(sim.Receive("1A2001\r"), "86FEFE008220FEDE\r\n");
    // The line kept for the control channel is bounded as well.
    ASSERT_FALSE(sim.ReceivedLines().empty());
    EXPECT_LE(sim.ReceivedLines()[sim.ReceivedLines().size() - 2].size(), kMaxLineLength);
}

TEST(SimInterfaceTest, GarbageNeverStopsTheInterface) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        SimInterface sim = Fresh();
        sim.Receive(kDefault);
        std::string junk;
        for (int i = 0; i < 5000; ++i) junk += static_cast<char>(rng() & 0xFF);
        sim.Receive(junk);
        sim.Receive("\\05FF00\r\\06\r@\r\\0538\r\\05FF007A\r\\05FF0073\r\\06FE00A3\r1A\r21\r");
        EXPECT_EQ(sim.Receive("~~~\r"), "~~~\r\n") << "round " << round;
    }
}

TEST(SimInterfaceTest, RandomCommandsNeverStopTheInterface) {
    // Well-formed hex with every prefix, header and command byte, in every mode.
    std::mt19937 rng(11);
    const char* modes[] = {"~~~\r", "~~~\rA3300051\r", "~~~\rA3300059\r", "~~~\rA3300051\r@A3400048\r", "~~~\r||\r"};
    const char* prefixes[] = {"", "\\", "@", "\\05FF00", "\\06", "\\0538", "\\05FF0073", "\\06FE00", "\\060300"};
    for (const char* mode : modes) {
        SimOptions options;
        options.trafficRate = 100;
        SimInterface sim(DefaultNetwork(), options);
        sim.Receive(mode);
        for (int i = 0; i < 3000; ++i) {
            std::string line = prefixes[rng() % std::size(prefixes)];
            const int n = static_cast<int>(rng() % 40);
            for (int k = 0; k < n; ++k) line += orvane::UpperHex2(static_cast<int>(rng() & 0xFF));
            if (rng() % 2) line += static_cast<char>('g' + rng() % 20);
            sim.Receive(line + "\r", i * 0.001);
            sim.Advance(i * 0.001);
        }
        sim.Receive("~~~\r");
        EXPECT_EQ(sim.Receive("~~~\r"), "~~~\r\n") << mode;
    }
}

TEST(SimInterfaceTest, ReceivedLinesAreKept) {
    SimInterface sim = Fresh();
    sim.Receive("~~~\rA3300051\r1A2001g\r\x01\r");
    ASSERT_EQ(sim.ReceivedLines().size(), 4u);
    EXPECT_EQ(sim.ReceivedLines()[0], "~~~");
    EXPECT_EQ(sim.ReceivedLines()[1], "A3300051");
    EXPECT_EQ(sim.ReceivedLines()[2], "1A2001g");
    EXPECT_EQ(sim.ReceivedLines()[3], "<1>");
}

// Traffic of the other units.

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t p = 0; p < text.size();) {
        auto e = text.find("\r\n", p);
        if (e == std::string::npos) break;
        lines.push_back(text.substr(p, e - p));
        p = e + 2;
    }
    return lines;
}

std::string RunTraffic(SimInterface& sim, double seconds, double from = 0) {
    std::string out;
    for (double t = from; t <= from + seconds + 1e-9; t += 0.01) out += sim.Advance(t);
    return out;
}

TEST(SimTrafficTest, SmartModeReportsAboutTheRate) {
    SimOptions options;
    options.trafficRate = 20;
    options.seed = 3;
    SimInterface sim(DefaultNetwork(), options);
    sim.Receive(kDefault);
    auto lines = Lines(RunTraffic(sim, 10));
    // Status reports (about one in twenty) show only in all-monitor mode.
    EXPECT_GE(lines.size(), 170u);
    EXPECT_LE(lines.size(), 200u);
    int lighting = 0, errors = 0, other = 0;
    for (const auto& line : lines) {
        ASSERT_TRUE(orvane::IsHexText(line)) << line;
        EXPECT_EQ(line.substr(0, 2), "05") << line;
        EXPECT_EQ(line.substr(6, 2), "00") << "route length: " << line;
        EXPECT_EQ(orvane::ChecksumText(line), "00") << line;
        const std::string app = line.substr(4, 2);
        if (app == "38" || app == "39") ++lighting;
        else if (app == "CE") ++errors;
        else ++other;
    }
    EXPECT_GT(lighting, 0);
    EXPECT_GT(errors, 0);
    EXPECT_GT(other, 0);
}

TEST(SimTrafficTest, NothingIsReportedInBasicMode) {
    SimOptions options;
    options.trafficRate = 50;
    SimInterface sim(DefaultNetwork(), options);
    sim.Receive("~~~\r");
    EXPECT_EQ(RunTraffic(sim, 1), "");
}

TEST(SimTrafficTest, MonitoredApplicationsFilter) {
    SimOptions options;
    options.trafficRate = 50;
    SimInterface sim(DefaultNetwork(), options);
    sim.Receive(kDefault);
    sim.Receive("@A421003838\r");
    auto lines = Lines(RunTraffic(sim, 2));
    ASSERT_FALSE(lines.empty());
    for (const auto& line : lines) EXPECT_EQ(line.substr(4, 2), "38") << line;
}

TEST(SimTrafficTest, SameSeedSameTraffic) {
    SimOptions options;
    options.trafficRate = 30;
    options.seed = 42;
    SimInterface a(DefaultNetwork(), options), b(DefaultNetwork(), options);
    a.Receive(kDefault);
    b.Receive(kDefault);
    EXPECT_EQ(RunTraffic(a, 2), RunTraffic(b, 2));
    options.seed = 43;
    SimInterface c(DefaultNetwork(), options);
    c.Receive(kDefault);
    EXPECT_NE(RunTraffic(a, 2, 2.01), RunTraffic(c, 2));
}

TEST(SimTrafficTest, TrafficKeepsTheGroupsConsistent) {
    SimOptions options;
    options.trafficRate = 200;
    SimInterface sim(DefaultNetwork(), options);
    sim.Receive(kDefault);
    RunTraffic(sim, 2);
    // Every reported lighting command has been applied: the level MMI agrees
    // with the groups the control channel reports.
    const std::string report = sim.GroupsReport(0x38);
    const std::string level = sim.Receive("\\05FF0073073800\r");
    auto lines = Lines(level);
    ASSERT_EQ(lines.size(), 4u);
    // Group 01 lives on one relay only, so its level is valid.
    const std::string pair = lines[0].substr(12, 4);
    auto nibble = [](const std::string& code) {
        static const std::string codes[16] = {"AA", "A9", "A6", "A5", "9A", "99", "96", "95", "6A", "69", "66", "65", "5A", "59", "56", "55"};
        for (int i = 0; i < 16; ++i)
            if (codes[i] == code) return i;
        return -1;
    };
    const int value = nibble(pair.substr(2, 2)) * 16 + nibble(pair.substr(0, 2));
    EXPECT_NE(report.find("01=" + orvane::UpperHex2(value)), std::string::npos) << report << " / " << pair;
}

TEST(SimTrafficTest, AllMonitorLinesCarryTheReceiveStatus) {
    SimOptions options;
    options.trafficRate = 100;
    options.seed = 5;
    SimInterface sim(DefaultNetwork(), options);
    sim.Receive(kDefault);
    sim.Receive("@A3400048\r");
    auto lines = Lines(RunTraffic(sim, 2));
    ASSERT_GE(lines.size(), 150u);
    int reports = 0, pointToPoint = 0;
    for (const auto& line : lines) {
        ASSERT_TRUE(orvane::IsHexText(line)) << line;
        if (line.substr(0, 2) == "06") {
            // Point-to-point: 06, source, destination, 00, data, checksum, 9A.
            ++pointToPoint;
            EXPECT_EQ(line.substr(line.size() - 2), "9A") << line;
        } else {
            EXPECT_EQ(line.substr(0, 2), "05") << line;
            EXPECT_EQ(line.substr(line.size() - 2), "35") << line;
        }
        // Without the status byte the frame's checksum holds.
        EXPECT_EQ(orvane::ChecksumText(line.substr(0, line.size() - 2)), "00") << line;
        if (line.substr(6, 2) == "90") ++reports;
    }
    EXPECT_GT(reports, 0);
    EXPECT_GT(pointToPoint, 0);
}

TEST(SimTrafficTest, FloodAddsTrafficForItsTime) {
    SimInterface sim(DefaultNetwork(), {});
    sim.Receive(kDefault);
    sim.Advance(0);
    sim.StartFlood(400, 0.5, 0);
    const auto during = Lines(RunTraffic(sim, 0.5)).size();
    EXPECT_GE(during, 170u);
    EXPECT_LE(during, 200u);
    EXPECT_EQ(RunTraffic(sim, 1, 0.6), "");
}

TEST(SimTrafficTest, CorruptedLinesFailTheirChecksum) {
    SimOptions options;
    options.trafficRate = 50;
    options.corruptEvery = 5;
    SimInterface sim(DefaultNetwork(), options);
    sim.Receive(kDefault);
    auto lines = Lines(RunTraffic(sim, 2));
    ASSERT_GE(lines.size(), 50u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool damaged = orvane::ChecksumText(lines[i]) != "00";
        EXPECT_EQ(damaged, (i + 1) % 5 == 0) << i << " " << lines[i];
    }
    auto one = Lines(sim.CorruptLine());
    ASSERT_EQ(one.size(), 1u);
    EXPECT_NE(orvane::ChecksumText(one[0]), "00");
}

TEST(SimTrafficTest, AllMonitorMmiAnswersUnitByUnit) {
    SimInterface sim = Fresh();
    sim.Receive(kDefault);
    sim.Receive("@A3400048\r");
    auto lines = Lines(sim.Receive("\\05FF007A3800\r"));
    ASSERT_FALSE(lines.empty());
    for (const auto& line : lines) {
        EXPECT_EQ(line.substr(4, 4), "3890") << line;
        EXPECT_EQ(line.substr(line.size() - 2), "35") << line;
    }
}

}  // namespace

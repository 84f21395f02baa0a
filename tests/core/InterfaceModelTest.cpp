#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interface/InterfaceModel.h"

using namespace orvane;

namespace {

// The state after a model read of an interface at address 0xFE.
InterfaceState Known(int options1 = 0x51) {
    InterfaceState s;
    s.PciUnitAddress = 0xFE;
    s.RoutePrefix = "FE00";
    s.InterfaceOptions1 = options1;
    return s;
}

}  // namespace

// Before any interface has been read nothing is known about it: no version,
// no address, every register 0, the route local.
TEST(InterfaceModel, StartValues) {
    const InterfaceState s;
    EXPECT_EQ(s.PciVersion, 0);
    EXPECT_EQ(s.PciUnitAddress, -1);
    for (int v : {s.InterfaceOptions1, s.PowerUpOptions1, s.InterfaceOptions2, s.InterfaceOptions3,
                  s.MonitoredApplication1, s.MonitoredApplication2})
        EXPECT_EQ(v, 0);
    EXPECT_EQ(s.RoutePrefix, "0000");
    EXPECT_FALSE(s.AllMonitorActive);
    EXPECT_FALSE(s.LastSentToLocalPci);
}

TEST(InterfaceModel, IsToLocalPCI) {
    struct Row {
        const char* name;
        int address;
        std::string routeBefore;
        std::string command;
        std::string local;
        std::string routeAfter;
    };
    const std::vector<Row> rows = {
        {"bare, local route", 0xFE, "FE00", "A3300051", "06FE00A3300051", "FE00"},
        {"bare, remote route", 0xFE, "1200", "A3300051", "", "1200"},
        {"bare, address unknown", -1, "0000", "1A2001", "0600001A2001", "0000"},
        {"at sign", 0xFE, "FE00", "@A3300059", "06FE00A3300059", "FE00"},
        {"at sign keeps a remote route", 0xFE, "1200", "@1A2001", "06FE001A2001", "1200"},
        {"ack letter removed", 0xFE, "FE00", "@A3300059g", "06FE00A3300059", "FE00"},
        {"header to self", 0xFE, "1200", "\\06FE002102", "06FE002102", "FE00"},
        {"header to another unit", 0xFE, "FE00", "\\06120021", "", "1200"},
        {"one bridge", 0xFE, "FE00", "\\06B109C32102", "", "B109C3"},
        {"two bridges", 0xFE, "FE00", "\\06B112B2C32102", "", "B112B2C3"},
        {"unknown address, any unit is local", -1, "0000", "\\06120021", "06120021", "0000"},
        {"not hex", 0xFE, "FE00", "\\0538zz", "", "FE00"},
        {"odd length", 0xFE, "FE00", "\\053", "", "FE00"},
        {"not point-to-point", 0xFE, "FE00", "\\0538007901", "", "FE00"},
    };
    for (const auto& r : rows) {
        InterfaceState s;
        s.PciUnitAddress = r.address;
        s.RoutePrefix = r.routeBefore;
        EXPECT_EQ(IsToLocalPCI(s, r.command), r.local) << r.name;
        EXPECT_EQ(s.RoutePrefix, r.routeAfter) << r.name;
    }
}

TEST(InterfaceModel, CheckInterfaceOptionsTracksWrites) {
    struct Row {
        const char* name;
        std::vector<std::string> sent;
        int options1;
        bool allMonitor;
        bool lastLocal;
    };
    const std::vector<Row> rows = {
        {"reset", {"~~~"}, 0x00, false, false},
        {"smart after reset", {"~~~", "||"}, 0x11, false, false},
        {"default mode", {"~~~", "A3300051"}, 0x51, false, true},
        {"all-monitor", {"@A3400048"}, 0x51 | 0x52, true, true},
        {"all-monitor, other value", {"@A3400047"}, 0x51, false, true},
        {"reset ends all-monitor", {"@A3400048", "~~~"}, 0x00, false, true},
        {"two values, second untracked", {"@A4300059FF"}, 0x59, false, true},
        {"no values", {"@A2300059"}, 0x51, false, true},
        {"A0 is no write", {"@A0300059"}, 0x51, false, true},
        {"BF writes 29 values", {"@BF3000" + std::string("44") + std::string(56, '0')}, 0x44, false, true},
        {"C0 is no write", {"@C0300059"}, 0x51, false, true},
        {"ack letter ignored", {"@A3300059g"}, 0x59, false, true},
        {"checksum after the values ignored", {"@A3300059D4"}, 0x59, false, true},
        {"lighting command", {"\\0538007901"}, 0x51, false, false},
    };
    for (const auto& r : rows) {
        InterfaceState s = Known();
        for (const auto& c : r.sent) CheckInterfaceOptions(s, c);
        EXPECT_EQ(s.InterfaceOptions1, r.options1) << r.name;
        EXPECT_EQ(s.AllMonitorActive, r.allMonitor) << r.name;
        EXPECT_EQ(s.LastSentToLocalPci, r.lastLocal) << r.name;
    }
}

TEST(InterfaceModel, CheckInterfaceOptionsFields) {
    InterfaceState s = Known();
    CheckInterfaceOptions(s, "@A421003839");
    EXPECT_EQ(s.MonitoredApplication1, 0x38);
    EXPECT_EQ(s.MonitoredApplication2, 0x39);

    // 0x3E to 0x42 in one write: options 2, all-monitor, power-up, options 3.
    s = Known();
    CheckInterfaceOptions(s, "@A73E00014048594F");
    EXPECT_EQ(s.InterfaceOptions2, 0x01);
    EXPECT_TRUE(s.AllMonitorActive);
    EXPECT_EQ(s.PowerUpOptions1, 0x59);
    EXPECT_EQ(s.InterfaceOptions3, 0x4F);

    // Values missing at the end read as 0.
    s = Known();
    s.InterfaceOptions3 = 0x0F;
    CheckInterfaceOptions(s, "@A4410059");
    EXPECT_EQ(s.PowerUpOptions1, 0x59);
    EXPECT_EQ(s.InterfaceOptions3, 0x00);
}

TEST(InterfaceModel, WritesToAnotherUnitChangeNothing) {
    InterfaceState s = Known();
    s.RoutePrefix = "1200";  // the last point-to-point command went to unit 0x12
    CheckInterfaceOptions(s, "A3300059");
    EXPECT_EQ(s.InterfaceOptions1, 0x51);
    EXPECT_FALSE(s.LastSentToLocalPci);
    // A reset brings the route back to the local interface.
    CheckInterfaceOptions(s, "~~~");
    EXPECT_EQ(s.RoutePrefix, "FE00");
    EXPECT_EQ(s.InterfaceOptions1, 0);
    // "|" alone adds SMART and CONNECT to what was there.
    s.InterfaceOptions1 = 0x08;
    CheckInterfaceOptions(s, "|");
    EXPECT_EQ(s.InterfaceOptions1, 0x19);
}

TEST(InterfaceModel, ExtractVersion) {
    struct Row {
        std::string text;
        int version;
    };
    const std::vector<Row> rows = {
        {"4.10.00", 0x410}, {"3.12", 0x312}, {"", 0}, {"5", 0x500}, {"4.00", 0x400}, {"V4.1A", 0x41A}, {"4.", 0x400},
    };
    for (const auto& r : rows) EXPECT_EQ(ExtractVersion(r.text), r.version) << r.text;
}

TEST(InterfaceModel, ReplyReaders) {
    struct Row {
        std::string reply;
        int value;
    };
    const std::vector<Row> rows = {
        {"8220FE27<CR>", 0xFE}, {"823051", 0x51}, {"82305", 5}, {"8230", 0}, {"", 0},
    };
    for (const auto& r : rows) EXPECT_EQ(ReplyParameterValue(r.reply), r.value) << r.reply;

    // "4.10.00" in seven bytes, then the checksum and the line end.
    EXPECT_EQ(ReplyVersionText("8902" "342E31302E3030" "12<CR>"), "4.10.00");
    EXPECT_EQ(ReplyVersionText("8902" "20332E31322020" "<CR>"), "3.12");
    EXPECT_EQ(ReplyVersionText(""), "");
}

TEST(InterfaceModel, ModelReadsInOrder) {
    std::vector<std::string> commands;
    for (const auto& r : kModelParameterReads) commands.push_back(r.command);
    EXPECT_EQ(commands, (std::vector<std::string>{"1A2001", "1A3001", "1A4101", "1A3E01", "1A4201", "1A2101", "1A2201"}));
}

// The virtual network and its text file.
#include <gtest/gtest.h>

#include "SimNetwork.h"

using namespace orvane::sim;

namespace {

TEST(SimNetworkTest, DefaultNetworkHasWhatTheTestsNeed) {
    const Network net = DefaultNetwork();
    ASSERT_GE(net.InterfaceIndex(), 0);
    EXPECT_EQ(net.units[static_cast<std::size_t>(net.InterfaceIndex())].Address(), 0xFE);
    EXPECT_GE(net.units.size(), 12u);
    EXPECT_EQ(net.UnitsAt(0x0C).size(), 2u) << "one address conflict";
    bool relay = false, dimmer = false, key = false, otherApp = false, pci = false;
    for (const Unit& u : net.units) {
        relay |= u.Type().rfind("RELAY", 0) == 0;
        dimmer |= u.Type().rfind("DIMMER", 0) == 0;
        key |= u.role == UnitRole::Input;
        otherApp |= u.groups.count(0xAC) || u.groups.count(0xD0);
        pci |= u.role == UnitRole::Pci;
    }
    EXPECT_TRUE(relay && dimmer && key && otherApp && pci);
    EXPECT_EQ(DefaultNetwork(0x25).units[0].Address(), 0x25);
}

TEST(SimNetworkTest, ParsesTheFileFormat) {
    const char* text =
        "# a small network\n"
        "interface 20 PC_INT fw=3.12 volt=34.0V serial=30-576\n"
        "\n"
        "output 01 RELAY8 38:01-04,08=FF 39:10\n"
        "input  02 KEY5 fw=1.40 38:01-08   # trailing comment\r\n"
        "sensor 03 HVAC AC:01\n"
        "pci 30 PCLOCAL\n"
        "output 01 DIMMER2 38:05-06=80";
    const NetworkParseResult r = ParseNetwork(text);
    ASSERT_TRUE(r.ok) << r.line << ": " << r.message;
    ASSERT_EQ(r.network.units.size(), 6u);
    const Unit& pci = r.network.units[0];
    EXPECT_EQ(pci.role, UnitRole::Interface);
    EXPECT_EQ(pci.Address(), 0x20);
    EXPECT_EQ(pci.firmware, "3.12");
    EXPECT_EQ(pci.voltage, "34.0V");
    EXPECT_EQ(pci.serial, (30u << 12) | 576u);
    const Unit& relay = r.network.units[1];
    EXPECT_EQ(relay.Type(), "RELAY8");
    EXPECT_EQ(relay.groups.at(0x38).size(), 5u);
    EXPECT_EQ(relay.groups.at(0x38).at(0x08), 0xFF);
    EXPECT_EQ(relay.groups.at(0x38).at(0x01), 0xFF);
    EXPECT_EQ(relay.groups.at(0x39).at(0x10), 0x00);
    EXPECT_EQ(r.network.units[2].role, UnitRole::Input);
    EXPECT_EQ(r.network.units[2].Type(), "KEY5");
    EXPECT_EQ(r.network.UnitsAt(0x01).size(), 2u);
}

TEST(SimNetworkTest, FileWithoutInterfaceGetsOne) {
    const NetworkParseResult r = ParseNetwork("output 01 RELAY8 38:01\n");
    ASSERT_TRUE(r.ok);
    ASSERT_GE(r.network.InterfaceIndex(), 0);
    EXPECT_EQ(r.network.units[static_cast<std::size_t>(r.network.InterfaceIndex())].Address(), 0xFE);
}

TEST(SimNetworkTest, BadLinesAreReportedWithTheirNumber) {
    struct Bad {
        const char* text;
        int line;
        const char* words;
    };
    const Bad cases[] = {
        {"output 01 RELAY8\nlamp 02 X\n", 2, "unknown role 'lamp'"},
        {"output 1G RELAY8\n", 1, "bad unit address '1G'"},
        {"output 100 RELAY8\n", 1, "bad unit address"},
        {"output 01\n", 1, "expected: ROLE ADDRESS TYPE"},
        {"output 01 VERYLONGTYPE\n", 1, "bad unit type"},
        {"\n\noutput 01 RELAY8 38:08-01\n", 3, "bad group list"},
        {"output 01 RELAY8 38:01-08=1FF\n", 1, "bad level"},
        {"output 01 RELAY8 3G:01\n", 1, "bad application"},
        {"output 01 RELAY8 38:\n", 1, "no groups"},
        {"output 01 RELAY8 colour=red\n", 1, "unknown option 'colour=red'"},
        {"interface 01 A\ninterface 02 B\n", 2, "a second interface unit"},
        {"output 01 RELAY8 serial=12\n", 1, "bad serial number"},
        {"output 01 RELAY8 serial=1-4096\n", 1, "bad serial number"},
        {"output 01 RELAY8 fw=12345678\n", 1, "bad firmware version"},
        {"output 01 RELAY8 volt=123456\n", 1, "bad voltage"},
    };
    for (const Bad& b : cases) {
        const NetworkParseResult r = ParseNetwork(b.text);
        EXPECT_FALSE(r.ok) << b.text;
        EXPECT_EQ(r.line, b.line) << b.text;
        EXPECT_NE(r.message.find(b.words), std::string::npos) << b.text << " -> " << r.message;
        EXPECT_TRUE(r.network.units.empty()) << "nothing of a bad file is kept";
    }
}

}  // namespace

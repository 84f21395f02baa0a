#include <gtest/gtest.h>

#include "shell/CommandLine.h"

using namespace orvane;

namespace {

struct Case {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> errors;
    bool startTimer;
    int connectionType;
    std::string comPort;
    std::string address;
    int port;
};

// Cases print as their names, so test listings stay readable.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class CommandLineCases : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineCases, ChoosesTheLinkAndReportsMisuse) {
    const Case& c = GetParam();
    Options o;
    o.COMPort = "COM1";
    o.IPAddress = "10.0.0.1";
    o.Port = 14000;
    o.ConnectionType = 0;
    CommandLineOutcome out = ApplyCommandLine(CommandLine(c.args), o);
    EXPECT_EQ(out.errors, c.errors);
    EXPECT_EQ(out.startTimer, c.startTimer);
    EXPECT_EQ(o.ConnectionType, c.connectionType);
    EXPECT_EQ(o.COMPort, c.comPort);
    EXPECT_EQ(o.IPAddress, c.address);
    EXPECT_EQ(o.Port, c.port);
}

const std::vector<std::string> kNone;

INSTANTIATE_TEST_SUITE_P(
    Switches, CommandLineCases,
    ::testing::Values(
        Case{"Nothing", {}, kNone, false, 0, "COM1", "10.0.0.1", 14000},
        Case{"SerialUpperCaseWithAutoconnect", {"/SERIAL=COM3", "/autoconnect"}, kNone, true, 0, "COM3", "10.0.0.1", 14000},
        Case{"SerialAloneEmptiesThePort", {"/serial"}, kNone, false, 0, "", "10.0.0.1", 14000},
        Case{"TcpipAddressAndPort", {"/tcpip=192.168.7.20:14000"}, kNone, false, 1, "COM1", "192.168.7.20", 14000},
        Case{"TcpipMixedCaseAutoconnect", {"/AutoConnect", "/TcpIp=127.0.0.1:41000"}, kNone, true, 1, "COM1", "127.0.0.1", 41000},
        Case{"TcpipPortFromFiveCharacters", {"/tcpip=h:123456"}, kNone, false, 1, "COM1", "h", 12345},
        Case{"TcpipWithoutPortTakesAddressOnly", {"/tcpip=192.168.7.20", "/autoconnect"}, {kTcpipFormatError}, false, 0, "COM1", "192.168.7.20", 14000},
        Case{"TcpipPortNotANumber", {"/tcpip=host:abc"}, {kTcpipFormatError}, false, 0, "COM1", "host", 14000},
        Case{"TcpipPortBeyondTheRange", {"/tcpip=host:70000"}, {kTcpipFormatError}, false, 0, "COM1", "host", 14000},
        Case{"Both", {"/serial=COM2", "/tcpip=1.2.3.4:5"}, {kBothLinksError}, false, 0, "COM1", "10.0.0.1", 14000},
        Case{"BothEvenWithoutValues", {"/tcpip", "/Serial"}, {kBothLinksError}, false, 0, "COM1", "10.0.0.1", 14000},
        Case{"AutoconnectAlone", {"/autoconnect"}, {kAutoconnectError}, false, 0, "COM1", "10.0.0.1", 14000},
        Case{"LoggingAloneDoesNothing", {"/logging"}, kNone, false, 0, "COM1", "10.0.0.1", 14000},
        Case{"PrefixOfASwitchIsNotTheSwitch", {"/serialport=COM5", "/tcpipx=1:2"}, kNone, false, 0, "COM1", "10.0.0.1", 14000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLine, LookupIgnoresCaseAndReadsTheValueAfterTheFirstEquals) {
    CommandLine line({"/LOGGING", "/serial=a=b"});
    EXPECT_TRUE(line.Has("/logging"));
    EXPECT_EQ(line.Value("/logging"), "");
    EXPECT_EQ(line.Value("/SERIAL"), "a=b");
    EXPECT_FALSE(line.Has("/tcpip"));
}

TEST(CommandLine, LoggingIsReportedForTheStartupTimer) {
    Options o;
    auto out = ApplyCommandLine(CommandLine({"/tcpip=1.2.3.4:10", "/autoconnect", "/logging"}), o);
    EXPECT_TRUE(out.startTimer);
    EXPECT_TRUE(out.logging);
}

}  // namespace

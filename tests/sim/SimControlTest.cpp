// Control commands and the exact replies that scripts rely on.
#include <gtest/gtest.h>

#include "SimControl.h"

using namespace orvane::sim;

namespace {

class FakeHost : public ControlHost {
public:
    FakeHost() : model(DefaultNetwork(), {}) {}
    SimInterface& Model() override { return model; }
    bool DropClient() override {
        ++drops;
        return hasClient;
    }
    void SendToClient(const std::string& text) override { sent += text; }
    void SetSilent(bool on) override { silent = on; }
    bool Silent() const override { return silent; }
    void SetDrip(bool on) override { drip = on; }
    bool Drip() const override { return drip; }
    void Quit() override { quit = true; }
    std::string Clients() const override { return hasClient ? "tcp" : "none"; }

    SimInterface model;
    bool hasClient = true;
    int drops = 0;
    std::string sent;
    bool silent = false, drip = false, quit = false;
};

TEST(SimControlTest, RepliesAreExact) {
    struct Case {
        const char* command;
        const char* reply;
    };
    const Case cases[] = {
        {"drop", "ok drop\n"},
        {"corrupt", "ok corrupt\n"},
        {"silent", "ok silent\n"},
        {"speak", "ok speak\n"},
        {"drip on", "ok drip on\n"},
        {"drip off", "ok drip off\n"},
        {"nack on", "ok nack on\n"},
        {"garble off", "ok garble off\n"},
        {"noclock on", "ok noclock on\n"},
        {"flood 500 3", "ok flood 500 3\n"},
        {"flood 12.5 0.5", "ok flood 12.5 0.5\n"},
        {"traffic 20", "ok traffic 20\n"},
        {"corrupt-every 10", "ok corrupt-every 10\n"},
        {"clear", "ok clear\n"},
        {"quit", "ok quit\n"},
        {"  drip   on  \r", "ok drip on\n"},
        {"drip", "error usage: drip on|off\n"},
        {"drip maybe", "error usage: drip on|off\n"},
        {"flood 500", "error usage: flood RATE SECONDS\n"},
        {"flood -1 3", "error usage: flood RATE SECONDS\n"},
        {"traffic fast", "error usage: traffic RATE\n"},
        {"corrupt-every 1.5", "error usage: corrupt-every N\n"},
        {"groups", "error usage: groups APP (hex)\n"},
        {"groups 3G", "error usage: groups APP (hex)\n"},
        {"groups 77", "groups 77\n"},
        {"", "error empty command\n"},
        {"dance", "error unknown command 'dance'\n"},
    };
    for (const Case& c : cases) {
        FakeHost host;
        EXPECT_EQ(RunControlCommand(c.command, host, 0), c.reply) << c.command;
    }
}

TEST(SimControlTest, CommandsReachTheirTargets) {
    FakeHost host;
    RunControlCommand("silent", host, 0);
    EXPECT_TRUE(host.silent);
    RunControlCommand("drip on", host, 0);
    EXPECT_TRUE(host.drip);
    RunControlCommand("nack on", host, 0);
    EXPECT_TRUE(host.model.NoAcknowledge());
    RunControlCommand("garble on", host, 0);
    EXPECT_TRUE(host.model.CorruptedTransmission());
    RunControlCommand("noclock on", host, 0);
    EXPECT_TRUE(host.model.NoClock());
    RunControlCommand("traffic 15", host, 0);
    EXPECT_EQ(host.model.TrafficRate(), 15);
    RunControlCommand("flood 100 2", host, 10);
    EXPECT_TRUE(host.model.Flooding(11));
    EXPECT_FALSE(host.model.Flooding(12.5));
    RunControlCommand("corrupt", host, 0);
    EXPECT_EQ(host.sent.substr(host.sent.size() - 2), "\r\n");
    RunControlCommand("quit", host, 0);
    EXPECT_TRUE(host.quit);
    host.hasClient = false;
    EXPECT_EQ(RunControlCommand("drop", host, 0), "error no client\n");
}

TEST(SimControlTest, GroupsReceivedAndStatus) {
    FakeHost host;
    host.model.Receive("~~~\rA3300051\r\\0538007901\r");
    const std::string groups = RunControlCommand("groups 38", host, 0);
    EXPECT_EQ(groups.substr(0, 25), "groups 38 01=FF 02=00 03=");
    // Group 14 is held by two dimmers at different levels.
    EXPECT_NE(groups.find(" 14=00/80 "), std::string::npos) << groups;
    EXPECT_EQ(RunControlCommand("groups 39", host, 0), "groups 39 01=40 02=40 03=40 04=40\n");

    EXPECT_EQ(RunControlCommand("received", host, 0), "received 3\n~~~\nA3300051\n\\0538007901\n");
    RunControlCommand("clear", host, 0);
    EXPECT_EQ(RunControlCommand("received", host, 0), "received 0\n");

    EXPECT_EQ(RunControlCommand("status", host, 0),
              "status options1=51 allmonitor=off silent=off drip=off nack=off garble=off noclock=off traffic=0 "
              "flood=off rate=9600 address=FE version=4.10.00 clients=tcp\n");
}

}  // namespace

// The link against the simulator, the same suite over TCP and over a
// pseudo-terminal: the connect sequence byte for byte, sending,
// request/response, and the faults of a real connection.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <memory>

#include "decode/Decoder.h"
#include "interface/InterfaceState.h"
#include "link/Link.h"
#include "support/SimProcess.h"
#include "support/Wait.h"
#include "ui/Prompts.h"

using namespace orvane;
using orvane::test::SimProcess;
using orvane::test::WaitFor;

// Readable failures.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QStringList& l, std::ostream* os) { *os << '{' << l.join("|").toStdString() << '}'; }

namespace {

// What the interface receives during the connect sequence.
const QStringList kConnectTraffic = {"~~~",    "~~~",    "A3300051", "2102",   "1A2001", "1A3001",
                                     "1A4101", "1A3E01", "1A4201",   "1A2101", "1A2201"};

// A link wired to a simulator, with the traffic it shows recorded.
class LinkContract : public ::testing::TestWithParam<ConnectionType> {
protected:
    bool Tcp() const { return GetParam() == ConnectionType::Tcp; }
    QString LossMessage() const {
        return Tcp() ? "Socket error, disconnecting." : "Serial port error, disconnecting.";
    }
    void StartSim(QStringList args = {}) {
        if (Tcp())
            args << "--tcp" << "0";
        else
            args << "--pty" << "";
        args << "--control" << "0";
        ASSERT_TRUE(sim.Start(args)) << sim.Error().toStdString();
        LinkSettings s;
        s.connectionType = GetParam();
        s.IPAddress = "127.0.0.1";
        s.Port = sim.TcpPort();
        s.COMPort = sim.PtyPath();
        link.SetSettings(s);
        LineConsumers c;
        c.display = [this](TrafficDirection d, const QString& text) {
            shown << (d == TrafficDirection::Sent ? "Tx : " : "Rx : ") + text;
        };
        c.observer = [this](const ReceivedLine& l) {
            lines.push_back(l.buffer);
            maxBuffer = std::max(maxBuffer, l.buffer.size());
            receivedChars += l.buffer.size();
        };
        link.SetConsumers(c);
    }
    void Connect() {
        ASSERT_EQ(link.ConnectCommand(), ConnectResult::Connected) << prompts.MessageTexts().join("|").toStdString();
    }

    SimProcess sim;
    InterfaceState state;
    Decoder decoder{state};
    ScriptedPrompts prompts;
    Link link{state, decoder, &prompts};
    QStringList shown;
    std::vector<std::string> lines;
    std::size_t maxBuffer = 0;
    std::size_t receivedChars = 0;
};

}  // namespace

TEST_P(LinkContract, ConnectSequenceReadsTheInterface) {
    StartSim({"--address", "3A", "--version", "3.12"});
    int details = 0, cleared = 0;
    bool shownDetails = false;
    link.SetConnectSteps({[&](bool show) {
                              ++details;
                              shownDetails = show;
                          },
                          [&] { ++cleared; }});
    Connect();
    EXPECT_TRUE(link.Connected());
    EXPECT_TRUE(link.InterfaceFound());
    EXPECT_EQ(sim.Received(), kConnectTraffic);
    EXPECT_EQ(state.PciVersion, 0x312);
    EXPECT_EQ(state.PciUnitAddress, 0x3A);
    EXPECT_EQ(state.RoutePrefix, "3A00");
    EXPECT_EQ(state.InterfaceOptions1, 0x51);
    EXPECT_EQ(state.InterfaceOptions2, 0x01);
    EXPECT_EQ(state.MonitoredApplication1, 0xFF);
    EXPECT_EQ(state.MonitoredApplication2, 0xFF);
    EXPECT_EQ(details, 1);
    EXPECT_TRUE(shownDetails);
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(prompts.MessageTexts().isEmpty());
    // The sent lines are shown with their descriptions.
    EXPECT_TRUE(shown.contains("Tx : ~~~<CR>"));
    EXPECT_TRUE(shown.contains("Tx :  = Set Default Mode"));

    // The command again disconnects.
    EXPECT_EQ(link.ConnectCommand(), ConnectResult::Disconnected);
    EXPECT_FALSE(link.CommsIsOpen());
    EXPECT_FALSE(link.InterfaceFound());
}

// The serial failures are in tst_link_serial.
class TcpLink : public LinkContract {};

TEST_P(TcpLink, ConnectFailures) {
    // Nothing listens on the port: refused at once.
    StartSim();
    const int port = sim.TcpPort();
    sim.Stop();
    EXPECT_EQ(link.ConnectCommand(), ConnectResult::OpenFailed);
    EXPECT_EQ(prompts.MessageTexts(),
              QStringList{"Could not connect to IP Address 127.0.0.1:" + QString::number(port)});
    EXPECT_FALSE(link.Connected());

    // An interface that never answers: not found after the answer wait.
    prompts.asked.clear();
    StartSim({"--silent"});
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(link.ConnectCommand(), ConnectResult::NotFound);
    EXPECT_GE(t.elapsed(), 2900);
    EXPECT_EQ(prompts.MessageTexts(), QStringList{"ONI not found at IP Address 127.0.0.1"});
    EXPECT_FALSE(link.CommsIsOpen());
    EXPECT_FALSE(link.Connected());
}

TEST_P(LinkContract, CommandWithChecksumAndAcknowledgement) {
    StartSim();
    Connect();
    link.SetUseAckChars(true);
    // CHECKSUM on: the interface now wants a checksum on every command.
    link.SendOrvaneCommand("@A3300059");
    ASSERT_TRUE(WaitFor([&] { return link.SendConfirmed(); }, 3000));
    EXPECT_EQ(state.InterfaceOptions1, 0x59);
    sim.Control("clear");
    const char ack = link.NextAckChar();
    link.SendOrvaneCommand("\\0538000A");
    ASSERT_TRUE(WaitFor([&] { return link.SendConfirmed(); }, 3000));
    EXPECT_EQ(sim.Received(), QStringList{QString("\\0538000AB9") + ack});
    EXPECT_EQ(lines.back(), std::string(1, ack) + ".");  // accepted, checksum right
    EXPECT_TRUE(shown.contains("Tx : \\0538000AB9" + QString(ack) + "<CR>"));
}

TEST_P(LinkContract, SilenceGivesUpAfterItsAttempts) {
    StartSim();
    Connect();
    sim.Control("silent");
    shown.clear();
    QElapsedTimer t;
    t.start();
    const QString reply = link.SendCALGetResponse("1A2001", "8220*", 1.0, 3);
    const qint64 ms = t.elapsed();
    EXPECT_TRUE(reply.isEmpty());
    EXPECT_GE(ms, 2900);
    EXPECT_LT(ms, 4500);
    EXPECT_EQ(shown.count("Tx : 1A2001<CR>"), 3);
    EXPECT_FALSE(link.CollectingResponses());
}

TEST_P(LinkContract, RequestReadsSmartReply) {
    StartSim();
    Connect();
    // Options 1 are 51: the reply comes wrapped as 86 FE FE 00 and is cut.
    const QString reply = link.SendCALGetResponse("1A3001", "8230*", 2, 3);
    EXPECT_TRUE(reply.startsWith("823051")) << reply.toStdString();
    EXPECT_TRUE(reply.endsWith("<CR>")) << reply.toStdString();
}

TEST_P(LinkContract, DelayWaitsWhileLinesArrive) {
    StartSim({"--traffic", "50"});
    Connect();
    const std::size_t before = lines.size();
    QElapsedTimer t;
    t.start();
    link.Delay(0.5);
    EXPECT_GE(t.elapsed(), 500);
    EXPECT_LT(t.elapsed(), 1500);
    EXPECT_GT(lines.size(), before);  // received lines are handled during the wait
}

TEST_P(LinkContract, DroppedMidLine) {
    StartSim({"--traffic", "50"});
    Connect();
    sim.Control("drip on");
    ASSERT_TRUE(WaitFor([&] { return !link.ReceiveBuffer().empty(); }, 5000));
    sim.Control("drop");
    ASSERT_TRUE(WaitFor([&] { return !link.CommsIsOpen(); }, 3000));
    WaitFor([] { return false; }, 300);
    EXPECT_EQ(prompts.MessageTexts(), QStringList{LossMessage()});
    EXPECT_FALSE(link.Connected());
    EXPECT_FALSE(link.InterfaceFound());
    // The next connection works.
    sim.Control("drip off");
    prompts.asked.clear();
    Connect();
}

TEST_P(LinkContract, DroppedMidRequest) {
    StartSim();
    Connect();
    sim.Control("silent");
    QTimer::singleShot(300, [&] { sim.Control("drop"); });
    QElapsedTimer t;
    t.start();
    const QString reply = link.SendCALGetResponse("1A2001", "8220*", 2, 3);
    EXPECT_TRUE(reply.isEmpty());
    EXPECT_LT(t.elapsed(), 2000);  // a closed link ends the wait
    EXPECT_EQ(prompts.MessageTexts(), QStringList{LossMessage()});
    EXPECT_FALSE(link.CommsIsOpen());
    EXPECT_FALSE(link.Connected());
    // Sending on the closed link does nothing.
    link.SendOrvaneCommand("\\0538007901");
    link.SetDefaultMode();
}

TEST_P(LinkContract, EndlessLineStaysBounded) {
    StartSim();
    Connect();
    link.SetBasicMode();  // the interface echoes every character in basic mode
    ASSERT_TRUE(WaitFor([&] { return state.InterfaceOptions1 == 0 && link.ReceiveBuffer().empty(); }, 3000));
    receivedChars = 0;
    maxBuffer = 0;
    const std::size_t mb = 1u << 20;
    link.CommsSendString(QString(static_cast<qsizetype>(mb), QChar('A')));
    std::size_t seenMax = 0;
    ASSERT_TRUE(WaitFor([&] {
        seenMax = std::max(seenMax, link.ReceiveBuffer().size());
        return receivedChars + link.ReceiveBuffer().size() >= mb;
    }, 30000)) << receivedChars;
    EXPECT_LE(maxBuffer, LineAssembler::kMaxLineLength);
    EXPECT_LT(seenMax, LineAssembler::kMaxLineLength);
    EXPECT_TRUE(link.CommsIsOpen());
}

TEST_P(LinkContract, DrippedBytesAssembleTheSame) {
    StartSim();
    Connect();
    const std::vector<std::string> whole = lines;
    const InterfaceState first = state;
    link.ConnectCommand();  // disconnect
    lines.clear();
    sim.Control("drip on");
    Connect();
    WaitFor([&] { return lines.size() >= whole.size(); }, 3000);  // the last line end is still dripping
    EXPECT_EQ(lines, whole);
    EXPECT_EQ(state.PciVersion, first.PciVersion);
    EXPECT_EQ(state.PciUnitAddress, first.PciUnitAddress);
    EXPECT_EQ(state.InterfaceOptions1, first.InterfaceOptions1);
}

// Lines that pour in while a request waits are kept only up to a bound.
TEST_P(LinkContract, ResponseListStaysBounded) {
    StartSim();
    Connect();
    sim.Control("silent");
    std::string burst;
    for (int i = 0; i < 5000; ++i) burst += "0512380079050" + std::to_string(i % 10) + "\r";
    int seen = 0;
    qsizetype listSize = -1;
    link.Consumers().observer = [&](const ReceivedLine&) {
        if (++seen == 5000) listSize = link.ResponseList().size();
    };
    QTimer::singleShot(100, [&] { link.ProcessReceivedText(QByteArray::fromStdString(burst)); });
    EXPECT_TRUE(link.SendCALGetResponse("1A2001", "8220*", 0.5, 1).isEmpty());
    EXPECT_EQ(listSize, static_cast<qsizetype>(Link::kMaxResponseLines));
}

INSTANTIATE_TEST_SUITE_P(Transports, LinkContract, ::testing::Values(ConnectionType::Tcp, ConnectionType::Serial),
                         [](const ::testing::TestParamInfo<ConnectionType>& info) {
                             return info.param == ConnectionType::Tcp ? std::string("Tcp") : std::string("Pty");
                         });
INSTANTIATE_TEST_SUITE_P(Transports, TcpLink, ::testing::Values(ConnectionType::Tcp),
                         [](const ::testing::TestParamInfo<ConnectionType>&) { return std::string("Tcp"); });

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

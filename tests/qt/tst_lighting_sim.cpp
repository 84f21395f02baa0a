// The Lighting tab wired to the real link, against the simulator over TCP:
// what the interface receives for Send and All On, the transmit list, and
// full-speed toggling paced by the acknowledgements.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "decode/Decoder.h"
#include "generators/LightingTab.h"
#include "interface/InterfaceState.h"
#include "link/Link.h"
#include "shell/LinkCommandSink.h"
#include "support/SimProcess.h"
#include "ui/NumberCombo.h"
#include "ui/Prompts.h"

using namespace orvane;
using orvane::test::SimProcess;

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QStringList& l, std::ostream* os) { *os << '{' << l.join("|").toStdString() << '}'; }

namespace {

// One thing that crossed the link, in the order it happened.
struct Event {
    bool sent;
    std::string text;  // the sent line (without CR) or the received buffer
};

class LightingOverSim : public ::testing::Test {
public:
    void StartSim(QStringList args = {}) {
        args << "--tcp" << "0" << "--control" << "0";
        ASSERT_TRUE(sim.Start(args)) << sim.Error().toStdString();
        LinkSettings s;
        s.connectionType = ConnectionType::Tcp;
        s.IPAddress = "127.0.0.1";
        s.Port = sim.TcpPort();
        link.SetSettings(s);
        LineConsumers c;
        c.display = [this](TrafficDirection d, const QString& text) {
            if (d != TrafficDirection::Sent) return;
            transmitList << text;
            if (text.endsWith("<CR>")) events.push_back({true, text.chopped(4).toStdString()});
        };
        c.observer = [this](const ReceivedLine& l) { events.push_back({false, l.buffer}); };
        link.SetConsumers(c);
        ASSERT_EQ(link.ConnectCommand(), ConnectResult::Connected) << prompts.MessageTexts().join("|").toStdString();
        ASSERT_EQ(sim.Control("clear"), "ok clear");
        transmitList.clear();
        events.clear();
    }

    template <typename T>
    T* Find(const char* name) {
        T* w = tab.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Choose(const char* combo, int value) { ASSERT_TRUE(Find<NumberCombo>(combo)->SelectValue(value)) << combo; }
    void SendOnForGroup5() {
        Choose("LightingAppComboBox", 56);
        Choose("LightingGroupComboBox", 5);
        Find<QRadioButton>("LightingOnRadioButton")->click();
        Find<QPushButton>("LightingSendButton")->click();
    }
    // Lets the simulator's answers arrive.
    void Settle(int ms = 300) { QTest::qWait(ms); }

    SimProcess sim;
    InterfaceState state;
    Decoder decoder{state};
    ScriptedPrompts prompts;
    Link link{state, decoder, &prompts};
    LinkCommandSink sink{link};
    NumberEntryContext numbers{decoder.Format(), prompts};
    RemoteNetwork remote;
    LightingTab tab{numbers, &sink, [this] { return remote; }};
    QStringList transmitList;
    std::vector<Event> events;
};

}  // namespace

TEST_F(LightingOverSim, SendOnForGroup5InEachLineForm) {
    StartSim();
    struct Row {
        const char* what;
        bool ack;
        bool checksum;
        const char* line;
    };
    // The acknowledgement characters run on from "g" across the rows.
    const Row rows[] = {
        {"plain", false, false, "\\0538007905"},
        {"acknowledged", true, false, "\\0538007905g"},
        {"checksum and acknowledgement", true, true, "\\053800790545h"},
        {"checksum", false, true, "\\053800790545"},
    };
    for (const auto& r : rows) {
        if (r.checksum != ((state.InterfaceOptions1 & OptChecksum) != 0)) {
            // Raw, so it takes no acknowledgement character from the sequence.
            link.SendOrvaneString(r.checksum ? "@A3300059" : "@A3300051", QString());
            Settle();
            ASSERT_EQ(state.InterfaceOptions1, r.checksum ? 0x59 : 0x51) << r.what;
        }
        link.SetUseAckChars(r.ack);
        ASSERT_EQ(sim.Control("clear"), "ok clear");
        transmitList.clear();
        SendOnForGroup5();
        Settle();
        EXPECT_EQ(sim.Received(), QStringList{r.line}) << r.what;
        EXPECT_EQ(transmitList, (QStringList{QString(r.line) + "<CR>", " = GA 5 On"})) << r.what;
    }
    EXPECT_TRUE(prompts.MessageTexts().isEmpty()) << prompts.MessageTexts().join("|").toStdString();
}

TEST_F(LightingOverSim, InvalidRemotePathSendsNothing) {
    StartSim();
    remote = {true, "0A1"};
    SendOnForGroup5();
    Settle();
    EXPECT_EQ(prompts.MessageTexts(), QStringList{"Invalid Remote Network Path."});
    EXPECT_TRUE(sim.Received().isEmpty());
    EXPECT_TRUE(transmitList.isEmpty());
}

TEST_F(LightingOverSim, AllOnSwitchesEveryGroupOfTheApplicationOn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath("net.txt");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("interface FE PC_INT\noutput 01 RELAY8 38:00-FF\noutput 02 RELAY4 39:00-03\n");
    }
    StartSim({"--network", file});
    auto groupsOn = [this](const char* app) {
        const QStringList groups = sim.Control(QString("groups ") + app).split(' ').mid(2);
        return std::make_pair(int(groups.size()), int(groups.filter("=FF").size()));
    };
    EXPECT_EQ(groupsOn("38"), std::make_pair(256, 0));

    auto* allOn = Find<QPushButton>("LightingAllOnButton");
    allOn->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return allOn->isEnabled(); }, 20000));
    Settle();

    const QStringList received = sim.Received();
    ASSERT_EQ(received.size(), 32);
    for (int b = 0; b < 32; ++b) {
        QString expected = "\\053800";
        for (int g = 8 * b; g < 8 * b + 8; ++g) expected += QString("79%1").arg(g, 2, 16, QChar('0')).toUpper();
        EXPECT_EQ(received[b], expected) << b;
    }
    EXPECT_EQ(received.last(), "\\05380079F879F979FA79FB79FC79FD79FE79FF");
    EXPECT_EQ(groupsOn("38"), std::make_pair(256, 256));
    EXPECT_EQ(groupsOn("39"), std::make_pair(4, 0));  // another application is left alone
}

TEST_F(LightingOverSim, FullSpeedToggleWaitsForEachConfirmation) {
    // At 300 bit/s the acknowledgement character takes about 33 ms to come
    // back, longer than the 20 ms between ticks: only waiting for it keeps
    // every command behind the confirmation of the one before.
    StartSim({"--baud", "300"});
    struct CheckingSink : LinkCommandSink {
        CheckingSink(Link& l) : LinkCommandSink(l), link(l) {}
        void SendOrvaneCommand(const std::string& line, bool forceAck) override {
            // The first command of a run is released by the run itself.
            if (sends++ > 0 && !link.SendConfirmed()) unconfirmed.push_back(line);
            LinkCommandSink::SendOrvaneCommand(line, forceAck);
        }
        Link& link;
        int sends = 0;
        std::vector<std::string> unconfirmed;
    } checking{link};
    tab.SetSink(&checking);

    Choose("LightingGroupComboBox", 5);
    Find<QComboBox>("LightingToggleSpeedComboBox")->setCurrentIndex(3);  // "Full Speed"
    auto* toggle = Find<QCheckBox>("LightingToggleCheckBox");
    toggle->click();
    QTest::qWait(1500);
    toggle->click();
    Settle();
    tab.SetSink(&sink);
    EXPECT_TRUE(prompts.MessageTexts().isEmpty()) << prompts.MessageTexts().join("|").toStdString();
    EXPECT_GE(checking.sends, 5);
    EXPECT_EQ(checking.unconfirmed, std::vector<std::string>{});

    // Every command carried an acknowledgement character, each came back
    // with ".", and the commands alternate On and Off.
    const QStringList received = sim.Received();
    ASSERT_EQ(received.size(), checking.sends);
    int accepted = 0;
    for (const Event& e : events) accepted += !e.sent && e.text.size() == 2 && e.text[1] == '.';
    EXPECT_EQ(accepted, checking.sends);
    for (int i = 0; i < received.size(); ++i) {
        const QString& line = received[i];
        EXPECT_EQ(line.left(11), i % 2 == 0 ? "\\0538007905" : "\\0538000105") << i;
        ASSERT_EQ(line.size(), 12) << line.toStdString();
        EXPECT_TRUE(line[11] >= 'g' && line[11] <= 'z') << line.toStdString();
    }
}

TEST_F(LightingOverSim, SilentInterfaceStopsTheFullSpeedRunWithAWarning) {
    StartSim();
    ASSERT_EQ(sim.Control("silent"), "ok silent");
    Find<QComboBox>("LightingSpeedComboBox")->setCurrentIndex(3);
    auto* toggle = Find<QCheckBox>("LightingToggleCheckBox");
    toggle->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompts.MessageTexts().isEmpty(); }, 5000));
    Settle();
    EXPECT_EQ(prompts.MessageTexts(),
              QStringList{"Timeout when waiting for a PCI to come available. Perhaps the PCI is dodgy."});
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(tab.AutoSendRunning());
    EXPECT_FALSE(Find<QTimer>("LightingRunTimer")->isActive());
    int sent = 0;
    for (const Event& e : events) sent += e.sent;
    EXPECT_EQ(sent, 1);  // the first command went, nothing after it
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

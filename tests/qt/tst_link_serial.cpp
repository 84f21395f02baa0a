// The link against the simulator over a pseudo-terminal, as over a serial
// port: the connect sequence, the far side going away, and port names that
// are not serial devices.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <fcntl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include "decode/Decoder.h"
#include "interface/InterfaceState.h"
#include "link/Link.h"
#include "support/SimProcess.h"
#include "support/Wait.h"
#include "ui/Prompts.h"

using namespace orvane;
using orvane::test::SimProcess;
using orvane::test::WaitFor;

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QStringList& l, std::ostream* os) { *os << '{' << l.join("|").toStdString() << '}'; }

namespace {

// CPU time of this process, user and system, in milliseconds.
double CpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

class LinkOverPty : public ::testing::Test {
protected:
    void UsePort(const QString& name) {
        LinkSettings s;
        s.connectionType = ConnectionType::Serial;
        s.COMPort = name;
        link.SetSettings(s);
    }
    void StartSim(QStringList args = {}) {
        args << "--pty" << "" << "--control" << "0";
        ASSERT_TRUE(sim.Start(args)) << sim.Error().toStdString();
        UsePort(sim.PtyPath());
    }

    SimProcess sim;
    InterfaceState state;
    Decoder decoder{state};
    ScriptedPrompts prompts;
    Link link{state, decoder, &prompts};
};

}  // namespace

// The connect sequence byte for byte is in tst_link, for both transports.
TEST_F(LinkOverPty, LineSettingsAndModel) {
    StartSim({"--address", "21", "--version", "4.02.00"});
    ASSERT_EQ(link.ConnectCommand(), ConnectResult::Connected) << prompts.MessageTexts().join("|").toStdString();
    EXPECT_EQ(state.PciVersion, 0x402);
    EXPECT_EQ(state.PciUnitAddress, 0x21);
    EXPECT_EQ(state.InterfaceOptions1, 0x51);
    EXPECT_EQ(link.LinkName(), sim.PtyPath());

    // The line settings: 9600 bit/s, 8 data bits, no parity, one stop bit,
    // no flow control either way.
    const int fd = ::open(sim.PtyPath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios tio{};
    ASSERT_EQ(tcgetattr(fd, &tio), 0);
    ::close(fd);
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY), 0u);
}

TEST_F(LinkOverPty, FarSideClosedWhileConnected) {
    StartSim();
    ASSERT_EQ(link.ConnectCommand(), ConnectResult::Connected);
    QElapsedTimer t;
    t.start();
    ASSERT_EQ(sim.Control("drop"), "ok drop");
    ASSERT_TRUE(WaitFor([&] { return !link.CommsIsOpen(); }, 1000));
    EXPECT_LT(t.elapsed(), 1000);
    EXPECT_FALSE(link.Connected());
    // No busy loop once closed: a second of the link's own wait costs next
    // to no CPU.
    const double cpu = CpuMs();
    link.Delay(1.0);
    EXPECT_LT(CpuMs() - cpu, 300.0);
    EXPECT_EQ(prompts.MessageTexts(), QStringList{"Serial port error, disconnecting."});
}

TEST_F(LinkOverPty, OnlySerialDevicesAreOpened) {
    QTemporaryDir dir;
    const QString file = dir.filePath("settings.txt");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("COM1\n");
    }
    const QString missing = dir.filePath("nothing-here");
    for (const QString& name : {file, dir.path(), QString("/dev/null"), missing, QString()}) {
        prompts.asked.clear();
        UsePort(name);
        EXPECT_EQ(link.ConnectCommand(), ConnectResult::OpenFailed) << name.toStdString();
        EXPECT_EQ(prompts.MessageTexts(), QStringList{"Could not open Serial Port " + name});
        EXPECT_FALSE(link.CommsIsOpen());
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("COM1\n"));  // never written to
}

TEST_F(LinkOverPty, SilentInterfaceIsNotFound) {
    StartSim({"--silent"});
    EXPECT_EQ(link.ConnectCommand(), ConnectResult::NotFound);
    EXPECT_EQ(prompts.MessageTexts(), QStringList{"PCI Not Found on Serial Port " + sim.PtyPath()});
    EXPECT_FALSE(link.CommsIsOpen());
}

TEST_F(LinkOverPty, RepairSendsTheRateResetAtEachSlowRate) {
    StartSim({"--serial-rate", "2400"});
    prompts.answers = {Answer::Ok, Answer::Ok};
    link.RepairSerialRate();
    EXPECT_EQ(prompts.MessageTexts(),
              (QStringList{"Click OK try and return the Baud Rate settings of a PCI to default 9600 bps.",
                           "PCI Data rate repair attempt complete. Results not guaranteed."}));
    // Understood at 2400 only; the interface is back at 9600 and answers.
    ASSERT_TRUE(WaitFor([&] { return sim.Control("status").contains("rate=9600"); }, 3000))
        << sim.Control("status").toStdString();
    EXPECT_EQ(link.ConnectCommand(), ConnectResult::Connected);
}

TEST_F(LinkOverPty, RepairRefusedWhileConnectedOrOverTcp) {
    StartSim();
    ASSERT_EQ(link.ConnectCommand(), ConnectResult::Connected);
    link.RepairSerialRate();
    EXPECT_EQ(prompts.MessageTexts(), QStringList{"PCI connection can't be open to repair Serial port settings"});
    link.ConnectCommand();
    prompts.asked.clear();
    LinkSettings s = link.Settings();
    s.connectionType = ConnectionType::Tcp;
    link.SetSettings(s);
    link.RepairSerialRate();
    EXPECT_EQ(prompts.MessageTexts(), QStringList{"Serial settings can only be repaired for a serial connected PCI"});
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

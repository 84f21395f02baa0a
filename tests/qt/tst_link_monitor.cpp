// orvane-monitor against the simulator: the traffic as the combined list
// shows it, the traffic log, and the one-line failures.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

#include "support/SimProcess.h"

using orvane::test::SimProcess;

namespace {

QString Monitor() { return QStringLiteral(ORVANE_BIN_DIR "/tools/monitor/orvane-monitor"); }

struct MonitorRun {
    int status = -1;
    QString out, err;
};

// Runs the monitor; when interruptAfterMs is given it is stopped with
// SIGINT after that long.
MonitorRun RunMonitor(const QStringList& args, int interruptAfterMs = -1, const QString& folder = QString()) {
    QProcess p;
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    p.start(Monitor(), args);
    EXPECT_TRUE(p.waitForStarted(5000));
    if (interruptAfterMs >= 0) {
        p.waitForFinished(interruptAfterMs);
        if (p.state() == QProcess::Running) ::kill(static_cast<pid_t>(p.processId()), SIGINT);
    }
    EXPECT_TRUE(p.waitForFinished(15000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

TEST(Monitor, PrintsDecodedTraffic) {
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--tcp", "0", "--traffic", "20"})) << sim.Error().toStdString();
    QTemporaryDir dir;
    const MonitorRun r = RunMonitor({"--tcpip", "127.0.0.1:" + QString::number(sim.TcpPort()), "--time-dp", "2", "--log"},
                             2500, dir.path());
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    const QRegularExpression stamp("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d  ");
    for (const QString& l : lines) EXPECT_TRUE(stamp.match(l).hasMatch()) << l.toStdString();
    EXPECT_EQ(lines[0].mid(13), "Tx : ~~~<CR>");
    EXPECT_EQ(lines[1].mid(13), "Tx :  = Set Basic Mode");
    // Monitored lighting traffic in smart mode, with its sentence.
    EXPECT_TRUE(r.out.contains(QRegularExpression("Rx : 05[0-9A-F]{2}3[89]00[0-9A-F]+<CR>\n[0-9:.]+  Rx :  = ")))
        << r.out.toStdString();

    // The log holds the same lines, CR LF.
    const QStringList logs = QDir(dir.path()).entryList({"*_log.txt"});
    ASSERT_EQ(logs.size(), 1);
    EXPECT_TRUE(QRegularExpression("^\\d{4}_\\d\\d_\\d\\d_\\d{6}_log\\.txt$").match(logs[0]).hasMatch());
    QFile f(dir.filePath(logs[0]));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray log = f.readAll();
    EXPECT_TRUE(log.startsWith(lines[0].toUtf8() + "\r\n" + lines[1].toUtf8() + "\r\n"));
}

TEST(Monitor, SerialLinkAndHexNumbers) {
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--pty", "", "--traffic", "20"})) << sim.Error().toStdString();
    const MonitorRun r = RunMonitor({"--serial", sim.PtyPath(), "--hex", "--decode-options", "1"}, 2000);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines[0].mid(10), "Tx : ~~~<CR>");  // no decimals by default
    // The traffic's source units (0x10-0x12, 0x20-0x22) in hex, never in decimal.
    EXPECT_TRUE(r.out.contains(QRegularExpression("Rx :  = Source Unit [12][0-2]\n"))) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(QRegularExpression("Rx :  = Source Unit (16|17|18|32|33|34)\n")));
    EXPECT_TRUE(r.err.contains("unit address FE")) << r.err.toStdString();
}

TEST(Monitor, FailuresAreOneLineAndStatusOne) {
    SimProcess silent;
    ASSERT_TRUE(silent.Start({"--tcp", "0", "--silent"}));
    SimProcess gone;
    ASSERT_TRUE(gone.Start({"--tcp", "0"}));
    const int gonePort = gone.TcpPort();
    gone.Stop();
    QTemporaryDir dir;
    const QString file = dir.filePath("not-a-port");
    QFile(file).open(QIODevice::WriteOnly);
    struct Row {
        QStringList args;
        QString message;
    };
    const std::vector<Row> rows = {
        {{"--tcpip", "127.0.0.1:" + QString::number(silent.TcpPort())}, "ONI not found at IP Address 127.0.0.1"},
        {{"--tcpip", "127.0.0.1:" + QString::number(gonePort)},
         "Could not connect to IP Address 127.0.0.1:" + QString::number(gonePort)},
        {{"--serial", file}, "Could not open Serial Port " + file},
    };
    for (const auto& row : rows) {
        const MonitorRun r = RunMonitor(row.args);
        EXPECT_EQ(r.status, 1) << row.args.join(' ').toStdString();
        EXPECT_EQ(r.err, "orvane-monitor: " + row.message + "\n");
    }
    EXPECT_EQ(RunMonitor({"--tcpip", "nowhere"}).status, 2);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

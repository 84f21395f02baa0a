// The workbench as an installer runs it: orvane-diagnostic connected to
// orvane-sim from the command line, logging, ended by a termination signal.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

#include "support/SimProcess.h"
#include "support/Wait.h"

using orvane::test::SimProcess;
using orvane::test::WaitFor;

namespace {

const QString kProgram = QStringLiteral(ORVANE_DIAGNOSTIC_EXE);

// The log files in the program's folder and in its per-user data folder.
QStringList LogFiles(const QStringList& folders) {
    QStringList files;
    for (const QString& folder : folders)
        for (const QFileInfo& f : QDir(folder).entryInfoList({"*_log.txt"}, QDir::Files))
            files << f.absoluteFilePath();
    return files;
}

struct Workbench {
    QTemporaryDir home;
    QProcess process;
    QStringList folders;
    QSet<QString> before;

    QString ConfigDir() const { return home.filePath("config"); }
    QString SettingsFile() const { return ConfigDir() + "/Veldane Integrated Systems/Orvane Diagnostic.conf"; }

    void Start(const QStringList& args) {
        folders = {QFileInfo(kProgram).absolutePath(),
                   home.filePath("data") + "/Veldane Integrated Systems/Orvane Diagnostic"};
        for (const QString& f : LogFiles(folders)) before.insert(f);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", ConfigDir());
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("XDG_RUNTIME_DIR", home.path());
        process.setProcessEnvironment(env);
        // No release notes in the way of this run.
        QSettings seed(SettingsFile(), QSettings::IniFormat);
        seed.setValue("WhatsNew/AutoShow", "0");
        seed.sync();
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(kProgram, args);
    }
    QStringList NewLogs() const {
        QStringList out;
        for (const QString& f : LogFiles(folders))
            if (!before.contains(f)) out << f;
        return out;
    }
    ~Workbench() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
        for (const QString& f : NewLogs()) QFile::remove(f);
    }
};

QByteArray ReadAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void CheckLogLines(const QByteArray& log) {
    ASSERT_TRUE(log.endsWith("\r\n")) << "the last line is complete";
    EXPECT_EQ(log.count('\n'), log.count("\r\n")) << "every line ends with CR LF";
    const QList<QByteArray> lines = log.left(log.size() - 2).split('\n');
    static const QRegularExpression shape(R"(^\d\d:\d\d:\d\d  ((Tx|Rx) : .*|#.*)$)");
    int sentences = 0;
    for (QByteArray line : lines) {
        if (line.endsWith('\r')) line.chop(1);
        const QString text = QString::fromUtf8(line);
        EXPECT_TRUE(shape.match(text).hasMatch()) << text.toStdString();
        if (text.contains("Rx :  = ")) ++sentences;
    }
    EXPECT_GT(sentences, 0) << "received traffic is decoded into sentences";
}

TEST(Workbench, ConnectsLogsAndEndsGracefullyOnSigterm) {
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--tcp", "0", "--traffic", "20"})) << sim.Error().toStdString();
    const QString address = QString("127.0.0.1:%1").arg(sim.TcpPort());
    Workbench app;
    app.Start({"/tcpip=" + address, "/autoconnect", "/logging"});
    ASSERT_TRUE(app.process.waitForStarted(10000));

    QString log;
    ASSERT_TRUE(WaitFor([&] {
        const QStringList logs = app.NewLogs();
        if (logs.isEmpty()) return false;
        log = logs.first();
        return ReadAll(log).count('\n') >= 40;
    }, 30000)) << "no traffic log with lines appeared";

    ::kill(static_cast<pid_t>(app.process.processId()), SIGTERM);
    ASSERT_TRUE(app.process.waitForFinished(15000));
    EXPECT_EQ(app.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.process.exitCode(), 0);

    CheckLogLines(ReadAll(log));
    QSettings saved(app.SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(saved.value("Options/IPAddress").toString(), "127.0.0.1");
    EXPECT_EQ(saved.value("Options/Port").toString(), QString::number(sim.TcpPort()));
    EXPECT_EQ(saved.value("Options/ConnectionType").toString(), "1");
    EXPECT_EQ(saved.value("Options/ShowMessage").toString(), "1");
    EXPECT_FALSE(saved.value("Forms/Main/Width").toString().isEmpty());
}

// A termination signal that comes while the connect sequence waits for an
// interface that never answers still ends the program cleanly.
TEST(Workbench, SigtermDuringTheConnectWaitEndsCleanly) {
    QTcpServer mute;
    ASSERT_TRUE(mute.listen(QHostAddress::LocalHost));
    Workbench app;
    app.Start({QString("/tcpip=127.0.0.1:%1").arg(mute.serverPort()), "/autoconnect"});
    ASSERT_TRUE(app.process.waitForStarted(10000));
    ASSERT_TRUE(WaitFor([&] { return mute.hasPendingConnections(); }, 15000)) << "the workbench never connected";
    QThread::msleep(300);  // inside the three-second answer wait
    ::kill(static_cast<pid_t>(app.process.processId()), SIGTERM);
    ASSERT_TRUE(app.process.waitForFinished(10000));
    EXPECT_EQ(app.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.process.exitCode(), 0);
    QSettings saved(app.SettingsFile(), QSettings::IniFormat);
    EXPECT_EQ(saved.value("Options/Port").toString(), QString::number(mute.serverPort()));
}

TEST(Workbench, AKillLosesNoLineThatWasLogged) {
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--tcp", "0", "--traffic", "200"})) << sim.Error().toStdString();
    Workbench app;
    app.Start({QString("/TCPIP=127.0.0.1:%1").arg(sim.TcpPort()), "/AUTOCONNECT", "/LOGGING"});
    ASSERT_TRUE(app.process.waitForStarted(10000));
    QString log;
    ASSERT_TRUE(WaitFor([&] {
        const QStringList logs = app.NewLogs();
        if (logs.isEmpty()) return false;
        log = logs.first();
        return ReadAll(log).count('\n') >= 100;
    }, 30000));
    ::kill(static_cast<pid_t>(app.process.processId()), SIGKILL);
    ASSERT_TRUE(app.process.waitForFinished(15000));
    CheckLogLines(ReadAll(log));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Runs the simulator (orvane-sim) as a child process for a test.
//
//   SimProcess sim;
//   ASSERT_TRUE(sim.Start({"--tcp", "0", "--control", "0"}));
//   link settings: 127.0.0.1 : sim.TcpPort()        (or sim.PtyPath() with "--pty")
//   sim.Control("drip on");                          // one control command, its reply
//   QStringList sent = sim.Received();               // lines the interface got
//
// Start() adds nothing on its own: pass "--tcp 0" and/or "--pty" (a path is
// made up when the next argument is missing or empty) and "--control 0" for
// the control channel. The process is killed when the object goes.
// Needs a QCoreApplication; uses only Qt Core and Network.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace orvane::test {

class SimProcess {
public:
    SimProcess();
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The simulator program in the build tree.
    static QString Program();

    // Starts orvane-sim with args and waits until it has printed a line for
    // every link asked for. "--pty" followed by "" gets a path in a private
    // temporary folder. False (with the reason in Error()) on failure.
    bool Start(QStringList args, int timeoutMs = 10000);
    void Stop();
    bool Running() const;

    int TcpPort() const { return tcpPort_; }
    QString PtyPath() const { return ptyPath_; }
    int ControlPort() const { return controlPort_; }
    QString Error() const { return error_; }

    // Sends one control command and returns its reply, lines joined by "\n"
    // without the final one; empty on failure. Blocks (the simulator is
    // another process), so the caller's event loop does not run meanwhile.
    QString Control(const QString& command, int timeoutMs = 5000);
    // The lines the interface has received from its client since the last
    // "clear" (command "received").
    QStringList Received(int timeoutMs = 5000);

    // What the simulator wrote to its standard error so far.
    QString StandardError();

private:
    struct ControlChannel;
    QProcess process_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ControlChannel> control_;
    int tcpPort_ = -1;
    int controlPort_ = -1;
    QString ptyPath_;
    QString error_;
    QByteArray stderr_;
};

}  // namespace orvane::test

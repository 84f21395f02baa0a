#include "support/SimProcess.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTcpSocket>

namespace orvane::test {

struct SimProcess::ControlChannel {
    QTcpSocket socket;
    QByteArray buffer;

    // One line from the channel, without its "\n"; false on time-out.
    bool ReadLine(QByteArray& line, QDeadlineTimer deadline) {
        for (;;) {
            const int nl = buffer.indexOf('\n');
            if (nl >= 0) {
                line = buffer.left(nl);
                buffer.remove(0, nl + 1);
                return true;
            }
            if (deadline.hasExpired()) return false;
            if (!socket.waitForReadyRead(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) {
                if (socket.state() != QAbstractSocket::ConnectedState) return false;
                continue;
            }
            buffer += socket.readAll();
        }
    }
};

SimProcess::SimProcess() = default;

SimProcess::~SimProcess() { Stop(); }

QString SimProcess::Program() { return QStringLiteral(ORVANE_BIN_DIR "/tools/sim/orvane-sim"); }

bool SimProcess::Start(QStringList args, int timeoutMs) {
    Stop();
    bool wantTcp = false, wantPty = false, wantControl = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--tcp") wantTcp = true;
        if (args[i] == "--control") wantControl = true;
        if (args[i] == "--pty") {
            wantPty = true;
            if (i + 1 >= args.size() || args[i + 1].startsWith("--")) args.insert(i + 1, QString());
            if (args[i + 1].isEmpty()) {
                dir_ = std::make_unique<QTemporaryDir>();
                args[i + 1] = dir_->filePath(QStringLiteral("orvane-pty"));
            }
        }
    }
    process_.setProgram(Program());
    process_.setArguments(args);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    if (!process_.waitForStarted(timeoutMs)) {
        error_ = QStringLiteral("cannot start ") + Program() + ": " + process_.errorString();
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    QByteArray out;
    auto ready = [&] {
        return (!wantTcp || tcpPort_ > 0) && (!wantPty || !ptyPath_.isEmpty()) && (!wantControl || controlPort_ > 0);
    };
    while (!ready()) {
        if (deadline.hasExpired() || process_.state() != QProcess::Running) {
            stderr_ += process_.readAllStandardError();
            error_ = QStringLiteral("orvane-sim did not report its links: ") + QString::fromLocal8Bit(stderr_);
            Stop();
            return false;
        }
        process_.waitForReadyRead(50);
        out += process_.readAllStandardOutput();
        int nl;
        while ((nl = out.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(out.left(nl)).trimmed();
            out.remove(0, nl + 1);
            const QString value = line.section(' ', 1);
            if (line.startsWith("tcp ")) tcpPort_ = value.section(':', -1).toInt();
            else if (line.startsWith("pty ")) ptyPath_ = value;
            else if (line.startsWith("control ")) controlPort_ = value.section(':', -1).toInt();
        }
    }
    return true;
}

void SimProcess::Stop() {
    control_.reset();
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    tcpPort_ = controlPort_ = -1;
    ptyPath_.clear();
}

bool SimProcess::Running() const { return process_.state() == QProcess::Running; }

QString SimProcess::StandardError() {
    stderr_ += process_.readAllStandardError();
    return QString::fromLocal8Bit(stderr_);
}

QString SimProcess::Control(const QString& command, int timeoutMs) {
    if (controlPort_ <= 0) return {};
    QDeadlineTimer deadline(timeoutMs);
    if (!control_) {
        control_ = std::make_unique<ControlChannel>();
        control_->socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(controlPort_));
        if (!control_->socket.waitForConnected(timeoutMs)) {
            control_.reset();
            return {};
        }
    }
    control_->socket.write(command.toUtf8() + '\n');
    control_->socket.flush();
    QByteArray first;
    if (!control_->ReadLine(first, deadline)) return {};
    QString reply = QString::fromUtf8(first);
    // "received N" is followed by N lines.
    if (first.startsWith("received ")) {
        const int n = first.mid(9).trimmed().toInt();
        for (int i = 0; i < n; ++i) {
            QByteArray l;
            if (!control_->ReadLine(l, deadline)) break;
            reply += '\n' + QString::fromUtf8(l);
        }
    }
    return reply;
}

QStringList SimProcess::Received(int timeoutMs) {
    QStringList lines = Control(QStringLiteral("received"), timeoutMs).split('\n');
    if (!lines.isEmpty()) lines.removeFirst();
    return lines;
}

}  // namespace orvane::test

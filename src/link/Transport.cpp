#include "link/Transport.h"

#include <QSerialPort>
#include <QTcpSocket>
#include <QThread>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace orvane {

// ---- serial ----------------------------------------------------------------

SerialTransport::SerialTransport(QObject* parent) : Transport(parent), port_(new QSerialPort(this)) {
    connect(port_, &QSerialPort::readyRead, this, [this] {
        const QByteArray bytes = port_->readAll();
        if (!bytes.isEmpty()) emit bytesReceived(bytes);
    });
    connect(port_, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError e) { OnError(e); });
}

SerialTransport::~SerialTransport() = default;

bool SerialTransport::IsSerialDevice(const QString& name) {
    if (name.trimmed().isEmpty()) return false;
#ifdef Q_OS_UNIX
    // The serial port's own rule: a path is taken as it is, a bare name is
    // looked for in /dev.
    const bool isPath = name.startsWith('/') || name.startsWith(QLatin1String("./")) || name.startsWith(QLatin1String("../"));
    const QString path = isPath ? name : QStringLiteral("/dev/") + name;
    struct stat st {};
    if (::stat(path.toLocal8Bit().constData(), &st) != 0) return false;
    return S_ISCHR(st.st_mode);
#else
    return true;
#endif
}

bool SerialTransport::OpenPort(int rate) {
    if (!IsSerialDevice(portName_)) return false;
    port_->setPortName(portName_);
    configuring_ = true;
    const bool opened = port_->open(QIODevice::ReadWrite);
    if (opened) {
#ifdef Q_OS_UNIX
        // A character device that is not a terminal (/dev/null, a sound
        // card) is no serial port.
        if (!::isatty(static_cast<int>(port_->handle()))) {
            port_->close();
            configuring_ = false;
            port_->clearError();
            return false;
        }
#endif
        port_->setBaudRate(rate);
        port_->setDataBits(QSerialPort::Data8);
        port_->setParity(QSerialPort::NoParity);
        port_->setStopBits(QSerialPort::OneStop);
        port_->setFlowControl(QSerialPort::NoFlowControl);
        // Modem lines: a pseudo-terminal has none, so failures here are not
        // link failures.
        port_->setDataTerminalReady(!tzl_);
        port_->setRequestToSend(false);
    }
    port_->clearError();
    configuring_ = false;
    return opened;
}

Transport::OpenResult SerialTransport::Open() {
    if (port_->isOpen()) return OpenResult::Open;
    return OpenPort(QSerialPort::Baud9600) ? OpenResult::Open : OpenResult::Failed;
}

void SerialTransport::Close() {
    if (port_->isOpen()) port_->close();
}

bool SerialTransport::IsOpen() const { return port_->isOpen(); }

void SerialTransport::Write(const QByteArray& bytes) {
    if (port_->isOpen()) port_->write(bytes);
}

void SerialTransport::OnError(int error) {
    if (configuring_ || error == QSerialPort::NoError || error == QSerialPort::TimeoutError) return;
    if (!port_->isOpen()) return;
    // When the far end goes away the port keeps reporting read errors while it
    // stays open: that is a lost link. Close once, report once.
    port_->close();
    port_->clearError();
    emit failed();
}

bool SerialTransport::WriteAtRates(const QByteArray& bytes, const QList<int>& rates) {
    if (port_->isOpen()) return false;
    bool any = false;
    for (int rate : rates) {
        if (!OpenPort(rate)) continue;
        any = true;
        configuring_ = true;
        port_->write(bytes);
        port_->waitForBytesWritten(2000);
        // Handed to the driver is not yet sent: at 1200 bit/s the line takes
        // a tenth of a second, and closing the port (which restores its old
        // settings) or changing the rate sooner would garble it. Adapters and
        // pseudo-terminals may report the output drained early, so the line's
        // own time on the wire is waited as well.
#ifdef Q_OS_UNIX
        ::tcdrain(static_cast<int>(port_->handle()));
#endif
        QThread::msleep(static_cast<unsigned long>(bytes.size() * 10 * 1000 / rate + 50));
        port_->close();
        port_->clearError();
        configuring_ = false;
    }
    return any;
}

// ---- TCP -------------------------------------------------------------------

TcpTransport::TcpTransport(QObject* parent) : Transport(parent), socket_(new QTcpSocket(this)) {
    connect(socket_, &QTcpSocket::readyRead, this, [this] {
        const QByteArray bytes = socket_->readAll();
        if (!bytes.isEmpty()) emit bytesReceived(bytes);
    });
    connect(socket_, &QTcpSocket::connected, this, [this] {
        socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        emit connected();
    });
    connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError) {
        if (!active_) return;
        active_ = false;
        socket_->abort();
        emit failed();
    });
}

TcpTransport::~TcpTransport() = default;

QString TcpTransport::PeerText() const { return address_ + ":" + QString::number(port_); }

Transport::OpenResult TcpTransport::Open() {
    if (socket_->state() == QAbstractSocket::ConnectedState) return OpenResult::Open;
    socket_->abort();
    active_ = true;
    socket_->connectToHost(address_, static_cast<quint16>(port_));
    if (socket_->state() == QAbstractSocket::ConnectedState) return OpenResult::Open;
    return active_ ? OpenResult::Pending : OpenResult::Failed;
}

void TcpTransport::Close() {
    active_ = false;
    if (socket_->state() != QAbstractSocket::UnconnectedState) {
        // Hand what was written to the system first, but never wait for it.
        socket_->flush();
        socket_->abort();
    }
}

bool TcpTransport::IsOpen() const { return socket_->state() == QAbstractSocket::ConnectedState; }

void TcpTransport::Write(const QByteArray& bytes) {
    if (IsOpen()) socket_->write(bytes);
}

}  // namespace orvane

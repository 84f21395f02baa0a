// The two ways to reach the interface, behind one small interface: a serial
// port (the PCI) and a TCP client (the ONI). Bytes travel one to one as 8-bit
// characters.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSerialPort;
class QTcpSocket;

namespace orvane {

class Transport : public QObject {
    Q_OBJECT
public:
    enum class OpenResult { Open, Pending, Failed };

    using QObject::QObject;
    ~Transport() override = default;

    // Open (serial) or start connecting (TCP: Pending until connected()).
    virtual OpenResult Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Nothing when closed.
    virtual void Write(const QByteArray& bytes) = 0;

signals:
    void bytesReceived(const QByteArray& bytes);
    // An open link (or a connection attempt) failed. The transport is
    // closed when this is emitted, and it is emitted once per failure.
    void failed();
};

// 9600 8N1, no flow control, RTS low, DTR high (low with the TZL handshake).
class SerialTransport : public Transport {
    Q_OBJECT
public:
    explicit SerialTransport(QObject* parent = nullptr);
    ~SerialTransport() override;

    void SetPortName(const QString& name) { portName_ = name; }
    void SetTzlHandshake(bool on) { tzl_ = on; }
    const QString& PortName() const { return portName_; }

    OpenResult Open() override;
    void Close() override;
    bool IsOpen() const override;
    void Write(const QByteArray& bytes) override;

    // Writes bytes once at each rate in turn, opening and closing the port
    // around each (the serial-rate repair). False when the port is no serial
    // device or cannot be opened at all.
    bool WriteAtRates(const QByteArray& bytes, const QList<int>& rates);

    // True when name is a serial or pseudo-terminal device; regular files,
    // folders and other devices are never opened as ports.
    static bool IsSerialDevice(const QString& name);

private:
    bool OpenPort(int rate);
    void OnError(int error);

    QSerialPort* port_;
    QString portName_;
    bool tzl_ = false;
    bool configuring_ = false;
};

class TcpTransport : public Transport {
    Q_OBJECT
public:
    explicit TcpTransport(QObject* parent = nullptr);
    ~TcpTransport() override;

    void SetAddress(const QString& address, int port) {
        address_ = address;
        port_ = port;
    }
    QString PeerText() const;  // "address:port"

    OpenResult Open() override;
    void Close() override;
    bool IsOpen() const override;
    void Write(const QByteArray& bytes) override;

signals:
    void connected();

private:
    QTcpSocket* socket_;
    QString address_;
    int port_ = 0;
    bool active_ = false;  // connecting or connected, and not closed by us
};

}  // namespace orvane

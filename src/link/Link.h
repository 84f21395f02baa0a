// The link to the interface unit: opening and closing the serial or TCP
// transport, the connect sequence, the receive path that assembles lines and
// hands each to its consumers in a fixed order, sending with checksum and
// acknowledgement characters, request/response, waits and the mode commands.
//
// Everything runs on the thread that owns the Link. The waits (connect,
// Delay, SendCALGetResponse) run a nested event loop, so received lines,
// timers and clicks are handled inside them; they are measured on a
// monotonic clock.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "decode/Decoder.h"
#include "interface/InterfaceState.h"
#include "link/CommandComposer.h"
#include "link/LineAssembler.h"
#include "traffic/TrafficLine.h"

namespace orvane {

class Prompts;
class SerialTransport;
class TcpTransport;
class Transport;

enum class ConnectionType : int { Serial = 0, Tcp = 1 };

// The connection settings (stored by the settings, edited in the options).
struct LinkSettings {
    ConnectionType connectionType = ConnectionType::Serial;
    QString COMPort = QStringLiteral("COM1");
    QString IPAddress = QStringLiteral("192.168.1.100");
    int Port = 14000;
    bool UseTZLHandshake = false;  // keep DTR low as well as RTS
};

// The consumers of the receive path, called for every completed line in this
// order. Every slot may stay empty (the consumer is not there yet).
struct LineConsumers {
    // Live filter: true lets the line through to the display and the
    // decoder (message, sent). Empty: everything passes.
    std::function<bool(const std::string& message, bool sent)> liveFilter;
    // DisplaySerialString: shows one traffic line (and logs it). Sent lines
    // come through here as well: the line with "<CR>", then " = " and its
    // sentence while "Show Decoded Message" is on.
    std::function<void(TrafficDirection direction, const QString& text)> display;
    // Error history: whether a line's sentence (decoded with options 15)
    // passes the error-reporting criteria, and where its phrases (decoded
    // with options 8, split at ";") go.
    std::function<bool(const std::string& sentence)> errorHistoryTest;
    std::function<void(const std::string& phrase)> errorHistory;
    // All-monitor statistics: every line's message while AllMonitorActive.
    std::function<void(const std::string& message)> analyser;
    // MMI reply reader: every line's message; the wiring passes it on only
    // while an installation, application or level MMI is being collected.
    std::function<void(const std::string& message)> mmi;
    // Last: every line as completed (tools and tests watch the traffic here).
    std::function<void(const ReceivedLine& line)> observer;
};

// Steps of the connect sequence that belong to other windows.
struct ConnectSteps {
    // After GetPCIModel: read the interface details, and show them when the
    // argument is true (not while connecting automatically).
    std::function<void(bool show)> interfaceDetails;
    // Both traffic lists emptied.
    std::function<void()> clearLists;
};

enum class ConnectResult {
    Connected,     // an interface answered and was read
    Disconnected,  // the command closed an open link
    OpenFailed,    // "Could not open Serial Port ..." / "Could not connect to IP Address ..."
    NotFound,      // "PCI Not Found on Serial Port ..." / "ONI not found at IP Address ..."
    Lost,          // the link failed or was closed during the sequence
};

class Link : public QObject {
    Q_OBJECT
public:
    // Waits and bounds.
    static constexpr std::chrono::milliseconds kConnectWait{5000};
    static constexpr std::chrono::milliseconds kAnswerWait{3000};
    // Lines kept for one waiting request; older ones give way.
    static constexpr std::size_t kMaxResponseLines = 1000;

    // state and decoder are shared with the rest of the program and must
    // outlive the link; prompts may be null (messages are then dropped).
    Link(InterfaceState& state, Decoder& decoder, Prompts* prompts, QObject* parent = nullptr);
    ~Link() override;

    // ---- wiring and settings ----
    void SetConsumers(LineConsumers consumers) { consumers_ = std::move(consumers); }
    LineConsumers& Consumers() { return consumers_; }
    void SetConnectSteps(ConnectSteps steps) { steps_ = std::move(steps); }
    void SetPrompts(Prompts* prompts) { prompts_ = prompts; }
    void SetSettings(const LinkSettings& settings) { settings_ = settings; }
    const LinkSettings& Settings() const { return settings_; }

    // Display options the link itself reads.
    void SetShowAscii(bool on) { assembler_.SetShowAscii(on); }
    void SetShowDecodedMessage(bool on) { showDecoded_ = on; }
    void SetDecodeOptions(int options) { decodeOptions_ = options; }
    int DecodeOptions() const { return decodeOptions_; }
    // "Use Acknowledgement Characters".
    void SetUseAckChars(bool on) { useAckChars_ = on; }
    // Continuous lighting sending at full speed asks for them as well.
    void SetFullSpeedAcks(bool on) { fullSpeedAcks_ = on; }

    // ---- transport ----
    bool CommsOpen();
    void CommsClose();
    bool CommsIsOpen() const;
    // 8-bit characters one to one; nothing when the link is closed.
    void CommsSendString(const QString& text);
    // "address:port" (TCP) or the port name (serial): for the caption.
    QString LinkName() const;

    // ---- connect command ----
    // Toggles: closes an open link, or opens it and runs the sequence
    // (reset, answer wait, default mode, GetPCIModel, the interface details,
    // lists cleared). Failures are reported through the prompts.
    ConnectResult ConnectCommand();
    bool Connected() const { return connected_; }  // the menu item's check mark

    // ---- flags ----
    bool InterfaceFound() const { return interfaceFound_; }
    bool SendConfirmed() const { return sendConfirmed_; }
    bool CollectingResponses() const { return !collectors_.empty(); }
    // The lines collected so far by the innermost waiting request.
    QStringList ResponseList() const;
    bool Connecting() const { return connecting_; }
    bool AutoConnecting() const { return autoConnecting_; }
    void SetAutoConnecting(bool on) { autoConnecting_ = on; }
    char NextAckChar() const { return ack_.Next(); }
    // The line being received.
    const std::string& ReceiveBuffer() const { return assembler_.Buffer(); }

    // ---- sending ----
    void SendOrvaneString(const QString& line, const QString& sentence);
    void SendOrvaneCommand(const QString& line);
    // Sends command and waits up to seconds for a line that matches pattern
    // (smart-mode header removed), attempts times. Empty when none came; at
    // once when the link closes meanwhile.
    QString SendCALGetResponse(const QString& command, const QString& pattern, double seconds, int attempts);
    // Returns after seconds, handling events meanwhile.
    void Delay(double seconds);
    // Handles events until done() holds or seconds have passed; true when
    // done() held. For the other waits of the program (the MMI wait).
    bool WaitFor(const std::function<bool()>& done, double seconds);

    // ---- interface modes and model ----
    void SetBasicMode();
    void SetSmartMode();
    void SetDefaultMode();
    // AllMonitorStartTime is set to the local wall clock in seconds since
    // 1970-01-01 UTC.
    void SetAllMonitorMode();
    void GetPCIModel();
    // The version text of the interface addressed by header (empty: the
    // local one), or empty.
    QString GetPCIVersion(const QString& header);
    // The repair of an interface left at a wrong serial rate, with its
    // questions and messages.
    void RepairSerialRate();

    // The receive path, for bytes from the transport (and for tests).
    void ProcessReceivedText(const QByteArray& bytes);

    InterfaceState& State() { return state_; }
    Decoder& MessageDecoder() { return decoder_; }

signals:
    // The link opened or closed, or an interface was found: update the
    // caption and the enabled commands.
    void linkStateChanged();

private:
    class Dispatch;
    struct Collector {
        std::deque<std::string> lines;
    };

    Transport* Active() const;
    void OnTransportFailed(Transport* transport);
    void Unmark();
    void Report(const QString& text);
    // Runs events until done() or the time is up; true when done() held.
    bool WaitUntil(const std::function<bool()>& done, std::chrono::nanoseconds timeout);
    void LineCompleted(const ReceivedLine& line);

    InterfaceState& state_;
    Decoder& decoder_;
    Prompts* prompts_;
    LinkSettings settings_;
    LineConsumers consumers_;
    ConnectSteps steps_;
    SerialTransport* serial_;
    TcpTransport* tcp_;
    LineAssembler assembler_;
    AckCounter ack_;
    std::vector<Collector*> collectors_;

    bool connected_ = false;
    bool interfaceFound_ = false;
    bool sendConfirmed_ = true;
    bool connecting_ = false;
    bool autoConnecting_ = false;
    bool showDecoded_ = true;
    bool useAckChars_ = false;
    bool fullSpeedAcks_ = false;
    int decodeOptions_ = DecodeShowData;
    quint64 linkGeneration_ = 0;  // counts closes, so a sequence sees a close it did not make

    // Received bytes not yet assembled. Bytes that arrive while a line is
    // being dispatched are queued behind the rest, so lines keep their order
    // even when a consumer runs a nested event loop.
    QByteArray pending_;
    qsizetype pendingPos_ = 0;
};

}  // namespace orvane

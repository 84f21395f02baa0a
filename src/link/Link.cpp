#include "link/Link.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "decode/Hex.h"
#include "interface/InterfaceModel.h"
#include "link/ReplyMatcher.h"
#include "link/Transport.h"
#include "ui/Prompts.h"

namespace orvane {

namespace {

std::string Latin1(const QString& s) {
    const QByteArray b = s.toLatin1();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

QString FromLatin1(const std::string& s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

// Sentences are UTF-8, like all text the core builds.
QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::chrono::nanoseconds Seconds(double s) {
    if (!(s > 0)) return std::chrono::nanoseconds(0);
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(s));
}

}  // namespace

// The assembler's per-character flags.
class Link::Dispatch : public LineAssembler::Sink {
public:
    explicit Dispatch(Link& link) : link_(link) {}
    void AnswerCharacter() override { link_.interfaceFound_ = true; }
    void AckCharacter() override { link_.sendConfirmed_ = true; }
    void LineCompleted(const ReceivedLine& line) override { link_.LineCompleted(line); }

private:
    Link& link_;
};

Link::Link(InterfaceState& state, Decoder& decoder, Prompts* prompts, QObject* parent)
    : QObject(parent),
      state_(state),
      decoder_(decoder),
      prompts_(prompts),
      serial_(new SerialTransport(this)),
      tcp_(new TcpTransport(this)) {
    for (Transport* t : {static_cast<Transport*>(serial_), static_cast<Transport*>(tcp_)}) {
        connect(t, &Transport::bytesReceived, this, &Link::ProcessReceivedText);
        connect(t, &Transport::failed, this, [this, t] { OnTransportFailed(t); });
    }
}

Link::~Link() {
    // Nothing reaches a half-destroyed link.
    serial_->disconnect(this);
    tcp_->disconnect(this);
    serial_->Close();
    tcp_->Close();
}

// ---- transport ---------------------------------------------------------------

Transport* Link::Active() const {
    if (settings_.connectionType == ConnectionType::Tcp) return tcp_;
    return serial_;
}

bool Link::CommsOpen() {
    if (settings_.connectionType == ConnectionType::Serial) {
        serial_->SetPortName(settings_.COMPort);
        serial_->SetTzlHandshake(settings_.UseTZLHandshake);
        return serial_->Open() == Transport::OpenResult::Open;
    }
    if (tcp_->IsOpen()) return true;
    tcp_->SetAddress(settings_.IPAddress, settings_.Port);
    connecting_ = true;
    const auto result = tcp_->Open();
    if (result == Transport::OpenResult::Pending)
        WaitUntil([this] { return tcp_->IsOpen() || !connecting_; }, kConnectWait);
    connecting_ = false;
    if (!tcp_->IsOpen()) {
        tcp_->Close();
        return false;
    }
    return true;
}

void Link::CommsClose() {
    serial_->Close();
    tcp_->Close();
    ++linkGeneration_;
}

bool Link::CommsIsOpen() const { return Active()->IsOpen(); }

void Link::CommsSendString(const QString& text) {
    if (!CommsIsOpen()) return;
    Active()->Write(text.toLatin1());
}

QString Link::LinkName() const {
    if (settings_.connectionType == ConnectionType::Tcp) return tcp_->PeerText();
    return settings_.COMPort;
}

void Link::Unmark() { connected_ = false; }

void Link::Report(const QString& text) {
    if (prompts_) prompts_->Error(text);
}

void Link::OnTransportFailed(Transport* transport) {
    if (transport == tcp_ && connecting_) {
        // Ends the connect wait early; the connect command reports it.
        connecting_ = false;
        return;
    }
    // The link is closed before the message is shown, so that nothing more
    // arrives (or fails again) while the box is up.
    Unmark();
    interfaceFound_ = false;
    CommsClose();
    Report(transport == tcp_ ? QStringLiteral("Socket error, disconnecting.")
                             : QStringLiteral("Serial port error, disconnecting."));
    emit linkStateChanged();
}

// ---- connect command ---------------------------------------------------------

ConnectResult Link::ConnectCommand() {
    interfaceFound_ = false;
    if (connected_) {
        Unmark();
        CommsClose();
        emit linkStateChanged();
        return ConnectResult::Disconnected;
    }
    const bool tcp = settings_.connectionType == ConnectionType::Tcp;
    if (!CommsOpen()) {
        Report(tcp ? QStringLiteral("Could not connect to IP Address ") + settings_.IPAddress + ":" +
                         QString::number(settings_.Port)
                   : QStringLiteral("Could not open Serial Port ") + settings_.COMPort);
        emit linkStateChanged();
        return ConnectResult::OpenFailed;
    }
    connected_ = true;
    const quint64 generation = linkGeneration_;
    auto lost = [&] { return generation != linkGeneration_ || !connected_; };

    SendOrvaneString(QStringLiteral("~~~"), QStringLiteral("Set Basic Mode"));
    WaitUntil([&] { return interfaceFound_ || lost(); }, kAnswerWait);
    if (lost()) {
        emit linkStateChanged();
        return ConnectResult::Lost;
    }
    if (!interfaceFound_) {
        Report(tcp ? QStringLiteral("ONI not found at IP Address ") + settings_.IPAddress
                   : QStringLiteral("PCI Not Found on Serial Port ") + settings_.COMPort);
        Unmark();
        CommsClose();
        emit linkStateChanged();
        return ConnectResult::NotFound;
    }
    emit linkStateChanged();
    SetDefaultMode();
    if (lost()) return ConnectResult::Lost;
    GetPCIModel();
    if (lost()) return ConnectResult::Lost;
    if (steps_.interfaceDetails) steps_.interfaceDetails(!autoConnecting_);
    if (lost()) return ConnectResult::Lost;
    if (steps_.clearLists) steps_.clearLists();
    emit linkStateChanged();
    return ConnectResult::Connected;
}

// ---- waits -------------------------------------------------------------------

bool Link::WaitUntil(const std::function<bool()>& done, std::chrono::nanoseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    if (done()) return true;
    // The timer only wakes the event loop at the deadline; between events the
    // thread sleeps.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline) return done();
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        wake.start(left);
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        if (done()) return true;
    }
}

void Link::Delay(double seconds) {
    WaitUntil([] { return false; }, Seconds(seconds));
}

bool Link::WaitFor(const std::function<bool()>& done, double seconds) { return WaitUntil(done, Seconds(seconds)); }

// ---- receive path ------------------------------------------------------------

void Link::ProcessReceivedText(const QByteArray& bytes) {
    pending_.append(bytes);
    // A nested call (a consumer running an event loop) carries on from where
    // the outer one stopped; the outer one then finds nothing left.
    Dispatch dispatch(*this);
    ReceivedLine line;
    while (pendingPos_ < pending_.size()) {
        bool completed = false;
        const std::string_view rest(pending_.constData() + pendingPos_,
                                    static_cast<std::size_t>(pending_.size() - pendingPos_));
        pendingPos_ += static_cast<qsizetype>(assembler_.FeedUntilLine(rest, dispatch, line, completed));
        if (completed) LineCompleted(line);
    }
    pending_.clear();
    pendingPos_ = 0;
}

void Link::LineCompleted(const ReceivedLine& line) {
    const std::string& message = line.message;
    const bool passes = !consumers_.liveFilter || consumers_.liveFilter(message, false);
    if (passes && !state_.AllMonitorActive) {
        if (consumers_.display) {
            if (line.buffer != "<LF>") consumers_.display(TrafficDirection::Received, FromLatin1(line.buffer));
            if (showDecoded_) {
                const std::string sentence = decoder_.DecodeMessage(message, decodeOptions_);
                if (!sentence.empty())
                    consumers_.display(TrafficDirection::Received, QStringLiteral(" = ") + FromUtf8(sentence));
            }
        }
        if (consumers_.errorHistoryTest && consumers_.errorHistory &&
            consumers_.errorHistoryTest(decoder_.DecodeMessage(message, 15))) {
            const TTokenList phrases = SplitTokens(decoder_.DecodeMessage(message, DecodeShowData), ";");
            for (int i = 1; i <= phrases.Count; ++i) consumers_.errorHistory(phrases.Tokens[i]);
        }
    }
    if (state_.AllMonitorActive && consumers_.analyser) consumers_.analyser(message);
    if (consumers_.mmi) consumers_.mmi(message);
    if (!collectors_.empty() && (line.buffer.empty() || line.buffer.front() != '<')) {
        for (Collector* c : collectors_) {
            if (c->lines.size() >= kMaxResponseLines) c->lines.pop_front();
            c->lines.push_back(line.buffer);
        }
    }
    if (consumers_.observer) consumers_.observer(line);
}

QStringList Link::ResponseList() const {
    QStringList l;
    if (!collectors_.empty())
        for (const auto& s : collectors_.back()->lines) l << FromLatin1(s);
    return l;
}

// ---- sending -----------------------------------------------------------------

void Link::SendOrvaneString(const QString& line, const QString& sentence) {
    if (!CommsIsOpen() || line.isEmpty()) return;
    const std::string text = Latin1(line);
    if (consumers_.display && (!consumers_.liveFilter || consumers_.liveFilter(text, true))) {
        consumers_.display(TrafficDirection::Sent, line + QStringLiteral("<CR>"));
        if (showDecoded_ && !sentence.isEmpty())
            consumers_.display(TrafficDirection::Sent, QStringLiteral(" = ") + sentence);
    }
    CheckInterfaceOptions(state_, text);
    CommsSendString(line + QChar('\r'));
}

void Link::SendOrvaneCommand(const QString& line) {
    if (!CommsIsOpen() || line.isEmpty()) return;
    ComposeOptions options;
    options.checksum = (state_.InterfaceOptions1 & OptChecksum) != 0;
    options.ackChar = useAckChars_ || fullSpeedAcks_;
    const std::string composed = ComposeCommand(Latin1(line), options, ack_);
    sendConfirmed_ = false;
    const std::string sentence = decoder_.DecodeMessage(composed, decodeOptions_ | DecodeSentCommand);
    SendOrvaneString(FromLatin1(composed), FromUtf8(sentence));
}

QString Link::SendCALGetResponse(const QString& command, const QString& pattern, double seconds, int attempts) {
    Collector collector;
    collectors_.push_back(&collector);
    struct Pop {
        std::vector<Collector*>& v;
        Collector* c;
        ~Pop() { v.erase(std::remove(v.begin(), v.end(), c), v.end()); }
    } pop{collectors_, &collector};

    const std::string cmd = Latin1(command);
    const std::string pat = Latin1(pattern);
    const std::optional<std::string> header = SmartReplyHeader(state_, cmd);
    std::string reply;
    bool found = false;
    auto take = [&] {
        while (!collector.lines.empty()) {
            std::string l = std::move(collector.lines.front());
            collector.lines.pop_front();
            if (header) {
                auto stripped = StripSmartHeader(l, *header);
                if (!stripped) continue;
                l = std::move(*stripped);
            }
            if (StringsMatch(pat, l)) {
                reply = std::move(l);
                found = true;
                return true;
            }
        }
        // Nothing can answer a closed link.
        return !CommsIsOpen();
    };
    for (int attempt = 1; attempt <= attempts && !found && CommsIsOpen(); ++attempt) {
        SendOrvaneCommand(command);
        WaitUntil(take, Seconds(seconds));
    }
    return found ? FromLatin1(reply) : QString();
}

// ---- modes and model ---------------------------------------------------------

void Link::SetBasicMode() { SendOrvaneString(QStringLiteral("~~~"), QStringLiteral("Set Basic Mode")); }

void Link::SetSmartMode() {
    SetBasicMode();
    SendOrvaneString(QStringLiteral("||"), QStringLiteral("Set Smart Mode"));
}

void Link::SetDefaultMode() {
    SetBasicMode();
    SendOrvaneString(QStringLiteral("A3300051"), QStringLiteral("Set Default Mode"));
    Delay(0.2);
}

void Link::SetAllMonitorMode() {
    SendCALGetResponse(QStringLiteral("@A3400048"), QStringLiteral("324000*"), 2, 3);
    state_.AllMonitorActive = true;
    state_.AllMonitorStartTime = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

QString Link::GetPCIVersion(const QString& header) {
    const QString reply =
        SendCALGetResponse(header + QString::fromLatin1(kVersionRequest), QString::fromLatin1(kVersionReplyPattern), 2, 3);
    if (reply.isEmpty()) return {};
    return FromLatin1(ReplyVersionText(Latin1(reply)));
}

void Link::GetPCIModel() {
    state_.PciUnitAddress = -1;
    state_.PciVersion = ExtractVersion(Latin1(GetPCIVersion(QString())));
    if (state_.PciVersion == 0) {
        ClearModel(state_);
        return;
    }
    for (const ParameterRead& read : kModelParameterReads) {
        const QString reply = SendCALGetResponse(QString::fromLatin1(read.command), QString::fromLatin1(read.pattern), 2, 3);
        state_.*read.field = ReplyParameterValue(Latin1(reply));
        if (read.parameter == 0x20) state_.RoutePrefix = UpperHex2(state_.PciUnitAddress) + "00";
    }
}

void Link::RepairSerialRate() {
    if (!prompts_) return;
    if (connected_) {
        prompts_->Error(QStringLiteral("PCI connection can't be open to repair Serial port settings"));
        return;
    }
    if (settings_.connectionType == ConnectionType::Tcp) {
        prompts_->Error(QStringLiteral("Serial settings can only be repaired for a serial connected PCI"));
        return;
    }
    if (prompts_->Message(MessageKind::Information, QString(),
                          QStringLiteral("Click OK try and return the Baud Rate settings of a PCI to default 9600 bps."),
                          Buttons::OkCancel) != Answer::Ok)
        return;
    serial_->SetPortName(settings_.COMPort);
    serial_->SetTzlHandshake(false);  // DTR on, RTS off for the repair
    serial_->WriteAtRates(QByteArrayLiteral("~~~A33D00FF\r"), {1200, 2400, 4800});
    prompts_->Inform(QStringLiteral("PCI Data rate repair attempt complete. Results not guaranteed."));
}

}  // namespace orvane

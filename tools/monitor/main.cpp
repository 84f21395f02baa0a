// orvane-monitor: connects to the interface through the serial or TCP link,
// runs the connect sequence and prints every sent and received line with its
// time stamp and decoded sentence, as the combined traffic list shows them,
// until interrupted.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "decode/Decoder.h"
#include "interface/InterfaceState.h"
#include "link/Link.h"
#include "traffic/TrafficLine.h"
#include "ui/Prompts.h"

using namespace orvane;

namespace {

constexpr const char* kUsage = R"(Usage: orvane-monitor (--tcpip ADDRESS:PORT | --serial PORT) [options]

Connects to the interface, runs the connect sequence (reset, default mode,
model read) and prints every line sent and received, with its time stamp and
decoded sentence, until interrupted (Ctrl+C).

  --tcpip ADDRESS:PORT   the network interface at ADDRESS:PORT
  --serial PORT          the serial interface on PORT (such as /dev/ttyUSB0)
  --tzl                  keep DTR low as well as RTS on the serial port
  --log                  also write the traffic log (YYYY_MM_DD_HHNNSS_log.txt)
                         in the current folder
  --log-dir FOLDER       write the traffic log in FOLDER (implies --log)
  --hex                  numbers in hexadecimal
  --time-dp N            decimal places of the seconds in the time stamp (0-2)
  --date                 the date in front of the time stamp
  --ascii                show the printable rendering of received lines
  --decode-options MASK  what the sentences say: 1 unit, 2 network,
                         4 application, 8 message (default 8; 0: no sentences)
  --ack                  send acknowledgement characters with commands
  --help                 this text

Exit status: 0 after an interrupt, 1 when the link cannot be opened, no
interface answers or the link is lost, 2 for a bad option.
)";

int Fail(const std::string& message) {
    std::fprintf(stderr, "orvane-monitor: %s\nTry 'orvane-monitor --help'.\n", message.c_str());
    return 2;
}

// Questions cannot be asked here: messages go to standard error as one line.
class StderrPrompts : public Prompts {
public:
    Answer Message(MessageKind, const QString&, const QString& text, Buttons) override {
        std::fprintf(stderr, "orvane-monitor: %s\n", text.toLocal8Bit().constData());
        return Answer::Ok;
    }
    std::optional<QString> Input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> OpenFile(const QString&, const QString&, const QStringList&) override { return std::nullopt; }
    std::optional<QString> SaveFile(const QString&, const QString&, const QStringList&) override { return std::nullopt; }
    std::optional<QFont> Font(const QFont&) override { return std::nullopt; }
};

TrafficTime Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

// The traffic log: one line per shown line, CR LF, flushed at once, a new
// file every kLogLinesPerFile lines.
class TrafficLogFile {
public:
    explicit TrafficLogFile(QString folder) : folder_(std::move(folder)) {}
    ~TrafficLogFile() { Close(); }
    bool Open() {
        Close();
        const QString name = QDir(folder_).filePath(QString::fromStdString(LogFileName(Now())));
        file_ = std::fopen(QFile::encodeName(name).constData(), "wb");
        if (!file_) {
            std::fprintf(stderr, "orvane-monitor: cannot write the log file %s\n", name.toLocal8Bit().constData());
            return false;
        }
        lines_ = 0;
        return true;
    }
    void Write(const std::string& line) {
        if (!file_) return;
        std::fwrite(line.data(), 1, line.size(), file_);
        std::fwrite("\r\n", 1, 2, file_);
        std::fflush(file_);
        if (++lines_ >= kLogLinesPerFile) Open();
    }
    void Close() {
        if (file_) std::fclose(file_);
        file_ = nullptr;
    }

private:
    QString folder_;
    std::FILE* file_ = nullptr;
    int lines_ = 0;
};

int signalPipe[2] = {-1, -1};
void OnSignal(int) {
    const char c = 1;
    [[maybe_unused]] auto n = ::write(signalPipe[1], &c, 1);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    LinkSettings settings;
    bool haveLink = false;
    bool log = false;
    bool showAscii = false;
    bool ack = false;
    QString logDir = QDir::currentPath();
    TrafficLineOptions lineOptions;
    lineOptions.combined = true;
    lineOptions.showTime = true;
    bool showDate = false;
    int decodeOptions = DecodeShowData;
    bool hex = false;

    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--tcpip") {
            const QString v = value();
            const int colon = v.lastIndexOf(':');
            bool ok = false;
            const int port = colon > 0 ? v.mid(colon + 1).toInt(&ok) : 0;
            if (!ok || port < 1 || port > 65535) return Fail("--tcpip needs ADDRESS:PORT");
            settings.connectionType = ConnectionType::Tcp;
            settings.IPAddress = v.left(colon);
            settings.Port = port;
            haveLink = true;
        } else if (a == "--serial") {
            const QString v = value();
            if (v.isEmpty()) return Fail("--serial needs a port name");
            settings.connectionType = ConnectionType::Serial;
            settings.COMPort = v;
            haveLink = true;
        } else if (a == "--tzl") {
            settings.UseTZLHandshake = true;
        } else if (a == "--log") {
            log = true;
        } else if (a == "--log-dir") {
            logDir = value();
            if (logDir.isEmpty()) return Fail("--log-dir needs a folder");
            log = true;
        } else if (a == "--hex") {
            hex = true;
        } else if (a == "--time-dp") {
            bool ok = false;
            const int n = value().toInt(&ok);
            if (!ok || n < 0 || n > 2) return Fail("--time-dp needs 0, 1 or 2");
            lineOptions.timeDP = n;
        } else if (a == "--date") {
            showDate = true;
        } else if (a == "--ascii") {
            showAscii = true;
        } else if (a == "--decode-options") {
            bool ok = false;
            const int n = value().toInt(&ok, 0);
            if (!ok || n < 0 || n > 15) return Fail("--decode-options needs a mask 0-15");
            decodeOptions = n;
        } else if (a == "--ack") {
            ack = true;
        } else {
            return Fail("unknown option '" + a.toStdString() + "'");
        }
    }
    if (!haveLink) return Fail("give --tcpip ADDRESS:PORT or --serial PORT");

    InterfaceState state;
    Decoder decoder(state);
    decoder.Format().hex = hex;
    StderrPrompts prompts;
    Link link(state, decoder, &prompts);
    link.SetSettings(settings);
    link.SetShowAscii(showAscii);
    link.SetShowDecodedMessage(decodeOptions != 0);
    link.SetDecodeOptions(decodeOptions);
    link.SetUseAckChars(ack);

    TrafficLogFile logFile(logDir);
    if (log && !logFile.Open()) return 1;

    LineConsumers consumers;
    consumers.display = [&](TrafficDirection direction, const QString& text) {
        const TrafficTime now = Now();
        if (showDate) lineOptions.dateText = QLocale().toString(QDate(now.year, now.month, now.day), QLocale::ShortFormat).toStdString();
        const std::string t = text.toStdString();
        std::string line = ListLineText(direction, t, now, lineOptions);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
        if (log) logFile.Write(LogLineText(direction, t, now, lineOptions));
    };
    link.SetConsumers(consumers);
    link.SetConnectSteps({[&](bool) {
                              std::fprintf(stderr,
                                           "orvane-monitor: connected to %s, interface version %X.%02X, unit "
                                           "address %02X, options 1 %02X\n",
                                           link.LinkName().toLocal8Bit().constData(), state.PciVersion >> 8,
                                           state.PciVersion & 0xFF, state.PciUnitAddress & 0xFF,
                                           state.InterfaceOptions1 & 0xFF);
                          },
                          {}});

    // Output goes out in batches; the log is flushed per line.
    QTimer flush;
    QObject::connect(&flush, &QTimer::timeout, [] { std::fflush(stdout); });
    flush.start(100);

    if (::pipe(signalPipe) != 0) return 1;
    QSocketNotifier interrupt(signalPipe[0], QSocketNotifier::Read);
    bool interrupted = false;
    QObject::connect(&interrupt, &QSocketNotifier::activated, [&] {
        char c;
        [[maybe_unused]] auto n = ::read(signalPipe[0], &c, 1);
        interrupted = true;
        // Inside the connect sequence this ends its waits at once.
        link.CommsClose();
        QCoreApplication::exit(0);
    });
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif

    const ConnectResult connected = link.ConnectCommand();
    if (interrupted || connected != ConnectResult::Connected) {
        std::fflush(stdout);
        return interrupted ? 0 : 1;
    }
    QObject::connect(&link, &Link::linkStateChanged, [&] {
        if (!link.CommsIsOpen() && !interrupted) QCoreApplication::exit(1);
    });
    std::fflush(stdout);
    const int rc = app.exec();
    link.CommsClose();
    std::fflush(stdout);
    return rc;
}

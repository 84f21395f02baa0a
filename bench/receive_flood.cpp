// Timed tool for the receive path: lines assembled, decoded and formatted as
// the traffic list shows them, per second.
//
//   receive_flood [RATE [SECONDS]]
//
// 1. Over TCP from the simulator's flood: connects a Link to orvane-sim,
//    asks for RATE extra messages a second for SECONDS and counts the lines
//    that go through the whole receive path, with the CPU time this process
//    spent on them.
// 2. In memory: the same receive path fed from a prepared buffer, to show
//    what it takes without the network.
// Exit status 1 when the receive path stays below 20,000 lines a second.
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <string>
#include <sys/resource.h>

#include "decode/Decoder.h"
#include "decode/Hex.h"
#include "interface/InterfaceState.h"
#include "link/Link.h"
#include "support/SimProcess.h"
#include "traffic/TrafficLine.h"
#include "ui/Prompts.h"

using namespace orvane;

namespace {

constexpr double kTarget = 20000;

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

TrafficTime Now() {
    const QDateTime now = QDateTime::currentDateTime();
    return {now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute(),
            now.time().second(), now.time().msec()};
}

// The receive path's consumers as the traffic list uses them: every shown
// line formatted with its time stamp.
struct Counting {
    long lines = 0;
    std::size_t chars = 0;
    TrafficLineOptions options;
    void Wire(Link& link) {
        options.combined = true;
        options.timeDP = 2;
        LineConsumers c;
        c.display = [this](TrafficDirection d, const QString& text) {
            chars += ListLineText(d, text.toStdString(), Now(), options).size();
        };
        c.observer = [this](const ReceivedLine& l) {
            if (l.buffer != "<LF>") ++lines;
        };
        link.SetConsumers(c);
        link.SetDecodeOptions(DecodeShowUnit | DecodeShowNetwork | DecodeShowApplication | DecodeShowData);
        link.SetShowDecodedMessage(true);
    }
};

void Wait(int ms) {
    QElapsedTimer t;
    t.start();
    QTimer tick;
    tick.start(10);
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double rate = argc > 1 ? std::atof(argv[1]) : 50000;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 3;
    bool ok = true;

    // ---- over TCP --------------------------------------------------------
    {
        test::SimProcess sim;
        if (!sim.Start({"--tcp", "0", "--control", "0"})) {
            std::fprintf(stderr, "receive_flood: %s\n", sim.Error().toLocal8Bit().constData());
            return 2;
        }
        InterfaceState state;
        Decoder decoder(state);
        ScriptedPrompts prompts;
        Link link(state, decoder, &prompts);
        LinkSettings s;
        s.connectionType = ConnectionType::Tcp;
        s.IPAddress = "127.0.0.1";
        s.Port = sim.TcpPort();
        link.SetSettings(s);
        Counting count;
        count.Wire(link);
        if (link.ConnectCommand() != ConnectResult::Connected) {
            std::fprintf(stderr, "receive_flood: no interface answered\n");
            return 2;
        }
        const long before = count.lines;
        const double cpu0 = CpuSeconds();
        QElapsedTimer t;
        t.start();
        sim.Control(QStringLiteral("flood %1 %2").arg(rate).arg(seconds));
        Wait(static_cast<int>(seconds * 1000));
        // Whatever is still on its way.
        long last = -1;
        while (last != count.lines) {
            last = count.lines;
            Wait(200);
        }
        const double wall = t.elapsed() / 1000.0 - 0.2;
        const double cpu = CpuSeconds() - cpu0;
        const long n = count.lines - before;
        const double perSecond = n / wall;
        const double perCpuSecond = cpu > 0 ? n / cpu : 0;
        std::printf("over TCP: %ld lines in %.2f s = %.0f lines/s (flood asked %.0f/s); "
                    "CPU %.2f s = %.0f lines per CPU second\n",
                    n, wall, perSecond, rate, cpu, perCpuSecond);
        ok = ok && perCpuSecond >= kTarget;
    }

    // ---- in memory ---------------------------------------------------------
    {
        InterfaceState state;
        state.InterfaceOptions1 = 0x51;
        state.PciUnitAddress = 0xFE;
        Decoder decoder(state);
        Link link(state, decoder, nullptr);
        Counting count;
        count.Wire(link);
        // Lighting, HVAC-like and error lines of the monitored form.
        const char* bodies[] = {"05123800790533", "0510380001040000", "05113800220E50", "0520AC00090102030405"};
        std::string block;
        for (int i = 0; i < 1000; ++i) {
            std::string body = bodies[i % 4];
            body += ChecksumText(body);
            block += body + "\r\n";
        }
        const QByteArray bytes = QByteArray::fromStdString(block);
        const int rounds = 200;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < rounds; ++i) link.ProcessReceivedText(bytes);
        const double wall = t.nsecsElapsed() / 1e9;
        std::printf("in memory: %ld lines in %.2f s = %.0f lines/s\n", count.lines, wall, count.lines / wall);
        ok = ok && count.lines / wall >= kTarget;
    }
    std::printf("%s: target %.0f lines/s\n", ok ? "met" : "NOT MET", kTarget);
    return ok ? 0 : 1;
}

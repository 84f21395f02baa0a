// lists_flood: drives a flood of received lines from orvane-sim through the
// main window's full receive path (assemble, decode, show) into the traffic
// lists, and reports the longest stall of the event loop and the memory
// growth over the run.
//
//   lists_flood [--rate 5000] [--seconds 10]
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
// Exit status 1 when a target is missed: a stall of 100 ms or more, or
// memory growing by more than 32 MB. On a shared machine a stall can be
// time the processor spent on other programs; "most work per event" is the
// program's own share.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "link/Link.h"
#include "shell/MainForm.h"
#include "shell/QtSettingsStore.h"
#include "support/SimProcess.h"
#include "ui/Prompts.h"

namespace {

// CPU time of this thread: a wait much longer than it was spent elsewhere
// (another process had the processor).
double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Times every event delivery, to name what held the loop longest.
class TimedApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        if (depth_++ > 0) {
            const bool r = QApplication::notify(receiver, event);
            --depth_;
            return r;
        }
        QElapsedTimer t;
        t.start();
        const double cpu0 = ThreadCpuMs();
        const bool r = QApplication::notify(receiver, event);
        --depth_;
        const qint64 ms = t.elapsed();
        mostCpuMs = std::max(mostCpuMs, ThreadCpuMs() - cpu0);
        if (ms > longestMs) {
            longestMs = ms;
            longestCpuMs = ThreadCpuMs() - cpu0;
            longestWhat = QString("%1 (%2), event %3")
                              .arg(receiver->metaObject()->className(), receiver->objectName())
                              .arg(int(event->type()));
        }
        return r;
    }
    void ResetLongest() {
        longestMs = 0;
        longestCpuMs = mostCpuMs = 0;
        longestWhat.clear();
    }
    qint64 longestMs = 0;
    double longestCpuMs = 0;
    double mostCpuMs = 0;  // the most processor time any one event took
    QString longestWhat;

private:
    int depth_ = 0;
};

long ResidentKb() {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Runs the event loop as the program does (sleeping while idle) for ms.
void Pump(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int rate = 5000;
    int seconds = 10;
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--rate")) rate = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--seconds")) seconds = std::atoi(argv[++i]);
    }
    TimedApplication app(argc, argv);
    QTemporaryDir dir;
    orvane::QtSettingsStore store(dir.filePath("settings.ini"));
    store.Write("WhatsNew", "AutoShow", "0");
    if (qEnvironmentVariableIsSet("FLOOD_NOWRAP")) store.Write("Options", "WordWrap", "0");
    store.Write("WhatsNew", "VersionNumber", orvane::MainForm::VersionText().toStdString());
    orvane::ScriptedPrompts prompts;

    orvane::test::SimProcess sim;
    if (!sim.Start({"--tcp", "0", "--control", "0", "--traffic", "0"})) {
        std::fprintf(stderr, "lists_flood: %s\n", qPrintable(sim.Error()));
        return 2;
    }
    orvane::MainForm window(store, prompts,
                            {"/tcpip=127.0.0.1:" + std::to_string(sim.TcpPort()), "/autoconnect"});
    window.resize(1024, 768);
    window.show();

    QElapsedTimer wait;
    wait.start();
    while (!window.InterfaceFound() || window.StartupTimer().isActive()) {
        if (wait.elapsed() > 20000) {
            std::fprintf(stderr, "lists_flood: no interface answered\n");
            return 2;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    Pump(3000);  // the rest of the connect sequence

    long lines = 0;
    window.link()->Consumers().observer = [&lines](const orvane::ReceivedLine&) { ++lines; };

    // The event loop's pulse: a 5 ms timer; the longest gap between two
    // ticks, less the interval, is the longest time input would have waited.
    QElapsedTimer pulse;
    qint64 last = 0, longest = 0;
    QTimer beat;
    beat.setInterval(5);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const qint64 now = pulse.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });

    sim.Control(QString("flood %1 %2").arg(rate).arg(seconds));
    Pump(500);  // warm up: the lists fill to their cap
    const long rssStart = ResidentKb();
    const long linesStart = lines;
    app.ResetLongest();
    pulse.start();
    beat.start();
    QElapsedTimer run;
    run.start();
    long rssPeak = rssStart;
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] { rssPeak = std::max(rssPeak, ResidentKb()); });
    sample.start(100);
    Pump(seconds * 1000 - 500);
    sample.stop();
    beat.stop();
    const double secs = run.elapsed() / 1000.0;
    const long count = lines - linesStart;
    const long rssEnd = ResidentKb();
    const int shown = window.Traffic()->TransmitLines().size();

    const long stallMs = std::max<qint64>(0, longest - 5);
    const long growthKb = rssEnd - rssStart;
    std::printf("lines received      %ld in %.1f s (%.0f lines/s, asked %d/s)\n", count, secs, count / secs, rate);
    std::printf("lines in the list   %d (cap 200)\n", shown);
    std::printf("longest stall       %ld ms (target < 100 ms)\n", stallMs);
    std::printf("longest event       %lld ms (%.0f ms of it on the processor): %s\n",
                static_cast<long long>(app.longestMs), app.longestCpuMs, qPrintable(app.longestWhat));
    std::printf("most work per event %.0f ms on the processor\n", app.mostCpuMs);
    std::printf("memory              start %ld kB, peak %ld kB, end %ld kB, growth %ld kB\n", rssStart, rssPeak,
                rssEnd, growthKb);
    window.close();
    const bool ok = stallMs < 100 && growthKb < 32 * 1024 && shown <= 200;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}

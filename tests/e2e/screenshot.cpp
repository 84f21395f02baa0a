// e2e_screenshot: the main window connected to the simulator, drawn on the
// current display and saved as a picture of the whole screen.
//
//   xvfb-run -s "-screen 0 800x600x24" e2e_screenshot out.png [--maximised]
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

#include "shell/MainForm.h"
#include "shell/QtSettingsStore.h"
#include "support/SimProcess.h"
#include "ui/Prompts.h"

static void Pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: e2e_screenshot OUT.png [--maximised]\n");
        return 2;
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    orvane::QtSettingsStore store(dir.filePath("settings.ini"));
    store.Write("WhatsNew", "AutoShow", "0");
    store.Write("WhatsNew", "VersionNumber", orvane::MainForm::VersionText().toStdString());
    store.Write("Options", "CombineLists", "0");
    orvane::ScriptedPrompts prompts;
    orvane::test::SimProcess sim;
    if (!sim.Start({"--tcp", "0", "--traffic", "10"})) return 2;
    orvane::MainForm window(store, prompts, {"/tcpip=127.0.0.1:" + std::to_string(sim.TcpPort()), "/autoconnect"});
    window.show();
    // Xvfb has no window manager to maximise with: fill the screen by hand.
    if (argc > 2 && !std::strcmp(argv[2], "--maximised")) window.setGeometry(window.screen()->availableGeometry());
    Pump(6000);
    const QPixmap shot = window.screen()->grabWindow(0);
    std::printf("screen %dx%d, window %dx%d at %d,%d\n", shot.width(), shot.height(), window.width(),
                window.height(), window.x(), window.y());
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}

#include "shell/Application.h"

#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <exception>
#include <sys/socket.h>
#include <unistd.h>

namespace orvane {

namespace {

int gSignalFds[2] = {-1, -1};

// Only async-signal-safe work here: the number goes down a socket and the
// event loop picks it up.
void OnSignal(int number) {
    const unsigned char byte = static_cast<unsigned char>(number);
    if (gSignalFds[0] >= 0) {
        [[maybe_unused]] ssize_t n = ::write(gSignalFds[0], &byte, 1);
    }
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

Application::~Application() {
    for (int s : {SIGTERM, SIGINT, SIGHUP}) std::signal(s, SIG_DFL);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        const QString text = QString::fromLocal8Bit(e.what());
        if (report_) report_(text);
        else std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
        if (report_) report_("Unknown error");
        else std::fprintf(stderr, "Unknown error\n");
    }
    return false;
}

void Application::CatchTerminationSignals() {
    if (notifier_) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalFds) != 0) return;
    notifier_ = new QSocketNotifier(gSignalFds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &Application::ReadSignal);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaction(s, &action, nullptr);
}

void Application::ReadSignal() {
    unsigned char byte = 0;
    if (::read(gSignalFds[1], &byte, 1) == 1) emit TerminationRequested(byte);
}

}  // namespace orvane

// The application object: the general error report for anything that
// reaches the event loop, and a graceful end on the platform's termination
// signals.
#pragma once

#include <QApplication>
#include <functional>

class QSocketNotifier;

namespace orvane {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    ~Application() override;

    // Shows an error that reached the event loop; without one, it is
    // written to standard error.
    void SetErrorReport(std::function<void(const QString&)> report) { report_ = std::move(report); }
    bool notify(QObject* receiver, QEvent* event) override;

    // SIGTERM, SIGINT and SIGHUP arrive as this signal on the event loop.
    void CatchTerminationSignals();

signals:
    void TerminationRequested(int signalNumber);

private:
    void ReadSignal();
    std::function<void(const QString&)> report_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orvane

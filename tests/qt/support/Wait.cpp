#include "support/Wait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace orvane::test {

bool WaitFor(const std::function<bool()>& done, int ms) {
    QTimer tick;
    tick.start(10);
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace orvane::test

// The transmit and receive lists with their headers, the holding lists of
// "Scroll Lock", and DisplaySerialString: how every sent and received line
// reaches the screen and the traffic log.
#pragma once

#include <QDateTime>
#include <QFont>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

#include "traffic/TrafficLine.h"
#include "ui/ColourList.h"

namespace orvane {

enum Direction : int { DirComment = 0, DirSent = 1, DirReceived = 2 };

struct TrafficDisplayOptions {
    bool combined = true;
    bool showTime = true;
    bool showDate = false;
    int timeDP = 0;
};

// The local wall-clock moment of a QDateTime, for the line texts.
TrafficTime ToTrafficTime(const QDateTime& moment);

class TrafficView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 200;
    using LocalClock = std::function<QDateTime()>;
    using LogSink = std::function<void(const QString& line)>;

    explicit TrafficView(QWidget* parent = nullptr);

    void DisplaySerialString(int direction, const QString& text);

    // SetLists: one list "Transmit and Receive Data" or two; a change empties both.
    void SetCombined(bool combined);
    bool Combined() const { return options_.combined; }
    void SetShowTime(bool on) { options_.showTime = on; }
    void SetShowDate(bool on) { options_.showDate = on; }
    void SetTimeDP(int dp) { options_.timeDP = dp; }
    const TrafficDisplayOptions& Options() const { return options_; }
    void SetWordWrap(bool wrap);
    void SetListFont(const QFont& font);
    QFont ListFont() const;

    // While false, lines are neither shown nor logged.
    void SetDisplayEnabled(bool on) { displayEnabled_ = on; }
    bool DisplayEnabled() const { return displayEnabled_; }

    // The log receives every displayed line (with its direction prefix)
    // while logging is on.
    void SetLogSink(LogSink sink) { logSink_ = std::move(sink); }
    void SetLogging(bool on) { logging_ = on; }
    bool Logging() const { return logging_; }

    void SetScrollLock(bool on);
    bool ScrollLock() const { return scrollLock_; }

    void ClearLists();
    void SetClock(LocalClock clock) { clock_ = std::move(clock); }

    // Shows queued lines now (they are otherwise shown within 40 ms).
    void Flush();
    QStringList TransmitLines();
    QStringList ReceiveLines();
    int HeldTransmitCount() const { return int(heldTx_.size()); }
    int HeldReceiveCount() const { return int(heldRx_.size()); }

    ColourList* TransmitMemo() const { return transmit_; }
    ColourList* ReceiveMemo() const { return receive_; }
    QWidget* ReceivePanel() const { return receivePanel_; }
    QLabel* TransmitHeader() const { return transmitHeader_; }

signals:
    void SetFontRequested();

private:
    void Queue(bool transmitSide, const QString& line);
    void ScheduleFlush();

    TrafficDisplayOptions options_;
    bool displayEnabled_ = true;
    bool logging_ = false;
    bool scrollLock_ = false;
    LogSink logSink_;
    LocalClock clock_;
    ColourList* transmit_;
    ColourList* receive_;
    QLabel* transmitHeader_;
    QLabel* receiveHeader_;
    QWidget* receivePanel_;
    std::deque<QString> heldTx_, heldRx_;
    QStringList pendingTx_, pendingRx_;
    QTimer flushTimer_;
};

}  // namespace orvane

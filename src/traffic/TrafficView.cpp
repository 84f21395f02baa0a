#include "traffic/TrafficView.h"

#include <QAction>
#include <QElapsedTimer>
#include <algorithm>
#include <QHBoxLayout>
#include <QLocale>
#include <QMenu>
#include <QTimeZone>
#include <QVBoxLayout>
#include <memory>

#include "traffic/TrafficLine.h"

namespace orvane {

namespace {

constexpr int kFlushMs = 40;       // about 25 passes a second under a flood
constexpr int kMaxFlushMs = 250;   // never staler than a quarter second

void Cap(std::deque<QString>& held, int max) {
    while (int(held.size()) > max) held.pop_front();
}

void CapPending(QStringList& pending, int max) {
    if (pending.size() > max) pending.erase(pending.begin(), pending.begin() + (pending.size() - max));
}

QLabel* HeaderPanel(const QString& caption, const QString& name, QWidget* parent) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Raised);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace

TrafficTime ToTrafficTime(const QDateTime& moment) {
    const QDate d = moment.date();
    const QTime t = moment.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

namespace {

// The local wall clock for line stamps. Asking for local time consults the
// time zone each call; under a flood that is thousands of times a second, so
// the offset from UTC is looked up once a second and applied by hand.
TrafficView::LocalClock StampClock() {
    struct Cache {
        qint64 second = -1;
        qint64 offsetMs = 0;
    };
    auto cache = std::make_shared<Cache>();
    return [cache] {
        const qint64 ms = QDateTime::currentMSecsSinceEpoch();
        if (ms / 1000 != cache->second) {
            cache->second = ms / 1000;
            cache->offsetMs = qint64(QDateTime::fromMSecsSinceEpoch(ms).offsetFromUtc()) * 1000;
        }
        return QDateTime::fromMSecsSinceEpoch(ms + cache->offsetMs, Qt::UTC);
    };
}

}  // namespace

TrafficView::TrafficView(QWidget* parent) : QWidget(parent), clock_(StampClock()) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);

    auto* txPanel = new QWidget(this);
    txPanel->setObjectName("TransmitPanel");
    auto* txCol = new QVBoxLayout(txPanel);
    txCol->setContentsMargins(0, 0, 0, 0);
    txCol->setSpacing(0);
    transmitHeader_ = HeaderPanel("Transmit and Receive Data", "TransmitHeaderPanel", txPanel);
    transmit_ = new ColourList(txPanel, kMaxLines);
    transmit_->setObjectName("TransmitMemo");
    txCol->addWidget(transmitHeader_);
    txCol->addWidget(transmit_);

    receivePanel_ = new QWidget(this);
    receivePanel_->setObjectName("ReceivePanel");
    auto* rxCol = new QVBoxLayout(receivePanel_);
    rxCol->setContentsMargins(0, 0, 0, 0);
    rxCol->setSpacing(0);
    receiveHeader_ = HeaderPanel("Receive Data", "ReceiveHeaderPanel", receivePanel_);
    receive_ = new ColourList(receivePanel_, kMaxLines);
    receive_->setObjectName("ReceiveMemo");
    rxCol->addWidget(receiveHeader_);
    rxCol->addWidget(receive_);

    // The receive side takes two thirds of the width.
    row->addWidget(txPanel, 1);
    row->addWidget(receivePanel_, 2);

    auto* fontMenu = new QMenu(this);
    fontMenu->setObjectName("FontPopupMenu");
    QAction* setFont = fontMenu->addAction("Set Font...");
    setFont->setObjectName("FontSetPopupItem");
    connect(setFont, &QAction::triggered, this, &TrafficView::SetFontRequested);
    for (ColourList* list : {transmit_, receive_}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [fontMenu, list](const QPoint& p) { fontMenu->popup(list->viewport()->mapToGlobal(p)); });
    }

    flushTimer_.setObjectName("TrafficFlushTimer");
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(kFlushMs);
    connect(&flushTimer_, &QTimer::timeout, this, &TrafficView::Flush);
    SetCombined(true);
}

void TrafficView::DisplaySerialString(int direction, const QString& text) {
    if (!displayEnabled_) return;
    const QDateTime now = clock_();
    const TrafficTime time = ToTrafficTime(now);
    TrafficLineOptions line;
    line.showTime = options_.showTime;
    line.combined = options_.combined;
    line.timeDP = options_.timeDP;
    if (options_.showDate) line.dateText = QLocale::system().toString(now.date(), QLocale::ShortFormat).toStdString();
    const auto dir = static_cast<TrafficDirection>(direction == DirSent ? 1 : direction == DirComment ? 0 : 2);
    const std::string utf8 = text.toStdString();
    const bool toTransmit = direction == DirSent || options_.combined;
    Queue(toTransmit, QString::fromStdString(ListLineText(dir, utf8, time, line)));
    if (logging_ && logSink_) logSink_(QString::fromStdString(LogLineText(dir, utf8, time, line)));
}

void TrafficView::Queue(bool transmitSide, const QString& line) {
    if (scrollLock_) {
        auto& held = transmitSide ? heldTx_ : heldRx_;
        held.push_back(line);
        Cap(held, kMaxLines);
        return;
    }
    QStringList& pending = transmitSide ? pendingTx_ : pendingRx_;
    pending << line;
    CapPending(pending, kMaxLines);
    ScheduleFlush();
}

void TrafficView::ScheduleFlush() {
    if (!flushTimer_.isActive()) flushTimer_.start();
}

void TrafficView::Flush() {
    flushTimer_.stop();
    if (pendingTx_.isEmpty() && pendingRx_.isEmpty()) return;
    QElapsedTimer cost;
    cost.start();
    if (!pendingTx_.isEmpty()) transmit_->AppendLines(std::exchange(pendingTx_, {}));
    if (!pendingRx_.isEmpty()) receive_->AppendLines(std::exchange(pendingRx_, {}));
    // Under a flood the lists only ever show their last 200 lines, so
    // showing them less often loses nothing; the time between passes grows
    // with what a pass costs and leaves the loop free for input.
    flushTimer_.setInterval(std::clamp(int(cost.elapsed()) * 4, kFlushMs, kMaxFlushMs));
}

void TrafficView::SetScrollLock(bool on) {
    if (on == scrollLock_) return;
    scrollLock_ = on;
    if (on) return;
    for (auto* side : {&heldTx_, &heldRx_}) {
        QStringList& pending = side == &heldTx_ ? pendingTx_ : pendingRx_;
        for (QString& l : *side) pending << std::move(l);
        side->clear();
        CapPending(pending, kMaxLines);
    }
    ScheduleFlush();
}

void TrafficView::ClearLists() {
    pendingTx_.clear();
    pendingRx_.clear();
    transmit_->ClearLines();
    receive_->ClearLines();
}

void TrafficView::SetCombined(bool combined) {
    const bool changed = combined != options_.combined;
    options_.combined = combined;
    transmitHeader_->setText(combined ? "Transmit and Receive Data" : "Transmit Data");
    receivePanel_->setVisible(!combined);
    if (changed) ClearLists();
}

void TrafficView::SetWordWrap(bool wrap) {
    transmit_->SetWordWrap(wrap);
    receive_->SetWordWrap(wrap);
}

void TrafficView::SetListFont(const QFont& font) {
    transmit_->setFont(font);
    receive_->setFont(font);
}

QFont TrafficView::ListFont() const { return transmit_->font(); }

QStringList TrafficView::TransmitLines() {
    Flush();
    return transmit_->Lines();
}

QStringList TrafficView::ReceiveLines() {
    Flush();
    return receive_->Lines();
}

}  // namespace orvane

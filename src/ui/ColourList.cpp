#include "ui/ColourList.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <algorithm>

namespace orvane {

namespace {
const QColor kBlack(Qt::black);
const QColor kBlue(Qt::blue);
const QColor kRed(Qt::red);
constexpr int kMargin = 3;
}  // namespace

std::vector<ColourRun> ColourRuns(const QString& line) {
    std::vector<ColourRun> runs;
    QColor colour = kBlack;
    for (QChar c : line) {
        if (c == u'<') colour = kBlue;
        else if (c == u'>') colour = kBlack;
        else if (c == u'=' || c == u'"') colour = kRed;
        if (runs.empty() || runs.back().colour != colour) runs.push_back({QString(), colour});
        runs.back().text += c;
    }
    return runs;
}

ColourList::ColourList(QWidget* parent, int maxLines) : QAbstractScrollArea(parent), maxLines_(maxLines) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
    SetWordWrap(true);
}

void ColourList::SetWordWrap(bool wrap) {
    wrap_ = wrap;
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    if (wrap) horizontalScrollBar()->setValue(0);
    const bool end = AtEnd();
    UpdateScrollBars();
    if (end) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

int ColourList::TopLine() const { return verticalScrollBar()->value(); }

bool ColourList::AtEnd() const { return verticalScrollBar()->value() >= verticalScrollBar()->maximum(); }

void ColourList::AppendLines(const QStringList& lines) {
    if (lines.isEmpty()) return;
    const bool atEnd = AtEnd();
    const int top = TopLine();
    // Lines that would be trimmed at once are never kept.
    const qsizetype first = lines.size() > maxLines_ ? lines.size() - maxLines_ : 0;
    dropped_ += int(first);
    for (qsizetype i = first; i < lines.size(); ++i) lines_.push_back(lines[i]);
    int trimmed = 0;
    while (int(lines_.size()) > maxLines_) {
        lines_.pop_front();
        ++trimmed;
    }
    dropped_ += trimmed;
    UpdateScrollBars();
    QScrollBar* bar = verticalScrollBar();
    // At the end the view follows; elsewhere it stays on the lines it showed.
    bar->setValue(atEnd ? bar->maximum() : std::max(0, top - trimmed - int(first)));
    viewport()->update();
}

void ColourList::ClearLines() {
    dropped_ += int(lines_.size());
    lines_.clear();
    anchor_ = cursor_ = -1;
    widest_ = 0;
    UpdateScrollBars();
    viewport()->update();
}

QStringList ColourList::Lines() const {
    QStringList out;
    out.reserve(qsizetype(lines_.size()));
    for (const QString& l : lines_) out << l;
    return out;
}

int ColourList::VisibleLineCount() const {
    const int h = fontMetrics().lineSpacing();
    return std::max(1, viewport()->height() / std::max(1, h));
}

// Rows that line index takes at the given width when wrapping.
int ColourList::RowsOf(int index, int width) const {
    if (!wrap_) return 1;
    QTextLayout layout(lines_[size_t(index)], font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int rows = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++rows;
    }
    layout.endLayout();
    return std::max(1, rows);
}

void ColourList::UpdateScrollBars() {
    const int count = int(lines_.size());
    const int visible = VisibleLineCount();
    // The last lines that fit in the view: the top line at the end.
    int fit = 0;
    if (wrap_) {
        const int width = std::max(1, viewport()->width() - 2 * kMargin);
        int rows = 0;
        for (int i = count - 1; i >= 0; --i) {
            rows += RowsOf(i, width);
            if (rows > visible) break;
            ++fit;
        }
        fit = std::max(fit, std::min(count, 1));
    } else {
        fit = std::min(count, visible);
    }
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, count - fit));
    v->setPageStep(visible);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, wrap_ ? 0 : std::max(0, widest_ + 2 * kMargin - viewport()->width()));
    h->setPageStep(std::max(1, viewport()->width()));
    h->setSingleStep(std::max(1, fontMetrics().averageCharWidth() * 4));
}

void ColourList::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QFontMetrics fm(font());
    const int lineH = fm.lineSpacing();
    const int width = std::max(1, viewport()->width() - 2 * kMargin);
    const int x0 = kMargin - (wrap_ ? 0 : horizontalScrollBar()->value());
    const int selLo = std::min(anchor_, cursor_) - dropped_;
    const int selHi = std::max(anchor_, cursor_) - dropped_;
    const bool selecting = anchor_ >= 0;
    const QColor highlight = palette().color(QPalette::Highlight).lighter(170);
    int y = 0;
    int widest = widest_;
    for (int i = TopLine(); i < int(lines_.size()) && y < viewport()->height(); ++i) {
        const QString& text = lines_[size_t(i)];
        const std::vector<ColourRun> runs = ColourRuns(text);
        const bool selected = selecting && i >= selLo && i <= selHi;
        if (!wrap_) {
            if (selected) p.fillRect(QRect(0, y, viewport()->width(), lineH), highlight);
            int x = x0;
            for (const ColourRun& run : runs) {
                p.setPen(run.colour);
                p.drawText(x, y + fm.ascent(), run.text);
                x += fm.horizontalAdvance(run.text);
            }
            widest = std::max(widest, x - x0);
            y += lineH;
            continue;
        }
        QTextLayout layout(text, font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        QList<QTextLayout::FormatRange> formats;
        int at = 0;
        for (const ColourRun& run : runs) {
            QTextLayout::FormatRange r;
            r.start = at;
            r.length = int(run.text.size());
            r.format.setForeground(run.colour);
            formats << r;
            at += r.length;
        }
        layout.setFormats(formats);
        layout.beginLayout();
        int rows = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, rows * lineH));
            ++rows;
        }
        layout.endLayout();
        rows = std::max(rows, 1);
        if (selected) p.fillRect(QRect(0, y, viewport()->width(), rows * lineH), highlight);
        layout.draw(&p, QPointF(kMargin, y));
        y += rows * lineH;
    }
    if (widest != widest_) {
        widest_ = widest;
        horizontalScrollBar()->setRange(0, std::max(0, widest_ + 2 * kMargin - viewport()->width()));
    }
}

void ColourList::resizeEvent(QResizeEvent* event) {
    const bool end = AtEnd();
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    if (end) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ColourList::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        widest_ = 0;
        const bool end = AtEnd();
        UpdateScrollBars();
        if (end) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
        viewport()->update();
    }
}

int ColourList::LineAt(int y) const {
    const int lineH = std::max(1, fontMetrics().lineSpacing());
    if (!wrap_) return std::min(int(lines_.size()) - 1, TopLine() + std::max(0, y) / lineH);
    const int width = std::max(1, viewport()->width() - 2 * kMargin);
    int top = 0;
    for (int i = TopLine(); i < int(lines_.size()); ++i) {
        top += RowsOf(i, width) * lineH;
        if (y < top) return i;
    }
    return int(lines_.size()) - 1;
}

void ColourList::mousePressEvent(QMouseEvent* event) {
    if (lines_.empty() || event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    const int line = LineAt(event->position().toPoint().y()) + dropped_;
    if (!(event->modifiers() & Qt::ShiftModifier) || anchor_ < 0) anchor_ = line;
    cursor_ = line;
    viewport()->update();
}

void ColourList::mouseMoveEvent(QMouseEvent* event) {
    if (anchor_ < 0 || !(event->buttons() & Qt::LeftButton) || lines_.empty()) return;
    cursor_ = LineAt(event->position().toPoint().y()) + dropped_;
    viewport()->update();
}

QStringList ColourList::SelectedLines() const {
    QStringList out;
    if (anchor_ < 0) return out;
    const int lo = std::max(0, std::min(anchor_, cursor_) - dropped_);
    const int hi = std::min(int(lines_.size()) - 1, std::max(anchor_, cursor_) - dropped_);
    for (int i = lo; i <= hi; ++i) out << lines_[size_t(i)];
    return out;
}

void ColourList::SelectAll() {
    if (lines_.empty()) return;
    anchor_ = dropped_;
    cursor_ = dropped_ + int(lines_.size()) - 1;
    viewport()->update();
}

void ColourList::CopySelection() const {
    const QStringList lines = SelectedLines();
    if (!lines.isEmpty()) QApplication::clipboard()->setText(lines.join(u'\n'));
}

void ColourList::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) return CopySelection();
    if (event->matches(QKeySequence::SelectAll)) return SelectAll();
    QScrollBar* v = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Up: v->triggerAction(QAbstractSlider::SliderSingleStepSub); return;
    case Qt::Key_Down: v->triggerAction(QAbstractSlider::SliderSingleStepAdd); return;
    case Qt::Key_PageUp: v->triggerAction(QAbstractSlider::SliderPageStepSub); return;
    case Qt::Key_PageDown: v->triggerAction(QAbstractSlider::SliderPageStepAdd); return;
    case Qt::Key_Home: v->setValue(0); return;
    case Qt::Key_End: v->setValue(v->maximum()); return;
    default: QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace orvane

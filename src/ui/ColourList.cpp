#include "ui/ColourList.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace orvane {

namespace {
const QColor kBlack(Qt::black);
const QColor kBlue(Qt::blue);
const QColor kRed(Qt::red);
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

ColourList::ColourList(QWidget* parent, int maxLines) : QPlainTextEdit(parent), maxLines_(maxLines) {
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setMaximumBlockCount(maxLines_);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    SetWordWrap(true);
}

void ColourList::SetWordWrap(bool wrap) {
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
}

void ColourList::AppendLines(const QStringList& lines) {
    if (lines.isEmpty()) return;
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    // Lines that would be trimmed at once are never laid out.
    const qsizetype first = lines.size() > maxLines_ ? lines.size() - maxLines_ : 0;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    QTextCharFormat format;
    for (qsizetype i = first; i < lines.size(); ++i) {
        if (!empty_) cursor.insertBlock();
        empty_ = false;
        for (const ColourRun& run : ColourRuns(lines[i])) {
            format.setForeground(run.colour);
            cursor.insertText(run.text, format);
        }
    }
    cursor.endEditBlock();
    if (atEnd) bar->setValue(bar->maximum());
}

void ColourList::ClearLines() {
    clear();
    empty_ = true;
}

QStringList ColourList::Lines() const {
    QStringList out;
    if (empty_) return out;
    for (QTextBlock b = document()->firstBlock(); b.isValid(); b = b.next()) out << b.text();
    return out;
}

int ColourList::LineCount() const { return empty_ ? 0 : document()->blockCount(); }

}  // namespace orvane

// A read-only traffic list: one coloured text line per entry, at most a set
// number of lines. Only the lines in view are laid out and drawn, so a burst
// of lines costs the same as a screenful, however many arrive.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace orvane {

struct ColourRun {
    QString text;
    QColor colour;
};

// The colours of one line: "<" turns blue, ">" black, "=" and a double
// quote red, each taking effect on itself; other characters keep the colour.
std::vector<ColourRun> ColourRuns(const QString& line);

class ColourList : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ColourList(QWidget* parent = nullptr, int maxLines = 200);

    // Appends the lines in order, drops the oldest beyond the cap and keeps
    // the view at the end if the user was there.
    void AppendLines(const QStringList& lines);
    void ClearLines();
    QStringList Lines() const;
    int LineCount() const { return int(lines_.size()); }
    int MaxLines() const { return maxLines_; }

    // Long lines wrap (and only a vertical scroll bar shows), or run on with
    // a horizontal scroll bar as well.
    void SetWordWrap(bool wrap);
    bool WordWrap() const { return wrap_; }

    // The first line in view, and whether the view follows new lines.
    int TopLine() const;
    bool AtEnd() const;
    // The selected lines (whole lines, chosen with the mouse or Shift+keys),
    // copied with Ctrl+C.
    QStringList SelectedLines() const;
    void SelectAll();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateScrollBars();
    int LineAt(int y) const;
    int VisibleLineCount() const;
    int RowsOf(int index, int width) const;
    void CopySelection() const;

    int maxLines_;
    bool wrap_ = true;
    std::deque<QString> lines_;
    int dropped_ = 0;          // lines trimmed so far, so selections follow their lines
    int anchor_ = -1;          // selection, as absolute line numbers (dropped_ + index)
    int cursor_ = -1;
    int widest_ = 0;           // the widest line seen in view, for the horizontal range
};

}  // namespace orvane

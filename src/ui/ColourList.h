// A read-only traffic list: one coloured text line per entry, at most a set
// number of lines, appended in batches so that a burst of lines costs one
// layout pass instead of one per line.
#pragma once

#include <QColor>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <vector>

namespace orvane {

struct ColourRun {
    QString text;
    QColor colour;
};

// The colours of one line: "<" turns blue, ">" black, "=" and a double
// quote red, each taking effect on itself; other characters keep the colour.
std::vector<ColourRun> ColourRuns(const QString& line);

class ColourList : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ColourList(QWidget* parent = nullptr, int maxLines = 200);

    // Appends the lines in order, drops the oldest beyond the cap and keeps
    // the view at the end if the user was there.
    void AppendLines(const QStringList& lines);
    void ClearLines();
    QStringList Lines() const;
    int LineCount() const;
    int MaxLines() const { return maxLines_; }
    void SetWordWrap(bool wrap);

private:
    int maxLines_;
    bool empty_ = true;
};

}  // namespace orvane

// The help set that ships inside the program: HTML topics opened at the
// contents or at the topic of a help context.
#pragma once

#include <QMainWindow>
#include <QTextBrowser>

namespace orvane {

// The topic of a help context number; the contents for 0 and unknown ones.
QString HelpTopicFor(int context);

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void ShowContext(int context);
    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace orvane

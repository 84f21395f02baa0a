#include "shell/HelpWindow.h"

#include <QToolBar>

// The help set lives in a static library, so its resource is registered by hand.
static void InitHelpResources() { Q_INIT_RESOURCE(help); }

namespace orvane {

QString HelpTopicFor(int context) {
    switch (context) {
    case 3: return "qrc:/help/print.html";
    case 4: return "qrc:/help/mode.html";
    case 10: return "qrc:/help/options.html";
    case 100: return "qrc:/help/filter.html";
    default: return "qrc:/help/index.html";
    }
}

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent) {
    InitHelpResources();
    setObjectName("HelpWindow");
    setWindowTitle("Orvane Diagnostic Utility Help");
    setWindowFlag(Qt::Window, true);
    resize(640, 520);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenLinks(true);
    browser_->setSearchPaths({":/help"});
    setCentralWidget(browser_);
    QToolBar* bar = addToolBar("Navigation");
    bar->setMovable(false);
    bar->addAction("Contents", this, [this] { ShowContext(0); });
    bar->addAction("Back", browser_, &QTextBrowser::backward);
    bar->addAction("Forward", browser_, &QTextBrowser::forward);
}

void HelpWindow::ShowContext(int context) {
    browser_->setSource(QUrl(HelpTopicFor(context)));
    show();
    raise();
    activateWindow();
}

}  // namespace orvane

// "What's New": the release notes, with "Show on start-up". Hiding the
// window stores the check box and the program's version at once.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTextBrowser>

#include "shell/Settings.h"

namespace orvane {

class WhatsNewForm : public QDialog {
    Q_OBJECT
public:
    WhatsNewForm(SettingsStore& store, const QString& version, QWidget* parent = nullptr);

    bool AutoShow() const { return saved_.AutoShow; }
    QString SavedVersion() const { return QString::fromStdString(saved_.VersionNumber); }
    QString Html() const { return html_; }
    QCheckBox* AutoShowCheckBox() const { return autoShow_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    SettingsStore& store_;
    QString version_;
    WhatsNewSettings saved_;
    QString html_;
    QTextBrowser* view_;
    QCheckBox* autoShow_;
};

}  // namespace orvane

#include "shell/WhatsNewForm.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QVBoxLayout>

#include "shell/ReleaseNotes.h"

namespace orvane {

WhatsNewForm::WhatsNewForm(SettingsStore& store, const QString& version, QWidget* parent)
    : QDialog(parent), store_(store), version_(version), saved_(ReadWhatsNew(store)) {
    setObjectName("WhatsNewForm");
    setWindowTitle("What's New for " + QString(kApplicationTitle) + " Version " + version_);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setMinimumSize(500, 400);
    setModal(false);

    html_ = QString::fromStdString(BuildReleaseNotesHtml(kApplicationTitle, ReleaseNoteLines()));
    view_ = new QTextBrowser(this);
    view_->setObjectName("HtmlViewer");
    view_->setHtml(html_);

    auto* panel = new QWidget(this);
    panel->setObjectName("BottomPanel");
    autoShow_ = new QCheckBox("Show on start-up", panel);
    autoShow_->setObjectName("AutoShowCheckBox");
    autoShow_->setChecked(saved_.AutoShow);
    auto* ok = new QPushButton("OK", panel);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
    // The check box and the button stay centred as the window resizes.
    auto* row = new QHBoxLayout(panel);
    row->addStretch(1);
    row->addWidget(autoShow_);
    row->addSpacing(24);
    row->addWidget(ok);
    row->addStretch(1);

    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(0, 0, 0, 0);
    col->addWidget(view_, 1);
    col->addWidget(panel);
}

void WhatsNewForm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous()) return;
    saved_.AutoShow = autoShow_->isChecked();
    saved_.VersionNumber = version_.toStdString();
    WriteWhatsNew(store_, saved_);
    store_.Flush();
}

}  // namespace orvane

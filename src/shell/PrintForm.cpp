#include "shell/PrintForm.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "traffic/TrafficView.h"

namespace orvane {

QString PageEstimateText(int lines) {
    const int pages = lines / 50;
    if (pages == 0) return "1 Page";
    return QString::number(pages + 1) + " Pages";
}

namespace {

// Lines go down the page at one and a half times the text height; a page
// ends 200 printer units above its bottom edge.
class PageWriter {
public:
    PageWriter(QPrinter& printer, QPainter& painter, const QString& project)
        : printer_(printer), painter_(painter), project_(project) {
        plain_ = QFont("Courier New", 10);
        plain_.setStyleHint(QFont::Monospace);
        bold_ = plain_;
        bold_.setBold(true);
        heading_ = bold_;
        heading_.setUnderline(true);
        painter_.setFont(plain_);
        h_ = QFontMetrics(plain_, &printer_).boundingRect("Xy").height();
        if (h_ <= 0) h_ = 1;
        pageHeight_ = printer_.pageLayout().paintRectPixels(printer_.resolution()).height();
        Header();
    }

    void Line(const QString& text, const QFont& font) {
        painter_.setFont(font);
        const int y = (3 * h_ * (counter_ + 2)) / 2;
        painter_.drawText(50, y, text);
        ++counter_;
        if ((3 * h_ * (counter_ + 2)) / 2 > pageHeight_ - 200) {
            printer_.newPage();
            Header();
        }
    }
    void Plain(const QString& text) { Line(text, plain_); }
    void Heading(const QString& text) { Line(text, heading_); }

private:
    void Header() {
        counter_ = 1;
        Line(project_, bold_);
        Line(" ", plain_);
    }

    QPrinter& printer_;
    QPainter& painter_;
    QString project_;
    QFont plain_, bold_, heading_;
    int h_ = 1;
    int pageHeight_ = 0;
    int counter_ = 1;
};

}  // namespace

bool PrintTraffic(QPrinter& printer, const PrintJob& job) {
    printer.setDocName("Orvane Pellix");
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    PageWriter page(printer, painter, job.projectFileName);
    if (job.printTransmit) {
        page.Heading(job.combined ? "Transmitted and Received Strings" : "Transmitted Strings");
        page.Plain(" ");
        for (const QString& l : job.transmit) page.Plain(l);
        page.Plain(" ");
    }
    if (!job.combined && job.printReceive) {
        page.Heading("Received Strings");
        page.Plain(" ");
        for (const QString& l : job.receive) page.Plain(l);
    }
    return painter.end();
}

PrintForm::PrintForm(TrafficView& traffic, bool combined, const QString& projectFileName, QWidget* parent)
    : QDialog(parent), traffic_(traffic), combined_(combined), project_(projectFileName) {
    setObjectName("PrintForm");
    setWindowTitle("Print");
    pages_ = new QLabel(this);
    pages_->setObjectName("PagesLabel");
    tx_ = new QCheckBox("Print Transmitted Strings", this);
    tx_->setObjectName("TxCheckBox");
    rx_ = new QCheckBox("Print Received Strings", this);
    rx_->setObjectName("RxCheckBox");
    tx_->setChecked(true);
    rx_->setChecked(true);
    if (combined_) {
        tx_->setEnabled(false);
        rx_->setEnabled(false);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* print = buttons->addButton("Print", QDialogButtonBox::AcceptRole);
    print->setObjectName("PrintButton");
    print->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelButton");
    QPushButton* help = buttons->addButton("&Help", QDialogButtonBox::HelpRole);
    help->setObjectName("HelpButton");
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Print();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit HelpRequested(kHelpContext); });
    connect(tx_, &QCheckBox::toggled, this, &PrintForm::UpdateEstimate);
    connect(rx_, &QCheckBox::toggled, this, &PrintForm::UpdateEstimate);

    auto* col = new QVBoxLayout(this);
    col->addWidget(pages_);
    col->addWidget(tx_);
    col->addWidget(rx_);
    col->addWidget(buttons);
    UpdateEstimate();
}

void PrintForm::UpdateEstimate() {
    int n = 0;
    if (tx_->isChecked()) n += traffic_.TransmitLines().size();
    if (rx_->isChecked()) n += traffic_.ReceiveLines().size();
    pages_->setText(PageEstimateText(n));
}

bool PrintForm::Print() {
    if (!printer_) return false;
    PrintJob job;
    job.transmit = traffic_.TransmitLines();
    job.receive = traffic_.ReceiveLines();
    job.combined = combined_;
    job.printTransmit = tx_->isChecked();
    job.printReceive = rx_->isChecked();
    job.projectFileName = project_;
    return PrintTraffic(*printer_, job);
}

}  // namespace orvane

// "Print": the traffic lists on paper (or to a PDF file), with a page
// estimate of 50 lines a page.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QStringList>

class QPrinter;

namespace orvane {

class TrafficView;

// "1 Page" or "N Pages" for the number of lines to print.
QString PageEstimateText(int lines);

struct PrintJob {
    QStringList transmit;   // the transmit (or combined) list
    QStringList receive;    // the receive list
    bool combined = true;
    bool printTransmit = true;
    bool printReceive = true;
    QString projectFileName;
};

// Prints the job under the title "Orvane Pellix"; false when the printer
// could not start.
bool PrintTraffic(QPrinter& printer, const PrintJob& job);

class PrintForm : public QDialog {
    Q_OBJECT
public:
    PrintForm(TrafficView& traffic, bool combined, const QString& projectFileName, QWidget* parent = nullptr);

    void SetPrinter(QPrinter* printer) { printer_ = printer; }
    QString PagesText() const { return pages_->text(); }
    QCheckBox* TxCheckBox() const { return tx_; }
    QCheckBox* RxCheckBox() const { return rx_; }
    // The "Print" button: prints and closes.
    bool Print();

    static constexpr int kHelpContext = 3;

signals:
    void HelpRequested(int context);

private:
    void UpdateEstimate();

    TrafficView& traffic_;
    bool combined_;
    QString project_;
    QPrinter* printer_ = nullptr;
    QLabel* pages_;
    QCheckBox* tx_;
    QCheckBox* rx_;
};

}  // namespace orvane

// "Program Options": connection, list layout, decode options and time stamps.
// Loaded from the current options, it hands back the chosen ones as values.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "shell/Settings.h"

namespace orvane {

class OptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit OptionsForm(QWidget* parent = nullptr);

    // On show: every control from the options; the connection fields are
    // locked while the link is open.
    void Load(const Options& options, bool linkOpen, const QStringList& ports);
    // The OK steps: the connection only while the link is closed, then the
    // list choice, the decode options, the date, decimals and handshake.
    Options Result(const Options& current, bool linkOpen) const;

    // The help context of this dialog.
    static constexpr int kHelpContext = 10;

signals:
    void HelpRequested(int context);

private:
    void SelectSerial();
    void SelectTcpip();

    QRadioButton* separate_;
    QRadioButton* combined_;
    QRadioButton* serial_;
    QRadioButton* tcpip_;
    QComboBox* ports_;
    QPushButton* setup_;
    QLineEdit* address_;
    QSpinBox* port_;
    QCheckBox* tzl_;
    QCheckBox* showNetwork_;
    QCheckBox* showDestination_;
    QCheckBox* showApplication_;
    QCheckBox* showMessage_;
    QSpinBox* decimals_;
    QCheckBox* showDate_;
    bool loading_ = false;
};

}  // namespace orvane

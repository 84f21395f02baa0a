#include "shell/OptionsForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace orvane {

OptionsForm::OptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName("OptionsForm");
    setWindowTitle("Program Options");

    auto* lists = new QGroupBox("Transmit and Receive Lists", this);
    lists->setObjectName("ListsRadioGroup");
    separate_ = new QRadioButton("Separate", lists);
    combined_ = new QRadioButton("Combined", lists);
    auto* listsCol = new QVBoxLayout(lists);
    listsCol->addWidget(separate_);
    listsCol->addWidget(combined_);

    auto* link = new QGroupBox("Orvane Connection", this);
    link->setObjectName("OrvaneGroupBox");
    serial_ = new QRadioButton("Serial", link);
    serial_->setObjectName("SerialRadioButton");
    tcpip_ = new QRadioButton("TCP/IP", link);
    tcpip_->setObjectName("TCPIPRadioButton");
    ports_ = new QComboBox(link);
    ports_->setObjectName("ComPortComboBox");
    ports_->setEditable(true);
    setup_ = new QPushButton("Setup", link);
    setup_->setObjectName("SerialSetupButton");
    address_ = new QLineEdit(link);
    address_->setObjectName("IPAddressEdit");
    address_->setMaxLength(253);
    port_ = new QSpinBox(link);
    port_->setObjectName("PortSpinEdit");
    port_->setRange(0, 65535);
    tzl_ = new QCheckBox("RTS, DTR low for TZL Matrix Switcher", link);
    tzl_->setObjectName("TZLHandshakeCheckBox");
    auto* grid = new QGridLayout(link);
    grid->addWidget(serial_, 0, 0);
    grid->addWidget(ports_, 0, 1);
    grid->addWidget(setup_, 0, 2);
    grid->addWidget(tzl_, 1, 1, 1, 2);
    grid->addWidget(tcpip_, 2, 0);
    auto* ipLabel = new QLabel("IP Address", link);
    ipLabel->setBuddy(address_);
    grid->addWidget(ipLabel, 3, 0);
    grid->addWidget(address_, 3, 1, 1, 2);
    auto* portLabel = new QLabel("Port", link);
    portLabel->setBuddy(port_);
    grid->addWidget(portLabel, 4, 0);
    grid->addWidget(port_, 4, 1);

    auto* decode = new QGroupBox("Decode Options", this);
    decode->setObjectName("DecodeGroupBox");
    showNetwork_ = new QCheckBox("Show Network", decode);
    showNetwork_->setObjectName("ShowNetworkCheckBox");
    showDestination_ = new QCheckBox("Show Unit Address", decode);
    showDestination_->setObjectName("ShowDestinationCheckBox");
    showApplication_ = new QCheckBox("Show Application", decode);
    showApplication_->setObjectName("ShowApplicationCheckBox");
    showMessage_ = new QCheckBox("Show Message", decode);
    showMessage_->setObjectName("ShowMessageCheckBox");
    auto* decodeCol = new QVBoxLayout(decode);
    for (QCheckBox* b : {showNetwork_, showDestination_, showApplication_, showMessage_}) decodeCol->addWidget(b);

    auto* log = new QGroupBox("Log Date and Time", this);
    log->setObjectName("LogGroupBox");
    decimals_ = new QSpinBox(log);
    decimals_->setObjectName("TimeDecimalPlacesSpinEdit");
    decimals_->setRange(0, 2);
    showDate_ = new QCheckBox("Show Date", log);
    showDate_->setObjectName("ShowDateCheckBox");
    auto* logForm = new QFormLayout(log);
    logForm->addRow("Time Decimal Places", decimals_);
    logForm->addRow(showDate_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole)->setObjectName("CancelButton");
    QPushButton* help = buttons->addButton("&Help", QDialogButtonBox::HelpRole);
    help->setObjectName("HelpButton");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { emit HelpRequested(kHelpContext); });

    auto* left = new QVBoxLayout;
    left->addWidget(lists);
    left->addWidget(decode);
    left->addWidget(log);
    auto* right = new QVBoxLayout;
    right->addWidget(link);
    right->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addLayout(left);
    row->addLayout(right);
    auto* col = new QVBoxLayout(this);
    col->addLayout(row);
    col->addWidget(buttons);

    connect(serial_, &QRadioButton::toggled, this, [this](bool on) { tzl_->setEnabled(on); });
    connect(ports_, &QComboBox::activated, this, [this] { SelectSerial(); });
    connect(ports_, &QComboBox::editTextChanged, this, [this] {
        if (!loading_) SelectSerial();
    });
    connect(address_, &QLineEdit::textEdited, this, [this] { SelectTcpip(); });
    connect(port_, &QSpinBox::valueChanged, this, [this] {
        if (!loading_) SelectTcpip();
    });
    connect(setup_, &QPushButton::clicked, this, [this] { SelectSerial(); });
}

void OptionsForm::SelectSerial() {
    serial_->setChecked(true);
    tzl_->setEnabled(true);
}

void OptionsForm::SelectTcpip() {
    tcpip_->setChecked(true);
    tzl_->setEnabled(false);
}

void OptionsForm::Load(const Options& o, bool linkOpen, const QStringList& ports) {
    loading_ = true;
    (o.CombineLists ? combined_ : separate_)->setChecked(true);
    (o.ConnectionType == 1 ? tcpip_ : serial_)->setChecked(true);
    ports_->clear();
    ports_->addItems(ports);
    const QString current = QString::fromStdString(o.COMPort);
    if (ports_->findText(current) < 0) ports_->addItem(current);
    ports_->setCurrentIndex(ports_->findText(current));
    address_->setText(QString::fromStdString(o.IPAddress));
    port_->setValue(o.Port);
    tzl_->setChecked(o.UseTZLHandshake);
    tzl_->setEnabled(o.ConnectionType != 1);
    showNetwork_->setChecked(o.ShowNetwork);
    showDestination_->setChecked(o.ShowDestination);
    showApplication_->setChecked(o.ShowApplication);
    showMessage_->setChecked(o.ShowMessage);
    decimals_->setValue(o.TimeDP);
    showDate_->setChecked(o.ShowDate);
    for (QWidget* w : std::initializer_list<QWidget*>{ports_, serial_, tcpip_, address_, port_, setup_})
        w->setEnabled(!linkOpen);
    loading_ = false;
}

Options OptionsForm::Result(const Options& current, bool linkOpen) const {
    Options o = current;
    if (!linkOpen) {
        o.COMPort = ports_->currentText().toStdString();
        o.ConnectionType = serial_->isChecked() ? 0 : 1;
        o.IPAddress = address_->text().trimmed().toStdString();
        o.Port = port_->value();
    }
    o.CombineLists = combined_->isChecked();
    o.ShowNetwork = showNetwork_->isChecked();
    o.ShowDestination = showDestination_->isChecked();
    o.ShowApplication = showApplication_->isChecked();
    o.ShowMessage = showMessage_->isChecked();
    o.ShowDate = showDate_->isChecked();
    o.TimeDP = decimals_->value();
    o.UseTZLHandshake = tzl_->isChecked();
    return o;
}

}  // namespace orvane

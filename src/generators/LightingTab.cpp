#include "generators/LightingTab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/NumberCombo.h"
#include "ui/Prompts.h"

namespace orvane {

namespace {

// Space between the messages of All On and All Off.
constexpr int kAllGroupSpacingMs = 200;

template <typename W, typename... Args>
W* Named(const char* name, Args&&... args) {
    auto* w = new W(std::forward<Args>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QComboBox* FixedList(const char* name, const QStringList& items, int selected) {
    auto* c = Named<QComboBox>(name);
    c->addItems(items);
    c->setCurrentIndex(selected);
    return c;
}

template <std::size_t N>
QStringList Texts(const std::array<const char*, N>& texts) {
    QStringList l;
    for (const char* t : texts) l << QString::fromLatin1(t);
    return l;
}

}  // namespace

LightingTab::LightingTab(NumberEntryContext& numbers, CommandSink* sink, std::function<RemoteNetwork()> remote,
                         QWidget* parent)
    : QWidget(parent), numbers_(numbers), sink_(sink), remote_(std::move(remote)), rng_(std::random_device{}()) {
    setObjectName(QStringLiteral("LightingTabSheet"));
    BuildControls();
}

void LightingTab::BuildControls() {
    auto* root = new QVBoxLayout(this);

    // Destination.
    destinationBox_ = Named<QGroupBox>("LightingDestinationGroupBox", QStringLiteral("Destination"));
    auto* dest = new QGridLayout(destinationBox_);
    appCombo_ = new NumberCombo(numbers_, destinationBox_);
    appCombo_->setObjectName(QStringLiteral("LightingAppComboBox"));
    groupCombo_ = new NumberCombo(numbers_, destinationBox_);
    groupCombo_->setObjectName(QStringLiteral("LightingGroupComboBox"));
    dest->addWidget(new QLabel(QStringLiteral("Application")), 0, 0);
    dest->addWidget(appCombo_, 0, 1);
    dest->addWidget(new QLabel(QStringLiteral("Group")), 1, 0);
    dest->addWidget(groupCombo_, 1, 1);
    FillCombo(appCombo_, 0, kLightingDefaultApplication, 256);
    FillCombo(groupCombo_, 0, 0, 256);

    // Command.
    commandBox_ = Named<QGroupBox>("LightingCommandGroupBox", QStringLiteral("Command"));
    auto* cmd = new QGridLayout(commandBox_);
    rampRadio_ = Named<QRadioButton>("LightingRampRadioButton", QStringLiteral("Ramp to"), commandBox_);
    onRadio_ = Named<QRadioButton>("LightingOnRadioButton", QStringLiteral("On"), commandBox_);
    offRadio_ = Named<QRadioButton>("LightingOffRadioButton", QStringLiteral("Off"), commandBox_);
    lrnInitRelayRadio_ = Named<QRadioButton>("LightingLrnInitRelayRadioButton", QStringLiteral("Lrn Init Relay"), commandBox_);
    lrnInitDimmerRadio_ = Named<QRadioButton>("LightingLrnInitDimmerRadioButton", QStringLiteral("Lrn Init Dimmer"), commandBox_);
    lrnExitRelayRadio_ = Named<QRadioButton>("LightingLrnExitRelayRadioButton", QStringLiteral("Lrn Exit Relay"), commandBox_);
    lrnExitDimmerRadio_ = Named<QRadioButton>("LightingLrnExitDimmerRadioButton", QStringLiteral("Lrn Exit Dimmer"), commandBox_);
    lrnCancelRadio_ = Named<QRadioButton>("LightingLrnCancelRadioButton", QStringLiteral("Lrn Cancel"), commandBox_);
    rampRadio_->setChecked(true);
    // Explicit groups: the "%"/"Level" pair sits inside the same box and must
    // not take part in the choice of command.
    auto* commandChoice = new QButtonGroup(commandBox_);
    for (QRadioButton* r : {rampRadio_, onRadio_, offRadio_, lrnInitRelayRadio_, lrnInitDimmerRadio_,
                            lrnExitRelayRadio_, lrnExitDimmerRadio_, lrnCancelRadio_})
        commandChoice->addButton(r);

    levelCombo_ = new NumberCombo(numbers_, commandBox_);
    levelCombo_->setObjectName(QStringLiteral("LightingLevelComboBox"));
    levelRadioGroup_ = Named<QGroupBox>("LightingLevelRadioGroup", QString(), commandBox_);
    auto* levelChoice = new QHBoxLayout(levelRadioGroup_);
    percentRadio_ = Named<QRadioButton>("LightingLevelPercentRadioButton", QStringLiteral("%"), levelRadioGroup_);
    levelRadio_ = Named<QRadioButton>("LightingLevelLevelRadioButton", QStringLiteral("Level"), levelRadioGroup_);
    levelChoice->addWidget(percentRadio_);
    levelChoice->addWidget(levelRadio_);
    percentRadio_->setChecked(true);
    auto* levelModeChoice = new QButtonGroup(levelRadioGroup_);
    levelModeChoice->addButton(percentRadio_);
    levelModeChoice->addButton(levelRadio_);
    rampRateCombo_ = FixedList("LightingRampRateComboBox", Texts(kLightingRampRateTexts), 0);

    cmd->addWidget(rampRadio_, 0, 0);
    cmd->addWidget(levelCombo_, 0, 1);
    cmd->addWidget(levelRadioGroup_, 0, 2);
    cmd->addWidget(rampRateCombo_, 0, 3);
    cmd->addWidget(onRadio_, 1, 0);
    cmd->addWidget(offRadio_, 2, 0);
    cmd->addWidget(lrnInitRelayRadio_, 3, 0);
    cmd->addWidget(lrnInitDimmerRadio_, 3, 1);
    cmd->addWidget(lrnExitRelayRadio_, 4, 0);
    cmd->addWidget(lrnExitDimmerRadio_, 4, 1);
    cmd->addWidget(lrnCancelRadio_, 5, 0);
    LightingFillLevelCombo();

    // Continuous toggling, sweeps and the send buttons.
    toggleCheck_ = Named<QCheckBox>("LightingToggleCheckBox", QStringLiteral("Continuously Toggle"));
    toggleSpeedCombo_ = FixedList("LightingToggleSpeedComboBox", Texts(kLightingSpeedTexts), kLightingDefaultSpeed);
    allOnButton_ = Named<QPushButton>("LightingAllOnButton", QStringLiteral("All On"));
    allOffButton_ = Named<QPushButton>("LightingAllOffButton", QStringLiteral("All Off"));
    sendButton_ = Named<QPushButton>("LightingSendButton", QStringLiteral("&Send"));
    terminateRampButton_ = Named<QPushButton>("LightingTerminateRampButton", QStringLiteral("&Term. Ramp"));
    randomCheck_ = Named<QCheckBox>("LightingRandomCheckBox", QStringLiteral("Random"));

    auto* buttons = new QGridLayout;
    buttons->addWidget(toggleCheck_, 0, 0);
    buttons->addWidget(toggleSpeedCombo_, 0, 1);
    buttons->addWidget(randomCheck_, 0, 2);
    buttons->addWidget(allOnButton_, 1, 0);
    buttons->addWidget(allOffButton_, 1, 1);
    buttons->addWidget(terminateRampButton_, 1, 2);
    buttons->addWidget(sendButton_, 1, 3);

    // Random traffic.
    randomPanel_ = Named<QFrame>("LightingRandomPanel");
    auto* rnd = new QGridLayout(randomPanel_);
    randomApp1_ = new NumberCombo(numbers_, randomPanel_);
    randomApp1_->setObjectName(QStringLiteral("LightingRandomAppComboBox1"));
    randomApp2_ = new NumberCombo(numbers_, randomPanel_);
    randomApp2_->setObjectName(QStringLiteral("LightingRandomAppComboBox2"));
    randomGroup1_ = new NumberCombo(numbers_, randomPanel_);
    randomGroup1_->setObjectName(QStringLiteral("LightingRandomGAComboBox1"));
    randomGroup2_ = new NumberCombo(numbers_, randomPanel_);
    randomGroup2_->setObjectName(QStringLiteral("LightingRandomGAComboBox2"));
    FillCombo(randomApp1_, 0, kLightingDefaultApplication, 256);
    FillCombo(randomApp2_, 0, kLightingDefaultApplication, 256);
    FillCombo(randomGroup1_, 0, 0, 256);
    FillCombo(randomGroup2_, 0, 255, 256);
    commandTypeCombo_ = FixedList("LightingCommandTypeComboBox", Texts(kLightingCommandTypeTexts),
                                  static_cast<int>(LightingRandomType::OnOffRampConcatenated));
    randomRunCheck_ = Named<QCheckBox>("LightingRandomRunCheckBox", QStringLiteral("Run"));
    speedCombo_ = FixedList("LightingSpeedComboBox", Texts(kLightingSpeedTexts), kLightingDefaultSpeed);
    rnd->addWidget(new QLabel(QStringLiteral("Application")), 0, 0);
    rnd->addWidget(randomApp1_, 0, 1);
    rnd->addWidget(new QLabel(QStringLiteral("to")), 0, 2);
    rnd->addWidget(randomApp2_, 0, 3);
    rnd->addWidget(new QLabel(QStringLiteral("Group Address")), 1, 0);
    rnd->addWidget(randomGroup1_, 1, 1);
    rnd->addWidget(new QLabel(QStringLiteral("to")), 1, 2);
    rnd->addWidget(randomGroup2_, 1, 3);
    rnd->addWidget(new QLabel(QStringLiteral("Command Type")), 2, 0);
    rnd->addWidget(commandTypeCombo_, 2, 1, 1, 3);
    rnd->addWidget(randomRunCheck_, 3, 0);
    rnd->addWidget(new QLabel(QStringLiteral("Speed")), 3, 1);
    rnd->addWidget(speedCombo_, 3, 2, 1, 2);
    randomPanel_->setVisible(false);

    root->addWidget(destinationBox_);
    root->addWidget(commandBox_);
    root->addWidget(randomPanel_);
    root->addLayout(buttons);
    root->addStretch(1);

    runTimer_ = new QTimer(this);
    runTimer_->setObjectName(QStringLiteral("LightingRunTimer"));
    runTimer_->setInterval(LightingSpeedInterval(kLightingDefaultSpeed));
    allGroupTimer_ = new QTimer(this);
    allGroupTimer_->setSingleShot(true);
    allGroupTimer_->setInterval(kAllGroupSpacingMs);

    // This program offers neither random traffic nor the learn commands.
    for (QWidget* w : std::initializer_list<QWidget*>{randomCheck_, lrnInitRelayRadio_, lrnInitDimmerRadio_,
                                                      lrnExitRelayRadio_, lrnExitDimmerRadio_, lrnCancelRadio_})
        w->setVisible(false);

    connect(sendButton_, &QPushButton::clicked, this, &LightingTab::LightingSendButtonClick);
    connect(terminateRampButton_, &QPushButton::clicked, this, &LightingTab::LightingTerminateRampButtonClick);
    connect(allOnButton_, &QPushButton::clicked, this, &LightingTab::LightingAllOnButtonClick);
    connect(allOffButton_, &QPushButton::clicked, this, &LightingTab::LightingAllOffButtonClick);
    for (QRadioButton* r : {rampRadio_, onRadio_, offRadio_})
        connect(r, &QRadioButton::clicked, this, &LightingTab::LightingRampRadioButtonClick);
    // Choosing the other mode rebuilds the list; choosing the same one again
    // leaves the level alone.
    connect(percentRadio_, &QRadioButton::toggled, this, &LightingTab::LightingLevelRadioGroupClick);
    connect(appCombo_, &NumberCombo::Checked, this, [this](bool ok, bool leaving) {
        if (ok && leaving) LightingAppComboBoxExit();
    });
    connect(appCombo_, &QComboBox::activated, this, [this](int) { LightingAppComboBoxExit(); });
    connect(toggleCheck_, &QCheckBox::toggled, this, &LightingTab::LightingToggleCheckBoxClick);
    connect(randomCheck_, &QCheckBox::toggled, this, &LightingTab::LightingRandomCheckBoxClick);
    connect(randomRunCheck_, &QCheckBox::toggled, this, &LightingTab::LightingRandomRunCheckBoxClick);
    connect(toggleSpeedCombo_, &QComboBox::currentIndexChanged, this, &LightingTab::LightingSpeedComboBoxChange);
    connect(speedCombo_, &QComboBox::currentIndexChanged, this, &LightingTab::LightingSpeedComboBoxChange);
    connect(runTimer_, &QTimer::timeout, this, &LightingTab::LightingRunTimerTimer);
    connect(allGroupTimer_, &QTimer::timeout, this, &LightingTab::SendNextAllGroupMessage);
}

bool LightingTab::PercentMode() const { return percentRadio_->isChecked(); }

LightingCommandKind LightingTab::SelectedKind() const {
    using K = LightingCommandKind;
    const std::pair<QRadioButton*, K> order[] = {
        {onRadio_, K::On},
        {offRadio_, K::Off},
        {rampRadio_, K::Ramp},
        {lrnInitRelayRadio_, K::LrnInitRelay},
        {lrnInitDimmerRadio_, K::LrnInitDimmer},
        {lrnExitRelayRadio_, K::LrnExitRelay},
        {lrnExitDimmerRadio_, K::LrnExitDimmer},
        {lrnCancelRadio_, K::LrnCancel},
    };
    for (const auto& [radio, kind] : order)
        if (radio->isChecked()) return kind;
    return K::None;
}

bool LightingTab::CheckPath() {
    if (CheckRemoteNetworkPath(remote_ ? remote_() : RemoteNetwork{})) return true;
    numbers_.prompts().Message(MessageKind::Error, QString(), QString::fromLatin1(kInvalidRemoteNetworkPathText),
                               Buttons::Ok);
    return false;
}

bool LightingTab::CheckEntries(std::initializer_list<NumberCombo*> lists) {
    // A number typed but not yet accepted (a button pressed straight from
    // the list) is checked here: a wrong one sends nothing.
    for (NumberCombo* list : lists)
        if (!list->CheckIntegerComboBox()) return false;
    return true;
}

void LightingTab::Send(const std::string& line) {
    if (line.empty() || !sink_) return;
    sink_->SendOrvaneCommand(line, autoSendRunning_ && fullSpeedMode_);
}

std::string LightingTab::LightingGetOrvaneCommandString() {
    const LightingCommandKind kind = SelectedKind();
    if (kind == LightingCommandKind::None) return {};
    if (!CheckEntries({appCombo_, groupCombo_, levelCombo_})) return {};
    const int level = LightingLevelValue(PercentMode(), levelCombo_->Model().selected);
    return LightingMakeCommandString(remote_ ? remote_() : RemoteNetwork{}, appCombo_->Value(), groupCombo_->Value(),
                                     rampRateCombo_->currentIndex(), level, kind);
}

QString LightingTab::GetOrvaneCommandDescription() const {
    const int level = LightingLevelValue(PercentMode(), levelCombo_->Model().selected);
    return QString::fromStdString(orvane::GetOrvaneCommandDescription(
        numbers_.Format(), groupCombo_->currentText().toStdString(), SelectedKind(), level));
}

void LightingTab::LightingMakeSendCommand(int application, int group, int rateIndex, int level) {
    if (!CheckPath()) return;
    Send(LightingMakeCommandString(remote_ ? remote_() : RemoteNetwork{}, application, group, rateIndex, level,
                                   LightingCommandKind::Ramp));
}

void LightingTab::LightingFillLevelCombo() {
    if (PercentMode()) FillDecimalCombo(levelCombo_, 0, 101, 0);
    else FillCombo(levelCombo_, 0, 0, 256);
}

void LightingTab::LightingSendButtonClick() {
    if (!CheckPath()) {
        // A run must not keep asking the same question on every tick.
        if (autoSendRunning_) StopRun();
        return;
    }
    if (randomCheck_->isChecked()) {
        LightingSendRandomCommand();
        return;
    }
    Send(LightingGetOrvaneCommandString());
}

void LightingTab::LightingTerminateRampButtonClick() {
    if (!CheckPath() || !CheckEntries({appCombo_, groupCombo_})) return;
    Send(LightingTerminateRampString(remote_ ? remote_() : RemoteNetwork{}, appCombo_->Value(), groupCombo_->Value()));
}

void LightingTab::LightingAllOnButtonClick() { LightingAllGroupCommand(kLightingOnByte); }
void LightingTab::LightingAllOffButtonClick() { LightingAllGroupCommand(kLightingOffByte); }

void LightingTab::LightingAllGroupCommand(int commandByte) {
    if (AllGroupRunning() || !CheckPath() || !CheckEntries({appCombo_})) return;
    allGroupMessages_ = LightingAllGroupMessages(remote_ ? remote_() : RemoteNetwork{}, appCombo_->Value(), commandByte);
    if (allGroupMessages_.empty()) return;
    allGroupNext_ = 0;
    allOnButton_->setEnabled(false);
    allOffButton_->setEnabled(false);
    // The window stays responsive between the messages; the buttons stay
    // disabled until the sweep has ended.
    SendNextAllGroupMessage();
}

void LightingTab::SendNextAllGroupMessage() {
    if (allGroupNext_ < allGroupMessages_.size()) {
        Send(allGroupMessages_[allGroupNext_++]);
        allGroupTimer_->start();
        return;
    }
    allGroupMessages_.clear();
    allOnButton_->setEnabled(true);
    allOffButton_->setEnabled(true);
}

void LightingTab::LightingRampRadioButtonClick() {
    const bool ramp = rampRadio_->isChecked();
    levelCombo_->setEnabled(ramp);
    levelRadioGroup_->setEnabled(ramp);
    rampRateCombo_->setEnabled(ramp);
}

void LightingTab::LightingLevelRadioGroupClick() { LightingFillLevelCombo(); }

void LightingTab::LightingAppComboBoxExit() {
    if (!appCombo_->CheckIntegerComboBox()) return;
    const int application = appCombo_->Value();
    if (LightingApplicationInUsualRange(application) || !showApplicationWarning_) return;
    const Answer a = numbers_.prompts().Message(
        MessageKind::Warning, QString(), QString::fromStdString(LightingApplicationWarningText(numbers_.Format())),
        Buttons::OkIgnore);
    if (a == Answer::Ignore) {
        showApplicationWarning_ = false;
        emit ShowApplicationWarningChanged(false);
    }
}

void LightingTab::UpdateRunState() {
    autoSendRunning_ = toggleCheck_->isChecked() || randomRunCheck_->isChecked();
    if (!autoSendRunning_) runTimer_->stop();
    else if (!runTimer_->isActive()) runTimer_->start();
}

void LightingTab::StopRun() {
    runTimer_->stop();
    toggleCheck_->setChecked(false);
    randomRunCheck_->setChecked(false);
    autoSendRunning_ = false;
}

void LightingTab::LightingToggleCheckBoxClick() {
    const bool on = toggleCheck_->isChecked();
    sendButton_->setVisible(!on);
    UpdateRunState();
    if (on && fullSpeedMode_ && sink_) sink_->SetSendConfirmed(true);
}

void LightingTab::LightingRandomRunCheckBoxClick() {
    UpdateRunState();
    if (randomRunCheck_->isChecked() && fullSpeedMode_ && sink_) sink_->SetSendConfirmed(true);
}

void LightingTab::LightingRandomCheckBoxClick() {
    const bool random = randomCheck_->isChecked();
    randomPanel_->setVisible(random);
    destinationBox_->setVisible(!random);
    commandBox_->setVisible(!random);
    toggleCheck_->setChecked(false);
    if (!random) randomRunCheck_->setChecked(false);
}

void LightingTab::LightingSpeedComboBoxChange(int index) {
    if (syncingSpeed_ || index < 0) return;
    runTimer_->setInterval(LightingSpeedInterval(index));
    fullSpeedMode_ = LightingIsFullSpeed(index);
    if (fullSpeedMode_ && autoSendRunning_ && sink_) sink_->SetSendConfirmed(true);
    syncingSpeed_ = true;
    toggleSpeedCombo_->setCurrentIndex(index);
    speedCombo_->setCurrentIndex(index);
    syncingSpeed_ = false;
}

void LightingTab::LightingRunTimerTimer() {
    if (fullSpeedMode_) {
        bool confirmed = sink_ ? sink_->SendConfirmed() : true;
        const LightingTickAction action = LightingRunTick(true, confirmed, confirmWaitTicks_);
        if (action == LightingTickAction::Wait) return;
        if (action == LightingTickAction::TimedOut) {
            // Stopped before asking, so no further tick arrives while the
            // warning is open.
            StopRun();
            numbers_.prompts().Message(MessageKind::Warning, QString(), QString::fromLatin1(kLightingTimeoutText),
                                       Buttons::Ok);
            return;
        }
        if (sink_) sink_->SetSendConfirmed(confirmed);
    }
    runTimer_->stop();
    if (toggleCheck_->isChecked()) {
        if (onRadio_->isChecked()) offRadio_->setChecked(true);
        else onRadio_->setChecked(true);
        LightingRampRadioButtonClick();
        LightingSendButtonClick();
    } else {
        LightingSendRandomCommand();
    }
    if (toggleCheck_->isChecked() || randomRunCheck_->isChecked()) runTimer_->start();
}

void LightingTab::LightingSendRandomCommand() {
    if (!CheckPath()) {
        if (autoSendRunning_) StopRun();
        return;
    }
    if (!CheckEntries({randomApp1_, randomApp2_, randomGroup1_, randomGroup2_})) return;
    LightingRandomSettings settings;
    settings.firstApplication = randomApp1_->Value();
    settings.lastApplication = randomApp2_->Value();
    settings.firstGroup = randomGroup1_->Value();
    settings.lastGroup = randomGroup2_->Value();
    settings.type = static_cast<LightingRandomType>(std::clamp(commandTypeCombo_->currentIndex(), 0, 2));
    Send(LightingRandomMessage(remote_ ? remote_() : RemoteNetwork{}, settings, rng_));
}

}  // namespace orvane

// The Lighting tab: reads its controls into the values of the lighting
// builders and sends what they make; runs continuous toggling and random
// traffic from its timer.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "generators/CommandSink.h"
#include "generators/Headers.h"
#include "generators/LightingCommands.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTimer;

namespace orvane {

class NumberCombo;
class NumberEntryContext;

class LightingTab : public QWidget {
    Q_OBJECT
public:
    // The sink may be null until the link is wired (nothing is sent then).
    // remote gives the main window's "Remote Network" setting at the moment
    // of sending.
    LightingTab(NumberEntryContext& numbers, CommandSink* sink, std::function<RemoteNetwork()> remote,
                QWidget* parent = nullptr);

    void SetSink(CommandSink* sink) { sink_ = sink; }
    void SetRandomSeed(std::uint32_t seed) { rng_.seed(seed); }

    // "ShowApplicationWarning": warn about applications outside 0x30..0x7F.
    bool ShowApplicationWarning() const { return showApplicationWarning_; }
    void SetShowApplicationWarning(bool on) { showApplicationWarning_ = on; }

    // Module-wide sending state (the link asks for acknowledgement characters
    // while both are set).
    bool AutoSendRunning() const { return autoSendRunning_; }
    bool FullSpeedMode() const { return fullSpeedMode_; }
    int ConfirmWaitTicks() const { return confirmWaitTicks_; }
    bool AllGroupRunning() const { return !allGroupMessages_.empty(); }

    // The command the current settings describe (empty when no command
    // button is selected or a number is not valid), and its short caption.
    std::string LightingGetOrvaneCommandString();
    QString GetOrvaneCommandDescription() const;
    // Builds and sends a Ramp command (also used by the audio tab).
    void LightingMakeSendCommand(int application, int group, int rateIndex, int level);
    void LightingFillLevelCombo();

    // Handlers.
    void LightingSendButtonClick();
    void LightingTerminateRampButtonClick();
    void LightingAllOnButtonClick();
    void LightingAllOffButtonClick();
    void LightingRampRadioButtonClick();
    void LightingLevelRadioGroupClick();
    void LightingAppComboBoxExit();
    void LightingToggleCheckBoxClick();
    void LightingRandomCheckBoxClick();
    void LightingRandomRunCheckBoxClick();
    void LightingSpeedComboBoxChange(int index);
    void LightingRunTimerTimer();
    void LightingSendRandomCommand();

signals:
    // The user chose "Ignore" on the application warning.
    void ShowApplicationWarningChanged(bool on);

private:
    void BuildControls();
    bool CheckPath();
    bool CheckEntries(std::initializer_list<NumberCombo*> lists);
    void Send(const std::string& line);
    void LightingAllGroupCommand(int commandByte);
    void SendNextAllGroupMessage();
    void UpdateRunState();
    void StopRun();
    bool PercentMode() const;
    LightingCommandKind SelectedKind() const;

    NumberEntryContext& numbers_;
    CommandSink* sink_;
    std::function<RemoteNetwork()> remote_;
    std::mt19937 rng_;

    QGroupBox* destinationBox_ = nullptr;
    QGroupBox* commandBox_ = nullptr;
    NumberCombo* appCombo_ = nullptr;
    NumberCombo* groupCombo_ = nullptr;
    QRadioButton* rampRadio_ = nullptr;
    QRadioButton* onRadio_ = nullptr;
    QRadioButton* offRadio_ = nullptr;
    QRadioButton* lrnInitRelayRadio_ = nullptr;
    QRadioButton* lrnInitDimmerRadio_ = nullptr;
    QRadioButton* lrnExitRelayRadio_ = nullptr;
    QRadioButton* lrnExitDimmerRadio_ = nullptr;
    QRadioButton* lrnCancelRadio_ = nullptr;
    NumberCombo* levelCombo_ = nullptr;
    QGroupBox* levelRadioGroup_ = nullptr;
    QRadioButton* percentRadio_ = nullptr;
    QRadioButton* levelRadio_ = nullptr;
    QComboBox* rampRateCombo_ = nullptr;
    QCheckBox* toggleCheck_ = nullptr;
    QComboBox* toggleSpeedCombo_ = nullptr;
    QPushButton* allOnButton_ = nullptr;
    QPushButton* allOffButton_ = nullptr;
    QPushButton* sendButton_ = nullptr;
    QPushButton* terminateRampButton_ = nullptr;
    QCheckBox* randomCheck_ = nullptr;
    QFrame* randomPanel_ = nullptr;
    NumberCombo* randomApp1_ = nullptr;
    NumberCombo* randomApp2_ = nullptr;
    NumberCombo* randomGroup1_ = nullptr;
    NumberCombo* randomGroup2_ = nullptr;
    QComboBox* commandTypeCombo_ = nullptr;
    QCheckBox* randomRunCheck_ = nullptr;
    QComboBox* speedCombo_ = nullptr;
    QTimer* runTimer_ = nullptr;
    QTimer* allGroupTimer_ = nullptr;

    bool showApplicationWarning_ = true;
    bool autoSendRunning_ = false;
    bool fullSpeedMode_ = false;
    int confirmWaitTicks_ = 0;
    bool syncingSpeed_ = false;
    std::vector<std::string> allGroupMessages_;
    std::size_t allGroupNext_ = 0;
};

}  // namespace orvane

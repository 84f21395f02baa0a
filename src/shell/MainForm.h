// The main window: owns the decoder, the interface record, the link, the
// traffic lists, the traffic log and the settings, and wires the receive and
// send paths between them in one place.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "decode/Decoder.h"
#include "generators/Headers.h"
#include "interface/InterfaceState.h"
#include "shell/CommandLine.h"
#include "shell/Settings.h"
#include "traffic/TrafficLog.h"
#include "traffic/TrafficView.h"
#include "ui/Prompts.h"

class QPrinter;
class QSplitter;

namespace orvane {

class Link;
class LightingTab;
class LinkCommandSink;
class NumberEntryContext;
class OptionsForm;
class WhatsNewForm;
class HelpWindow;

class MainForm : public QMainWindow {
    Q_OBJECT
public:
    // The store and the prompts outlive the window.
    MainForm(SettingsStore& store, Prompts& prompts, std::vector<std::string> arguments, QWidget* parent = nullptr);
    ~MainForm() override;

    // Traffic.
    void DisplaySerialString(int direction, const QString& text);
    TrafficView* Traffic() const { return traffic_; }
    Decoder& decoder() { return decoder_; }
    InterfaceState& State() { return state_; }
    Link* link() const { return link_.get(); }
    Prompts& prompts() { return prompts_; }
    TrafficLog& Log() { return log_; }

    // Options and their effects.
    const Options& Settings() const { return options_; }
    int DecodeOptions() const { return decodeOptions_; }
    void SetDecodeOptions();
    void ShowTabs();
    void SetHexNumbers(bool hex);
    bool HexNumbers() const { return options_.HexNumbers; }
    void SetLogging(bool on);
    bool Logging() const;
    // Applies a changed set of options as "Program Options" does on OK.
    void ApplyProgramOptions(const Options& chosen);

    // Status texts and enabling.
    void EnableItems();
    void UpdateWarningLabel();
    void UpdateWordWrap();
    void MainFormUpdateCaption();
    bool CheckRemoteNetworkPath();
    // The path of "Remote Network" while it is ticked, else empty.
    QString RemoteNetworkPath() const;
    // The box and its path, as the command headers read them.
    RemoteNetwork Remote() const;
    void SetLists();
    void ClearLists();

    // Whether the link has found an interface, and its version, as
    // EnableItems reads them.
    bool InterfaceFound() const;
    bool LinkOpen() const;
    bool AutoConnecting() const { return autoConnecting_; }

    // The command-tab notebook: a page for one of the "Show Tabs" entries.
    void AddCommandTab(int tabIndex, QWidget* page, const QString& caption);
    QTabWidget* CommandTabs() const { return tabs_; }
    QMenu* ApplicationsPopupMenu() const { return tabsPopup_; }

    // "Filter Messages...": the dialog plugs in here; it answers nothing on
    // Cancel, else whether the chosen criteria filter anything.
    void SetFilterDialog(std::function<std::optional<bool>()> dialog) { filterDialog_ = std::move(dialog); }
    bool Filtering() const;

    // The close query; the project data plug in here. True lets the window
    // close.
    void SetCloseQuery(std::function<bool()> query) { closeQuery_ = std::move(query); }
    bool FormCloseQuery();
    // Settings written, link and log closed; runs once.
    void ShutDown();

    // Menu commands.
    void ConnectCommand();
    void InterpretCommand();
    void ApplicationSupport();
    void InsertComment();
    void PrintLists();
    void ShowHelpContents(int context = 0);
    void ShowWhatsNew();
    void ShowAbout();
    void ShowProgramOptions();

    QTimer& StartupTimer() { return startupTimer_; }
    const CommandLine& commandLine() const { return commandLine_; }
    QString ProjectFileName() const { return projectFileName_; }
    void SetProjectFileName(const QString& name);
    WhatsNewForm* WhatsNew() const { return whatsNew_; }
    OptionsForm* ProgramOptions() const { return optionsForm_; }
    QPrinter* Printer();

    // The program's version text.
    static QString VersionText();

signals:
    // The number base switched; the number lists of the tabs refill.
    void NumberBaseChanged(bool hex);
    // EnableItems ran; tabs with choice-dependent controls follow.
    void ItemsEnabled(bool interfaceFound);
    void ShowAsciiChanged(bool on);
    void AckCharChanged(bool on);
    // The first show has read the settings and the command line.
    void SettingsApplied();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void CtrlBasicModeButtonClick();
    void CtrlSmartModeButtonClick();
    void CtrlDefaultModeButtonClick();

private:
    void SyncLink();
    void BuildCommandTabs();
    void FormCreate();
    void FormShow();
    void StartupTimerTimer();
    void BuildMenus();
    void BuildToolBar();
    QWidget* BuildStatusStrip();
    QWidget* BuildControlPanel();
    void WireLink();
    void SetFormSize();
    void BalanceSplit();
    int WantedCommandHeight() const;
    void SaveFormSize();
    void UpdateDataEntryModeLabel();
    void ToggleTab(int tabIndex);
    void SetAlwaysOnTop(bool on);
    void ReportError(const QString& text);
    QAction* AddItem(QMenu* menu, const QString& caption, const QString& name, bool checkable = false);
    void LogLine(const QString& line);
    std::vector<std::string> LogFolders() const;
    QString LinkDescription() const;
    void CloseLink();
    QStringList AvailablePortNames() const;

    SettingsStore& store_;
    Prompts& prompts_;
    CommandLine commandLine_;
    Options options_;
    int decodeOptions_ = 0x08;
    InterfaceState state_;
    Decoder decoder_;
    std::unique_ptr<Link> link_;
    std::unique_ptr<LinkCommandSink> sink_;
    NumberEntryContext* numbers_ = nullptr;
    LightingTab* lighting_ = nullptr;
    TrafficLog log_;
    bool logFolderReported_ = false;
    bool logWriteFailed_ = false;
    bool shown_ = false;
    bool shutDown_ = false;
    bool loggingRequested_ = false;
    bool autoConnecting_ = false;
    QString projectFileName_;
    std::function<bool()> closeQuery_;
    std::function<std::optional<bool>()> filterDialog_;
    QTimer startupTimer_;

    TrafficView* traffic_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QSplitter* split_ = nullptr;
    QMenu* tabsPopup_ = nullptr;
    QMenu* showTabsMenu_ = nullptr;
    std::vector<QAction*> showTabItems_;
    std::vector<QAction*> popupTabItems_;
    struct CommandTab {
        int index;
        QWidget* page;
        QWidget* holder;  // what the notebook holds: the page in its scroll area
        QString caption;
    };
    std::vector<CommandTab> commandTabs_;

    QLabel* warningLabel_ = nullptr;
    QLabel* dataEntryModeLabel_ = nullptr;
    QCheckBox* scrollLockBox_ = nullptr;
    QCheckBox* remoteNetworkBox_ = nullptr;
    QLineEdit* networkPathEdit_ = nullptr;
    QLabel* networkPathLabel_ = nullptr;
    QWidget* controlPanel_ = nullptr;
    QWidget* userButtonsPanel_ = nullptr;
    QToolButton* connectButton_ = nullptr;
    QToolButton* repairButton_ = nullptr;
    QWidget* basicModeButton_ = nullptr;
    QWidget* smartModeButton_ = nullptr;
    QWidget* defaultModeButton_ = nullptr;
    QWidget* levelMMIPushButton_ = nullptr;

    QAction* connectItem_ = nullptr;
    QAction* showAsciiItem_ = nullptr;
    QAction* showDecodedItem_ = nullptr;
    QAction* logCommandsItem_ = nullptr;
    QAction* hexItem_ = nullptr;
    QAction* wordWrapItem_ = nullptr;
    QAction* showTimeItem_ = nullptr;
    QAction* ackCharItem_ = nullptr;
    QAction* filterItem_ = nullptr;
    QAction* alwaysOnTopItem_ = nullptr;
    QAction* levelMMIItem_ = nullptr;
    QAction* analyserItem_ = nullptr;
    std::vector<QAction*> foundItems_;  // enabled exactly while an interface is found

    OptionsForm* optionsForm_ = nullptr;
    WhatsNewForm* whatsNew_ = nullptr;
    HelpWindow* help_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace orvane

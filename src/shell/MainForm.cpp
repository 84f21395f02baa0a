#include "shell/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <QSerialPortInfo>

#include "decode/AppDirectory.h"
#include "generators/Headers.h"
#include "generators/LightingTab.h"
#include "shell/LinkCommandSink.h"
#include "ui/NumberCombo.h"
#include "link/Link.h"
#include "decode/Hex.h"
#include "shell/HelpWindow.h"
#include "shell/OptionsForm.h"
#include "shell/PrintForm.h"
#include "shell/ReleaseNotes.h"
#include "shell/WhatsNewForm.h"

namespace orvane {

namespace {

constexpr int kStartupDelayMs = 500;
constexpr int kScrollLockKey = Qt::Key_ScrollLock;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A hint "short|long": the short part is the tool tip, the long part the
// status bar text.
void SetHint(QWidget* w, const QString& hint) {
    const qsizetype bar = hint.indexOf(u'|');
    w->setToolTip(bar < 0 ? hint : hint.left(bar));
    w->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    w->setProperty("hint", hint);
}

}  // namespace

QString MainForm::VersionText() { return QStringLiteral(ORVANE_VERSION); }

MainForm::MainForm(SettingsStore& store, Prompts& prompts, std::vector<std::string> arguments, QWidget* parent)
    : QMainWindow(parent),
      store_(store),
      prompts_(prompts),
      commandLine_(std::move(arguments)),
      decoder_(state_),
      log_(LogFolders()) {
    FormCreate();
}

MainForm::~MainForm() { ShutDown(); }

// ---------------------------------------------------------------- creation

void MainForm::FormCreate() {
    setObjectName("MainForm");
    QApplication::setApplicationDisplayName(kApplicationTitle);

    traffic_ = new TrafficView(this);
    traffic_->SetLogSink([this](const QString& line) { LogLine(line); });
    connect(traffic_, &TrafficView::SetFontRequested, this, [this] {
        if (auto f = prompts_.Font(traffic_->ListFont())) traffic_->SetListFont(*f);
    });

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("ApplicationsPageControl");
    tabs_->setTabPosition(QTabWidget::South);
    tabs_->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    tabsPopup_ = new QMenu(this);
    tabsPopup_->setObjectName("ApplicationsPopupMenu");
    connect(tabs_->tabBar(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { tabsPopup_->popup(tabs_->tabBar()->mapToGlobal(p)); });

    BuildMenus();
    BuildToolBar();

    auto* upper = new QWidget(this);
    auto* upperCol = new QVBoxLayout(upper);
    upperCol->setContentsMargins(2, 2, 2, 0);
    upperCol->setSpacing(2);
    upperCol->addWidget(traffic_, 1);
    upperCol->addWidget(BuildStatusStrip());

    auto* lower = new QWidget(this);
    auto* lowerRow = new QHBoxLayout(lower);
    lowerRow->setContentsMargins(2, 0, 2, 2);
    lowerRow->addWidget(BuildControlPanel());
    lowerRow->addWidget(tabs_, 1);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("MainSplitter");
    split->addWidget(upper);
    split->addWidget(lower);
    // Height gained or lost by resizing goes to the traffic lists.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setChildrenCollapsible(false);
    split_ = split;
    setCentralWidget(split);
    statusBar()->setObjectName("StatusBar");

    startupTimer_.setSingleShot(true);
    startupTimer_.setInterval(kStartupDelayMs);
    connect(&startupTimer_, &QTimer::timeout, this, &MainForm::StartupTimerTimer);

    optionsForm_ = new OptionsForm(this);
    connect(optionsForm_, &OptionsForm::HelpRequested, this, &MainForm::ShowHelpContents);
    whatsNew_ = new WhatsNewForm(store_, VersionText(), this);

    WireLink();
    BuildCommandTabs();
    qApp->installEventFilter(this);

    SetDecodeOptions();
    ShowTabs();
    UpdateDataEntryModeLabel();
    MainFormUpdateCaption();
    EnableItems();
    UpdateWarningLabel();
}

std::vector<std::string> MainForm::LogFolders() const {
    std::vector<std::string> folders{QCoreApplication::applicationDirPath().toStdString()};
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!data.isEmpty()) {
        QDir().mkpath(data);
        folders.push_back(data.toStdString());
    }
    return folders;
}

QAction* MainForm::AddItem(QMenu* menu, const QString& caption, const QString& name, bool checkable) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setCheckable(checkable);
    return a;
}

void MainForm::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("FileMenu");
    QAction* hiddenFile[] = {AddItem(file, "&New", "FileNewItem"), AddItem(file, "&Open...", "FileOpenItem"),
                             AddItem(file, "&Save", "FileSaveItem"), AddItem(file, "Save &As...", "FileSaveAsItem")};
    file->addSeparator();
    connect(AddItem(file, "&Print", "FilePrintItem"), &QAction::triggered, this, &MainForm::PrintLists);
    connect(AddItem(file, "P&rint Setup...", "FilePrintSetupItem"), &QAction::triggered, this, [this] {
        QPageSetupDialog dialog(Printer(), this);
        dialog.exec();
    });
    file->addSeparator();
    QAction* processLog = AddItem(file, "Process Log File", "FileProcessLogFileItem");
    QAction* executeFile = AddItem(file, "Execute File...", "FileExecuteFileItem");
    QAction* filterLog = AddItem(file, "Filter Log File...", "FileFilterLogFileItem");
    file->addSeparator();
    QAction* exitItem = AddItem(file, "E&xit", "FileExitItem");
    connect(exitItem, &QAction::triggered, this, &QWidget::close);
    for (QAction* a : hiddenFile) a->setVisible(false);
    for (QAction* a : {processLog, executeFile, filterLog}) a->setVisible(false);
    foundItems_.push_back(executeFile);

    QMenu* orvane = menuBar()->addMenu("&Orvane");
    orvane->setObjectName("OrvaneMenu");
    connectItem_ = AddItem(orvane, "Connect to Orvane", "OrvaneConnecttoOrvaneItem", true);
    connect(connectItem_, &QAction::triggered, this, [this] {
        ConnectCommand();
    });
    AddItem(orvane, "Repair PCI with bad Baud Rate", "OrvaneRepairPCIwithbadBaudRateItem");
    orvane->addSeparator();
    foundItems_.push_back(AddItem(orvane, "Set Mode", "OrvaneSetModeItem"));
    foundItems_.push_back(AddItem(orvane, "Set Mode of Other PCI", "OrvaneSetModeofOtherPCIItem"));
    orvane->addSeparator();
    foundItems_.push_back(AddItem(orvane, "Installation MMI", "OrvaneInstallationMMIItem"));
    foundItems_.push_back(AddItem(orvane, "Application MMI", "OrvaneApplicationMMIItem"));
    levelMMIItem_ = AddItem(orvane, "Level MMI", "OrvaneLevelMMIItem");
    orvane->addSeparator();
    foundItems_.push_back(AddItem(orvane, "Identify", "OrvaneIdentifyItem"));
    foundItems_.push_back(AddItem(orvane, "Identify All Units", "OrvaneIdentifyAllItem"));
    foundItems_.push_back(AddItem(orvane, "Get Unit Voltages", "OrvaneGetUnitVoltagesItem"));
    foundItems_.push_back(AddItem(orvane, "Get PCI Data", "OrvaneGetPCIDataItem"));
    // The unit type commands and the EEPROM and RAM reads are kept hidden
    // in this program.
    QMenu* unitType = orvane->addMenu("Unit Type");
    unitType->setObjectName("OrvaneUnitTypeItem");
    AddItem(unitType, "Read", "OrvaneReadUnitTypeItem");
    AddItem(unitType, "Set...", "OrvaneSetUnitTypeItem");
    unitType->menuAction()->setVisible(false);
    foundItems_.push_back(unitType->menuAction());
    QAction* ramContents = AddItem(orvane, "Get RAM Contents", "OrvaneGetRAMContentsItem");
    QAction* eepromData = AddItem(orvane, "Get EEPROM Data", "OrvaneGetEEPROMDataItem");
    for (QAction* a : {ramContents, eepromData}) {
        a->setVisible(false);
        foundItems_.push_back(a);
    }
    orvane->addSeparator();
    analyserItem_ = AddItem(orvane, "Traffic Analyser", "OrvaneTrafficAnalyserItem");
    orvane->addSeparator();
    connect(AddItem(orvane, "Insert Comment", "OrvaneCommentMenuItem"), &QAction::triggered, this,
            &MainForm::InsertComment);
    connect(AddItem(orvane, "Interpret Command...", "OrvaneInterpretCommand"), &QAction::triggered, this,
            &MainForm::InterpretCommand);

    QMenu* opts = menuBar()->addMenu("&Options");
    opts->setObjectName("OptionsMenu");
    showAsciiItem_ = AddItem(opts, "Show ASCII", "OptionsShowASCIIItem", true);
    showDecodedItem_ = AddItem(opts, "Show Decoded Message", "OptionsShowDecodedMessageItem", true);
    logCommandsItem_ = AddItem(opts, "Log Commands", "OptionsLogCommandsItem", true);
    hexItem_ = AddItem(opts, "Hexadecimal Numbers", "OptionsHexadecimalNumbersItem", true);
    wordWrapItem_ = AddItem(opts, "Word Wrap", "OptionsWordWrapItem", true);
    showTimeItem_ = AddItem(opts, "Show Time", "OptionsShowTimeItem", true);
    ackCharItem_ = AddItem(opts, "Use Acknowledgement Characters", "OptionsUseAcknowledgementCharactersItem", true);
    filterItem_ = AddItem(opts, "Filter Messages...", "OptionsFilterMessagesItem", true);
    alwaysOnTopItem_ = AddItem(opts, "Always on top", "OptionsAlwaysontopItem", true);
    opts->addSeparator();
    showTabsMenu_ = opts->addMenu("Show Tabs");
    showTabsMenu_->setObjectName("OptionsShowTabsItem");
    for (int i = 0; i < TabCount; ++i) {
        QAction* item = AddItem(showTabsMenu_, kTabMenuCaptions[i], QString("ShowTabs%1Item").arg(i), true);
        QAction* pop = AddItem(tabsPopup_, kTabMenuCaptions[i], QString("ApplicationsPopup%1Item").arg(i), true);
        item->setVisible(!IsHiddenTab(i));
        pop->setVisible(!IsHiddenTab(i));
        connect(item, &QAction::triggered, this, [this, i] { ToggleTab(i); });
        connect(pop, &QAction::triggered, this, [this, i] { ToggleTab(i); });
        showTabItems_.push_back(item);
        popupTabItems_.push_back(pop);
    }
    QAction* userButtons = AddItem(opts, "User Button Properties...", "OptionsUserButtonsItem");
    QMenu* assign = opts->addMenu("Assign Lighting Command to User Button");
    assign->setObjectName("OptionsAssignCommandtoItem");
    for (int i = 1; i <= 9; ++i) AddItem(assign, QString("User %1").arg(i), QString("AssignUser%1Item").arg(i));
    userButtons->setVisible(false);
    assign->menuAction()->setVisible(false);
    opts->addSeparator();
    connect(AddItem(opts, "Program Options...", "OptionsProgramOptionsItem"), &QAction::triggered, this,
            &MainForm::ShowProgramOptions);

    connect(showAsciiItem_, &QAction::toggled, this, [this](bool on) {
        options_.ShowASCII = on;
        emit ShowAsciiChanged(on);
    });
    connect(showDecodedItem_, &QAction::toggled, this, [this](bool on) { options_.ShowDecodedMessage = on; });
    connect(logCommandsItem_, &QAction::triggered, this, [this](bool on) { SetLogging(on); });
    connect(hexItem_, &QAction::triggered, this, [this](bool on) { SetHexNumbers(on); });
    connect(wordWrapItem_, &QAction::toggled, this, [this](bool on) {
        options_.WordWrap = on;
        UpdateWordWrap();
    });
    connect(showTimeItem_, &QAction::toggled, this, [this](bool on) {
        options_.ShowTime = on;
        traffic_->SetShowTime(on);
    });
    connect(ackCharItem_, &QAction::toggled, this, [this](bool on) {
        options_.AckChar = on;
        emit AckCharChanged(on);
    });
    connect(filterItem_, &QAction::toggled, this, &MainForm::UpdateWarningLabel);
    // The item is checked by the filter dialog's answer, not by the click.
    connect(filterItem_, &QAction::triggered, this, [this](bool checked) {
        filterItem_->setChecked(!checked);
        if (!filterDialog_) return;
        if (auto active = filterDialog_()) filterItem_->setChecked(*active);
    });
    connect(alwaysOnTopItem_, &QAction::toggled, this, &MainForm::SetAlwaysOnTop);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("HelpMenu");
    connect(AddItem(help, "&Contents...", "HelpContentsItem"), &QAction::triggered, this,
            [this] { ShowHelpContents(0); });
    connect(AddItem(help, "Application Support...", "HelpApplicationSupportItem"), &QAction::triggered, this,
            &MainForm::ApplicationSupport);
    connect(AddItem(help, "What's New...", "HelpWhatsNewItem"), &QAction::triggered, this, &MainForm::ShowWhatsNew);
    help->addSeparator();
    connect(AddItem(help, "&About...", "HelpAboutItem"), &QAction::triggered, this, &MainForm::ShowAbout);
}

void MainForm::BuildToolBar() {
    QToolBar* bar = addToolBar("Speed Buttons");
    bar->setObjectName("SpeedBar");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto button = [&](const QString& caption, const QString& name, const QString& hint) {
        auto* b = new QToolButton(bar);
        b->setText(caption);
        b->setObjectName(name);
        SetHint(b, hint);
        bar->addWidget(b);
        return b;
    };
    // The connect, clear, repair and help buttons stand together on the left;
    // New, Open and Save are kept hidden.
    connectButton_ = button("Connect", "SBConnectSpeedButton", "Connect / Disconnect |");
    connectButton_->setCheckable(true);
    connect(connectButton_, &QToolButton::clicked, this, [this] { ConnectCommand(); });
    QToolButton* clear = button("Clear", "SBClearSpeedButton", "Clear Lists |");
    connect(clear, &QToolButton::clicked, this, &MainForm::ClearLists);
    repairButton_ = button("Repair", "SBRepairSerialButton", "Try and repair serial PCI with strange Baud Rate |");
    QToolButton* help = button("Help", "SBHelpSpeedButton", "Help Contents |");
    connect(help, &QToolButton::clicked, this, [this] { ShowHelpContents(0); });
    bar->addSeparator();
    for (auto [caption, name] : {std::pair{"New", "SBNewSpeedButton"}, std::pair{"Open", "SBOpenSpeedButton"},
                                 std::pair{"Save", "SBSaveSpeedButton"}}) {
        QToolButton* b = button(caption, name, QString(caption) + " |");
        // A widget in a tool bar is hidden through its action.
        for (QAction* a : bar->actions())
            if (bar->widgetForAction(a) == b) a->setVisible(false);
    }
    // The "Clear Lists" menu entry sits in the Orvane menu next to the
    // traffic commands.
    QAction* clearItem = new QAction("Clear Lists", this);
    clearItem->setObjectName("OrvaneClearListsItem");
    connect(clearItem, &QAction::triggered, this, &MainForm::ClearLists);
    if (QMenu* orvane = menuBar()->findChild<QMenu*>("OrvaneMenu")) {
        orvane->insertAction(orvane->actions().value(1), clearItem);
    }
}

QWidget* MainForm::BuildStatusStrip() {
    auto* strip = new QWidget(this);
    strip->setObjectName("StatusStrip");
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    dataEntryModeLabel_ = new QLabel(strip);
    dataEntryModeLabel_->setObjectName("DataEntryModeLabel");
    scrollLockBox_ = new QCheckBox("Scroll Lock", strip);
    scrollLockBox_->setObjectName("SBScrollLockCheckBox");
    connect(scrollLockBox_, &QCheckBox::toggled, traffic_, &TrafficView::SetScrollLock);
    remoteNetworkBox_ = new QCheckBox("Remote Network", strip);
    remoteNetworkBox_->setObjectName("SBRemoteNetworkCheckBox");
    networkPathLabel_ = new QLabel("Path", strip);
    networkPathLabel_->setObjectName("SBNetworkPathLabel");
    networkPathEdit_ = new QLineEdit(strip);
    networkPathEdit_->setObjectName("SBNetworkPathEdit");
    networkPathEdit_->setMaxLength(12);
    networkPathEdit_->setMaximumWidth(120);
    // Typed characters are upper-cased as they come.
    connect(networkPathEdit_, &QLineEdit::textEdited, this, [this](const QString& t) {
        const QString upper = t.toUpper();
        if (upper != t) {
            const int pos = networkPathEdit_->cursorPosition();
            networkPathEdit_->setText(upper);
            networkPathEdit_->setCursorPosition(pos);
        }
    });
    auto remoteClick = [this](bool on) {
        networkPathEdit_->setEnabled(on);
        networkPathLabel_->setEnabled(on);
    };
    connect(remoteNetworkBox_, &QCheckBox::toggled, this, remoteClick);
    remoteClick(false);
    warningLabel_ = new QLabel(strip);
    warningLabel_->setObjectName("SBWarningLabel");
    QFont bold = warningLabel_->font();
    bold.setBold(true);
    warningLabel_->setFont(bold);
    QPalette red = warningLabel_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    warningLabel_->setPalette(red);

    row->addWidget(dataEntryModeLabel_);
    row->addSpacing(12);
    row->addWidget(scrollLockBox_);
    row->addSpacing(12);
    row->addWidget(remoteNetworkBox_);
    row->addWidget(networkPathLabel_);
    row->addWidget(networkPathEdit_);
    row->addSpacing(12);
    row->addWidget(warningLabel_, 1);
    return strip;
}

QWidget* MainForm::BuildControlPanel() {
    controlPanel_ = new QGroupBox(this);
    controlPanel_->setObjectName("ControlButtonPanel");
    auto* col = new QVBoxLayout(controlPanel_);
    col->setContentsMargins(4, 4, 4, 4);
    col->setSpacing(2);
    auto button = [&](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, controlPanel_);
        b->setObjectName(name);
        col->addWidget(b);
        return b;
    };
    button("Identify", "CtrlIdentifyButton");
    button("Set Mode", "CtrlModeButton");
    basicModeButton_ = button("Basic Mode", "CtrlBasicModeButton");
    smartModeButton_ = button("Smart Mode", "CtrlSmartModeButton");
    defaultModeButton_ = button("Default Mode", "CtrlDefaultModeButton");
    button("PCI Data", "CtrlPCIDataButton");
    button("Inst. MMI", "CtrlInstallationMMIButton");
    button("App. MMI", "CtrlApplicationMMIButton");
    levelMMIPushButton_ = button("Level MMI", "CtrlLevelMMIButton");
    col->addStretch(1);

    // The user buttons of the project files, kept hidden in this program.
    userButtonsPanel_ = new QWidget(controlPanel_);
    userButtonsPanel_->setObjectName("UserButtonsPanel");
    auto* users = new QVBoxLayout(userButtonsPanel_);
    for (int i = 1; i <= 9; ++i) {
        auto* b = new QPushButton(QString("User %1").arg(i), userButtonsPanel_);
        b->setObjectName(QString("UserButton%1").arg(i));
        SetHint(b, QString("User Button %1").arg(i));
        users->addWidget(b);
    }
    userButtonsPanel_->setVisible(false);
    col->addWidget(userButtonsPanel_);
    return controlPanel_;
}

void MainForm::BuildCommandTabs() {
    numbers_ = new NumberEntryContext(decoder_.Format(), prompts_, this);
    numbers_->SetDataEntryModeLabel(dataEntryModeLabel_);
    sink_ = std::make_unique<LinkCommandSink>(*link_);
    auto remote = [this] { return Remote(); };
    lighting_ = new LightingTab(*numbers_, sink_.get(), remote, tabs_);
    lighting_->setObjectName("LightingTabSheet");
    connect(lighting_, &LightingTab::ShowApplicationWarningChanged, this,
            [this](bool on) { options_.ShowApplicationWarning = on; });
    AddCommandTab(TabLighting, lighting_, "Lighting");
}

// ---------------------------------------------------------------- first show

void MainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void MainForm::FormShow() {
    options_ = ReadOptions(store_);
    if (ShowReleaseNotesAtStart(whatsNew_->AutoShow(), whatsNew_->SavedVersion().toStdString(),
                                VersionText().toStdString()))
        whatsNew_->show();

    traffic_->SetCombined(options_.CombineLists);
    showDecodedItem_->setChecked(options_.ShowDecodedMessage);
    showAsciiItem_->setChecked(options_.ShowASCII);
    SetDecodeOptions();
    ShowTabs();
    SetHexNumbers(options_.HexNumbers);
    wordWrapItem_->setChecked(options_.WordWrap);
    UpdateWordWrap();
    showTimeItem_->setChecked(options_.ShowTime);
    traffic_->SetShowTime(options_.ShowTime);
    ackCharItem_->setChecked(options_.AckChar);
    traffic_->SetShowDate(options_.ShowDate);
    traffic_->SetTimeDP(options_.TimeDP);
    SetFormSize();
    QCoreApplication::processEvents();
    BalanceSplit();
    if (lighting_) lighting_->SetShowApplicationWarning(options_.ShowApplicationWarning);
    SetLists();
    SetDecodeOptions();

    const CommandLineOutcome outcome = ApplyCommandLine(commandLine_, options_);
    for (const auto& error : outcome.errors) prompts_.Error(Q(error));
    loggingRequested_ = outcome.logging;
    if (outcome.startTimer) startupTimer_.start();
    emit SettingsApplied();
}

void MainForm::StartupTimerTimer() {
    startupTimer_.stop();
    autoConnecting_ = true;
    ConnectCommand();
    autoConnecting_ = false;
    if (loggingRequested_ && !Logging()) SetLogging(true);
}

// The command pages get the height they ask for while the traffic lists keep
// at least a third of the window.
int MainForm::WantedCommandHeight() const {
    int page = 0;
    for (const CommandTab& t : commandTabs_) page = std::max(page, t.page->sizeHint().height());
    return page + tabs_->tabBar()->sizeHint().height() + 16;
}

void MainForm::BalanceSplit() {
    const int total = split_->height();
    const int upper = std::max(total - WantedCommandHeight(), total / 3);
    split_->setSizes({upper, total - upper});
}

void MainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // Growing gives the lists the height, once the pages have what they want.
    if (split_ && shown_ && split_->sizes().value(1) < WantedCommandHeight()) BalanceSplit();
}

void MainForm::SetFormSize() {
    showNormal();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const Placement p = PlaceWindow(ReadGeometry(store_, "Main"), avail.width(), avail.height());
    if (p.maximised) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    resize(p.width, p.height);
    move(avail.left() + p.left, avail.top() + p.top);
}

void MainForm::SaveFormSize() {
    const QRect g = (windowState() & Qt::WindowMaximized) ? normalGeometry() : geometry();
    const QRect frame = frameGeometry();
    const int left = (windowState() & Qt::WindowMaximized) ? g.left() : frame.left();
    const int top = (windowState() & Qt::WindowMaximized) ? g.top() : frame.top();
    WriteGeometry(store_, "Main", top, left, g.width(), g.height());
}

// ---------------------------------------------------------------- shut-down

bool MainForm::FormCloseQuery() { return closeQuery_ ? closeQuery_() : true; }

void MainForm::closeEvent(QCloseEvent* event) {
    if (!shutDown_ && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    ShutDown();
    event->accept();
    if (whatsNew_ && whatsNew_->isVisible()) whatsNew_->hide();
    if (help_) help_->close();
}

void MainForm::ShutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    startupTimer_.stop();
    if (shown_) {
        WriteOptions(store_, options_);
        SaveFormSize();
        store_.Flush();
    }
    CloseLink();
    if (log_.IsOpen()) log_.Close();
}

// ---------------------------------------------------------------- traffic

void MainForm::DisplaySerialString(int direction, const QString& text) {
    traffic_->DisplaySerialString(direction, text);
}

void MainForm::LogLine(const QString& line) {
    if (!log_.IsOpen()) return;
    if (log_.LogWriteItem(line.toStdString())) {
        logWriteFailed_ = false;
        return;
    }
    // One report per failure run, not one per line of a flood.
    if (!logWriteFailed_) {
        logWriteFailed_ = true;
        ReportError(Q(log_.Error()));
    }
}

void MainForm::SetLogging(bool on) {
    if (on) {
        if (!log_.Open()) {
            logCommandsItem_->setChecked(false);
            traffic_->SetLogging(false);
            ReportError(Q(log_.Error()));
            UpdateWarningLabel();
            return;
        }
        logWriteFailed_ = false;
        if (log_.UsingFallbackFolder() && !logFolderReported_) {
            logFolderReported_ = true;
            DisplaySerialString(DirComment, "# The program's folder is not writable; traffic logs go to " +
                                                Q(log_.Folder()));
        }
    } else {
        log_.Close();
    }
    logCommandsItem_->setChecked(on);
    traffic_->SetLogging(on);
    UpdateWarningLabel();
}

bool MainForm::Logging() const { return logCommandsItem_->isChecked(); }

bool MainForm::Filtering() const { return filterItem_->isChecked(); }

void MainForm::ClearLists() { traffic_->ClearLists(); }

void MainForm::SetLists() { traffic_->SetCombined(options_.CombineLists); }

void MainForm::UpdateWordWrap() { traffic_->SetWordWrap(options_.WordWrap); }

void MainForm::UpdateWarningLabel() {
    const bool filtering = filterItem_->isChecked();
    const bool logging = logCommandsItem_->isChecked();
    QString text;
    if (filtering && logging) text = "FILTERING, LOGGING ACTIVE";
    else if (filtering) text = "FILTERING ACTIVE";
    else if (logging) text = "LOGGING ACTIVE";
    warningLabel_->setText(text);
}

void MainForm::SetDecodeOptions() {
    decodeOptions_ = options_.DecodeOptions();
    if (link_) link_->SetDecodeOptions(decodeOptions_);
}

void MainForm::SetHexNumbers(bool hex) {
    options_.HexNumbers = hex;
    hexItem_->setChecked(hex);
    // Rewrites every number list of the tabs and the data-entry-mode label.
    if (numbers_) numbers_->SetHexAndUpdateAllCombos(hex);
    else decoder_.Format().hex = hex;
    UpdateDataEntryModeLabel();
    emit NumberBaseChanged(hex);
}

void MainForm::UpdateDataEntryModeLabel() {
    const bool hex = options_.HexNumbers;
    dataEntryModeLabel_->setText(NumberEntryContext::DataEntryModeText(hex));
    QPalette pal = dataEntryModeLabel_->palette();
    pal.setColor(QPalette::WindowText, NumberEntryContext::DataEntryModeColour(hex));
    dataEntryModeLabel_->setPalette(pal);
}

RemoteNetwork MainForm::Remote() const {
    return RemoteNetwork{remoteNetworkBox_->isChecked(), networkPathEdit_->text().toStdString()};
}

// The same rule as the command headers use, so a path the tabs refuse is
// refused here too.
bool MainForm::CheckRemoteNetworkPath() {
    if (orvane::CheckRemoteNetworkPath(Remote())) return true;
    prompts_.Error(kInvalidRemoteNetworkPathText);
    return false;
}

QString MainForm::RemoteNetworkPath() const {
    return remoteNetworkBox_->isChecked() ? networkPathEdit_->text() : QString();
}

void MainForm::SetProjectFileName(const QString& name) {
    projectFileName_ = name;
    MainFormUpdateCaption();
}

void MainForm::MainFormUpdateCaption() {
    QString caption = kApplicationTitle;
    const QString where = LinkDescription();
    if (!where.isEmpty()) caption += " - " + where;
    if (!projectFileName_.isEmpty()) caption += "    [" + QFileInfo(projectFileName_).fileName().toUpper() + "]";
    setWindowTitle(caption);
}

void MainForm::EnableItems() {
    const bool found = InterfaceFound();
    const bool v4 = found && state_.PciVersion >= 0x400;
    for (QAction* a : foundItems_) a->setEnabled(found);
    for (QWidget* w : controlPanel_->findChildren<QWidget*>()) w->setEnabled(found);
    for (const CommandTab& t : commandTabs_) t.page->setEnabled(found);
    levelMMIItem_->setEnabled(v4);
    levelMMIPushButton_->setEnabled(v4);
    analyserItem_->setEnabled(v4);
    const bool open = LinkOpen();
    connectItem_->setChecked(open);
    connectButton_->setChecked(open);
    emit ItemsEnabled(found);
}

// ---------------------------------------------------------------- tabs

void MainForm::AddCommandTab(int tabIndex, QWidget* page, const QString& caption) {
    // A page scrolls when the window is too low for it, so the traffic lists
    // keep their room on small screens.
    auto* scroll = new QScrollArea(tabs_);
    scroll->setObjectName(page->objectName() + "Scroll");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    commandTabs_.push_back({tabIndex, page, scroll, caption});
    tabs_->addTab(scroll, caption);
    if (tabs_->count() == 1) tabs_->setCurrentIndex(0);
    page->setEnabled(InterfaceFound());
    ShowTabs();
}

void MainForm::ShowTabs() {
    for (int i = 0; i < TabCount; ++i) {
        showTabItems_[i]->setChecked(options_.ShowTab[i]);
        popupTabItems_[i]->setChecked(options_.ShowTab[i]);
    }
    for (const CommandTab& t : commandTabs_) {
        const int at = tabs_->indexOf(t.holder);
        if (at >= 0) tabs_->setTabVisible(at, options_.ShowTab[t.index] && !IsHiddenTab(t.index));
    }
}

void MainForm::ToggleTab(int tabIndex) {
    options_.ShowTab[tabIndex] = !options_.ShowTab[tabIndex];
    ShowTabs();
}

// ---------------------------------------------------------------- keys, top

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    // The Scroll Lock key toggles the box wherever the focus is in the window.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == kScrollLockKey) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && (w == this || isAncestorOf(w)) && !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
            scrollLockBox_->toggle();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainForm::SetAlwaysOnTop(bool on) {
    const QRect g = geometry();
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) {
        setGeometry(g);
        show();
    }
}

void MainForm::ReportError(const QString& text) { prompts_.Error(text); }

// ---------------------------------------------------------------- commands

void MainForm::InterpretCommand() {
    auto answer = prompts_.Input("Interpret Command", "Command :", QString());
    if (!answer) return;
    const QString line = answer->trimmed();
    if (line.isEmpty()) return;
    const std::string sentence = decoder_.DecodeMessageSmart(line.toLatin1().toStdString(), 15);
    if (sentence.empty()) prompts_.Inform("Message could not be decoded");
    else prompts_.Inform("Message = " + Q(sentence));
}

void MainForm::ApplicationSupport() { prompts_.Inform(Q(ApplicationSupportText(decoder_.Format()))); }

void MainForm::InsertComment() {
    auto answer = prompts_.Input("Log Comment", "Comment :", QString());
    if (!answer) return;
    const QString text = answer->trimmed();
    if (!text.isEmpty()) DisplaySerialString(DirReceived, "## : " + text);
}

QPrinter* MainForm::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return printer_.get();
}

void MainForm::PrintLists() {
    PrintForm form(*traffic_, options_.CombineLists, projectFileName_, this);
    QPrinter* printer = Printer();
    // Without a printer the job goes to a PDF file the user names each time.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        auto name = prompts_.SaveFile("Print to PDF File", QDir::homePath(), {"PDF Files (*.pdf)"});
        if (!name) return;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(*name);
    }
    form.SetPrinter(printer);
    connect(&form, &PrintForm::HelpRequested, this, &MainForm::ShowHelpContents);
    form.exec();
}

void MainForm::ShowHelpContents(int context) {
    if (!help_) help_ = new HelpWindow(this);
    help_->ShowContext(context);
}

void MainForm::ShowWhatsNew() { whatsNew_->show(); whatsNew_->raise(); }

void MainForm::ShowAbout() {
    prompts_.Message(MessageKind::Information, "About " + QString(kApplicationTitle),
                     QString(kApplicationTitle) + "\nVersion " + VersionText() +
                         "\n\nA development and diagnostic workbench for the Orvane field bus."
                         "\nSupported interface firmware: 3.00 and later; interface commands from 4.00."
                         "\n\nVeldane Integrated Systems",
                     Buttons::Ok);
}

void MainForm::ShowProgramOptions() {
    optionsForm_->Load(options_, LinkOpen(), AvailablePortNames());
    if (optionsForm_->exec() == QDialog::Accepted) ApplyProgramOptions(optionsForm_->Result(options_, LinkOpen()));
}

void MainForm::ApplyProgramOptions(const Options& chosen) {
    const bool combineChanged = chosen.CombineLists != options_.CombineLists;
    options_ = chosen;
    if (combineChanged) {
        SetLists();
        ClearLists();
    }
    traffic_->SetShowDate(options_.ShowDate);
    traffic_->SetTimeDP(options_.TimeDP);
    SetDecodeOptions();
    ShowTabs();
}

}  // namespace orvane

// ---------------------------------------------------------------- link
namespace orvane {

bool MainForm::InterfaceFound() const { return link_ && link_->InterfaceFound(); }
bool MainForm::LinkOpen() const { return link_ && link_->Connected(); }
QString MainForm::LinkDescription() const { return LinkOpen() ? link_->LinkName() : QString(); }
void MainForm::CloseLink() {
    if (link_) link_->CommsClose();
}

// The receive and send paths: every completed line passes its consumers in
// this order (filter, display and log, decoder, error history, analyser,
// MMI, response collector); the slots of later windows stay empty here.
void MainForm::WireLink() {
    link_ = std::make_unique<Link>(state_, decoder_, &prompts_);
    LineConsumers consumers;
    consumers.display = [this](TrafficDirection direction, const QString& text) {
        DisplaySerialString(static_cast<int>(direction), text);
    };
    link_->SetConsumers(std::move(consumers));
    ConnectSteps steps;
    steps.clearLists = [this] { ClearLists(); };
    link_->SetConnectSteps(std::move(steps));
    connect(link_.get(), &Link::linkStateChanged, this, [this] {
        MainFormUpdateCaption();
        EnableItems();
    });
    connect(this, &MainForm::ShowAsciiChanged, link_.get(), [this](bool on) { link_->SetShowAscii(on); });
    connect(this, &MainForm::AckCharChanged, link_.get(), [this](bool on) { link_->SetUseAckChars(on); });
    connect(showDecodedItem_, &QAction::toggled, link_.get(), [this](bool on) { link_->SetShowDecodedMessage(on); });
    connect(basicModeButton_, SIGNAL(clicked()), this, SLOT(CtrlBasicModeButtonClick()));
    connect(smartModeButton_, SIGNAL(clicked()), this, SLOT(CtrlSmartModeButtonClick()));
    connect(defaultModeButton_, SIGNAL(clicked()), this, SLOT(CtrlDefaultModeButtonClick()));
    auto repair = [this] { link_->RepairSerialRate(); };
    connect(repairButton_, &QToolButton::clicked, this, repair);
    if (auto* item = findChild<QAction*>("OrvaneRepairPCIwithbadBaudRateItem"))
        connect(item, &QAction::triggered, this, repair);
}

void MainForm::CtrlBasicModeButtonClick() { link_->SetBasicMode(); }
void MainForm::CtrlSmartModeButtonClick() { link_->SetSmartMode(); }
void MainForm::CtrlDefaultModeButtonClick() { link_->SetDefaultMode(); }

void MainForm::SyncLink() {
    LinkSettings s;
    s.connectionType = options_.ConnectionType == 1 ? ConnectionType::Tcp : ConnectionType::Serial;
    s.COMPort = Q(options_.COMPort);
    s.IPAddress = Q(options_.IPAddress);
    s.Port = options_.Port;
    s.UseTZLHandshake = options_.UseTZLHandshake;
    link_->SetSettings(s);
    link_->SetShowAscii(options_.ShowASCII);
    link_->SetShowDecodedMessage(options_.ShowDecodedMessage);
    link_->SetDecodeOptions(decodeOptions_);
    link_->SetUseAckChars(options_.AckChar);
}

void MainForm::ConnectCommand() {
    SyncLink();
    link_->SetAutoConnecting(autoConnecting_);
    link_->ConnectCommand();
    MainFormUpdateCaption();
    EnableItems();
}

QStringList MainForm::AvailablePortNames() const {
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) names << info.systemLocation();
    return names;
}

}  // namespace orvane

// The main window on the offscreen platform: start-up from the settings and
// the command line, the status texts, enabling by connection state and
// interface version against the simulator, and the settings written at exit.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>

#include "link/Link.h"
#include "shell/Application.h"
#include "shell/CommandLine.h"
#include "shell/MainForm.h"
#include "shell/QtSettingsStore.h"
#include "shell/WhatsNewForm.h"
#include "support/SimProcess.h"
#include "support/Wait.h"
#include "ui/Prompts.h"

using namespace orvane;
using orvane::test::SimProcess;
using orvane::test::WaitFor;

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QStringList& l, std::ostream* os) { *os << '{' << l.join("|").toStdString() << '}'; }

namespace {

// A window over a settings file of its own, with scripted answers.
struct Harness {
    QTemporaryDir dir;
    std::unique_ptr<QtSettingsStore> store;
    ScriptedPrompts prompts;
    std::unique_ptr<MainForm> window;

    QString IniFile() const { return dir.filePath("settings.ini"); }
    void Open(std::vector<std::string> args = {}) {
        store = std::make_unique<QtSettingsStore>(IniFile());
        window = std::make_unique<MainForm>(*store, prompts, std::move(args));
        window->Log().SetFolders({dir.path().toStdString()});
        window->show();
        QCoreApplication::processEvents();
    }
    void Close() {
        window->close();
        window.reset();
        store.reset();
    }
    QString Stored(const QString& key) const { return QSettings(IniFile(), QSettings::IniFormat).value(key).toString(); }
    void Store(const QString& key, const QString& value) {
        QSettings s(IniFile(), QSettings::IniFormat);
        s.setValue(key, value);
    }
    template <class T>
    T* Find(const QString& name) const {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
};

TEST(MainWindow, StartsWithItsTitleAndEverythingThatNeedsAnInterfaceDisabled) {
    Harness h;
    h.Open();
    EXPECT_EQ(h.window->windowTitle(), "Orvane Diagnostic Utility");
    EXPECT_FALSE(h.Find<QAction>("OrvaneSetModeItem")->isEnabled());
    EXPECT_FALSE(h.Find<QAction>("OrvaneLevelMMIItem")->isEnabled());
    EXPECT_FALSE(h.Find<QPushButton>("CtrlIdentifyButton")->isEnabled());
    EXPECT_FALSE(h.Find<QWidget>("LightingTabSheet")->isEnabled());
    EXPECT_TRUE(h.Find<QAction>("OrvaneInterpretCommand")->isEnabled());
    EXPECT_EQ(h.Find<QLabel>("DataEntryModeLabel")->text(), "Data Entry Mode: DECIMAL");
    EXPECT_FALSE(h.Find<QAction>("FileNewItem")->isVisible());
    EXPECT_FALSE(h.Find<QAction>("FileExecuteFileItem")->isVisible());
    // The EEPROM and RAM reads and the unit type commands stay hidden.
    for (const char* name : {"OrvaneGetEEPROMDataItem", "OrvaneGetRAMContentsItem"})
        EXPECT_FALSE(h.Find<QAction>(name)->isVisible()) << name;
    QMenu* unitType = h.Find<QMenu>("OrvaneUnitTypeItem");
    EXPECT_EQ(unitType->title(), "Unit Type");
    EXPECT_FALSE(unitType->menuAction()->isVisible());
    EXPECT_EQ(h.Find<QAction>("OrvaneReadUnitTypeItem")->text(), "Read");
    EXPECT_EQ(h.Find<QAction>("OrvaneSetUnitTypeItem")->text(), "Set...");
    EXPECT_EQ(h.Find<QWidget>("SBConnectSpeedButton")->property("hint").toString(), "Connect / Disconnect |");
}

struct CommandLineCase {
    const char* name;
    std::vector<std::string> args;
    QStringList messages;
    bool timer;
};

class StartupCommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(StartupCommandLine, ErrorBoxesAndTheStartupTimer) {
    const auto& c = GetParam();
    Harness h;
    h.Open(c.args);
    EXPECT_EQ(h.prompts.MessageTexts(), c.messages);
    EXPECT_EQ(h.window->StartupTimer().isActive(), c.timer);
    EXPECT_EQ(h.window->StartupTimer().interval(), 500);
    h.window->StartupTimer().stop();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartupCommandLine,
    ::testing::Values(
        CommandLineCase{"AutoconnectAlone", {"/autoconnect"}, {kAutoconnectError}, false},
        CommandLineCase{"Both", {"/serial=COM3", "/TCPIP=1.2.3.4:5", "/autoconnect"}, {kBothLinksError}, false},
        CommandLineCase{"TcpipWithoutPort", {"/tcpip=10.1.1.1", "/autoconnect"}, {kTcpipFormatError}, false},
        CommandLineCase{"SerialAutoconnect", {"/SERIAL=COM3", "/autoconnect"}, {}, true},
        CommandLineCase{"LoggingWithoutAutoconnect", {"/tcpip=10.1.1.1:14000", "/logging"}, {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MainWindow, SettingsWrittenAtExitAreReadAtTheNextStart) {
    Harness h;
    h.Store("WhatsNew/AutoShow", "0");
    h.Store("WhatsNew/VersionNumber", MainForm::VersionText());
    h.Open({"/tcpip=127.0.0.1:41000"});
    EXPECT_FALSE(h.window->WhatsNew()->isVisible());
    h.Find<QAction>("OptionsHexadecimalNumbersItem")->trigger();
    h.Find<QAction>("OptionsShowTimeItem")->trigger();
    Options chosen = h.window->Settings();
    chosen.ShowMessage = false;
    chosen.ShowNetwork = true;
    chosen.TimeDP = 2;
    chosen.CombineLists = false;
    h.window->ApplyProgramOptions(chosen);
    EXPECT_EQ(h.window->DecodeOptions(), 0x02) << "Show Message off takes effect at once";
    h.Close();

    EXPECT_EQ(h.Stored("Options/IPAddress"), "127.0.0.1");
    EXPECT_EQ(h.Stored("Options/Port"), "41000");
    EXPECT_EQ(h.Stored("Options/ConnectionType"), "1");
    EXPECT_EQ(h.Stored("Options/HexNumbers"), "1");
    EXPECT_EQ(h.Stored("Options/ShowTime"), "0");
    EXPECT_EQ(h.Stored("Options/ShowMessage"), "0");
    EXPECT_EQ(h.Stored("Options/TimeDP"), "2");
    EXPECT_FALSE(h.Stored("Forms/Main/Width").isEmpty());

    h.Open();
    const Options& back = h.window->Settings();
    EXPECT_EQ(back.IPAddress, "127.0.0.1");
    EXPECT_EQ(back.Port, 41000);
    EXPECT_TRUE(back.HexNumbers);
    EXPECT_FALSE(back.ShowTime);
    EXPECT_FALSE(back.CombineLists);
    EXPECT_TRUE(back.ShowMessage) << "Show Message is on again at each start";
    EXPECT_EQ(h.window->DecodeOptions(), 0x0A);
    EXPECT_EQ(h.Find<QLabel>("DataEntryModeLabel")->text(), "Data Entry Mode: HEXADECIMAL");
    EXPECT_TRUE(h.Find<QAction>("OptionsHexadecimalNumbersItem")->isChecked());
    EXPECT_EQ(h.Find<QLabel>("TransmitHeaderPanel")->text(), "Transmit Data");
}

TEST(MainWindow, ReleaseNotesOpenUntilHiddenWithShowOnStartUpCleared) {
    Harness h;
    h.Open();
    ASSERT_TRUE(h.window->WhatsNew()->isVisible()) << "nothing stored: AutoShow defaults to on";
    h.window->WhatsNew()->AutoShowCheckBox()->setChecked(false);
    h.window->WhatsNew()->hide();
    EXPECT_EQ(h.Stored("WhatsNew/AutoShow"), "0");
    EXPECT_EQ(h.Stored("WhatsNew/VersionNumber"), MainForm::VersionText());
    h.Close();
    h.Open();
    EXPECT_FALSE(h.window->WhatsNew()->isVisible());
}

TEST(MainWindow, ASavedSizeLargerThanTheScreenOpensMaximised) {
    Harness h;
    h.Store("Forms/Main/Width", "20000");
    h.Open();
    EXPECT_TRUE(h.window->isMaximized());
}

TEST(MainWindow, WarningLabelFollowsFilterAndLogging) {
    Harness h;
    h.Open();
    auto* label = h.Find<QLabel>("SBWarningLabel");
    auto* filter = h.Find<QAction>("OptionsFilterMessagesItem");
    EXPECT_EQ(label->text(), "");
    h.window->SetLogging(true);
    EXPECT_EQ(label->text(), "LOGGING ACTIVE");
    filter->setChecked(true);
    EXPECT_EQ(label->text(), "FILTERING, LOGGING ACTIVE");
    h.window->SetLogging(false);
    EXPECT_EQ(label->text(), "FILTERING ACTIVE");
    filter->setChecked(false);
    EXPECT_EQ(label->text(), "");
}

TEST(MainWindow, FilterMessagesIsCheckedByTheDialogsAnswerNotByTheClick) {
    Harness h;
    h.Open();
    auto* item = h.Find<QAction>("OptionsFilterMessagesItem");
    item->trigger();
    EXPECT_FALSE(item->isChecked()) << "no dialog, no filter";
    std::optional<bool> answer = true;
    h.window->SetFilterDialog([&] { return answer; });
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(h.Find<QLabel>("SBWarningLabel")->text(), "FILTERING ACTIVE");
    answer = std::nullopt;  // Cancel leaves it as it was
    item->trigger();
    EXPECT_TRUE(item->isChecked());
    answer = false;  // the empty criteria
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(h.Find<QLabel>("SBWarningLabel")->text(), "");
}

TEST(MainWindow, LoggedLinesCarryTheirDirectionAndReachTheFileAtOnce) {
    Harness h;
    h.Store("Options/CombineLists", "0");
    h.Store("Options/ShowTime", "0");
    h.Open();
    h.window->SetLogging(true);
    h.window->DisplaySerialString(DirSent, "\\0538007905<CR>");
    h.window->DisplaySerialString(DirReceived, "g.");
    QFile f(QString::fromStdString(h.window->Log().FileName()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Tx : \\0538007905<CR>\r\nRx : g.\r\n"));
    EXPECT_EQ(h.window->Traffic()->TransmitLines(), QStringList{"\\0538007905<CR>"});
}

TEST(MainWindow, LoggingToAFolderThatCannotTakeItIsReportedAndUnticked) {
    Harness h;
    h.Open();
    QFile(h.dir.filePath("plain")).open(QIODevice::WriteOnly);
    h.window->Log().SetFolders({h.dir.filePath("plain").toStdString()});
    h.window->SetLogging(true);
    EXPECT_FALSE(h.window->Logging());
    ASSERT_EQ(h.prompts.MessageTexts().size(), 1);
    EXPECT_EQ(h.prompts.asked.back().kind, MessageKind::Error);
}

TEST(MainWindow, TheFallbackLogFolderIsNamedOnceInTheList) {
    Harness h;
    h.Open();
    QFile(h.dir.filePath("plain")).open(QIODevice::WriteOnly);
    h.window->Log().SetFolders({h.dir.filePath("plain").toStdString(), h.dir.path().toStdString()});
    h.window->SetLogging(true);
    h.window->SetLogging(false);
    h.window->SetLogging(true);
    const QStringList lines = h.window->Traffic()->TransmitLines();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].contains(h.dir.path())) << lines[0].toStdString();
}

TEST(MainWindow, InterpretCommandAndApplicationSupport) {
    Harness h;
    h.Open();
    h.prompts.texts = {QString("\\0538007905"), QString("  zz  "), std::nullopt, QString("   ")};
    for (int i = 0; i < 4; ++i) h.window->InterpretCommand();
    const QStringList shown = h.prompts.MessageTexts();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].startsWith("Message = ")) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains("On")) << shown[0].toStdString();
    EXPECT_EQ(shown[1], "Message could not be decoded");
    EXPECT_EQ(h.prompts.asked[0].title, "Interpret Command");
    EXPECT_EQ(h.prompts.asked[0].text, "Command :");

    h.prompts.asked.clear();
    h.window->SetHexNumbers(true);
    h.window->ApplicationSupport();
    const QString listing = h.prompts.MessageTexts().value(0);
    EXPECT_TRUE(listing.startsWith("Applications Supported by this version :"));
    EXPECT_TRUE(listing.contains("\r  30-5F  Lighting"));
}

TEST(MainWindow, AnOddRemoteNetworkPathIsRefused) {
    Harness h;
    h.Open();
    auto* box = h.Find<QCheckBox>("SBRemoteNetworkCheckBox");
    auto* path = h.Find<QLineEdit>("SBNetworkPathEdit");
    EXPECT_FALSE(path->isEnabled());
    EXPECT_TRUE(h.window->CheckRemoteNetworkPath());
    box->setChecked(true);
    EXPECT_TRUE(path->isEnabled());
    const std::pair<const char*, bool> paths[] = {
        {"0A1", false}, {"", false}, {"0G", false}, {"0A 1", false}, {"0A12", true}, {"010203040506", true}};
    for (auto [text, ok] : paths) {
        h.prompts.asked.clear();
        path->setText(text);
        EXPECT_EQ(h.window->CheckRemoteNetworkPath(), ok) << text;
        EXPECT_EQ(h.prompts.MessageTexts(), ok ? QStringList{} : QStringList{"Invalid Remote Network Path."}) << text;
    }
    box->setChecked(false);
    path->setText("0A1");
    EXPECT_TRUE(h.window->CheckRemoteNetworkPath()) << "an unticked box ignores the path";
}

TEST(MainWindow, TheScrollLockKeyTogglesTheBoxWhereverTheFocusIs) {
    Harness h;
    h.Open();
    auto* box = h.Find<QCheckBox>("SBScrollLockCheckBox");
    QWidget* inner = h.Find<QLineEdit>("SBNetworkPathEdit");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_ScrollLock, Qt::NoModifier);
    QApplication::sendEvent(inner, &press);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(h.window->Traffic()->ScrollLock());
    QApplication::sendEvent(h.window.get(), &press);
    EXPECT_FALSE(box->isChecked());
}

TEST(MainWindow, ShowTabsTogglesTheTabAndItsCheckMarks) {
    Harness h;
    h.Open();
    QTabWidget* tabs = h.window->CommandTabs();
    const int at = tabs->indexOf(h.Find<QWidget>("LightingTabSheetScroll"));
    ASSERT_GE(at, 0);
    EXPECT_TRUE(tabs->isTabVisible(at));
    h.Find<QAction>("ApplicationsPopup0Item")->trigger();
    EXPECT_FALSE(tabs->isTabVisible(at));
    EXPECT_FALSE(h.Find<QAction>("ShowTabs0Item")->isChecked());
    h.Find<QAction>("ShowTabs0Item")->trigger();
    EXPECT_TRUE(tabs->isTabVisible(at));
    EXPECT_FALSE(h.Find<QAction>("ShowTabs3Item")->isVisible()) << "Scene Management stays hidden";
}

TEST(MainWindow, InsertCommentAndSetFontGoThroughThePrompts) {
    Harness h;
    h.Store("Options/ShowTime", "0");
    h.Open();
    h.prompts.texts = {QString("  lamp 3 flickers  "), QString("")};
    h.window->InsertComment();
    h.window->InsertComment();
    EXPECT_EQ(h.window->Traffic()->TransmitLines(), QStringList{"## : lamp 3 flickers"});
    EXPECT_EQ(h.prompts.asked[0].title, "Log Comment");
    EXPECT_EQ(h.prompts.asked[0].text, "Comment :");

    QFont chosen("Monospace", 17);
    h.prompts.fonts = {chosen};
    h.Find<QAction>("FontSetPopupItem")->trigger();
    EXPECT_EQ(h.window->Traffic()->TransmitMemo()->font().pointSize(), 17);
    EXPECT_EQ(h.window->Traffic()->ReceiveMemo()->font().pointSize(), 17);
}

// An error that reaches the event loop is shown, and the loop goes on.
TEST(GeneralErrorReport, ShowsWhatReachedTheEventLoop) {
    struct Thrower : QObject {
        bool event(QEvent* e) override {
            if (e->type() == QEvent::User) throw std::runtime_error("Cannot write C:\\log.txt");
            return QObject::event(e);
        }
    } thrower;
    QStringList reported;
    auto* app = qobject_cast<Application*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    app->SetErrorReport([&](const QString& t) { reported << t; });
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    app->SetErrorReport({});
    EXPECT_EQ(reported, QStringList{"Cannot write C:\\log.txt"});
}

struct VersionCase {
    const char* name;
    const char* version;
    bool levelMMI;
};

class EnableItemsAgainstTheSimulator : public ::testing::TestWithParam<VersionCase> {};

TEST_P(EnableItemsAgainstTheSimulator, ByConnectionStateAndVersion) {
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--tcp", "0", "--version", GetParam().version})) << sim.Error().toStdString();
    Harness h;
    h.Store("WhatsNew/AutoShow", "0");
    h.Store("WhatsNew/VersionNumber", MainForm::VersionText());
    h.Open({"/tcpip=127.0.0.1:" + std::to_string(sim.TcpPort()), "/autoconnect"});
    ASSERT_TRUE(WaitFor([&] { return h.window->InterfaceFound() && !h.window->StartupTimer().isActive(); }, 20000));
    // The sequence ends with the lists cleared; give it its time.
    ASSERT_TRUE(WaitFor([&] { return h.Find<QPushButton>("CtrlIdentifyButton")->isEnabled(); }, 20000));
    EXPECT_TRUE(h.prompts.MessageTexts().isEmpty()) << h.prompts.MessageTexts().join("|").toStdString();
    EXPECT_TRUE(h.Find<QAction>("OrvaneSetModeItem")->isEnabled());
    EXPECT_TRUE(h.Find<QWidget>("LightingTabSheet")->isEnabled());
    EXPECT_EQ(h.Find<QAction>("OrvaneLevelMMIItem")->isEnabled(), GetParam().levelMMI);
    EXPECT_EQ(h.Find<QAction>("OrvaneTrafficAnalyserItem")->isEnabled(), GetParam().levelMMI);
    EXPECT_EQ(h.Find<QPushButton>("CtrlLevelMMIButton")->isEnabled(), GetParam().levelMMI);
    EXPECT_TRUE(h.window->windowTitle().startsWith("Orvane Diagnostic Utility - ")) << h.window->windowTitle().toStdString();
    EXPECT_TRUE(h.Find<QAction>("OrvaneConnecttoOrvaneItem")->isChecked());

    h.window->ConnectCommand();  // disconnect
    EXPECT_FALSE(h.window->InterfaceFound());
    EXPECT_FALSE(h.Find<QPushButton>("CtrlIdentifyButton")->isEnabled());
    EXPECT_FALSE(h.Find<QWidget>("LightingTabSheet")->isEnabled());
    EXPECT_FALSE(h.Find<QAction>("OrvaneLevelMMIItem")->isEnabled());
    EXPECT_EQ(h.window->windowTitle(), "Orvane Diagnostic Utility");
}

INSTANTIATE_TEST_SUITE_P(Versions, EnableItemsAgainstTheSimulator,
                         ::testing::Values(VersionCase{"Below400", "3.12.00", false},
                                           VersionCase{"From400", "4.10.00", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

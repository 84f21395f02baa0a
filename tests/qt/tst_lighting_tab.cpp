// The Lighting tab through a recording sink: its controls, defaults and
// enabling rules, what each button sends, the sweeps, continuous sending and
// its full-speed pacing, the application warning and the mode switch.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "generators/LightingTab.h"
#include "ui/NumberCombo.h"
#include "ui/Prompts.h"

using namespace orvane;

namespace {

struct Sent {
    std::string line;
    bool forceAck;
    qint64 ms;
};

// Records what the tab sends; the acknowledgement flag is set by the test,
// as the receive path would.
class RecordingSink : public CommandSink {
public:
    std::vector<Sent> sent;
    bool confirmed = true;
    QElapsedTimer clock;
    RecordingSink() { clock.start(); }
    void SendOrvaneCommand(const std::string& line, bool forceAck) override {
        sent.push_back({line, forceAck, clock.elapsed()});
        confirmed = false;
    }
    bool SendConfirmed() const override { return confirmed; }
    void SetSendConfirmed(bool c) override { confirmed = c; }
    std::vector<std::string> Lines() const {
        std::vector<std::string> l;
        for (const auto& s : sent) l.push_back(s.line);
        return l;
    }
};

class LightingTabTest : public ::testing::Test {
public:
    NumberFormat format;
    ScriptedPrompts prompts;
    NumberEntryContext numbers{format, prompts};
    RecordingSink sink;
    RemoteNetwork remote;
    LightingTab tab{numbers, &sink, [this] { return remote; }};

    template <typename T>
    T* Find(const char* name) {
        T* w = tab.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    NumberCombo* Combo(const char* name) { return Find<NumberCombo>(name); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    QRadioButton* Radio(const char* name) { return Find<QRadioButton>(name); }
    QCheckBox* Check(const char* name) { return Find<QCheckBox>(name); }
    QComboBox* List(const char* name) { return Find<QComboBox>(name); }

    void Choose(const char* combo, int value) { ASSERT_TRUE(Combo(combo)->SelectValue(value)) << combo; }
};

QStringList Items(const QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}

}  // namespace

TEST_F(LightingTabTest, ControlsDefaultsAndHiddenControls) {
    EXPECT_EQ(Combo("LightingAppComboBox")->currentText(), "56");
    EXPECT_EQ(Combo("LightingAppComboBox")->count(), 256);
    EXPECT_EQ(Combo("LightingGroupComboBox")->currentText(), "0");
    EXPECT_EQ(Find<QGroupBox>("LightingDestinationGroupBox")->title(), "Destination");
    EXPECT_EQ(Find<QGroupBox>("LightingCommandGroupBox")->title(), "Command");

    struct Caption { const char* name; const char* text; bool checked; };
    for (const Caption c : {Caption{"LightingRampRadioButton", "Ramp to", true}, Caption{"LightingOnRadioButton", "On", false},
                            Caption{"LightingOffRadioButton", "Off", false},
                            Caption{"LightingLrnInitRelayRadioButton", "Lrn Init Relay", false},
                            Caption{"LightingLrnInitDimmerRadioButton", "Lrn Init Dimmer", false},
                            Caption{"LightingLrnExitRelayRadioButton", "Lrn Exit Relay", false},
                            Caption{"LightingLrnExitDimmerRadioButton", "Lrn Exit Dimmer", false},
                            Caption{"LightingLrnCancelRadioButton", "Lrn Cancel", false},
                            Caption{"LightingLevelPercentRadioButton", "%", true},
                            Caption{"LightingLevelLevelRadioButton", "Level", false}}) {
        EXPECT_EQ(Radio(c.name)->text(), c.text);
        EXPECT_EQ(Radio(c.name)->isChecked(), c.checked) << c.name;
    }
    for (const Caption c : {Caption{"LightingToggleCheckBox", "Continuously Toggle", false},
                            Caption{"LightingRandomCheckBox", "Random", false},
                            Caption{"LightingRandomRunCheckBox", "Run", false}}) {
        EXPECT_EQ(Check(c.name)->text(), c.text);
        EXPECT_FALSE(Check(c.name)->isChecked()) << c.name;
    }
    for (const Caption c : {Caption{"LightingAllOnButton", "All On", false}, Caption{"LightingAllOffButton", "All Off", false},
                            Caption{"LightingSendButton", "&Send", false},
                            Caption{"LightingTerminateRampButton", "&Term. Ramp", false}})
        EXPECT_EQ(Button(c.name)->text(), c.text);

    auto* level = Combo("LightingLevelComboBox");
    EXPECT_EQ(level->count(), 101);
    EXPECT_EQ(level->currentText(), "0");
    auto* rates = List("LightingRampRateComboBox");
    EXPECT_EQ(rates->count(), 16);
    EXPECT_EQ(rates->currentText(), "instantaneously");
    EXPECT_EQ(rates->itemText(15), "over 17 minutes");
    const QStringList speeds{"Slow Speed (3 seconds)", "Medium Speed (1 second)", "Fast Speed (300 ms)", "Full Speed"};
    for (const char* name : {"LightingToggleSpeedComboBox", "LightingSpeedComboBox"}) {
        EXPECT_EQ(Items(List(name)), speeds);
        EXPECT_EQ(List(name)->currentText(), "Medium Speed (1 second)");
    }
    EXPECT_EQ(Items(List("LightingCommandTypeComboBox")),
              (QStringList{"On & Off", "On, Off & Ramp", "On, Off, Ramp & Concatenated"}));
    EXPECT_EQ(List("LightingCommandTypeComboBox")->currentIndex(), 2);
    EXPECT_EQ(Combo("LightingRandomAppComboBox1")->Value(), 0x38);
    EXPECT_EQ(Combo("LightingRandomAppComboBox2")->Value(), 0x38);
    EXPECT_EQ(Combo("LightingRandomGAComboBox1")->Value(), 0);
    EXPECT_EQ(Combo("LightingRandomGAComboBox2")->Value(), 255);
    auto* timer = Find<QTimer>("LightingRunTimer");
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);

    // Random traffic and the learn commands are not offered.
    for (const char* name : {"LightingRandomCheckBox", "LightingLrnInitRelayRadioButton", "LightingLrnInitDimmerRadioButton",
                             "LightingLrnExitRelayRadioButton", "LightingLrnExitDimmerRadioButton",
                             "LightingLrnCancelRadioButton", "LightingRandomPanel"})
        EXPECT_TRUE(Find<QWidget>(name)->isHidden()) << name;
    EXPECT_FALSE(Button("LightingSendButton")->isHidden());

    EXPECT_FALSE(tab.AutoSendRunning());
    EXPECT_FALSE(tab.FullSpeedMode());
    EXPECT_EQ(tab.ConfirmWaitTicks(), 0);
}

TEST_F(LightingTabTest, SendBuildsTheChosenCommand) {
    using Setup = std::function<void(LightingTabTest&)>;
    struct Row { const char* what; Setup setup; const char* line; };
    const Row rows[] = {
        {"on", [](LightingTabTest& t) { t.Choose("LightingGroupComboBox", 5); t.Radio("LightingOnRadioButton")->click(); },
         "\\0538007905"},
        {"off", [](LightingTabTest& t) { t.Choose("LightingGroupComboBox", 5); t.Radio("LightingOffRadioButton")->click(); },
         "\\0538000105"},
        {"ramp 50% over 4 s",
         [](LightingTabTest& t) {
             t.Choose("LightingGroupComboBox", 0x10);
             t.Choose("LightingLevelComboBox", 50);
             t.List("LightingRampRateComboBox")->setCurrentIndex(1);
         },
         "\\0538000A107F"},
        {"ramp level 128",
         [](LightingTabTest& t) {
             t.Radio("LightingLevelLevelRadioButton")->click();
             t.Choose("LightingLevelComboBox", 128);
         },
         "\\0538000200" "80"},
        {"learn init dimmer",
         [](LightingTabTest& t) { t.Choose("LightingGroupComboBox", 5); t.Radio("LightingLrnInitDimmerRadioButton")->setChecked(true); },
         "\\05380003" "0205F9"},
        {"remote", [](LightingTabTest& t) { t.remote = {true, "0102"}; t.Radio("LightingOnRadioButton")->click(); },
         "\\03011202387900"},
        {"other app", [](LightingTabTest& t) { t.Choose("LightingAppComboBox", 0x39); t.Radio("LightingOffRadioButton")->click(); },
         "\\0539000100"},
    };
    for (const auto& r : rows) {
        LightingTabTest* self = this;
        sink.sent.clear();
        remote = {};
        Choose("LightingAppComboBox", 0x38);
        Choose("LightingGroupComboBox", 0);
        Radio("LightingLevelPercentRadioButton")->click();
        Radio("LightingRampRadioButton")->click();
        List("LightingRampRateComboBox")->setCurrentIndex(0);
        r.setup(*self);
        Button("LightingSendButton")->click();
        ASSERT_EQ(sink.Lines(), std::vector<std::string>{r.line}) << r.what;
        EXPECT_FALSE(sink.sent[0].forceAck) << r.what;
    }
    EXPECT_TRUE(prompts.MessageTexts().isEmpty());
}

TEST_F(LightingTabTest, InvalidPathOrNumberSendsNothing) {
    for (const char* path : {"0A1", "", "01G2", "01020304050607"}) {
        prompts.asked.clear();
        remote = {true, path};
        for (const char* button : {"LightingSendButton", "LightingTerminateRampButton", "LightingAllOnButton",
                                   "LightingAllOffButton"}) {
            Button(button)->click();
            EXPECT_EQ(prompts.MessageTexts().back(), "Invalid Remote Network Path.") << path << button;
            EXPECT_EQ(prompts.asked.back().kind, MessageKind::Error);
        }
    }
    EXPECT_TRUE(sink.sent.empty());
    EXPECT_FALSE(tab.AllGroupRunning());

    // A group typed out of range and a button pressed straight away.
    remote = {};
    prompts.asked.clear();
    Combo("LightingGroupComboBox")->setEditText("300");
    Button("LightingSendButton")->click();
    EXPECT_EQ(prompts.MessageTexts(), QStringList{"Invalid input, must be a number in the range 0 to 255"});
    EXPECT_TRUE(sink.sent.empty());
}

TEST_F(LightingTabTest, OnlyRampToEnablesLevelAndRate) {
    QWidget* controls[] = {Combo("LightingLevelComboBox"), Find<QWidget>("LightingLevelRadioGroup"),
                           List("LightingRampRateComboBox")};
    auto enabled = [&] {
        int n = 0;
        for (auto* w : controls) n += w->isEnabled();
        return n;
    };
    EXPECT_EQ(enabled(), 3);
    Radio("LightingOnRadioButton")->click();
    EXPECT_EQ(enabled(), 0);
    Radio("LightingRampRadioButton")->click();
    EXPECT_EQ(enabled(), 3);
    Radio("LightingOffRadioButton")->click();
    EXPECT_EQ(enabled(), 0);
    // The learn buttons have no say in it.
    Radio("LightingLrnCancelRadioButton")->setChecked(true);
    EXPECT_EQ(enabled(), 0);
}

TEST_F(LightingTabTest, LevelModeRebuildsTheLevelList) {
    auto* level = Combo("LightingLevelComboBox");
    Choose("LightingLevelComboBox", 40);
    Radio("LightingLevelLevelRadioButton")->click();
    EXPECT_EQ(level->count(), 256);
    EXPECT_EQ(level->Value(), 0);
    numbers.SetHexAndUpdateAllCombos(true);
    EXPECT_EQ(level->itemText(255), "FF");
    Radio("LightingLevelPercentRadioButton")->click();
    EXPECT_EQ(level->count(), 101);
    EXPECT_EQ(level->itemText(100), "100");  // percentages stay decimal
    Choose("LightingLevelComboBox", 30);
    Radio("LightingLevelPercentRadioButton")->click();  // the same choice again keeps the level
    EXPECT_EQ(level->Value(), 30);
    // In "%" mode a typed level is read in decimal whatever the mode.
    level->setEditText("50");
    EXPECT_TRUE(level->CheckIntegerComboBox());
    EXPECT_EQ(level->Value(), 50);
    level->setEditText("101");
    EXPECT_FALSE(level->CheckIntegerComboBox());
    EXPECT_EQ(prompts.MessageTexts().back(), "Invalid input, must be a number in the range 0 to 100");
}

TEST_F(LightingTabTest, TerminateRampAndDescription) {
    Choose("LightingGroupComboBox", 5);
    Button("LightingTerminateRampButton")->click();
    EXPECT_EQ(sink.Lines(), std::vector<std::string>{"\\0538000905"});

    Radio("LightingOnRadioButton")->click();
    EXPECT_EQ(tab.GetOrvaneCommandDescription(), "GA5 100%");
    Radio("LightingOffRadioButton")->click();
    EXPECT_EQ(tab.GetOrvaneCommandDescription(), "GA5 0%");
    Radio("LightingRampRadioButton")->click();
    Radio("LightingLevelLevelRadioButton")->click();
    Choose("LightingLevelComboBox", 128);
    numbers.SetHexAndUpdateAllCombos(true);
    EXPECT_EQ(tab.GetOrvaneCommandDescription(), "GA05 80");
}

TEST_F(LightingTabTest, AllOnSends32MessagesAFifthOfASecondApartWithTheButtonsDisabled) {
    auto* on = Button("LightingAllOnButton");
    auto* off = Button("LightingAllOffButton");
    on->click();
    EXPECT_TRUE(tab.AllGroupRunning());
    EXPECT_FALSE(on->isEnabled());
    EXPECT_FALSE(off->isEnabled());
    off->click();  // cannot start a second sweep meanwhile
    tab.LightingAllOffButtonClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return on->isEnabled(); }, 15000));
    EXPECT_TRUE(off->isEnabled());
    ASSERT_EQ(sink.sent.size(), 32u);
    EXPECT_EQ(sink.sent.front().line, "\\05380079007901790279037904790579067907");
    EXPECT_EQ(sink.sent.back().line, "\\053800" "79F879F979FA79FB79FC79FD79FE79FF");
    for (size_t i = 1; i < sink.sent.size(); ++i) EXPECT_GE(sink.sent[i].ms - sink.sent[i - 1].ms, 190) << i;
}

TEST_F(LightingTabTest, ContinuousToggleAlternatesOnAndOff) {
    Choose("LightingGroupComboBox", 5);
    auto* toggle = Check("LightingToggleCheckBox");
    toggle->click();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(tab.AutoSendRunning());
    EXPECT_TRUE(Find<QTimer>("LightingRunTimer")->isActive());
    EXPECT_TRUE(Button("LightingSendButton")->isHidden());

    for (int i = 0; i < 4; ++i) tab.LightingRunTimerTimer();
    EXPECT_EQ(sink.Lines(), (std::vector<std::string>{"\\0538007905", "\\0538000105", "\\0538007905", "\\0538000105"}));
    EXPECT_TRUE(Radio("LightingOffRadioButton")->isChecked());
    EXPECT_FALSE(Combo("LightingLevelComboBox")->isEnabled());
    for (const auto& s : sink.sent) EXPECT_FALSE(s.forceAck);  // only full speed asks for them

    toggle->click();
    EXPECT_FALSE(tab.AutoSendRunning());
    EXPECT_FALSE(Find<QTimer>("LightingRunTimer")->isActive());
    EXPECT_FALSE(Button("LightingSendButton")->isHidden());
}

TEST_F(LightingTabTest, SpeedListsShareTheirChoice) {
    const int intervals[] = {3000, 1000, 300, 20};
    for (int i : {0, 2, 3, 1}) {
        List("LightingToggleSpeedComboBox")->setCurrentIndex(i);
        EXPECT_EQ(List("LightingSpeedComboBox")->currentIndex(), i);
        EXPECT_EQ(Find<QTimer>("LightingRunTimer")->interval(), intervals[i]);
        EXPECT_EQ(tab.FullSpeedMode(), i == 3);
    }
    List("LightingSpeedComboBox")->setCurrentIndex(3);
    EXPECT_EQ(List("LightingToggleSpeedComboBox")->currentText(), "Full Speed");
}

TEST_F(LightingTabTest, FullSpeedWaitsForEachAcknowledgementAndTimesOut) {
    List("LightingToggleSpeedComboBox")->setCurrentIndex(3);
    sink.confirmed = false;
    Check("LightingToggleCheckBox")->click();
    EXPECT_TRUE(sink.confirmed);  // so the first command goes at the first tick

    tab.LightingRunTimerTimer();
    ASSERT_EQ(sink.sent.size(), 1u);
    EXPECT_TRUE(sink.sent[0].forceAck);
    // No acknowledgement yet: the ticks wait.
    for (int i = 1; i <= 5; ++i) tab.LightingRunTimerTimer();
    EXPECT_EQ(sink.sent.size(), 1u);
    EXPECT_EQ(tab.ConfirmWaitTicks(), 5);
    // The acknowledgement releases the next command.
    sink.confirmed = true;
    tab.LightingRunTimerTimer();
    EXPECT_EQ(sink.sent.size(), 2u);
    EXPECT_EQ(tab.ConfirmWaitTicks(), 0);

    for (int i = 1; i <= 20; ++i) tab.LightingRunTimerTimer();
    EXPECT_TRUE(prompts.MessageTexts().isEmpty());
    EXPECT_TRUE(tab.AutoSendRunning());
    tab.LightingRunTimerTimer();
    EXPECT_EQ(prompts.MessageTexts(),
              QStringList{"Timeout when waiting for a PCI to come available. Perhaps the PCI is dodgy."});
    EXPECT_EQ(prompts.asked.back().kind, MessageKind::Warning);
    EXPECT_FALSE(Check("LightingToggleCheckBox")->isChecked());
    EXPECT_FALSE(Find<QTimer>("LightingRunTimer")->isActive());
    EXPECT_FALSE(tab.AutoSendRunning());
    EXPECT_EQ(sink.sent.size(), 2u);
}

TEST_F(LightingTabTest, FullSpeedRunPacesItselfOnTheTimer) {
    // The real timer at 20 ms, with acknowledgements arriving 50 ms after
    // each command: never a command before the previous one is confirmed.
    List("LightingToggleSpeedComboBox")->setCurrentIndex(3);
    int outstanding = 0, violations = 0;
    struct AckingSink : RecordingSink {
        int* outstanding;
        int* violations;
        void SendOrvaneCommand(const std::string& line, bool forceAck) override {
            if (*outstanding) ++*violations;
            ++*outstanding;
            RecordingSink::SendOrvaneCommand(line, forceAck);
            QTimer::singleShot(50, [this] {
                --*outstanding;
                confirmed = true;
            });
        }
    } acking;
    acking.outstanding = &outstanding;
    acking.violations = &violations;
    tab.SetSink(&acking);
    Check("LightingToggleCheckBox")->click();
    QTest::qWait(700);
    Check("LightingToggleCheckBox")->click();
    QTest::qWait(100);
    EXPECT_EQ(violations, 0);
    EXPECT_GE(acking.sent.size(), 5u);
    EXPECT_LE(acking.sent.size(), 15u);
    EXPECT_TRUE(prompts.MessageTexts().isEmpty());
}

TEST_F(LightingTabTest, RandomTrafficPanelAndMessages) {
    auto* random = Check("LightingRandomCheckBox");
    auto* toggle = Check("LightingToggleCheckBox");
    toggle->setChecked(true);
    random->setChecked(true);
    EXPECT_FALSE(Find<QWidget>("LightingRandomPanel")->isHidden());
    EXPECT_TRUE(Find<QWidget>("LightingDestinationGroupBox")->isHidden());
    EXPECT_TRUE(Find<QWidget>("LightingCommandGroupBox")->isHidden());
    EXPECT_FALSE(toggle->isChecked());

    tab.SetRandomSeed(42);
    List("LightingCommandTypeComboBox")->setCurrentIndex(0);  // "On & Off"
    Choose("LightingRandomGAComboBox1", 3);
    Choose("LightingRandomGAComboBox2", 4);
    for (int i = 0; i < 40; ++i) Button("LightingSendButton")->click();
    ASSERT_EQ(sink.sent.size(), 40u);
    for (const auto& s : sink.sent) {
        ASSERT_EQ(s.line.size(), 11u) << s.line;
        EXPECT_EQ(s.line.substr(0, 7), "\\053800");
        const std::string c = s.line.substr(7, 2), g = s.line.substr(9, 2);
        EXPECT_TRUE(c == "79" || c == "01") << s.line;
        EXPECT_TRUE(g == "03" || g == "04") << s.line;
    }

    // "Run" sends from the timer; unchecking "Random" ends it.
    sink.sent.clear();
    auto* run = Check("LightingRandomRunCheckBox");
    run->setChecked(true);
    EXPECT_TRUE(tab.AutoSendRunning());
    tab.LightingRunTimerTimer();
    EXPECT_EQ(sink.sent.size(), 1u);
    random->setChecked(false);
    EXPECT_FALSE(run->isChecked());
    EXPECT_FALSE(tab.AutoSendRunning());
    EXPECT_TRUE(Find<QWidget>("LightingRandomPanel")->isHidden());
    EXPECT_FALSE(Find<QWidget>("LightingDestinationGroupBox")->isHidden());
}

TEST_F(LightingTabTest, ARunStopsWhenThePathGoesBad) {
    Check("LightingToggleCheckBox")->click();
    remote = {true, "012"};
    tab.LightingRunTimerTimer();
    EXPECT_EQ(prompts.MessageTexts(), QStringList{"Invalid Remote Network Path."});
    EXPECT_FALSE(Check("LightingToggleCheckBox")->isChecked());
    EXPECT_FALSE(Find<QTimer>("LightingRunTimer")->isActive());
    EXPECT_TRUE(sink.sent.empty());
}

TEST_F(LightingTabTest, ApplicationWarningOutsideTheLightingRange) {
    std::vector<bool> changes;
    QObject::connect(&tab, &LightingTab::ShowApplicationWarningChanged, [&](bool on) { changes.push_back(on); });
    auto* app = Combo("LightingAppComboBox");
    const QString warning =
        "Use of Application Addresses outside the range 48 to 127 may cause undesirable effects.\n\r"
        "Click Ignore to stop this message from displaying again.";

    for (int inRange : {0x30, 0x38, 0x7F}) {
        app->setEditText(QString::number(inRange));
        tab.LightingAppComboBoxExit();
    }
    EXPECT_TRUE(prompts.MessageTexts().isEmpty());

    app->setEditText("20");
    tab.LightingAppComboBoxExit();
    ASSERT_EQ(prompts.MessageTexts(), QStringList{warning});
    EXPECT_EQ(prompts.asked.back().kind, MessageKind::Warning);
    EXPECT_EQ(app->Value(), 20);  // the number is taken all the same
    EXPECT_TRUE(tab.ShowApplicationWarning());

    // Choosing from the list warns as well.
    app->setCurrentIndex(0xCA);
    emit app->activated(0xCA);
    EXPECT_EQ(prompts.MessageTexts().size(), 2);
    EXPECT_EQ(prompts.asked.back().kind, MessageKind::Warning);

    prompts.answers.push_back(Answer::Ignore);
    app->setEditText("128");
    tab.LightingAppComboBoxExit();
    EXPECT_EQ(prompts.MessageTexts().size(), 3);
    EXPECT_FALSE(tab.ShowApplicationWarning());
    EXPECT_EQ(changes, std::vector<bool>{false});
    app->setEditText("200");
    tab.LightingAppComboBoxExit();
    EXPECT_EQ(prompts.MessageTexts().size(), 3);

    // In hexadecimal mode the bounds are worded in hex.
    tab.SetShowApplicationWarning(true);
    numbers.SetHexAndUpdateAllCombos(true);
    app->setEditText("20");
    tab.LightingAppComboBoxExit();
    EXPECT_TRUE(prompts.MessageTexts().back().startsWith("Use of Application Addresses outside the range 30 to 7F may"));
}

TEST_F(LightingTabTest, SwitchingTheModeTwiceKeepsEveryList) {
    Choose("LightingAppComboBox", 0x3A);
    Choose("LightingGroupComboBox", 200);
    Radio("LightingLevelLevelRadioButton")->click();
    Choose("LightingLevelComboBox", 128);
    Choose("LightingRandomGAComboBox1", 17);
    const char* names[] = {"LightingAppComboBox", "LightingGroupComboBox", "LightingLevelComboBox",
                           "LightingRandomAppComboBox1", "LightingRandomAppComboBox2", "LightingRandomGAComboBox1",
                           "LightingRandomGAComboBox2"};
    std::vector<QStringList> before;
    std::vector<int> selected;
    for (const char* n : names) {
        before.push_back(Items(Combo(n)));
        selected.push_back(Combo(n)->currentIndex());
    }
    numbers.SetHexAndUpdateAllCombos(true);
    EXPECT_EQ(Combo("LightingGroupComboBox")->currentText(), "C8");
    EXPECT_EQ(Combo("LightingLevelComboBox")->currentText(), "80");
    numbers.SetHexAndUpdateAllCombos(false);
    for (size_t i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(Items(Combo(names[i])), before[i]) << names[i];
        EXPECT_EQ(Combo(names[i])->currentIndex(), selected[i]) << names[i];
    }
    Button("LightingSendButton")->click();
    EXPECT_EQ(sink.Lines(), std::vector<std::string>{"\\053A0002C880"});
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

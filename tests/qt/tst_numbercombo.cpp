// Number lists: filling in both modes, the typed-number check on leaving and
// on Alt keys, the mode switch over every registered list.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

#include "ui/NumberCombo.h"
#include "ui/Prompts.h"

using namespace orvane;

namespace {

QStringList Items(const QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i) l << c->itemText(i);
    return l;
}

class NumberComboTest : public ::testing::Test {
protected:
    NumberFormat format;
    ScriptedPrompts prompts;
    NumberEntryContext context{format, prompts};
    QWidget window;
    QVBoxLayout* layout = new QVBoxLayout(&window);

    NumberCombo* Add() {
        auto* c = new NumberCombo(context, &window);
        layout->addWidget(c);
        return c;
    }
    void Show() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void Type(NumberCombo* c, const QString& text) {
        c->setFocus();
        c->lineEdit()->selectAll();
        QTest::keyClicks(c->lineEdit(), text);
    }
};

}  // namespace

TEST_F(NumberComboTest, FillVariantsWriteTheirEntriesInTheDisplayMode) {
    auto* plain = Add();
    FillCombo(plain, 0, 0x38, 256);
    EXPECT_EQ(plain->count(), 256);
    EXPECT_EQ(plain->currentText(), "56");
    EXPECT_EQ(plain->Value(), 0x38);

    auto* all = Add();
    FillComboWithAll(all, 1, 3, 3);
    EXPECT_EQ(Items(all), (QStringList{"1", "2", "3", "All"}));
    EXPECT_TRUE(all->IsAllSelected());

    auto* decimal = Add();
    FillDecimalCombo(decimal, -100, 201, 150);
    auto* language = Add();
    FillLanguageCombo(language, 0, 256, 9);
    auto* level = Add();
    FillCombo(level, -128, 0, 256);

    context.SetHexAndUpdateAllCombos(true);
    EXPECT_EQ(plain->currentText(), "38");
    EXPECT_EQ(Items(all), (QStringList{"01", "02", "03", "All"}));
    EXPECT_EQ(decimal->currentText(), "50");  // always decimal
    EXPECT_EQ(level->itemText(0), "80");
    EXPECT_EQ(level->itemText(255), "7F");
    EXPECT_TRUE(language->currentText().startsWith("09"));

    // A selection beyond the entries is held inside them.
    auto* clamped = Add();
    FillCombo(clamped, 0, 400, 256);
    EXPECT_EQ(clamped->Model().selected, 255);
}

TEST_F(NumberComboTest, SwitchingTheModeTwiceKeepsEntriesAndSelection) {
    std::vector<NumberCombo*> lists;
    auto add = [&](auto fill, int base, int count, int selected) {
        auto* c = Add();
        fill(c, base, count, selected);
        lists.push_back(c);
    };
    add([](NumberCombo* c, int b, int n, int s) { FillCombo(c, b, s, n); }, 0, 256, 200);
    add([](NumberCombo* c, int b, int n, int s) { FillCombo(c, b, s, n); }, -128, 256, 3);
    add(FillComboWithAll, 0, 255, 255);  // "All" selected
    add(FillComboWithAll, 0, 255, 17);
    add(FillLanguageCombo, 0, 256, 9);
    add(FillDecimalCombo, -100, 201, 0);
    // A user's choice made after filling is kept too.
    lists[0]->setCurrentIndex(77);

    std::vector<QStringList> entries;
    std::vector<int> selected;
    for (auto* c : lists) {
        entries.push_back(Items(c));
        selected.push_back(c->currentIndex());
    }
    int modeSignals = 0;
    QObject::connect(&context, &NumberEntryContext::HexModeChanged, [&](bool) { ++modeSignals; });
    context.SetHexAndUpdateAllCombos(true);
    EXPECT_NE(Items(lists[0]), entries[0]);
    context.SetHexAndUpdateAllCombos(false);
    EXPECT_EQ(modeSignals, 2);
    for (size_t i = 0; i < lists.size(); ++i) {
        EXPECT_EQ(Items(lists[i]), entries[i]) << i;
        EXPECT_EQ(lists[i]->currentIndex(), selected[i]) << i;
        EXPECT_EQ(lists[i]->currentText(), entries[i][selected[i]]) << i;
    }
    EXPECT_EQ(lists[0]->Value(), 77);
}

TEST_F(NumberComboTest, ListsThatWentAwayAreSkipped) {
    auto* a = Add();
    FillCombo(a, 0, 1, 4);
    auto* b = Add();
    FillCombo(b, 0, 2, 4);
    delete a;
    context.SetHexAndUpdateAllCombos(true);
    EXPECT_EQ(context.Combos().size(), 1u);
    EXPECT_EQ(b->currentText(), "02");
}

TEST_F(NumberComboTest, DataEntryModeLabel) {
    QLabel label;
    context.SetDataEntryModeLabel(&label);
    EXPECT_EQ(label.text(), "Data Entry Mode: DECIMAL");
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0, 144, 0));
    context.SetHexAndUpdateAllCombos(true);
    EXPECT_EQ(label.text(), "Data Entry Mode: HEXADECIMAL");
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(208, 0, 0));
}

TEST_F(NumberComboTest, TypedNumbersAreCheckedOnLeaving) {
    auto* list = Add();
    FillCombo(list, 0, 0, 256);
    auto* other = new QLineEdit(&window);
    layout->addWidget(other);
    Show();

    Type(list, "300");
    other->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(prompts.MessageTexts(), QStringList{"Invalid input, must be a number in the range 0 to 255"});
    EXPECT_EQ(prompts.asked.back().kind, MessageKind::Error);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(list->currentText(), "300");  // stays as typed
    EXPECT_EQ(list->Value(), 0);            // the selection is unchanged

    // Checking the same text again does not ask twice.
    EXPECT_FALSE(list->CheckIntegerComboBox());
    EXPECT_EQ(prompts.MessageTexts().size(), 1);

    context.SetHexAndUpdateAllCombos(true);
    Type(list, "2a");
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(prompts.MessageTexts().size(), 1);
    EXPECT_EQ(list->currentText(), "2A");  // the entry's own form
    EXPECT_EQ(list->Value(), 42);

    Type(list, "300");
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(prompts.MessageTexts().back(), "Invalid input, must be a number in the range 00 to FF");
}

TEST_F(NumberComboTest, SignedListReadsTwosComplementInHexMode) {
    auto* list = Add();
    FillCombo(list, -128, 128, 256);
    context.SetHexAndUpdateAllCombos(true);
    struct Row { const char* text; int value; };
    for (const Row r : {Row{"80", -128}, Row{"7F", 127}, Row{"FF", -1}}) {
        list->setEditText(r.text);
        EXPECT_TRUE(list->CheckIntegerComboBox()) << r.text;
        EXPECT_EQ(list->Value(), r.value) << r.text;
    }
    list->setEditText("zz");
    EXPECT_FALSE(list->CheckIntegerComboBox());
    EXPECT_EQ(list->Value(), -1);
}

TEST_F(NumberComboTest, ChoosingAllFromTheListIsAccepted) {
    auto* list = Add();
    FillComboWithAll(list, 0, 255, 0);
    list->setCurrentIndex(255);
    list->setEditText("All");
    EXPECT_TRUE(list->CheckIntegerComboBox());
    EXPECT_TRUE(list->IsAllSelected());
    list->setEditText("255");
    EXPECT_TRUE(list->CheckIntegerComboBox());
    EXPECT_TRUE(list->IsAllSelected());
    EXPECT_TRUE(prompts.MessageTexts().isEmpty());
}

TEST_F(NumberComboTest, AltAcceleratorChecksBeforeTheButtonActs) {
    auto* list = Add();
    FillCombo(list, 0, 0, 256);
    auto* button = new QPushButton("&Send", &window);
    layout->addWidget(button);
    int seen = -1;
    QObject::connect(button, &QPushButton::clicked, [&] { seen = list->Value(); });
    Show();

    // The accelerator clicks the button a moment later (animated click).
    Type(list, "7");
    QTest::keyClick(list->lineEdit(), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen != -1; }, 2000));
    EXPECT_EQ(seen, 7);
    EXPECT_EQ(list->currentText(), "7");
    EXPECT_TRUE(prompts.MessageTexts().isEmpty());

    // A wrong number is reported before the button acts.
    seen = -1;
    Type(list, "999");
    QTest::keyClick(list->lineEdit(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(prompts.MessageTexts(), QStringList{"Invalid input, must be a number in the range 0 to 255"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen != -1; }, 2000));
    EXPECT_EQ(seen, 7);
}

TEST_F(NumberComboTest, DropDownWidthFitsTheLongestEntry) {
    auto* list = Add();
    FillLanguageCombo(list, 0, 256, 0);
    list->setFixedWidth(60);
    SetComboDropDownWidth(list);
    const QFontMetrics m(list->font());
    int longest = 0;
    for (int i = 0; i < list->count(); ++i) longest = std::max(longest, m.horizontalAdvance(list->itemText(i)));
    EXPECT_EQ(list->view()->minimumWidth(), longest + 30);
    EXPECT_EQ(list->width(), 60);
}

TEST_F(NumberComboTest, FloatingEditsAreCheckedOnLeaving) {
    auto* temperature = new FloatingEdit(prompts, FloatingEditRule::HvacTemperature, &window);
    auto* shortInfo = new FloatingEdit(prompts, FloatingEditRule::ShortInfoNumber, &window);
    auto* other = new QLineEdit(&window);
    for (QWidget* w : std::initializer_list<QWidget*>{temperature, shortInfo, other}) layout->addWidget(w);
    Show();
    struct Row { FloatingEdit* edit; const char* text; const char* message; };
    const Row rows[] = {
        {temperature, "21.5", nullptr},
        {temperature, "127.5", "Temperature must be in the range -128.0 to +127.0 degrees C"},
        {temperature, "warm", "Invalid floating point number "},
        {shortInfo, "-3276.8", nullptr},
        {shortInfo, "3276.8", "Short Message Number must be in the range -3276.8 to +3276.7"},
    };
    for (const auto& r : rows) {
        temperature->setText("0");  // the previous row's wrong text would ask again
        shortInfo->setText("0");
        prompts.asked.clear();
        r.edit->setFocus();
        r.edit->setText(r.text);
        other->setFocus();
        QApplication::processEvents();
        if (r.message) {
            EXPECT_EQ(prompts.MessageTexts(), QStringList{r.message}) << r.text;
            EXPECT_TRUE(r.edit->hasFocus()) << r.text;
        } else {
            EXPECT_TRUE(prompts.MessageTexts().isEmpty()) << r.text;
            EXPECT_TRUE(r.edit->Value().has_value());
        }
    }
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Number lists bound to the number-entry model: a drop-down of consecutive
// integers written in the display mode, checked when typed into, and
// rewritten when the mode switches.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "decode/Hex.h"
#include "generators/NumberEntry.h"

class QLabel;

namespace orvane {

class Prompts;
class NumberCombo;

// The number display mode and every number list that follows it. The main
// window owns one; the tabs register their lists with it.
class NumberEntryContext : public QObject {
    Q_OBJECT
public:
    // The format is the program's one "Hexadecimal Numbers" setting (the
    // decoder reads the same one); both outlive the context.
    NumberEntryContext(NumberFormat& format, Prompts& prompts, QObject* parent = nullptr);

    const NumberFormat& Format() const { return format_; }
    bool Hex() const { return format_.hex; }
    Prompts& prompts() const { return prompts_; }

    void Register(NumberCombo* combo);
    // Lists that their tab rebuilds itself after the numbered lists are rewritten.
    void AddRebuild(std::function<void()> rebuild) { rebuilds_.push_back(std::move(rebuild)); }
    // The strip that says which mode typed numbers are read in.
    void SetDataEntryModeLabel(QLabel* label);
    static QString DataEntryModeText(bool hex);
    static QColor DataEntryModeColour(bool hex);

    // Switches the mode and rewrites every registered list with its base,
    // number of entries and selection unchanged.
    void SetHexAndUpdateAllCombos(bool hex);
    // The lists currently registered, in registration order.
    std::vector<NumberCombo*> Combos() const;

signals:
    // After the lists are rewritten: the menu item's check mark, and lists
    // whose lines carry numbers in the old mode.
    void HexModeChanged(bool hex);

private:
    NumberFormat& format_;
    Prompts& prompts_;
    std::vector<QPointer<NumberCombo>> combos_;
    std::vector<std::function<void()>> rebuilds_;
    QPointer<QLabel> modeLabel_;
};

class NumberCombo : public QComboBox {
    Q_OBJECT
public:
    // Registers itself with the context, which rewrites it on a mode switch.
    explicit NumberCombo(NumberEntryContext& context, QWidget* parent = nullptr);

    // Fills the list; the selection is clamped into the entries.
    void Fill(NumberList model);
    // Writes the entries again in the current mode, keeping the selection.
    void Rewrite();
    const NumberList& Model() const { return model_; }
    // base + selected index: the number the list stands for.
    int Value() const { return model_.SelectedValue(); }
    bool IsAllSelected() const { return model_.IsAllSelected(); }
    // Selects the entry of a number; false when it is not in the list.
    bool SelectValue(int value);

    // True when the typed text is a number of the list's range; it then
    // selects that entry. Otherwise reports the error (once for the same
    // text), puts the focus back and returns false.
    bool CheckIntegerComboBox();
    // True while the text is exactly the selected entry's (nothing typed).
    bool HoldsSelectedEntry() const;

    // Check on leaving the list (IntegerComboBoxExit) and on key presses with
    // Alt held (IntegerComboBoxKeyDown). Both on by default.
    void SetCheckOnExit(bool on) { checkOnExit_ = on; }
    void SetCheckOnAltKey(bool on) { checkOnAltKey_ = on; }
    // Widen the opened list to its longest entry (AutoWidthComboBoxDropDown).
    void SetAutoWidthDropDown(bool on) { autoWidth_ = on; }

    NumberEntryContext& Context() const { return context_; }

signals:
    // After leaving the list (leaving true) or an Alt key press has run the check.
    void Checked(bool ok, bool leaving);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    void showPopup() override;

private:
    void RunCheck(bool leaving);

    NumberEntryContext& context_;
    NumberList model_;
    bool checkOnExit_ = true;
    bool checkOnAltKey_ = true;
    bool autoWidth_ = false;
    bool checking_ = false;
    bool filling_ = false;
    QString lastReported_;
};

// A decimal (floating-point) edit, checked when it is left
// (FloatingEditExit) by the rule of its field.
class FloatingEdit : public QLineEdit {
    Q_OBJECT
public:
    FloatingEdit(Prompts& prompts, FloatingEditRule rule, QWidget* parent = nullptr);

    // True when the text is an acceptable number; otherwise reports the
    // error, puts the focus back and returns false.
    bool CheckFloatingEdit();
    // The number of the text, nullopt when it is not one.
    std::optional<double> Value() const;
    FloatingEditRule Rule() const { return rule_; }

signals:
    void Checked(bool ok);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    Prompts& prompts_;
    FloatingEditRule rule_;
    bool checking_ = false;
};

// The fill operations of the tabs, with their own argument orders.
void FillCombo(NumberCombo* list, int base, int selected, int count);
void FillComboWithAll(NumberCombo* list, int base, int count, int selected);
void FillLanguageCombo(NumberCombo* list, int base, int count, int selected);
void FillDecimalCombo(NumberCombo* list, int base, int count, int selected);

// The drop-down part is made wide enough for the longest entry (text width
// + 30 pixels); the closed list keeps its width.
void SetComboDropDownWidth(QComboBox* list);

}  // namespace orvane

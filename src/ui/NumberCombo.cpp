#include "ui/NumberCombo.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "ui/Prompts.h"

namespace orvane {

NumberEntryContext::NumberEntryContext(NumberFormat& format, Prompts& prompts, QObject* parent)
    : QObject(parent), format_(format), prompts_(prompts) {}

void NumberEntryContext::Register(NumberCombo* combo) { combos_.emplace_back(combo); }

std::vector<NumberCombo*> NumberEntryContext::Combos() const {
    std::vector<NumberCombo*> list;
    for (const auto& c : combos_)
        if (c) list.push_back(c);
    return list;
}

QString NumberEntryContext::DataEntryModeText(bool hex) {
    return hex ? QStringLiteral("Data Entry Mode: HEXADECIMAL") : QStringLiteral("Data Entry Mode: DECIMAL");
}

QColor NumberEntryContext::DataEntryModeColour(bool hex) { return hex ? QColor(208, 0, 0) : QColor(0, 144, 0); }

void NumberEntryContext::SetDataEntryModeLabel(QLabel* label) {
    modeLabel_ = label;
    if (!label) return;
    label->setText(DataEntryModeText(format_.hex));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, DataEntryModeColour(format_.hex));
    label->setPalette(p);
}

void NumberEntryContext::SetHexAndUpdateAllCombos(bool hex) {
    format_.hex = hex;
    SetDataEntryModeLabel(modeLabel_);
    // Lists that went away are forgotten on the way.
    combos_.erase(std::remove_if(combos_.begin(), combos_.end(), [](const auto& c) { return c.isNull(); }),
                  combos_.end());
    for (const auto& c : combos_) c->Rewrite();
    for (const auto& rebuild : rebuilds_) rebuild();
    emit HexModeChanged(hex);
}

NumberCombo::NumberCombo(NumberEntryContext& context, QWidget* parent) : QComboBox(parent), context_(context) {
    setEditable(true);
    // Typed text is checked and mapped to an entry, never added as one, and
    // never completed behind the user's back.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    context_.Register(this);
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!filling_) model_.selected = index;
    });
}

void NumberCombo::Fill(NumberList model) {
    const int n = model.EntryCount();
    if (n <= 0) model.selected = -1;
    else model.selected = std::clamp(model.selected, 0, n - 1);
    model_ = model;
    Rewrite();
}

void NumberCombo::Rewrite() {
    filling_ = true;
    clear();
    for (const auto& e : model_.Entries(context_.Format())) addItem(QString::fromStdString(e));
    setCurrentIndex(model_.selected);
    filling_ = false;
    lastReported_.clear();
}

bool NumberCombo::SelectValue(int value) {
    const int index = value - model_.base;
    if (index < 0 || index >= model_.EntryCount()) return false;
    setCurrentIndex(index);
    setEditText(itemText(index));
    return true;
}

bool NumberCombo::HoldsSelectedEntry() const {
    return model_.selected >= 0 && currentText() == itemText(model_.selected);
}

bool NumberCombo::CheckIntegerComboBox() {
    if (HoldsSelectedEntry()) return true;
    const QString typed = currentText();
    const auto check = model_.CheckText(context_.Format(), typed.toStdString());
    if (check.ok) {
        lastReported_.clear();
        setCurrentIndex(check.index);
        setEditText(itemText(check.index));
        return true;
    }
    // The same wrong text is reported once: leaving the list and the button
    // that caused the leaving do not both ask.
    if (typed != lastReported_) {
        lastReported_ = typed;
        context_.prompts().Message(MessageKind::Error, QString(), QString::fromStdString(check.error), Buttons::Ok);
    }
    setFocus(Qt::OtherFocusReason);
    return false;
}

void NumberCombo::RunCheck(bool leaving) {
    if (checking_) return;
    checking_ = true;
    const bool ok = CheckIntegerComboBox();
    checking_ = false;
    emit Checked(ok, leaving);
}

void NumberCombo::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // Opening the list or switching windows is not leaving it.
    if (!checkOnExit_ || event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    RunCheck(true);
}

void NumberCombo::keyPressEvent(QKeyEvent* event) {
    if (checkOnAltKey_ && (event->modifiers() & Qt::AltModifier)) RunCheck(false);
    QComboBox::keyPressEvent(event);
}

bool NumberCombo::event(QEvent* e) {
    // A button accelerator such as Alt+S reaches the focused list as a
    // shortcut override before the button acts on it.
    if (e->type() == QEvent::ShortcutOverride && checkOnAltKey_) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->modifiers() & Qt::AltModifier) RunCheck(false);
    }
    return QComboBox::event(e);
}

void NumberCombo::showPopup() {
    if (autoWidth_) SetComboDropDownWidth(this);
    QComboBox::showPopup();
}

FloatingEdit::FloatingEdit(Prompts& prompts, FloatingEditRule rule, QWidget* parent)
    : QLineEdit(parent), prompts_(prompts), rule_(rule) {}

bool FloatingEdit::CheckFloatingEdit() {
    const std::string error = CheckFloatingEditText(rule_, text().toStdString());
    if (error.empty()) return true;
    prompts_.Message(MessageKind::Error, QString(), QString::fromStdString(error), Buttons::Ok);
    setFocus(Qt::OtherFocusReason);
    return false;
}

std::optional<double> FloatingEdit::Value() const { return ReadFloatingText(text().toStdString()); }

void FloatingEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (checking_ || event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    checking_ = true;
    const bool ok = CheckFloatingEdit();
    checking_ = false;
    emit Checked(ok);
}

void FillCombo(NumberCombo* list, int base, int selected, int count) {
    list->Fill({NumberListKind::Plain, base, count, selected});
}

void FillComboWithAll(NumberCombo* list, int base, int count, int selected) {
    list->Fill({NumberListKind::WithAll, base, count, selected});
}

void FillLanguageCombo(NumberCombo* list, int base, int count, int selected) {
    list->Fill({NumberListKind::Language, base, count, selected});
}

void FillDecimalCombo(NumberCombo* list, int base, int count, int selected) {
    list->Fill({NumberListKind::Decimal, base, count, selected});
}

void SetComboDropDownWidth(QComboBox* list) {
    const QFontMetrics metrics(list->font());
    int width = 0;
    for (int i = 0; i < list->count(); ++i) width = std::max(width, metrics.horizontalAdvance(list->itemText(i)) + 30);
    if (list->view()) list->view()->setMinimumWidth(width);
}

}  // namespace orvane

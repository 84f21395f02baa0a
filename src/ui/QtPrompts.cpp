#include "ui/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace orvane {

Answer QtPrompts::Message(MessageKind kind, const QString& title, const QString& text, Buttons buttons) {
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case MessageKind::Error: icon = QMessageBox::Critical; break;
    case MessageKind::Warning: icon = QMessageBox::Warning; break;
    case MessageKind::Information: icon = QMessageBox::Information; break;
    case MessageKind::Confirmation: icon = QMessageBox::Question; break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok: set = QMessageBox::Ok; break;
    case Buttons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case Buttons::OkIgnore: set = QMessageBox::Ok | QMessageBox::Ignore; break;
    }
    QMessageBox box(icon, title.isEmpty() ? QApplication::applicationDisplayName() : title, text, set, parent_);
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ignore: return Answer::Ignore;
    default: return Answer::Cancel;
    }
}

std::optional<QString> QtPrompts::Input(const QString& title, const QString& prompt, const QString& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<QString> QtPrompts::OpenFile(const QString& title, const QString& folder, const QStringList& filters) {
    QString name = QFileDialog::getOpenFileName(parent_, title, folder, filters.join(";;"));
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QString> QtPrompts::SaveFile(const QString& title, const QString& folder, const QStringList& filters) {
    QString name = QFileDialog::getSaveFileName(parent_, title, folder, filters.join(";;"));
    if (name.isEmpty()) return std::nullopt;
    return name;
}

std::optional<QFont> QtPrompts::Font(const QFont& initial) {
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, initial, parent_);
    if (!ok) return std::nullopt;
    return f;
}

}  // namespace orvane

// The widget answers to the prompt seam: standard message, input, file and
// font dialogs, parented to the main window.
#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/Prompts.h"

namespace orvane {

class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    Answer Message(MessageKind kind, const QString& title, const QString& text, Buttons buttons) override;
    std::optional<QString> Input(const QString& title, const QString& prompt, const QString& initial) override;
    std::optional<QString> OpenFile(const QString& title, const QString& folder, const QStringList& filters) override;
    std::optional<QString> SaveFile(const QString& title, const QString& folder, const QStringList& filters) override;
    std::optional<QFont> Font(const QFont& initial) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace orvane

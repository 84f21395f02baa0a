// The one seam for every modal question the program asks: message boxes,
// input boxes, file, font and print dialogs. The workbench installs the
// widget implementation; tests install ScriptedPrompts and answer from a queue.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

namespace orvane {

enum class MessageKind { Error, Warning, Information, Confirmation };
// Button sets: OK; OK and Cancel; Yes and No; Yes, No and Cancel; OK and Ignore.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, OkIgnore };
enum class Answer { Ok, Cancel, Yes, No, Ignore };

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual Answer Message(MessageKind kind, const QString& title, const QString& text, Buttons buttons) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> Input(const QString& title, const QString& prompt, const QString& initial) = 0;
    virtual std::optional<QString> OpenFile(const QString& title, const QString& folder, const QStringList& filters) = 0;
    virtual std::optional<QString> SaveFile(const QString& title, const QString& folder, const QStringList& filters) = 0;
    virtual std::optional<QFont> Font(const QFont& initial) = 0;

    // Shorthands.
    void Inform(const QString& text) { Message(MessageKind::Information, QString(), text, Buttons::Ok); }
    void Error(const QString& text) { Message(MessageKind::Error, QString(), text, Buttons::Ok); }
    void Warn(const QString& text) { Message(MessageKind::Warning, QString(), text, Buttons::Ok); }
};

// Records every question and answers from queues; an empty queue answers
// OK/Yes for messages (the first button) and cancel for everything else.
class ScriptedPrompts : public Prompts {
public:
    struct Asked {
        QString what;  // "message", "input", "open", "save", "font"
        MessageKind kind = MessageKind::Information;
        QString title;
        QString text;
    };
    std::vector<Asked> asked;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> texts;  // for Input, OpenFile, SaveFile
    std::deque<std::optional<QFont>> fonts;

    Answer Message(MessageKind kind, const QString& title, const QString& text, Buttons buttons) override {
        asked.push_back({"message", kind, title, text});
        if (!answers.empty()) {
            Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel) ? Answer::Yes : Answer::Ok;
    }
    std::optional<QString> Input(const QString& title, const QString& prompt, const QString&) override {
        asked.push_back({"input", MessageKind::Information, title, prompt});
        return NextText();
    }
    std::optional<QString> OpenFile(const QString& title, const QString&, const QStringList&) override {
        asked.push_back({"open", MessageKind::Information, title, {}});
        return NextText();
    }
    std::optional<QString> SaveFile(const QString& title, const QString&, const QStringList&) override {
        asked.push_back({"save", MessageKind::Information, title, {}});
        return NextText();
    }
    std::optional<QFont> Font(const QFont&) override {
        asked.push_back({"font", MessageKind::Information, {}, {}});
        if (fonts.empty()) return std::nullopt;
        auto f = fonts.front();
        fonts.pop_front();
        return f;
    }
    // The texts of the message boxes shown so far.
    QStringList MessageTexts() const {
        QStringList l;
        for (const auto& a : asked)
            if (a.what == "message") l << a.text;
        return l;
    }

private:
    std::optional<QString> NextText() {
        if (texts.empty()) return std::nullopt;
        auto t = texts.front();
        texts.pop_front();
        return t;
    }
};

}  // namespace orvane

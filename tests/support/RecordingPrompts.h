#pragma once

#include "ui/common/Messages.h"

#include <QStringList>

#include <deque>

namespace zorvex {

// Prompts that show nothing: each message is kept as "caption: text" (an
// error as its text alone), and questions take their answers from `answers`,
// then `answer`.
class RecordingPrompts : public Prompts {
public:
    QStringList errors;   // error(), errorWindow() and Critical windows
    QStringList messages; // warnings, information and other windows
    QStringList asked;    // questions, waiting or not
    std::deque<bool> answers;
    bool answer = false;
    int notAvailableShown = 0;

    void error(const QString& text, QWidget* = nullptr) override { errors << text; }
    void warning(const QString& caption, const QString& text, QWidget* = nullptr) override
    {
        messages << caption + QStringLiteral(": ") + text;
    }
    void information(const QString& caption, const QString& text, QWidget* = nullptr) override
    {
        messages << caption + QStringLiteral(": ") + text;
    }
    bool askYesNo(const QString& caption, const QString& text, QWidget* = nullptr, bool = false) override
    {
        asked << caption + QStringLiteral(": ") + text;
        return next();
    }
    QMessageBox* window(QMessageBox::Icon icon, const QString& caption, const QString& text, bool = true) override
    {
        if (icon == QMessageBox::Critical && caption == QString::fromUtf8(kErrorCaption))
            errors << text;
        else
            messages << caption + QStringLiteral(": ") + text;
        return nullptr;
    }
    QMessageBox* askLater(const QString& caption, const QString& text, bool,
                          std::function<void(bool yes)> answered) override
    {
        asked << caption + QStringLiteral(": ") + text;
        const bool yes = next();
        if (answered)
            answered(yes);
        return nullptr;
    }
    QMessageBox* notAvailableYet() override
    {
        ++notAvailableShown;
        return nullptr;
    }

private:
    bool next()
    {
        if (answers.empty())
            return answer;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
};

// Real windows, which a test finds and reads, but the questions that wait
// are kept in `asked` and answered from `answer`.
class AnsweringBoxPrompts : public BoxPrompts {
public:
    QStringList asked;
    bool answer = false;

    bool askYesNo(const QString& caption, const QString& text, QWidget* = nullptr, bool = false) override
    {
        asked << caption + QStringLiteral(": ") + text;
        return answer;
    }
};

} // namespace zorvex

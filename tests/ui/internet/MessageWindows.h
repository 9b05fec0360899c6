#pragma once

// The message windows that wait for nobody, as a test finds them.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTest>

namespace zorvex::test {

inline QList<QMessageBox*> messageWindows()
{
    QList<QMessageBox*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            out << box;
    }
    return out;
}

// "caption: text" of every open message window.
inline QStringList messageTexts()
{
    QStringList out;
    for (QMessageBox* box : messageWindows())
        out << box->windowTitle() + QStringLiteral(": ") + box->text();
    out.sort();
    return out;
}

inline void closeMessageWindows()
{
    for (QMessageBox* box : messageWindows())
        box->done(QMessageBox::Ok);
    QApplication::processEvents();
}

// Answers the open question (a box with Yes and No) whose text starts with
// `start`; false when none.
inline bool answer(const QString& start, bool yes)
{
    for (QMessageBox* box : messageWindows()) {
        QAbstractButton* button = box->button(yes ? QMessageBox::Yes : QMessageBox::No);
        if (button && box->text().startsWith(start)) {
            button->click();
            QApplication::processEvents();
            return true;
        }
    }
    return false;
}

// Waits for the question, then answers it.
inline bool answerWhenAsked(const QString& start, bool yes, int timeoutMs = 15000)
{
    return QTest::qWaitFor([&] { return answer(start, yes); }, timeoutMs);
}

} // namespace zorvex::test

#pragma once

// The message windows that wait for nobody, as a test finds them.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>

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

// Answers the open question whose text starts with `start`; false when none.
inline bool answer(const QString& start, bool yes)
{
    for (QMessageBox* box : messageWindows()) {
        if (box->text().startsWith(start)) {
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            QApplication::processEvents();
            return true;
        }
    }
    return false;
}

} // namespace zorvex::test

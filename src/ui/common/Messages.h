#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace zorvex {

inline constexpr char kErrorCaption[] = "Zorvex - Błąd";

// Message boxes of the program. Each also writes its caption and text as one
// line to stderr, so logs and scripts see what the user was told. These wait
// for the user: call them only from a user's action, never from a timer, a
// channel or a network handler.
void showError(const QString& text, QWidget* parent = nullptr);
void showInformation(const QString& caption, const QString& text, QWidget* parent = nullptr);
bool askYesNo(const QString& caption, const QString& text, QWidget* parent = nullptr, bool topMost = false);

// Messages that wait for nobody: a window of their own, brought to the front,
// freed when closed. Safe from any handler. Null while boxes are silent.
QMessageBox* showMessageWindow(QMessageBox::Icon icon, const QString& caption, const QString& text,
                               bool topMost = true);
QMessageBox* showErrorWindow(const QString& text);
// A question that does not wait either: `answered` gets the choice once the
// user makes it (No when the box is closed otherwise, or at once while boxes
// are silent).
QMessageBox* askYesNoLater(const QString& caption, const QString& text, bool topMost,
                           std::function<void(bool yes)> answered);

// "Ta funkcja nie jest jeszcze dostępna.": what every control says whose
// feature has not arrived yet. One window, shown again on each use.
QMessageBox* showNotAvailableYet();
inline constexpr char kNotAvailableYet[] = "Ta funkcja nie jest jeszcze dostępna.";

// True while message boxes are suppressed (headless picture runs): the
// texts still go to stderr and questions are answered No.
void setMessageBoxesSilent(bool silent);
bool messageBoxesSilent();

} // namespace zorvex

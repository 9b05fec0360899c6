#pragma once

#include <QString>

class QWidget;

namespace zorvex {

inline constexpr char kErrorCaption[] = "Zorvex - Błąd";

// Message boxes of the program. Each also writes its caption and text as one
// line to stderr, so logs and scripts see what the user was told.
void showError(const QString& text, QWidget* parent = nullptr);
void showInformation(const QString& caption, const QString& text, QWidget* parent = nullptr);
bool askYesNo(const QString& caption, const QString& text, QWidget* parent = nullptr, bool topMost = false);

// True while message boxes are suppressed (headless picture runs): the
// texts still go to stderr and questions are answered No.
void setMessageBoxesSilent(bool silent);
bool messageBoxesSilent();

} // namespace zorvex

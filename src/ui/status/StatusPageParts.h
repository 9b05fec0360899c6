#pragma once

#include <QDate>
#include <QString>

class QCheckBox;
class QLabel;
class QListWidget;
class QWidget;

namespace zorvex {

class MonthEdit;

// Pieces the statistics pages share.

// "Statystyka aktywna".
QCheckBox* makeActiveBox(QWidget* parent, bool on);
// The month choice, starting at today's month.
MonthEdit* makeMonthEdit(QWidget* parent, const QDate& today);
QListWidget* makeDayList(QWidget* parent, const QString& objectName);
QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text = {});
// Replaces the list's lines, keeping the selected row where it still exists.
void setLines(QListWidget* list, const QStringList& lines);

} // namespace zorvex

#pragma once

#include "core/reminders/ReminderData.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zorvex {

// The names of the persons born under `sign` (those with a birthday
// switched on), in list order.
QStringList personsBornUnder(int sign, const QList<PersonEntry>& persons);

// The sign picture's hint with the persons born under the current sign.
QString zodiacHint(int sign, const QList<PersonEntry>& persons);
// The same with the persons read from "Osoby.ini"; a file that cannot be
// read leaves out the persons block.
QString zodiacHintFromFile(int sign, const QString& personsPath);

} // namespace zorvex

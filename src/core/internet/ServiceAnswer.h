#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex {

// The service answers in ISO 8859-2; the program keeps Windows-1250. Only the
// six Polish letters that sit elsewhere in the two code pages are moved
// (Ą Ś Ź ą ś ź); every other byte stays as it came.
QByteArray isoToCp1250(QByteArrayView bytes);

// An answer as every caller reads it: "<br>" removed (any letter case), the
// bytes moved to Windows-1250 and decoded, split into lines at CR, LF or
// CR LF. Empty lines are kept.
QStringList cleanAnswer(QByteArrayView body);

// A list answer: the lines after removing the marker line (first "|" field
// equal to `marker`, letter case ignored) and empty lines. Nothing when the
// marker was missing or no line remains: such an answer never replaces a
// list.
std::optional<QStringList> listAnswer(const QStringList& lines, const QString& marker);

// Whether a name or id from a list file may go into a service address as it
// is: letters, digits, ".", "_" and "-" only, not empty and without "..".
// Anything else could change the address's meaning (another query key, a
// path up), so such requests are not made.
bool isPlainUrlPart(const QString& text);

// A stable opaque token of this computer for the service's "user_id": upper
// case hex pairs of a hash of the machine id with the program's own salt, so
// the id itself never leaves the computer. An empty id gives the hash of the
// salt alone, the same on every such computer.
QString machineToken(QByteArrayView machineId);

} // namespace zorvex

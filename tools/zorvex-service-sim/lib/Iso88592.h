#pragma once

#include <QByteArray>
#include <QString>

namespace zorvex::sim {

// The service speaks ISO-8859-2, as the old PHP site did. Characters the
// code page cannot hold become '?', and `lost` (when given) counts them, so
// a sample file with a stray character is noticed instead of served wrong.
QByteArray toIso88592(QStringView text, int* lost = nullptr);
QString fromIso88592(QByteArrayView bytes);

} // namespace zorvex::sim

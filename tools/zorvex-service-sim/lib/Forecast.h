#pragma once

#include "SimData.h"

#include <QStringList>

namespace zorvex::sim {

// The answer of "pogoda.php" for city id `mid` on `date` ("yyyy.mm.dd"):
// "POGODA", the "ERRORS" line, then city, date, picture, maximum, minimum,
// description, wind, biometeorological conditions, sunrise and sunset. The
// same city and day always give the same forecast, in the climate of the
// month. An unknown city or a bad date gives "ERRORS" with a code above 0.
QStringList forecastLines(const SimData& data, const QString& mid, const QString& date);

} // namespace zorvex::sim

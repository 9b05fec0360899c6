#pragma once

#include <QStringView>

namespace zorvex {

struct ParsedDegrees {
    double value = 0.0;
    bool ok = false;
};

// An angle written as "[-]degrees [minutes [seconds]]": whole degrees and
// minutes, seconds a real number with either decimal separator, fields
// separated by blanks, missing fields 0. A field that is not a number, or a
// fourth field, gives 0 and not ok.
ParsedDegrees parseDegrees(QStringView text);

} // namespace zorvex

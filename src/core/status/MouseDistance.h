#pragma once

#include <QString>

namespace zorvex {

// Pointer travel is counted in pixels; one pixel shows as 0.2 mm, so the
// texts work on units of 0.01 mm (pixels x 20).
struct MouseDistance {
    qint64 km = 0;
    int m = 0;
    int cm = 0;
    int mm = 0; // tenths of a centimetre, one digit

    static MouseDistance fromPixels(qint64 pixels);

    // "1 km 005 m 03 cm 2 mm"
    QString label() const;
    // Lists and hints, aligned: "1km   5m 03cm 2mm", "      5m 03cm 2mm",
    // "         03cm 2mm".
    QString compact() const;
};

inline QString mouseLabel(qint64 pixels) { return MouseDistance::fromPixels(pixels).label(); }
inline QString mouseCompact(qint64 pixels) { return MouseDistance::fromPixels(pixels).compact(); }

} // namespace zorvex

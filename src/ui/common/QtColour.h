#pragma once

#include "core/common/Colour.h"

#include <QColor>

namespace zorvex {

// A stored colour setting as Qt draws with it, and back.
inline QColor toQColor(Colour c)
{
    return QColor(colourRed(c), colourGreen(c), colourBlue(c));
}
inline Colour fromQColor(const QColor& c)
{
    return colourFromRgb(c.red(), c.green(), c.blue());
}

} // namespace zorvex

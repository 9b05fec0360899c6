#pragma once

#include <QString>

namespace zorvex {

// The program's version number ("0.1.0"), set by the build in one place.
QString programVersion();

} // namespace zorvex

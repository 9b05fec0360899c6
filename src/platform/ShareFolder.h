#pragma once

#include <QString>

namespace zorvex {

// The folder the installed data was put in at build time
// ("<prefix>/share/zorvex").
QString configuredShareFolder();

} // namespace zorvex

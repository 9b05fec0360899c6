#pragma once

#include <QString>

namespace zorvex {

// One line on stderr for something the user should know but that must not
// stop the program (a file passed over, a save without its safety net).
// The same text is said only once per run, however often it comes up.
void noticeOnce(const QString& text);

} // namespace zorvex

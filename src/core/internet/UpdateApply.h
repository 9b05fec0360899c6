#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// What the updater does with "update.tmp": every line must name a file
// downloaded next to its final place inside the data folder (the final path
// + ".tmp"), no folder of the way a link, nothing below /usr; otherwise
// nothing at all is applied. Then each downloaded file is renamed over its
// final file, and the list is removed. `problems` gets one line per file
// that could not be applied, or the reason nothing was.
bool applyProgramUpdate(const QString& dataFolder, QStringList* problems);

} // namespace zorvex

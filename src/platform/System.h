#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// The login name of the process owner (passwd entry, else $USER); empty
// when neither is known.
QString loginName();

// Folders that may hold the installed read-only data, best first: next to
// the executable's prefix (a relocated install), then the configured prefix.
QStringList installedDataFolders();

QString executableFolder();

// The command that opens the desktop's mail client.
QString defaultMailProgram();

// Returns freed heap to the system.
void trimWorkingSet();

} // namespace zorvex

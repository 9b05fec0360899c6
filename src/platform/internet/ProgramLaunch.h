#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// Whether the program's files were installed by the system's package
// manager (below /usr, or in a folder the user cannot write): such files are
// the package manager's to replace, never a download's.
bool programInstalledBySystem(const QString& programFolder);

// The updater beside the program (an installed or a relocated program),
// else on the PATH; ZORVEX_UPDATER names another one. Empty when none.
QString findUpdaterProgram(const QString& programFolder);

// Starts the updater on the data folder's "update.tmp": it waits for this
// process to end, applies the files and starts `program` again.
bool launchUpdater(const QString& updater, const QString& dataFolder, const QString& program);

// Starts the program again on the same data folder (after a restore), in
// that folder, without waiting for it.
bool startProgramAgain(const QString& program, const QString& dataFolder, const QStringList& extraArguments = {});

} // namespace zorvex

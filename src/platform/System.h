#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// Folders that may hold the installed read-only data, best first: next to
// the executable's prefix (a relocated install), then the configured prefix.
QStringList installedDataFolders();

QString executableFolder();

// Whether `path` names a program that can be started: an executable file,
// or a bare name found on the PATH.
bool isRunnableProgram(const QString& path);
// A command line as the program and its arguments. The program's path may be
// written unquoted with blanks in it (a folder like "Moje programy"): words
// are joined until they name a program. Double quotes group words.
QStringList splitProgramCommand(const QString& line);
// A program's path as a command line writes it: quoted when it has a blank.
QString quotedProgramPath(const QString& path);

} // namespace zorvex

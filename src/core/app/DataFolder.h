#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// What decides where the data folder is. Filled by the platform layer from
// the command line, the environment and the file system.
struct DataFolderInputs {
    QString commandLine;  // --data-dir DIR
    QString environment;  // ZORVEX_DATA_DIR
    QString executableFolder;
    QString xdgDataHome;  // $XDG_DATA_HOME, may be empty
    QString home;         // $HOME
};

struct DataFolderChoice {
    QString folder;      // with a trailing "/"
    bool seed = false;   // a per-user folder to fill from the installed data
};

// An explicit folder wins; then a portable install (the executable's folder
// holding "Imieniny.ini"); otherwise the per-user XDG data folder.
DataFolderChoice chooseDataFolder(const DataFolderInputs& in);

// Copies the installed read-only data into `target`, creating folders and
// leaving every file that already exists alone. Returns false when nothing
// could be copied from any of `sources` (the first existing one is used).
bool seedDataFolder(const QString& target, const QStringList& sources);

} // namespace zorvex

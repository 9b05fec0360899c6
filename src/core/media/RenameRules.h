#pragma once

#include <QString>

namespace zorvex {

// The rules of the rename window, apart from the window.

// Each of \ / ? * < > | : and the double quote becomes a space, as it is typed.
QString cleanedFileName(const QString& name);

// The name without its extension and the extension (without the dot) of a
// path, split where the display name splits it.
QString nameWithoutExtension(const QString& path);
QString extensionOf(const QString& path);

struct RenamePlan {
    QString target; // the new path; empty when refused
    QString error;  // why, in Polish
};

// The path `path` gets with the name `name`: the same folder and the same
// extension, its case kept. A blank name is refused.
RenamePlan planRename(const QString& path, const QString& name);

// Renames, never over another file: an existing target is refused. A plan
// that keeps the path does nothing and succeeds.
bool renameTrack(const QString& from, const QString& to, QString* error);

} // namespace zorvex

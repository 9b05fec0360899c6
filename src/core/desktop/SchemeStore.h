#pragma once

#include "core/common/AddonFolder.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace zorvex {

// One entry of the scheme list: the folder's name and its record (the first
// field replaced by the name), with the marks of the add-on lists.
struct SchemeEntry {
    QString name;
    QString record;
    int ageHours = kNewAddonHours;
    QString version;
};

// The folder of a scheme below `schemesFolder` ("<data>/Gfx/Schematy/").
QString schemeFolderIn(const QString& schemesFolder, const QString& name);

// The record line of a scheme folder's "Kolory.ini": its first line when it
// holds the separator, else empty.
QString readSchemeRecord(const QString& folder);

// The scheme's minimize-button picture: "minimize.png", else
// "minimize.bmp" (in any letter case), else empty.
QString schemeMinimizePicture(const QString& folder);

// BuildSchemeList: "Domyślny" first (its folder's record, else the built-in
// one), then every other folder whose "Kolory.ini" is a record, by name. A
// folder named "domyślny" in any letter case is the default, never a second
// entry.
QList<SchemeEntry> buildSchemeList(const QString& schemesFolder, const QDateTime& now);

// Turns the older per-profile scheme list into scheme folders: each record
// whose sanitised name names no folder yet gets one. The list file is
// deleted once every record it holds is safely in a folder; a list that
// cannot be read whole, or a record that could not be written, keeps it.
// Returns how many folders were made.
int convertLegacySchemes(const QString& legacyFile, const QString& schemesFolder);

// Writes `record` as the scheme `name`. A new scheme takes with it the
// current scheme's skin picture (when the skin is a bare name found in that
// folder) and minimize picture. A failed save leaves no new folder behind.
struct SchemeSave {
    QString schemesFolder;
    QString name;
    QString record;
    QString currentScheme; // the scheme in use, whose pictures a new one copies
    QString skinName;      // Kolor_BT
};
bool saveScheme(const SchemeSave& save, QString* error = nullptr);

} // namespace zorvex

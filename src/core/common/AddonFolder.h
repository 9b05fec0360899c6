#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace zorvex {

// Add-on sets live one folder each below their set folder ("Gfx/Schematy/",
// "Godziny/", ...). These helpers keep every name typed or read from a file
// to one such folder, never a path that reaches out of it.

// The name without the characters no Windows file name may hold:
// \ / ? * < > | : and the double quote.
QString sanitiseAddonName(QStringView name);

// Whether a trimmed, sanitised name can name a set folder: not empty and
// not "." or "..", which would name the set folder itself or its parent.
bool isUsableAddonName(const QString& name);

// Deletes the set `name` of `setsFolder` with everything in it, silently.
// Only a direct child of the set folder is touched: a name that is not a
// usable plain folder name is refused, and a set that is a symbolic link
// loses only the link, never what it points at. A set that is not there
// counts as deleted. On failure `error` (when given) says why, in Polish.
bool removeAddonSetFolder(const QString& setsFolder, const QString& name, QString* error = nullptr);

// Sets younger than this (in hours) are marked as new in the lists; older
// ages are written as this.
inline constexpr int kNewAddonHours = 25;

// The age in whole hours of the newest of `files` at `now`, capped at
// kNewAddonHours; a file whose time cannot be read counts as written on
// 1 January 2000. No files: kNewAddonHours.
int addonAgeHours(const QStringList& files, const QDateTime& now);
// The same for a time given directly (a composition's saving time).
int addonAgeHours(const QDateTime& written, const QDateTime& now);

} // namespace zorvex

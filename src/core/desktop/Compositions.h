#pragma once

#include "core/common/AddonFolder.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace zorvex {

// A composition: one line of "Kompozycje.ini", fields separated by the byte
// 0xFF: name, colour scheme, weather icons, zodiac kind, zodiac set or
// picture, playback skin, disk icon, zodiac shown, saving time (seconds
// since 1970 in local time), time-of-day icons, version.
namespace composition {
inline constexpr int Name = 1, Scheme = 2, Weather = 3, ZodiacKind = 4, Zodiac = 5, Skin = 6, Disk = 7,
                     ZodiacShown = 8, SavedAt = 9, TimeOfDay = 10, Version = 11;
}

// The first entry of every composition list (a bare name line).
QString defaultCompositionName(); // "Domyślna"

QString compositionField(const QString& line, int n);

// The list as kept: "Domyślna" first, inserted when the file does not start
// with it exactly. `replace` says whether writing the file anew from the
// list loses nothing.
QStringList loadCompositions(const QString& path, bool* replace = nullptr);
bool saveCompositions(const QString& path, const QStringList& list, QString* error = nullptr);

// The position of the entry named `name` (after the first), or -1.
int findComposition(const QStringList& list, const QString& name);
// The position of the entry equal to the stored whole line, else 0.
int chosenComposition(const QStringList& list, const QString& storedLine);

// Seconds since 1970 of a local time read as if it were UTC, the saving
// time's form.
qint64 localSecondsSince1970(const QDateTime& now);
// The list marks of an entry: hours since its saving time.
int compositionAgeHours(const QString& line, const QDateTime& now);

// What a composition is made of when saved.
struct CompositionParts {
    QString name;
    QString scheme, weather, skin, disk, timeOfDay; // empty for each default
    int zodiacKind = 0;
    QString zodiac; // the sign set (kind 0) or the fixed picture (kind 1)
    bool zodiacShown = true;
    QString version;
};
QString compositionLine(const CompositionParts& parts, const QDateTime& now);

// Puts a saved line into the list: a replaced entry (same name) keeps its
// version. Returns the line's position.
int storeComposition(QStringList& list, const QString& line);

// The sets a composition may name, each list without its default first
// entry.
struct AvailableAddons {
    QStringList schemes, weather, timeOfDay, skins, zodiac, disks;
    // Whether a fixed zodiac picture is there, as given or in the data folder.
    std::function<bool(const QString& path)> pictureExists;
};

// ApplyComposition's choices: each name as its list spells it, empty for the
// default entry, with what was missing.
struct CompositionPlan {
    QString name;
    QString scheme, weather, timeOfDay, skin, disk;
    bool zodiacShown = true;
    int zodiacKind = 0;
    QString zodiacSet;     // kind 0
    QString zodiacPicture; // kind 1
    QStringList missing;   // "Ikona dysku: Stara", ...
};
CompositionPlan planComposition(const QString& line, const AvailableAddons& available);

// The warning of a composition with missing add-ons, and its caption.
QString missingAddonsText(const QStringList& missing);
QString compositionCaption(const QString& name);

} // namespace zorvex

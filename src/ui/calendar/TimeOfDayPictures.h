#pragma once

#include "core/calendar/SunTimes.h"
#include "ui/calendar/PictureSets.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>

namespace zorvex {

class PathTable;

inline constexpr int kTimeOfDayWidth = 32;
inline constexpr int kTimeOfDayHeight = 64;

// The program's own pictures of the four day parts, drawn in code: morning
// (the sun rising), midday (the sun high), evening (the sun setting) and
// night (the moon and stars). No part shows midday.
QImage builtInTimeOfDayPicture(DayPart part);

// <data>/Gfx/Pora dnia/
QString timeOfDaySetsFolder(const PathTable& paths);
// The picture file of a part in a set folder: "01" ... "04" with ".png",
// ".gif" or ".bmp", looked up in that order (letter case ignored). Empty
// when the set lacks it.
QString timeOfDayPictureFile(const QString& setFolder, DayPart part);
QString timeOfDayPictureFile(const FolderListing& set, DayPart part);

// The picture shown for a part: the set's file when a set is chosen and has
// it, else the built-in one. Every result is 32 x 64: a ".bmp" is stretched
// to it; a ".png" or ".gif" keeps its transparency and is centred (scaled
// down only when too large).
QImage timeOfDayPicture(const QString& setFolder, DayPart part);
QImage timeOfDayPicture(const PathTable& paths, const QString& setName, DayPart part);

// The frame lines drawn over the picture: its right edge with the grid on,
// its top and left edges with the frame or the grid on.
QImage framedTimeOfDayPicture(const QImage& picture, bool grid, bool frame);

// An entry of the "Ikony pory dnia:" list.
struct TimeOfDaySet {
    QString name;    // the folder's name; empty for the built-in pictures
    int ageHours = kNewSetHours; // of the newest picture, capped at 25
    QString version; // first line of the set's Wersja.ini
    bool isBuiltIn() const { return name.isEmpty(); }
};

// "Domyślne" first, then every folder holding all four pictures (other than
// one named "Domyślne"), sorted by name.
QList<TimeOfDaySet> scanTimeOfDaySets(const QString& setsFolder, const QDateTime& now);

} // namespace zorvex

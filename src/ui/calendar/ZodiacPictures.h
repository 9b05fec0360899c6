#pragma once

#include "core/common/Colour.h"
#include "ui/calendar/PictureSets.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <optional>

namespace zorvex {

class PathTable;
struct MainWindowSettings;

inline constexpr int kZodiacWidth = 108;
inline constexpr int kZodiacHeight = 34;
// The background of the built-in pictures; their top-left pixel, so the
// colour that turns transparent.
inline constexpr Colour kZodiacBuiltInBackground = colourFromRgb(250, 250, 250);
// In a set's ".bmp" pictures this colour takes the zodiac text colour.
inline constexpr Colour kZodiacInk = colourFromRgb(10, 10, 10);

// The program's own picture of a sign (1..12): the name in capitals and the
// sign's symbol in black on RGB(250, 250, 250), 108 x 34. Null outside 1..12.
QImage builtInZodiacPicture(int sign);
// The built-in picture as shown: the background transparent, everything
// else in `colour`.
QImage colouredBuiltInZodiacPicture(int sign, Colour colour);
// A small version of the coloured built-in picture for the menu items.
QImage zodiacMenuIcon(int sign);

// <data>/Gfx/Zodiak/
QString zodiacSetsFolder(const PathTable& paths);
// A sign's picture in a set folder: "01" or "1" with ".png", then ".gif",
// then ".bmp" (two digits first, letter case ignored). Empty when missing.
QString zodiacSetPictureFile(const QString& setFolder, int sign);
QString zodiacSetPictureFile(const FolderListing& set, int sign);
// A set's ".bmp": every pixel of exactly RGB(10, 10, 10) becomes `colour`,
// magenta becomes transparent.
QImage recolouredSetBitmap(const QImage& bitmap, Colour colour);
// The fixed picture's file: ZodiakStyl2 as stored, else relative to the
// data folder (either slash accepted). Empty when neither exists.
QString zodiacFixedPictureFile(const PathTable& paths, const QString& stored);

// What the picture area shows.
struct ZodiacPicture {
    QImage image;      // a still picture, already fitted to the area
    QString movieFile; // a ".gif" shown unstretched and animated; image empty
    // The colour that turned transparent in a keyed still picture (the
    // built-in one or a bitmap), and whether the built-in one is shown.
    std::optional<Colour> transparent;
    bool builtIn = false;
};

// The picture of `sign` by ZodiakTyp, ZodiakStyl1 and ZodiakStyl2 for an
// area of `area`: a set's picture (falling back to the built-in one when
// the set lacks it or it cannot be read) or the fixed picture (nothing when
// it is missing), stretched to the area; or the built-in picture at its own
// size, for the area to centre. Nothing for sign 0.
ZodiacPicture zodiacPicture(const MainWindowSettings& s, const PathTable& paths, int sign, Colour colour,
                            const QSize& area);

// Every folder holding a picture for each of the twelve signs, other than
// one named "Domyślny", sorted by name.
QList<PictureSetInfo> scanZodiacSets(const QString& setsFolder, const QDateTime& now);

} // namespace zorvex

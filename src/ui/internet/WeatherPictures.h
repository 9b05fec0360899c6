#pragma once

#include "ui/calendar/PictureSets.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace zorvex {

inline constexpr int kWeatherPictures = 11;

// The program's own drawing of weather picture n (1..11: clear, few clouds,
// moderate, heavy clouds, overcast, showers, rain, storm, snow showers,
// snow, fog) at `size`; a null image for any other n.
QImage builtInWeatherPicture(int n, const QSize& size);

// The icon sets: "Domyślny" first, then every folder of `setsFolder` that
// holds 01..11 as ".bmp", ".png" or ".gif" (a folder named "Domyślny" in
// any letter case is not listed twice).
QStringList scanWeatherIconSets(const QString& setsFolder);
// The same sets without "Domyślny", each with its version and its age (the
// newest of its eleven pictures, as every add-on list marks new sets).
QList<PictureSetInfo> scanWeatherIconSetInfos(const QString& setsFolder, const QDateTime& now);

// The set's picture n: ".png" first, then ".gif", then ".bmp". "Domyślny"
// without a folder of its own is the built-in drawing. A null image when
// the file is missing or cannot be read.
QImage loadWeatherIconPicture(const QString& setsFolder, const QString& set, int n);

// DrawIcon's picture: 32×64 (stretched when it is not), the panel's lines
// on its edges, the temperature in bold Tahoma without smoothing at the
// bottom, centred; magenta is transparent, so a magenta text is drawn as
// RGB 254,0,254.
QImage composeWeatherIcon(const QImage& picture, bool grid, bool frame, const QString& temperature,
                          QColor textColour);

} // namespace zorvex

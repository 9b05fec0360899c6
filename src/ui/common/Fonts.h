#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace zorvex {

// Folders that may hold Tahoma: the fonts-wine package's folder first.
QStringList tahomaFolders();

// Registers tahoma.ttf and tahomabd.ttf from the first folder that has them,
// so the look's sizes match its numbers. Without them "Tahoma" is mapped to
// the closest sans font installed. Returns true when Tahoma itself is
// available. Safe to call more than once.
bool registerTahoma(const QStringList& folders = tahomaFolders());

// A font sized as on a 96 DPI screen: `points` become points x 96 / 72
// pixels, whatever the screen's own resolution, so text fits the window's
// fixed pixel sizes. Bold Tahoma comes in boldFamily() of that size.
QFont pixelFont(const QString& family, int points, bool bold = false);
QFont tahoma(int points, bool bold = false);

// How much ink a text leaves in a font, drawn without anti-aliasing as the
// window draws its small texts: the summed darkness of its pixels.
double strokeDarkness(const QFont& font, const QString& sample);
// Whether a family's bold carries clearly more ink than its regular at a
// pixel size. Some builds of Tahoma draw their bold as thin as the regular
// at some sizes.
bool boldReadsBold(const QString& family, int pixelSize);
// `preferred` when its bold reads as bold at that size, else the first
// installed stand-in whose bold does, else `preferred` all the same.
QString chooseBoldFamily(const QString& preferred, const QStringList& standIns, int pixelSize);
// The family bold Tahoma text of a pixel size is drawn in: Tahoma, or
// DejaVu Sans (Condensed first, for Tahoma's widths) where Tahoma's bold
// reads as regular. Each size is measured once, when it is first drawn:
// measuring renders samples in several fonts, too slow to do for every
// size at start.
QString boldFamily(int pixelSize);

} // namespace zorvex

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
// fixed pixel sizes.
QFont pixelFont(const QString& family, int points, bool bold = false);
QFont tahoma(int points, bool bold = false);

} // namespace zorvex

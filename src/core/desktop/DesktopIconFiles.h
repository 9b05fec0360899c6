#pragma once

#include "core/desktop/IconLayout.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace zorvex {

// The places where Linux desktops keep their icons' positions, read and
// rewritten here so the desktop programs stay outside the core. Each keeps
// every line it does not change.

// PCManFM-Qt's "desktop-items-N.conf": a group per file name (escaped as
// QSettings escapes keys), `pos=@Point(x y)` in pixels.
QList<IconPosition> readPcmanfmItems(const QByteArray& file);
QByteArray writePcmanfmItems(const QByteArray& file, const QList<IconPosition>& moves);
QString pcmanfmGroupName(const QString& fileName);
QString pcmanfmFileName(const QString& groupName);

// xfdesktop's "icons.screen*.rc": a group per icon (its label, or the file's
// path), `row=` and `col=` of the icon grid; x is the column, y the row.
QList<IconPosition> readXfceIcons(const QByteArray& file);
QByteArray writeXfceIcons(const QByteArray& file, const QList<IconPosition>& moves);

// GIO metadata of Nemo and Caja: "x,y" in pixels, and the value as
// `gio info -a ATTRIBUTE` prints it.
std::optional<QPoint> parseGioIconPosition(const QString& value);
QString gioIconPosition(const QPoint& position);
std::optional<QPoint> gioInfoIconPosition(const QString& infoOutput, const QString& attribute);

} // namespace zorvex

#pragma once

#include "core/common/Colour.h"

#include <QImage>
#include <QRect>
#include <QString>

namespace zorvex {

class PathTable;
struct MainWindowSettings;

// The window background (TAPETA) behind the top panel, the caption row and
// the month.
inline constexpr int kShadingWidth = 147;
inline constexpr int kShadingHeight = 200;
inline constexpr int kPlainBackgroundHeight = 180;
inline constexpr int kBackgroundShownHeight = 181;      // with the top panel
inline constexpr int kBackgroundShortHeight = 117;      // without it
inline constexpr int kSkinTopPanelOffset = 64;          // rows a full skin hides without the top panel
inline constexpr QSize kFullSkinSize = QSize(147, 181); // a skin drawn for this window exactly

// The built-in shading: 147 x 200 darkening amounts (0-83), none over the
// middle, deepening towards the sides and, less, towards the top and the
// bottom, so a plain colour looks slightly rounded. One byte per pixel.
const QImage& shadingTemplate();

// The background colour with the template's amounts taken off each of red,
// green and blue, clamped at 0.
QImage shadedBackground(Colour colour, const QImage& shading = shadingTemplate());
QImage plainBackground(Colour colour, int width);

// The scheme folder a bare skin name is looked up in first:
// <data>/Gfx/Schematy/<scheme>/.
QString schemeFolder(const PathTable& paths, const QString& schemeName);

// The file a skin name stands for: a bare (relative) name is taken from the
// scheme folder when it exists there, otherwise from the data folder; an
// absolute path as it is. Empty for an empty name.
QString resolveSkinPath(const QString& name, const QString& schemeDir, const QString& dataFolder);

// How a picked skin file is stored: its bare name when it lies in the
// scheme folder, else its full path.
QString skinNameForPick(const QString& pickedPath, const QString& schemeDir);

struct BackgroundPicture {
    QImage image;
    bool skin = false;            // a skin picture was loaded
    bool clearSkinName = false;   // the named skin file does not exist
};

// Builds the background from the settings: the shaded or plain colour, or
// the skin. A missing skin gives the plain colour and asks for the name to
// be cleared; an unreadable one gives the plain colour and keeps the name.
BackgroundPicture buildBackground(const MainWindowSettings& s, const PathTable& paths, int clientWidth);

// Where the picture is shown, stretched to the client width: a skin of
// exactly 147 x 181 at its own height, 64 rows higher without the top panel;
// anything else at the top, 181 or 117 rows high.
QRect backgroundPlacement(const QSize& picture, bool skin, bool topPanelShown, int clientWidth);

} // namespace zorvex

#include "ui/calendar/Background.h"

#include "core/app/Settings.h"
#include "core/common/PathTable.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace zorvex {
namespace {

constexpr int kSideDepth = 80;   // at the left and right edges
constexpr int kTopDepth = 58;    // along the top row
constexpr int kBottomDepth = 48; // along the bottom row
constexpr int kMaxDepth = 83;
constexpr int kSideReach = 22;   // columns the side shading spans
constexpr int kEdgeReach = 14;   // rows the top and bottom shading spans

// Quadratic fall-off: steep at the edge, flat towards the middle.
double falloff(int distance, int reach)
{
    if (distance >= reach)
        return 0.0;
    const double t = 1.0 - double(distance) / reach;
    return t * t;
}

QImage makeShading()
{
    QImage img(kShadingWidth, kShadingHeight, QImage::Format_Grayscale8);
    for (int y = 0; y < kShadingHeight; ++y) {
        uchar* line = img.scanLine(y);
        const double vertical =
            std::max(kTopDepth * falloff(y, kEdgeReach), kBottomDepth * falloff(kShadingHeight - 1 - y, kEdgeReach));
        for (int x = 0; x < kShadingWidth; ++x) {
            const int dx = std::min(x, kShadingWidth - 1 - x);
            const double side = kSideDepth * falloff(dx, kSideReach);
            // Corners deepen a little beyond either edge alone.
            const double v = std::max(side, vertical) + 0.25 * std::min(side, vertical);
            line[x] = uchar(std::clamp(int(std::lround(v)), 0, kMaxDepth));
        }
    }
    return img;
}

bool isBareName(const QString& name)
{
    return QDir::isRelativePath(name);
}

} // namespace

const QImage& shadingTemplate()
{
    static const QImage shading = makeShading();
    return shading;
}

QImage shadedBackground(Colour colour, const QImage& shading)
{
    QImage out(shading.size(), QImage::Format_RGB32);
    const int r = colourRed(colour);
    const int g = colourGreen(colour);
    const int b = colourBlue(colour);
    for (int y = 0; y < shading.height(); ++y) {
        const uchar* amounts = shading.constScanLine(y);
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < shading.width(); ++x) {
            const int d = amounts[x];
            line[x] = qRgb(std::clamp(r - d, 0, 255), std::clamp(g - d, 0, 255), std::clamp(b - d, 0, 255));
        }
    }
    return out;
}

QImage plainBackground(Colour colour, int width)
{
    QImage out(std::max(1, width), kPlainBackgroundHeight, QImage::Format_RGB32);
    out.fill(toArgb(colour));
    return out;
}

QString schemeFolder(const PathTable& paths, const QString& schemeName)
{
    return paths.inDataFolder(QStringLiteral("Gfx/Schematy/") + schemeName + QLatin1Char('/'));
}

QString resolveSkinPath(const QString& name, const QString& schemeDir, const QString& dataFolder)
{
    if (name.isEmpty())
        return {};
    if (!isBareName(name))
        return name;
    const QString inScheme = QDir(schemeDir).filePath(name);
    if (!schemeDir.isEmpty() && QFileInfo::exists(inScheme))
        return inScheme;
    return QDir(dataFolder).filePath(name);
}

QString skinNameForPick(const QString& pickedPath, const QString& schemeDir)
{
    const QFileInfo picked(pickedPath);
    if (!schemeDir.isEmpty()) {
        const QString folder = QFileInfo(QDir(schemeDir).absolutePath()).canonicalFilePath();
        const QString pickedFolder = picked.absoluteDir().canonicalPath();
        if (!folder.isEmpty() && folder == pickedFolder)
            return picked.fileName();
    }
    return picked.absoluteFilePath();
}

BackgroundPicture buildBackground(const MainWindowSettings& s, const PathTable& paths, int clientWidth)
{
    BackgroundPicture out;
    if (s.plainBackground) {
        out.image = s.backgroundShadow ? shadedBackground(s.background) : plainBackground(s.background, clientWidth);
        return out;
    }
    const QString path = resolveSkinPath(s.skinPicture, schemeFolder(paths, s.colourSchemeName), paths.dataFolder());
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        out.clearSkinName = true;
        out.image = plainBackground(s.background, clientWidth);
        return out;
    }
    QImage skin(path);
    if (skin.isNull()) {
        out.image = plainBackground(s.background, clientWidth);
        return out;
    }
    out.image = skin;
    out.skin = true;
    return out;
}

QRect backgroundPlacement(const QSize& picture, bool skin, bool topPanelShown, int clientWidth)
{
    if (skin && picture == kFullSkinSize)
        return QRect(0, topPanelShown ? 0 : -kSkinTopPanelOffset, clientWidth, kFullSkinSize.height());
    return QRect(0, 0, clientWidth, topPanelShown ? kBackgroundShownHeight : kBackgroundShortHeight);
}

} // namespace zorvex

#include "ui/common/Fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>

namespace zorvex {
namespace {

bool g_registered = false;
bool g_haveTahoma = false;
// The family of bold Tahoma text per pixel size, once measured.
QHash<int, QString> g_boldFamilies;

QString family()
{
    return QStringLiteral("Tahoma");
}

// Stand-ins with a bold that reads as bold: the condensed face first, its
// widths being Tahoma's own, so the fixed layouts still fit.
QStringList boldStandIns()
{
    return {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")};
}

// A real bold leaves at least this much more ink than the regular.
constexpr double kBoldInkRatio = 1.2;

QString boldSample()
{
    return QString::fromUtf8("Poniedziałek 12:45 Śr Cz Nd");
}

QFont sampleFont(const QString& name, int pixelSize, bool bold)
{
    QFont f(name);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

bool installed(const QString& name)
{
    return QFontDatabase::families().contains(name, Qt::CaseInsensitive);
}

// Sans fonts whose widths come closest to Tahoma's, best first.
QStringList closeSans()
{
    return {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Noto Sans"), QStringLiteral("FreeSans"), QStringLiteral("Sans Serif")};
}

// Tahoma from the system, else from the first folder that has it; without
// it, "Tahoma" maps to the closest sans fonts installed.
bool addTahoma(const QStringList& folders)
{
    if (QFontDatabase::families().contains(family(), Qt::CaseInsensitive))
        return true;
    for (const QString& folder : folders) {
        const QString regular = QDir(folder).filePath(QStringLiteral("tahoma.ttf"));
        if (!QFileInfo::exists(regular))
            continue;
        if (QFontDatabase::addApplicationFont(regular) < 0)
            continue;
        const QString bold = QDir(folder).filePath(QStringLiteral("tahomabd.ttf"));
        if (QFileInfo::exists(bold))
            QFontDatabase::addApplicationFont(bold);
        return true;
    }
    const QStringList installed = QFontDatabase::families();
    QStringList substitutes;
    for (const QString& candidate : closeSans()) {
        if (installed.contains(candidate, Qt::CaseInsensitive))
            substitutes << candidate;
    }
    if (!substitutes.isEmpty())
        QFont::insertSubstitutions(family(), substitutes);
    return false;
}

} // namespace

QStringList tahomaFolders()
{
    return {QStringLiteral("/usr/share/wine/fonts"), QStringLiteral("/usr/share/fonts/truetype/wine"),
            QStringLiteral("/usr/local/share/wine/fonts")};
}

bool registerTahoma(const QStringList& folders)
{
    if (g_registered)
        return g_haveTahoma;
    g_registered = true;
    g_haveTahoma = addTahoma(folders);
    // The sizes measured before belong to the fonts as they were.
    g_boldFamilies.clear();
    return g_haveTahoma;
}

QString chooseBoldFamily(const QString& preferred, const QStringList& standIns, int pixelSize)
{
    if (boldReadsBold(preferred, pixelSize))
        return preferred;
    for (const QString& standIn : standIns) {
        if (installed(standIn) && boldReadsBold(standIn, pixelSize))
            return standIn;
    }
    return preferred;
}

QString boldFamily(int pixelSize)
{
    const auto known = g_boldFamilies.constFind(pixelSize);
    if (known != g_boldFamilies.constEnd())
        return *known;
    const QString chosen = chooseBoldFamily(family(), boldStandIns(), pixelSize);
    g_boldFamilies.insert(pixelSize, chosen);
    return chosen;
}

double strokeDarkness(const QFont& font, const QString& sample)
{
    const QFontMetrics fm(font);
    QImage img(fm.horizontalAdvance(sample) + 4, fm.height() + 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QPoint(2, 2 + fm.ascent()), sample);
    }
    double ink = 0;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            ink += 255 - qGray(line[x]);
    }
    return ink;
}

bool boldReadsBold(const QString& name, int pixelSize)
{
    const double regular = strokeDarkness(sampleFont(name, pixelSize, false), boldSample());
    const double bold = strokeDarkness(sampleFont(name, pixelSize, true), boldSample());
    return regular > 0 && bold >= regular * kBoldInkRatio;
}

QFont pixelFont(const QString& name, int points, bool bold)
{
    const int pixels = qMax(1, (points * 96 + 36) / 72);
    QFont f(bold && name.compare(family(), Qt::CaseInsensitive) == 0 ? boldFamily(pixels) : name);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QFont tahoma(int points, bool bold)
{
    return pixelFont(family(), points, bold);
}

} // namespace zorvex

#include "ui/app/Fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

namespace zorvex {
namespace {

bool g_registered = false;
bool g_haveTahoma = false;

QString family()
{
    return QStringLiteral("Tahoma");
}

// Sans fonts whose widths come closest to Tahoma's, best first.
QStringList closeSans()
{
    return {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
            QStringLiteral("Noto Sans"), QStringLiteral("FreeSans"), QStringLiteral("Sans Serif")};
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
    if (QFontDatabase::families().contains(family(), Qt::CaseInsensitive)) {
        g_haveTahoma = true;
        return true;
    }
    for (const QString& folder : folders) {
        const QString regular = QDir(folder).filePath(QStringLiteral("tahoma.ttf"));
        if (!QFileInfo::exists(regular))
            continue;
        if (QFontDatabase::addApplicationFont(regular) < 0)
            continue;
        const QString bold = QDir(folder).filePath(QStringLiteral("tahomabd.ttf"));
        if (QFileInfo::exists(bold))
            QFontDatabase::addApplicationFont(bold);
        g_haveTahoma = true;
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

QFont pixelFont(const QString& name, int points, bool bold)
{
    QFont f(name);
    f.setPixelSize(qMax(1, (points * 96 + 36) / 72));
    f.setBold(bold);
    return f;
}

QFont tahoma(int points, bool bold)
{
    return pixelFont(family(), points, bold);
}

} // namespace zorvex

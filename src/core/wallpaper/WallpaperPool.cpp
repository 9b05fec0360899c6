#include "core/wallpaper/WallpaperPool.h"

#include "core/wallpaper/WallpaperSettings.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace zorvex {

bool isWallpaperSource(QStringView fileName)
{
    for (const char* ext : {".jpg", ".bmp", ".png", ".webp"}) {
        if (fileName.endsWith(QLatin1String(ext), Qt::CaseInsensitive) && fileName.size() > qsizetype(qstrlen(ext)))
            return true;
    }
    return false;
}

QString wallpaperFolder(const QString& folder)
{
    return folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

namespace {

QStringList sourcesIn(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    QStringList names;
    // Hidden files count too, as they did where hidden was only a flag.
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
        if (isWallpaperSource(name) && QFileInfo(dir.filePath(name)).isFile())
            names << name;
    return names;
}

} // namespace

QStringList scanWallpaperFolders(const QStringList& folders)
{
    QStringList pool;
    for (const QString& f : folders) {
        const QString folder = wallpaperFolder(f);
        for (const QString& name : sourcesIn(folder))
            pool << folder + name;
    }
    return pool;
}

int countWallpaperSources(const QString& folder)
{
    return int(sourcesIn(folder).size());
}

QString poolShortageMessage(int size, int mode)
{
    if (size <= 0)
        return QStringLiteral("W wybranych katalogach z tapetami nie ma plików *.jpg lub *.bmp");
    const int needed = wallpaperPictureCount(mode);
    if (size >= needed)
        return {};
    const char* minimum = needed == 4 ? "(minimum 4 pliki)" : needed == 9 ? "(minimum 9 plików)" : "(minimum 16 plików)";
    return QStringLiteral("W wybranych katalogach z tapetami jest za mało plików *.jpg lub *.bmp ")
        + QString::fromUtf8(minimum);
}

QString sourceCountSuffix(int n)
{
    const int last = n % 10;
    const int lastTwo = n % 100;
    const char* word = " plików jpg lub bmp)";
    if (n == 1)
        word = " plik jpg lub bmp)";
    else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        word = " pliki jpg lub bmp)";
    return QStringLiteral(" (") + QString::number(n) + QString::fromUtf8(word);
}

WallpaperDraw drawWallpapers(QStringList& pool, int mode, int count, const PickBelow& pick, const FileExists& exists,
                             const FolderScan& scan)
{
    WallpaperDraw draw;
    const int needed = wallpaperPictureCount(mode);
    count = std::max(count, needed);
    const auto refill = [&] {
        pool = scan();
        draw.refilled = true;
        draw.shortage = poolShortageMessage(int(pool.size()), mode);
        return draw.shortage.isEmpty();
    };
    if (pool.size() < count && !refill()) {
        pool.clear();
        return draw;
    }
    while (draw.picked.size() < count && !pool.isEmpty()) {
        const int bound = int(pool.size());
        const int i = std::clamp(pick(bound), 0, bound - 1);
        const QString path = pool.takeAt(i);
        if (exists(path)) {
            draw.picked << path;
            continue;
        }
        if (pool.size() < count - draw.picked.size() && !draw.refilled) {
            draw.picked.clear();
            if (!refill()) {
                pool.clear();
                return draw;
            }
        }
    }
    if (draw.picked.size() < needed) {
        // Even the one refill did not leave enough files that exist.
        draw.shortage = poolShortageMessage(int(draw.picked.size()), mode);
        draw.picked.clear();
        return draw;
    }
    for (int i = 0; draw.picked.size() < count; ++i)
        draw.picked << draw.picked.at(i);
    return draw;
}

} // namespace zorvex

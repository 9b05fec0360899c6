#include "core/wallpaper/WallpaperStore.h"

#include "core/common/AtomicFile.h"
#include "core/common/LineFile.h"
#include "core/common/PathTable.h"
#include "core/wallpaper/WallpaperPool.h"

namespace zorvex {

WallpaperStore::WallpaperStore(QString folders, QString pool, QString history)
    : m_folders(std::move(folders))
    , m_pool(std::move(pool))
    , m_history(std::move(history))
{
}

WallpaperStore::WallpaperStore(const PathTable& paths)
    : WallpaperStore(paths.path(PathId::Tapeter), paths.path(PathId::Tmp), paths.path(PathId::TapeterOst))
{
}

namespace {

QStringList nonBlank(const QStringList& lines)
{
    QStringList out;
    for (const QString& line : lines)
        if (!line.trimmed().isEmpty())
            out << line;
    return out;
}

} // namespace

QStringList WallpaperStore::loadFolders() const
{
    QStringList folders;
    for (const QString& line : nonBlank(loadLineFile(m_folders))) {
        const QString folder = wallpaperFolder(line);
        if (!folders.contains(folder))
            folders << folder;
    }
    return folders;
}

bool WallpaperStore::saveFolders(const QStringList& folders) const
{
    return saveLineFile(m_folders, folders);
}

QStringList WallpaperStore::loadPool() const
{
    return nonBlank(loadLineFile(m_pool));
}

bool WallpaperStore::savePool(const QStringList& pool) const
{
    return saveLineFile(m_pool, pool);
}

void WallpaperStore::dropPool() const
{
    removeDataFile(m_pool);
}

QStringList WallpaperStore::loadHistory(bool* replaceable) const
{
    return nonBlank(loadLineFile(m_history, nullptr, replaceable));
}

bool WallpaperStore::saveHistory(const QStringList& history) const
{
    return saveLineFile(m_history, history);
}

} // namespace zorvex

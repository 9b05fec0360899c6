#include "core/internet/MapCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zorvex {

namespace {
constexpr char kSuffix[] = ".map";
}

MapCache::MapCache(QString folder, qint64 capBytes, qint64 maxAgeSecs)
    : m_folder(std::move(folder))
    , m_cap(capBytes)
    , m_maxAge(maxAgeSecs)
{
}

QString MapCache::pathOf(const QString& url) const
{
    // A hash as the name: an address never becomes a path of its own.
    const QByteArray hash = QCryptographicHash::hash(url.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QDir(m_folder).filePath(QString::fromLatin1(hash) + QLatin1String(kSuffix));
}

QString MapCache::lookup(const QString& url, const QDateTime& now) const
{
    const QString path = pathOf(url);
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink())
        return {};
    const qint64 age = info.lastModified().secsTo(now);
    if (age < 0 || age > m_maxAge)
        return {};
    return path;
}

qint64 MapCache::size() const
{
    qint64 total = 0;
    const QDir dir(m_folder);
    for (const QFileInfo& f : dir.entryInfoList({QStringLiteral("*") + QLatin1String(kSuffix)}, QDir::Files))
        total += f.size();
    return total;
}

void MapCache::trim(qint64 room, const QString& keep)
{
    QDir dir(m_folder);
    QFileInfoList files = dir.entryInfoList({QStringLiteral("*") + QLatin1String(kSuffix)}, QDir::Files);
    std::sort(files.begin(), files.end(),
              [](const QFileInfo& a, const QFileInfo& b) { return a.lastModified() < b.lastModified(); });
    qint64 total = 0;
    for (const QFileInfo& f : files)
        total += f.size();
    for (const QFileInfo& f : files) {
        if (total + room <= m_cap)
            break;
        if (f.absoluteFilePath() == keep)
            continue;
        if (QFile::remove(f.absoluteFilePath()))
            total -= f.size();
    }
}

bool MapCache::store(const QString& url, const QString& file, const QDateTime& now)
{
    const qint64 bytes = QFileInfo(file).size();
    if (bytes <= 0 || bytes > m_cap || !QDir().mkpath(m_folder))
        return false;
    const QString path = pathOf(url);
    QFile::remove(path);
    trim(bytes, path);
    if (!QFile::rename(file, path))
        return false;
    QFile stored(path);
    if (stored.open(QIODevice::ReadWrite))
        stored.setFileTime(now, QFileDevice::FileModificationTime);
    return true;
}

} // namespace zorvex

#pragma once

#include <QDateTime>
#include <QString>

namespace zorvex {

// The weather maps' pictures on disk, by address, so showing a map again
// makes no request while its copy is fresh. The folder never grows beyond
// its cap: storing drops the oldest copies first, and a picture larger than
// the cap is not kept at all.
class MapCache {
public:
    static constexpr qint64 kDefaultCapBytes = 32 * 1024 * 1024;
    // Maps are redrawn by their sites every hour or so.
    static constexpr qint64 kDefaultMaxAgeSecs = 30 * 60;

    explicit MapCache(QString folder, qint64 capBytes = kDefaultCapBytes, qint64 maxAgeSecs = kDefaultMaxAgeSecs);

    // The fresh copy of `url`, or empty.
    QString lookup(const QString& url, const QDateTime& now) const;
    // Moves the downloaded `file` in as the copy of `url`; false (and the
    // file left where it was) when it cannot be kept.
    bool store(const QString& url, const QString& file, const QDateTime& now);
    // Bytes held.
    qint64 size() const;

    const QString& folder() const { return m_folder; }

private:
    QString pathOf(const QString& url) const;
    void trim(qint64 room, const QString& keep);

    QString m_folder;
    qint64 m_cap;
    qint64 m_maxAge;
};

} // namespace zorvex

#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

class PathTable;

// The changer's three list files: the folders (`Tapeter_`), the pool of
// pictures not yet shown in this round (`Tmp_`) and the history
// (`TapeterOst_`). Each pass reads or rewrites a whole file; failures to
// write are the caller's to ignore.
class WallpaperStore {
public:
    WallpaperStore(QString folders, QString pool, QString history);
    explicit WallpaperStore(const PathTable& paths);

    // Folders with a trailing "/", blank lines dropped.
    QStringList loadFolders() const;
    bool saveFolders(const QStringList& folders) const;

    QStringList loadPool() const;
    bool savePool(const QStringList& pool) const;
    // The folder list changed: the next change refills the pool from it.
    void dropPool() const;

    // A history that was there but could not be read whole is never
    // replaced from what was read: `replaceable` says whether it may be.
    QStringList loadHistory(bool* replaceable = nullptr) const;
    bool saveHistory(const QStringList& history) const;

    const QString& historyPath() const { return m_history; }

private:
    QString m_folders;
    QString m_pool;
    QString m_history;
};

} // namespace zorvex

#pragma once

#include <QDir>
#include <QHash>
#include <QSet>
#include <QString>

namespace zorvex {

// The file of a set folder named `fileName` whatever its letter case
// (compared with PolishUpper, as the sets' original system did), or empty.
QString findIgnoringCase(const QDir& dir, const QString& fileName);

// One folder's entries, listed once, so that looking up many names (every
// picture of a set, in every spelling) costs one listing instead of one for
// each name that misses. find() answers as findIgnoringCase does.
class FolderListing {
public:
    explicit FolderListing(const QString& folder);

    bool exists() const { return m_exists; }
    const QString& folder() const { return m_folder; }
    QString find(const QString& fileName) const;

private:
    QString m_folder;
    QDir m_dir;
    bool m_exists = false;
    QSet<QString> m_names;             // every entry, as spelled
    QHash<QString, QString> m_byUpper; // files by their upper-cased name, the first in listing order
};

// The version an add-on set states in its "Wersja.ini": the first line, in
// the file's own encoding (Windows-1250 unless it is UTF-8), trimmed; empty
// when the set has none.
QString addonSetVersion(const QString& setFolder);
QString addonSetVersion(const FolderListing& setFolder);

} // namespace zorvex

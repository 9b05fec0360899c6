#include "core/common/AddonSet.h"

#include "core/common/DataFile.h"
#include "core/common/Text.h"

namespace zorvex {

QString findIgnoringCase(const QDir& dir, const QString& fileName)
{
    if (dir.exists(fileName))
        return dir.filePath(fileName);
    const QString wanted = PolishUpper(fileName);
    for (const QString& entry : dir.entryList(QDir::Files)) {
        if (PolishUpper(entry) == wanted)
            return dir.filePath(entry);
    }
    return {};
}

FolderListing::FolderListing(const QString& folder)
    : m_folder(folder)
    , m_dir(folder)
    , m_exists(m_dir.exists())
{
    if (!m_exists)
        return;
    const QStringList all = m_dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    m_names = QSet<QString>(all.begin(), all.end());
    for (const QString& entry : m_dir.entryList(QDir::Files)) {
        const QString upper = PolishUpper(entry);
        if (!m_byUpper.contains(upper))
            m_byUpper.insert(upper, entry);
    }
}

QString FolderListing::find(const QString& fileName) const
{
    if (!m_exists)
        return {};
    if (m_names.contains(fileName))
        return m_dir.filePath(fileName);
    const auto it = m_byUpper.constFind(PolishUpper(fileName));
    return it == m_byUpper.constEnd() ? QString() : m_dir.filePath(*it);
}

QString addonSetVersion(const FolderListing& setFolder)
{
    const QString file = setFolder.find(QStringLiteral("Wersja.ini"));
    return file.isEmpty() ? QString() : readFirstLine(file).trimmed();
}

QString addonSetVersion(const QString& setFolder)
{
    const QString file = findIgnoringCase(QDir(setFolder), QStringLiteral("Wersja.ini"));
    return file.isEmpty() ? QString() : readFirstLine(file).trimmed();
}

} // namespace zorvex

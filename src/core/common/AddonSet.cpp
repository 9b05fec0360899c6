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

QString addonSetVersion(const QString& setFolder)
{
    const QString file = findIgnoringCase(QDir(setFolder), QStringLiteral("Wersja.ini"));
    return file.isEmpty() ? QString() : readFirstLine(file).trimmed();
}

} // namespace zorvex

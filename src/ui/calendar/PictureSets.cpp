#include "ui/calendar/PictureSets.h"

#include "core/common/AddonSet.h"
#include "core/common/DataFile.h"
#include "core/common/Text.h"

#include <QFileInfo>

#include <algorithm>

namespace zorvex {

QList<PictureSetInfo> scanPictureSets(const QString& setsFolder, const QString& builtInName, int count,
                                      const std::function<QString(const FolderListing& folder, int index)>& fileFor,
                                      const QDateTime& now)
{
    QList<PictureSetInfo> sets;
    const QDir root(setsFolder);
    const QString builtIn = PolishUpper(builtInName);
    const QStringList folders = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : folders) {
        if (PolishUpper(name) == builtIn)
            continue;
        const FolderListing folder(root.filePath(name));
        PictureSetInfo set;
        set.name = name;
        bool complete = true;
        for (int i = 0; i < count; ++i) {
            const QString file = fileFor(folder, i);
            if (file.isEmpty()) {
                complete = false;
                break;
            }
            set.ageHours = std::min(set.ageHours, addonAgeHours(QStringList{file}, now));
        }
        if (!complete)
            continue;
        set.version = addonSetVersion(folder);
        sets.append(set);
    }
    return sets;
}

} // namespace zorvex

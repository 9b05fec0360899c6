#include "core/media/PanelSkins.h"

#include "core/common/AddonFolder.h"
#include "core/common/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zorvex {

QString builtInSkinName()
{
    return QStringLiteral("Domyślny");
}

QStringList panelSkinNames(const QString& skinsFolder)
{
    QStringList out;
    const QDir dir(skinsFolder);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        if (equalsIgnoringCase(name, builtInSkinName()))
            continue;
        if (QFileInfo(dir.filePath(name + QLatin1String("/skin.bmp"))).isFile())
            out << name;
    }
    return out;
}

bool isSkinFolderName(const QString& name)
{
    return !name.trimmed().isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !equalsIgnoringCase(name, builtInSkinName());
}

bool deletePanelSkin(const QString& skinsFolder, const QString& name, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (skinsFolder.isEmpty() || !isSkinFolderName(name))
        return fail(QStringLiteral("Nie można usunąć tej skórki: ") + name);
    const QFileInfo info(QDir(skinsFolder).filePath(name));
    if (!info.isSymLink() && !info.isDir())
        return fail(QStringLiteral("Nie ma takiej skórki: ") + name);
    return removeAddonSetFolder(skinsFolder, name) || fail(QStringLiteral("Nie udało się usunąć skórki: ") + name);
}

} // namespace zorvex

#include "core/app/DataFolder.h"

#include "core/common/PathTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace zorvex {

DataFolderChoice chooseDataFolder(const DataFolderInputs& in)
{
    auto absolute = [](const QString& p) { return withTrailingSlash(QDir::cleanPath(QDir(p).absolutePath())); };
    if (!in.commandLine.isEmpty())
        return {absolute(in.commandLine), false};
    if (!in.environment.isEmpty())
        return {absolute(in.environment), false};
    if (!in.executableFolder.isEmpty()
        && QFileInfo::exists(QDir(in.executableFolder).filePath(QStringLiteral("Imieniny.ini"))))
        return {absolute(in.executableFolder), false};
    QString base = in.xdgDataHome;
    // Relative XDG paths are invalid and must be ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir(in.home).filePath(QStringLiteral(".local/share"));
    return {absolute(QDir(base).filePath(QStringLiteral("zorvex"))), true};
}

bool seedDataFolder(const QString& target, const QStringList& sources)
{
    QString source;
    for (const QString& s : sources) {
        if (!s.isEmpty() && QFileInfo::exists(QDir(s).filePath(QStringLiteral("Imieniny.ini")))) {
            source = QDir(s).absolutePath();
            break;
        }
    }
    if (source.isEmpty())
        return false;
    const QDir from(source);
    QDir().mkpath(target);
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo fi = it.fileInfo();
        const QString dest = QDir(target).filePath(from.relativeFilePath(path));
        if (fi.isDir()) {
            QDir().mkpath(dest);
        } else if (!QFileInfo::exists(dest)) {
            QDir().mkpath(QFileInfo(dest).absolutePath());
            if (QFile::copy(path, dest)) {
                // Installed files are read-only; the user's copies must not be.
                QFile::setPermissions(dest, QFile::permissions(dest) | QFileDevice::WriteOwner);
            }
        }
    }
    return true;
}

} // namespace zorvex

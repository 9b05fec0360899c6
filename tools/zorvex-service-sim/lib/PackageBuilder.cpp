#include "PackageBuilder.h"
#include "core/internet/ZlbArchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

namespace zorvex::sim {
namespace {

bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()))
            return false;
        QFile::remove(target);
        if (!QFile::copy(source, target))
            return false;
        // Copies out of the resources come read-only.
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return true;
}

QStringList packageFolders(const SimData& data, const QString& name)
{
    if (data.isFolder(QStringLiteral("dodatki/") + name))
        return {name};
    QStringList folders;
    const auto list = data.readText(QStringLiteral("dodatki/") + name + QStringLiteral(".txt"));
    if (!list)
        return {};
    for (const QString& line : list->split(QLatin1Char('\n'))) {
        const QString folder = line.trimmed();
        if (SimData::isPlainName(folder) && data.isFolder(QStringLiteral("dodatki/") + folder))
            folders.append(folder);
    }
    return folders;
}

} // namespace

std::optional<QByteArray> buildPackage(const SimData& data, const QString& name, QString* error)
{
    const auto failed = [error](const QString& why) -> std::optional<QByteArray> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!SimData::isPlainName(name))
        return failed(QStringLiteral("niedozwolona nazwa pakietu"));
    const QStringList folders = packageFolders(data, name);
    if (folders.isEmpty())
        return failed(QStringLiteral("nie ma takiego pakietu"));

    QTemporaryDir work;
    if (!work.isValid())
        return failed(QStringLiteral("nie można utworzyć folderu tymczasowego"));
    const QString tree = work.filePath(QStringLiteral("drzewo"));
    for (const QString& folder : folders) {
        if (!copyTree(data.path(QStringLiteral("dodatki/") + folder), tree))
            return failed(QStringLiteral("nie można skopiować plików pakietu"));
    }

    // The archive saves folder paths as given, so the files are named
    // relative to the package's tree.
    const QString previous = QDir::currentPath();
    if (!QDir::setCurrent(tree))
        return failed(QStringLiteral("nie można otworzyć folderu pakietu"));
    const QStringList top = QDir(tree).entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);

    ZlbArchive archive;
    archive.setLevel(ZlbLevel::Maximum);
    archive.setSavePaths(true);
    archive.setRecurse(true);
    QStringList problems;
    archive.setErrorHandler([&problems](const QString& message) { problems.append(message); });
    const QString packagePath = work.filePath(name + QStringLiteral(".zvxd"));
    const bool ok = archive.createArchive(packagePath) && archive.addFiles(top);
    const QString archiveError = archive.errorString();
    archive.closeArchive();
    QDir::setCurrent(previous);
    if (!ok)
        return failed(archiveError);
    if (!problems.isEmpty())
        return failed(problems.join(QStringLiteral("; ")));

    QFile file(packagePath);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("nie można odczytać pakietu"));
    return file.readAll();
}

} // namespace zorvex::sim

#include "core/internet/SettingsBackup.h"

#include "core/common/IniFile.h"
#include "core/common/Text.h"
#include "core/internet/ZlbArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

namespace zorvex {
namespace {

void writeBlokuj(const QString& ruchIni, bool value)
{
    bool ok = false;
    FileReadStatus status = FileReadStatus::Missing;
    IniFile ini = IniFile::load(ruchIni, &ok, &status);
    if (!ok && status != FileReadStatus::Missing)
        return;
    ini.writeBool(QStringLiteral("Vuzuvured"), QStringLiteral("Blokuj"), value);
    ini.save(ruchIni);
}

// Sets Blokuj back to 1 however the backup ends.
class BlokujGuard {
public:
    explicit BlokujGuard(QString ruchIni)
        : m_ruchIni(std::move(ruchIni))
    {
        writeBlokuj(m_ruchIni, false);
    }
    ~BlokujGuard() { writeBlokuj(m_ruchIni, true); }
    BlokujGuard(const BlokujGuard&) = delete;
    BlokujGuard& operator=(const BlokujGuard&) = delete;

private:
    QString m_ruchIni;
};

QString unusedNameBeside(const QString& target)
{
    for (;;) {
        const QString name = target + QStringLiteral(".zorvex-")
            + QString::number(QRandomGenerator::global()->generate() % 1000000u).rightJustified(6, QLatin1Char('0'));
        if (!QFileInfo::exists(name))
            return name;
    }
}

bool isPlainIniEntry(const ZlbEntry& e)
{
    if (!e.folderPath.isEmpty() || entryPathProblem(e, false) != ZlbPathProblem::None)
        return false;
    return PolishUpper(e.fileName).endsWith(QLatin1String(".INI")) && e.fileName.size() > 4;
}

RestoreCheck damaged(const ZlbArchive& archive)
{
    return {BackupCheck::Damaged, archive.errorString()};
}

RestoreCheck check(ZlbArchive& archive, const QString& path)
{
    archive.setCheckCrc(true);
    if (!archive.openArchive(path))
        return damaged(archive);
    if (archive.entries().empty())
        return {BackupCheck::NotBackup, {}};
    for (const ZlbEntry& e : archive.entries()) {
        if (!isPlainIniEntry(e))
            return {BackupCheck::NotBackup, {}};
    }
    for (int i = 0; i < int(archive.entries().size()); ++i) {
        if (!archive.testEntry(i))
            return damaged(archive);
    }
    return {BackupCheck::Backup, {}};
}

} // namespace

BackupResult writeSettingsBackup(const QString& target, const QString& dataFolder, const QString& ruchIni,
                                 const std::function<void()>& savePass,
                                 const std::function<void(const QString& folder)>& rememberFolder)
{
    if (savePass)
        savePass();
    BlokujGuard blokuj(ruchIni);
    if (rememberFolder)
        rememberFolder(QFileInfo(target).absolutePath());

    QStringList files;
    const QDir dir(dataFolder);
    for (const QFileInfo& info : dir.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        // The program's own temporaries never go in, whatever their end.
        if (info.suffix().compare(QLatin1String("ini"), Qt::CaseInsensitive) == 0)
            files << info.absoluteFilePath();
    }

    const QString temporary = unusedNameBeside(target);
    BackupResult result;
    ZlbArchive archive;
    archive.setLevel(ZlbLevel::Maximum);
    QStringList problems;
    archive.setErrorHandler([&](const QString& message) { problems << message; });
    if (!archive.createArchive(temporary) || (!files.isEmpty() && !archive.addFiles(files))) {
        result.error = archive.errorString();
        archive.closeArchive();
        QFile::remove(temporary);
        return result;
    }
    archive.closeArchive();
    // POSIX rename replaces an older backup of that name in one step.
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(temporary);
        result.error = QStringLiteral("Nie można zapisać pliku: ") + target;
        return result;
    }
    result.ok = true;
    if (!problems.isEmpty())
        result.error = problems.join(QLatin1Char('\n'));
    return result;
}

RestoreCheck checkSettingsBackup(const QString& path)
{
    ZlbArchive archive;
    return check(archive, path);
}

RestoreCheck restoreSettingsBackup(const QString& path, const QString& dataFolder)
{
    ZlbArchive archive;
    RestoreCheck result = check(archive, path);
    if (result.result != BackupCheck::Backup)
        return result;
    archive.setExtractWithPaths(false);
    if (!archive.extractAll(dataFolder))
        return damaged(archive);
    return result;
}

} // namespace zorvex

#include "core/desktop/SchemeStore.h"

#include "core/common/AddonSet.h"
#include "core/common/AtomicFile.h"
#include "core/common/DataFile.h"
#include "core/common/LineFile.h"
#include "core/common/Text.h"
#include "core/desktop/SchemeRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zorvex {
namespace {

const QString kRecordFile = QStringLiteral("Kolory.ini");

QString firstLine(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
        ++end;
    return text.left(end);
}

// A bare file name (no folder part) of the skin setting.
bool isBareName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QLatin1Char(':'));
}

} // namespace

QString schemeFolderIn(const QString& schemesFolder, const QString& name)
{
    return QDir(schemesFolder).filePath(name);
}

QString readSchemeRecord(const QString& folder)
{
    const QString file = findIgnoringCase(QDir(folder), kRecordFile);
    if (file.isEmpty())
        return {};
    const TextFileRead read = readTextFile(file);
    if (!read.read())
        return {};
    const QString line = firstLine(read.text);
    return isSchemeRecord(line) ? line : QString();
}

QString schemeMinimizePicture(const QString& folder)
{
    const QDir dir(folder);
    QString found = findIgnoringCase(dir, QStringLiteral("minimize.png"));
    if (found.isEmpty())
        found = findIgnoringCase(dir, QStringLiteral("minimize.bmp"));
    return found;
}

QList<SchemeEntry> buildSchemeList(const QString& schemesFolder, const QDateTime& now)
{
    QList<SchemeEntry> list;
    const QString defaultName = defaultSchemeName();
    const QString defaultUpper = PolishUpper(defaultName);
    const QDir root(schemesFolder);
    const QStringList folders = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);

    SchemeEntry first;
    first.name = defaultName;
    QString defaultRecord;
    for (const QString& name : folders) {
        if (PolishUpper(name) == defaultUpper) {
            defaultRecord = readSchemeRecord(root.filePath(name));
            break;
        }
    }
    first.record = renamedSchemeRecord(defaultRecord.isEmpty() ? builtInSchemeRecord() : defaultRecord, defaultName);
    list << first;

    for (const QString& name : folders) {
        if (PolishUpper(name) == defaultUpper)
            continue;
        const QString folder = root.filePath(name);
        const QString record = readSchemeRecord(folder);
        if (record.isEmpty())
            continue;
        SchemeEntry e;
        e.name = name;
        e.record = renamedSchemeRecord(record, name);
        QStringList stamped{findIgnoringCase(QDir(folder), kRecordFile)};
        const QString minimize = schemeMinimizePicture(folder);
        if (!minimize.isEmpty())
            stamped << minimize;
        e.ageHours = addonAgeHours(stamped, now);
        e.version = addonSetVersion(folder);
        list << e;
    }
    return list;
}

int convertLegacySchemes(const QString& legacyFile, const QString& schemesFolder)
{
    if (!QFileInfo::exists(legacyFile))
        return 0;
    bool whole = false;
    const QStringList lines = loadLineFile(legacyFile, &whole);
    if (!whole)
        return 0;
    int made = 0;
    bool allKept = true;
    for (const QString& line : lines) {
        if (!isSchemeRecord(line))
            continue;
        const QString name = sanitiseAddonName(schemeField(line, 1)).trimmed();
        // A name that sanitises to nothing, "." or ".." would write into
        // the scheme folder itself or above it.
        if (!isUsableAddonName(name))
            continue;
        const QString folder = schemeFolderIn(schemesFolder, name);
        if (QFileInfo::exists(folder))
            continue;
        if (!QDir().mkpath(folder) || !saveLineFile(QDir(folder).filePath(kRecordFile), {line})) {
            QDir(folder).removeRecursively();
            allKept = false;
            continue;
        }
        ++made;
    }
    if (allKept)
        removeDataFile(legacyFile);
    return made;
}

bool saveScheme(const SchemeSave& save, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!isUsableAddonName(save.name))
        return fail(QStringLiteral("Nieprawidłowa nazwa schematu: ") + save.name);
    const QString folder = schemeFolderIn(save.schemesFolder, save.name);
    const bool isNew = !QFileInfo::exists(folder);
    if (isNew && !QDir().mkpath(folder))
        return fail(QStringLiteral("Nie można utworzyć folderu ") + folder);
    const auto undo = [&](const QString& why) {
        if (isNew)
            removeAddonSetFolder(save.schemesFolder, save.name);
        return fail(why);
    };
    if (isNew && !save.currentScheme.isEmpty()) {
        const QString current = schemeFolderIn(save.schemesFolder, save.currentScheme);
        if (isBareName(save.skinName)) {
            const QString skin = QDir(current).filePath(save.skinName);
            if (QFileInfo(skin).isFile() && !QFile::copy(skin, QDir(folder).filePath(save.skinName)))
                return undo(QStringLiteral("Nie można skopiować obrazka ") + skin);
        }
        const QString minimize = schemeMinimizePicture(current);
        if (!minimize.isEmpty()
            && !QFile::copy(minimize, QDir(folder).filePath(QFileInfo(minimize).fileName().toLower())))
            return undo(QStringLiteral("Nie można skopiować obrazka ") + minimize);
    }
    QString why;
    const QString existing = findIgnoringCase(QDir(folder), kRecordFile);
    if (!saveLineFile(existing.isEmpty() ? QDir(folder).filePath(kRecordFile) : existing, {save.record}, &why))
        return undo(why);
    return true;
}

} // namespace zorvex

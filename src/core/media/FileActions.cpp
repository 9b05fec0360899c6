#include "core/media/FileActions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zorvex {
namespace {

bool sameContent(const QString& a, const QString& b)
{
    QFile fa(a);
    QFile fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    while (!fa.atEnd()) {
        if (fa.read(1 << 20) != fb.read(1 << 20))
            return false;
    }
    return true;
}

// Copies through a temporary beside the target, so that a failed copy
// never leaves half a file where a whole one was.
bool copyInto(const QString& from, const QString& to, QString* why)
{
    const QString temp = to + QLatin1String(".zorvex-part");
    QFile::remove(temp);
    QFile source(from);
    if (!source.copy(temp)) {
        *why = source.errorString();
        QFile::remove(temp);
        return false;
    }
    if (QFileInfo::exists(to) && !QFile::remove(to)) {
        *why = QStringLiteral("nie można zastąpić pliku");
        QFile::remove(temp);
        return false;
    }
    if (!QFile::rename(temp, to)) {
        *why = QStringLiteral("nie można zapisać pliku");
        QFile::remove(temp);
        return false;
    }
    return true;
}

FileActionReport transfer(const QStringList& files, const QString& folder, const ReplaceQuestion& replace, bool move)
{
    FileActionReport r;
    const QDir dir(folder);
    const QString verb = move ? QStringLiteral("przenieść") : QStringLiteral("skopiować");
    for (const QString& file : files) {
        const QFileInfo fi(file);
        if (!fi.isFile()) {
            ++r.skipped;
            continue;
        }
        const QString target = dir.filePath(fi.fileName());
        if (QFileInfo(target).absoluteFilePath() == fi.absoluteFilePath()) {
            ++r.skipped;
            continue;
        }
        if (QFileInfo::exists(target)) {
            if (sameContent(file, target)) {
                // Already there: a move only drops the source.
                if (move && !QFile::remove(file))
                    r.failures << QStringLiteral("Nie można %1 pliku: %2").arg(verb, file);
                else
                    ++r.skipped;
                continue;
            }
            if (!replace || !replace(target)) {
                ++r.skipped;
                continue;
            }
        }
        QString why;
        bool ok = false;
        if (move && !QFileInfo::exists(target))
            ok = QFile::rename(file, target);
        if (!ok) {
            ok = copyInto(file, target, &why);
            if (ok && move && !QFile::remove(file)) {
                ok = false;
                why = QStringLiteral("skopiowano, ale nie można usunąć oryginału");
            }
        }
        if (ok)
            ++r.done;
        else
            r.failures << QStringLiteral("Nie można %1 pliku: %2%3").arg(verb, file, why.isEmpty() ? QString() : QLatin1String(" (") + why + QLatin1Char(')'));
    }
    return r;
}

} // namespace

FileActionReport copyFilesTo(const QStringList& files, const QString& folder, const ReplaceQuestion& replace)
{
    return transfer(files, folder, replace, false);
}

FileActionReport moveFilesTo(const QStringList& files, const QString& folder, const ReplaceQuestion& replace)
{
    return transfer(files, folder, replace, true);
}

FileActionReport trashFiles(const QStringList& files)
{
    FileActionReport r;
    for (const QString& file : files) {
        if (!QFileInfo(file).isFile()) {
            ++r.skipped;
            continue;
        }
        QFile f(file);
        if (f.moveToTrash())
            ++r.done;
        else
            r.failures << QStringLiteral("Nie można przenieść pliku do kosza: ") + file;
    }
    return r;
}

} // namespace zorvex

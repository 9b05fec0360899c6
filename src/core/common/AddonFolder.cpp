#include "core/common/AddonFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zorvex {
namespace {

bool isForbiddenInName(QChar c)
{
    switch (c.unicode()) {
    case '\\':
    case '/':
    case '?':
    case '*':
    case '<':
    case '>':
    case '|':
    case ':':
    case '"': return true;
    default: return false;
    }
}

const QDateTime kUnreadableTime(QDate(2000, 1, 1), QTime(0, 0));

} // namespace

QString sanitiseAddonName(QStringView name)
{
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        if (!isForbiddenInName(c))
            out.append(c);
    }
    return out;
}

bool isUsableAddonName(const QString& name)
{
    const QString trimmed = name.trimmed();
    return !trimmed.isEmpty() && trimmed != QLatin1String(".") && trimmed != QLatin1String("..")
        && sanitiseAddonName(trimmed) == trimmed;
}

bool removeAddonSetFolder(const QString& setsFolder, const QString& name, QString* error)
{
    const auto fail = [error, &name](const char* why) {
        if (error)
            *error = QString::fromUtf8(why) + name;
        return false;
    };
    // A name read from a list or typed in must stay one level below the set
    // folder: no separators, no "." or "..", no surrounding blanks that a
    // later trim would turn into another folder's name.
    if (setsFolder.isEmpty() || name != name.trimmed() || !isUsableAddonName(name))
        return fail("Nie można usunąć zestawu o tej nazwie: ");
    const QDir root(setsFolder);
    const QString path = root.filePath(name);
    const QFileInfo info(path);
    if (info.isSymLink())
        return QFile::remove(path) || fail("Nie udało się usunąć zestawu: ");
    if (!info.exists())
        return true;
    if (!info.isDir())
        return fail("To nie jest folder zestawu: ");
    // The folder's real parent must be the set folder's real self, whatever
    // links lead to either.
    const QString parent = QFileInfo(info.canonicalFilePath()).absolutePath();
    if (parent.isEmpty() || parent != QFileInfo(root.absolutePath()).canonicalFilePath())
        return fail("Nie można usunąć zestawu spoza jego folderu: ");
    // removeRecursively() lists without following links, so a link inside
    // the set is removed as a link.
    return QDir(path).removeRecursively() || fail("Nie udało się usunąć zestawu: ");
}

int addonAgeHours(const QDateTime& written, const QDateTime& now)
{
    const QDateTime when = written.isValid() ? written : kUnreadableTime;
    const qint64 hours = std::max<qint64>(0, when.secsTo(now) / 3600);
    return int(std::min<qint64>(kNewAddonHours, hours));
}

int addonAgeHours(const QStringList& files, const QDateTime& now)
{
    int age = kNewAddonHours;
    for (const QString& file : files)
        age = std::min(age, addonAgeHours(QFileInfo(file).lastModified(), now));
    return age;
}

} // namespace zorvex

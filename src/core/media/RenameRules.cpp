#include "core/media/RenameRules.h"

#include "core/media/PlaylistEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zorvex {

QString cleanedFileName(const QString& name)
{
    QString out = name;
    for (QChar& c : out) {
        switch (c.unicode()) {
        case '\\': case '/': case '?': case '*': case '<': case '>': case '|': case ':': case '"':
            c = QLatin1Char(' ');
            break;
        default: break;
        }
    }
    return out;
}

QString nameWithoutExtension(const QString& path)
{
    return baseNameOf(path);
}

QString extensionOf(const QString& path)
{
    const QString file = QFileInfo(path).fileName();
    const QString base = baseNameOf(path);
    return file.size() > base.size() ? file.mid(base.size() + 1) : QString();
}

RenamePlan planRename(const QString& path, const QString& name)
{
    RenamePlan plan;
    const QString clean = cleanedFileName(name);
    if (clean.trimmed().isEmpty() || clean == QLatin1String(".") || clean == QLatin1String("..")) {
        plan.error = QStringLiteral("Nazwa pliku nie może być pusta.");
        return plan;
    }
    const QString ext = extensionOf(path);
    plan.target = QFileInfo(path).dir().filePath(ext.isEmpty() ? clean : clean + QLatin1Char('.') + ext);
    return plan;
}

bool renameTrack(const QString& from, const QString& to, QString* error)
{
    if (from == to)
        return true;
    if (QFileInfo::exists(to)) {
        if (error)
            *error = QStringLiteral("Plik o tej nazwie już istnieje: ") + to;
        return false;
    }
    QFile file(from);
    if (!file.rename(to)) {
        if (error)
            *error = QStringLiteral("Nie można zmienić nazwy pliku: ") + from + QLatin1String("\n") + file.errorString();
        return false;
    }
    return true;
}

} // namespace zorvex

#include "core/media/PlaylistFiles.h"

#include "core/common/AtomicFile.h"
#include "core/common/DataFile.h"
#include "core/media/M3uFormat.h"

namespace zorvex {

LoadedLines loadListLines(const QString& path)
{
    LoadedLines out;
    TextFileRead file = readTextFile(path);
    out.mayReplace = file.mayReplace();
    if (!file.read())
        return out;
    QString text = std::move(file.text);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.lines = text.split(QLatin1Char('\n'));
    if (!out.lines.isEmpty() && out.lines.last().isEmpty())
        out.lines.removeLast();
    return out;
}

bool saveListLines(const QString& path, const QStringList& lines, QString* error)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    return writeFileAtomically(path, encodeListText(text), error);
}

QList<PlaylistEntry> entriesOfLines(const QStringList& lines)
{
    QList<PlaylistEntry> out;
    out.reserve(lines.size());
    for (const QString& line : lines)
        if (!line.isEmpty())
            out.append(PlaylistEntry::fromLine(line));
    return out;
}

QStringList linesOfEntries(const QList<PlaylistEntry>& entries)
{
    QStringList out;
    out.reserve(entries.size());
    for (const PlaylistEntry& e : entries)
        out.append(e.line());
    return out;
}

} // namespace zorvex

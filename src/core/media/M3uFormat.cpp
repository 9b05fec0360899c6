#include "core/media/M3uFormat.h"

#include "core/common/Cp1250.h"

#include <QDir>
#include <QStringList>

namespace zorvex {
namespace {

// The test of a first line of a file without "#EXTM3U": control characters
// and bytes of other code pages mean it is not a list of paths.
bool plausibleFirstLine(const QString& line, bool utf8)
{
    for (QChar c : line) {
        if (c.unicode() < 32)
            return false;
        if (utf8)
            continue;
        const auto v = static_cast<unsigned char>(toCp1250(QStringView(&c, 1))[0]);
        if (v > 200 && v != 230 && v != 234 && v != 241 && v != 243 && v != 202 && v != 209 && v != 211)
            return false;
    }
    return true;
}

bool isAbsoluteEntry(const QString& entry)
{
    // "C:\…" and "http://…" stay as written, as do absolute Linux paths.
    return entry.startsWith(QLatin1Char('/')) || entry.contains(QLatin1Char(':'));
}

QString resolve(const QString& entry, const QString& folder, const std::function<bool(const QString&)>& exists)
{
    if (isAbsoluteEntry(entry) || folder.isEmpty())
        return entry;
    const QString joined = QDir(folder).filePath(entry);
    if (exists(joined))
        return QDir::cleanPath(joined);
    // Lists written on Windows separate folders by backslashes.
    if (entry.contains(QLatin1Char('\\'))) {
        const QString slashed = QDir(folder).filePath(QString(entry).replace(QLatin1Char('\\'), QLatin1Char('/')));
        if (exists(slashed))
            return QDir::cleanPath(slashed);
    }
    return entry;
}

PlaylistEntry fileEntry(const QString& path)
{
    PlaylistEntry e;
    e.path = path;
    return e;
}

} // namespace

M3uRead parseM3u(QByteArrayView bytes, const QString& folder, bool utf8,
                 const std::function<bool(const QString&)>& exists)
{
    M3uRead out;
    QString text;
    if (utf8) {
        if (bytes.startsWith("\xEF\xBB\xBF"))
            bytes = bytes.sliced(3);
        text = QString::fromUtf8(bytes);
    } else {
        text = decodeFileText(bytes);
        // decodeFileText tells UTF-8 by content; the first-line test needs to
        // know which code page it was.
        utf8 = text != fromCp1250(bytes);
    }
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        return out;

    if (lines.first().trimmed() == QLatin1String("#EXTM3U")) {
        out.isPlaylist = true;
        bool pending = false;
        PlaylistEntry info;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QString& line = lines[i];
            if (line.contains(QLatin1String("#EXTINF"))) {
                pending = true;
                info = PlaylistEntry();
                const qsizetype comma = line.indexOf(QLatin1Char(','));
                if (comma < 0) {
                    // Without a "," the whole line is all there is to name it.
                    info.name = line;
                    info.seconds.clear();
                } else {
                    info.name = line.sliced(comma + 1);
                    const qsizetype colon = line.indexOf(QLatin1Char(':'));
                    info.seconds = colon >= 0 && colon < comma ? line.sliced(colon + 1, comma - colon - 1).trimmed()
                                                               : QString();
                }
                continue;
            }
            if (line.trimmed().isEmpty()) {
                pending = false;
                continue;
            }
            // Other directives ("#EXTGRP", "#PLAYLIST", …) are no files.
            if (line.startsWith(QLatin1Char('#')))
                continue;
            PlaylistEntry e = pending ? info : PlaylistEntry();
            e.path = resolve(line.trimmed(), folder, exists);
            e.size = QStringLiteral("-1");
            out.entries.append(e);
            pending = false;
        }
        return out;
    }

    if (!plausibleFirstLine(lines.first(), utf8))
        return out;
    out.isPlaylist = true;
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (!t.isEmpty() && !t.startsWith(QLatin1Char('#')))
            out.entries.append(fileEntry(resolve(t, folder, exists)));
    }
    return out;
}

QByteArray formatM3u(const QList<PlaylistEntry>& entries, bool utf8)
{
    QString text = QStringLiteral("#EXTM3U\r\n");
    for (const PlaylistEntry& e : entries) {
        const QString seconds = e.seconds.isEmpty() ? QStringLiteral("-1") : e.seconds;
        text += QLatin1String("#EXTINF:") + seconds + QLatin1Char(',') + e.name + QLatin1String("\r\n");
        text += e.path + QLatin1String("\r\n");
    }
    if (!utf8 && fitsCp1250(text))
        return toCp1250(text);
    return text.toUtf8();
}

QByteArray encodeListText(const QString& text)
{
    if (fitsCp1250(text))
        return toCp1250(text);
    QByteArray out("\xEF\xBB\xBF");
    const QStringList parts = text.split(kListSeparator);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i)
            out.append('\xFF');
        out.append(parts[i].toUtf8());
    }
    return out;
}

} // namespace zorvex

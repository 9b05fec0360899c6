#include "core/media/PlaylistEntry.h"

#include "core/common/Cp1250.h"
#include "core/common/Text.h"

#include <QFileInfo>

namespace zorvex {
namespace {

qint64 wholeValue(const QString& text)
{
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    return ok && v >= 0 ? v : -1;
}

// Bytes 200 to 255 of Windows-1250 other than the Polish letters are what a
// tag in another code page turns into; such a text would show as garbage.
bool foreignText(const QString& text)
{
    for (QChar c : text) {
        const QByteArray b = toCp1250(QStringView(&c, 1));
        const auto v = static_cast<unsigned char>(b[0]);
        if (v < 200)
            continue;
        // ć ę ń ó and their capitals Ę Ń Ó (Ć is below 200).
        if (v == 230 || v == 234 || v == 241 || v == 243 || v == 202 || v == 209 || v == 211)
            continue;
        return true;
    }
    return false;
}

} // namespace

QString PlaylistEntry::line() const
{
    return path + kListSeparator + name + kListSeparator + seconds + kListSeparator + size;
}

PlaylistEntry PlaylistEntry::fromLine(QStringView line)
{
    PlaylistEntry e;
    e.path = Field(line, kListSeparator, 1);
    e.name = Field(line, kListSeparator, 2);
    const int fields = int(line.count(kListSeparator)) + 1;
    if (fields >= 3)
        e.seconds = Field(line, kListSeparator, 3);
    if (fields >= 4)
        e.size = Field(line, kListSeparator, 4);
    if (e.name.isEmpty())
        e.name = baseNameOf(e.path);
    return e;
}

qint64 PlaylistEntry::secondsValue() const { return wholeValue(seconds); }
qint64 PlaylistEntry::sizeValue() const { return wholeValue(size); }

QString durationText(qint64 seconds)
{
    if (seconds < 0)
        return QStringLiteral("-1");
    return QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString durationText(const QString& seconds)
{
    bool ok = false;
    const qint64 v = seconds.toLongLong(&ok);
    return durationText(ok ? v : -1);
}

QString baseNameOf(const QString& path)
{
    const QString file = QFileInfo(path).fileName();
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? file.first(dot) : file;
}

QString combineDisplayName(const QString& title, const QString& artist, const QString& path)
{
    const QString t = title.trimmed();
    const QString a = artist.trimmed();
    QString name;
    if (!t.isEmpty() && !a.isEmpty())
        name = a + QLatin1String(" - ") + t;
    else if (!t.isEmpty())
        name = t;
    else if (!a.isEmpty())
        name = a + QLatin1String(" - ") + baseNameOf(path);
    if (foreignText(name))
        name.clear();
    return name;
}

bool isSoundFile(const QString& path)
{
    static const QStringList kExtensions = {
        QStringLiteral(".MP3"), QStringLiteral(".OGG"), QStringLiteral(".WAV"),
        QStringLiteral(".WMA"), QStringLiteral(".M4A"), QStringLiteral(".AAC"),
    };
    const QString upper = PolishUpper(path);
    for (const QString& ext : kExtensions)
        if (upper.endsWith(ext))
            return upper.size() > ext.size() && !upper.endsWith(QLatin1Char('/') + ext);
    return false;
}

bool isPlaylistFile(const QString& path)
{
    const QString upper = PolishUpper(path);
    return upper.endsWith(QLatin1String(".M3U")) || upper.endsWith(QLatin1String(".M3U8"));
}

} // namespace zorvex

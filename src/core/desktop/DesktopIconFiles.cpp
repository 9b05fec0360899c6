#include "core/desktop/DesktopIconFiles.h"

#include <QRegularExpression>
#include <QStringList>

namespace zorvex {
namespace {

// A small INI reader for other programs' files: lines kept as they are, so
// a rewrite changes only the keys it sets. The files are UTF-8.
struct IniLines {
    QStringList lines;

    explicit IniLines(const QByteArray& bytes)
    {
        QString text = QString::fromUtf8(bytes);
        text.remove(QLatin1Char('\r'));
        lines = text.split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }

    static std::optional<QString> groupOf(const QString& line)
    {
        const QString t = line.trimmed();
        if (t.size() >= 2 && t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']')))
            return t.mid(1, t.size() - 2);
        return std::nullopt;
    }

    static std::optional<std::pair<QString, QString>> keyOf(const QString& line)
    {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || line.trimmed().startsWith(QLatin1Char('#')) || line.trimmed().startsWith(QLatin1Char(';')))
            return std::nullopt;
        return std::make_pair(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }

    // Calls `f(group, key, value)` for each key line.
    template <typename F>
    void forEachKey(F f) const
    {
        QString group;
        for (const QString& line : lines) {
            if (auto g = groupOf(line))
                group = *g;
            else if (auto kv = keyOf(line))
                f(group, kv->first, kv->second);
        }
    }

    // Sets the keys of `group` (adding the group at the end when absent).
    void set(const QString& group, const QList<std::pair<QString, QString>>& values)
    {
        qsizetype start = -1;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (groupOf(lines[i]) == group) {
                start = i;
                break;
            }
        if (start < 0) {
            if (!lines.isEmpty() && !lines.last().isEmpty())
                lines << QString();
            lines << QLatin1Char('[') + group + QLatin1Char(']');
            for (const auto& [k, v] : values)
                lines << k + QLatin1Char('=') + v;
            return;
        }
        qsizetype end = start + 1;
        while (end < lines.size() && !groupOf(lines[end]))
            ++end;
        for (const auto& [k, v] : values) {
            bool replaced = false;
            for (qsizetype i = start + 1; i < end; ++i) {
                const auto kv = keyOf(lines[i]);
                if (kv && kv->first == k) {
                    lines[i] = k + QLatin1Char('=') + v;
                    replaced = true;
                    break;
                }
            }
            if (!replaced) {
                // After the group's last key, before blank lines that part it.
                qsizetype at = end;
                while (at > start + 1 && lines[at - 1].trimmed().isEmpty())
                    --at;
                lines.insert(at, k + QLatin1Char('=') + v);
                ++end;
            }
        }
    }

    QByteArray bytes() const { return lines.isEmpty() ? QByteArray() : (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(); }
};

bool isHex(QStringView s)
{
    for (QChar c : s)
        if (!c.isDigit() && !(c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            return false;
    return !s.isEmpty();
}

} // namespace

QString pcmanfmGroupName(const QString& fileName)
{
    // QSettings keeps letters, digits, "_", "-" and "."; "/" would be a
    // subgroup and cannot occur in a file name.
    QString out;
    for (QChar c : fileName) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_'
            || u == u'-' || u == u'.')
            out += c;
        else if (u <= 0xff)
            out += QStringLiteral("%%1").arg(int(u), 2, 16, QLatin1Char('0')).toUpper();
        else
            out += QStringLiteral("%U%1").arg(int(u), 4, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

QString pcmanfmFileName(const QString& groupName)
{
    QString out;
    for (qsizetype i = 0; i < groupName.size(); ++i) {
        const QChar c = groupName[i];
        if (c == QLatin1Char('%')) {
            if (i + 5 < groupName.size() && groupName[i + 1] == QLatin1Char('U')
                && isHex(QStringView(groupName).mid(i + 2, 4))) {
                out += QChar(char16_t(groupName.mid(i + 2, 4).toUInt(nullptr, 16)));
                i += 5;
                continue;
            }
            if (i + 2 < groupName.size() && isHex(QStringView(groupName).mid(i + 1, 2))) {
                out += QChar(char16_t(groupName.mid(i + 1, 2).toUInt(nullptr, 16)));
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QList<IconPosition> readPcmanfmItems(const QByteArray& file)
{
    static const QRegularExpression point(QStringLiteral(R"(^@Point\((-?\d+)\s+(-?\d+)\)$)"));
    QList<IconPosition> icons;
    IniLines(file).forEachKey([&](const QString& group, const QString& key, const QString& value) {
        if (key != QLatin1String("pos") || group.isEmpty())
            return;
        const QRegularExpressionMatch m = point.match(value);
        if (m.hasMatch())
            icons.append({pcmanfmFileName(group), QPoint(m.captured(1).toInt(), m.captured(2).toInt())});
    });
    return icons;
}

QByteArray writePcmanfmItems(const QByteArray& file, const QList<IconPosition>& moves)
{
    IniLines ini(file);
    for (const IconPosition& icon : moves)
        ini.set(pcmanfmGroupName(icon.caption),
                {{QStringLiteral("pos"),
                  QStringLiteral("@Point(%1 %2)").arg(icon.position.x()).arg(icon.position.y())}});
    return ini.bytes();
}

namespace {

QString xfceCaption(const QString& group)
{
    // Newer xfdesktop names a file's icon by its path; the caption is its name.
    if (group.startsWith(QLatin1Char('/')))
        return group.mid(group.lastIndexOf(QLatin1Char('/')) + 1);
    return group;
}

bool isXfceMarker(const QString& group)
{
    return group.startsWith(QLatin1String("xfdesktop-version-"));
}

} // namespace

QList<IconPosition> readXfceIcons(const QByteArray& file)
{
    struct Cell {
        QString group;
        int row = -1, col = -1;
    };
    QList<Cell> cells;
    IniLines(file).forEachKey([&](const QString& group, const QString& key, const QString& value) {
        if (group.isEmpty() || isXfceMarker(group))
            return;
        if (cells.isEmpty() || cells.last().group != group)
            cells.append({group});
        bool ok = false;
        const int n = value.toInt(&ok);
        if (!ok)
            return;
        if (key == QLatin1String("row"))
            cells.last().row = n;
        else if (key == QLatin1String("col"))
            cells.last().col = n;
    });
    QList<IconPosition> icons;
    for (const Cell& c : cells)
        if (c.row >= 0 && c.col >= 0)
            icons.append({xfceCaption(c.group), QPoint(c.col, c.row)});
    return icons;
}

QByteArray writeXfceIcons(const QByteArray& file, const QList<IconPosition>& moves)
{
    IniLines ini(file);
    // Each move goes to the group whose caption it is; a caption the file
    // does not know gets a group of its own.
    QStringList groups;
    ini.forEachKey([&](const QString& group, const QString&, const QString&) {
        if (!groups.contains(group))
            groups << group;
    });
    for (const IconPosition& icon : moves) {
        QString target = icon.caption;
        for (const QString& g : groups)
            if (!isXfceMarker(g) && xfceCaption(g) == icon.caption) {
                target = g;
                break;
            }
        ini.set(target, {{QStringLiteral("row"), QString::number(icon.position.y())},
                         {QStringLiteral("col"), QString::number(icon.position.x())}});
    }
    return ini.bytes();
}

std::optional<QPoint> parseGioIconPosition(const QString& value)
{
    const QStringList parts = value.trimmed().split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    bool okX = false, okY = false;
    const int x = parts[0].trimmed().toInt(&okX);
    const int y = parts[1].trimmed().toInt(&okY);
    if (!okX || !okY)
        return std::nullopt;
    return QPoint(x, y);
}

QString gioIconPosition(const QPoint& position)
{
    return QStringLiteral("%1,%2").arg(position.x()).arg(position.y());
}

std::optional<QPoint> gioInfoIconPosition(const QString& infoOutput, const QString& attribute)
{
    const QString prefix = attribute + QLatin1Char(':');
    for (const QString& line : infoOutput.split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (t.startsWith(prefix))
            return parseGioIconPosition(t.mid(prefix.size()));
    }
    return std::nullopt;
}

} // namespace zorvex

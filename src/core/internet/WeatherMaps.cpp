#include "core/internet/WeatherMaps.h"

#include "core/common/Cp1250.h"
#include "core/common/Text.h"

#include <QUrl>

namespace zorvex {

QList<WeatherMap> parseMapList(const QStringList& lines)
{
    QList<WeatherMap> maps;
    for (const QString& line : lines) {
        const QString name = Field(line, kListSeparator, 1);
        if (name.trimmed().isEmpty())
            continue;
        maps.append({name, Field(line, kListSeparator, 2).trimmed()});
    }
    return maps;
}

QStringList mapListLines(const QList<WeatherMap>& maps)
{
    QStringList lines;
    for (const WeatherMap& m : maps)
        lines << m.name + kListSeparator + m.url;
    return lines;
}

QString expandMapTemplate(const QString& urlTemplate, const QDate& today)
{
    QString url = urlTemplate;
    // Yesterday first, then today, tomorrow and the day after.
    for (int offset : {-1, 0, 1, 2}) {
        const QDate day = today.addDays(offset);
        const QString prefix = offset == 0 ? QString() : QString::number(offset);
        const auto two = [](int v) { return QStringLiteral("%1").arg(v % 100, 2, 10, QLatin1Char('0')); };
        const std::pair<const char*, QString> names[] = {
            {"RRRR", QStringLiteral("%1").arg(day.year(), 4, 10, QLatin1Char('0'))},
            {"RR", two(day.year())},
            {"MM", two(day.month())},
            {"M", QString::number(day.month())},
            {"DD", two(day.day())},
            {"D", QString::number(day.day())},
        };
        for (const auto& [name, value] : names)
            url.replace(QLatin1Char('[') + prefix + QLatin1String(name) + QLatin1Char(']'), value);
    }
    return url;
}

bool isWebMapUrl(const QString& url)
{
    const QUrl u(url, QUrl::StrictMode);
    const QString scheme = u.scheme().toLower();
    return u.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !u.host().isEmpty();
}

QString mapPictureType(const QString& url)
{
    const QString path = QUrl(url).path();
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || path.indexOf(QLatin1Char('/'), dot) >= 0)
        return {};
    const QString type = path.mid(dot).toUpper();
    if (type == QLatin1String(".GIF") || type == QLatin1String(".JPG") || type == QLatin1String(".PNG"))
        return type;
    return {};
}

int selectionAfterReplace(const QList<WeatherMap>& before, int selected, const QList<WeatherMap>& after)
{
    if (after.isEmpty())
        return -1;
    if (selected >= 0 && selected < before.size()) {
        for (int i = 0; i < after.size(); ++i) {
            if (after[i].name == before[selected].name)
                return i;
        }
    }
    return 0;
}

} // namespace zorvex

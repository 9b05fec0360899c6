#include "Forecast.h"

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

#include <array>
#include <cmath>
#include <numbers>

namespace zorvex::sim {
namespace {

struct City {
    QString name;
    double latitude = 52.23; // Warszawa, for a city without coordinates
    double longitude = 21.01;
};

std::optional<City> findCity(const SimData& data, const QString& mid)
{
    if (mid.isEmpty())
        return std::nullopt;
    std::optional<City> city;
    const QStringList lines = data.readText(QStringLiteral("listamiast.txt")).value_or(QString()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const qsizetype bar = line.indexOf(QLatin1Char('|'));
        if (bar > 0 && line.mid(bar + 1).trimmed() == mid) {
            city = City{line.left(bar), 52.23, 21.01};
            break;
        }
    }
    if (!city)
        return std::nullopt;
    const QStringList places = data.readText(QStringLiteral("miasta-wspolrzedne.txt")).value_or(QString()).split(QLatin1Char('\n'));
    for (const QString& line : places) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() >= 3 && f[0].trimmed() == mid) {
            city->latitude = f[1].toDouble();
            city->longitude = f[2].toDouble();
        }
    }
    return city;
}

// FNV-1a: the same forecast in every run (qHash is seeded per process).
quint32 mix(const QString& text)
{
    quint32 h = 2166136261u;
    for (char c : text.toUtf8()) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

QString temperature(int degrees)
{
    return QString::number(degrees) + QStringLiteral("°C");
}

QString dateText(QDate d)
{
    static const std::array<const char*, 7> days = {"poniedziałek", "wtorek", "środa", "czwartek", "piątek", "sobota", "niedziela"};
    static const std::array<const char*, 12> months = {"stycznia", "lutego", "marca", "kwietnia", "maja", "czerwca",
                                                       "lipca", "sierpnia", "września", "października", "listopada", "grudnia"};
    return QString::fromUtf8(days[size_t(d.dayOfWeek() - 1)]) + QStringLiteral(", ") + QString::number(d.day())
        + QLatin1Char(' ') + QString::fromUtf8(months[size_t(d.month() - 1)]) + QLatin1Char(' ') + QString::number(d.year());
}

// Sunrise or sunset in Polish local time, by the usual almanac formula.
QString sunTime(QDate d, const City& city, bool rise)
{
    constexpr double pi = std::numbers::pi;
    const double g = 2 * pi / 365 * (d.dayOfYear() - 1);
    const double eqTime = 229.18
        * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) - 0.014615 * std::cos(2 * g)
           - 0.040849 * std::sin(2 * g));
    const double decl = 0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) - 0.006758 * std::cos(2 * g)
        + 0.000907 * std::sin(2 * g) - 0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g);
    const double lat = city.latitude * pi / 180;
    const double cosHa = std::cos(90.833 * pi / 180) / (std::cos(lat) * std::cos(decl)) - std::tan(lat) * std::tan(decl);
    const double ha = std::acos(std::clamp(cosHa, -1.0, 1.0)) * 180 / pi;
    const double minutesUtc = 720 - 4 * (city.longitude + (rise ? ha : -ha)) - eqTime;
    const QDateTime utc = QDateTime(d, QTime(0, 0), QTimeZone::utc()).addSecs(qint64(std::lround(minutesUtc * 60)));
    const QTimeZone poland("Europe/Warsaw");
    const QDateTime local = poland.isValid() ? utc.toTimeZone(poland) : utc.addSecs(3600);
    return local.toString(QStringLiteral("HH:mm"));
}

struct Sky {
    QString picture;
    QString season; // "snieg" (only when cold), "deszcz" (only when not) or empty
    QString description;
};

QList<Sky> skies(const SimData& data)
{
    QList<Sky> out;
    const QStringList lines = data.readText(QStringLiteral("pogoda-opisy.txt")).value_or(QString()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() >= 3)
            out.append({f[0], f[1], f[2]});
    }
    return out;
}

} // namespace

QStringList forecastLines(const SimData& data, const QString& mid, const QString& date)
{
    const QString marker = QStringLiteral("POGODA");
    const std::optional<City> city = findCity(data, mid);
    if (!city)
        return {marker, QStringLiteral("ERRORS|1|Nie ma takiego miasta")};
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy.MM.dd"));
    if (!day.isValid())
        return {marker, QStringLiteral("ERRORS|2|Błędna data")};

    // Mean daily maximum and minimum of each month in Poland.
    static const std::array<int, 12> meanMax = {1, 2, 7, 13, 19, 22, 24, 24, 18, 13, 6, 2};
    static const std::array<int, 12> meanMin = {-5, -4, -1, 3, 8, 11, 13, 13, 9, 5, 1, -3};
    const quint32 h = mix(mid + QLatin1Char('|') + date);
    const size_t m = size_t(day.month() - 1);
    const int max = meanMax[m] + int(h % 9) - 4;
    const int min = std::min(max - 2, meanMin[m] + int((h >> 4) % 7) - 3);

    QList<Sky> fitting;
    for (const Sky& s : skies(data)) {
        if (s.season.isEmpty() || (s.season == QLatin1String("snieg") && max <= 2)
            || (s.season == QLatin1String("deszcz") && max >= 3))
            fitting.append(s);
    }
    const Sky sky = fitting.isEmpty() ? Sky{QStringLiteral("chm3.gif"), {}, QStringLiteral("Zachmurzenie umiarkowane")}
                                      : fitting[qsizetype((h >> 8) % quint32(fitting.size()))];

    static const std::array<const char*, 8> directions = {"północny", "północno-wschodni", "wschodni", "południowo-wschodni",
                                                          "południowy", "południowo-zachodni", "zachodni", "północno-zachodni"};
    const int windLow = 1 + int((h >> 12) % 6);
    const int windHigh = windLow + 2 + int((h >> 15) % 3);
    const QString wind = QStringLiteral("Wiatr ") + QString::fromUtf8(directions[(h >> 18) % 8]) + QStringLiteral(", ")
        + QString::number(windLow) + QLatin1Char('-') + QString::number(windHigh) + QStringLiteral(" m/s");
    static const std::array<const char*, 3> conditions = {"korzystne", "obojętne", "niekorzystne"};
    const QString factor = QStringLiteral("Warunki biometeorologiczne: ") + QString::fromUtf8(conditions[(h >> 21) % 3]);

    return {marker,
            QStringLiteral("ERRORS|0"),
            city->name,
            dateText(day),
            QStringLiteral("img/pogoda/") + sky.picture,
            temperature(max),
            temperature(min),
            sky.description,
            wind,
            factor,
            sunTime(day, *city, true),
            sunTime(day, *city, false)};
}

} // namespace zorvex::sim

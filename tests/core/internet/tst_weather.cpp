#include "core/common/Cp1250.h"
#include "core/internet/ServiceAnswer.h"
#include "core/internet/WeatherCities.h"
#include "core/internet/WeatherForecast.h"

#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

class TestWeather : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void pictureNumbers_data();
    void pictureNumbers();
    void iconTemperature_data();
    void iconTemperature();
    void iconData_data();
    void iconData();
    void dayNames();
    void hint();
    void citySelection_data();
    void citySelection();
};

namespace {
const QStringList kFull{u"POGODA"_s, u"ERRORS|0"_s, u"Wrocław"_s, u"2026.12.10"_s, u"img/pogoda/chm14.gif"_s, u"5 °C"_s, u"-2 °C"_s,
                        u"Pochmurno"_s, u"Wiatr zachodni, 2-4 m/s"_s, u"Warunki biometeorologiczne: obojętne"_s, u"7:39"_s,
                        u"15:38"_s};
}

void TestWeather::answers_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("sunset");
    // "ł" and "ę" are the same byte in both code pages.
    QTest::newRow("full") << toCp1250(kFull.join(u"<br>\r\n"_s)) << true << u"Wrocław"_s << u"15:38"_s;
    QTest::newRow("status only: every field empty") << QByteArray("POGODA\nERRORS|0") << true << u""_s << u""_s;
    QTest::newRow("cut after the city") << QByteArray("POGODA\nERRORS|0\nOpole") << true << u"Opole"_s << u""_s;
    QTest::newRow("error status") << QByteArray("POGODA\nERRORS|1|Nie ma takiego miasta") << false << u""_s << u""_s;
    QTest::newRow("no status line") << QByteArray("POGODA\nOpole\n1 °C") << false << u""_s << u""_s;
    QTest::newRow("marker in lower case") << QByteArray("pogoda\nERRORS|0\nOpole") << false << u""_s << u""_s;
    QTest::newRow("marker not first") << QByteArray("\nPOGODA\nERRORS|0") << false << u""_s << u""_s;
    QTest::newRow("empty") << QByteArray() << false << u""_s << u""_s;
    QTest::newRow("only the first ERRORS line counts") << QByteArray("POGODA\nERRORS|1\nERRORS|0") << false << u""_s
                                                       << u""_s;
    QTest::newRow("HTML page") << QByteArray("<html><body>503</body></html>") << false << u""_s << u""_s;
}

void TestWeather::answers()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, valid);
    const std::optional<Forecast> f = parseForecast(cleanAnswer(body));
    QCOMPARE(f.has_value(), valid);
    if (!f)
        return;
    QFETCH(QString, city);
    QFETCH(QString, sunset);
    QCOMPARE(f->city, city);
    QCOMPARE(f->sunset, sunset);
}

void TestWeather::pictureNumbers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("chm16 is not chm1") << u"img/pogoda/chm16.gif"_s << 11;
    QTest::newRow("chm11") << u"chm11.gif"_s << 8;
    QTest::newRow("chm10") << u"chm10.gif"_s << 7;
    QTest::newRow("chm1") << u"img/chm1.gif"_s << 1;
    QTest::newRow("chm8") << u"chm8.gif"_s << 6;
    QTest::newRow("unknown number") << u"chm5.gif"_s << 0;
    QTest::newRow("other extension") << u"chm3.png"_s << 0;
    QTest::newRow("empty") << u""_s << 0;
}

void TestWeather::pictureNumbers()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QCOMPARE(forecastPictureNumber(name), number);
}

void TestWeather::iconTemperature_data()
{
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("minimum");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("text");
    QTest::newRow("mean truncates toward zero") << u"5 °C"_s << u"-2 °C"_s << 0 << u"1°C"_s;
    QTest::newRow("negative mean truncates toward zero") << u"-5 °C"_s << u"-2 °C"_s << 0 << u"-3°C"_s;
    QTest::newRow("even mean") << u"10°C"_s << u"4°C"_s << 0 << u"7°C"_s;
    QTest::newRow("no unit gives nothing") << u"5"_s << u"-2 °C"_s << 0 << u""_s;
    QTest::newRow("not a number gives nothing") << u"ciepło °C"_s << u"-2 °C"_s << 0 << u""_s;
    QTest::newRow("empty answer") << u""_s << u""_s << 0 << u""_s;
    QTest::newRow("maximum, blanks removed") << u"5 °C"_s << u"-2 °C"_s << 1 << u"5°C"_s;
    QTest::newRow("minimum as it came") << u"5 °C"_s << u"około -2 °C"_s << 2 << u"około-2°C"_s;
}

void TestWeather::iconTemperature()
{
    QFETCH(QString, maximum);
    QFETCH(QString, minimum);
    QFETCH(int, type);
    QFETCH(QString, text);
    QCOMPARE(iconTemperatureText(maximum, minimum, IconTemperature(type)), text);
}

void TestWeather::iconData_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("city");
    const QString sep(QChar(0xFF));
    QTest::newRow("complete") << QStringList{u"2"_s, u"5°C"_s, u"1°C"_s, u"Deszcz"_s, u"Wiatr"_s, u"Warunki"_s, u"Opole"_s}.join(sep) << 2
                              << u"Opole"_s;
    QTest::newRow("short record") << QStringList{u"1"_s, u"5°C"_s}.join(sep) << 1 << u""_s;
    QTest::newRow("day out of range") << QStringList{u"9"_s, u""_s, u""_s, u""_s, u""_s, u""_s, u"Opole"_s}.join(sep) << 0 << u"Opole"_s;
    QTest::newRow("garbage") << u"xyz"_s << 0 << u""_s;
    QTest::newRow("empty") << u""_s << 0 << u""_s;
}

void TestWeather::iconData()
{
    QFETCH(QString, stored);
    QFETCH(int, day);
    QFETCH(QString, city);
    const IconData d = IconData::fromText(stored);
    QCOMPARE(d.dayIndex, day);
    QCOMPARE(d.city, city);
    // What is written reads back the same.
    const IconData again = IconData::fromText(d.toText());
    QCOMPARE(again.toText(), d.toText());
}

void TestWeather::dayNames()
{
    // Thursday 10 December 2026: three days ahead is a Sunday, four a Monday.
    QCOMPARE(forecastDayNames(QDate(2026, 12, 10)),
             (QStringList{u"Dzisiaj"_s, u"Jutro"_s, u"Pojutrze"_s, u"Niedziela"_s, u"Poniedziałek"_s}));
    QCOMPARE(forecastDayNames(QDate(2026, 12, 13)).at(3), QStringLiteral("Środa"));
}

void TestWeather::hint()
{
    const std::optional<Forecast> f = parseForecast(kFull);
    QVERIFY(f);
    IconData d = IconData::fromForecast(1, *f);
    const QString hint = weatherHintText(d, QStringLiteral("Jutro"));
    QVERIFY(hint.startsWith(QStringLiteral("\n------------------------------------------\nPogoda (jutro), Wrocław\n")));
    QVERIFY(hint.endsWith(QStringLiteral("\nTemperatura od -2 °C do 5 °C\nPochmurno\nWiatr zachodni, 2-4 m/s\n"
                                         "Warunki biometeorologiczne: obojętne")));
    d.city.clear();
    QVERIFY(weatherHintText(d, QStringLiteral("Jutro")).contains(QStringLiteral("Pogoda (jutro)\n")));
}

void TestWeather::citySelection_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("selected");
    const QStringList list{u"Dolnośląskie|"_s, u"Wrocław|101"_s, u""_s, u"Opolskie|"_s, u"Opole|301"_s};
    QTest::newRow("a city stays") << list << 1 << 1;
    QTest::newRow("a heading moves to the next city") << list << 2 << 3;
    QTest::newRow("heading as the first entry") << list << 0 << 1;
    QTest::newRow("heading as the last entry goes to the first city")
        << QStringList{u"Wrocław|101"_s, u"Opolskie|"_s} << 1 << 0;
    QTest::newRow("only headings never loop") << QStringList{u"A|"_s, u"B|"_s, u"C|"_s} << 1 << -1;
    QTest::newRow("out of range") << list << 7 << -1;
    QTest::newRow("negative") << list << -1 << -1;
    QTest::newRow("empty list") << QStringList{} << 0 << -1;
}

void TestWeather::citySelection()
{
    QFETCH(QStringList, lines);
    QFETCH(int, index);
    QFETCH(int, selected);
    QCOMPARE(selectableCity(parseCityList(lines), index), selected);
}

QTEST_GUILESS_MAIN(TestWeather)
#include "tst_weather.moc"

#pragma once

#include "core/status/MonthChart.h"
#include "core/status/StatusSources.h"
#include "core/status/StatusText.h"
#include "core/status/UptimeFile.h"
#include "core/status/UptimeRuns.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace zorvex {

class Clock;

// The running-time statistic: imports the runs once at start, keeps the
// current run in memory and gives the pages their texts.
class UptimeLog {
public:
    // The moment of construction counts as the program's start.
    UptimeLog(const Clock& clock, UptimeRecordSource& source, QString czasPath, QString czas2Path);

    // Handed over by the recovery of the autosave record, before importRuns.
    void setInterruptedSession(const QDateTime& start, const QDateTime& end);

    // At the creation of the Tools window while the statistic is on: reads
    // the records, adds the new runs to "Czas.ini" and loads the days.
    uptimefile::ImportResult importRuns();
    // Reads "Czas.ini" for the pages and today's total.
    void loadDays();
    // The day change: today's total belongs to the new date.
    void startDay();

    QDateTime currentRunStart() const { return m_currentStart; }
    qint64 currentRunSeconds() const;
    // "HH:MM:SS", or above a day "Nd. HH:MM:SS".
    QString currentRunText() const;
    // Today's stored seconds plus the current run's share of today.
    QString todayText() const;
    // "System aktualnie uruchomiony jest przez: ..., a dzisiaj: ...".
    QString liveLabel() const;

    const UptimeDays& days() const { return m_days; }
    // "Według dni": newest first, "dd.MM.yyyy = HH:MM:SS".
    std::vector<QDate> listedDates() const;
    QStringList dayLines() const;
    // The runs of one day: "1. 08:00:00 - 12:00:00 = 04:00:00".
    QStringList runLines(const QDate& date) const;

    struct Month {
        std::vector<QDate> dates; // newest first
        QStringList lines;
        qint64 total = 0;
        qint64 average = 0;
        QString totalText;   // "Razem: HH godz. MM min. SS sek."
        QString averageText; // "Średnio: ..."
    };
    Month month(int year, int month) const;

    enum class ChartKind { Ranges, Summed }; // "Wykres 1", "Wykres 2"
    struct Bar {
        int day = 0;
        int bottom = 0; // pixels above the plot's bottom
        int top = 0;
    };
    std::vector<Bar> chartBars(int year, int month, ChartKind kind) const;
    // "Dzień: ...\rCzas zsumowany: HH:MM:SS"; nothing for a day without time.
    std::optional<QString> chartHint(const QDate& date) const;

    QString recordLocation() const;

private:
    const Clock& m_clock;
    UptimeRecordSource& m_source;
    QString m_czasPath;
    QString m_czas2Path;
    QDateTime m_programStart;
    QDateTime m_currentStart;
    std::optional<InterruptedSession> m_interrupted;
    UptimeDays m_days;
    QDate m_today;
    qint64 m_todayTotal = 0;
};

// "HH godz. MM min. SS sek." (hours at least two digits, not limited to 24).
QString longDurationText(qint64 seconds);

// The electricity bill of a month: price of a kWh x hours x power in kW.
namespace uptimecost {
inline constexpr double kDefaultPrice = 0.1847;
inline constexpr double kDefaultPower = 0.3;
QString defaultPriceText(const NumberStyle& style = {}); // "0,1847"
QString defaultPowerText(const NumberStyle& style = {}); // "0,300"
// A comma or a point as the decimal separator; nothing when not a number.
std::optional<double> parseRate(const QString& text);
// "Błędne dane: " + text, under "Zorvex - Błąd".
QString badInputMessage(const QString& text);
// Rounded to 2 places.
double cost(double price, qint64 seconds, double power);
// "Razem: 1,23 zł".
QString costText(double price, qint64 seconds, double power, const NumberStyle& style = {});
} // namespace uptimecost

} // namespace zorvex

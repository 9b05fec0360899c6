#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace zorvex {

// The statistics files ("Czas.ini", "Ruch.ini", "Siec.ini") keep dates as
// dd.MM.yyyy and times as HH:mm:ss whatever the desktop's locale is, so a
// change of the locale never makes older days unreadable.
QString statusDateText(const QDate& date);
QDate parseStatusDate(const QString& text); // invalid when it is not a date
QString statusTimeText(const QTime& time);
QTime parseStatusTime(const QString& text); // invalid when it is not a time
QString statusDateTimeText(const QDateTime& t);

// Hours, minutes and seconds of `seconds`, each at least two digits, joined
// by ":"; the hours are not limited to 24. Negative counts read as 0.
QString hmsText(qint64 seconds);

// Separators of the numbers the pages show ("1 234,50 KB").
struct NumberStyle {
    QChar decimal = QLatin1Char(',');
    QChar group = QChar(0x00A0);
    static NumberStyle polish() { return {}; }
};

// `value` rounded to `decimals` places; with `grouped` the whole part gets
// the group separator every three digits ("#,##0.00").
QString formatNumber(double value, int decimals, bool grouped, const NumberStyle& style = {});

// The day of a chart hint: "Dzień: " + weekday + " " + d.mm.yyyy.
QString chartHintDay(const QDate& date);

} // namespace zorvex

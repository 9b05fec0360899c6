#pragma once

#include <QDate>
#include <QString>

namespace zorvex {

// The program's own name tables. Weekdays in lower case, counted as QDate
// does (1 = Monday ... 7 = Sunday); months in the genitive (1-12). Out of
// range gives empty text.
QString polishWeekdayName(int dayOfWeek);
QString polishMonthGenitive(int month);

// Names the interface takes "from the locale": always the Polish locale,
// whatever the system's locale is, since the whole interface is Polish.
// Weekday counted from Sunday = 0, as the month grid counts its columns.
QString polishShortWeekdayName(int sundayBasedWeekday);
// The month's weekday header: "Pn", "Wt", "Śr", "Cz", "Pt", "So", "Nd", two
// letters each so that every name fits its 20-pixel cell alike. Counted
// from Sunday = 0 like the short names.
QString weekdayHeaderName(int sundayBasedWeekday);
// The month's own name ("październik", abbreviated "paź"), as a caption
// or a month field shows it; the locale's plain month names are genitive.
QString polishMonthName(int month, bool abbreviated = false);
// Formats with the Polish locale's names ("dddd, d MMM yyyy" and the like).
QString polishDateText(const QDate& date, const QString& format);

} // namespace zorvex

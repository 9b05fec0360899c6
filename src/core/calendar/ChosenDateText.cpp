#include "core/calendar/ChosenDateText.h"

#include "core/calendar/DayFile.h"
#include "core/calendar/PolishNames.h"
#include "core/calendar/Sentence.h"

namespace zorvex {

ChosenDateText chosenDateText(const QDate& date, const QString& namesPath, const QString& sentencePath)
{
    ChosenDateText out;
    out.heading = QStringLiteral("Data: ") + polishDateText(date, QStringLiteral("dddd, d MMM yyyy"));
    out.lines << QStringLiteral("Imieniny:") << lookupNameDay(namesPath, date) << QString()
              << QStringLiteral("Sentencja:") << displayedSentence(lookupSentence(sentencePath, date));
    return out;
}

} // namespace zorvex

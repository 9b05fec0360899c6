#include "core/reminders/ZodiacPersons.h"

#include "core/calendar/Zodiac.h"
#include "core/reminders/ReminderFiles.h"

namespace zorvex {

QStringList personsBornUnder(int sign, const QList<PersonEntry>& persons)
{
    QStringList names;
    for (const PersonEntry& p : persons) {
        if (p.hasBirthday() && SignOf(p.birthDay, p.birthMonth) == sign)
            names << p.name;
    }
    return names;
}

QString zodiacHint(int sign, const QList<PersonEntry>& persons)
{
    return zodiacSignHint(sign, personsBornUnder(sign, persons));
}

QString zodiacHintFromFile(int sign, const QString& personsPath)
{
    bool ok = false;
    const QList<PersonEntry> persons = PersonFile::load(personsPath, &ok);
    return zodiacHint(sign, ok ? persons : QList<PersonEntry>());
}

} // namespace zorvex

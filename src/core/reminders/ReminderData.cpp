#include "core/reminders/ReminderData.h"

#include "core/common/Cp1250.h"
#include "core/common/Text.h"

namespace zorvex {

namespace {
std::optional<int> number(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}
} // namespace

PrivateEntry PrivateEntry::parse(const QString& line)
{
    PrivateEntry e;
    e.name = Field(line, kListSeparator, 1);
    e.day = number(Field(line, kListSeparator, 2)).value_or(1);
    e.month = number(Field(line, kListSeparator, 3)).value_or(1);
    e.startYearText = Field(line, kListSeparator, 4);
    e.yearText = Field(line, kListSeparator, 5);
    const auto start = number(e.startYearText);
    if (start && *start != 0)
        e.startYear = start;
    e.year = number(e.yearText);
    return e;
}

QString PrivateEntry::makeLine(const QString& name, int day, int month, int year, bool anniversary)
{
    const QString y = QString::number(year);
    return QStringList{name, QString::number(day), QString::number(month), anniversary ? y : QString(),
                       anniversary ? QString() : y}
        .join(kListSeparator);
}

QString checkEntryName(const QString& name, bool privateList)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Nazwa nie może być pusta.");
    if (name.size() > 255)
        return QStringLiteral("Nazwa może mieć najwyżej 255 znaków.");
    for (QChar c : name) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() < 0x20)
            return QStringLiteral("Nazwa nie może zawierać znaków końca wiersza ani znaków sterujących.");
    }
    if (privateList && name.contains(kListSeparator))
        return QStringLiteral("Nazwa nie może zawierać znaku \u02D9.");
    if (!fitsCp1250(name))
        return QStringLiteral("Nazwa zawiera znaki, których nie da się zapisać w pliku (spoza polskiej strony kodowej).");
    return {};
}

} // namespace zorvex

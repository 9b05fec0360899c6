#include "core/desktop/Compositions.h"

#include "core/common/Cp1250.h"
#include "core/common/LineFile.h"
#include "core/common/Text.h"

#include <QTimeZone>

namespace zorvex {
namespace {

// The list's spelling of `name`, matched ignoring case; empty when it is
// not there.
QString findSet(const QStringList& names, const QString& name)
{
    for (const QString& n : names) {
        if (equalsIgnoringCase(n, name))
            return n;
    }
    return {};
}

// An empty field chooses the default; a name not in the list (the default
// entry is not part of it) chooses it too and is reported missing.
QString resolve(const QString& wanted, const QStringList& names, const char* label, QStringList& missing)
{
    if (wanted.isEmpty())
        return {};
    const QString found = findSet(names, wanted);
    if (found.isEmpty())
        missing << QString::fromUtf8(label) + wanted;
    return found;
}

} // namespace

QString defaultCompositionName()
{
    return QStringLiteral("Domyślna");
}

QString compositionField(const QString& line, int n)
{
    return Field(line, kListSeparator, n);
}

QStringList loadCompositions(const QString& path, bool* replace)
{
    bool whole = false;
    bool mayReplace = false;
    QStringList list = loadLineFile(path, &whole, &mayReplace);
    if (replace)
        *replace = mayReplace;
    if (list.isEmpty() || list.front() != defaultCompositionName())
        list.prepend(defaultCompositionName());
    return list;
}

bool saveCompositions(const QString& path, const QStringList& list, QString* error)
{
    return saveLineFile(path, list, error);
}

int findComposition(const QStringList& list, const QString& name)
{
    for (qsizetype i = 1; i < list.size(); ++i) {
        if (compositionField(list.at(i), composition::Name) == name)
            return int(i);
    }
    return -1;
}

int chosenComposition(const QStringList& list, const QString& storedLine)
{
    const qsizetype i = list.indexOf(storedLine);
    return i > 0 ? int(i) : 0;
}

qint64 localSecondsSince1970(const QDateTime& now)
{
    return now.toSecsSinceEpoch() + now.offsetFromUtc();
}

int compositionAgeHours(const QString& line, const QDateTime& now)
{
    bool ok = false;
    const qint64 saved = compositionField(line, composition::SavedAt).toLongLong(&ok);
    if (!ok)
        return kNewAddonHours;
    // A time too far out to shift by the offset reads like any other time
    // out of range: unreadable.
    qint64 utc = 0;
    const QDateTime written =
        qSubOverflow(saved, qint64(now.offsetFromUtc()), &utc) ? QDateTime() : QDateTime::fromSecsSinceEpoch(utc);
    return addonAgeHours(written, now);
}

QString compositionLine(const CompositionParts& p, const QDateTime& now)
{
    QStringList f{p.name,
                  p.scheme,
                  p.weather,
                  QString::number(p.zodiacKind),
                  p.zodiac,
                  p.skin,
                  p.disk,
                  p.zodiacShown ? QStringLiteral("1") : QStringLiteral("0"),
                  QString::number(localSecondsSince1970(now)),
                  p.timeOfDay};
    if (!p.version.isEmpty())
        f << p.version;
    return f.join(kListSeparator);
}

int storeComposition(QStringList& list, const QString& line)
{
    if (list.isEmpty() || list.front() != defaultCompositionName())
        list.prepend(defaultCompositionName());
    const int at = findComposition(list, compositionField(line, composition::Name));
    if (at < 0) {
        list << line;
        return int(list.size() - 1);
    }
    QStringList fields = line.split(kListSeparator);
    while (fields.size() < composition::Version)
        fields << QString();
    fields[composition::Version - 1] = compositionField(list.at(at), composition::Version);
    while (fields.size() > composition::TimeOfDay && fields.back().isEmpty())
        fields.removeLast();
    list[at] = fields.join(kListSeparator);
    return at;
}

CompositionPlan planComposition(const QString& line, const AvailableAddons& a)
{
    CompositionPlan plan;
    plan.name = compositionField(line, composition::Name);
    bool ok = false;
    const int shown = compositionField(line, composition::ZodiacShown).trimmed().toInt(&ok);
    plan.zodiacShown = !ok || shown != 0;

    QStringList& missing = plan.missing;
    plan.scheme = resolve(compositionField(line, composition::Scheme), a.schemes,
                          "Schemat kolorów: ", missing);
    plan.weather = resolve(compositionField(line, composition::Weather), a.weather, "Ikony pogody: ", missing);
    plan.timeOfDay = resolve(compositionField(line, composition::TimeOfDay), a.timeOfDay, "Ikony pory dnia: ",
                             missing);
    plan.skin = resolve(compositionField(line, composition::Skin), a.skins, "Panel odtwarzania: ", missing);
    plan.disk = resolve(compositionField(line, composition::Disk), a.disks, "Ikona dysku: ", missing);

    const QString zodiac = compositionField(line, composition::Zodiac);
    if (compositionField(line, composition::ZodiacKind) != u"1") {
        plan.zodiacKind = 0;
        plan.zodiacSet = resolve(zodiac, a.zodiac, "Zestaw znaków zodiaku: ", missing);
    } else {
        plan.zodiacKind = 1;
        plan.zodiacPicture = zodiac;
        if (!zodiac.isEmpty() && !(a.pictureExists && a.pictureExists(zodiac)))
            missing << QStringLiteral("Obrazek znaku zodiaku: \n\"") + zodiac + QLatin1Char('"');
    }
    return plan;
}

QString missingAddonsText(const QStringList& missing)
{
    QString text = QStringLiteral("W wybranej kompozycji brakuje następujących dodatków:\n");
    for (const QString& line : missing)
        text += QLatin1Char('\n') + line;
    return text;
}

QString compositionCaption(const QString& name)
{
    return QStringLiteral("Kompozycja: ") + name;
}

} // namespace zorvex

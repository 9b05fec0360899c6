#include "core/calendar/VisibleTexts.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"

#include <QStringList>

namespace zorvex {

VisibleTexts::VisibleTexts()
    : m_flags{true, true, false, false}
{
}

VisibleTexts VisibleTexts::fromFlags(QList<bool> flags)
{
    VisibleTexts v;
    v.m_flags = std::move(flags);
    return v;
}

VisibleTexts VisibleTexts::load(const QString& path, bool* ok)
{
    const TextFileRead file = readTextFile(path);
    if (ok) {
        // Only lines of "1" and "0" are a choice; anything else is not ours
        // to replace.
        *ok = file.read();
        for (QStringView line : QStringView(file.text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringView t = line.trimmed();
            if (!t.isEmpty() && t != QLatin1String("1") && t != QLatin1String("0"))
                *ok = false;
        }
    }
    return file.read() ? fromText(file.text) : VisibleTexts();
}

VisibleTexts VisibleTexts::fromText(const QString& text)
{
    QStringList lines = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    // A line break at the end closes the last line; it does not open another.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    if (lines.size() < kItems)
        return {};
    QList<bool> flags;
    flags.reserve(lines.size());
    for (const QString& line : std::as_const(lines))
        flags.append(line.trimmed() == QLatin1String("1"));
    return fromFlags(std::move(flags));
}

QString VisibleTexts::toText() const
{
    QString out;
    for (bool on : m_flags)
        out += (on ? QLatin1String("1") : QLatin1String("0")) + QLatin1String("\r\n");
    return out;
}

bool VisibleTexts::save(const QString& path, QString* error) const
{
    return writeFileAtomically(path, toCp1250(toText()), error);
}

int VisibleTexts::shownCount() const
{
    if (!usable())
        return 0;
    int n = 0;
    for (bool on : m_flags)
        n += on ? 1 : 0;
    return n;
}

bool VisibleTexts::checked(Item item) const
{
    if (m_flags.isEmpty())
        return true;
    return item < m_flags.size() && m_flags.at(item);
}

QString VisibleTexts::itemLabel(Item item)
{
    switch (item) {
    case Names: return QStringLiteral("Imieniny");
    case Sentence: return QStringLiteral("Sentencja");
    case Radio: return QStringLiteral("Radio");
    case Music: return QString::fromUtf8("Muzyka (menadżer m3u)");
    }
    return {};
}

} // namespace zorvex

#include "core/internet/MiscPages.h"

#include "core/common/Text.h"

#include <QStringDecoder>

namespace zorvex {

namespace {

// The service writes its links in Windows-1250, but a browser hands a link
// typed with Polish letters over in UTF-8: the bytes tell which.
QString decodeLinkText(QStringView text)
{
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    QByteArray raw = text.left(amp < 0 ? text.size() : amp).toLatin1();
    raw.replace('+', ' ');
    const QByteArray bytes = QByteArray::fromPercentEncoding(raw);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (!utf8.hasError())
        return asUtf8;
    return UrlDecode(text);
}

} // namespace

QList<MiscEntry> parseMiscList(const QStringList& lines)
{
    QList<MiscEntry> entries;
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        entries.append({PipeField(line, 1), PipeField(line, 2).trimmed(), line});
    }
    return entries;
}

int initialMiscSelection(const QList<MiscEntry>& entries, int saved)
{
    if (entries.isEmpty())
        return -1;
    if (saved >= 0 && saved < entries.size())
        return saved;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].line.toLower().contains(QLatin1String("otv.php")))
            return i;
    }
    return 0;
}

int horoscopeEntry(const QList<MiscEntry>& entries)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].script == QLatin1String("horoskop.php"))
            return i;
    }
    return -1;
}

QStringList hiddenMiscEntries(const QStringList& lines)
{
    QStringList hidden;
    for (const QString& line : lines) {
        if (PipeField(line, 2).trimmed() == QLatin1String("0"))
            hidden << PipeField(line, 1);
    }
    return hidden;
}

QStringList miscMenuLines(const QList<MiscEntry>& entries, const QStringList& hidden)
{
    QStringList lines;
    for (const MiscEntry& e : entries)
        lines << e.name + QLatin1Char('|') + (hidden.contains(e.name) ? QLatin1Char('0') : QLatin1Char('1'));
    return lines;
}

bool isServiceOrigin(const QUrl& url, const QUrl& serviceUrl)
{
    return url.isValid() && !url.host().isEmpty() && url.scheme().toLower() == serviceUrl.scheme().toLower()
        && url.host().toLower() == serviceUrl.host().toLower()
        && url.port(url.scheme() == QLatin1String("https") ? 443 : 80)
        == serviceUrl.port(serviceUrl.scheme() == QLatin1String("https") ? 443 : 80);
}

AlarmLinkDecision decideAlarmLink(const QUrl& link, const QUrl& pageUrl, const QUrl& serviceUrl, bool userClicked,
                                  const QDateTime& now)
{
    AlarmLinkDecision d;
    const QString full = link.toString(QUrl::FullyEncoded);
    static const QLatin1String marker(".php?alarm=");
    const qsizetype at = full.toLower().indexOf(marker);
    if (at < 0)
        return d;
    // Whatever follows, the link itself is never followed.
    d.verdict = AlarmLinkVerdict::Refused;
    if (!userClicked || !isServiceOrigin(link, serviceUrl) || !isServiceOrigin(pageUrl, serviceUrl))
        return d;

    const QString rest = full.mid(at + marker.size()).replace(QStringLiteral("%20"), QStringLiteral(" ")).trimmed();
    const qsizetype bar = rest.indexOf(QLatin1Char('|')) >= 0 ? rest.indexOf(QLatin1Char('|'))
                                                               : rest.indexOf(QLatin1String("%7C"), 0, Qt::CaseInsensitive);
    if (bar < 0) {
        d.verdict = AlarmLinkVerdict::Swallowed;
        return d;
    }
    const qsizetype after = rest.at(bar) == QLatin1Char('|') ? bar + 1 : bar + 3;
    const QDateTime when = QDateTime::fromString(rest.left(bar).trimmed(), QStringLiteral("yyyy-MM-dd HH:mm"));
    d.verdict = AlarmLinkVerdict::Allowed;
    d.alarm.when = when.isValid() ? when : now;
    d.alarm.text = decodeLinkText(QStringView(rest).mid(after)).trimmed();
    return d;
}

} // namespace zorvex

#include "core/media/RadioRules.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

namespace zorvex {

QString radioTitleFromMetadata(const QString& text)
{
    const QString lower = text.toLower();
    QString title;
    const qsizetype p = lower.indexOf(QLatin1String("streamtitle="));
    if (p >= 0) {
        // The title is quoted; it ends at the first ";" after it. A title
        // holding ";" is cut there, and only a closing quote is dropped, so
        // its last letter is kept.
        const qsizetype start = p + 12;
        const qsizetype end = text.indexOf(u';', start);
        title = end < 0 ? text.mid(start) : text.mid(start, end - start);
        if (title.startsWith(u'\''))
            title.remove(0, 1);
        if (title.endsWith(u'\''))
            title.chop(1);
    } else {
        const qsizetype t = lower.indexOf(QLatin1String("title="));
        if (t < 0)
            return QString();
        title = text.mid(t + 6);
    }
    title.replace(u'_', u' ');
    return title;
}

RadioHeader radioHeader(const QString& text)
{
    static const struct {
        const char* prefix;
        RadioField field;
    } rules[] = {{"icy-url:", RadioField::WebPage},
                 {"icy-name:", RadioField::Name},
                 {"icy-br:", RadioField::Bitrate},
                 {"title=", RadioField::Title}};
    for (const auto& r : rules) {
        const QLatin1String prefix(r.prefix);
        if (text.startsWith(prefix))
            return {r.field, text.mid(prefix.size()).trimmed()};
    }
    return {};
}

QString radioErrorText(const QString& error)
{
    if (error.startsWith(QLatin1String("ICY 400")))
        return QStringLiteral("Serwer jest przepełniony (ICY 400 Server Full)");
    if (error.startsWith(QLatin1String("ICY 401")))
        return QStringLiteral("Serwer przestał nadawać (ICY 401 Service Unavailable)");
    QString out = QStringLiteral("Serwer jest przepełniony lub przestał nadawać");
    if (!error.isEmpty() && error != QLatin1String("error"))
        out += QStringLiteral(" (") + error + u')';
    return out;
}

QString elapsedClockText(qint64 seconds)
{
    if (seconds < 0)
        seconds = 0;
    const auto two = [](qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return two((seconds / 3600) % 60) + u':' + two((seconds / 60) % 60) + u':' + two(seconds % 60);
}

QString radioElapsedText(qint64 seconds)
{
    return QStringLiteral("Odtwarzanie: ") + elapsedClockText(seconds);
}

RadioAlternatives::RadioAlternatives(std::function<int(int n)> random) : m_random(std::move(random))
{
    if (!m_random)
        m_random = [](int n) { return int(QRandomGenerator::global()->bounded(n)) + 1; };
}

QString RadioAlternatives::choose(const QString& urlField)
{
    if (!urlField.contains(u'|')) {
        m_index = 0;
        m_last.clear();
        return urlField;
    }
    const QStringList parts = urlField.split(u'|');
    const int n = int(parts.size());
    if (m_index < 1 || m_index > n)
        m_index = m_random(n);
    if (parts.at(m_index - 1) != m_last)
        m_index = m_random(n);
    else
        ++m_index;
    if (m_index > n || m_index < 1)
        m_index = 1;
    m_last = parts.at(m_index - 1);
    return m_last;
}

RadioPlaylist radioPlaylistKind(const QString& url)
{
    // The query and fragment say nothing of the kind ("list.pls?id=3").
    const QString path = QUrl(url).path().toUpper();
    if (path.endsWith(QLatin1String(".M3U")) || path.endsWith(QLatin1String(".M3U8")))
        return RadioPlaylist::M3u;
    if (path.endsWith(QLatin1String(".PLS")))
        return RadioPlaylist::Pls;
    for (const char* e : {".ASX", ".ASP", ".WAX"})
        if (path.endsWith(QLatin1String(e)))
            return RadioPlaylist::Asx;
    if (path.endsWith(QLatin1String(".XSPF")))
        return RadioPlaylist::Xspf;
    return RadioPlaylist::None;
}

QString radioPlaylistStream(RadioPlaylist kind, const QString& text)
{
    QString clean = text;
    clean.remove(QLatin1String("<br>"), Qt::CaseInsensitive);
    const QStringList lines = clean.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        const QString upper = line.toUpper();
        switch (kind) {
        case RadioPlaylist::M3u:
            if (line.size() > 1 && !line.startsWith(u'#'))
                return line;
            break;
        case RadioPlaylist::Pls:
            if (line.size() > 6 && upper.startsWith(QLatin1String("FILE1=")))
                return line.mid(6).trimmed();
            break;
        case RadioPlaylist::Asx:
            if ((upper.contains(QLatin1String("<REF")) || upper.contains(QLatin1String(" REF")))
                && upper.contains(QLatin1String("HREF")) && line.count(u'"') == 2) {
                const qsizetype a = line.indexOf(u'"');
                const qsizetype b = line.indexOf(u'"', a + 1);
                // GStreamer plays the http address itself; the old "mms://"
                // rewrite would only make it unplayable.
                return line.mid(a + 1, b - a - 1).trimmed();
            }
            break;
        case RadioPlaylist::Xspf: {
            const qsizetype a = line.indexOf(QLatin1String("<location>"), 0, Qt::CaseInsensitive);
            const qsizetype b = line.indexOf(QLatin1String("</location>"), 0, Qt::CaseInsensitive);
            if (a >= 0 && b > a)
                return line.mid(a + 10, b - a - 10).trimmed();
            break;
        }
        case RadioPlaylist::None:
            return QString();
        }
    }
    return QString();
}

} // namespace zorvex

#include "core/app/TrayHint.h"

#include <algorithm>
#include <optional>

namespace zorvex {
namespace {

QString s(const char* text)
{
    return QString::fromUtf8(text);
}

QString unknown()
{
    return QStringLiteral("?");
}

enum class Key {
    Ram,
    Swap,
    Cpu,
    ReceivedPerSecond,
    SentPerSecond,
    AverageReceived,
    AverageSent,
    TotalReceived,
    TotalSent,
    Ip,
    Radio,
    Playlist,
    Version,
    Uptime,
};

struct Placeholder {
    QString text;
    Key key;
    QString meaning; // as the editor lists it
};

// The feature whose value a placeholder shows; the version needs none.
std::optional<StatusFeature> featureOf(Key key)
{
    switch (key) {
    case Key::Ram:
    case Key::Swap:
    case Key::Cpu:
        return StatusFeature::Gauges;
    case Key::Radio:
        return StatusFeature::Radio;
    case Key::Playlist:
        return StatusFeature::Playlist;
    case Key::Uptime:
        return StatusFeature::Uptime;
    case Key::Version:
        return std::nullopt;
    default:
        return StatusFeature::Traffic;
    }
}

// In the order the editor lists them.
const std::vector<Placeholder>& placeholders()
{
    static const std::vector<Placeholder> list = {
        {s("[RAM]"), Key::Ram, s("pamięć RAM w MB (wolna lub zajęta)")},
        {s("[SWAP]"), Key::Swap, s("pamięć SWAP w MB (wolna lub zajęta)")},
        {s("[CPU]"), Key::Cpu, s("użycie procesora")},
        {s("[TR_POB/SEK]"), Key::ReceivedPerSecond, s("transfer/sek. (pobieranie)")},
        {s("[TR_WYS/SEK]"), Key::SentPerSecond, s("transfer/sek. (wysyłanie)")},
        {s("[TR_POB/ŚR]"), Key::AverageReceived, s("średni transfer/sek. (pobieranie)")},
        {s("[TR_WYS/ŚR]"), Key::AverageSent, s("średni transfer/sek. (wysyłanie)")},
        {s("[TR_POB_RAZEM]"), Key::TotalReceived, s("razem pobrane")},
        {s("[TR_WYS_RAZEM]"), Key::TotalSent, s("razem wysłane")},
        {s("[IP]"), Key::Ip, s("adres IP monitorowanej karty sieciowej")},
        {s("[RADIO]"), Key::Radio, s("tytuł utworu lub nazwa stacji radia")},
        {s("[M3U]"), Key::Playlist, s("tytuł utworu z listy odtwarzania")},
        {s("[WERSJA]"), Key::Version, s("wersja programu")},
        {s("[UPTIME]"), Key::Uptime, s("czas pracy komputera")},
    };
    return list;
}

QString withoutBlanks(QString text)
{
    text.remove(QLatin1Char(' '));
    return text;
}

// Resolves the placeholders of one hint; the traffic monitor is asked at
// most once, and only when a traffic placeholder is met.
class Resolver {
public:
    Resolver(const TrayHintContext& ctx, const StatusValues& values)
        : m_ctx(ctx)
        , m_values(values)
    {
    }

    QString value(Key key)
    {
        switch (key) {
        case Key::Ram: {
            const auto m = m_values.ram();
            return m ? QString::number(ramShownMb(*m, m_ctx.ramShowsFree)) : unknown();
        }
        case Key::Swap: {
            const auto m = m_values.swap();
            return m ? QString::number(swapShownMb(*m, m_ctx.swapShowsFree)) : unknown();
        }
        case Key::Cpu: {
            const auto cpu = m_values.cpuPercent();
            return cpu ? QString::number(*cpu) + QLatin1Char('%') : unknown();
        }
        case Key::Radio: {
            const auto r = m_values.radio();
            if (!r)
                return unknown();
            return r->title.trimmed().isEmpty() ? r->station : r->title;
        }
        case Key::Playlist:
            return m_values.playlistTitle().value_or(unknown());
        case Key::Version:
            return m_ctx.version.isEmpty() ? unknown() : m_ctx.version;
        case Key::Uptime:
            return m_values.uptimeText().value_or(unknown());
        default:
            return trafficValue(key);
        }
    }

private:
    QString trafficValue(Key key)
    {
        if (!m_trafficAsked) {
            m_trafficAsked = true;
            if (m_values.trafficStatisticOn())
                m_traffic = m_values.traffic();
        }
        if (!m_traffic)
            return unknown();
        const TrafficFigures& t = *m_traffic;
        switch (key) {
        case Key::ReceivedPerSecond:
            return QString::number(t.receivedKbPerSecond) + QStringLiteral(" kB");
        case Key::SentPerSecond:
            return QString::number(t.sentKbPerSecond) + QStringLiteral(" kB");
        case Key::AverageReceived:
            return t.averageReceived;
        case Key::AverageSent:
            return t.averageSent;
        case Key::TotalReceived:
            return t.totalReceived;
        case Key::TotalSent:
            return t.totalSent;
        case Key::Ip:
            return withoutBlanks(t.interfaceText);
        default:
            return unknown();
        }
    }

    const TrayHintContext& m_ctx;
    const StatusValues& m_values;
    bool m_trafficAsked = false;
    std::optional<TrafficFigures> m_traffic;
};

QString cut(const QString& text, int length)
{
    QString out = text.left(length);
    if (!out.isEmpty() && out.back().isHighSurrogate())
        out.chop(1);
    return out;
}

} // namespace

QString defaultTrayHintPattern()
{
    return s("Zorvex|RAM: [RAM]|SWAP: [SWAP]|Użycie procesora: [CPU]|Transfer/sek. (pobieranie): "
             "[TR_POB/SEK]|Transfer/sek. (wysyłanie): [TR_WYS/SEK]");
}

const std::vector<std::pair<QString, QString>>& trayHintPlaceholders()
{
    static const std::vector<std::pair<QString, QString>> list = [] {
        std::vector<std::pair<QString, QString>> out;
        for (const Placeholder& p : placeholders())
            out.emplace_back(p.text, p.meaning);
        return out;
    }();
    return list;
}

QString buildTrayHint(const QString& pattern, const TrayHintContext& ctx, const StatusValues& values)
{
    Resolver resolver(ctx, values);
    QStringList lines;
    for (const QString& line : pattern.split(QLatin1Char('|'))) {
        QString out;
        out.reserve(line.size() + 16);
        bool shown = true;
        qsizetype i = 0;
        while (i < line.size()) {
            if (line.at(i) == QLatin1Char('[')) {
                const QStringView rest = QStringView(line).mid(i);
                const auto p = std::find_if(placeholders().begin(), placeholders().end(),
                                            [&rest](const Placeholder& ph) { return rest.startsWith(ph.text); });
                if (p != placeholders().end()) {
                    // A line about a feature the program does not have
                    // would only ever read "?".
                    const auto feature = featureOf(p->key);
                    if (feature && !values.provides(*feature)) {
                        shown = false;
                        break;
                    }
                    out += resolver.value(p->key);
                    i += p->text.size();
                    continue;
                }
            }
            out += line.at(i);
            ++i;
        }
        if (shown)
            lines << out;
    }
    return cut(lines.join(QLatin1Char('\n')).trimmed(), kTrayHintMaxLength).trimmed();
}

QString hintPatternFromLines(const QString& memoText)
{
    QString text = memoText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("|"));
    text.replace(QLatin1Char('\r'), QLatin1Char('|'));
    text.replace(QLatin1Char('\n'), QLatin1Char('|'));
    return text.trimmed();
}

QString hintLinesFromPattern(const QString& pattern)
{
    QString text = pattern;
    text.replace(QLatin1Char('|'), QLatin1Char('\n'));
    return text;
}

} // namespace zorvex

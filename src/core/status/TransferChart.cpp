#include "core/status/TransferChart.h"

#include "core/status/TrafficFormat.h"

#include <cmath>

namespace zorvex {

void TransferHistory::add(qint64 received, qint64 sent)
{
    m_samples.push_front({qMax<qint64>(0, received), qMax<qint64>(0, sent)});
    while (int(m_samples.size()) > m_capacity)
        m_samples.pop_back();
}

void TransferHistory::setCapacity(int columns)
{
    m_capacity = qMax(0, columns);
    while (int(m_samples.size()) > m_capacity)
        m_samples.pop_back();
}

std::vector<QString> TransferHistory::lines() const
{
    std::vector<QString> out;
    for (const Sample& s : m_samples)
        out.push_back(QString::number(s.received) + QLatin1Char('|') + QString::number(s.sent));
    return out;
}

int transferColumns(int width, bool hideMax)
{
    return qMax(0, width - (hideMax ? 0 : kTransferStrip));
}

TransferChartLayout layoutTransferChart(const TransferHistory& history, int width, int height,
                                        const TransferChartOptions& options, const NumberStyle& style)
{
    TransferChartLayout l;
    l.leftStrip = options.hideMax ? 0 : kTransferStrip;
    l.plotHeight = qMax(0, height - kTransferStrip);

    qint64 scale = 0;
    if (options.limit) {
        scale = qint64(options.limitKb) * 1024;
    } else {
        for (const auto& s : history.samples())
            scale = qMax(scale, qMax(s.received, s.sent));
    }
    l.scale = qMax<qint64>(1, scale);

    auto barHeight = [&](qint64 v) { return int(std::lround(double(v) / double(l.scale) * l.plotHeight)); };
    int i = 0;
    for (const auto& s : history.samples()) {
        const int x = width - 1 - i++;
        if (x < l.leftStrip)
            break;
        TransferChartLayout::Column c;
        c.x = x;
        c.receivedInFront = options.receivedInFront;
        c.backHeight = barHeight(options.receivedInFront ? s.sent : s.received);
        c.frontHeight = barHeight(options.receivedInFront ? s.received : s.sent);
        l.columns.push_back(c);
    }

    if (!options.hideMax) {
        // The text names the largest value itself: "MAX: 0 B" without traffic.
        QString max = formatBytes(scale, style);
        max.remove(QString(style.decimal) + QStringLiteral("00"));
        l.maxText = height > 79 ? QStringLiteral("MAX: ") + max : max;
    }
    const auto newest = history.newest();
    l.receivedText = QStringLiteral("P: ") + formatBytes(newest.received, style);
    if (width > 124)
        l.sentText = QStringLiteral("W: ") + formatBytes(newest.sent, style);
    return l;
}

} // namespace zorvex

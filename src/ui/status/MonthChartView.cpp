#include "ui/status/MonthChartView.h"

#include "ui/common/Fonts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace zorvex {

using namespace monthchart;

MonthChartView::MonthChartView(QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
}

void MonthChartView::setContent(Content content)
{
    m_content = std::move(content);
    m_tracker.reset();
    update();
}

QImage MonthChartView::picture() const
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Button));
    QPainter p(&image);
    draw(p);
    return image;
}

void MonthChartView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    draw(p);
}

void MonthChartView::draw(QPainter& p) const
{
    const int plotH = plotHeight(kHeight);
    const QRect plot(kLeftMargin, 0, plotWidth(kWidth), plotH);
    p.fillRect(plot, Qt::black);
    p.setPen(QColor(0, 64, 0));
    for (int x = kLeftMargin; x < kWidth; x += kGridX)
        p.drawLine(x, 0, x, plotH - 1);
    for (int y = 0; y < plotH; y += kGridY)
        p.drawLine(kLeftMargin, y, kWidth - 1, y);

    for (const Bar& b : m_content.bars) {
        const int top = qMax(b.top, b.bottom);
        if (top <= b.bottom)
            continue;
        const QRect r(columnLeft(b.day), plotH - top, kColumnWidth, top - b.bottom);
        p.fillRect(r, QColor(0, 128, 0));
        p.setPen(QColor(0, 255, 0));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }

    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(tahoma(7));
    for (int d : dayLabels()) {
        const QRect cell(columnLeft(d) - 4, plotH + 2, kColumnWidth + 8, 14);
        p.drawText(cell, Qt::AlignHCenter | Qt::AlignTop, QString::number(d));
    }
    for (std::size_t k = 0; k < m_content.axis.size(); ++k) {
        const int i = 2 + 2 * int(k);
        p.drawText(QRect(0, kGridY * i - 7, kLeftMargin - 4, 14), Qt::AlignRight | Qt::AlignVCenter, m_content.axis[k]);
    }
    p.setFont(tahoma(8, true));
    p.drawText(QRect(kLeftMargin, plotH + 18, plotWidth(kWidth), 16), Qt::AlignHCenter, QStringLiteral("Dzień"));
    p.save();
    p.setFont(tahoma(8));
    p.translate(12, plotH / 2);
    p.rotate(-90);
    p.drawText(QRect(-plotH / 2, -8, plotH, 16), Qt::AlignCenter, m_content.axisTitle);
    p.restore();
}

void MonthChartView::mouseMoveEvent(QMouseEvent* e)
{
    const QDate first(m_content.year, m_content.month, 1);
    const std::optional<int> day = m_tracker.move(e->position().toPoint(), first.daysInMonth());
    std::optional<QString> text;
    if (day && m_hint)
        text = m_hint(QDate(m_content.year, m_content.month, *day));
    if (text)
        QToolTip::showText(e->globalPosition().toPoint(), QString(*text).replace(QLatin1Char('\r'), QLatin1Char('\n')),
                           this);
    else if (!day)
        QToolTip::hideText();
}

void MonthChartView::leaveEvent(QEvent*)
{
    m_tracker.reset();
    QToolTip::hideText();
}

std::vector<MonthChartView::Bar> valueBars(const std::vector<std::pair<int, qint64>>& days, qint64 largest)
{
    std::vector<MonthChartView::Bar> bars;
    for (const auto& [day, value] : days)
        bars.push_back({day, 0, barHeight(value, largest)});
    return bars;
}

MonthChartView::Content monthPageChart(const QDate& month, const MonthPage& page, const QString& axisTitle)
{
    MonthChartView::Content c;
    c.year = month.year();
    c.month = month.month();
    std::vector<std::pair<int, qint64>> days;
    for (const DayValue& v : page.days.days())
        days.push_back({v.date.day(), v.value});
    c.bars = valueBars(days, page.largest);
    c.axis = page.axis;
    c.axisTitle = axisTitle;
    return c;
}

} // namespace zorvex

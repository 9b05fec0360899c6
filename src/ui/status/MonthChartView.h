#pragma once

#include "core/status/DaySeries.h"
#include "core/status/MonthChart.h"

#include <QDate>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace zorvex {

// The month chart of a statistic: black plot with the dark green grid,
// one green column per day, the day and value axes and a hint over a day's
// column once the pointer moves within it.
class MonthChartView : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        int day = 0;
        int bottom = 0; // pixels above the plot's bottom
        int top = 0;
    };
    struct Content {
        int year = 2000;
        int month = 1;
        std::vector<Bar> bars;
        // Left-axis labels for i = 2, 4 ... 22 (9 * i pixels below the top).
        std::vector<QString> axis;
        QString axisTitle; // written upwards at the left
    };

    explicit MonthChartView(QWidget* parent = nullptr);

    void setContent(Content content);
    const Content& content() const { return m_content; }
    // The hint of a day of the shown month; nothing shows no hint.
    void setHintSource(std::function<std::optional<QString>(const QDate&)> source) { m_hint = std::move(source); }
    // The picture as drawn, for tests and the screenshot.
    QImage picture() const;

    static constexpr int kWidth = 384;
    static constexpr int kHeight = monthchart::kFullHeight + monthchart::kBottomMargin;

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent*) override;

private:
    void draw(QPainter& p) const;

    Content m_content;
    std::function<std::optional<QString>(const QDate&)> m_hint;
    ChartHintTracker m_tracker;
};

// Day bars of a value against the month's largest day.
std::vector<MonthChartView::Bar> valueBars(const std::vector<std::pair<int, qint64>>& days, qint64 largest);
// The chart of a month page of day values (mouse travel, traffic).
MonthChartView::Content monthPageChart(const QDate& month, const MonthPage& page, const QString& axisTitle);

} // namespace zorvex

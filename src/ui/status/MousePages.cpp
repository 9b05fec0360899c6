#include "ui/status/MousePages.h"

#include "core/app/Settings.h"
#include "ui/status/MonthChartView.h"
#include "ui/status/MonthEdit.h"
#include "ui/status/StatusPageParts.h"
#include "ui/status/StatusService.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace zorvex {

MousePages::MousePages(StatusService& service, Settings& settings, QObject* parent)
    : QObject(parent)
    , m_service(service)
    , m_settings(settings)
{
    m_byDay = new QWidget;
    m_byDay->setObjectName(QStringLiteral("MouseByDay"));
    auto* day = new QVBoxLayout(m_byDay);
    m_active = makeActiveBox(m_byDay, settings.ruchMyszy.active);
    // Wayland gives no program the pointer outside its own windows.
    m_unavailable = makeLabel(m_byDay, QStringLiteral("MouseUnavailable"),
                              QStringLiteral("Liczenie ruchu myszy jest niedostępne: w tym środowisku graficznym "
                                             "(Wayland) programy nie znają położenia wskaźnika poza swoimi oknami."));
    m_unavailable->setWordWrap(true);
    m_unavailable->setVisible(!service.mouse().available());
    m_days = makeDayList(m_byDay, QStringLiteral("MouseDays"));
    m_largest = makeLabel(m_byDay, QStringLiteral("MouseLargest"));
    m_smallest = makeLabel(m_byDay, QStringLiteral("MouseSmallest"));
    m_current = makeLabel(m_byDay, QStringLiteral("MouseCurrent"));
    m_total = makeLabel(m_byDay, QStringLiteral("MouseTotal"));
    day->addWidget(m_active);
    day->addWidget(m_unavailable);
    day->addWidget(makeLabel(m_byDay, {}, QStringLiteral("Łączny ruch myszy z całego dnia")));
    day->addWidget(m_days);
    day->addWidget(m_largest);
    day->addWidget(m_smallest);
    day->addWidget(m_current);
    day->addWidget(m_total);
    m_byDay->installEventFilter(this);
    connect(m_active, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.ruchMyszy.active = on;
        m_service.applyOptions();
    });

    m_byMonth = new QWidget;
    m_byMonth->setObjectName(QStringLiteral("MouseByMonth"));
    auto* month = new QVBoxLayout(m_byMonth);
    m_month = makeMonthEdit(m_byMonth, service.today());
    m_monthDays = makeDayList(m_byMonth, QStringLiteral("MouseMonthDays"));
    m_monthTotal = makeLabel(m_byMonth, QStringLiteral("MouseMonthTotal"));
    m_monthAverage = makeLabel(m_byMonth, QStringLiteral("MouseMonthAverage"));
    month->addWidget(m_month);
    month->addWidget(m_monthDays);
    month->addWidget(m_monthTotal);
    month->addWidget(m_monthAverage);
    connect(m_month, &MonthEdit::dateChanged, this, &MousePages::showMonth);

    m_chart = new QWidget;
    m_chart->setObjectName(QStringLiteral("MouseChart"));
    auto* chart = new QVBoxLayout(m_chart);
    m_chartMonth = makeMonthEdit(m_chart, service.today());
    m_chartView = new MonthChartView(m_chart);
    m_chartView->setObjectName(QStringLiteral("MouseChartPicture"));
    m_chartView->setHintSource([this](const QDate& d) -> std::optional<QString> { return m_service.mouse().chartHint(d); });
    chart->addWidget(m_chartMonth, 0, Qt::AlignLeft);
    chart->addWidget(m_chartView);
    chart->addStretch();
    connect(m_chartMonth, &MonthEdit::dateChanged, this, &MousePages::showChart);

    connect(&service, &StatusService::mouseMoved, this, &MousePages::refreshLive);
    connect(&service, &StatusService::daysChanged, this, &MousePages::reload);
    reload();
}

void MousePages::reload()
{
    const MouseOdometer& mouse = m_service.mouse();
    setLines(m_days, mouse.dayLines());
    m_largest->setText(mouse.largestText());
    m_smallest->setText(mouse.smallestText());
    m_largest->setVisible(mouse.extremesShown());
    m_smallest->setVisible(mouse.extremesShown());
    showMonth();
    showChart();
    m_current->setText(mouse.currentText());
    m_total->setText(mouse.totalText());
}

bool MousePages::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_byDay && e->type() == QEvent::Show)
        refreshLive();
    return QObject::eventFilter(watched, e);
}

void MousePages::refreshLive()
{
    // Only while someone can see them: the samples come every 50 ms.
    if (!m_byDay->isVisible())
        return;
    m_current->setText(m_service.mouse().currentText());
    m_total->setText(m_service.mouse().totalText());
}

void MousePages::showMonth()
{
    const QDate d = m_month->date();
    const MouseOdometer::Month m = m_service.mouse().month(d.year(), d.month());
    setLines(m_monthDays, m.lines);
    m_monthTotal->setText(m.totalText);
    m_monthAverage->setText(m.averageText);
}

void MousePages::showChart()
{
    const QDate d = m_chartMonth->date();
    const MouseOdometer::Month m = m_service.mouse().month(d.year(), d.month());
    m_chartView->setContent(monthPageChart(d, m, QStringLiteral("Ruch [m]")));
}

} // namespace zorvex

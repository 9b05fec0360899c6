#include "ui/status/TrafficPages.h"

#include "core/app/Settings.h"
#include "core/common/PathTable.h"
#include "core/status/TrafficFormat.h"
#include "ui/status/MonthChartView.h"
#include "ui/status/MonthEdit.h"
#include "ui/status/StatusPageParts.h"
#include "ui/status/StatusService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorvex {

TrafficPages::TrafficPages(StatusService& service, Settings& settings, QObject* parent)
    : QObject(parent)
    , m_service(service)
    , m_settings(settings)
{
    buildNow();

    m_byDay = new QWidget;
    m_byDay->setObjectName(QStringLiteral("TrafficByDay"));
    auto* day = new QVBoxLayout(m_byDay);
    m_dayList = makeDayList(m_byDay, QStringLiteral("TrafficDays"));
    m_sinceLabel = makeLabel(m_byDay, QStringLiteral("TrafficTotal"));
    m_largest = makeLabel(m_byDay, QStringLiteral("TrafficLargest"));
    day->addWidget(directionChoice(m_byDay));
    day->addWidget(m_dayList);
    day->addWidget(m_sinceLabel);
    day->addWidget(m_largest);

    m_byMonth = new QWidget;
    m_byMonth->setObjectName(QStringLiteral("TrafficByMonth"));
    auto* month = new QVBoxLayout(m_byMonth);
    m_month = makeMonthEdit(m_byMonth, service.today());
    m_monthDays = makeDayList(m_byMonth, QStringLiteral("TrafficMonthDays"));
    m_monthTotal = makeLabel(m_byMonth, QStringLiteral("TrafficMonthTotal"));
    m_monthAverage = makeLabel(m_byMonth, QStringLiteral("TrafficMonthAverage"));
    month->addWidget(directionChoice(m_byMonth));
    month->addWidget(m_month);
    month->addWidget(m_monthDays);
    month->addWidget(m_monthTotal);
    month->addWidget(m_monthAverage);
    connect(m_month, &MonthEdit::dateChanged, this, &TrafficPages::showMonth);

    m_chart = new QWidget;
    m_chart->setObjectName(QStringLiteral("TrafficChart"));
    auto* chart = new QVBoxLayout(m_chart);
    m_chartMonth = makeMonthEdit(m_chart, service.today());
    m_chartView = new MonthChartView(m_chart);
    m_chartView->setObjectName(QStringLiteral("TrafficChartPicture"));
    m_chartView->setHintSource([this](const QDate& d) { return m_days.chartHint(direction(), d); });
    chart->addWidget(directionChoice(m_chart));
    chart->addWidget(m_chartMonth, 0, Qt::AlignLeft);
    chart->addWidget(m_chartView);
    chart->addStretch();
    connect(m_chartMonth, &MonthEdit::dateChanged, this, &TrafficPages::showChart);

    connect(&service, &StatusService::trafficSampled, this, &TrafficPages::refreshNow);
    connect(&service, &StatusService::daysChanged, this, &TrafficPages::reload);
    reload();
    refreshNow(true);
}

void TrafficPages::buildNow()
{
    m_now = new QWidget;
    m_now->setObjectName(QStringLiteral("TrafficNow"));
    auto* layout = new QGridLayout(m_now);
    m_active = makeActiveBox(m_now, m_settings.siec.active);
    m_interfaces = new QComboBox(m_now);
    m_interfaces->setObjectName(QStringLiteral("TrafficInterfaces"));
    m_interfaces->setToolTip(QStringLiteral("Wybierz IP, dla którego będzie przeprowadzana statystyka"));
    m_adapter = makeLabel(m_now, QStringLiteral("TrafficAdapter"));
    m_mac = makeLabel(m_now, QStringLiteral("TrafficMac"));
    m_speed = makeLabel(m_now, QStringLiteral("TrafficSpeed"));
    int row = 0;
    layout->addWidget(m_active, row++, 0, 1, 3);
    layout->addWidget(m_interfaces, row++, 0, 1, 3);
    for (const auto& [caption, label] :
         {std::pair{QStringLiteral("Adapter"), m_adapter}, {QStringLiteral("MAC Adres"), m_mac},
          {QStringLiteral("Szybkość"), m_speed}}) {
        layout->addWidget(makeLabel(m_now, {}, caption + QLatin1Char(':')), row, 0);
        layout->addWidget(label, row++, 1, 1, 2);
    }
    layout->addWidget(makeLabel(m_now, {}, QStringLiteral("Wejście (pobrane)")), row, 1);
    layout->addWidget(makeLabel(m_now, {}, QStringLiteral("Wyjście (wysłane)")), row++, 2);
    const QString names[2] = {QStringLiteral("In"), QStringLiteral("Out")};
    for (int dir = 0; dir < 2; ++dir) {
        m_rate[dir] = makeLabel(m_now, QStringLiteral("TrafficRate") + names[dir]);
        m_average[dir] = makeLabel(m_now, QStringLiteral("TrafficAverage") + names[dir]);
        m_total[dir] = makeLabel(m_now, QStringLiteral("TrafficTotal") + names[dir]);
    }
    for (const auto& [caption, labels] : {std::pair{QStringLiteral("Transfer / sek."), m_rate},
                                          {QStringLiteral("Średnia / sek."), m_average},
                                          {QStringLiteral("Razem"), m_total}}) {
        layout->addWidget(makeLabel(m_now, {}, caption + QLatin1Char(':')), row, 0);
        layout->addWidget(labels[0], row, 1);
        layout->addWidget(labels[1], row++, 2);
    }
    auto* settings = new QPushButton(QStringLiteral("Ustawienia wykresu"), m_now);
    settings->setObjectName(QStringLiteral("TrafficChartSettings"));
    layout->addWidget(settings, row++, 0, 1, 3, Qt::AlignLeft);
    layout->setRowStretch(row, 1);

    connect(settings, &QPushButton::clicked, this, &TrafficPages::chartSettingsRequested);
    connect(m_active, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.siec.active = on;
        m_service.applyOptions();
        refreshNow(true);
    });
    connect(m_interfaces, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_filling || index < 0)
            return;
        m_service.trafficMonitor().choose(index);
        if (const TrafficRecord* r = m_service.trafficMonitor().chosenRecord()) {
            m_settings.siec.mac = r->mac;
            m_settings.siec.interfacePosition = index;
        }
        refreshNow(false);
    });
}

QWidget* TrafficPages::directionChoice(QWidget* parent)
{
    auto* box = new QWidget(parent);
    box->setObjectName(QStringLiteral("TrafficDirection"));
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QButtonGroup(box);
    auto* in = new QRadioButton(QStringLiteral("Wejście (pobrane)"), box);
    auto* out = new QRadioButton(QStringLiteral("Wyjście (wysłane)"), box);
    group->addButton(in, 1);
    group->addButton(out, 0);
    (m_settings.siec.showReceived ? in : out)->setChecked(true);
    layout->addWidget(in);
    layout->addWidget(out);
    layout->addStretch();
    m_directions.push_back(group);
    connect(group, &QButtonGroup::idClicked, this, [this](int id) {
        m_settings.siec.showReceived = id == 1;
        // One choice for all three pages.
        for (QButtonGroup* g : m_directions) {
            if (QAbstractButton* b = g->button(id))
                b->setChecked(true);
        }
        showDays();
        showMonth();
        showChart();
    });
    return box;
}

TrafficDays::Direction TrafficPages::direction() const
{
    return m_settings.siec.showReceived ? TrafficDays::Direction::Received : TrafficDays::Direction::Sent;
}

qint64 TrafficPages::liveTotal() const
{
    TrafficMonitor& t = m_service.trafficMonitor();
    return m_settings.siec.showReceived ? t.receivedToday() : t.sentToday();
}

void TrafficPages::reload()
{
    m_days = TrafficDays::load(m_service.siecPath(), m_service.today());
    showDays();
    showMonth();
    showChart();
}

void TrafficPages::fillInterfaces()
{
    const TrafficMonitor& t = m_service.trafficMonitor();
    m_filling = true;
    m_interfaces->clear();
    for (const TrafficRecord& r : t.records())
        m_interfaces->addItem(r.ip);
    m_interfaces->setCurrentIndex(t.chosen());
    m_filling = false;
}

void TrafficPages::refreshNow(bool listChanged)
{
    TrafficMonitor& t = m_service.trafficMonitor();
    if (listChanged || m_interfaces->count() != int(t.records().size()))
        fillInterfaces();
    const TrafficRecord* r = t.chosenRecord();
    if (r && m_interfaces->currentIndex() == t.chosen() && m_interfaces->currentText() != r->ip)
        m_interfaces->setItemText(t.chosen(), r->ip);
    m_adapter->setText(r ? r->description : QString());
    m_mac->setText(r ? r->mac : QString());
    m_speed->setText(r ? formatSpeed(r->speed) : QString());
    m_rate[0]->setText(r ? formatBytes(t.receivedPerSecond()) : QString());
    m_rate[1]->setText(r ? formatBytes(t.sentPerSecond()) : QString());
    m_average[0]->setText(r ? formatBytes(r->averageIn()) : QString());
    m_average[1]->setText(r ? formatBytes(r->averageOut()) : QString());
    m_total[0]->setText(r ? formatBytes(r->totalIn) : QString());
    m_total[1]->setText(r ? formatBytes(r->totalOut) : QString());
    // Without a stored day the labels follow the live totals.
    if (m_days.days(direction()).empty()) {
        m_sinceLabel->setText(m_days.totalText(direction(), liveTotal()));
        m_largest->setText(m_days.largestText(direction(), liveTotal()));
    }
}

void TrafficPages::showDays()
{
    setLines(m_dayList, m_days.dayLines(direction()));
    m_sinceLabel->setText(m_days.totalText(direction(), liveTotal()));
    m_largest->setText(m_days.largestText(direction(), liveTotal()));
}

void TrafficPages::showMonth()
{
    const QDate d = m_month->date();
    const TrafficDays::Month m = m_days.month(direction(), d.year(), d.month());
    setLines(m_monthDays, m.lines);
    m_monthTotal->setText(m.totalText);
    m_monthAverage->setText(m.averageText);
}

void TrafficPages::showChart()
{
    const QDate d = m_chartMonth->date();
    const TrafficDays::Month m = m_days.month(direction(), d.year(), d.month());
    m_chartView->setContent(monthPageChart(d, m, QStringLiteral("Transfer [MB]")));
}

} // namespace zorvex

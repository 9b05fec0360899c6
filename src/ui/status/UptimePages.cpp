#include "ui/status/UptimePages.h"

#include "core/app/Settings.h"
#include "core/common/Clock.h"
#include "ui/common/Messages.h"
#include "ui/status/MonthChartView.h"
#include "ui/status/MonthEdit.h"
#include "ui/status/StatusPageParts.h"
#include "ui/status/StatusService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace zorvex {
namespace {

QString rateText(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

UptimePages::UptimePages(StatusService& service, Settings& settings, Prompts& prompts, QObject* parent)
    : QObject(parent)
    , m_service(service)
    , m_settings(settings)
    , m_prompts(prompts)
{
    buildByDay();
    buildByMonth();
    buildChart();
    buildInfo();
    connect(&service, &StatusService::uptimeSecond, this, &UptimePages::refreshLive);
    connect(&service, &StatusService::daysChanged, this, &UptimePages::reload);
    reload();
}

void UptimePages::buildByDay()
{
    m_byDay = new QWidget;
    m_byDay->setObjectName(QStringLiteral("UptimeByDay"));
    auto* layout = new QVBoxLayout(m_byDay);
    m_active = makeActiveBox(m_byDay, m_settings.czas.active);
    m_live = makeLabel(m_byDay, QStringLiteral("UptimeLive"));
    m_days = makeDayList(m_byDay, QStringLiteral("UptimeDays"));
    m_runs = makeDayList(m_byDay, QStringLiteral("UptimeRuns"));
    auto* lists = new QHBoxLayout;
    lists->addWidget(m_days);
    lists->addWidget(m_runs);
    layout->addWidget(m_active);
    layout->addLayout(lists);
    layout->addWidget(m_live);
    connect(m_active, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.czas.active = on;
        m_service.applyOptions();
        refreshLive();
    });
    connect(m_days, &QListWidget::currentRowChanged, this, &UptimePages::showRuns);
    m_byDay->installEventFilter(this);
}

void UptimePages::buildByMonth()
{
    m_byMonth = new QWidget;
    m_byMonth->setObjectName(QStringLiteral("UptimeByMonth"));
    auto* layout = new QGridLayout(m_byMonth);
    m_month = makeMonthEdit(m_byMonth, m_service.today());
    m_monthDays = makeDayList(m_byMonth, QStringLiteral("UptimeMonthDays"));
    m_total = makeLabel(m_byMonth, QStringLiteral("UptimeMonthTotal"));
    m_average = makeLabel(m_byMonth, QStringLiteral("UptimeMonthAverage"));
    m_price = new QLineEdit(rateText(m_settings.uptimeCost.pricePerKwh, 4), m_byMonth);
    m_price->setObjectName(QStringLiteral("UptimePrice"));
    m_power = new QLineEdit(rateText(m_settings.uptimeCost.powerKw, 3), m_byMonth);
    m_power->setObjectName(QStringLiteral("UptimePower"));
    m_cost = makeLabel(m_byMonth, QStringLiteral("UptimeCost"));
    layout->addWidget(m_month, 0, 0, 1, 2);
    layout->addWidget(m_monthDays, 1, 0, 1, 2);
    layout->addWidget(m_total, 2, 0, 1, 2);
    layout->addWidget(m_average, 3, 0, 1, 2);
    layout->addWidget(makeLabel(m_byMonth, {}, QStringLiteral("Cena 1 kWh:")), 4, 0);
    auto* price = new QHBoxLayout;
    price->addWidget(m_price);
    price->addWidget(makeLabel(m_byMonth, {}, QStringLiteral("zł")));
    layout->addLayout(price, 4, 1);
    layout->addWidget(makeLabel(m_byMonth, {}, QStringLiteral("Moc komputera:")), 5, 0);
    auto* power = new QHBoxLayout;
    power->addWidget(m_power);
    power->addWidget(makeLabel(m_byMonth, {}, QStringLiteral("kW")));
    layout->addLayout(power, 5, 1);
    layout->addWidget(m_cost, 6, 0, 1, 2);
    connect(m_month, &MonthEdit::dateChanged, this, &UptimePages::showMonth);
    connect(m_price, &QLineEdit::editingFinished, this,
            [this] { rateEdited(m_price, m_settings.uptimeCost.pricePerKwh, uptimecost::kDefaultPrice); });
    connect(m_power, &QLineEdit::editingFinished, this,
            [this] { rateEdited(m_power, m_settings.uptimeCost.powerKw, uptimecost::kDefaultPower); });
}

void UptimePages::buildChart()
{
    m_chart = new QWidget;
    m_chart->setObjectName(QStringLiteral("UptimeChart"));
    auto* layout = new QVBoxLayout(m_chart);
    auto* top = new QHBoxLayout;
    m_chartMonth = makeMonthEdit(m_chart, m_service.today());
    m_chartKind = new QButtonGroup(m_chart);
    auto* ranges = new QRadioButton(QStringLiteral("Wykres 1"), m_chart);
    auto* summed = new QRadioButton(QStringLiteral("Wykres 2"), m_chart);
    const QString hint = QStringLiteral("Wykres 1 - Zasięg czasowy\nWykres 2 - Czas zsumowany");
    ranges->setToolTip(hint);
    summed->setToolTip(hint);
    ranges->setChecked(true);
    m_chartKind->addButton(ranges, 0);
    m_chartKind->addButton(summed, 1);
    top->addWidget(m_chartMonth);
    top->addWidget(ranges);
    top->addWidget(summed);
    top->addStretch();
    m_chartView = new MonthChartView(m_chart);
    m_chartView->setObjectName(QStringLiteral("UptimeChartPicture"));
    m_chartView->setHintSource([this](const QDate& d) { return m_service.uptime().chartHint(d); });
    layout->addLayout(top);
    layout->addWidget(m_chartView);
    layout->addStretch();
    connect(m_chartMonth, &MonthEdit::dateChanged, this, &UptimePages::showChart);
    connect(m_chartKind, &QButtonGroup::idClicked, this, &UptimePages::showChart);
}

void UptimePages::buildInfo()
{
    m_info = new QWidget;
    m_info->setObjectName(QStringLiteral("UptimeInfo"));
    auto* layout = new QVBoxLayout(m_info);
    const QString file = m_service.uptime().recordLocation();
    auto* text = makeLabel(m_info, QStringLiteral("UptimeInfoText"),
                           QStringLiteral("Czasy uruchomień komputera pochodzą z systemowego rejestru logowań (%1): "
                                          "każde uruchomienie systemu zapisuje w nim swój początek, a zamknięcie "
                                          "swój koniec.\n\nDo poprawnego działania Czasu uruchomień program musi "
                                          "mieć prawo odczytu tego pliku. Po awarii, bez zapisu zamknięcia, koniec "
                                          "uruchomienia bierze się z autozapisu danych.")
                               .arg(file));
    text->setWordWrap(true);
    auto* open = new QPushButton(QStringLiteral("Otwórz"), m_info);
    open->setObjectName(QStringLiteral("UptimeOpenFolder"));
    layout->addWidget(text);
    layout->addWidget(open, 0, Qt::AlignLeft);
    layout->addStretch();
    connect(open, &QPushButton::clicked, this, [file] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath()));
    });
}

void UptimePages::reload()
{
    setLines(m_days, m_service.uptime().dayLines());
    showRuns();
    showMonth();
    showChart();
    refreshLive();
}

void UptimePages::refreshLive()
{
    m_live->setVisible(m_settings.czas.active);
    // Every second, but only while someone can see it.
    if (m_settings.czas.active && (m_byDay->isVisible() || m_live->text().isEmpty()))
        m_live->setText(m_service.uptime().liveLabel());
}

bool UptimePages::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_byDay && e->type() == QEvent::Show)
        refreshLive();
    return QObject::eventFilter(watched, e);
}

void UptimePages::showRuns()
{
    const std::vector<QDate> dates = m_service.uptime().listedDates();
    const int row = m_days->currentRow();
    m_runs->clear();
    if (row >= 0 && std::size_t(row) < dates.size())
        m_runs->addItems(m_service.uptime().runLines(dates[std::size_t(row)]));
}

void UptimePages::showMonth()
{
    const QDate d = m_month->date();
    const UptimeLog::Month m = m_service.uptime().month(d.year(), d.month());
    setLines(m_monthDays, m.lines);
    m_total->setText(m.totalText);
    m_average->setText(m.averageText);
    showCost();
}

void UptimePages::showCost()
{
    const QDate d = m_month->date();
    const UptimeLog::Month m = m_service.uptime().month(d.year(), d.month());
    m_cost->setText(uptimecost::costText(m_settings.uptimeCost.pricePerKwh, m.total, m_settings.uptimeCost.powerKw));
}

void UptimePages::rateEdited(QLineEdit* field, double& value, double fallback)
{
    const std::optional<double> v = uptimecost::parseRate(field->text());
    if (!v) {
        m_prompts.window(QMessageBox::Warning, QString::fromUtf8(kErrorCaption),
                         uptimecost::badInputMessage(field->text()), false);
        value = fallback;
        field->setText(field == m_price ? uptimecost::defaultPriceText() : uptimecost::defaultPowerText());
    } else {
        value = *v;
    }
    showCost();
}

void UptimePages::showChart()
{
    const QDate d = m_chartMonth->date();
    const auto kind = m_chartKind->checkedId() == 1 ? UptimeLog::ChartKind::Summed : UptimeLog::ChartKind::Ranges;
    MonthChartView::Content c;
    c.year = d.year();
    c.month = d.month();
    for (const UptimeLog::Bar& b : m_service.uptime().chartBars(d.year(), d.month(), kind))
        c.bars.push_back({b.day, b.bottom, b.top});
    for (int i = 2; i <= 22; i += 2)
        c.axis.push_back(QString::number(24 - i));
    c.axisTitle = QStringLiteral("Czas [godziny]");
    m_chartView->setContent(std::move(c));
}

} // namespace zorvex

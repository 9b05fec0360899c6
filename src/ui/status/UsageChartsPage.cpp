#include "ui/status/UsageChartsPage.h"

#include "core/app/Settings.h"
#include "ui/common/Fonts.h"
#include "ui/common/QtColour.h"
#include "ui/status/StatusService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zorvex {
namespace {

using usagechart::Kind;

QColor levelColour(GaugeLevel level)
{
    switch (level) {
    case GaugeLevel::Red: return QColor(255, 0, 0);
    case GaugeLevel::Yellow: return QColor(255, 255, 0);
    default: return QColor(0, 255, 0);
    }
}

} // namespace

UsageChartsPage::UsageChartsPage(StatusService& service, Settings& settings, QWidget* parent)
    : QWidget(parent)
    , m_service(service)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("UsageCharts"));
    auto* layout = new QVBoxLayout(this);
    static const char* const names[3] = {"ChartCpu", "ChartRam", "ChartSwap"};
    for (int i = 0; i < 3; ++i) {
        m_groups[i] = new QGroupBox(this);
        auto* g = new QVBoxLayout(m_groups[i]);
        m_pictures[i] = new QLabel(m_groups[i]);
        m_pictures[i]->setObjectName(QLatin1String(names[i]));
        m_pictures[i]->setFixedSize(kWidth, kHeight);
        g->addWidget(m_pictures[i]);
        layout->addWidget(m_groups[i]);
    }
    auto* options = new QHBoxLayout;
    m_direction = new QButtonGroup(this);
    auto* left = new QRadioButton(QStringLiteral("Kierunek wykresów w lewo"), this);
    auto* right = new QRadioButton(QStringLiteral("Kierunek wykresów w prawo"), this);
    m_direction->addButton(left, 1);
    m_direction->addButton(right, 0);
    (settings.main.chartsRunLeft ? left : right)->setChecked(true);
    m_active = new QCheckBox(QStringLiteral("Aktywne"), this);
    m_active->setObjectName(QStringLiteral("ChartsActive"));
    m_active->setChecked(settings.main.chartsActive);
    m_onTop = new QPushButton(QStringLiteral("Okno narzędzi zawsze na wierzchu tylko dla zakładki Wykresy"), this);
    m_onTop->setCheckable(true);
    m_onTop->setChecked(settings.main.toolsOnTopForChart);
    options->addWidget(left);
    options->addWidget(right);
    options->addWidget(m_active);
    layout->addLayout(options);
    layout->addWidget(m_onTop, 0, Qt::AlignLeft);
    layout->addStretch();

    connect(m_direction, &QButtonGroup::idClicked, this, [this](int id) {
        m_settings.main.chartsRunLeft = id == 1;
        redraw();
    });
    connect(m_active, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.main.chartsActive = on;
        m_service.applyOptions(); // off clears the history
        redraw();
    });
    connect(m_onTop, &QPushButton::toggled, this, [this](bool on) {
        m_settings.main.toolsOnTopForChart = on;
        emit keepOnTopChanged(on && isVisible());
    });
    connect(&service, &StatusService::historyStepped, this, [this] {
        if (isVisible())
            redraw();
    });
    redraw();
}

QImage UsageChartsPage::chart(Kind kind) const
{
    const MainWindowSettings& s = m_settings.main;
    const UsageHistory& h = m_service.gauges().history();
    const bool showsFree = kind == Kind::Ram ? s.ramPanelShowsFree : kind == Kind::Swap ? s.swapPanelShowsFree : false;
    const bool runsLeft = s.chartsRunLeft;
    const UsageHistory::Series& values = kind == Kind::Cpu ? h.cpu() : kind == Kind::Ram ? h.ram() : h.swap();

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Button));
    QPainter p(&image);
    const int bottom = kHeight - 23;
    p.fillRect(QRect(64, 0, kWidth - 64, bottom), Qt::black);
    p.setPen(QColor(0, 64, 0));
    for (int x = 72; x < kWidth; x += 10)
        p.drawLine(x, 0, x, bottom - 1);
    for (int y = 1; y < bottom - 3; y += 10)
        p.drawLine(64, y, kWidth - 1, y);
    for (const usagechart::Bar& b : usagechart::bars(values, kind, showsFree, runsLeft)) {
        if (b.height > 0)
            p.fillRect(QRect(b.left, bottom - b.height, b.right - b.left, b.height), levelColour(b.level));
    }
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(tahoma(7));
    for (const usagechart::Tick& t : usagechart::timeAxis(runsLeft)) {
        p.drawLine(t.x, bottom + 2, t.x, bottom + 4);
        p.drawText(QRect(t.x - 10, bottom + 5, 20, 12), Qt::AlignHCenter | Qt::AlignTop, t.text);
    }
    qint64 totalMb = 0;
    if (const auto m = m_service.gauges().memory())
        totalMb = (kind == Kind::Ram ? m->ram.total : m->swap.total) / kBytesPerMb;
    const std::array<QString, 3> axis = usagechart::valueAxis(kind, totalMb);
    for (int i = 0; i < 3; ++i) {
        const int y = 21 + 20 * i;
        p.drawLine(62, y, 64, y);
        p.drawText(QRect(20, y - 17, 39, 12), Qt::AlignRight | Qt::AlignVCenter, axis[std::size_t(i)]);
    }
    p.setFont(tahoma(7, true));
    p.drawText(QRect(0, bottom + 8, 64, 14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("[sek]"));
    p.save();
    p.setFont(tahoma(7));
    p.translate(10, bottom / 2);
    p.rotate(-90);
    p.drawText(QRect(-bottom / 2, -7, bottom, 14), Qt::AlignCenter, usagechart::axisTitle(kind, showsFree));
    p.restore();
    return image;
}

void UsageChartsPage::redraw()
{
    const MainWindowSettings& s = m_settings.main;
    const Kind kinds[3] = {Kind::Cpu, Kind::Ram, Kind::Swap};
    for (int i = 0; i < 3; ++i) {
        const bool showsFree = i == 1 ? s.ramPanelShowsFree : i == 2 ? s.swapPanelShowsFree : false;
        m_groups[i]->setTitle(usagechart::caption(kinds[i], showsFree));
        m_pictures[i]->setPixmap(QPixmap::fromImage(chart(kinds[i])));
    }
}

void UsageChartsPage::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    redraw();
    if (m_settings.main.toolsOnTopForChart)
        emit keepOnTopChanged(true);
}

void UsageChartsPage::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (m_settings.main.toolsOnTopForChart)
        emit keepOnTopChanged(false);
}

} // namespace zorvex

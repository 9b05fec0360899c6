#include "ui/app/tools/WindowPage.h"

#include "core/app/TrayIconModel.h"
#include "ui/app/tools/OrderList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace zorvex {
namespace {

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

QString infoCaption(int kind)
{
    switch (kind) {
    case 1:
        return QStringLiteral("RAM");
    case 2:
        return QStringLiteral("SWAP");
    case 3:
        return u("Użycie procesora");
    }
    return QString::number(kind);
}

QString mainPanelCaption(int kind)
{
    switch (kind) {
    case 1:
        return QStringLiteral("Panel tekstowy");
    case 2:
        return QStringLiteral("Panel informacji");
    case 3:
        return QStringLiteral("Panel odtwarzania");
    }
    return QString::number(kind);
}

QGroupBox* group(QWidget* parent, const char* caption, const char* name)
{
    auto* g = new QGroupBox(u(caption), parent);
    g->setObjectName(QLatin1String(name));
    return g;
}

} // namespace

WindowPage::WindowPage(Settings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    auto* left = new QVBoxLayout;
    left->addWidget(buildTextPanelGroup());
    left->addWidget(buildInfoPanelGroup());
    left->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buildRightColumn(), 1);
    load();
}

int WindowPage::priorityFromListIndex(int index)
{
    return index <= 0 ? 3 : index - 1;
}

int WindowPage::listIndexFromPriority(int priority)
{
    return priority >= 0 && priority <= 2 ? priority + 1 : 0;
}

QString WindowPage::opacityText(int alpha)
{
    return QString::number(int(std::lround(alpha * 100.0 / 255.0))) + QLatin1Char('%');
}

QCheckBox* WindowPage::boolCheck(QWidget* parent, const char* caption, const char* name,
                                 bool MainWindowSettings::*field, Signal changed)
{
    auto* c = new QCheckBox(u(caption), parent);
    c->setObjectName(QLatin1String(name));
    connect(c, &QCheckBox::toggled, this, [this, field, changed](bool on) {
        if (m_loading)
            return;
        m_settings.main.*field = on;
        emit(this->*changed)();
    });
    m_checks.emplace_back(c, field);
    return c;
}

QComboBox* WindowPage::combo(QWidget* parent, const QStringList& items, const char* name,
                             std::function<void(int index)> store, Signal changed)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->addItems(items);
    connect(c, &QComboBox::currentIndexChanged, this, [this, store = std::move(store), changed](int index) {
        if (m_loading || index < 0)
            return;
        store(index);
        emit(this->*changed)();
    });
    return c;
}

QComboBox* WindowPage::boolCombo(QWidget* parent, const QStringList& items, const char* name,
                                 bool MainWindowSettings::*field, Signal changed)
{
    // The first item stands for "on".
    auto* c = combo(parent, items, name, [this, field](int index) { m_settings.main.*field = index == 0; }, changed);
    m_boolCombos.emplace_back(c, field);
    return c;
}

QComboBox* WindowPage::intCombo(QWidget* parent, const QStringList& items, const char* name,
                                int MainWindowSettings::*field, Signal changed)
{
    auto* c = combo(parent, items, name, [this, field](int index) { m_settings.main.*field = index; }, changed);
    m_intCombos.emplace_back(c, field);
    return c;
}

OrderList* WindowPage::orderList(OrderList* list, std::array<int, 3> MainWindowSettings::*field)
{
    connect(list, &OrderList::orderChanged, this, [this, list, field] {
        const std::vector<int> v = list->values();
        std::array<int, 3>& order = m_settings.main.*field;
        for (size_t i = 0; i < v.size() && i < order.size(); ++i)
            order[i] = v[i];
        emit layoutChanged();
    });
    return list;
}

QWidget* WindowPage::buildTextPanelGroup()
{
    auto* g = group(this, "Panel tekstowy", "GroupTextPanel");
    auto* visible = boolCheck(g, "Widoczny", "CheckTextPanel", &MainWindowSettings::textPanelVisible, &WindowPage::layoutChanged);
    m_scrollSpeed = new QSlider(Qt::Horizontal, g);
    m_scrollSpeed->setObjectName(QStringLiteral("SliderScrollSpeed"));
    m_scrollSpeed->setRange(1, 4);
    m_scrollSpeed->setPageStep(1);
    m_scrollSpeed->setTickPosition(QSlider::TicksBelow);
    m_scrollSpeed->setTickInterval(1);
    connect(m_scrollSpeed, &QSlider::valueChanged, this, [this](int v) {
        if (m_loading)
            return;
        m_settings.main.scrollSpeed = v;
        emit scrollSpeedChanged();
    });
    auto* choose = new QPushButton(QStringLiteral("Wybierz przewijane informacje"), g);
    choose->setObjectName(QStringLiteral("ButtonScrollingText"));
    connect(choose, &QPushButton::clicked, this, &WindowPage::scrollingTextChoiceRequested);

    auto* grid = new QGridLayout(g);
    grid->addWidget(visible, 0, 0);
    grid->addWidget(new QLabel(u("Szybkość przewijania"), g), 0, 1);
    grid->addWidget(m_scrollSpeed, 0, 2);
    grid->addWidget(choose, 1, 0, 1, 3);
    return g;
}

QWidget* WindowPage::buildInfoPanelGroup()
{
    auto* g = group(this, "Panel RAM, SWAP, Dyski twarde, Użycie procesora, Transfer", "GroupInfoPanel");
    const QStringList freeUsed = {QStringLiteral("Wolne miejsce"), u("Zajęte miejsce")};
    auto* ram = boolCombo(g, freeUsed, "ComboRam", &MainWindowSettings::ramPanelShowsFree, &WindowPage::gaugeModesChanged);
    auto* swap = boolCombo(g, freeUsed, "ComboSwap", &MainWindowSettings::swapPanelShowsFree, &WindowPage::gaugeModesChanged);
    auto* rows = boolCheck(g, "RAM, SWAP, Dyski twarde", "CheckRamSwapDisks", &MainWindowSettings::memoryPanelsVisible,
                           &WindowPage::layoutChanged);
    auto* cpu = boolCheck(g, "Użycie procesora", "CheckCpu", &MainWindowSettings::cpuPanelVisible, &WindowPage::layoutChanged);
    m_infoOrder = orderList(new OrderList(QStringLiteral("ListInfoPanels"), QStringLiteral("ButtonInfoPanelUp"),
                                          QStringLiteral("ButtonInfoPanelDown"), g),
                            &MainWindowSettings::infoRows);
    auto* transfer = boolCheck(g, "Transfer / sek.", "CheckTransfer", &MainWindowSettings::transferPanelVisible,
                               &WindowPage::layoutChanged);
    auto* direction = intCombo(g, {u("Wejście (pobrane)"), u("Wyjście (wysłane)")}, "ComboTransfer",
                               &MainWindowSettings::transferPanelDirection, &WindowPage::gaugeModesChanged);
    auto* playback = boolCheck(g, "Panel odtwarzania", "CheckPlaybackPanel", &MainWindowSettings::playbackPanelVisible,
                               &WindowPage::layoutChanged);
    m_mainOrder = orderList(new OrderList(QStringLiteral("ListMainPanels"), QStringLiteral("ButtonMainPanelUp"),
                                          QStringLiteral("ButtonMainPanelDown"), g),
                            &MainWindowSettings::panelOrder);
    auto* disks = intCombo(g,
                           {QStringLiteral("Wolne miejsce [MB]"), u("Zajęte miejsce [MB]"),
                            QStringLiteral("Wolne miejsce [GB]"), u("Zajęte miejsce [GB]")},
                           "ComboDisks", &MainWindowSettings::diskPanelMode, &WindowPage::gaugeModesChanged);
    auto* options = new QPushButton(QStringLiteral("Opcje panelu"), g);
    options->setObjectName(QStringLiteral("BitBtn133"));
    connect(options, &QPushButton::clicked, this, &WindowPage::panelOptionsRequested);
    auto* removable = new QToolButton(g);
    removable->setObjectName(QStringLiteral("ButtonRemovableDrives"));
    removable->setIcon(style()->standardIcon(QStyle::SP_DriveFDIcon));
    removable->setToolTip(u("Ustawienia dysków wymiennych"));
    connect(removable, &QToolButton::clicked, this, &WindowPage::removableDrivesRequested);

    auto* grid = new QGridLayout(g);
    int row = 0;
    grid->addWidget(new QLabel(u("Pamięć RAM:"), g), row, 0);
    grid->addWidget(ram, row++, 1);
    grid->addWidget(new QLabel(u("Pamięć SWAP:"), g), row, 0);
    grid->addWidget(swap, row++, 1);
    grid->addWidget(rows, row, 0);
    grid->addWidget(cpu, row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Pozycje paneli informacji"), g), row++, 0, 1, 2);
    grid->addWidget(m_infoOrder, row++, 0, 1, 2);
    grid->addWidget(transfer, row, 0);
    grid->addWidget(direction, row++, 1);
    grid->addWidget(playback, row++, 0, 1, 2);
    grid->addWidget(new QLabel(u("Pozycje paneli głównych"), g), row++, 0, 1, 2);
    grid->addWidget(m_mainOrder, row++, 0, 1, 2);
    auto* diskRow = new QHBoxLayout;
    diskRow->addWidget(disks, 1);
    diskRow->addWidget(removable);
    grid->addWidget(new QLabel(QStringLiteral("Dyski:"), g), row, 0);
    grid->addLayout(diskRow, row++, 1);
    grid->addWidget(options, row++, 0, 1, 2);
    return g;
}

QWidget* WindowPage::buildRightColumn()
{
    auto* column = new QWidget(this);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);

    auto* top = group(column, "Panel Pora dnia, Godzina, Znak zodiaku", "GroupTopPanel");
    auto* topLayout = new QVBoxLayout(top);
    topLayout->addWidget(boolCheck(top, "Pora dnia, Godzina", "CheckDayTimeClock", &MainWindowSettings::clockPanelVisible,
                                   &WindowPage::layoutChanged));
    topLayout->addWidget(boolCheck(top, "Znak zodiaku", "CheckZodiac", &MainWindowSettings::zodiacVisible,
                                   &WindowPage::layoutChanged));
    v->addWidget(top);

    auto* months = group(column, "Przełączanie miesięcy", "GroupMonthSwitching");
    auto* monthsLayout = new QVBoxLayout(months);
    monthsLayout->addWidget(boolCheck(months, "Pokaż przyciski", "CheckMonthArrows", &MainWindowSettings::monthArrows,
                                      &WindowPage::monthArrowsChanged));
    v->addWidget(months);

    auto* minimize = group(column, "Minimalizacja (w zakładce Tray nie może być zaznaczone Brak ikony)", "GroupMinimize");
    auto* minimizeLayout = new QVBoxLayout(minimize);
    m_minimizeButton = boolCheck(minimize, "Pokaż przycisk minimalizacji okna do tray'a", "CheckMinimizeButton",
                                 &MainWindowSettings::trayButtonVisible, &WindowPage::minimizeOptionsChanged);
    m_startMinimized = boolCheck(minimize, "Uruchamiaj kalendarz zminimalizowany do tray'a", "CheckStartMinimized",
                                 &MainWindowSettings::startMinimized, &WindowPage::minimizeOptionsChanged);
    minimizeLayout->addWidget(m_minimizeButton);
    minimizeLayout->addWidget(m_startMinimized);
    v->addWidget(minimize);

    auto* priority = group(column, "Priorytet Zorvex", "GroupPriority");
    m_priority = combo(priority,
                       {QStringLiteral("Automatyczny (zalecany)"), QStringLiteral("Wysoki"), QStringLiteral("Normalny"),
                        QStringLiteral("Niski")},
                       "ComboPriority",
                       [this](int index) { m_settings.main.priority = priorityFromListIndex(index); },
                       &WindowPage::priorityChanged);
    m_priority->setToolTip(u("Priorytet normalny lub wysoki może spowalniać programy lub gry, zalecany jest "
                             "priorytet automatyczny"));
    auto* priorityLayout = new QVBoxLayout(priority);
    priorityLayout->addWidget(m_priority);
    v->addWidget(priority);

    auto* blend = group(column, "Przeźroczystość (nie zalecana)", "GroupTranslucency");
    m_translucency = new QCheckBox(u("Włączona"), blend);
    m_translucency->setObjectName(QStringLiteral("CheckTranslucency"));
    m_opacity = new QSlider(Qt::Horizontal, blend);
    m_opacity->setObjectName(QStringLiteral("TrackBar2"));
    m_opacity->setRange(1, 255);
    m_opacity->setPageStep(16);
    m_opacityText = new QLabel(blend);
    m_opacityText->setObjectName(QStringLiteral("LabelOpacity"));
    m_opacityText->setMinimumWidth(m_opacityText->fontMetrics().horizontalAdvance(QStringLiteral("100%")) + 4);
    connect(m_translucency, &QCheckBox::toggled, this, [this](bool on) {
        updateOpacityControls();
        if (m_loading)
            return;
        m_settings.main.translucent = on;
        emit opacityChanged();
    });
    connect(m_opacity, &QSlider::valueChanged, this, [this](int value) {
        m_opacityText->setText(opacityText(value));
        if (m_loading)
            return;
        m_settings.main.opacity = value;
        emit opacityChanged();
    });
    auto* blendLayout = new QGridLayout(blend);
    blendLayout->addWidget(m_translucency, 0, 0, 1, 2);
    blendLayout->addWidget(m_opacity, 1, 0);
    blendLayout->addWidget(m_opacityText, 1, 1);
    v->addWidget(blend);
    v->addStretch(1);
    return column;
}

void WindowPage::updateOpacityControls()
{
    m_opacity->setEnabled(m_translucency->isChecked());
}

void WindowPage::load()
{
    m_loading = true;
    const MainWindowSettings& s = m_settings.main;
    for (const auto& [check, field] : m_checks)
        check->setChecked(s.*field);
    for (const auto& [combo, field] : m_boolCombos)
        combo->setCurrentIndex(s.*field ? 0 : 1);
    for (const auto& [combo, field] : m_intCombos)
        combo->setCurrentIndex(s.*field >= 0 && s.*field < combo->count() ? s.*field : 0);
    m_scrollSpeed->setValue(s.scrollSpeed);
    std::vector<std::pair<QString, int>> info, panels;
    for (int kind : s.infoRows)
        info.emplace_back(infoCaption(kind), kind);
    for (int kind : s.panelOrder)
        panels.emplace_back(mainPanelCaption(kind), kind);
    m_infoOrder->setEntries(info);
    m_mainOrder->setEntries(panels);
    m_priority->setCurrentIndex(listIndexFromPriority(s.priority));
    m_translucency->setChecked(s.translucent);
    m_opacity->setValue(s.opacity);
    m_opacityText->setText(opacityText(m_opacity->value()));
    updateOpacityControls();
    setTrayIconPresent(hasTrayIcon(s.trayIconKind));
    m_loading = false;
}

void WindowPage::setTrayIconPresent(bool present)
{
    m_minimizeButton->setEnabled(present);
    m_startMinimized->setEnabled(present);
}

} // namespace zorvex

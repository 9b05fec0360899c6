#include "ui/calendar/ColoursPage.h"

#include "core/app/Settings.h"
#include "core/reminders/DayMarks.h"
#include "ui/calendar/Background.h"
#include "ui/calendar/FontValues.h"
#include "ui/common/ColourBox.h"
#include "ui/common/Messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvex {
namespace {

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

constexpr int kColourBoxWithFont = 97;
constexpr int kColourBoxAlone = 129;
constexpr int kColourBoxHeight = 20;
const QColor kOrderSelection(255, 223, 138);

} // namespace

std::array<int, 4> precedenceFromSetting(const QString& value)
{
    return colourPrecedence(value);
}

QString precedenceToSetting(const std::array<int, 4>& order)
{
    QString out;
    for (int kind : order)
        out += QString::number(kind);
    return out;
}

QString precedenceLabel(int kind)
{
    switch (kind) {
    case 1: return QStringLiteral("Urodziny");
    case 2: return QStringLiteral("Imieniny");
    case 3: return u("Ważne dni");
    case 4: return QStringLiteral("Prywatne");
    default: return {};
    }
}

QString textElementLabel(TextElement element)
{
    static const char* const kLabels[kTextElements] = {
        "Godzina",          "Znak zodiaku", "Miesiąc i rok",    "Dni tygodnia", "Dni miesiąca (Pon.-Pt.)",
        "Dni miesiąca (Sob.)", "Dni miesiąca (Nie.)", "Panel przewijany", "Panel informacji", "Temperatura"};
    const int i = int(element);
    return i >= 0 && i < kTextElements ? u(kLabels[i]) : QString();
}

bool hasFont(TextElement element)
{
    return element == TextElement::Clock || element == TextElement::ScrollingText
        || element == TextElement::InfoPanel;
}

ColoursPage::ColoursPage(Settings& settings, const PathTable& paths, Prompts& prompts, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
    , m_paths(paths)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("ColoursPage"));
    m_fontChooser = [this](const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont f = QFontDialog::getFont(&ok, current, this);
        return ok ? std::optional<QFont>(f) : std::nullopt;
    };
    m_fileChooser = [this](const QString& folder, const QString& preselected) {
        return QFileDialog::getOpenFileName(this, u("Wybierz skórę"), QDir(folder).filePath(preselected),
                                            u("Obrazy (*.bmp *.png *.gif *.jpg *.jpeg);;Wszystkie pliki (*)"));
    };

    auto* left = new QVBoxLayout;
    left->addWidget(buildBackgroundGroup());
    left->addWidget(buildTextGroup());
    left->addWidget(buildSwitchesGroup());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(buildMarkingGroup());
    right->addWidget(buildPrecedenceGroup());
    m_extra = new QVBoxLayout;
    right->addLayout(m_extra);
    right->addStretch();
    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left);
    columns->addLayout(right);

    load();
}

ColourBox* ColoursPage::colourBox(QWidget* parent, const char* name)
{
    auto* box = new ColourBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setFixedSize(kColourBoxAlone, kColourBoxHeight);
    return box;
}

QWidget* ColoursPage::buildBackgroundGroup()
{
    auto* group = new QGroupBox(u("Kolor tła lub skóra"), this);
    m_background = colourBox(group, "ColorGrid1");
    m_colourKind = new QRadioButton(QStringLiteral("Kolor"), group);
    m_colourKind->setObjectName(QStringLiteral("RadioButton10"));
    m_skinKind = new QRadioButton(u("Skóra"), group);
    m_skinKind->setObjectName(QStringLiteral("RadioButton11"));
    auto* kinds = new QButtonGroup(group);
    kinds->addButton(m_colourKind);
    kinds->addButton(m_skinKind);
    m_shading = new QCheckBox(u("Cień"), group);
    m_shading->setObjectName(QStringLiteral("CheckBox3"));
    m_skin = new QLineEdit(group);
    m_skin->setObjectName(QStringLiteral("Edit8"));
    m_browse = new QToolButton(group);
    m_browse->setObjectName(QStringLiteral("BitBtn15"));
    m_browse->setText(QStringLiteral("..."));
    m_browse->setToolTip(u("Wybierz skórę"));

    auto* grid = new QGridLayout(group);
    grid->addWidget(m_background, 0, 0, 1, 3);
    grid->addWidget(m_colourKind, 1, 0);
    grid->addWidget(m_shading, 1, 1, 1, 2);
    grid->addWidget(m_skinKind, 2, 0);
    grid->addWidget(m_skin, 2, 1);
    grid->addWidget(m_browse, 2, 2);

    connect(m_background, &ColourBox::colourChanged, this, [this](Colour c) {
        if (m_loading)
            return;
        m_settings.main.background = c;
        emit coloursChanged();
    });
    connect(m_colourKind, &QRadioButton::toggled, this, [this](bool on) {
        updateBackgroundControls();
        if (m_loading || m_settings.main.plainBackground == on)
            return;
        m_settings.main.plainBackground = on;
        emit coloursChanged();
    });
    connect(m_shading, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.main.backgroundShadow = on;
        emit coloursChanged();
    });
    connect(m_skin, &QLineEdit::textEdited, this, [this](const QString& text) { m_settings.main.skinPicture = text; });
    connect(m_skin, &QLineEdit::returnPressed, this, &ColoursPage::confirmSkin);
    connect(m_browse, &QToolButton::clicked, this, &ColoursPage::browseSkin);
    return group;
}

QWidget* ColoursPage::buildMarkingGroup()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* todayGroup = new QGroupBox(u("Kolor aktualnego dnia"), box);
    m_today = colourBox(todayGroup, "ColorBox6");
    auto* todayLayout = new QHBoxLayout(todayGroup);
    todayLayout->addWidget(m_today);
    todayLayout->addStretch();
    layout->addWidget(todayGroup);

    auto* group = new QGroupBox(u("Kolor ważnych dat na panelu kalendarza"), box);
    auto* grid = new QGridLayout(group);
    static const char* const kNames[4] = {"ColorBox11", "ColorBox12", "ColorBox13", "ColorBox14"};
    for (int i = 0; i < 4; ++i) {
        m_marking[i] = colourBox(group, kNames[i]);
        auto* label = new QLabel(precedenceLabel(i + 1) + QLatin1Char(':'), group);
        label->setBuddy(m_marking[i]);
        grid->addWidget(label, i, 0);
        grid->addWidget(m_marking[i], i, 1);
    }
    layout->addWidget(group);

    connect(m_today, &ColourBox::colourChanged, this, [this](Colour c) {
        if (m_loading)
            return;
        m_settings.main.todayFrameColour = c;
        emit calendarChanged();
    });
    Colour MainWindowSettings::*fields[4] = {&MainWindowSettings::birthdayColour, &MainWindowSettings::nameDayColour,
                                             &MainWindowSettings::importantDayColour, &MainWindowSettings::privateDayColour};
    for (int i = 0; i < 4; ++i) {
        const auto field = fields[i];
        connect(m_marking[i], &ColourBox::colourChanged, this, [this, field](Colour c) {
            if (m_loading)
                return;
            m_settings.main.*field = c;
            emit calendarChanged();
        });
    }
    return box;
}

QWidget* ColoursPage::buildPrecedenceGroup()
{
    auto* group = new QGroupBox(u("Kolejność"), this);
    m_order = new QListWidget(group);
    m_order->setObjectName(QStringLiteral("ListDat"));
    m_order->setToolTip(
        u("Kolejności pierwszeństwa wyświetlenia koloru (jeśli w danym dniu występują jednocześnie urodziny, "
          "imieniny, ważne dni, prywatne to jako kolor nadrzędny będzie ten, który jest wyżej na liście)."));
    m_order->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette p = m_order->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Highlight, kOrderSelection);
        p.setColor(g, QPalette::HighlightedText, Qt::black);
        p.setColor(g, QPalette::Text, Qt::black);
    }
    m_order->setPalette(p);
    m_order->setFixedHeight(4 * 18 + 2 * m_order->frameWidth() + 2);

    m_up = new QToolButton(group);
    m_up->setObjectName(QStringLiteral("BitBtn111"));
    m_up->setArrowType(Qt::UpArrow);
    m_up->setToolTip(u("Przesuń pozycję w górę"));
    m_down = new QToolButton(group);
    m_down->setObjectName(QStringLiteral("BitBtn112"));
    m_down->setArrowType(Qt::DownArrow);
    m_down->setToolTip(u("Przesuń pozycję na dół"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(m_order, 1);
    layout->addLayout(buttons);

    connect(m_up, &QToolButton::clicked, this, [this] { movePrecedence(-1); });
    connect(m_down, &QToolButton::clicked, this, [this] { movePrecedence(+1); });
    return group;
}

QWidget* ColoursPage::buildTextGroup()
{
    auto* group = new QGroupBox(u("Kolor tekstu"), this);
    m_elements = new QComboBox(group);
    m_elements->setObjectName(QStringLiteral("ComboBox32"));
    for (int i = 0; i < kTextElements; ++i)
        m_elements->addItem(textElementLabel(TextElement(i)));
    m_textColour = colourBox(group, "ColorBox15");
    m_font = new QToolButton(group);
    m_font->setObjectName(QStringLiteral("BitBtn143"));
    m_font->setText(QStringLiteral("Aa"));
    m_font->setToolTip(u("Zmień czcionkę"));
    m_font->setFixedHeight(kColourBoxHeight);

    auto* row = new QHBoxLayout;
    row->addWidget(m_textColour);
    row->addWidget(m_font);
    row->addStretch();
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_elements);
    layout->addLayout(row);

    connect(m_elements, &QComboBox::currentIndexChanged, this, &ColoursPage::showElement);
    connect(m_textColour, &ColourBox::colourChanged, this, [this](Colour c) {
        if (m_loading)
            return;
        const TextElement element = currentElement();
        m_settings.main.textColour(element) = c;
        if (element == TextElement::Temperature)
            emit temperatureColourChanged();
        emit coloursChanged();
    });
    connect(m_font, &QToolButton::clicked, this, &ColoursPage::chooseFont);
    return group;
}

QWidget* ColoursPage::buildSwitchesGroup()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* switches = new QHBoxLayout;
    m_grid = new QCheckBox(QStringLiteral("Siatka"), box);
    m_grid->setObjectName(QStringLiteral("CheckBox63"));
    m_frame = new QCheckBox(QStringLiteral("Ramka"), box);
    m_frame->setObjectName(QStringLiteral("CheckBox67"));
    switches->addWidget(m_grid);
    switches->addWidget(m_frame);
    switches->addStretch();
    layout->addLayout(switches);

    auto* playback = new QGroupBox(QStringLiteral("Panel odtwarzania"), box);
    m_playback = colourBox(playback, "ColorBox8");
    auto* playbackLayout = new QHBoxLayout(playback);
    playbackLayout->addWidget(m_playback);
    playbackLayout->addStretch();
    layout->addWidget(playback);

    auto* all = new QGroupBox(QStringLiteral("Ustaw wszystkie kolory"), box);
    m_defaults = new QPushButton(u("Domyślne"), all);
    m_defaults->setObjectName(QStringLiteral("BitBtn4"));
    auto* allLayout = new QHBoxLayout(all);
    allLayout->addWidget(m_defaults);
    allLayout->addStretch();
    layout->addWidget(all);

    connect(m_grid, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.main.gridLines = on;
        emit gridOrFrameChanged();
    });
    connect(m_frame, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.main.windowFrame = on;
        emit gridOrFrameChanged();
    });
    connect(m_playback, &ColourBox::colourChanged, this, [this](Colour c) {
        if (m_loading)
            return;
        m_settings.main.playbackPanelBackground = c;
        emit playbackPanelColourChanged();
        emit calendarChanged();
    });
    connect(m_defaults, &QPushButton::clicked, this, &ColoursPage::askDefaults);
    return box;
}

void ColoursPage::addGroup(QWidget* group)
{
    group->setParent(this);
    m_extra->addWidget(group);
}

void ColoursPage::load()
{
    m_loading = true;
    const MainWindowSettings& s = m_settings.main;
    m_background->setColour(s.background);
    m_colourKind->setChecked(s.plainBackground);
    m_skinKind->setChecked(!s.plainBackground);
    m_shading->setChecked(s.backgroundShadow);
    m_skin->setText(s.skinPicture);
    m_today->setColour(s.todayFrameColour);
    m_marking[0]->setColour(s.birthdayColour);
    m_marking[1]->setColour(s.nameDayColour);
    m_marking[2]->setColour(s.importantDayColour);
    m_marking[3]->setColour(s.privateDayColour);
    fillPrecedence(precedenceFromSetting(s.markingPrecedence));
    m_grid->setChecked(s.gridLines);
    m_frame->setChecked(s.windowFrame);
    m_playback->setColour(s.playbackPanelBackground);
    updateBackgroundControls();
    showElement();
    m_loading = false;
}

void ColoursPage::refreshSkinName()
{
    if (m_skin->text() != m_settings.main.skinPicture)
        m_skin->setText(m_settings.main.skinPicture);
}

void ColoursPage::updateBackgroundControls()
{
    const bool colourKind = m_colourKind->isChecked();
    m_background->setEnabled(true);
    m_shading->setEnabled(colourKind);
    m_skin->setEnabled(!colourKind);
    m_browse->setEnabled(!colourKind);
}

TextElement ColoursPage::currentElement() const
{
    return TextElement(std::clamp(m_elements->currentIndex(), 0, kTextElements - 1));
}

void ColoursPage::showElement()
{
    const bool wasLoading = m_loading;
    m_loading = true;
    const TextElement element = currentElement();
    m_textColour->setColour(m_settings.main.textColour(element));
    const bool font = hasFont(element);
    m_font->setVisible(font);
    m_textColour->setFixedWidth(font ? kColourBoxWithFont : kColourBoxAlone);
    m_loading = wasLoading;
}

std::array<int, 4> ColoursPage::precedence() const
{
    std::array<int, 4> order{1, 2, 3, 4};
    for (int i = 0; i < 4 && i < m_order->count(); ++i)
        order[size_t(i)] = m_order->item(i)->data(Qt::UserRole).toInt();
    return order;
}

void ColoursPage::fillPrecedence(const std::array<int, 4>& order)
{
    const int selected = m_order->currentRow();
    m_order->clear();
    for (int i = 0; i < 4; ++i) {
        // Each line reads its position, not its kind: "1. Imieniny".
        auto* item = new QListWidgetItem(QString::number(i + 1) + QStringLiteral(". ") + precedenceLabel(order[size_t(i)]),
                                         m_order);
        item->setData(Qt::UserRole, order[size_t(i)]);
    }
    if (selected >= 0)
        m_order->setCurrentRow(selected);
}

void ColoursPage::movePrecedence(int step)
{
    const int from = m_order->currentRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= m_order->count())
        return;
    std::array<int, 4> order = precedence();
    std::swap(order[size_t(from)], order[size_t(to)]);
    fillPrecedence(order);
    m_order->setCurrentRow(to);
    m_settings.main.markingPrecedence = precedenceToSetting(order);
    emit calendarChanged();
}

FontValue* ColoursPage::fontOf(TextElement element)
{
    switch (element) {
    case TextElement::Clock: return &m_settings.main.clockFont;
    case TextElement::ScrollingText: return &m_settings.main.textPanelFont;
    case TextElement::InfoPanel: return &m_settings.main.infoLabelFont;
    default: return nullptr;
    }
}

void ColoursPage::chooseFont()
{
    const TextElement element = currentElement();
    FontValue* value = fontOf(element);
    if (!value || !m_fontChooser)
        return;
    // Cancel leaves the font as it was.
    const std::optional<QFont> picked = m_fontChooser(dialogFontOf(*value));
    if (!picked)
        return;
    const FontValue chosen = fontValueOf(*picked, value->charset);
    if (chosen == *value)
        return;
    *value = chosen;
    emit fontChanged(element);
}

QString ColoursPage::currentSchemeFolder() const
{
    return schemeFolder(m_paths, m_settings.main.colourSchemeName);
}

void ColoursPage::browseSkin()
{
    if (!m_fileChooser)
        return;
    const QString scheme = currentSchemeFolder();
    const QString current = resolveSkinPath(m_settings.main.skinPicture, scheme, m_paths.dataFolder());
    const QString folder = current.isEmpty() ? m_paths.inDataFolder(QStringLiteral("Gfx")) : QFileInfo(current).path();
    const QString picked = m_fileChooser(folder, current.isEmpty() ? QString() : QFileInfo(current).fileName());
    if (picked.isEmpty())
        return;
    m_settings.main.skinPicture = skinNameForPick(picked, scheme);
    m_skin->setText(m_settings.main.skinPicture);
    emit backgroundChanged();
}

void ColoursPage::confirmSkin()
{
    m_settings.main.skinPicture = m_skin->text();
    emit backgroundChanged();
}

void ColoursPage::askDefaults()
{
    if (!m_prompts.askYesNo(u("Domyślne ustawienia"), u("Na pewno przywrócić domyślne ustawienia kolorów?"), this))
        return;
    restoreDefaults();
}

void ColoursPage::restoreDefaults()
{
    // The values come from the settings' own defaults; "Ramka", the skin
    // name and the precedence stay as they are.
    MainWindowSettings d;
    resetToDefaults(d);
    MainWindowSettings& s = m_settings.main;
    s.clockFont = d.clockFont;
    s.textPanelFont = d.textPanelFont;
    s.infoLabelFont = d.infoLabelFont;
    s.gridLines = d.gridLines;
    s.shadedGauges = d.shadedGauges;
    s.gaugeLowColour = d.gaugeLowColour;
    s.gaugeMiddleColour = d.gaugeMiddleColour;
    s.gaugeHighColour = d.gaugeHighColour;
    s.infoPanelBackground = d.infoPanelBackground;
    s.background = d.background;
    s.playbackPanelBackground = d.playbackPanelBackground;
    s.todayFrameColour = d.todayFrameColour;
    s.birthdayColour = d.birthdayColour;
    s.nameDayColour = d.nameDayColour;
    s.importantDayColour = d.importantDayColour;
    s.privateDayColour = d.privateDayColour;
    s.plainBackground = d.plainBackground;
    s.backgroundShadow = d.backgroundShadow;
    s.textColours = d.textColours;
    load();
    emit fontChanged(TextElement::Clock);
    emit fontChanged(TextElement::ScrollingText);
    emit fontChanged(TextElement::InfoPanel);
    emit coloursChanged();
    emit gaugeColoursChanged();
    emit temperatureColourChanged();
    emit playbackPanelColourChanged();
    // The grid is on again, and the time-of-day picture's frame follows it.
    emit gridOrFrameChanged();
}

} // namespace zorvex

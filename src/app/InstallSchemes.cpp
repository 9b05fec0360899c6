#include "app/Application.h"
#include "core/app/MainLoop.h"
#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/common/PathTable.h"
#include "core/internet/AddonPackage.h"
#include "core/media/PanelSkins.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/calendar/CalendarView.h"
#include "ui/calendar/ColoursPage.h"
#include "ui/calendar/TimeOfDaySetList.h"
#include "ui/calendar/ZodiacController.h"
#include "ui/calendar/ZodiacSetList.h"
#include "ui/desktop/SchemeService.h"
#include "ui/internet/InternetService.h"
#include "ui/internet/WeatherService.h"
#include "ui/media/PlaybackPanel.h"
#include "ui/status/GaugeArea.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvex {
namespace {

QStringList setFolders(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

// The names a list offers after its first, default entry.
QStringList offered(const QComboBox* list)
{
    QStringList names;
    for (int i = 1; list && i < list->count(); ++i)
        names << list->itemText(i);
    return names;
}

// Chooses `name` in a list as the user would (the first entry for none).
void choose(QComboBox* list, const QString& name)
{
    if (!list)
        return;
    int at = 0;
    for (int i = 1; i < list->count(); ++i) {
        if (list->itemText(i).compare(name, Qt::CaseInsensitive) == 0)
            at = i;
    }
    list->setCurrentIndex(at);
    emit list->activated(at);
}

} // namespace

// Colour schemes and compositions: their lists on "Kolory" and "Wygląd",
// the schemes' fonts and the minimize button's picture. Installed after the
// features whose sets a composition chooses.
void Application::installSchemes()
{
    m_schemes = std::make_unique<SchemeService>(m_settings, m_paths, m_clock, *m_prompts);
    SchemeService& schemes = *m_schemes;
    ToolsWindow* tools = m_tools.get();
    auto* colours = tools->findChild<ColoursPage*>();
    auto* zodiacSets = tools->findChild<ZodiacSetList*>();
    auto* timeOfDay = tools->findChild<TimeOfDaySetList*>();
    const auto weatherSets = [tools] { return tools->findChild<QComboBox*>(QStringLiteral("WeatherIconSet")); };

    if (colours)
        colours->addGroup(schemes.coloursGroup());
    // The compositions join the sets of the page "Wygląd".
    if (zodiacSets && zodiacSets->parentWidget() && zodiacSets->parentWidget()->parentWidget()) {
        if (auto* look = qobject_cast<QVBoxLayout*>(zodiacSets->parentWidget()->parentWidget()->layout()))
            look->insertWidget(0, schemes.lookGroup());
    }

    schemes.hooks.applyLook = [this, colours] {
        m_calendar->applyFonts();
        m_calendar->applyColours();
        m_calendar->framePicture();
        m_gauges->loadDiskIcon();
        if (m_weather)
            m_weather->redrawIcon();
        if (colours)
            colours->load();
    };
    QToolButton* minimize = m_main->minimizeButton();
    schemes.hooks.minimizePictures = [minimize](const QImage& normal, const QImage& hover, const QImage& pressed) {
        QIcon icon(QPixmap::fromImage(normal));
        icon.addPixmap(QPixmap::fromImage(hover), QIcon::Active);
        icon.addPixmap(QPixmap::fromImage(pressed), QIcon::Selected);
        minimize->setIcon(icon);
        minimize->setProperty("zorvexPressedPicture", QPixmap::fromImage(pressed));
    };
    connect(minimize, &QToolButton::pressed, minimize, [minimize] {
        const QIcon icon = minimize->icon();
        minimize->setIcon(QIcon(icon.pixmap(minimize->iconSize(), QIcon::Selected)));
        minimize->setProperty("zorvexNormalIcon", QVariant::fromValue(icon));
    });
    connect(minimize, &QToolButton::released, minimize, [minimize] {
        const QVariant icon = minimize->property("zorvexNormalIcon");
        if (icon.isValid())
            minimize->setIcon(icon.value<QIcon>());
    });
    // Every change of the background colour or kind, F5 and the first
    // showing go through ApplyColours.
    connect(m_calendar.get(), &CalendarView::coloursApplied, &schemes, [this] { m_schemes->loadMinimizePicture(); });

    const QString data = m_paths.dataFolder();
    schemes.hooks.availableAddons = [weatherSets, timeOfDay, data] {
        AvailableAddons a;
        a.weather = offered(weatherSets());
        a.timeOfDay = offered(timeOfDay);
        a.skins = panelSkinNames(data + QStringLiteral("Gfx/Panel odtwarzania/"));
        a.zodiac = setFolders(data + QStringLiteral("Gfx/Zodiak/"));
        a.disks = setFolders(data + QStringLiteral("Gfx/Dysk/"));
        a.pictureExists = [data](const QString& path) {
            return QFileInfo(path).isFile() || QFileInfo(QDir(data).filePath(path)).isFile();
        };
        return a;
    };
    schemes.hooks.applyAddons = [this, weatherSets, timeOfDay, zodiacSets](const CompositionPlan& plan) {
        MainWindowSettings& s = m_settings.main;
        s.zodiacVisible = plan.zodiacShown;
        m_main->applySettings();
        choose(weatherSets(), plan.weather);
        choose(timeOfDay, plan.timeOfDay);
        const auto skin = m_addonChoosers.find(int(AddonCategory::PlaybackSkin));
        if (!plan.skin.isEmpty() && skin != m_addonChoosers.end()) {
            skin->second(plan.skin);
        } else if (plan.skin.isEmpty()) {
            m_settings.panelOdtwarzania.skin = builtInSkinName();
            if (auto* panel = m_main->playbackStrip()->findChild<PlaybackPanel*>())
                panel->setSkin(QImage());
        }
        s.diskIconSet = plan.disk;
        m_gauges->loadDiskIcon();
        s.zodiacFixedPicture = plan.zodiacKind;
        if (plan.zodiacKind == 1)
            s.zodiacPicture = plan.zodiacPicture;
        else
            s.zodiacSignSet = plan.zodiacSet;
        if (zodiacSets)
            zodiacSets->reload();
        m_zodiac->draw();
    };
    schemes.hooks.currentAddons = [this, weatherSets, timeOfDay] {
        const MainWindowSettings& s = m_settings.main;
        CompositionParts p;
        const QComboBox* weather = weatherSets();
        p.weather = weather && weather->currentIndex() > 0 ? weather->currentText() : QString();
        p.timeOfDay = timeOfDay && timeOfDay->currentIndex() > 0 ? timeOfDay->currentText() : QString();
        const QString skin = m_settings.panelOdtwarzania.skin;
        p.skin = skin.compare(builtInSkinName(), Qt::CaseInsensitive) == 0 ? QString() : skin;
        p.disk = s.diskIconSet;
        p.zodiacKind = s.zodiacFixedPicture == 1 ? 1 : 0;
        p.zodiac = p.zodiacKind == 1 ? s.zodiacPicture : s.zodiacSignSet;
        p.zodiacShown = s.zodiacVisible;
        return p;
    };
    schemes.hooks.enableTools = [tools](bool enabled) { tools->setEnabled(enabled); };

    schemes.loadChosenFonts();
    m_calendar->applyFonts();
    schemes.start();
    schemes.loadMinimizePicture();
    m_store->addListWriter([this] { m_schemes->writeCompositions(); });
    registerAddonChooser(int(AddonCategory::Scheme),
                         [this](const QString& name) { m_schemes->chooseInstalledScheme(name); });
    if (m_internet)
        m_internet->applyComposition = [this](const QString& line) { m_schemes->chooseInstalledComposition(line); };
    m_loop->services().addShutdown(ShutdownStepId::UnloadSchemeFonts, schemes);
}

} // namespace zorvex

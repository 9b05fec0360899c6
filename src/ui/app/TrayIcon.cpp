#include "ui/app/TrayIcon.h"

#include "core/app/Settings.h"
#include "core/app/TrayHint.h"
#include "core/app/TraySettings.h"
#include "core/common/Clock.h"
#include "core/common/Version.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"

#include <QCursor>
#include <QDate>
#include <QGuiApplication>

namespace zorvex {
namespace {

// The values of features that do not run yet: all unknown.
const StatusValues& unknownValues()
{
    static const StatusValues none;
    return none;
}

std::function<bool()>& systemTrayProbe()
{
    static std::function<bool()> probe = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    return probe;
}

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

TrayIcon::TrayIcon(MainWindow* window, const MainWindowSettings& settings, const TraySettings& tray,
                   QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_settings(settings)
    , m_tray(tray)
{
    setObjectName(QStringLiteral("JvTrayIcon1"));
    m_icon.setObjectName(QStringLiteral("JvTrayIcon1"));
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
    connect(&m_icon, &QSystemTrayIcon::messageClicked, this, [this] { emit balloonClicked(m_lastBalloon); });
    // The hint cannot be built when the pointer arrives, so it follows its
    // values, at most once a second.
    m_hintTimer.setInterval(1000);
    connect(&m_hintTimer, &QTimer::timeout, this, &TrayIcon::rebuildHint);
}

void TrayIcon::setSystemTrayProbe(std::function<bool()> probe)
{
    systemTrayProbe() = std::move(probe);
}

bool TrayIcon::available() const
{
    return hasTrayIcon(m_settings.trayIconKind) && systemTrayProbe()();
}

void TrayIcon::setContextMenu(ContextMenu* menu)
{
    m_menu = menu;
    // Wayland gives a pop-up no place of its own: there the desktop draws the
    // exported menu. Elsewhere the menu (with its side bar) opens at the
    // pointer.
    m_menuExported = onWayland();
    m_icon.setContextMenu(m_menuExported ? menu : nullptr);
}

void TrayIcon::setStatusValues(const StatusValues* values)
{
    m_values = values;
    update();
    rebuildHint();
}

Colour TrayIcon::levelColour() const
{
    switch (trayModeFromSetting(m_settings.trayIconKind)) {
    case TrayMode::Cpu:
        return m_settings.trayCpuColour;
    case TrayMode::Ram:
        return m_settings.trayFreeRamColour;
    case TrayMode::Swap:
        return m_settings.trayUsedSwapColour;
    default:
        return 0;
    }
}

void TrayIcon::applySettings()
{
    const TrayMode mode = trayModeFromSetting(m_settings.trayIconKind);
    if (mode == TrayMode::Cpu || mode == TrayMode::Ram || mode == TrayMode::Swap)
        m_pictures.prepareLevels(m_settings.trayIconKind, levelColour());
    m_choice = {}; // a colour may have changed: draw afresh
    update();
    if (mode == TrayMode::None) {
        m_hintTimer.stop();
        m_icon.hide();
        return;
    }
    rebuildHint();
    m_icon.show();
    m_hintTimer.start();
}

void TrayIcon::update()
{
    TrayIconInputs in;
    in.mode = m_settings.trayIconKind;
    in.today = (m_clock ? m_clock->now().date() : QDate::currentDate()).day();
    in.ramShowsFree = m_settings.ramPanelShowsFree;
    in.swapShowsFree = m_settings.swapPanelShowsFree;
    in.transferDirection = m_settings.trayTransferDirection;
    const TrayIconChoice next = chooseTrayIcon(in, m_values ? *m_values : unknownValues());

    const bool same = next.kind == m_choice.kind && next.day == m_choice.day && next.level == m_choice.level
        && next.transfer.text == m_choice.transfer.text && next.transfer.pointSize == m_choice.transfer.pointSize
        && !m_icon.icon().isNull();
    m_choice = next;
    switch (next.kind) {
    case TrayIconChoice::None:
        return;
    case TrayIconChoice::Day:
        if (!same)
            m_icon.setIcon(m_pictures.dayIcon(next.day));
        return;
    case TrayIconChoice::Level: {
        const int builds = m_pictures.levelBuilds();
        m_pictures.prepareLevels(m_settings.trayIconKind, levelColour());
        if (!same || builds != m_pictures.levelBuilds())
            m_icon.setIcon(m_pictures.levelIcon(next.level));
        return;
    }
    case TrayIconChoice::Transfer:
        if (!same)
            m_icon.setIcon(QIcon(QPixmap::fromImage(TrayIconPictures::transferPicture(next.transfer,
                                                                                      m_settings.trayTransferTextColour))));
        return;
    }
}

void TrayIcon::reinstall()
{
    if (!hasTrayIcon(m_settings.trayIconKind))
        return;
    m_icon.hide();
    m_icon.show();
}

void TrayIcon::click()
{
    const TrayClickOutcome o = trayClick(m_window->isVisible(), m_window->wasForeground(), m_settings.trayMinimize);
    if (o.hide) {
        m_window->hideToTray();
    } else {
        m_window->showMainWindow();
        emit windowShownFromTray();
    }
    m_window->setForegroundFlag(o.foregroundAfter);
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        click();
        break;
    case QSystemTrayIcon::Context:
        if (m_menu && !m_menuExported)
            m_menu->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void TrayIcon::showBalloon(const QString& title, const QString& text, QSystemTrayIcon::MessageIcon icon,
                           int milliseconds, BalloonSource source)
{
    m_lastBalloon = source;
    m_lastBalloonRequest = {title, text, icon, milliseconds};
    m_icon.showMessage(title, text, icon, milliseconds);
}

void TrayIcon::rebuildHint()
{
    if (!hasTrayIcon(m_settings.trayIconKind))
        return;
    TrayHintContext ctx;
    ctx.ramShowsFree = m_settings.ramPanelShowsFree;
    ctx.swapShowsFree = m_settings.swapPanelShowsFree;
    ctx.version = programVersion();
    const QString text = buildTrayHint(m_tray.hintPattern, ctx, m_values ? *m_values : unknownValues());
    if (text == m_hint)
        return;
    m_hint = text;
    m_icon.setToolTip(text);
}

} // namespace zorvex

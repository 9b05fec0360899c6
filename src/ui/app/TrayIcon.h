#pragma once

#include "core/app/TrayIconModel.h"
#include "ui/app/TrayIconPictures.h"

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>

namespace zorvex {

class Clock;
class ContextMenu;
class MainWindow;
class StatusValues;
struct MainWindowSettings;
struct TraySettings;

// Who showed the last balloon; a click on it is handled by that feature.
enum class BalloonSource { Other, Reminders, Mail, Ping };

// What the last balloon asked the desktop for.
struct BalloonRequest {
    QString title;
    QString text;
    QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::NoIcon;
    int milliseconds = 0;
};

// The tray icon (JvTrayIcon1) over the desktop's tray (StatusNotifierItem or
// XEmbed, whichever the desktop offers): the picture of the Kolor_TN mode,
// the click rule, the hint and the balloons.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(MainWindow* window, const MainWindowSettings& settings, const TraySettings& tray,
             QObject* parent = nullptr);

    QSystemTrayIcon* systemTrayIcon() { return &m_icon; }
    void setContextMenu(ContextMenu* menu);
    void setStatusValues(const StatusValues* values);
    void setClock(const Clock* clock) { m_clock = clock; }

    // The mode, its colours or the hint pattern changed: prepare the
    // pictures, show or remove the icon, update.
    void applySettings();
    // UpdateTrayIcon: the picture for the current mode and values. The gauges
    // call it with every update; nothing is redrawn but the transfer text.
    void update();
    // The icon off and on again, for shells that missed it.
    void reinstall();

    // The click rule (left button, single or double).
    void click();

    void showBalloon(const QString& title, const QString& text, QSystemTrayIcon::MessageIcon icon, int milliseconds,
                     BalloonSource source = BalloonSource::Other);

    const BalloonRequest& lastBalloon() const { return m_lastBalloonRequest; }

    // Builds the hint now; kept when it did not change.
    void rebuildHint();
    QString hint() const { return m_hint; }
    const TrayIconChoice& choice() const { return m_choice; }
    const TrayIconPictures& pictures() const { return m_pictures; }
    bool shown() const { return m_icon.isVisible(); }
    // Whether the window can hide into the tray and come back by a click:
    // an icon is chosen and the desktop has a tray to show it in.
    bool available() const;
    // Asks whether the desktop has a tray; tests replace the question.
    static void setSystemTrayProbe(std::function<bool()> probe);

signals:
    // The window came back from the tray by a click (windows that follow it
    // may come along).
    void windowShownFromTray();
    void balloonClicked(BalloonSource lastSource);

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    Colour levelColour() const;

    MainWindow* m_window;
    const MainWindowSettings& m_settings;
    const TraySettings& m_tray;
    const StatusValues* m_values = nullptr;
    const Clock* m_clock = nullptr;
    QPointer<ContextMenu> m_menu;
    QSystemTrayIcon m_icon;
    TrayIconPictures m_pictures;
    TrayIconChoice m_choice;
    QString m_hint;
    QTimer m_hintTimer;
    BalloonSource m_lastBalloon = BalloonSource::Other;
    BalloonRequest m_lastBalloonRequest;
    bool m_menuExported = false;
};

} // namespace zorvex

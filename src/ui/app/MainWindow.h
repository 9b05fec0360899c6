#pragma once

#include "core/app/WindowLayout.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <memory>

class QLabel;
class QScreen;
class QToolButton;

namespace zorvex {

class Prompts;

class SystemServices;

class ClockMenu;
class ContextMenu;
class PathTable;
class SettingsStore;
class StatusValues;
class TaskbarEntry;
class TrayHintEditor;
class TrayIcon;
struct MainWindowSettings;
struct Settings;
struct TraySettings;

// The main window (TForm1): a frameless 147-pixel-wide desktop widget with
// no taskbar entry. It stacks the top panel (time-of-day picture, clock,
// zodiac sign), the month caption, the month grid and the three lower panels
// in the PG1..PG3 order. It owns the tray icon, the context menu and the
// clock's menu. The named areas are filled by their features.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // Until the application hands over its settings, the window runs on the
    // default ones.
    explicit MainWindow(const PathTable& paths, QWidget* parent = nullptr);
    MainWindow(const PathTable& paths, Settings& settings, TraySettings& tray, Prompts& prompts,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Hiding to the tray gives memory back through them; nothing without.
    void setSystemServices(SystemServices* system) { m_system = system; }

    // Re-applies every setting this window shows: layout, placement,
    // top-most, minimize button, context menu and tray icon.
    void applySettings();
    // Recomputes the height and the panel stack from the visibility settings.
    void relayout();
    // Places the window by the Pozycja mode on the work area. In the own
    // mode the stored position is used the first time; afterwards the window
    // stays where it is (pulled back only when it lies wholly off screen).
    void applyPlacement();
    void applyTopMost();
    QRect workArea() const;
    // Compares the work area's right and bottom edges with the last ones
    // seen; on a change re-lays out and re-places the window. Returns
    // whether it changed. Screen signals call it too.
    bool checkWorkArea();
    const WindowLayout& currentLayout() const { return m_layout; }

    // Opacity 0..255, driven by the fade-in.
    void setOpacityLevel(int alpha);
    int opacityLevel() const { return m_opacity; }
    // Fully opaque without translucency.
    void switchAlphaBlendingOff();

    // HideToTray: hide and give memory back. Without a tray to come back
    // from, the window goes to the taskbar instead (an entry of its own).
    // ShowMainWindow: show and bring to the front.
    void hideToTray();
    void showMainWindow();
    // A second start without anything to hand over: where there is no tray,
    // the window shows itself, as the way back.
    void secondStartSeen();
    TaskbarEntry* taskbarEntry() const { return m_taskbarEntry; }
    // Whether the window was the active window at the last check; the main
    // loop refreshes it every 800 ms, the tray click after each click.
    void refreshForegroundFlag();
    bool wasForeground() const { return m_wasForeground; }
    void setForegroundFlag(bool foreground) { m_wasForeground = foreground; }

    void setClockText(const QString& hhmmss);
    // Lets a left-button drag over `w` move the window (own position mode).
    void enableDragOn(QWidget* w);

    // The live values of the tray icon and its hint; unknown until set.
    void setStatusValues(const StatusValues* values);
    // The store Form39 writes the hint pattern through.
    void setSettingsStore(const SettingsStore* store);
    // Opens the tray hint editor (Form39), created on first use.
    void openTrayHintEditor();

    ContextMenu* contextMenu() const { return m_contextMenu; }
    ClockMenu* clockMenu() const { return m_clockMenu; }
    TrayIcon* trayIcon() const { return m_tray; }
    QToolButton* minimizeButton() const { return m_btnMinimize; }

    // The areas the features fill (also found by their object names).
    QLabel* timeOfDayPicture() const { return m_timeOfDayPicture; }
    QLabel* clockLabel() const { return m_clockLabel; }
    QLabel* zodiacPicture() const { return m_zodiacPicture; }
    QLabel* monthCaption() const { return m_monthCaption; }
    QLabel* previousMonthArrow() const { return m_previousMonthArrow; }
    QLabel* nextMonthArrow() const { return m_nextMonthArrow; }
    QLabel* monthPicture() const { return m_monthPicture; }
    QWidget* scrollingText() const { return m_scrollingText; }
    QWidget* infoPanel() const { return m_infoPanel; }
    QWidget* playbackPanel() const { return m_playbackPanel; }
    QWidget* playbackStrip() const { return m_playbackStrip; }

signals:
    // Shown or activated: the moment a pending file may be opened.
    void activated();
    // F5: re-apply the look (colours, background, pictures, skins). The
    // window has already refreshed itself and, unless Ctrl was held,
    // re-created the tray icon.
    void reapplyLookRequested(bool ctrlHeld);
    void workAreaChanged(const QRect& area);
    void hiddenToTray();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

private:
    struct OwnDefaults;

    void init();
    void build();
    void applyMinimizeButton();
    void applyMask();
    void applyBackground();
    void watchScreen(QScreen* screen);
    bool dragFilter(QEvent* e);

    std::unique_ptr<OwnDefaults> m_defaults; // before the references to it
    Settings& m_settings;
    TraySettings& m_traySettings;
    Prompts& m_prompts;
    const SettingsStore* m_store = nullptr;

    WindowLayout m_layout;
    int m_opacity = 255;
    bool m_wasForeground = false;
    bool m_ownPlaced = false;
    QRect m_lastWorkArea;
    QPointer<QScreen> m_watchedScreen;

    bool m_pressed = false;
    bool m_manualDrag = false;
    QPoint m_pressGlobal;
    QPoint m_pressWindowPos;

    QLabel* m_timeOfDayPicture = nullptr;
    QLabel* m_clockLabel = nullptr;
    QLabel* m_zodiacPicture = nullptr;
    QToolButton* m_btnMinimize = nullptr;
    QLabel* m_previousMonthArrow = nullptr;
    QLabel* m_monthCaption = nullptr;
    QLabel* m_nextMonthArrow = nullptr;
    QLabel* m_monthPicture = nullptr;
    QWidget* m_scrollingText = nullptr;
    QWidget* m_infoPanel = nullptr;
    QWidget* m_playbackPanel = nullptr;
    QWidget* m_playbackStrip = nullptr;

    ContextMenu* m_contextMenu = nullptr;
    ClockMenu* m_clockMenu = nullptr;
    TrayIcon* m_tray = nullptr;
    TaskbarEntry* m_taskbarEntry = nullptr; // made the first time it is needed
    QPointer<TrayHintEditor> m_hintEditor;
    SystemServices* m_system = nullptr;
};

} // namespace zorvex

#pragma once

#include "core/app/PageCodes.h"
#include "core/app/ToolsPageTree.h"

#include <QPointer>
#include <QWidget>

#include <functional>

#include <array>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTabWidget;

namespace zorvex {

struct Settings;
class EdgeSnapper;
class MenuPage;
class PageBar;
class PlacementPage;
class TrayPage;
class WindowPage;

// The Tools window ("Narzędzia"): the page bar on the left, the chosen top
// page on the right with its pages as tabs. Created hidden at start and only
// ever shown and hidden. Its controls edit the settings model directly;
// closing it writes the page selection back and emits closed(), after which
// the owner runs the save pass.
//
// Widgets: "PageBar" with "PageButton1".."PageButton12", "PageStack",
// "PageCaption"; tab controls "PageControl1".."PageControl10" (the fields
// 1..10 of Zakladka); a page opened by a code is "Page_<code>".
class ToolsWindow : public QWidget {
    Q_OBJECT
public:
    explicit ToolsWindow(Settings& settings, QWidget* parent = nullptr);

    // Opens the window at a code's page: selects it and its tabs, marks its
    // page button, scrolls the page bar to the top or the bottom, sizes the
    // window to its content, centres it in the work area, shows it and
    // restores it when minimized. Command codes emit commandRequested()
    // instead; submenu codes other than the favourites do nothing. Returns
    // whether a page was opened.
    bool openPage(int code);
    // Opens the window at the pages it showed last ("Narzędzia").
    void open();

    // Program state the routing of page codes depends on, asked at every
    // opening (the traffic statistic may be switched on and off meanwhile).
    void setPageRoutingSource(std::function<PageRouting()> source) { m_routing = std::move(source); }
    void setPageRouting(const PageRouting& routing)
    {
        setPageRoutingSource([routing] { return routing; });
    }
    // A feature fills its page: the placeholder of the page with this code
    // gives way to `content`. False when the code has no page of its own.
    bool setPageContent(int code, QWidget* content);
    // The same for a page without a code of its own.
    bool setPageContent(UncodedPage page, QWidget* content);
    // "Zatrzymaj dźwięk", shown while an alarm sound plays.
    void setStopSoundVisible(bool visible);
    // The main window: the Tools window opens on its screen and docks to it.
    void setMainWindow(QWidget* mainWindow);

    // Moves the marker of the screen picture (page "Położenie"); cheap when
    // nothing changed, so it can be called from the clock tick.
    void showMainWindowPosition(const QRect& window, const QRect& screen);

    // Writes the page selection (Zakladka, ZakladkaS) into the model; the
    // pages write their own settings as they change.
    void writeToSettings();
    // Shows the model again in every control (after the model was replaced).
    void reloadFromSettings();
    // Page-bar mode and colours from the model (Lista, Kolor, KolorT, Cien).
    void applyLook();

    int currentTopPage() const;

signals:
    void closed();
    // A command code (29, 30, 37, 42, 43) was asked for.
    void commandRequested(int code);
    void stopSoundRequested();

    // Położenie
    void placementChanged(); // Pozycja or PozycjaZ
    void topMostChanged();   // NaWierzchu
    // Okno
    void layoutChanged();      // Panel1..Panel7, P1..P3, PG1..PG3
    void scrollSpeedChanged(); // ImSePredkosc
    void scrollingTextChoiceRequested();
    void gaugeModesChanged(); // PanelRamW, PanelSwapW, Panel5a, Dyski
    void panelOptionsRequested();
    void removableDrivesRequested();
    void monthArrowsChanged();     // Przelaczanie
    void minimizeOptionsChanged(); // PrzyciskM, UruZmin
    void priorityChanged();        // Priorytet
    void opacityChanged();         // BlendA, BlendW
    // Tray
    void trayChanged();        // Kolor_TN, Kolor_T1..T4, TrayTransfer
    void trayOptionsChanged(); // TrayMinimize, TrayIconProtect
    void trayHintEditorRequested();
    // Menu
    void menuListChanged(); // M1..M43, Menu_Klony, Menu_IkonyPulpitu
    void miscMenuEditorRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool fillPage(const QString& pageName, QWidget* content);
    QWidget* buildNode(const ToolsPageNode& node);
    QWidget* buildBody(const ToolsPageNode& node);
    QTabWidget* tabsOf(const ToolsPageNode& node) const;
    void selectTop(int index);
    void restoreTabs();
    void storeTabs();
    void showCentred();

    Settings& m_settings;
    std::function<PageRouting()> m_routing;
    PageBar* m_bar;
    QLabel* m_caption;
    QPushButton* m_stopSound = nullptr;
    QStackedWidget* m_stack;
    std::array<QTabWidget*, kTabControlCount> m_tabs{}; // field 0 is the page bar
    PlacementPage* m_placement = nullptr;
    WindowPage* m_windowPage = nullptr;
    TrayPage* m_trayPage = nullptr;
    MenuPage* m_menuPage = nullptr;
    EdgeSnapper* m_snapper;
    QPointer<QWidget> m_mainWindow;
    bool m_restoring = false;
};

} // namespace zorvex

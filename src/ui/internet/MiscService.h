#pragma once

#include "core/internet/MiscPages.h"
#include "ui/internet/MiscPagesView.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

namespace zorvex {

class Prompts;

class BrowserFactory;
class BrowserView;
class Clock;
class InterfaceProbe;

class PathTable;
class ServiceClient;

struct Settings;

struct MiscContext {
    const Clock& clock;
    const PathTable& paths;
    Settings& settings;
    const InterfaceProbe& interfaces;
    const ServiceClient& service;
    Prompts& prompts;
};

// The pages "Różne" and "ShoutBox": the service's web pages in an embedded
// browser that is loaded with the first page shown. Scripts run only on
// the service's own pages; links elsewhere open in the user's browser; a
// link that creates an alarm counts only when the user clicked it there.
class MiscService : public QObject {
    Q_OBJECT
public:
    explicit MiscService(MiscContext context, QObject* parent = nullptr);
    ~MiscService() override;

    MiscPage* page() const { return m_page; }
    ShoutboxPage* shoutboxPage() const { return m_shoutbox; }

    // "Rozne.ini" read afresh (the data update may have replaced it).
    void reloadList();
    const QList<MiscEntry>& entries() const { return m_entries; }
    int selected() const;
    void select(int index);

    // ShowMiscPage: the selected entry, with the sign for the horoscope.
    void showMiscPage(int sign = 0);
    // A horoscope menu item (0 "Pokaż horoskop", else the menu's number).
    // Nothing happens without a "horoskop.php" entry.
    void showHoroscope(int number);
    // An entry of the context menu's submenu, counted among the shown ones.
    void showMenuEntry(int shownIndex);
    // The names the context menu's submenu shows.
    QStringList menuEntries() const;
    // "Różne - Lista": the check list of shown entries.
    void editMenu(QWidget* parent);

    // The shoutbox's two buttons.
    void refreshShoutbox();
    void shoutboxHome();

    // The list writer: `Rozne_menu_`.
    void save();

    // Scripts may run and pages stay in the program's browser only here.
    bool trusted(const QUrl& url) const;

    // --- what the program answers ---
    // The browser's plugin; null when it is not there.
    std::function<BrowserFactory*()> browser;
    // Pages and links the program's browser does not show.
    std::function<void(const QUrl& url)> openOutside;
    // An allowed alarm link; false when the user kept an edit in progress.
    std::function<bool(const AlarmLink& alarm)> startAlarm = [](const AlarmLink&) { return false; };
    // Opens the Tools window on a page (by its code).
    std::function<void(int code)> openTools = [](int) {};
    // The context menu's submenu is to be rebuilt.
    std::function<void()> menuChanged = [] {};
    // The first embedded page was created.
    std::function<void()> browserCreated = [] {};

private:
    BrowserView* ensureView(std::unique_ptr<BrowserView>& view, QWidget* holder);
    void open(std::unique_ptr<BrowserView>& view, QWidget* holder, const QUrl& url);
    void wireView(BrowserView& view);
    void loadMenuList();

    MiscContext m_context;
    QPointer<MiscPage> m_page;
    QPointer<ShoutboxPage> m_shoutbox;
    QList<MiscEntry> m_entries;
    QStringList m_hidden;
    std::unique_ptr<BrowserView> m_miscView;
    std::unique_ptr<BrowserView> m_shoutView;
    QUrl m_shoutPending; // loaded once "about:blank" is there
};

} // namespace zorvex

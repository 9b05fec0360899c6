#pragma once

#include "core/app/Settings.h"
#include "ui/common/SideBarMenu.h"

#include <QIcon>
#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace zorvex {

class AboutWindow;
enum class EntrySubmenu;

// The context menu of the main window and the tray icon (BarPopupMenu1):
// the static items, the user's entries from M1..M43 after "Narzędzia", and
// "O programie" and "Zamknij" at the end.
class ContextMenu : public SideBarMenu {
    Q_OBJECT
public:
    explicit ContextMenu(QWidget* parent = nullptr);
    ~ContextMenu() override;

    // The static items' visibility and the user entries, from the settings.
    void applySettings(const MainWindowSettings& s);
    void setStaticItemsVisible(bool clones, bool desktopIcons);
    // Rebuilds the user entries; call whenever the list changes.
    void setUserEntries(const std::array<int, kMenuEntries>& m);

    // The entries of the dynamic submenus, asked each time the menu opens.
    using ListProvider = std::function<QStringList()>;
    void setMiscListProvider(ListProvider provider) { m_miscList = std::move(provider); }
    void setFavouritesProvider(ListProvider provider) { m_favourites = std::move(provider); }
    // The pages' images, shared with the Tools window's page tree.
    using IconProvider = std::function<QIcon(int code)>;
    void setPageIconProvider(IconProvider provider);

    QAction* clonesAction() const { return m_clones; }
    QAction* desktopIconsAction() const { return m_desktopIcons; }
    QAction* toolsAction() const { return m_tools; }
    QAction* aboutAction() const { return m_about; }
    QAction* quitAction() const { return m_quit; }
    const std::vector<QAction*>& userActions() const { return m_userActions; }

    // Fills the favourites and miscellaneous submenus now (also done before
    // every showing).
    void refreshDynamicSubmenus();
    // "Nagrywaj" of every radio submenu shows the recording icon while on.
    void setRadioRecording(bool on);
    void showAbout();

signals:
    void clonesRequested();
    void saveIconPositionsRequested();
    void restoreIconPositionsRequested();
    void toolsRequested();
    // A user entry that opens a page or runs a command (see PageCodes.h);
    // code 41 comes here when there are no favourite stations.
    void pageCodeChosen(int code);
    void playerCommandChosen(int command); // PlayerCommand
    void radioCommandChosen(int command);  // RadioCommand
    void miscListEntryChosen(int index);
    void favouriteStationChosen(int index);
    // "Zamknij": the orderly shutdown.
    void quitRequested();

private:
    void clearUserEntries();
    QAction* addUserEntry(int code, const QString& label, EntrySubmenu kind);
    void fillListSubmenu(QAction* entry, const QStringList& items, bool favourites);

    QAction* m_clones = nullptr;
    QAction* m_clonesSeparator = nullptr;
    QAction* m_desktopIcons = nullptr;
    QAction* m_desktopIconsSeparator = nullptr;
    QAction* m_tools = nullptr;
    QAction* m_userEnd = nullptr; // the separator after the user entries
    QAction* m_about = nullptr;
    QAction* m_quit = nullptr;
    std::vector<QAction*> m_userActions;
    std::array<int, kMenuEntries> m_codes{};
    ListProvider m_miscList;
    ListProvider m_favourites;
    IconProvider m_icons;
    bool m_radioRecording = false;
    QPointer<AboutWindow> m_aboutWindow;
};

} // namespace zorvex

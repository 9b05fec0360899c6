#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSplitter;

namespace zorvex {

class Prompts;

class WallpaperStore;
struct WallpaperHistorySettings;

// "Lista ostatnich tapet wyświetlanych na pulpicie" (TForm37): the history
// beside a preview of the chosen picture, with the actions on its file.
// Every change of the list is saved at once. Shown over the Tools window,
// which it keeps disabled while it is open.
//
// Widgets: "list", "preview", "fullPaths", "goToFolder", "moveTo", "copyTo",
// "toTrash", "rename", the pop-up "historyMenu".
class WallpaperHistoryWindow : public QWidget {
    Q_OBJECT
public:
    WallpaperHistoryWindow(const WallpaperStore& store, WallpaperHistorySettings& settings, Prompts& prompts,
                           QWidget* parent = nullptr);

    // Reads the history file again.
    void reload();
    void openModal();
    QStringList rows() const { return m_rows; }

    // The actions, also for tests.
    void selectRow(int row);
    void removeMissing();
    void clearAll();
    void deleteSelected();   // the Delete key
    void setSelectedAsWallpaper();
    bool renameSelected(const QString& newName); // a name with its extension

signals:
    void showRequested(const QString& path);
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void notThere();
    QString selected() const;
    bool selectedExists() const;
    void setRows(QStringList rows, int select);
    void showRows(int select);
    void showPreview();
    void transfer(bool move);
    void rename();
    void toTrash();
    void save();

    const WallpaperStore& m_store;
    WallpaperHistorySettings& m_settings;
    Prompts& m_prompts;
    QStringList m_rows;
    bool m_replaceable = true;
    QSplitter* m_splitter;
    QListWidget* m_list;
    QLabel* m_preview;
    QCheckBox* m_fullPaths;
    QList<QPushButton*> m_fileButtons;
    QMenu* m_menu;
};

} // namespace zorvex

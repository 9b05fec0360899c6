#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;

namespace zorvex {

class ColourBox;
class NumberField;
struct WallpaperSettings;

// The Tools page "Tapeter": the active switch, the folder list, the timed
// change with its CPU limit, the picture options, "Testuj" and "Lista
// ostatnich tapet". Options go straight into the settings; the folder list
// is the page's own until the owner asks for it.
//
// Widgets: "active", "groups", "folders", "addFolder", "removeFolder",
// "timed", "minutes", "cpuLimit", "cpuPercent", "mode", "quality",
// "keepAspect", "background", "test", "history".
class WallpaperPage : public QWidget {
    Q_OBJECT
public:
    WallpaperPage(WallpaperSettings& settings, QWidget* parent = nullptr);

    void setFolders(const QStringList& folders);
    QStringList folders() const { return m_folders; }
    // Appends a folder the picker chose (kept with a trailing "/"); a folder
    // already listed is not added twice. Returns whether the list changed.
    bool addFolder(const QString& folder);
    // Shows the settings again.
    void reload();

signals:
    void foldersChanged();     // added or removed: the pool starts anew
    void scheduleChanged();    // active, timed or the interval: the interval starts now
    void addFolderRequested(); // the picker
    void testRequested();
    void historyRequested();

private:
    void showFolders(int select);
    void updateEnabled();

    WallpaperSettings& m_settings;
    QStringList m_folders;
    bool m_loading = false;
    QCheckBox* m_active;
    QWidget* m_groups;
    QListWidget* m_list;
    QPushButton* m_remove;
    QCheckBox* m_timed;
    NumberField* m_minutes;
    QCheckBox* m_cpuLimit;
    NumberField* m_cpuPercent;
    QComboBox* m_mode;
    QComboBox* m_quality;
    QCheckBox* m_keepAspect;
    ColourBox* m_background;
    QPushButton* m_test;
};

} // namespace zorvex

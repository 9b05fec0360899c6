#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressDialog;
class QPushButton;
class QSlider;
class QToolButton;

namespace zorvex {

class Prompts;

class MusicPlayer;
class RenameWindow;
class SearchWindow;
class TagWindow;
class TrackWindowBase;
class Playlist;
class TrackScanner;
struct PlaylistEntry;
struct PlaylistSettings;

// The Tools page "Menadżer m3u": the playlist (ListBox11), adding files,
// folders, playlists and dropped files, the playlist file, removing,
// sorting, measuring, copying names, and the music player's controls.
class PlaylistPage : public QWidget {
    Q_OBJECT
public:
    PlaylistPage(Playlist& list, MusicPlayer& player, PlaylistSettings& settings, Prompts& prompts,
                 QWidget* parent = nullptr);
    ~PlaylistPage() override;

    // The list changed as a whole: redraw every row and the totals.
    void refreshList();
    // One entry changed (a length read by playing it).
    void refreshEntry(int index);
    // The player's bar, time and path.
    void refreshPlayer();
    void refreshTotals();

    // Appends files and folders, walked and named off this thread; a
    // playlist file among them is read as one.
    void addPaths(const QStringList& paths);
    // Reads an M3U file; `open` makes it the open playlist first.
    bool loadPlaylist(const QString& path, bool open, bool interactive = true);
    // "Zamknij": empties the list and forgets the open playlist.
    void closePlaylist();

    QListWidget* listBox() const { return m_list; }
    // The target folders (the M3U2_ list) and the chosen one (Kat).
    void setTargetFolders(const QStringList& folders);
    QStringList targetFolders() const;
    // Moves, copies or trashes the selected existing files; the report
    // names every file that failed.
    enum class FileAction { Move, Copy, Trash };
    void runFileAction(FileAction action, bool ask = true);
    RenameWindow* renameWindow() const { return m_rename; }
    TagWindow* tagWindow() const { return m_tags; }
    void openRenameWindow();
    void openTagWindow();
    void openSearchWindow();

signals:
    // Any change of the entries (the store is written at the next save).
    void listChanged();
    // Rows were dragged to a new place; the store is written at once.
    void rowsMoved();

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    QWidget* buildListGroup();
    QWidget* buildPlayerGroup();
    QWidget* buildFileGroup();
    QWidget* buildTargetGroup();
    void syncSelectionFromView();
    void syncSelectionToView();
    QString rowText(int i) const;
    void addFiles();
    void addFolder();
    void addPlaylist();
    void openPlaylist();
    void savePlaylistAs();
    void fillDurations();
    void fillSizes();
    void afterRemoval();
    void copyLines(int kind);
    void copyAroundText(bool after);
    void dropped(const QStringList& paths);
    void scanBatch(const QList<PlaylistEntry>& entries);
    void scanFinished();
    void updateEnabled();
    void watchTrackWindow(TrackWindowBase* window);
    // Moving the selected rows by dragging them; true when it took the event.
    bool dragRows(QEvent* e);
    void refreshRows(int from, int to);

    Playlist& m_playlist;
    MusicPlayer& m_player;
    PlaylistSettings& m_settings;
    Prompts& m_prompts;
    TrackScanner* m_scanner = nullptr;
    bool m_scanMeasuresOnly = false; // filling in lengths of listed entries
    QProgressDialog* m_progress = nullptr;
    RenameWindow* m_rename = nullptr; // TForm8, made on first use
    TagWindow* m_tags = nullptr;      // TForm11
    SearchWindow* m_search = nullptr; // TForm24
    bool m_syncing = false;
    int m_shownCurrent = -1;
    int m_dragRow = -1; // the row under the mouse while rows are dragged
    bool m_dragMoved = false;

    QListWidget* m_list = nullptr;
    QLineEdit* m_playlistPath = nullptr; // Edit14
    QPushButton* m_saveAs = nullptr;     // BitBtn39
    QLabel* m_durations = nullptr;       // ListBox12
    QLabel* m_counts = nullptr;          // ListBox13
    QLabel* m_sizes = nullptr;           // ListBox14
    QList<QPushButton*> m_transport;     // BitBtn34, 35, 129, 36, 37
    QToolButton* m_random = nullptr;     // SpeedButton8
    QSlider* m_seek = nullptr;           // Scroll1
    QSlider* m_volume = nullptr;         // Scroll3
    QLabel* m_volumeLabel = nullptr;     // Label89
    QPushButton* m_time = nullptr;       // ListBox15
    QLineEdit* m_playing = nullptr;      // Edit18
    QCheckBox* m_autoPlay = nullptr;     // CheckBox59
    QComboBox* m_targets = nullptr;      // ComboBox13
    QList<QWidget*> m_needTarget;
    QList<QWidget*> m_needList;
    QList<QWidget*> m_needSelection;
};

} // namespace zorvex

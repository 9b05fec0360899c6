#pragma once

#include "core/media/Id3v1.h"
#include "core/media/Id3v2.h"

#include <QDialog>
#include <QList>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zorvex {

class Prompts;

class MusicPlayer;
class Playlist;

// The playlist's selected files the tag and rename windows work through,
// one by one: the playlist index and the path of each.
struct TrackWorkItem {
    int index = -1;
    QString path;
};
QList<TrackWorkItem> trackWorkList(const Playlist& list, bool mp3Only);

// Shared by both windows: the work list, the position in it, the status line
// and the "Pomiń"/"Wstecz" steps.
class TrackWindowBase : public QDialog {
    Q_OBJECT
public:
    TrackWindowBase(Playlist& list, MusicPlayer& player, Prompts& prompts, QWidget* parent);
    // Starts on the first item; false (and nothing shown) for an empty list.
    bool start(const QList<TrackWorkItem>& items);
    int position() const { return m_position; }

signals:
    // An entry of the playlist changed (its path or name).
    void entryChanged(int index);

protected:
    virtual void load() = 0;
    void skip();
    void back();
    void updateStatus();
    void keyPressEvent(QKeyEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    // Stops the player when it plays `path`.
    void releaseFile(const QString& path);
    void updateEntry(int index, const QString& path);

    Playlist& m_list;
    MusicPlayer& m_player;
    Prompts& m_prompts;
    QList<TrackWorkItem> m_items;
    int m_position = 0;
    QLabel* m_status = nullptr;
    QPushButton* m_back = nullptr;
};

// "Zmień nazwę pliku" (TForm8).
class RenameWindow : public TrackWindowBase {
    Q_OBJECT
public:
    RenameWindow(Playlist& list, MusicPlayer& player, Prompts& prompts, QWidget* parent = nullptr);
    // "Zmień nazwę": false, staying on the file, when it was refused.
    bool renameCurrent();
    QLineEdit* nameEdit() const { return m_name; }

protected:
    void load() override;

private:
    QLineEdit* m_folder = nullptr;    // Edit3
    QLineEdit* m_name = nullptr;      // Edit1
    QLineEdit* m_extension = nullptr; // Edit2
};

// "Zmień Tag(i)" (TForm11).
class TagWindow : public TrackWindowBase {
    Q_OBJECT
public:
    TagWindow(Playlist& list, MusicPlayer& player, Prompts& prompts, QWidget* parent = nullptr);
    // "Zmień Tag": the errors shown, then on to the next file.
    void saveCurrent();
    QGroupBox* v1Group() const { return m_v1; }
    QGroupBox* v2Group() const { return m_v2; }
    Id3v1 v1Fields() const;
    Id3v2 v2Fields() const;
    void setV1Fields(const Id3v1& t);
    void setV2Fields(const Id3v2& t);

protected:
    void load() override;

private:
    QLineEdit* m_path = nullptr; // Edit1
    QGroupBox* m_v1 = nullptr;   // Tag1
    QGroupBox* m_v2 = nullptr;   // Tag2
    QLineEdit* m_title1 = nullptr;
    QLineEdit* m_artist1 = nullptr;
    QLineEdit* m_album1 = nullptr;
    QLineEdit* m_year1 = nullptr;
    QComboBox* m_genre1 = nullptr;
    QLineEdit* m_comment1 = nullptr;
    QLineEdit* m_track1 = nullptr;
    QLineEdit* m_title2 = nullptr;
    QLineEdit* m_artist2 = nullptr;
    QLineEdit* m_album2 = nullptr;
    QLineEdit* m_year2 = nullptr;
    QComboBox* m_genre2 = nullptr;
    QPlainTextEdit* m_comment2 = nullptr;
    QLineEdit* m_track2 = nullptr;
    QLineEdit* m_composer2 = nullptr;
    QLineEdit* m_rights2 = nullptr;
    QLineEdit* m_link2 = nullptr;
    QLineEdit* m_encoder2 = nullptr;
    Id3v2 m_loadedV2; // what the file held, for the fields the window does not show
};

} // namespace zorvex

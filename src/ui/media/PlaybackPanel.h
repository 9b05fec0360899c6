#pragma once

#include "core/media/MediaSettings.h"

#include <QImage>
#include <QWidget>

namespace zorvex {

// What the panel shows of the player (or, later, of the radio).
struct PanelView {
    bool paused = false;
    bool seekEnabled = false; // the player plays or is paused
    int seekPosition = 0;
    int seekMaximum = 0;
    int volume = 100;
    bool radioActive = false;
    bool recording = false;
    int recordingSeconds = 0;
    int radioVolume = 100;
};

// The main window's playback panel (PSnd, 145 x 18): five transport
// buttons, the seek or volume slider or the time, and the switch between the
// player and the radio. It is drawn from a skin picture tinted to the window
// colour; the built-in skin is drawn by the program itself.
class PlaybackPanel : public QWidget {
    Q_OBJECT
public:
    enum Mode { Player = 0, Radio = 1 };

    PlaybackPanel(PlaybackPanelSettings& settings, QWidget* parent = nullptr);

    // The skin (173 x 34); a picture of another size is not taken. Empty
    // for the built-in one.
    bool setSkin(const QImage& skin);
    static QImage builtInSkin();
    // Loads "skin.bmp" of a skin folder; false leaves the current one.
    bool loadSkinFile(const QString& path);
    void setWindowColour(const QColor& colour);
    const QImage& tintedSkin() const { return m_tinted; }
    static QImage tint(const QImage& skin, const QColor& colour);

    Mode mode() const { return Mode(m_settings.mode); }
    void setMode(Mode mode);
    void setView(const PanelView& view);
    // The settings changed elsewhere (the options window).
    void settingsChanged() { redraw(); }
    // The picture as shown, for tests and screenshots.
    QImage picture() const { return m_picture; }

signals:
    // 0 previous, 1 play, 2 pause, 3 stop, 4 next: the PlayerCommand order.
    void playerCommand(int command);
    void radioCommand(int command);
    void seekRequested(int seconds);
    void volumeRequested(int percent);
    void radioVolumeRequested(int percent);
    void rightPartChosen(int part);
    void openPlayerPage();
    void openRadioPage();
    void modeChanged(int mode);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void redraw();
    void showSliderMenu(const QPoint& global);
    bool seekSlider() const;
    bool volumeSlider() const;

    PlaybackPanelSettings& m_settings;
    QImage m_skin;
    QImage m_tinted;
    QColor m_colour = QColor(255, 255, 255);
    QImage m_picture;
    PanelView m_view;
    int m_pressed = -1;
    int m_drag = -1;
};

} // namespace zorvex

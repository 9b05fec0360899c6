#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace zorvex {

class SystemServices;

// "Ważny dzień": today's events, announced once a day. A window of its own
// (not owned by the main window, so it shows while that one is hidden),
// kept on top, sized to its text.
//
// Widgets: "TodayIcon", "TodayText", "OkButton", "DontShowToday".
class TodayWindow : public QDialog {
    Q_OBJECT
public:
    explicit TodayWindow(QWidget* parent = nullptr);

    // Shows the lines of `text` (as written, ampersands included) with the
    // box cleared, and plays the desktop's information sound.
    void showText(const QString& text);
    // Where the sound comes from; none, none is played.
    void setSystemServices(SystemServices* system) { m_system = system; }

signals:
    // The window closed (OK, the title bar or Escape); `silenced` is the
    // state of "Nie pokazuj więcej dzisiaj tej informacji".
    void closedWithChoice(bool silenced);

private:
    void layOut();

    QLabel* m_icon;
    QLabel* m_text;
    QPushButton* m_ok;
    QCheckBox* m_dontShow;
    SystemServices* m_system = nullptr;
};

} // namespace zorvex

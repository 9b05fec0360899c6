#pragma once

#include "core/calendar/DayText.h"
#include "core/common/Colour.h"

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QWindow;

namespace zorvex {

// The scrolling line of the main window (inside Label_Im): the text runs to
// the left at the speed level's step and interval and comes round again
// after a gap, so it never stops mid-way; it rests while the pointer is over
// it. Its hint is the multi-line form of the text.
//
// The text is drawn once into a strip (text and gap) and each step only
// copies the strip to the line's own rectangle. The timer runs only while
// something can be seen moving: not while the line is hidden or empty, the
// pointer rests on it, its window is covered, or the screen is locked or
// blanked (setScreenInUse).
class ScrollingText : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGap = 48;        // between the end of the text and its next start
    static constexpr int kStartPosition = 2;

    explicit ScrollingText(QWidget* parent = nullptr);

    // A new text starts again at the left edge; the same text keeps its place.
    void setText(const QString& text);
    QString text() const { return m_text; }
    void setHint(const QString& hint);

    // Level 1-4 (ImSePredkosc).
    void setSpeedLevel(int level);
    ScrollSpeed speed() const { return m_speed; }
    int timerInterval() const { return m_timer.interval(); }
    bool isTimerRunning() const { return m_timer.isActive(); }

    void setColours(Colour text, Colour background);

    // Whether anybody can see the screen (false while it is locked, the
    // screen saver runs or the monitor is off).
    void setScreenInUse(bool inUse);

    // The left edge of the first copy of the text.
    int position() const { return m_position; }
    bool isPaused() const { return m_hovered; }
    // One step of the timer: nothing while paused or empty.
    void step();

signals:
    void doubleClicked(const QPoint& globalPos);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int period() const;
    void updateTimer();
    void watchWindow();
    const QPixmap& strip();

    QString m_text;
    int m_textWidth = 0;
    int m_position = kStartPosition;
    bool m_hovered = false;
    bool m_screenInUse = true;
    bool m_covered = false;  // not exposed, as the window system said; unknown counts as seen
    bool m_xCovered = false; // wholly covered by other windows (X11)
    QPointer<QObject> m_coverWatch;
    ScrollSpeed m_speed;
    QTimer m_timer;
    QPixmap m_strip; // one period: the text and the gap after it
    bool m_stripValid = false;
    QPointer<QWindow> m_window;
};

} // namespace zorvex

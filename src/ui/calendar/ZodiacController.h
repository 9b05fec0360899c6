#pragma once

#include "core/calendar/Zodiac.h"
#include "core/common/Colour.h"
#include "core/shell/LoopServices.h"

#include <QObject>
#include <QPointer>

#include <optional>

class QLabel;
class QMenu;
class QMovie;

namespace zorvex {

class Clock;
class PathTable;
struct Settings;

// Fills the main window's zodiac area (Image2) with today's sign and its
// hint, refreshes both once a day and opens the horoscope menu (MenuHor) on
// a double click.
class ZodiacController : public QObject, public TickService {
    Q_OBJECT
public:
    // Every new second of the clock: the daily refresh.
    void tick(TickStep step, const QDateTime& now) override;

    ZodiacController(QLabel* area, const Settings& settings, const PathTable& paths, const Clock& clock,
                     QObject* parent = nullptr);
    ~ZodiacController() override;

    // ZodiacDailyRefresh with KT02: does its work only when today differs
    // from the date of its last run (so at start and once after midnight).
    // Then it emits dayStarted() for the tray icon, the month grid and the
    // Tools window, draws the sign and sets the hint. Returns whether it ran.
    bool dailyRefresh();
    // DrawZodiacSign with KT02: after a colour change or a new choice of set.
    void draw();
    // The persons of today's sign again, after the persons list changed.
    void refreshHint();
    void draw(Colour colour);

    // The picture's transparent colour while a keyed picture is shown (the
    // built-in ones or a bitmap), and whether the built-in ones are shown;
    // the colour guards of ApplyColours ask them.
    std::optional<Colour> transparentColour() const { return m_transparent; }
    bool builtInShown() const { return m_builtInShown; }

    QMenu* horoscopeMenu() const { return m_menu; }

signals:
    // The day's first refresh runs, before the sign is drawn: the moment to
    // update the tray icon, set the month grid to today, refresh the Tools
    // window's nearest dates and redraw the calendar.
    void dayStarted();
    // A horoscope item was clicked: 0 for "Pokaż horoskop", else the menu's
    // number of the sign (Baran 1 ... Ryby 12). The miscellaneous pages
    // look up their "horoskop.php" entry and show it; with no such entry,
    // nothing happens.
    void horoscopeRequested(int number);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildMenu();

    QPointer<QLabel> m_area;
    const Settings& m_settings;
    const PathTable& m_paths;
    const Clock& m_clock;
    ZodiacDailyGuard m_guard;
    QMenu* m_menu = nullptr;
    QMovie* m_movie = nullptr;
    std::optional<Colour> m_transparent;
    bool m_builtInShown = false;
};

} // namespace zorvex

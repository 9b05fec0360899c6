#pragma once

#include "core/calendar/DayAnnotations.h"
#include "core/calendar/DayFacts.h"
#include "core/calendar/DayText.h"
#include "core/calendar/MonthModel.h"
#include "core/calendar/SunTimes.h"
#include "core/common/PathTable.h"
#include "core/shell/LoopServices.h"
#include "ui/calendar/CalendarMenus.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimeZone>

#include <functional>
#include <optional>

class QLabel;

namespace zorvex {

class ChosenDateWindow;
class Clock;
class ColoursPage;
class CornerPiece;
class DayCard;
class FrameShape;
class GoToDateDialog;
class MainWindow;
class ScreenActivity;
class ScrollingText;
class TimeOfDaySetList;
class VisibleTextsDialog;
struct Settings;

// The calendar part of the main window: the month picture (KAL) over the
// window background (TAPETA), the month caption with its arrows and menu,
// the frame and separator lines, the time-of-day picture with its card, and
// the scrolling line of name days and the sentence with its copy menu. It
// owns the month model, the day text and the calendar's dialogs.
//
// Nothing is drawn before start(), which the Tools window's creation ends
// with; from then on every redraw starts from the settings, the model and
// the day annotations.
class CalendarView : public QObject, public ClockChangeService, public DayChangeService {
    Q_OBJECT
public:
    // The wall clock: a new hour brings new day facts and a redraw, a new
    // minute new day facts; a new date the facts, today's month and the
    // scrolling text.
    void hourChanged(const QDateTime& now) override;
    void minuteChanged(const QDateTime& now) override;
    void dayChanged(DayStep step, const DayChange& change) override;

    CalendarView(MainWindow& window, Settings& settings, const PathTable& paths, const Clock& clock,
                 QObject* parent = nullptr);
    ~CalendarView() override;

    MonthModel& model() { return m_model; }
    const MonthModel& model() const { return m_model; }
    DayTextModel& dayText() { return m_dayText; }

    // The reminders' annotations for a displayed month; none until set.
    using AnnotationProvider = std::function<DayAnnotations(int year, int month)>;
    void setAnnotationProvider(AnnotationProvider provider) { m_annotationProvider = std::move(provider); }
    const DayAnnotations& annotations() const { return m_annotations; }

    // The zodiac picture's transparent colour (its top-left pixel) and
    // whether the built-in zodiac pictures are in use; colours equal to it
    // would vanish, so ApplyColours steers clear of it.
    void setZodiacGuard(std::function<std::optional<Colour>()> transparentColour, std::function<bool()> builtIn);

    // The time zone the sun is computed in (the system's by default).
    void setTimeZone(const QTimeZone& zone) { m_zone = zone; }

    // The end of the Tools window's creation: the day text and the first
    // redraw, going to today.
    void start();

    // RedrawCalendar.
    void redrawCalendar(bool goToToday = false);
    // SetMonthCaption.
    void setMonthCaption();
    // ApplyColours: the colour guards, the background colour and the text
    // colours everywhere, the background picture, then a redraw.
    void applyColours();
    // ApplyBackground: rebuilds the background picture from the settings.
    void applyBackground();
    // FramePicture: the time-of-day picture with its frame lines.
    void framePicture();
    // Font1 to the clock, Font2 to the scrolling line.
    void applyFonts();
    // ImSePredkosc.
    void applyScrollSpeed();
    // The scrolling line rests while nobody can see the screen.
    void watchScreen(ScreenActivity* activity);

    // UpdateDayFacts: sun, facts text and card; with `updatePicture` the
    // picture changes when the day part did.
    void updateDayFacts(bool updatePicture);
    // Loads the current day part's picture again (set, grid or frame
    // changed).
    void reloadTimeOfDayPicture();
    // The weather icon, while shown, keeps the picture from changing, and
    // its summary (beginning with its own line break) follows the facts.
    // `icon` takes the picture's place; hiding the icon brings the
    // time-of-day picture back.
    void setWeatherIcon(bool shown, const QString& summary = QString(), const QImage& icon = QImage());
    // The facts as the card shows them.
    QString factsText() const;
    const DayFacts& dayFacts() const { return m_facts; }

    // RebuildDayText, with the media sources last given.
    void rebuildDayText();
    void setMediaSources(const RadioSource& radio, const MusicSource& music);
    // A choice the user made: written at the next save whatever the file held.
    void setVisibleTexts(const VisibleTexts& texts);
    // Writes the visible-texts file (one of the settings save's list files);
    // a file that could not be read, or held more than flags, is left as it
    // is until the user makes a choice.
    bool saveVisibleTexts(QString* error = nullptr) const;

    // Przelaczanie changed: arrows off while another month shows go back to
    // today.
    void monthArrowsChanged();

    // Month steps of the arrows; false when the limit is reached.
    bool showPreviousMonth();
    bool showNextMonth();
    void showCurrentMonth();

    void openGoToDateDialog(const QPoint& globalPos);
    // Form29; `toolsWindow` is disabled while it is open.
    void openVisibleTextsDialog(QWidget* toolsWindow);
    void openChosenDateWindow(const QDate& date);
    // The double click on the month: the "Dodaj" menu of a day cell.
    // Returns false for a point that is not on a day.
    bool openDayMenu(const QPoint& kalPos, const QPoint& globalPos);
    // The date the "Dodaj" menu was last opened for (today at start).
    QDate chosenDate() const { return m_chosenDate; }
    // The hint the month shows over a point of it.
    QString hintAt(const QPoint& kalPos) const;

    // Wires the "Kolory" page and the picture-set list to the redraws.
    void attachColoursPage(ColoursPage* page);
    void attachTimeOfDaySetList(TimeOfDaySetList* list);

    // For tests and the owner's wiring.
    ScrollingText* scrollingText() const { return m_scroll; }
    AddMenu* addMenu() const { return m_addMenu; }
    CaptionMenu* captionMenu() const { return m_captionMenu; }
    CopyMenu* copyMenu() const { return m_copyMenu; }
    DayCard* dayCard() const { return m_card; }
    // The dialogs exist from their first use on.
    GoToDateDialog* goToDateDialog() const;
    VisibleTextsDialog* visibleTextsDialog() const;
    ChosenDateWindow* chosenDateWindow() const;
    QLabel* backgroundPicture() const { return m_backgroundPicture; }
    const QImage& monthPicture() const { return m_monthPicture; }
    int captionFontSize() const { return m_captionSize; }

signals:
    void addRequested(zorvex::AddCommand command, int pageCode, const QDate& date);
    // A "Przejdź do..." entry: open the page of its list at the entry.
    void dayEntryChosen(int group, int index, int pageCode);
    // ApplyColours ran: the zodiac sign (KT02), the minimize button picture,
    // the information labels (KT09), the menus' side bars and the disk
    // panel take the colours from the settings now.
    void coloursApplied();
    // The colour guards or a missing skin changed a setting.
    void settingsAdjusted();
    // A double click on the time-of-day (or weather) picture: the weather
    // menu at that place.
    void weatherMenuRequested(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void layoutFrame();
    void placeBackground();
    void drawArrows();
    // The side bars of the context, "Dodaj" and caption menus end in Kolor_B.
    void colourMenuBars();
    void copyToClipboard(CopyItem item);
    void showCard(QWidget* widget, const QPoint& globalPos);
    void rebuildAnnotations();
    bool topPanelShown() const;

    MainWindow& m_window;
    Settings& m_settings;
    PathTable m_paths;
    const Clock& m_clock;
    QTimeZone m_zone;

    MonthModel m_model;
    DayTextModel m_dayText;
    bool m_visibleTextsReplaceable = true;
    RadioSource m_radio;
    MusicSource m_music;
    AnnotationProvider m_annotationProvider;
    DayAnnotations m_annotations;
    std::function<std::optional<Colour>()> m_zodiacKey;
    std::function<bool()> m_zodiacBuiltIn;

    DayFacts m_facts;
    bool m_weatherIcon = false;
    QString m_weatherSummary;
    QImage m_weatherPicture;
    DayPartTracker m_partTracker;
    QImage m_timeOfDay;

    QImage m_background;
    bool m_backgroundIsSkin = false;
    QImage m_monthPicture;
    int m_captionSize = 0;
    bool m_started = false;
    QDate m_chosenDate;
    const QObject* m_swallowRelease = nullptr; // the arrow just double-clicked

    QLabel* m_backgroundPicture = nullptr;
    ScrollingText* m_scroll = nullptr;
    CornerPiece* m_cornerLeft = nullptr;  // Image4
    CornerPiece* m_cornerRight = nullptr; // Image3
    FrameShape* m_lineAboveCaption = nullptr;
    FrameShape* m_lineBelowCaption = nullptr;
    FrameShape* m_captionBox = nullptr;
    FrameShape* m_clockBox = nullptr;
    FrameShape* m_frameTop = nullptr;
    FrameShape* m_frameRight = nullptr;
    FrameShape* m_frameLeft = nullptr;

    AddMenu* m_addMenu = nullptr;
    CaptionMenu* m_captionMenu = nullptr;
    CopyMenu* m_copyMenu = nullptr;
    DayCard* m_card = nullptr;
    QPointer<GoToDateDialog> m_goToDate;
    QPointer<VisibleTextsDialog> m_visibleDialog;
    QPointer<ChosenDateWindow> m_chosenWindow;
};

} // namespace zorvex

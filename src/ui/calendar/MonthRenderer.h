#pragma once

#include "core/calendar/DayAnnotations.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QImage>
#include <QRect>

namespace zorvex {

class MonthModel;
struct MainWindowSettings;

// The month picture lies exactly over the grid: 147 x 97 pixels, cells of
// 20 x 13 on a 21 x 14 pitch below a 13-pixel weekday header.
inline constexpr int kMonthPictureWidth = 147;
inline constexpr int kMonthPictureHeight = 97;
inline constexpr int kCellPitchX = 21;
inline constexpr int kCellPitchY = 14;
inline constexpr int kCellWidth = 20;
inline constexpr int kCellHeight = 13;

// The settings the month picture is drawn from.
struct MonthLook {
    bool grid = true;        // PokazSiatke
    bool frame = true;       // PokazRamke
    Colour today = 16711680; // Kolor_AD2
    Colour weekdays = 0;     // KT04, the header's text
    Colour workdays = 0;     // KT05, day numbers of columns 0-4
    Colour saturday = 128;   // KT06, column 5
    Colour sunday = 255;     // KT07, column 6
    // The header cells' face: a fixed light grey, not the desktop theme's
    // button colour, so the weekday names (KT04, black by default) stay
    // readable under a dark theme. A colour scheme may set its own; any
    // colour but the grid background will do.
    QColor headerFace = QColor(236, 233, 216);
};
MonthLook monthLookOf(const MainWindowSettings& s);

// A day cell's colour as painted: silver and black would vanish into the
// system's own keys, so they are nudged to (188, 188, 188) and (1, 1, 1).
Colour paintedDayColour(Colour c);
// The lower and right inner lines of the today frame: the today colour with
// each component 95 darker, not below 0.
Colour todayShade(Colour c);

// The box the today frame is drawn around, from the day and the weekday of
// the month's first (Sunday = 1 ... Saturday = 7): x0, y0 and the width and
// height the frame lines are placed by. The first column and the last
// column and week row are narrowed so the frame stays inside the picture.
QRect todayFrameBox(int day, int firstWeekday);

// Bold Tahoma 8 without anti-aliasing, so cell texts keep their exact
// colours and the picture's transparent colour never appears at glyph edges.
QFont monthGridFont();

// Paints the month the model displays. Pixels in the grid background come
// out fully transparent; every other pixel is opaque and exact. The today
// frame is drawn only when `today` lies in the displayed month; annotations
// built for another month are ignored.
QImage renderMonthPicture(const MonthLook& look, const MonthModel& model, const DayAnnotations& annotations,
                          const QDate& today);
QImage renderMonthPicture(const MainWindowSettings& settings, const MonthModel& model,
                          const DayAnnotations& annotations, const QDate& today);

// "Październik 2005": the Polish month name with its first letter
// capitalised, a blank and the year.
QString monthCaptionText(int year, int month);
// Bold Tahoma 9 instead of 11 when a long caption would crowd the arrows,
// the minimize button or the clock.
int monthCaptionFontSize(int length, bool minimizeButtonVisible, bool clockVisible, bool nextArrowVisible);

} // namespace zorvex

#include "ui/calendar/MonthRenderer.h"

#include "core/app/Settings.h"
#include "core/calendar/MonthModel.h"
#include "core/calendar/PolishNames.h"
#include "ui/common/Fonts.h"
#include "ui/common/QtColour.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace zorvex {
namespace {

constexpr int kWeekRows = 6;
constexpr QRgb kBlack = 0xFF000000u;
constexpr int kShadeStep = 95;

// The picture is painted opaque with the grid background standing for
// "transparent"; the key becomes real transparency at the end.
class Canvas {
public:
    Canvas()
        : m_image(kMonthPictureWidth, kMonthPictureHeight, QImage::Format_RGB32)
    {
        m_image.fill(toArgb(kGridBackground));
    }

    QImage& image() { return m_image; }

    void pixel(int x, int y, QRgb c)
    {
        if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
            reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = c;
    }
    void hLine(int x0, int x1, int y, QRgb c)
    {
        for (int x = x0; x <= x1; ++x)
            pixel(x, y, c);
    }
    void vLine(int x, int y0, int y1, QRgb c)
    {
        for (int y = y0; y <= y1; ++y)
            pixel(x, y, c);
    }
    void fill(const QRect& r, QRgb c)
    {
        for (int y = r.top(); y <= r.bottom(); ++y)
            hLine(r.left(), r.right(), y, c);
    }

private:
    QImage m_image;
};

QRect cellRect(int column, int row)
{
    return QRect(column * kCellPitchX, row * kCellPitchY, kCellWidth, kCellHeight);
}

// The header names of column `column`.
QString headerName(const MonthModel& model, int column)
{
    return weekdayHeaderName((model.startOfWeek() + column) % 7);
}

// Text centred in a cell the way the grid control centres it: integer
// halves of the spare width and height, clipped to the cell.
void drawCellText(QPainter& p, const QFontMetrics& fm, const QRect& cell, const QString& text, Colour colour)
{
    if (text.isEmpty())
        return;
    const int left = cell.left() + (cell.width() - fm.horizontalAdvance(text)) / 2;
    const int top = cell.top() + (cell.height() - fm.height()) / 2;
    p.save();
    p.setClipRect(cell);
    p.setPen(toQColor(colour));
    p.drawText(QPoint(left, top + fm.ascent()), text);
    p.restore();
}

void drawTodayFrame(Canvas& canvas, const QRect& box, Colour todayColour)
{
    const int x0 = box.x();
    const int y0 = box.y();
    const int w0 = box.width();
    const int h0 = box.height();
    const QRgb today = toArgb(todayColour);
    const QRgb shade = toArgb(todayShade(todayColour));

    canvas.hLine(x0 - 2, x0 + w0, y0 - 3, kBlack);
    canvas.hLine(x0 - 2, x0 + w0, y0 + h0 + 1, kBlack);
    canvas.vLine(x0 - 3, y0 - 2, y0 + h0, kBlack);
    canvas.vLine(x0 + w0 + 1, y0 - 2, y0 + h0, kBlack);

    canvas.hLine(x0 - 1, x0 + w0 - 1, y0 - 2, today);
    canvas.vLine(x0 - 2, y0 - 1, y0 + h0 - 1, today);
    canvas.hLine(x0 - 1, x0 + w0 - 1, y0 + h0, shade);
    canvas.vLine(x0 + w0, y0 - 1, y0 + h0 - 1, shade);

    canvas.pixel(x0 - 2, y0 - 2, kBlack);
    canvas.pixel(x0 + w0, y0 - 2, kBlack);
    canvas.pixel(x0 - 2, y0 + h0, kBlack);
    canvas.pixel(x0 + w0, y0 + h0, kBlack);
}

QImage withTransparentKey(const QImage& opaque)
{
    QImage out = opaque.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = toArgb(kGridBackground);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (line[x] == key)
                line[x] = 0;
        }
    }
    return out;
}

Colour textColourOfColumn(const MonthLook& look, int column)
{
    if (column == 5)
        return look.saturday;
    if (column == 6)
        return look.sunday;
    return look.workdays;
}

} // namespace

MonthLook monthLookOf(const MainWindowSettings& s)
{
    MonthLook look;
    look.grid = s.gridLines;
    look.frame = s.windowFrame;
    look.today = s.todayFrameColour;
    look.weekdays = s.textColour(TextElement::Weekdays);
    look.workdays = s.textColour(TextElement::Workdays);
    look.saturday = s.textColour(TextElement::Saturday);
    look.sunday = s.textColour(TextElement::Sunday);
    return look;
}

Colour paintedDayColour(Colour c)
{
    if (c == colourFromRgb(192, 192, 192))
        return colourFromRgb(188, 188, 188);
    if (c == 0)
        return colourFromRgb(1, 1, 1);
    return c;
}

Colour todayShade(Colour c)
{
    return colourFromRgb(std::max(0, colourRed(c) - kShadeStep), std::max(0, colourGreen(c) - kShadeStep),
                         std::max(0, colourBlue(c) - kShadeStep));
}

QRect todayFrameBox(int day, int firstWeekday)
{
    const int lead = firstWeekday == 1 ? 7 : firstWeekday - 1;
    const int p = kCellPitchX * day + kCellPitchX * lead - 2 * kCellPitchX;
    const int r = p / kMonthPictureWidth;
    const int c = (p / kCellPitchX) % 7;
    int x0 = kCellPitchX * c;
    const int y0 = kCellPitchY * r + kCellPitchY;
    int w0 = kCellPitchX;
    int h0 = kCellPitchY;
    if (c == 0) {
        x0 = 3;
        w0 = 18;
    }
    if (x0 > 125)
        w0 = 19;
    if (y0 > 83)
        h0 = 11;
    return QRect(x0, y0, w0, h0);
}

QFont monthGridFont()
{
    QFont f = tahoma(8, true);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QImage renderMonthPicture(const MonthLook& look, const MonthModel& model, const DayAnnotations& annotations,
                          const QDate& today)
{
    Canvas canvas;
    const QFont font = monthGridFont();
    const QFontMetrics fm(font);
    const bool marked = annotations.isFor(model.year(), model.month());
    const QRgb headerFace = look.headerFace.rgb();

    {
        QPainter p(&canvas.image());
        p.setFont(font);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setRenderHint(QPainter::Antialiasing, false);

        for (int c = 0; c < 7; ++c) {
            const QRect cell = cellRect(c, 0);
            if (look.grid) {
                canvas.fill(cell, headerFace);
                drawCellText(p, fm, cell, headerName(model, c), look.weekdays);
            }
        }
        for (int r = 1; r <= kWeekRows; ++r) {
            for (int c = 0; c < 7; ++c) {
                const int day = model.dayAt(c, r);
                if (day == 0)
                    continue;
                const QRect cell = cellRect(c, r);
                const Colour colour = marked ? annotations.day(day).colour : kGridBackground;
                canvas.fill(cell, toArgb(paintedDayColour(colour)));
                drawCellText(p, fm, cell, QString::number(day), textColourOfColumn(look, c));
            }
        }

        if (!look.grid) {
            // No header cells: the weekday names stand on the background,
            // each centred on its column and free to overhang it.
            for (int c = 0; c < 7; ++c) {
                const QString name = headerName(model, c);
                const int centre = 10 + kCellPitchX * c;
                // Halves round to even, so a 21-pixel name centred on x = 10
                // starts at 0 and stays on the picture.
                const int left = centre - int(std::nearbyint(fm.horizontalAdvance(name) / 2.0));
                p.setPen(toQColor(look.weekdays));
                p.drawText(QPoint(left, fm.ascent()), name);
            }
        }
    }

    const int right = kMonthPictureWidth - 1;
    const int bottom = kMonthPictureHeight - 1;
    if (look.grid) {
        for (int c = 0; c < 7; ++c)
            canvas.vLine(c * kCellPitchX + kCellWidth, 0, bottom, kBlack);
        for (int r = 0; r < kWeekRows; ++r)
            canvas.hLine(0, right, r * kCellPitchY + kCellHeight, kBlack);
        canvas.vLine(0, 0, bottom, kBlack);
        canvas.hLine(0, right, bottom, kBlack);
    } else {
        // The bottom row of the sixth week belongs to the missing line.
        canvas.hLine(0, right, bottom, toArgb(kGridBackground));
        const QRgb side = look.frame ? kBlack : toArgb(kGridBackground);
        canvas.vLine(0, 0, bottom - 1, side);
        canvas.vLine(right, 0, bottom - 1, side);
    }

    if (today.isValid() && today.year() == model.year() && today.month() == model.month()) {
        const int firstWeekday = QDate(model.year(), model.month(), 1).dayOfWeek() % 7 + 1;
        drawTodayFrame(canvas, todayFrameBox(today.day(), firstWeekday), look.today);
    }
    return withTransparentKey(canvas.image());
}

QImage renderMonthPicture(const MainWindowSettings& settings, const MonthModel& model,
                          const DayAnnotations& annotations, const QDate& today)
{
    return renderMonthPicture(monthLookOf(settings), model, annotations, today);
}

QString monthCaptionText(int year, int month)
{
    QString name = polishMonthName(month);
    // Only a-z are capitalised, as the caption always did.
    if (!name.isEmpty() && name.at(0) >= QLatin1Char('a') && name.at(0) <= QLatin1Char('z'))
        name[0] = QChar(name.at(0).unicode() - 'a' + 'A');
    return name + QLatin1Char(' ') + QString::number(year);
}

int monthCaptionFontSize(int length, bool minimizeButtonVisible, bool clockVisible, bool nextArrowVisible)
{
    const bool m = minimizeButtonVisible;
    const bool k = clockVisible;
    const bool a = nextArrowVisible;
    if ((length >= 13 && m && !k && a) || (length >= 16 && m && !k) || (length >= 16 && a))
        return 9;
    return 11;
}

} // namespace zorvex

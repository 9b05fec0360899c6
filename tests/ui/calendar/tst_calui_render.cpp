// The drawings of the calendar that need no window: the month picture pixel
// by pixel, the caption, the window background, the time-of-day pictures
// and the card's placement.
#include "core/app/Settings.h"
#include "core/calendar/MonthModel.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "support/FakeClock.h"
#include "ui/calendar/Background.h"
#include "ui/calendar/DayCard.h"
#include "ui/calendar/MonthRenderer.h"
#include "ui/calendar/TimeOfDayPictures.h"
#include "ui/common/Fonts.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

namespace {

constexpr QRgb kTransparent = 0;
const QColor kFace(236, 233, 216);

// A month on display and the look it is drawn with; `today` decides the
// frame.
struct Month {
    FakeClock clock;
    MonthModel model{clock, kGridBackground};
    MonthLook look;
    DayAnnotations annotations;

    explicit Month(const QDate& shown)
    {
        model.setDate(shown);
        look.headerFace = kFace;
        annotations = DayAnnotations(shown.year(), shown.month());
    }
    QImage render(const QDate& today) const { return renderMonthPicture(look, model, annotations, today); }
    // A today outside the month: no frame.
    QImage renderWithoutToday() const { return render(model.date().addMonths(1)); }
};

QRgb px(const QImage& img, int x, int y)
{
    return img.pixel(x, y);
}

QRgb rgbOf(Colour c)
{
    return toArgb(c);
}

QString describe(QRgb c)
{
    if (qAlpha(c) == 0)
        return QStringLiteral("transparent");
    return QStringLiteral("rgb(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

#define COMPARE_PX(img, x, y, expected)                                                                           \
    do {                                                                                                        \
        const QRgb actual_ = px(img, x, y);                                                                     \
        const QRgb expected_ = (expected);                                                                      \
        if (actual_ != expected_)                                                                               \
            QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is %3, expected %4")                                  \
                                 .arg(x)                                                                        \
                                 .arg(y)                                                                        \
                                 .arg(describe(actual_), describe(expected_))));                               \
    } while (false)

// The colours found in a rectangle of the picture.
QSet<QRgb> coloursIn(const QImage& img, const QRect& r)
{
    QSet<QRgb> out;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            out.insert(img.pixel(x, y));
    return out;
}

// The box of the pixels of one colour within a rectangle.
QRect boxOf(const QImage& img, const QRect& r, QRgb colour)
{
    QRect box;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (img.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

QRect cell(int column, int row)
{
    return QRect(21 * column, 14 * row, 20, 13);
}

// A cell without the pixels the picture's border lines cover.
QRect inner(const QRect& cell)
{
    return cell.intersected(QRect(1, 0, 145, 96));
}

// Qt writes no GIF; a PNG under a ".gif" name reads back just as well.
bool writeImage(const QString& path, QSize size, QColor colour)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img.save(path, path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive) ? "BMP" : "PNG");
}

} // namespace

class TestCalUiRender : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void todayFrame_data();
    void todayFrame();
    void noFrameInAnotherMonth();
    void gridAndFrame_data();
    void gridAndFrame();
    void dayColours_data();
    void dayColours();
    void annotationsOfAnotherMonthAreIgnored();
    void cellTextsPerColumnWithoutAntialiasing();
    void weekdayNamesWithoutGrid();
    void weekdayHeader_data();
    void weekdayHeader();
    void onlyFullyTransparentOrOpaque();

    void caption_data();
    void caption();
    void captionFontSize_data();
    void captionFontSize();

    void shading();
    void backgroundPlacement_data();
    void backgroundPlacement();
    void skinLookup();

    void builtInPictures();
    void pictureSetLookup();
    void pictureFrame_data();
    void pictureFrame();
    void pictureSetList();

    void cardPlacement_data();
    void cardPlacement();
};

void TestCalUiRender::initTestCase()
{
    registerTahoma();
}

// The frame around today, line by line. The box (x0, y0, w0, h0) each row
// names is where the lines go; the first column, the last column and the
// sixth week row narrow it so it stays within the picture.
void TestCalUiRender::todayFrame_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<QRect>("box");

    // June 2026 begins on a Monday, March 2026 and June 2025 on a Sunday.
    QTest::newRow("column 0, first week") << QDate(2026, 6, 1) << false << QRect(3, 14, 18, 14);
    QTest::newRow("column 0 over the grid") << QDate(2026, 6, 1) << true << QRect(3, 14, 18, 14);
    QTest::newRow("column 6") << QDate(2026, 6, 7) << false << QRect(126, 14, 19, 14);
    QTest::newRow("column 6, month from Sunday") << QDate(2026, 3, 1) << true << QRect(126, 14, 19, 14);
    QTest::newRow("middle") << QDate(2026, 6, 17) << false << QRect(42, 42, 21, 14);
    QTest::newRow("sixth week row, column 0") << QDate(2025, 6, 30) << false << QRect(3, 84, 18, 11);
    QTest::newRow("sixth week row, column 1") << QDate(2026, 3, 31) << true << QRect(21, 84, 21, 11);
}

void TestCalUiRender::todayFrame()
{
    QFETCH(QDate, today);
    QFETCH(bool, grid);
    QFETCH(QRect, box);

    Month m(today);
    m.look.grid = grid;
    m.look.frame = false;
    m.look.today = colourFromRgb(200, 120, 60);
    const QImage img = m.render(today);
    const QImage plain = m.renderWithoutToday();

    const QDate first(today.year(), today.month(), 1);
    QCOMPARE(todayFrameBox(today.day(), first.dayOfWeek() % 7 + 1), box);

    const int x0 = box.x();
    const int y0 = box.y();
    const int w0 = box.width();
    const int h0 = box.height();
    const QRgb black = qRgb(0, 0, 0);
    const QRgb light = rgbOf(m.look.today);
    const QRgb shade = qRgb(105, 25, 0); // 95 off each component, not below 0

    for (int x = x0 - 2; x <= x0 + w0; ++x) {
        COMPARE_PX(img, x, y0 - 3, black);
        COMPARE_PX(img, x, y0 + h0 + 1, black);
    }
    for (int y = y0 - 2; y <= y0 + h0; ++y) {
        COMPARE_PX(img, x0 - 3, y, black);
        COMPARE_PX(img, x0 + w0 + 1, y, black);
    }
    for (int x = x0 - 1; x <= x0 + w0 - 1; ++x) {
        COMPARE_PX(img, x, y0 - 2, light);
        COMPARE_PX(img, x, y0 + h0, shade);
    }
    for (int y = y0 - 1; y <= y0 + h0 - 1; ++y) {
        COMPARE_PX(img, x0 - 2, y, light);
        COMPARE_PX(img, x0 + w0, y, shade);
    }
    for (const QPoint& p : {QPoint(x0 - 2, y0 - 2), QPoint(x0 + w0, y0 - 2), QPoint(x0 - 2, y0 + h0),
                            QPoint(x0 + w0, y0 + h0)})
        COMPARE_PX(img, p.x(), p.y(), black);
    // The outer corners are left as the month has them.
    for (const QPoint& p : {QPoint(x0 - 3, y0 - 3), QPoint(x0 + w0 + 1, y0 - 3), QPoint(x0 - 3, y0 + h0 + 1),
                            QPoint(x0 + w0 + 1, y0 + h0 + 1)}) {
        if (img.rect().contains(p))
            COMPARE_PX(img, p.x(), p.y(), px(plain, p.x(), p.y()));
    }
    // Everything else is untouched, and the frame never leaves the picture.
    const QRect frame(x0 - 3, y0 - 3, w0 + 5, h0 + 5);
    QVERIFY(img.rect().contains(frame));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (!frame.contains(x, y))
                COMPARE_PX(img, x, y, px(plain, x, y));
}

void TestCalUiRender::noFrameInAnotherMonth()
{
    Month m(QDate(2026, 6, 1));
    QCOMPARE(m.render(QDate(2026, 7, 1)), m.render(QDate()));
    QCOMPARE(m.render(QDate(2025, 6, 1)), m.render(QDate()));
    QVERIFY(m.render(QDate(2026, 6, 1)) != m.render(QDate()));
}

void TestCalUiRender::gridAndFrame_data()
{
    QTest::addColumn<bool>("grid");
    QTest::addColumn<bool>("frame");
    QTest::newRow("grid and frame") << true << true;
    QTest::newRow("grid only") << true << false;
    QTest::newRow("frame only") << false << true;
    QTest::newRow("neither") << false << false;
}

void TestCalUiRender::gridAndFrame()
{
    QFETCH(bool, grid);
    QFETCH(bool, frame);
    Month m(QDate(2026, 6, 1));
    m.look.grid = grid;
    m.look.frame = frame;
    const QImage img = m.renderWithoutToday();
    const QRgb black = qRgb(0, 0, 0);
    const QRgb line = grid ? black : kTransparent;
    const QRgb side = grid || frame ? black : kTransparent;

    // Lines between cells, below the header and between week rows (away
    // from the weekday names, which may overhang their columns without the
    // grid).
    for (int y : {20, 50, 95})
        for (int c = 0; c < 6; ++c)
            COMPARE_PX(img, 21 * c + 20, y, line);
    for (int r = 0; r < 6; ++r)
        COMPARE_PX(img, 60, 14 * r + 13, line);
    // The border: sides over the full height, the bottom over the width.
    for (int y : {0, 30, 95}) {
        COMPARE_PX(img, 0, y, side);
        COMPARE_PX(img, 146, y, side);
    }
    for (int x : {0, 50, 146})
        COMPARE_PX(img, x, 96, line);
    // The header's face (its top row holds no text) only with the grid.
    COMPARE_PX(img, 22, 0, grid ? kFace.rgb() : kTransparent);
    COMPARE_PX(img, 130, 0, grid ? kFace.rgb() : kTransparent);
}

void TestCalUiRender::dayColours_data()
{
    QTest::addColumn<Colour>("marked");
    QTest::addColumn<QRgb>("painted");
    QTest::newRow("silver is nudged") << colourFromRgb(192, 192, 192) << qRgb(188, 188, 188);
    QTest::newRow("black is nudged") << Colour(0) << qRgb(1, 1, 1);
    QTest::newRow("near silver stays") << colourFromRgb(192, 192, 191) << qRgb(192, 192, 191);
    QTest::newRow("red") << Colour(255) << qRgb(255, 0, 0);
    QTest::newRow("blue") << Colour(16711680) << qRgb(0, 0, 255);
    QTest::newRow("the grid background is transparent") << kGridBackground << kTransparent;
}

void TestCalUiRender::dayColours()
{
    QFETCH(Colour, marked);
    QFETCH(QRgb, painted);
    Month m(QDate(2026, 6, 1));
    m.annotations.dayOf(17)->colour = marked; // a Wednesday: column 2, week row 3
    const QImage img = m.renderWithoutToday();
    // The cell's corners hold no text.
    const QRect c = cell(2, 3);
    for (const QPoint& p : {c.topLeft(), c.topRight(), c.bottomLeft(), c.bottomRight()})
        COMPARE_PX(img, p.x(), p.y(), painted);
    // Neighbours stay unmarked.
    COMPARE_PX(img, cell(3, 3).right(), cell(3, 3).bottom(), kTransparent);
}

void TestCalUiRender::annotationsOfAnotherMonthAreIgnored()
{
    Month m(QDate(2026, 6, 1));
    m.annotations = DayAnnotations(2026, 5);
    m.annotations.dayOf(17)->colour = 255;
    const QImage img = m.renderWithoutToday();
    COMPARE_PX(img, cell(2, 3).right(), cell(2, 3).bottom(), kTransparent);
}

// Day numbers in the column's colour, header names in theirs; without
// anti-aliasing a cell holds nothing but its background and its text colour.
void TestCalUiRender::cellTextsPerColumnWithoutAntialiasing()
{
    Month m(QDate(2026, 6, 1));
    m.look.weekdays = colourFromRgb(10, 20, 30);
    m.look.workdays = colourFromRgb(40, 50, 60);
    m.look.saturday = colourFromRgb(70, 80, 90);
    m.look.sunday = colourFromRgb(100, 110, 120);
    m.annotations.dayOf(3)->colour = colourFromRgb(250, 250, 0);
    const QImage img = m.renderWithoutToday();

    struct Case {
        QRect cell;
        QRgb background;
        Colour text;
    };
    const QList<Case> cases = {
        {cell(0, 0), kFace.rgb(), m.look.weekdays},
        {cell(6, 0), kFace.rgb(), m.look.weekdays},
        {cell(0, 1), kTransparent, m.look.workdays},          // 1 June
        {cell(2, 1), qRgb(250, 250, 0), m.look.workdays},     // 3 June, marked
        {cell(5, 1), kTransparent, m.look.saturday},          // 6 June
        {cell(6, 1), kTransparent, m.look.sunday},            // 7 June
        {cell(6, 4), kTransparent, m.look.sunday},            // 28 June
    };
    for (const Case& c : cases) {
        const QSet<QRgb> colours = coloursIn(img, inner(c.cell));
        const QSet<QRgb> expected = {c.background, rgbOf(c.text)};
        QCOMPARE(colours, expected);
        // Centred: the text's ink sits in the middle of the cell, give or
        // take the glyphs' own side bearings.
        const QRect ink = boxOf(img, inner(c.cell), rgbOf(c.text));
        const int leftGap = ink.left() - c.cell.left();
        const int rightGap = c.cell.right() - ink.right();
        QVERIFY2(qAbs(leftGap - rightGap) <= 3, qPrintable(QStringLiteral("%1 vs %2").arg(leftGap).arg(rightGap)));
    }
    // Cells outside the month stay empty: June 2026 ends on a Tuesday.
    QCOMPARE(coloursIn(img, inner(cell(2, 5))), QSet<QRgb>({kTransparent}));
    QCOMPARE(coloursIn(img, inner(cell(0, 6))), QSet<QRgb>({kTransparent}));
}

void TestCalUiRender::weekdayNamesWithoutGrid()
{
    Month m(QDate(2026, 6, 1));
    m.look.grid = false;
    m.look.frame = false;
    m.look.weekdays = colourFromRgb(10, 20, 30);
    const QImage img = m.renderWithoutToday();
    const QRgb text = rgbOf(m.look.weekdays);
    // The header row holds the names on transparency and nothing else.
    QCOMPARE(coloursIn(img, QRect(0, 0, 147, 14)), QSet<QRgb>({kTransparent, text}));
    // Each name is centred on its column: x = 10, 31, ... 136.
    for (int c = 0; c < 7; ++c) {
        const QRect ink = boxOf(img, QRect(21 * c, 0, 21, 14), text);
        QVERIFY2(!ink.isEmpty(), qPrintable(QString::number(c)));
        const int centre = 10 + 21 * c;
        QVERIFY2(qAbs((ink.left() + ink.right()) / 2 - centre) <= 2, qPrintable(QString::number(c)));
    }
}

void TestCalUiRender::weekdayHeader_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    const char* const names[] = {"Pn", "Wt", "Śr", "Cz", "Pt", "So", "Nd"};
    for (int c = 0; c < 7; ++c)
        QTest::newRow(names[c]) << c << QString::fromUtf8(names[c]);
}

// One set of two-letter names, each clear of its cell's grid lines.
void TestCalUiRender::weekdayHeader()
{
    QFETCH(int, column);
    QFETCH(QString, name);
    Month m(QDate(2026, 6, 1));
    m.look.weekdays = colourFromRgb(10, 20, 30);
    const QImage img = m.renderWithoutToday();
    const QRgb text = rgbOf(m.look.weekdays);
    const QRect c = cell(column, 0);

    // The name as the grid font writes it, centred in the cell.
    QImage expected(c.size(), QImage::Format_RGB32);
    expected.fill(kFace);
    {
        QPainter p(&expected);
        const QFont font = monthGridFont();
        const QFontMetrics fm(font);
        p.setFont(font);
        p.setPen(QColor::fromRgb(text));
        p.drawText(QPoint((c.width() - fm.horizontalAdvance(name)) / 2, (c.height() - fm.height()) / 2 + fm.ascent()),
                   name);
    }
    const int from = column == 0 ? 1 : 0; // x = 0 is the border line
    for (int y = 0; y < c.height(); ++y)
        for (int x = from; x < c.width(); ++x)
            COMPARE_PX(img, c.left() + x, y, expected.pixel(x, y) | 0xFF000000u);

    const QRect ink = boxOf(img, inner(c), text);
    QVERIFY(!ink.isEmpty());
    // A clear pixel on either side: the lines are at x = 21c - 1 (or the
    // border at 0) and x = 21c + 20.
    QVERIFY2(ink.left() >= (column == 0 ? 2 : c.left() + 1), qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.right() <= c.right() - 1, qPrintable(QString::number(ink.right())));
}

void TestCalUiRender::onlyFullyTransparentOrOpaque()
{
    Month m(QDate(2026, 6, 1));
    m.annotations.dayOf(9)->colour = kGridBackground;
    const QImage img = m.render(QDate(2026, 6, 9));
    QCOMPARE(img.size(), QSize(147, 97));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            QVERIFY(qAlpha(c) == 255 || c == kTransparent);
            // The key colour itself never shows.
            QVERIFY(c != rgbOf(kGridBackground));
        }
    // The today frame around a day marked in the key colour is drawn; the
    // day itself shows through.
    COMPARE_PX(img, cell(1, 2).right(), cell(1, 2).bottom(), kTransparent);
    COMPARE_PX(img, 21 - 2, 28 - 3, qRgb(0, 0, 0));
}

void TestCalUiRender::caption_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("caption");
    QTest::newRow("październik") << 2005 << 10 << QString::fromUtf8("Październik 2005");
    QTest::newRow("styczeń") << 2026 << 1 << QString::fromUtf8("Styczeń 2026");
    QTest::newRow("year 1") << 1 << 5 << QStringLiteral("Maj 1");
    QTest::newRow("year 9999") << 9999 << 12 << QString::fromUtf8("Grudzień 9999");
}

void TestCalUiRender::caption()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, caption);
    QCOMPARE(monthCaptionText(year, month), caption);
}

void TestCalUiRender::captionFontSize_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("minimize");
    QTest::addColumn<bool>("clock");
    QTest::addColumn<bool>("arrow");
    QTest::addColumn<int>("size");
    QTest::newRow("16 with the arrow") << 16 << false << true << true << 9;
    QTest::newRow("15 with the arrow and the clock") << 15 << true << true << true << 11;
    QTest::newRow("13, minimize, no clock, arrow") << 13 << true << false << true << 9;
    QTest::newRow("12, minimize, no clock, arrow") << 12 << true << false << true << 11;
    QTest::newRow("16, minimize, no clock, no arrow") << 16 << true << false << false << 9;
    QTest::newRow("16, minimize, clock, no arrow") << 16 << true << true << false << 11;
    QTest::newRow("15, no minimize, no clock, arrow") << 15 << false << false << true << 11;
    QTest::newRow("20, nothing") << 20 << false << false << false << 11;
}

void TestCalUiRender::captionFontSize()
{
    QFETCH(int, length);
    QFETCH(bool, minimize);
    QFETCH(bool, clock);
    QFETCH(bool, arrow);
    QFETCH(int, size);
    QCOMPARE(monthCaptionFontSize(length, minimize, clock, arrow), size);
}

void TestCalUiRender::shading()
{
    const QImage& t = shadingTemplate();
    QCOMPARE(t.size(), QSize(147, 200));
    int lowest = 255;
    int highest = 0;
    for (int y = 0; y < t.height(); ++y)
        for (int x = 0; x < t.width(); ++x) {
            lowest = qMin(lowest, int(t.constScanLine(y)[x]));
            highest = qMax(highest, int(t.constScanLine(y)[x]));
        }
    QCOMPARE(lowest, 0);
    QVERIFY(highest <= 83);
    auto at = [&t](int x, int y) { return int(t.constScanLine(y)[x]); };
    QCOMPARE(at(73, 100), 0);
    QVERIFY(at(0, 100) >= 75 && at(146, 100) >= 75);
    QVERIFY(at(73, 0) >= 45 && at(73, 0) <= 60);
    QVERIFY(at(73, 199) >= 45 && at(73, 199) <= 60);

    // Each component loses the template's amount, clamped at 0.
    const Colour colour = colourFromRgb(30, 200, 255);
    const QImage shaded = shadedBackground(colour);
    QCOMPARE(shaded.size(), t.size());
    for (const QPoint& p : {QPoint(0, 100), QPoint(73, 0), QPoint(73, 100), QPoint(5, 5)}) {
        const int d = at(p.x(), p.y());
        COMPARE_PX(shaded, p.x(), p.y(), qRgb(qMax(0, 30 - d), qMax(0, 200 - d), qMax(0, 255 - d)));
    }
    const QImage plain = plainBackground(colour, 160);
    QCOMPARE(plain.size(), QSize(160, 180));
    COMPARE_PX(plain, 0, 0, qRgb(30, 200, 255));
}

void TestCalUiRender::backgroundPlacement_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<bool>("skin");
    QTest::addColumn<bool>("topPanel");
    QTest::addColumn<QRect>("placed");
    QTest::newRow("full skin, top panel") << QSize(147, 181) << true << true << QRect(0, 0, 147, 181);
    QTest::newRow("full skin shifted up") << QSize(147, 181) << true << false << QRect(0, -64, 147, 181);
    QTest::newRow("other skin stretched") << QSize(300, 100) << true << true << QRect(0, 0, 147, 181);
    QTest::newRow("other skin, short") << QSize(300, 100) << true << false << QRect(0, 0, 147, 117);
    QTest::newRow("shaded colour, short") << QSize(147, 200) << false << false << QRect(0, 0, 147, 117);
    QTest::newRow("colour the size of a skin") << QSize(147, 181) << false << false << QRect(0, 0, 147, 117);
}

void TestCalUiRender::backgroundPlacement()
{
    QFETCH(QSize, picture);
    QFETCH(bool, skin);
    QFETCH(bool, topPanel);
    QFETCH(QRect, placed);
    QCOMPARE(zorvex::backgroundPlacement(picture, skin, topPanel, 147), placed);
}

// A bare skin name comes from the scheme's folder when it is there, else
// from the data folder; a missing file falls back to the plain colour.
void TestCalUiRender::skinLookup()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString data = dir.path() + QLatin1Char('/');
    QVERIFY(QDir(data).mkpath(QStringLiteral("Gfx/Schematy/Zima")));
    QVERIFY(writeImage(data + QStringLiteral("Gfx/Schematy/Zima/skora.png"), QSize(147, 181), Qt::red));
    QVERIFY(writeImage(data + QStringLiteral("skora.png"), QSize(10, 10), Qt::green));
    QVERIFY(writeImage(data + QStringLiteral("inna.png"), QSize(20, 20), Qt::blue));
    QFile broken(data + QStringLiteral("zepsuta.png"));
    QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
    broken.close();
    const PathTable paths(data, QStringLiteral("Tester"), QString());

    Settings s;
    s.main.plainBackground = false;
    s.main.background = colourFromRgb(1, 2, 3);
    s.main.colourSchemeName = QStringLiteral("Zima");

    s.main.skinPicture = QStringLiteral("skora.png");
    BackgroundPicture bg = buildBackground(s.main, paths, 147);
    QVERIFY(bg.skin);
    QCOMPARE(bg.image.size(), QSize(147, 181));

    s.main.colourSchemeName = QStringLiteral("Lato"); // no such scheme folder
    bg = buildBackground(s.main, paths, 147);
    QVERIFY(bg.skin);
    QCOMPARE(bg.image.size(), QSize(10, 10));

    s.main.skinPicture = data + QStringLiteral("inna.png");
    bg = buildBackground(s.main, paths, 147);
    QVERIFY(bg.skin);
    QCOMPARE(bg.image.size(), QSize(20, 20));

    s.main.skinPicture = QStringLiteral("brak.png");
    bg = buildBackground(s.main, paths, 147);
    QVERIFY(!bg.skin);
    QVERIFY(bg.clearSkinName);
    QCOMPARE(bg.image.size(), QSize(147, 180));
    COMPARE_PX(bg.image, 70, 90, qRgb(1, 2, 3));

    // A file that is there but unreadable is no reason to forget the name.
    s.main.skinPicture = QStringLiteral("zepsuta.png");
    bg = buildBackground(s.main, paths, 147);
    QVERIFY(!bg.skin);
    QVERIFY(!bg.clearSkinName);

    const QString scheme = schemeFolder(paths, QStringLiteral("Zima"));
    QCOMPARE(skinNameForPick(scheme + QStringLiteral("skora.png"), scheme), QStringLiteral("skora.png"));
    QCOMPARE(skinNameForPick(data + QStringLiteral("inna.png"), scheme), data + QStringLiteral("inna.png"));
}

void TestCalUiRender::builtInPictures()
{
    const QList<DayPart> parts = {DayPart::Morning, DayPart::Midday, DayPart::Evening, DayPart::Night};
    QList<QImage> pictures;
    for (DayPart part : parts) {
        const QImage img = builtInTimeOfDayPicture(part);
        QCOMPARE(img.size(), QSize(32, 64));
        // Opaque all over: the picture is a small scene, not a cut-out.
        QCOMPARE(qAlpha(img.pixel(0, 0)), 255);
        QCOMPARE(qAlpha(img.pixel(31, 63)), 255);
        for (const QImage& other : pictures)
            QVERIFY(img != other);
        pictures << img;
    }
    QCOMPARE(builtInTimeOfDayPicture(DayPart::None), builtInTimeOfDayPicture(DayPart::Midday));
    // The night sky is dark, the midday sky bright.
    QVERIFY(qGray(builtInTimeOfDayPicture(DayPart::Night).pixel(2, 2)) < 60);
    QVERIFY(qGray(builtInTimeOfDayPicture(DayPart::Midday).pixel(2, 40)) > 120);
}

void TestCalUiRender::pictureSetLookup()
{
    QTemporaryDir dir;
    const QString set = dir.path() + QStringLiteral("/Zestaw/");
    QVERIFY(QDir().mkpath(set));
    QVERIFY(writeImage(set + QStringLiteral("02.bmp"), QSize(16, 16), Qt::red));
    QVERIFY(writeImage(set + QStringLiteral("02.gif"), QSize(16, 16), Qt::green));
    QVERIFY(writeImage(set + QStringLiteral("02.png"), QSize(16, 16), Qt::blue));
    QVERIFY(writeImage(set + QStringLiteral("03.GIF"), QSize(16, 16), Qt::green));
    QVERIFY(writeImage(set + QStringLiteral("03.bmp"), QSize(16, 16), Qt::red));
    QVERIFY(writeImage(set + QStringLiteral("04.bmp"), QSize(10, 20), Qt::red));

    QCOMPARE(QFileInfo(timeOfDayPictureFile(set, DayPart::Midday)).fileName(), QStringLiteral("02.png"));
    QCOMPARE(QFileInfo(timeOfDayPictureFile(set, DayPart::Evening)).fileName(), QStringLiteral("03.GIF"));
    QCOMPARE(timeOfDayPictureFile(set, DayPart::Morning), QString());

    // A ".png" keeps its size, centred on transparency; a ".bmp" is
    // stretched to the whole picture.
    const QImage midday = timeOfDayPicture(set, DayPart::Midday);
    QCOMPARE(midday.size(), QSize(32, 64));
    QCOMPARE(qAlpha(midday.pixel(0, 0)), 0);
    QCOMPARE(midday.pixel(16, 32), qRgb(0, 0, 255));
    const QImage night = timeOfDayPicture(set, DayPart::Night);
    QCOMPARE(night.size(), QSize(32, 64));
    QCOMPARE(night.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(night.pixel(31, 63), qRgb(255, 0, 0));
    // A part the set lacks falls back to the built-in picture.
    QCOMPARE(timeOfDayPicture(set, DayPart::Morning), builtInTimeOfDayPicture(DayPart::Morning));
}

void TestCalUiRender::pictureFrame_data()
{
    QTest::addColumn<bool>("grid");
    QTest::addColumn<bool>("frame");
    QTest::addColumn<bool>("topLeft");
    QTest::addColumn<bool>("right");
    QTest::newRow("grid and frame") << true << true << true << true;
    QTest::newRow("grid") << true << false << true << true;
    QTest::newRow("frame") << false << true << true << false;
    QTest::newRow("neither") << false << false << false << false;
}

void TestCalUiRender::pictureFrame()
{
    QFETCH(bool, grid);
    QFETCH(bool, frame);
    QFETCH(bool, topLeft);
    QFETCH(bool, right);
    QImage white(32, 64, QImage::Format_ARGB32);
    white.fill(Qt::white);
    const QImage img = framedTimeOfDayPicture(white, grid, frame);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb plain = qRgb(255, 255, 255);
    for (int x : {1, 15, 30})
        COMPARE_PX(img, x, 0, topLeft ? black : plain);
    for (int y : {1, 32, 63}) {
        COMPARE_PX(img, 0, y, topLeft ? black : plain);
        COMPARE_PX(img, 31, y, right ? black : plain);
    }
    COMPARE_PX(img, 15, 63, plain); // no bottom line
    COMPARE_PX(img, 15, 30, plain);
}

void TestCalUiRender::pictureSetList()
{
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    auto makeSet = [&root](const QString& name, const QStringList& files) {
        QDir().mkpath(root + name);
        for (const QString& f : files)
            writeImage(root + name + QLatin1Char('/') + f, QSize(8, 8), Qt::gray);
    };
    makeSet(QStringLiteral("Pełny"), {QStringLiteral("01.png"), QStringLiteral("02.gif"), QStringLiteral("03.bmp"),
                                        QStringLiteral("04.png")});
    makeSet(QStringLiteral("Bez wieczoru"), {QStringLiteral("01.png"), QStringLiteral("02.png"), QStringLiteral("04.png")});
    makeSet(QString::fromUtf8("DOMYŚLNE"), {QStringLiteral("01.png"), QStringLiteral("02.png"), QStringLiteral("03.png"),
                                            QStringLiteral("04.png")});
    QFile version(root + QStringLiteral("Pełny/Wersja.ini"));
    QVERIFY(version.open(QIODevice::WriteOnly) && version.write("1.2\r\nignored\r\n") > 0);
    version.close();

    const QDateTime now = QDateTime::currentDateTime();
    const QList<TimeOfDaySet> fresh = scanTimeOfDaySets(root, now.addSecs(3 * 3600 + 60));
    QCOMPARE(fresh.size(), 2);
    QVERIFY(fresh.at(0).isBuiltIn());
    QCOMPARE(fresh.at(1).name, QStringLiteral("Pełny"));
    QCOMPARE(fresh.at(1).version, QStringLiteral("1.2"));
    QCOMPARE(fresh.at(1).ageHours, 3);
    // Old sets are no longer new: the age stops at 25.
    QCOMPARE(scanTimeOfDaySets(root, now.addDays(30)).at(1).ageHours, 25);
}

void TestCalUiRender::cardPlacement_data()
{
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<int>("corner");
    QTest::newRow("lower right: above left") << QPoint(900, 700) << QPoint(900 - 205, 700 - 105)
                                             << int(CardCorner::BottomRight);
    QTest::newRow("upper right: below left") << QPoint(900, 100) << QPoint(695, 105) << int(CardCorner::TopRight);
    QTest::newRow("upper left: below right") << QPoint(100, 100) << QPoint(112, 107) << int(CardCorner::TopLeft);
    QTest::newRow("lower left: above right") << QPoint(100, 700) << QPoint(108, 597) << int(CardCorner::BottomLeft);
    QTest::newRow("the middle counts as right and lower") << QPoint(500, 400) << QPoint(295, 295)
                                                          << int(CardCorner::BottomRight);
}

void TestCalUiRender::cardPlacement()
{
    QFETCH(QPoint, pointer);
    QFETCH(QPoint, topLeft);
    QFETCH(int, corner);
    const CardPlacement placed = placeDayCard(pointer, QSize(200, 100), QRect(0, 0, 1000, 800));
    QCOMPARE(placed.topLeft, topLeft);
    QCOMPARE(int(placed.corner), corner);
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestCalUiRender)
#include "tst_calui_render.moc"

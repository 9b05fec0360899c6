// The faces of bold text: Tahoma where its bold reads as bold, a DejaVu
// stand-in where it draws as thin as the regular.
#include "ui/common/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

namespace zorvex {

namespace {

const QString kSample = QString::fromUtf8("Październik 2026 12:45 Śr Cz Nd");

double inkRatio(const QFont& bold, const QFont& regular)
{
    QFont b = bold;
    QFont r = regular;
    b.setStyleStrategy(QFont::NoAntialias);
    r.setStyleStrategy(QFont::NoAntialias);
    return strokeDarkness(b, kSample) / strokeDarkness(r, kSample);
}

} // namespace

class TestUiFonts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void boldTextReadsBold_data();
    void boldTextReadsBold();
    void choice();
};

void TestUiFonts::initTestCase()
{
    registerTahoma();
}

// Every bold size of the window: the clock and captions (11 points), the
// scrolling and information panels (10), the grid and the hints (8) and
// the tray's day numbers (7).
void TestUiFonts::boldTextReadsBold_data()
{
    QTest::addColumn<int>("points");
    for (int pt : {7, 8, 9, 10, 11, 16})
        QTest::newRow(qPrintable(QStringLiteral("%1 pt").arg(pt))) << pt;
}

void TestUiFonts::boldTextReadsBold()
{
    QFETCH(int, points);
    const QFont bold = tahoma(points, true);
    const QFont regular = tahoma(points, false);
    const double ratio = inkRatio(bold, regular);
    QVERIFY2(ratio >= 1.2, qPrintable(QStringLiteral("%1 in %2: %3").arg(bold.family()).arg(bold.pixelSize()).arg(ratio)));
    // A stand-in keeps Tahoma's widths closely enough for the fixed layout.
    const double width = QFontMetrics(bold).horizontalAdvance(kSample);
    QFont tahomaBold(QStringLiteral("Tahoma"));
    tahomaBold.setPixelSize(bold.pixelSize());
    tahomaBold.setBold(true);
    const double tahomaWidth = QFontMetrics(tahomaBold).horizontalAdvance(kSample);
    QVERIFY2(qAbs(width - tahomaWidth) <= 0.05 * tahomaWidth, qPrintable(QStringLiteral("%1 vs %2").arg(width).arg(tahomaWidth)));
    // Regular text stays Tahoma.
    QCOMPARE(regular.family(), QStringLiteral("Tahoma"));
}

void TestUiFonts::choice()
{
    const QString dejaVu = QStringLiteral("DejaVu Sans");
    if (!QFontDatabase::families().contains(dejaVu))
        QSKIP("DejaVu Sans is not installed");
    // A family whose bold is fine is kept.
    QCOMPARE(chooseBoldFamily(dejaVu, {QStringLiteral("Tahoma")}, 15), dejaVu);
    QVERIFY(boldReadsBold(dejaVu, 15));
    // A stand-in that is not installed is passed over.
    QCOMPARE(chooseBoldFamily(dejaVu, {QStringLiteral("No Such Face")}, 15), dejaVu);

    // Wine's Tahoma draws its bold as the regular at 13 to 15 pixels: there
    // the stand-in takes over, elsewhere Tahoma stays.
    const QString tahomaFamily = QStringLiteral("Tahoma");
    if (!QFontInfo(QFont(tahomaFamily)).family().startsWith(tahomaFamily))
        QSKIP("Tahoma is not installed");
    for (int px = 9; px <= 22; ++px) {
        const bool thin = !boldReadsBold(tahomaFamily, px);
        QCOMPARE(chooseBoldFamily(tahomaFamily, {QStringLiteral("No Such Face"), dejaVu}, px),
                 thin ? dejaVu : tahomaFamily);
        QCOMPARE(boldFamily(px) == tahomaFamily, !thin);
    }
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestUiFonts)
#include "tst_ui_fonts.moc"

#include "ui/common/HintWindow.h"

#include <QHelpEvent>
#include <QSignalSpy>
#include <QTest>

namespace zorvex {

namespace {

void requestHint(QWidget* w)
{
    QHelpEvent e(QEvent::ToolTip, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w, &e);
}

} // namespace

class TestUiHints : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void flatBoldAndNarrow_data();
    void flatBoldAndNarrow();
    void staysWhileThePointerRests();
    void followsAndCancels();
    void cardsReplaceHints();
};

void TestUiHints::initTestCase()
{
    HintController::install();
}

void TestUiHints::flatBoldAndNarrow_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wraps");

    QTest::newRow("short") << QStringLiteral("Kliknij") << false;
    QTest::newRow("long") << QStringLiteral("Priorytet normalny lub wysoki może spowalniać programy lub gry, "
                                            "zalecany jest priorytet automatyczny")
                          << true;
}

void TestUiHints::flatBoldAndNarrow()
{
    QFETCH(QString, text);
    QFETCH(bool, wraps);
    QWidget w;
    w.setToolTip(text);
    w.show();
    requestHint(&w);
    HintWindow* hint = HintController::instance()->window();
    QVERIFY(hint->isVisible());
    QCOMPARE(hint->text(), text);
    QVERIFY(hint->font().bold());
    QVERIFY(hint->width() <= kHintMaxWidth);
    QCOMPARE(hint->width() == kHintMaxWidth || hint->height() > 2 * hint->fontMetrics().height(), wraps);
    HintController::instance()->cancel();
}

void TestUiHints::staysWhileThePointerRests()
{
    QWidget w;
    w.setToolTip(QStringLiteral("Zegar"));
    w.show();
    requestHint(&w);
    HintWindow* hint = HintController::instance()->window();
    QVERIFY(hint->isVisible());
    QTest::qWait(1500);
    QVERIFY(hint->isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&w, &leave);
    QVERIFY(!hint->isVisible());
}

void TestUiHints::followsAndCancels()
{
    QWidget w;
    w.setToolTip(QStringLiteral("12 maja"));
    w.show();
    requestHint(&w);
    HintWindow* hint = HintController::instance()->window();
    // The month picture changes its hint as the pointer moves over days.
    w.setToolTip(QStringLiteral("13 maja"));
    QCOMPARE(hint->text(), QStringLiteral("13 maja"));
    QVERIFY(hint->isVisible());
    w.setToolTip(QString());
    QVERIFY(!hint->isVisible());

    w.setToolTip(QStringLiteral("Zegar"));
    requestHint(&w);
    QVERIFY(hint->isVisible());
    QTest::mousePress(&w, Qt::LeftButton);
    QVERIFY(!hint->isVisible());
}

void TestUiHints::cardsReplaceHints()
{
    QWidget w;
    w.setToolTip(QStringLiteral("ignored"));
    w.setProperty("zorvexHintCard", true);
    w.show();
    QSignalSpy cards(HintController::instance(), &HintController::cardRequested);
    requestHint(&w);
    QCOMPARE(cards.count(), 1);
    QVERIFY(!HintController::instance()->window()->isVisible());
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestUiHints)
#include "tst_ui_hints.moc"

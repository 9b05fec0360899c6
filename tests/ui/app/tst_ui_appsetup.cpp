// The Qt application as the program sets it up: captions as the windows
// write them, Qt's own texts in Polish.

#include "ui/app/AppSetup.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace zorvex;

class TestUiAppSetup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(); }

    void captionsStandAsWritten()
    {
        // Qt appends a display name to every caption only when one is set.
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        QVERIFY(!QApplication::quitOnLastWindowClosed());
    }

    void qtTextsArePolish_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Yes button") << QStringLiteral("yes") << QStringLiteral("&Tak");
        QTest::newRow("No button") << QStringLiteral("no") << QStringLiteral("&Nie");
        QTest::newRow("text field menu: paste") << QStringLiteral("paste") << QStringLiteral("&Wklej");
    }
    void qtTextsArePolish()
    {
        QFETCH(QString, where);
        QFETCH(QString, expected);
        QString shown;
        if (where == QLatin1String("paste")) {
            QLineEdit edit;
            std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
            // The paste item is the one that carries the paste shortcut.
            const QString paste = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
            for (QAction* a : menu->actions()) {
                if (a->text().endsWith(QLatin1Char('\t') + paste))
                    shown = a->text().section(QLatin1Char('\t'), 0, 0);
            }
        } else {
            QMessageBox box(QMessageBox::Question, QStringLiteral("Zorvex - Aktualizacja"), QStringLiteral("?"),
                            QMessageBox::Yes | QMessageBox::No);
            shown = box.button(where == QLatin1String("yes") ? QMessageBox::Yes : QMessageBox::No)->text();
        }
        QCOMPARE(shown, expected);
    }
};

QTEST_MAIN(TestUiAppSetup)
#include "tst_ui_appsetup.moc"

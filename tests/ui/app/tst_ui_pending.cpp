// Controls whose features have not arrived yet: each says so, the same way.

#include "core/app/Settings.h"
#include "core/app/TraySettings.h"
#include "core/common/PathTable.h"
#include "ui/app/ClockMenu.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/app/PendingFeatures.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/common/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

using namespace zorvex;

namespace {

QAction* findAction(QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu()) {
            if (QAction* inner = findAction(a->menu(), text))
                return inner;
        }
    }
    return nullptr;
}

QList<QMessageBox*> notices()
{
    QList<QMessageBox*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            out << box;
    }
    return out;
}

} // namespace

class TestUiPending : public QObject {
    Q_OBJECT
private slots:
    void eachControlSaysItIsNotAvailable_data();
    void eachControlSaysItIsNotAvailable();
};

void TestUiPending::eachControlSaysItIsNotAvailable_data()
{
    QTest::addColumn<QString>("where"); // "menu", "clock" or "tools"
    QTest::addColumn<QString>("control");
    QTest::newRow("radio submenu") << QStringLiteral("menu") << QStringLiteral("Nagrywaj");
    QTest::newRow("Edytuj") << QStringLiteral("tools") << QStringLiteral("ButtonMiscMenuEdit");
}

void TestUiPending::eachControlSaysItIsNotAvailable()
{
    QFETCH(QString, where);
    QFETCH(QString, control);
    Settings settings;
    settings.main.menuKlony = true;
    settings.main.menuIkonyPulpitu = true;
    settings.main.m.fill(-1);
    settings.main.m[0] = page::PlayerMenu;
    settings.main.m[1] = page::RadioMenu;
    PathTable paths;
    MainWindow main(paths, settings, settings.tray);
    ToolsWindow tools(settings);
    connectPendingFeatures(&main, &tools);

    if (where == QLatin1String("tools")) {
        auto* button = tools.findChild<QAbstractButton*>(control);
        QVERIFY(button);
        button->click();
    } else {
        QMenu* menu = where == QLatin1String("clock") ? static_cast<QMenu*>(main.clockMenu()) : main.contextMenu();
        QAction* a = findAction(menu, control);
        QVERIFY2(a, qPrintable(control));
        a->trigger();
    }

    QCOMPARE(notices().size(), 1);
    QMessageBox* notice = notices().front();
    QCOMPARE(notice->text(), QString::fromUtf8(kNotAvailableYet));
    QCOMPARE(notice->windowTitle(), QStringLiteral("Zorvex"));
    QCOMPARE(notice->windowModality(), Qt::NonModal);
    // A second click brings the same notice back rather than piling up.
    if (where != QLatin1String("tools")) {
        QMenu* menu = where == QLatin1String("clock") ? static_cast<QMenu*>(main.clockMenu()) : main.contextMenu();
        findAction(menu, control)->trigger();
        QCOMPARE(notices().size(), 1);
    }
    notice->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestUiPending)
#include "tst_ui_pending.moc"

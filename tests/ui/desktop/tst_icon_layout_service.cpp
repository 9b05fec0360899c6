#include "core/common/LineFile.h"
#include "ui/desktop/IconLayoutService.h"

#include "support/FakeDesktopIcons.h"
#include "support/FileFixture.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;

namespace {

// The fake desktop lives here; the service gets a view of it, which keeps
// whether the desktop was there when it was found, as a real one does.
class Forward : public DesktopIcons {
public:
    explicit Forward(FakeDesktopIcons& to)
        : m_to(to)
        , m_available(to.available())
    {
    }
    bool available() const override { return m_available; }
    std::optional<QList<IconPosition>> icons() override { return m_to.icons(); }
    QString moveIcons(const QList<IconPosition>& moves) override { return m_to.moveIcons(moves); }

private:
    FakeDesktopIcons& m_to;
    bool m_available;
};

QString runAndWait(IconLayoutService& s, bool save)
{
    QSignalSpy done(&s, &IconLayoutService::finished);
    const QString refused = save ? s.save() : s.restore();
    if (!refused.isEmpty())
        return refused;
    if (!done.wait(5000))
        return QStringLiteral("<no end>");
    return done.first().first().toString();
}

} // namespace

class TestIconLayoutService : public QObject {
    Q_OBJECT

private slots:
    void saveAndRestore();
    void failuresAreReported();
};

void TestIconLayoutService::saveAndRestore()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Ikony_Ola.ini"));
    FakeDesktopIcons desktop;
    for (int i = 0; i < 12; ++i)
        desktop.desktop.append({QStringLiteral("Ikona %1").arg(i), QPoint(10, 80 * i)});
    IconLayoutService s(file, [&desktop] { return std::make_unique<Forward>(desktop); });

    // Restoring before anything was saved does nothing.
    QCOMPARE(s.restore(), QString());
    QVERIFY(!s.busy());

    QCOMPARE(runAndWait(s, true), QString());
    const QStringList lines = loadLineFile(file);
    QCOMPARE(lines.size(), 12);
    QCOMPARE(lines[2], QStringLiteral("Ikona 2/10/160"));

    desktop.desktop[3].position = QPoint(700, 5);
    desktop.desktop[9].position = QPoint(1, 1);
    desktop.desktop.append({QStringLiteral("Nowa"), QPoint(300, 300)});
    QCOMPARE(runAndWait(s, false), QString());
    QCOMPARE(desktop.moveCalls.size(), 1);
    QCOMPARE(desktop.moveCalls[0].size(), 2);
    QCOMPARE(desktop.desktop[3].position, QPoint(10, 240));
    QCOMPARE(desktop.desktop[9].position, QPoint(10, 720));
    QCOMPARE(desktop.desktop.last().position, QPoint(300, 300));

    // Nothing moved since: the desktop is not touched.
    QCOMPARE(runAndWait(s, false), QString());
    QCOMPARE(desktop.moveCalls.size(), 1);
}

void TestIconLayoutService::failuresAreReported()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Ikony_Ola.ini"));
    FakeDesktopIcons desktop;
    desktop.isAvailable = false;
    int made = 0;
    IconLayoutService s(file, [&] {
        ++made;
        return std::make_unique<Forward>(desktop);
    });
    QCOMPARE(s.save(), IconLayoutService::notAvailableText());
    // The desktop's program started meanwhile: it is found on the next use.
    desktop.isAvailable = true;
    desktop.failRead = true;
    QCOMPARE(runAndWait(s, true), QStringLiteral("Nie można odczytać pozycji ikon pulpitu."));
    QCOMPARE(made, 2);
    QVERIFY(!QFile::exists(file));

    // A desktop without icons leaves a saved file alone.
    QVERIFY(test::writeFile(file, "Kosz/1/2\r\n"));
    desktop.failRead = false;
    QCOMPARE(runAndWait(s, true), QString());
    QCOMPARE(test::fileBytes(file), QByteArray("Kosz/1/2\r\n"));

    desktop.desktop = {{QStringLiteral("Kosz"), QPoint(5, 5)}};
    desktop.moveError = QStringLiteral("Nie udało się przesunąć ikon: Kosz");
    QCOMPARE(runAndWait(s, false), desktop.moveError);
}

QTEST_MAIN(TestIconLayoutService)
#include "tst_icon_layout_service.moc"

#include "core/app/StartupData.h"
#include "core/reminders/ChimeSettings.h"
#include "ui/common/AddonListMarks.h"
#include "ui/reminders/ChimePage.h"
#include "support/RecordingPrompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;

namespace {

// A data folder with sets "Alfa" and "Beta", the page on it, and every
// sound and dialog recorded instead of done.
struct Fixture {
    QTemporaryDir dir;
    ChimeSettings settings;
    RecordingPrompts prompts;
    QStringList& warned = prompts.messages;
    bool& answer = prompts.answer;
    ChimePage page{settings, prompts};
    QStringList played;    // "set:<relative>" / "file:<path>"
    QStringList closed;    // "set" / "file"
    QList<int> volumes;

    QString godziny() const { return QDir(dir.path()).filePath(QStringLiteral("Godziny")); }

    Fixture()
    {
        answer = true;
        const QDir root(dir.path());
        for (const char* set : {"Alfa", "Beta"}) {
            root.mkpath(QStringLiteral("Godziny/") + QLatin1String(set));
            for (int h = 1; h <= 24; ++h) {
                QFile f(root.filePath(QStringLiteral("Godziny/%1/%2.mp3").arg(QLatin1String(set)).arg(h, 2, 10, QLatin1Char('0'))));
                (void)f.open(QIODevice::WriteOnly);
            }
        }
        settings.mode = ChimeSettings::Set;
        settings.setChoice = ChimeSettings::Chosen;
        settings.file = root.filePath(QStringLiteral("Godziny/Alfa/05.mp3"));
        ChimePage::Callbacks cb;
        cb.rescanSets = [this] { return discoverChimeSets(dir.path()); };
        cb.setFolder = [this](const QString& f) { return QDir(godziny()).filePath(f); };
        cb.chimeFolder = [this] { return godziny(); };
        cb.chosenFile = [this] { return settings.file; };
        cb.playSetFile = [this](const QString& p) { played << QStringLiteral("set:") + QDir(godziny()).relativeFilePath(p); };
        cb.closeSetPlayer = [this] { closed << QStringLiteral("set"); };
        cb.playFileTest = [this](const QString& p) { played << QStringLiteral("file:") + p; };
        cb.closeFilePlayer = [this] { closed << QStringLiteral("file"); };
        cb.volumeChanged = [this](int v) { volumes << v; };
        page.setCallbacks(std::move(cb));
    }

    template <typename T>
    T* find(const char* name) { return page.findChild<T*>(QLatin1String(name)); }
    QPushButton* button(const QString& text)
    {
        for (QPushButton* b : page.findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }
};

} // namespace

class TestChimePage : public QObject {
    Q_OBJECT
private slots:
    void modeShowsItsGroups_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("setGroup");
        QTest::addColumn<bool>("fileGroup");
        QTest::addColumn<bool>("hours");
        QTest::newRow("off") << 0 << false << false << false;
        QTest::newRow("set") << 1 << true << false << true;
        QTest::newRow("file") << 2 << false << true << true;
    }
    void modeShowsItsGroups()
    {
        QFETCH(int, mode);
        QFETCH(bool, setGroup);
        QFETCH(bool, fileGroup);
        QFETCH(bool, hours);
        Fixture f;
        f.page.show();
        f.find<QComboBox>("mode")->setCurrentIndex(mode);
        QCOMPARE(f.settings.mode, mode);
        QGroupBox* sets = nullptr;
        QGroupBox* file = nullptr;
        QGroupBox* hoursGroup = nullptr;
        for (QGroupBox* g : f.page.findChildren<QGroupBox*>()) {
            if (g->title() == QStringLiteral("Zestaw dźwięków"))
                sets = g;
            else if (g->title() == QStringLiteral("Plik *.wav lub *.mp3"))
                file = g;
            else if (g->title() == QStringLiteral("Godziny odtwarzania"))
                hoursGroup = g;
        }
        QCOMPARE(sets->isVisible(), setGroup);
        QCOMPARE(file->isVisible(), fileGroup);
        QCOMPARE(hoursGroup->isVisible(), hours);
    }

    // Each set's version file: its first line, as it is written, and never
    // more than a version could be however large the file.
    void versionsOfSets()
    {
        Fixture f;
        QFile alfa(QDir(f.godziny()).filePath(QStringLiteral("Alfa/Wersja.ini")));
        QVERIFY(alfa.open(QIODevice::WriteOnly));
        alfa.write("1.2 \xb3\xf3\x64\x9f\r\ndruga linia\r\n");
        alfa.close();
        QFile beta(QDir(f.godziny()).filePath(QStringLiteral("Beta/WERSJA.INI")));
        QVERIFY(beta.open(QIODevice::WriteOnly));
        beta.write(QByteArray(2 * 1024 * 1024, 'x'));
        beta.close();
        f.page.reload();
        auto* list = f.find<QComboBox>("setList");
        QCOMPARE(list->count(), 2);
        // The version is drawn after the name, in grey, as in every add-on list.
        QCOMPARE(list->itemText(0), QStringLiteral("Alfa"));
        QCOMPARE(list->itemData(0, kAddonVersionRole).toString(), QStringLiteral("1.2 łódź"));
        QVERIFY(list->itemData(1, kAddonVersionRole).toString().startsWith(QStringLiteral("xxx")));
        QVERIFY(list->itemData(1, kAddonVersionRole).toString().size() <= 4096);
        QVERIFY(list->itemData(0, kAddonAgeRole).toInt() < kNewAddonHours);
    }

    void installedSetIsChosen()
    {
        Fixture f;
        f.settings.mode = ChimeSettings::Off;
        f.settings.setChoice = ChimeSettings::Random;
        f.page.reload();
        auto* list = f.find<QComboBox>("setList");
        QVERIFY(f.page.chooseInstalledSet(QStringLiteral("beta")));
        QCOMPARE(f.settings.mode, int(ChimeSettings::Set));
        QCOMPARE(f.settings.setChoice, int(ChimeSettings::Chosen));
        QCOMPARE(f.settings.setNumber, 2);
        QCOMPARE(list->currentText(), QStringLiteral("Beta"));
        QVERIFY(!f.page.chooseInstalledSet(QStringLiteral("Gamma")));
        QCOMPARE(f.settings.setNumber, 2);
    }

    void noSetsShowsTheHint()
    {
        Fixture f;
        QVERIFY(QDir(f.godziny()).removeRecursively());
        f.page.reload();
        f.page.show();
        bool hint = false;
        for (QLabel* l : f.page.findChildren<QLabel*>())
            hint = hint || (l->text() == QStringLiteral("Nie masz żadnych dźwięków.") && l->isVisible());
        QVERIFY(hint);
    }

    void wholeDayStoresFullRangeAndDisablesLists()
    {
        Fixture f;
        f.find<QRadioButton>("range")->setChecked(true);
        f.find<QComboBox>("from")->setCurrentIndex(22);
        f.find<QComboBox>("to")->setCurrentIndex(6);
        QCOMPARE(f.settings.firstHour, 22);
        QCOMPARE(f.settings.lastHour, 6);
        QVERIFY(f.find<QComboBox>("from")->isEnabled());
        f.find<QRadioButton>("wholeDay")->setChecked(true);
        QCOMPARE(f.settings.firstHour, 0);
        QCOMPARE(f.settings.lastHour, 23);
        QVERIFY(!f.find<QComboBox>("from")->isEnabled());
        QVERIFY(!f.find<QComboBox>("to")->isEnabled());
    }

    void volumeShowsPercentAndReachesPlayers()
    {
        Fixture f;
        f.find<QSlider>("volume")->setValue(35);
        QCOMPARE(f.find<QLabel>("volumeText")->text(), QStringLiteral("35%"));
        QCOMPARE(f.settings.volume, 35);
        QCOMPARE(f.volumes, QList<int>({35}));
    }

    void fileTestPlaysAndStops()
    {
        Fixture f;
        f.find<QComboBox>("mode")->setCurrentIndex(ChimeSettings::File);
        QPushButton* test = f.find<QPushButton>("fileTest");
        test->click();
        QCOMPARE(f.played, QStringList({QStringLiteral("file:") + f.settings.file}));
        QVERIFY(f.page.fileTestRunning());
        test->click();
        QVERIFY(!f.page.fileTestRunning());
        QCOMPARE(f.closed, QStringList({QStringLiteral("file")}));
        // The end of the sound releases the button too.
        test->click();
        f.page.fileTestEnded();
        QVERIFY(!test->isChecked());
    }

    void fileTestOfMissingFileWarnsAndReleases()
    {
        Fixture f;
        f.settings.file = f.dir.filePath(QStringLiteral("brak.mp3"));
        f.find<QComboBox>("mode")->setCurrentIndex(ChimeSettings::File);
        f.find<QPushButton>("fileTest")->click();
        QVERIFY(f.played.isEmpty());
        QVERIFY(!f.page.fileTestRunning());
        QCOMPARE(f.warned, QStringList({QStringLiteral("Zorvex - Dźwięk co godzinę: Plik nie istnieje: ")
                                        + f.settings.file}));
    }

    void leavingFileModeStopsItsTest()
    {
        Fixture f;
        f.find<QComboBox>("mode")->setCurrentIndex(ChimeSettings::File);
        f.find<QPushButton>("fileTest")->click();
        f.find<QComboBox>("mode")->setCurrentIndex(ChimeSettings::Off);
        QVERIFY(!f.page.fileTestRunning());
        QCOMPARE(f.closed, QStringList({QStringLiteral("file")}));
    }

    void setTestPlaysHoursInTurnThenEnds()
    {
        Fixture f;
        f.find<QComboBox>("setList")->setCurrentIndex(1);
        QCOMPARE(f.settings.setNumber, 2);
        QPushButton* test = f.find<QPushButton>("setTest");
        test->click();
        QCOMPARE(f.played, QStringList({QStringLiteral("set:Beta/01.mp3")}));
        for (int h = 2; h <= 24; ++h) {
            f.page.setTestFileEnded();
            QTRY_COMPARE(f.played.size(), h);
        }
        QCOMPARE(f.played.last(), QStringLiteral("set:Beta/24.mp3"));
        f.page.setTestFileEnded();
        QTRY_VERIFY(!f.page.setTestRunning());
        QCOMPARE(f.closed, QStringList({QStringLiteral("set")}));
    }

    void changingSetStopsTest()
    {
        Fixture f;
        f.find<QPushButton>("setTest")->click();
        f.find<QComboBox>("setList")->setCurrentIndex(1);
        QVERIFY(!f.page.setTestRunning());
        QCOMPARE(f.closed, QStringList({QStringLiteral("set")}));
    }

    void deleteSet_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("yes") << true << QStringList({QStringLiteral("Alfa")});
        QTest::newRow("no") << false << QStringList({QStringLiteral("Alfa"), QStringLiteral("Beta")});
    }
    void deleteSet()
    {
        QFETCH(bool, answer);
        QFETCH(QStringList, left);
        Fixture f;
        f.answer = answer;
        f.find<QComboBox>("setList")->setCurrentIndex(1);
        f.button(QStringLiteral("Usuń wybrany zestaw dźwięków"))->click();
        QCOMPARE(discoverChimeSets(f.dir.path()).folders, left);
        QCOMPARE(f.find<QComboBox>("setList")->count(), left.size());
        // The same position, or the new last entry.
        QCOMPARE(f.settings.setNumber, static_cast<int>(left.size()));
        QVERIFY(QDir(f.dir.filePath(QStringLiteral("Godziny/Alfa"))).exists());
    }
};

QTEST_MAIN(TestChimePage)
#include "tst_chimepage_controls.moc"

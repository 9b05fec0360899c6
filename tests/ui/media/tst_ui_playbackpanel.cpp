#include "core/media/MediaSettings.h"
#include "core/media/PanelRules.h"
#include "support/FakeClock.h"
#include "ui/media/PanelOptionsWindow.h"
#include "ui/media/PanelSkinList.h"
#include "ui/media/PlaybackPanel.h"
#include "support/RecordingPrompts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

class TestPlaybackPanel : public QObject {
    Q_OBJECT

private slots:
    void geometryAndSkinSize();
    void tintedToTheWindowColour();
    void buttonsClickOnRelease();
    void switchChangesMode();
    void seekKnobHiddenWhileDisabled();
    void radioSliderRefusedWhileRecording();
    void optionsWindow();
    void skinListMarksAndChoice();
    void skinDeletion_data();
    void skinDeletion();

private:
    static void click(QWidget* w, int x, int y)
    {
        QTest::mousePress(w, Qt::LeftButton, {}, QPoint(x, y));
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(x, y));
    }
};

void TestPlaybackPanel::geometryAndSkinSize()
{
    PlaybackPanelSettings s;
    PlaybackPanel p(s);
    QCOMPARE(p.objectName(), QStringLiteral("PSnd"));
    QCOMPARE(p.size(), QSize(145, 18));
    QCOMPARE(p.picture().size(), QSize(145, 18));
    const QImage before = p.tintedSkin();
    QImage wrong(172, 34, QImage::Format_RGB32);
    wrong.fill(Qt::gray);
    QVERIFY(!p.setSkin(wrong));
    QCOMPARE(p.tintedSkin(), before); // the current picture stays
    QImage right(173, 34, QImage::Format_RGB32);
    right.fill(Qt::gray);
    QVERIFY(p.setSkin(right));
}

void TestPlaybackPanel::tintedToTheWindowColour()
{
    QImage skin(173, 34, QImage::Format_RGB32);
    skin.fill(qRgb(255, 255, 255));
    skin.setPixel(0, 0, qRgb(128, 128, 128));
    skin.setPixel(1, 0, qRgb(10, 20, 30)); // not grey: kept
    const QImage t = PlaybackPanel::tint(skin, QColor(30, 200, 100));
    QCOMPARE(t.pixel(5, 5), qRgb(78, 200, 100));
    QCOMPARE(t.pixel(0, 0), qRgb(0, 73, 0));
    QCOMPARE(t.pixel(1, 0), qRgb(10, 20, 30));
}

void TestPlaybackPanel::buttonsClickOnRelease()
{
    PlaybackPanelSettings s;
    PlaybackPanel p(s);
    QSignalSpy commands(&p, &PlaybackPanel::playerCommand);
    click(&p, 20, 8);
    QCOMPARE(commands.size(), 1);
    QCOMPARE(commands.first().first().toInt(), 1);
    // Pressed on one button, let go on another: no click.
    QTest::mousePress(&p, Qt::LeftButton, {}, QPoint(3, 8));
    QTest::mouseRelease(&p, Qt::LeftButton, {}, QPoint(50, 8));
    QCOMPARE(commands.size(), 1);
}

void TestPlaybackPanel::switchChangesMode()
{
    PlaybackPanelSettings s;
    PlaybackPanel p(s);
    QSignalSpy radio(&p, &PlaybackPanel::radioCommand);
    click(&p, 138, 14);
    QCOMPARE(p.mode(), PlaybackPanel::Radio);
    QCOMPARE(s.mode, 1);
    click(&p, 3, 8);
    QCOMPARE(radio.size(), 1);
    click(&p, 138, 3);
    QCOMPARE(p.mode(), PlaybackPanel::Player);
}

void TestPlaybackPanel::seekKnobHiddenWhileDisabled()
{
    PlaybackPanelSettings s;
    PlaybackPanel p(s);
    QSignalSpy seeks(&p, &PlaybackPanel::seekRequested);
    PanelView v;
    v.seekEnabled = false;
    p.setView(v);
    const QImage hidden = p.picture();
    click(&p, 100, 9); // no drag while the bar is disabled
    QCOMPARE(seeks.size(), 0);
    v.seekEnabled = true;
    v.seekMaximum = 200;
    v.seekPosition = 100;
    p.setView(v);
    QVERIFY(p.picture() != hidden);
    QTest::mousePress(&p, Qt::LeftButton, {}, QPoint(panel::kTrackLeft + 45, 9));
    QTest::mouseRelease(&p, Qt::LeftButton, {}, QPoint(panel::kTrackLeft + 45, 9));
    QCOMPARE(seeks.size(), 1);
    QCOMPARE(seeks.first().first().toInt(), 200);
}

void TestPlaybackPanel::radioSliderRefusedWhileRecording()
{
    PlaybackPanelSettings s;
    s.mode = PlaybackPanel::Radio;
    s.recordingTime = true;
    PlaybackPanel p(s);
    QSignalSpy volume(&p, &PlaybackPanel::radioVolumeRequested);
    PanelView v;
    v.recording = true;
    p.setView(v);
    click(&p, 100, 9);
    QCOMPARE(volume.size(), 0);
    v.recording = false;
    p.setView(v);
    click(&p, 100, 9);
    QCOMPARE(volume.size(), 1);
}

void TestPlaybackPanel::optionsWindow()
{
    PlaybackPanelSettings s;
    PanelOptionsWindow w(s);
    QSignalSpy changed(&w, &PanelOptionsWindow::changed);
    w.findChild<QRadioButton*>(QStringLiteral("RadioButton3"))->setChecked(true);
    QCOMPARE(s.rightPart, int(PlaybackPanelSettings::Elapsed));
    QCOMPARE(changed.size(), 1);
}

namespace {

// Skin folders "A", "B", "C" with a picture each, written `hoursOld` ago.
void writeSkins(const QString& root, const QDateTime& now, int hoursOld = 48)
{
    QImage skin(173, 34, QImage::Format_RGB32);
    skin.fill(Qt::gray);
    for (const char* name : {"A", "B", "C"}) {
        QVERIFY(QDir(root).mkpath(QLatin1String(name)));
        const QString file = root + u'/' + QLatin1String(name) + QStringLiteral("/skin.bmp");
        QVERIFY(skin.save(file));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(now.addSecs(-3600 * hoursOld), QFileDevice::FileModificationTime));
    }
}

} // namespace

void TestPlaybackPanel::skinListMarksAndChoice()
{
    QTemporaryDir dir;
    const QDateTime now(QDate(2026, 5, 1), QTime(12, 0));
    FakeClock clock(now);
    writeSkins(dir.path(), now);
    // Any letter case of the picture's name; no picture, or the built-in
    // name, is no skin.
    QVERIFY(QDir(dir.path()).rename(QStringLiteral("C/skin.bmp"), QStringLiteral("C/Skin.BMP")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Pusta")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("DOMYŚLNY")));
    QVERIFY(QFile::copy(dir.filePath(QStringLiteral("A/skin.bmp")), dir.filePath(QStringLiteral("DOMYŚLNY/skin.bmp"))));
    QFile version(dir.filePath(QStringLiteral("B/Wersja.ini")));
    QVERIFY(version.open(QIODevice::WriteOnly));
    version.write("1.2\r\n");
    version.close();
    QFile fresh(dir.filePath(QStringLiteral("B/skin.bmp")));
    QVERIFY(fresh.open(QIODevice::ReadWrite));
    QVERIFY(fresh.setFileTime(now.addSecs(-3600 * 3), QFileDevice::FileModificationTime));
    fresh.close();

    PlaybackPanelSettings s;
    s.skin = QStringLiteral("B");
    RecordingPrompts prompts;
    PanelSkinList list(s, dir.path(), clock, prompts);
    QComboBox* combo = list.comboBox();
    QCOMPARE(combo->objectName(), QStringLiteral("ComboBox39"));
    QStringList names;
    for (int i = 0; i < combo->count(); ++i)
        names << combo->itemText(i);
    QCOMPARE(names, (QStringList{QStringLiteral("Domyślny"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
    QCOMPARE(combo->currentText(), QStringLiteral("B"));
    QCOMPARE(combo->itemData(2, PanelSkinList::kVersionRole).toString(), QStringLiteral("1.2"));
    QCOMPARE(combo->itemData(2, PanelSkinList::kAgeRole).toInt(), 3);
    QCOMPARE(combo->itemData(1, PanelSkinList::kAgeRole).toInt(), 25);

    QSignalSpy chosen(&list, &PanelSkinList::skinChosen);
    list.choose(3);
    QCOMPARE(s.skin, QStringLiteral("C"));
    QCOMPARE(chosen.last().first().toString(), dir.filePath(QStringLiteral("C/Skin.BMP")));
    list.choose(0);
    QCOMPARE(s.skin, QStringLiteral("Domyślny"));
    QVERIFY(chosen.last().first().toString().isEmpty());
    QVERIFY(!list.deleteButton()->isEnabled()); // the built-in one has no folder
}

void TestPlaybackPanel::skinDeletion_data()
{
    QTest::addColumn<QString>("inUse");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("selectedAfter");
    QTest::addColumn<QString>("inUseAfter");
    QTest::newRow("the one in use: the next takes its place") << u"B"_s << 2 << true << u"C"_s << u"C"_s;
    QTest::newRow("the last: the new last is selected") << u"A"_s << 3 << true << u"B"_s << u"A"_s;
    QTest::newRow("answered No") << u"B"_s << 2 << false << u"B"_s << u"B"_s;
}

void TestPlaybackPanel::skinDeletion()
{
    QFETCH(QString, inUse);
    QFETCH(int, selected);
    QFETCH(bool, yes);
    QFETCH(QString, selectedAfter);
    QFETCH(QString, inUseAfter);
    QTemporaryDir dir;
    FakeClock clock;
    writeSkins(dir.path(), clock.now());
    PlaybackPanelSettings s;
    s.skin = inUse;
    RecordingPrompts prompts;
    prompts.answer = yes;
    PanelSkinList list(s, dir.path(), clock, prompts);
    QSignalSpy chosen(&list, &PanelSkinList::skinChosen);
    list.comboBox()->setCurrentIndex(selected);
    const QString name = list.comboBox()->currentText();
    list.deleteButton()->click();
    QCOMPARE(prompts.asked, QStringList{u"Usuwanie skóry panelu odtwarzania: Na pewno usunąć wybraną skórkę panelu odtwarzania?"_s});
    QCOMPARE(QDir(dir.path()).exists(name), !yes);
    QCOMPARE(list.comboBox()->findText(name) >= 0, !yes);
    QCOMPARE(list.comboBox()->currentText(), selectedAfter);
    QCOMPARE(s.skin, inUseAfter);
    QCOMPARE(chosen.size(), inUseAfter == inUse ? 0 : 1);
    QVERIFY(QDir(dir.path()).exists()); // only the skin's own folder goes
}

QTEST_MAIN(TestPlaybackPanel)
#include "tst_ui_playbackpanel.moc"

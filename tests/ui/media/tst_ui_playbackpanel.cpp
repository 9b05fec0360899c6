#include "core/media/MediaSettings.h"
#include "core/media/PanelRules.h"
#include "ui/media/PanelOptionsWindow.h"
#include "ui/media/PlaybackPanel.h"
#include "support/RecordingPrompts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include <QSignalSpy>
#include <QTest>

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
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Zielona")));
    QImage skin(173, 34, QImage::Format_RGB32);
    skin.fill(Qt::gray);
    QVERIFY(skin.save(dir.filePath(QStringLiteral("Zielona/skin.bmp"))));
    PlaybackPanelSettings s;
    s.skin = QStringLiteral("Zielona");
    RecordingPrompts prompts;
    PanelOptionsWindow w(s, dir.path(), prompts);
    QCOMPARE(w.skinList()->count(), 2);
    QCOMPARE(w.skinList()->currentText(), QStringLiteral("Zielona"));
    QSignalSpy changed(&w, &PanelOptionsWindow::changed);
    w.findChild<QRadioButton*>(QStringLiteral("RadioButton3"))->setChecked(true);
    QCOMPARE(s.rightPart, int(PlaybackPanelSettings::Elapsed));
    QCOMPARE(changed.size(), 1);

    QSignalSpy chosen(&w, &PanelOptionsWindow::skinChosen);
    w.deleteSelectedSkin(false);
    QVERIFY(!QDir(dir.path()).exists(QStringLiteral("Zielona")));
    QCOMPARE(w.skinList()->count(), 1);
    QCOMPARE(s.skin, QStringLiteral("Domyślny"));
    QCOMPARE(chosen.size(), 1);
    QVERIFY(chosen.first().first().toString().isEmpty()); // back to the built-in skin
    w.deleteSelectedSkin(false); // the built-in one has nothing to delete
    QCOMPARE(w.skinList()->count(), 1);
    QVERIFY(QDir(dir.path()).exists());
}

QTEST_MAIN(TestPlaybackPanel)
#include "tst_ui_playbackpanel.moc"

#include "core/app/Settings.h"
#include "core/calendar/Zodiac.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/reminders/ZodiacPersons.h"
#include "support/FakeClock.h"
#include "ui/calendar/ZodiacController.h"
#include "ui/calendar/ZodiacPictures.h"
#include "ui/calendar/ZodiacSetList.h"
#include "support/RecordingPrompts.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace zorvex;

namespace {

QString u(const char* s)
{
    return QString::fromUtf8(s);
}

QStringList names(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* s : list)
        out << QString::fromUtf8(s);
    return out;
}

const QRgb kInk = qRgb(10, 10, 10);
const QRgb kMagenta = qRgb(255, 0, 255);
const QRgb kOther = qRgb(11, 10, 10); // one step from the ink: left alone

void touch(const QString& path, const QByteArray& content = QByteArray())
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// A 3 x 1 bitmap: ink, magenta, a near-ink colour.
void writeKeyedBitmap(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage img(3, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, kInk);
    img.setPixel(1, 0, kMagenta);
    img.setPixel(2, 0, kOther);
    QVERIFY(img.save(path, "BMP"));
}

void writeCompleteSet(const QString& folder)
{
    QDir().mkpath(folder);
    QImage img(2, 2, QImage::Format_RGB32);
    img.fill(Qt::red);
    for (int s = 1; s <= 12; ++s)
        QVERIFY(img.save(folder + QStringLiteral("/%1.png").arg(s, 2, 10, QLatin1Char('0')), "PNG"));
}

void makeOld(const QString& folder)
{
    const QDateTime old(QDate(2020, 1, 1), QTime(0, 0));
    for (const QFileInfo& fi : QDir(folder).entryInfoList(QDir::Files)) {
        QFile f(fi.filePath());
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
    }
}

QStringList itemTexts(const QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

int countPixels(const QImage& img, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) | 0xFF000000u) == colour;
    return n;
}

QImage paintItem(ZodiacSetList& list, int index, bool selected)
{
    QComboBox* c = list.comboBox();
    QStyleOptionViewItem opt;
    opt.rect = QRect(0, 0, 240, 20);
    opt.state = QStyle::State_Enabled | (selected ? QStyle::State_Selected : QStyle::State_None);
    opt.font = c->font();
    opt.font.setStyleStrategy(QFont::NoAntialias);
    opt.fontMetrics = QFontMetrics(opt.font);
    opt.palette = c->palette();
    QImage img(240, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    c->itemDelegate()->paint(&p, opt, c->model()->index(index, 0));
    return img;
}

} // namespace

class TstZodiacUi : public QObject {
    Q_OBJECT
private slots:
    void init();
    void builtInPictures();
    void setPictureLookup_data();
    void setPictureLookup();
    void drawingRules();
    void setList();
    void setListMarks();
    void deleteSet();
    void pickFixedPicture();
    void controllerDailyRefresh();
    void horoscopeMenu();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    QString m_sets;
};

void TstZodiacUi::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_data = m_dir->path() + QLatin1Char('/');
    m_sets = m_data + QStringLiteral("Gfx/Zodiak/");
    QDir().mkpath(m_sets);
}

void TstZodiacUi::builtInPictures()
{
    QSet<QByteArray> seen;
    const QRgb red = qRgb(200, 0, 0);
    for (int s = 1; s <= 12; ++s) {
        const QImage raw = builtInZodiacPicture(s);
        QCOMPARE(raw.size(), QSize(108, 34));
        QCOMPARE(raw.pixel(0, 0), qRgb(250, 250, 250));
        // Name and symbol: the left box and the text area both carry ink.
        QVERIFY(countPixels(raw.copy(0, 0, 36, 34), qRgb(0, 0, 0)) > 20);
        QVERIFY(countPixels(raw.copy(38, 0, 70, 34), qRgb(0, 0, 0)) > 20);
        seen.insert(QByteArray(reinterpret_cast<const char*>(raw.constBits()), int(raw.sizeInBytes())));

        const QImage shown = colouredBuiltInZodiacPicture(s, colourFromRgb(200, 0, 0));
        QCOMPARE(shown.size(), QSize(108, 34));
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 108; ++x) {
                const bool background = raw.pixel(x, y) == qRgb(250, 250, 250);
                QCOMPARE(shown.pixel(x, y), background ? 0u : red);
            }
    }
    QCOMPARE(seen.size(), 12);
    QVERIFY(builtInZodiacPicture(0).isNull());
    QVERIFY(builtInZodiacPicture(13).isNull());
}

void TstZodiacUi::setPictureLookup_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("sign");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two-digit png first") << names({"1.png", "01.gif", "01.bmp", "01.png"}) << 1 << u("01.png");
    QTest::newRow("plain png before gif") << names({"1.png", "01.gif"}) << 1 << u("1.png");
    QTest::newRow("gif before bmp") << names({"1.gif", "01.bmp"}) << 1 << u("1.gif");
    QTest::newRow("bmp last") << names({"1.bmp", "01.bmp"}) << 1 << u("01.bmp");
    QTest::newRow("letter case ignored") << names({"12.BMP"}) << 12 << u("12.BMP");
    QTest::newRow("another sign only") << names({"02.png", "10.png"}) << 1 << u("");
    QTest::newRow("sign 0") << names({"0.png", "00.png"}) << 0 << u("");
}

void TstZodiacUi::setPictureLookup()
{
    QFETCH(QStringList, files);
    QFETCH(int, sign);
    QFETCH(QString, expected);
    const QString folder = m_sets + QStringLiteral("Zestaw");
    for (const QString& f : files)
        touch(folder + QLatin1Char('/') + f);
    const QString found = zodiacSetPictureFile(folder, sign);
    QCOMPARE(found.isEmpty() ? QString() : QFileInfo(found).fileName(), expected);
}

void TstZodiacUi::drawingRules()
{
    const PathTable paths(m_data, QStringLiteral("Test"), QString());
    writeKeyedBitmap(m_sets + QStringLiteral("Zestaw/01.bmp"));
    writeKeyedBitmap(m_sets + u("stały.bmp"));
    touch(m_sets + QStringLiteral("Zestaw/2.gif"));
    const Colour blue = colourFromRgb(0, 0, 255);
    const QSize area(3, 1);
    MainWindowSettings s = Settings().main;

    // A set's bitmap: exactly the ink takes the colour, magenta vanishes.
    s.zodiacSignSet = QStringLiteral("Zestaw");
    const ZodiacPicture bitmap = zodiacPicture(s, paths, 1, blue, area);
    QImage img = bitmap.image;
    QCOMPARE(img.pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(qAlpha(img.pixel(1, 0)), 0);
    QCOMPARE(img.pixel(2, 0), kOther);
    QCOMPARE(bitmap.transparent, std::optional<Colour>(colourFromRgb(255, 0, 255)));
    QVERIFY(!bitmap.builtIn);

    // A set's gif plays unstretched.
    const ZodiacPicture gif = zodiacPicture(s, paths, 2, blue, area);
    QVERIFY(gif.image.isNull());
    QCOMPARE(QFileInfo(gif.movieFile).fileName(), QStringLiteral("2.gif"));

    // A set lacking the sign, or a set that is gone: the built-in picture.
    const QImage builtIn = colouredBuiltInZodiacPicture(3, blue);
    const ZodiacPicture fallback = zodiacPicture(s, paths, 3, blue, QSize(108, 34));
    QCOMPARE(fallback.image, builtIn);
    QCOMPARE(fallback.transparent, std::optional<Colour>(kZodiacBuiltInBackground));
    QVERIFY(fallback.builtIn);
    // So does a set picture that cannot be read, and it is keyed as the
    // built-in one, not as a bitmap.
    touch(m_sets + QStringLiteral("Zestaw/04.bmp"), "not a picture");
    const ZodiacPicture unreadable = zodiacPicture(s, paths, 4, blue, QSize(108, 34));
    QCOMPARE(unreadable.image, colouredBuiltInZodiacPicture(4, blue));
    QCOMPARE(unreadable.transparent, std::optional<Colour>(kZodiacBuiltInBackground));
    QVERIFY(unreadable.builtIn);
    s.zodiacSignSet = QStringLiteral("Usunięty");
    QCOMPARE(zodiacPicture(s, paths, 3, blue, QSize(108, 34)).image, builtIn);
    // The main window's area is 115 wide: the picture keeps its 108 pixels
    // (pixel for pixel) rather than being stretched without smoothing.
    QCOMPARE(zodiacPicture(s, paths, 3, blue, QSize(115, 34)).image, builtIn);
    QVERIFY(zodiacPicture(s, paths, 0, blue, area).image.isNull());

    // The fixed picture, stored relative with either slash: a bitmap keeps
    // its ink and only loses the magenta.
    s.zodiacFixedPicture = 1;
    for (const QString& stored : QStringList{u("Gfx\\Zodiak\\stały.bmp"), u("Gfx/Zodiak/stały.bmp"), m_sets + u("stały.bmp")}) {
        s.zodiacPicture = stored;
        const ZodiacPicture fixed = zodiacPicture(s, paths, 1, blue, area);
        img = fixed.image;
        QVERIFY2(!img.isNull(), qPrintable(stored));
        QCOMPARE(img.pixel(0, 0), kInk);
        QCOMPARE(qAlpha(img.pixel(1, 0)), 0);
        QCOMPARE(fixed.transparent, std::optional<Colour>(colourFromRgb(255, 0, 255)));
        QVERIFY(!fixed.builtIn);
    }
    // A missing fixed picture shows nothing, even with a set chosen.
    s.zodiacSignSet = QStringLiteral("Zestaw");
    s.zodiacPicture = m_data + QStringLiteral("brak.png");
    const ZodiacPicture none = zodiacPicture(s, paths, 1, blue, area);
    QVERIFY(none.image.isNull());
    QVERIFY(none.movieFile.isEmpty());
}

void TstZodiacUi::setList()
{
    writeCompleteSet(m_sets + QStringLiteral("Nowy"));
    touch(m_sets + QStringLiteral("Nowy/Wersja.ini"), "1.2\r\ndruga linia\r\n");
    writeCompleteSet(m_sets + QStringLiteral("Stary"));
    makeOld(m_sets + QStringLiteral("Stary"));
    writeCompleteSet(m_sets + u("Niepełny"));
    QVERIFY(QFile::remove(m_sets + u("Niepełny/07.png")));
    writeCompleteSet(m_sets + u("domyślny"));
    // One sign as a plain-named bitmap still completes the set.
    writeCompleteSet(m_sets + QStringLiteral("Mieszany"));
    QVERIFY(QFile::remove(m_sets + QStringLiteral("Mieszany/09.png")));
    writeKeyedBitmap(m_sets + QStringLiteral("Mieszany/9.bmp"));

    const PathTable paths(m_data, QStringLiteral("Test"), QString());
    const SystemClock clock;
    Settings settings;
    settings.main.zodiacSignSet = QStringLiteral("Stary");
    RecordingPrompts prompts;
    ZodiacSetList list(settings, paths, clock, prompts);
    QComboBox* c = list.comboBox();
    QCOMPARE(itemTexts(c), (QStringList{u("Domyślny"), u("Mieszany"), u("Nowy"), u("Stary"), u("Stały obrazek"),
                                        u("Wybierz obrazek...")}));
    QCOMPARE(c->currentText(), QStringLiteral("Stary"));
    QCOMPARE(c->itemData(2, ZodiacSetList::kVersionRole).toString(), QStringLiteral("1.2"));
    QVERIFY(c->itemData(2, ZodiacSetList::kAgeRole).toInt() < 25);
    QCOMPARE(c->itemData(3, ZodiacSetList::kAgeRole).toInt(), 25);
    QVERIFY(list.deleteButton()->isEnabled());

    // A chosen set that is gone selects "Domyślny"; the fixed picture's
    // name shows when the picture exists.
    writeKeyedBitmap(m_sets + QStringLiteral("obraz.bmp"));
    settings.main.zodiacSignSet = QStringLiteral("Niepełny");
    settings.main.zodiacPicture = QStringLiteral("Gfx/Zodiak/obraz.bmp");
    list.reload();
    QCOMPARE(c->currentIndex(), 0);
    QVERIFY(!list.deleteButton()->isEnabled());
    QCOMPARE(c->itemText(4), u("Stały obrazek: obraz.bmp"));
    settings.main.zodiacFixedPicture = 1;
    list.reload();
    QCOMPARE(c->currentIndex(), 4);

    // Choosing a set stores it and asks for a redraw.
    QSignalSpy changed(&list, &ZodiacSetList::choiceChanged);
    list.choose(2);
    QCOMPARE(settings.main.zodiacFixedPicture, 0);
    QCOMPARE(settings.main.zodiacSignSet, QStringLiteral("Nowy"));
    list.choose(0);
    QCOMPARE(settings.main.zodiacSignSet, QString());
    list.choose(4);
    QCOMPARE(settings.main.zodiacFixedPicture, 1);
    QCOMPARE(changed.count(), 3);

    // An add-on just installed is chosen by its name in any letter case; a
    // single picture becomes the fixed one.
    QVERIFY(list.chooseInstalled(QStringLiteral("mieszany")));
    QCOMPARE(settings.main.zodiacFixedPicture, 0);
    QCOMPARE(settings.main.zodiacSignSet, QStringLiteral("Mieszany"));
    QCOMPARE(c->currentText(), QStringLiteral("Mieszany"));
    QVERIFY(list.chooseInstalled(QStringLiteral("obraz.bmp")));
    QCOMPARE(settings.main.zodiacFixedPicture, 1);
    QCOMPARE(settings.main.zodiacPicture, QStringLiteral("Gfx/Zodiak/obraz.bmp"));
    QCOMPARE(c->currentText(), u("Stały obrazek: obraz.bmp"));
    QVERIFY(!list.chooseInstalled(QStringLiteral("brak")));
    QCOMPARE(settings.main.zodiacFixedPicture, 1);
    QCOMPARE(changed.count(), 5);
}

void TstZodiacUi::setListMarks()
{
    writeCompleteSet(m_sets + QStringLiteral("Nowy"));
    touch(m_sets + QStringLiteral("Nowy/Wersja.ini"), "1.2\r\n");
    writeCompleteSet(m_sets + QStringLiteral("Stary"));
    makeOld(m_sets + QStringLiteral("Stary"));
    const PathTable paths(m_data, QStringLiteral("Test"), QString());
    const SystemClock clock;
    Settings settings;
    RecordingPrompts prompts;
    ZodiacSetList list(settings, paths, clock, prompts);

    const QRgb newSet = qRgb(0, 0, 192);
    const QRgb grey = qRgb(128, 128, 128);
    QImage item = paintItem(list, 1, false);
    QVERIFY(countPixels(item, newSet) > 0);
    QVERIFY(countPixels(item, grey) > 0); // "(1.2)"
    item = paintItem(list, 1, true);
    QCOMPARE(countPixels(item, newSet), 0);
    QCOMPARE(countPixels(item, grey), 0);
    QCOMPARE(countPixels(paintItem(list, 2, false), newSet), 0);

    // The two picture items: pale yellow, black text, a line above the first.
    for (int i : {3, 4}) {
        item = paintItem(list, i, false);
        QCOMPARE(item.pixel(1, 10), qRgb(255, 246, 214));
        QVERIFY(countPixels(item, qRgb(0, 0, 0)) > 0);
        QCOMPARE(item.pixel(200, 0), i == 3 ? qRgb(255, 223, 138) : qRgb(255, 246, 214));
    }
}

void TstZodiacUi::deleteSet()
{
    writeCompleteSet(m_sets + QStringLiteral("Alfa"));
    writeCompleteSet(m_sets + QStringLiteral("Beta"));
    touch(m_sets + QStringLiteral("Beta/Wersja.ini"), "2\r\n");
    const PathTable paths(m_data, QStringLiteral("Test"), QString());
    const SystemClock clock;
    Settings settings;
    settings.main.zodiacSignSet = QStringLiteral("Alfa");
    RecordingPrompts prompts;
    QStringList& asked = prompts.asked;
    bool& answer = prompts.answer;
    ZodiacSetList list(settings, paths, clock, prompts);
    QSignalSpy changed(&list, &ZodiacSetList::choiceChanged);

    // No keeps everything.
    list.deleteSelected();
    QCOMPARE(asked, QStringList{u("Usuwanie znaków zodiaku: Na pewno usunąć wybrany zestaw znaków zodiaku?")});
    QVERIFY(QDir(m_sets + QStringLiteral("Alfa")).exists());
    QCOMPARE(list.comboBox()->count(), 5);

    // Yes removes the whole folder and applies the item now in its place.
    answer = true;
    list.deleteSelected();
    QVERIFY(!QDir(m_sets + QStringLiteral("Alfa")).exists());
    QCOMPARE(itemTexts(list.comboBox()),
             (QStringList{u("Domyślny"), u("Beta"), u("Stały obrazek"), u("Wybierz obrazek...")}));
    QCOMPARE(list.comboBox()->currentIndex(), 1);
    QCOMPARE(settings.main.zodiacSignSet, QStringLiteral("Beta"));
    QCOMPARE(changed.count(), 1);

    // "Domyślny" and the picture items have no folder: nothing is asked and
    // no item goes.
    asked.clear();
    for (int i : {0, 2, 3}) {
        list.comboBox()->setCurrentIndex(i);
        QVERIFY(!list.deleteButton()->isEnabled());
        list.deleteSelected();
    }
    QVERIFY(asked.isEmpty());
    QCOMPARE(list.comboBox()->count(), 4);
    QVERIFY(QDir(m_sets + QStringLiteral("Beta")).exists());

    // A set linked from elsewhere: the link goes, the pictures it points at stay.
    const QString outside = m_data + QStringLiteral("poza/Gamma");
    writeCompleteSet(outside);
    QVERIFY(QFile::link(outside, m_sets + QStringLiteral("Gamma")));
    list.reload();
    list.comboBox()->setCurrentIndex(list.comboBox()->findText(QStringLiteral("Gamma")));
    list.deleteSelected();
    QVERIFY(!QFileInfo(m_sets + QStringLiteral("Gamma")).exists());
    QVERIFY(QFile::exists(outside + QStringLiteral("/01.png")));
    QCOMPARE(list.comboBox()->findText(QStringLiteral("Gamma")), -1);
}

void TstZodiacUi::pickFixedPicture()
{
    const PathTable paths(m_data, QStringLiteral("Test"), QString());
    const SystemClock clock;
    Settings settings;
    RecordingPrompts prompts;
    ZodiacSetList list(settings, paths, clock, prompts);
    QString picked;
    QString startedIn;
    list.setFilePicker([&](const QString& start) {
        startedIn = start;
        return picked;
    });
    const int pick = list.comboBox()->count() - 1;

    // A picture directly in Gfx/Zodiak/ is stored relative to the data folder.
    writeKeyedBitmap(m_sets + QStringLiteral("Obraz.BMP"));
    picked = m_sets + QStringLiteral("Obraz.BMP");
    list.choose(pick);
    QCOMPARE(settings.main.zodiacPicture, QStringLiteral("Gfx/Zodiak/Obraz.BMP"));
    QCOMPARE(settings.main.zodiacFixedPicture, 1);
    QCOMPARE(list.comboBox()->currentIndex(), pick - 1);
    QCOMPARE(list.comboBox()->currentText(), u("Stały obrazek: Obraz.BMP"));

    // Elsewhere: the full path; the dialog opens in the current picture's folder.
    const QString other = m_data + QStringLiteral("inne/foto.png");
    touch(other);
    picked = other;
    list.choose(pick);
    QCOMPARE(QDir::cleanPath(startedIn), QDir::cleanPath(m_sets));
    QCOMPARE(settings.main.zodiacPicture, QFileInfo(other).absoluteFilePath());

    // Cancelled: the fixed picture stays and is chosen.
    settings.main.zodiacFixedPicture = 0;
    picked.clear();
    list.choose(pick);
    QCOMPARE(settings.main.zodiacPicture, QFileInfo(other).absoluteFilePath());
    QCOMPARE(settings.main.zodiacFixedPicture, 1);
}

void TstZodiacUi::controllerDailyRefresh()
{
    const PathTable paths(m_data, QStringLiteral("Test"), QString());
    touch(paths.path(PathId::Osoby),
          "[Osoby]\r\nIle=2\r\n[Osoba1]\r\nImieNazwisko=Anna\r\nUrodzinyD=25\r\nUrodzinyM=12\r\n"
          "[Osoba2]\r\nImieNazwisko=Jan\r\nUrodzinyD=1\r\nUrodzinyM=6\r\n");
    FakeClock clock(QDateTime(QDate(2026, 12, 22), QTime(0, 0, 5)));
    Settings settings;
    settings.main.textColours[1] = colourFromRgb(200, 0, 0);
    QLabel area;
    area.resize(115, 34);
    ZodiacController zodiac(&area, settings, paths, clock);
    QSignalSpy started(&zodiac, &ZodiacController::dayStarted);

    QVERIFY(zodiac.dailyRefresh());
    QCOMPARE(started.count(), 1);
    QCOMPARE(area.pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
             colouredBuiltInZodiacPicture(12, settings.main.textColours[1]));
    QVERIFY(zodiac.builtInShown());
    QCOMPARE(zodiac.transparentColour(), std::optional<Colour>(kZodiacBuiltInBackground));
    QString expected = zodiacHintFromFile(12, paths.path(PathId::Osoby));
    QVERIFY(expected.endsWith(u("Koziorożec:\r\nAnna")));
    expected.replace(u("\r\n"), u("\n"));
    QCOMPARE(area.toolTip(), expected);

    // Many calls on one date redraw once.
    area.clear();
    for (int i = 0; i < 20; ++i) {
        clock.advanceMs(1000);
        QVERIFY(!zodiac.dailyRefresh());
    }
    QVERIFY(area.pixmap().isNull());
    QCOMPARE(started.count(), 1);

    // After midnight it runs again.
    clock.set(QDateTime(QDate(2026, 12, 23), QTime(0, 0, 1)));
    QVERIFY(zodiac.dailyRefresh());
    QCOMPARE(started.count(), 2);
    QVERIFY(!area.pixmap().isNull());

    // A missing fixed picture empties the area.
    settings.main.zodiacFixedPicture = 1;
    settings.main.zodiacPicture = QStringLiteral("brak.png");
    zodiac.draw();
    QVERIFY(area.pixmap().isNull());
    QVERIFY(!zodiac.transparentColour());
}

void TstZodiacUi::horoscopeMenu()
{
    const PathTable paths(m_data, QStringLiteral("Test"), QString());
    const FakeClock clock;
    const Settings settings;
    QLabel area;
    ZodiacController zodiac(&area, settings, paths, clock);
    QMenu* menu = zodiac.horoscopeMenu();
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions.size(), 14);
    QCOMPARE(actions.at(0)->text(), u("Pokaż horoskop"));
    QVERIFY(actions.at(1)->isSeparator());
    QCOMPARE(actions.at(2)->text(), u("Baran"));
    QCOMPARE(actions.at(13)->text(), u("Ryby"));
    QVERIFY(!actions.at(2)->icon().isNull());

    QSignalSpy requested(&zodiac, &ZodiacController::horoscopeRequested);
    actions.at(0)->trigger();
    actions.at(12)->trigger(); // Wodnik
    QCOMPARE(requested.count(), 2);
    QCOMPARE(requested.at(0).at(0).toInt(), 0);
    QCOMPARE(requested.at(1).at(0).toInt(), 11);

    // A double click on the picture opens the menu.
    area.show();
    QTest::mouseDClick(&area, Qt::LeftButton);
    QTRY_VERIFY(menu->isVisible());
    menu->close();
}

QTEST_MAIN(TstZodiacUi)
#include "tst_zodiac_ui.moc"

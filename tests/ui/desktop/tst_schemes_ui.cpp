// Colour schemes on the main window: a saved scheme chosen again brings back
// the whole look with its own font; the save window's name rules; a
// composition naming a set that is gone; the minimize button's pictures.
#include "core/app/Settings.h"
#include "core/app/TraySettings.h"
#include "core/common/Cp1250.h"
#include "core/common/PathTable.h"
#include "core/desktop/Compositions.h"
#include "core/desktop/SchemeRecord.h"
#include "support/FakeClock.h"
#include "support/FileFixture.h"
#include "ui/app/MainWindow.h"
#include "ui/calendar/CalendarView.h"
#include "ui/calendar/ColoursPage.h"
#include "ui/desktop/SchemeMinimizePicture.h"
#include "ui/desktop/SchemeSaveDialog.h"
#include "ui/desktop/SchemeService.h"
#include "support/RecordingPrompts.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kFixtures = QStringLiteral(ZORVEX_FIXTURES "/calendar/");
const QString kSystemFont = u"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"_s;

// A font no system has: the system's DejaVu Sans Mono under another family
// name of the same length, so no offset in the file moves.
QByteArray renamedFont()
{
    QByteArray bytes = fileBytes(kSystemFont);
    const auto swap = [&bytes](const QString& from, const QString& to) {
        bytes.replace(from.toLatin1(), to.toLatin1());
        QByteArray f16, t16;
        for (QChar c : from)
            f16 += '\0', f16 += char(c.unicode());
        for (QChar c : to)
            t16 += '\0', t16 += char(c.unicode());
        bytes.replace(f16, t16);
    };
    swap(u"DejaVu Sans Mono"_s, u"Zorvex Test Mono"_s);
    swap(u"DejaVuSansMono"_s, u"ZorvexTestMono"_s);
    return bytes;
}

// Types text into a field key by key, Polish letters included.
void type(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &press);
        QCoreApplication::sendEvent(w, &release);
    }
}

struct Fixture {
    QTemporaryDir dir;
    FakeClock clock{QDateTime(QDate(2026, 1, 3), QTime(12, 0))};
    Settings settings;
    TraySettings tray;
    PathTable paths;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<CalendarView> view;
    std::unique_ptr<ColoursPage> page;
    RecordingPrompts prompts;
    QStringList& warnings = prompts.messages;
    bool& answer = prompts.answer;
    std::unique_ptr<SchemeService> schemes;

    Fixture()
    {
        QFile::copy(kFixtures + u"Imieniny.ini"_s, dir.filePath(u"Imieniny.ini"_s));
        paths = PathTable(dir.path() + QLatin1Char('/'), u"Tester"_s, kFixtures + u"Sentencje.ini"_s);
    }
    QString schemeFolder(const QString& name) const { return dir.filePath(u"Gfx/Schematy/"_s + name); }

    void make()
    {
        answer = true;
        window = std::make_unique<MainWindow>(paths, settings, tray, prompts);
        view = std::make_unique<CalendarView>(*window, settings, paths, clock);
        page = std::make_unique<ColoursPage>(settings, paths, prompts);
        view->attachColoursPage(page.get());
        schemes = std::make_unique<SchemeService>(settings, paths, clock, prompts);
        schemes->hooks.applyLook = [this] {
            view->applyFonts();
            view->applyColours();
            view->framePicture();
            page->load();
        };
        window->show();
        view->start();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        schemes->loadChosenFonts();
        schemes->start();
    }
    QImage shot() const { return window->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    int indexOf(const QString& name) const
    {
        for (int i = 0; i < schemes->schemes().size(); ++i) {
            if (schemes->schemes().at(i).name == name)
                return i;
        }
        return -1;
    }
};

} // namespace

class TestSchemesUi : public QObject {
    Q_OBJECT
private slots:
    void savedSchemeRestoresTheWholeLook();
    void fontAlreadyOnTheSystemIsNotAdded();
    void saveWindowName_data();
    void saveWindowName();
    void replacingAnsweredNoKeepsTheWindow();
    void compositionWithMissingAddon();
    void deletingSchemeSelectsNeighbour();
    void minimizePictures();
};

void TestSchemesUi::savedSchemeRestoresTheWholeLook()
{
    if (!QFileInfo::exists(kSystemFont))
        QSKIP("fonts-dejavu-core is not installed");
    Fixture f;
    QVERIFY(writeFile(f.schemeFolder(u"Mój"_s) + u"/ZorvexTest.ttf"_s, renamedFont()));
    f.settings.main.colourSchemeName = u"Mój"_s;
    f.make();
    QVERIFY(f.schemes->fonts().addedFamilies().contains(u"Zorvex Test Mono"_s));

    // A look unlike the default one in every part a scheme holds.
    MainWindowSettings& s = f.settings.main;
    s.plainBackground = true;
    s.backgroundShadow = false;
    s.background = colourFromRgb(20, 60, 30);
    s.playbackPanelBackground = colourFromRgb(90, 10, 10);
    for (int i = 0; i < kTextElements; ++i)
        s.textColours[std::size_t(i)] = colourFromRgb(200, 200 - 10 * i, 40 + 10 * i);
    s.todayFrameColour = colourFromRgb(255, 128, 0);
    s.birthdayColour = colourFromRgb(0, 255, 255);
    s.gridLines = false;
    s.windowFrame = false;
    s.markingPrecedence = u"4321"_s;
    s.clockFont = {u"Zorvex Test Mono"_s, 13, FontValue::Bold, 238};
    s.textPanelFont = {u"Zorvex Test Mono"_s, 9, 0, 238};
    f.schemes->hooks.applyLook();
    QCOMPARE(QFontInfo(f.window->clockLabel()->font()).family(), u"Zorvex Test Mono"_s);
    const QImage mine = f.shot();

    QVERIFY(f.schemes->saveSchemeAs(u"Mój"_s));
    const int index = f.indexOf(u"Mój"_s);
    QVERIFY(index > 0);
    QCOMPARE(f.schemes->lookSchemeList()->currentIndex(), index);

    f.schemes->applyScheme(0);
    QCOMPARE(f.schemes->lookSchemeList()->currentIndex(), 0);
    QCOMPARE(f.settings.main.clockFont.name, u"Tahoma"_s);
    QVERIFY(f.shot() != mine);

    f.schemes->applyScheme(index);
    QCOMPARE(f.settings.main.colourSchemeName, u"Mój"_s);
    QCOMPARE(f.settings.main.colourSchemeIndex, index);
    QCOMPARE(QFontInfo(f.window->clockLabel()->font()).family(), u"Zorvex Test Mono"_s);
    QCOMPARE(f.shot(), mine);

    // The scheme's font lasts only as long as the program.
    f.schemes->shutdownStep(ShutdownStepId::UnloadSchemeFonts, QDate());
    QVERIFY(!QFontDatabase::families().contains(u"Zorvex Test Mono"_s));
}

void TestSchemesUi::fontAlreadyOnTheSystemIsNotAdded()
{
    if (!QFileInfo::exists(kSystemFont))
        QSKIP("fonts-dejavu-core is not installed");
    QTemporaryDir dir;
    QVERIFY(QFile::copy(kSystemFont, dir.filePath(u"mono.TTF"_s)));
    {
        SchemeFonts fonts;
        fonts.load(dir.path());
        QVERIFY(fonts.addedFamilies().isEmpty());
        fonts.unload();
    }
    QVERIFY(QFontDatabase::families().contains(u"DejaVu Sans Mono"_s));
}

void TestSchemesUi::saveWindowName_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("enabled");
    const int scheme = int(SchemeSaveDialog::Mode::Scheme), composition = int(SchemeSaveDialog::Mode::Composition);
    QTest::newRow("forbidden characters go") << scheme << u"a/b:c"_s << u"abc"_s << true;
    QTest::newRow("every one of them") << scheme << u"x\\/?*<>|:\"y"_s << u"xy"_s << true;
    QTest::newRow("dot") << scheme << u"."_s << u"."_s << false;
    QTest::newRow("dot dot once sanitised") << scheme << u".?."_s << u".."_s << false;
    QTest::newRow("blanks") << scheme << u"   "_s << u"   "_s << false;
    QTest::newRow("the default scheme") << scheme << u"Domyślny"_s << u"Domyślny"_s << false;
    QTest::newRow("the default scheme trimmed") << scheme << u" Domyślny "_s << u" Domyślny "_s << false;
    QTest::newRow("the default composition") << composition << u"Domyślna"_s << u"Domyślna"_s << false;
    QTest::newRow("a scheme may be called Domyślna") << scheme << u"Domyślna"_s << u"Domyślna"_s << true;
}

void TestSchemesUi::saveWindowName()
{
    QFETCH(int, mode);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, enabled);
    SchemeSaveDialog dialog;
    dialog.open(SchemeSaveDialog::Mode(mode), QString());
    QVERIFY(!dialog.saveButton()->isEnabled());
    type(dialog.nameEdit(), typed);
    QCOMPARE(dialog.nameEdit()->text(), shown);
    QCOMPARE(dialog.saveButton()->isEnabled(), enabled);
}

void TestSchemesUi::replacingAnsweredNoKeepsTheWindow()
{
    Fixture f;
    f.make();
    QVERIFY(f.schemes->saveSchemeAs(u"Nocny"_s));
    const QByteArray saved = fileBytes(f.schemeFolder(u"Nocny"_s) + u"/Kolory.ini"_s);
    f.settings.main.background = 42;
    f.answer = false;
    f.schemes->openSaveScheme();
    SchemeSaveDialog* dialog = f.schemes->saveDialog();
    QCOMPARE(dialog->windowTitle(), u"Zapisz schemat jako..."_s);
    QCOMPARE(dialog->nameEdit()->text(), u"Nocny"_s);
    dialog->saveButton()->click();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->nameEdit()->text(), u"Nocny"_s);
    QCOMPARE(fileBytes(f.schemeFolder(u"Nocny"_s) + u"/Kolory.ini"_s), saved);
    f.answer = true;
    dialog->saveButton()->click();
    QVERIFY(!dialog->isVisible());
    QVERIFY(fileBytes(f.schemeFolder(u"Nocny"_s) + u"/Kolory.ini"_s) != saved);
}

void TestSchemesUi::compositionWithMissingAddon()
{
    Fixture f;
    QVERIFY(writeFile(f.schemeFolder(u"Nocny"_s) + u"/Kolory.ini"_s,
                      toCp1250(renamedSchemeRecord(builtInSchemeRecord(), u"x"_s)) + "\r\n"));
    const QString line = QStringList{u"Wieczór"_s, u"Nocny"_s, QString(), u"0"_s, QString(), QString(), u"Stara"_s,
                                     u"1"_s, u"0"_s}
                             .join(kListSeparator);
    QVERIFY(writeFile(f.dir.filePath(u"Gfx/Kompozycje.ini"_s), toCp1250(line) + "\r\n"));
    f.make();
    CompositionPlan applied;
    f.schemes->hooks.availableAddons = [] {
        AvailableAddons a;
        a.disks = {u"Nowa"_s};
        return a;
    };
    f.schemes->hooks.applyAddons = [&applied](const CompositionPlan& plan) { applied = plan; };
    QCOMPARE(f.schemes->compositionList()->itemText(0), u"Domyślna"_s);
    QCOMPARE(f.schemes->compositionList()->itemText(1), u"Wieczór"_s);

    f.schemes->applyComposition(1);
    QCOMPARE(f.warnings,
             (QStringList{u"Kompozycja: Wieczór: W wybranej kompozycji brakuje następujących dodatków:\n\nIkona dysku: Stara"_s}));
    QVERIFY(applied.disk.isEmpty()); // the default icon
    QCOMPARE(f.settings.main.colourSchemeName, u"Nocny"_s);
    QCOMPARE(f.settings.main.compositionName, line);

    // Deleting it falls back to the default composition and is written with
    // the other settings; one an add-on wrote meanwhile stays.
    const QString path = f.dir.filePath(u"Gfx/Kompozycje.ini"_s);
    QVERIFY(writeFile(path, toCp1250(line) + "\r\nObca\r\n"));
    f.warnings.clear();
    f.schemes->deleteComposition();
    QCOMPARE(f.schemes->compositionList()->currentIndex(), 1);
    QCOMPARE(f.schemes->compositionList()->currentText(), u"Obca"_s);
    QCOMPARE(f.settings.main.colourSchemeName, u"Domyślny"_s);
    f.schemes->writeCompositions();
    QCOMPARE(fileBytes(path), QByteArray("Domy\x9clna\r\nObca\r\n"));
    // Nothing changed since: the writer leaves the file alone.
    QVERIFY(writeFile(path, "Domy\x9clna\r\nObca\r\nNowsza\r\n"));
    f.schemes->writeCompositions();
    QCOMPARE(fileBytes(path), QByteArray("Domy\x9clna\r\nObca\r\nNowsza\r\n"));
}

void TestSchemesUi::deletingSchemeSelectsNeighbour()
{
    Fixture f;
    f.make();
    for (const QString& name : {u"A"_s, u"B"_s})
        QVERIFY(f.schemes->saveSchemeAs(name));
    f.schemes->applyScheme(2);
    f.schemes->deleteScheme();
    QVERIFY(!QFileInfo::exists(f.schemeFolder(u"B"_s)));
    QCOMPARE(f.schemes->schemeList()->currentText(), u"A"_s);
    QCOMPARE(f.settings.main.colourSchemeName, u"A"_s);
    QVERIFY(f.schemes->lookSchemeList()->currentIndex() == 1);
}

void TestSchemesUi::minimizePictures()
{
    QTemporaryDir dir;
    QImage strip(42, 14, QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter(&strip).fillRect(14, 0, 14, 14, Qt::red);
    QPainter(&strip).fillRect(28, 0, 14, 14, Qt::blue);
    QVERIFY(strip.save(dir.filePath(u"minimize.png"_s)));
    const MinimizePictures cut = loadMinimizePictures(dir.filePath(u"minimize.png"_s), 0);
    QCOMPARE(cut.normal.size(), QSize(14, 14));
    QCOMPARE(qAlpha(cut.normal.pixel(5, 5)), 0); // the alpha channel is kept
    QCOMPARE(cut.hover.pixel(5, 5), qRgb(255, 0, 0));
    QCOMPARE(cut.pressed.pixel(5, 5), qRgb(0, 0, 255));

    // Without a picture: the built-in one in the tint, its ground transparent;
    // a dark channel is raised first.
    const MinimizePictures built = loadMinimizePictures(QString(), colourFromRgb(200, 10, 100));
    QCOMPARE(qAlpha(built.normal.pixel(0, 0)), 0);
    const QRgb bar = builtInMinimizePicture().pixel(5, 9);
    QCOMPARE(built.normal.pixel(5, 9), qRgb(200 - qRed(bar), std::max(0, 58 - qGreen(bar)), 100 - qBlue(bar)));
}

QTEST_MAIN(TestSchemesUi)
#include "tst_schemes_ui.moc"

// The calendar's Tools pages on their own: "Kolory", the name search of
// "Imieniny" and the time-of-day picture sets.
#include "core/app/Settings.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "support/FakeClock.h"
#include "ui/calendar/ColoursPage.h"
#include "ui/calendar/NameDaysPage.h"
#include "ui/calendar/TimeOfDaySetList.h"
#include "ui/common/ColourBox.h"
#include "support/RecordingPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(zorvex::TextElement)

namespace zorvex {

namespace {

const QString kNames = QStringLiteral(ZORVEX_FIXTURES "/calendar/Imieniny.ini");

// The "Kolory" page over its own settings, the dialogs answered by the test.
struct Page {
    QTemporaryDir dir;
    Settings settings;
    PathTable paths{dir.path() + QLatin1Char('/'), QStringLiteral("Tester"), QString()};
    RecordingPrompts prompts;
    std::unique_ptr<ColoursPage> page;
    std::optional<QFont> font;
    QString pickedFile;

    ColoursPage& make()
    {
        prompts.answer = true;
        page = std::make_unique<ColoursPage>(settings, paths, prompts);
        page->setFontChooser([this](const QFont&) { return font; });
        page->setFileChooser([this](const QString&, const QString&) { return pickedFile; });
        return *page;
    }
    template <typename T>
    T* child(const char* name) const
    {
        return page->findChild<T*>(QString::fromLatin1(name));
    }
    ColourBox* box(const char* name) const { return child<ColourBox>(name); }
    QStringList orderLines() const
    {
        QStringList out;
        auto* list = child<QListWidget>("ListDat");
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

} // namespace

class TestCalUiPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void precedenceSetting_data();
    void precedenceSetting();
    void precedenceList();
    void elementDisplay_data();
    void elementDisplay();
    void textColours();
    void backgroundControls();
    void skinName();
    void markingColoursAndSwitches();
    void fonts();
    void defaults();

    void nameSearch_data();
    void nameSearch();
    void nameSearchButton();

    void timeOfDaySets();
};

void TestCalUiPages::initTestCase()
{
    qRegisterMetaType<TextElement>();
}

void TestCalUiPages::precedenceSetting_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("order");
    QTest::newRow("default") << QStringLiteral("1234") << QStringLiteral("1234");
    QTest::newRow("reversed") << QStringLiteral("4321") << QStringLiteral("4321");
    QTest::newRow("too short") << QStringLiteral("12") << QStringLiteral("1234");
    QTest::newRow("too long") << QStringLiteral("43210") << QStringLiteral("1234");
    QTest::newRow("empty") << QString() << QStringLiteral("1234");
    QTest::newRow("letter counts as 1") << QStringLiteral("a234") << QStringLiteral("1234");
    QTest::newRow("letter in the middle") << QStringLiteral("2a43") << QStringLiteral("2143");
    // A kind named twice would push another out of the order.
    QTest::newRow("repeated kind") << QStringLiteral("aa34") << QStringLiteral("1342");
    QTest::newRow("numbers out of range") << QStringLiteral("9402") << QStringLiteral("4213");
}

void TestCalUiPages::precedenceSetting()
{
    QFETCH(QString, value);
    QFETCH(QString, order);
    QCOMPARE(precedenceToSetting(precedenceFromSetting(value)), order);
}

void TestCalUiPages::precedenceList()
{
    Page p;
    p.settings.main.markingPrecedence = QStringLiteral("4321");
    ColoursPage& page = p.make();
    QCOMPARE(p.orderLines(), (QStringList{QStringLiteral("1. Prywatne"), QString::fromUtf8("2. Ważne dni"),
                                          QStringLiteral("3. Imieniny"), QStringLiteral("4. Urodziny")}));
    auto* list = p.child<QListWidget>("ListDat");
    QVERIFY(list->toolTip().startsWith(QString::fromUtf8("Kolejności pierwszeństwa")));
    QSignalSpy redraws(&page, &ColoursPage::calendarChanged);
    auto* up = p.child<QToolButton>("BitBtn111");
    auto* down = p.child<QToolButton>("BitBtn112");

    list->setCurrentRow(2);
    up->click();
    QCOMPARE(list->currentRow(), 1);
    QCOMPARE(p.orderLines().at(1), QStringLiteral("2. Imieniny"));
    QCOMPARE(p.settings.main.markingPrecedence, QStringLiteral("4231"));
    QCOMPARE(redraws.size(), 1);

    down->click();
    down->click();
    QCOMPARE(list->currentRow(), 3);
    QCOMPARE(p.settings.main.markingPrecedence, QStringLiteral("4312"));
    QCOMPARE(redraws.size(), 3);

    // Nothing moves past either end.
    down->click();
    list->setCurrentRow(0);
    up->click();
    QCOMPARE(p.settings.main.markingPrecedence, QStringLiteral("4312"));
    QCOMPARE(redraws.size(), 3);
}

void TestCalUiPages::elementDisplay_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("font");
    QTest::newRow("clock") << 0 << QStringLiteral("Godzina") << true;
    QTest::newRow("zodiac") << 1 << QStringLiteral("Znak zodiaku") << false;
    QTest::newRow("caption") << 2 << QString::fromUtf8("Miesiąc i rok") << false;
    QTest::newRow("saturday") << 5 << QString::fromUtf8("Dni miesiąca (Sob.)") << false;
    QTest::newRow("scrolling") << 7 << QStringLiteral("Panel przewijany") << true;
    QTest::newRow("information") << 8 << QStringLiteral("Panel informacji") << true;
    QTest::newRow("temperature") << 9 << QStringLiteral("Temperatura") << false;
}

void TestCalUiPages::elementDisplay()
{
    QFETCH(int, element);
    QFETCH(QString, label);
    QFETCH(bool, font);
    Page p;
    for (int i = 0; i < 10; ++i)
        p.settings.main.textColours[size_t(i)] = 1000 + i;
    p.make();
    auto* elements = p.child<QComboBox>("ComboBox32");
    QCOMPARE(elements->count(), 10);
    elements->setCurrentIndex(element);
    QCOMPARE(elements->currentText(), label);
    QCOMPARE(p.box("ColorBox15")->colour(), Colour(1000 + element));
    QCOMPARE(!p.child<QToolButton>("BitBtn143")->isHidden(), font);
    QCOMPARE(p.box("ColorBox15")->width(), font ? 97 : 129);
}

void TestCalUiPages::textColours()
{
    Page p;
    ColoursPage& page = p.make();
    QSignalSpy applies(&page, &ColoursPage::coloursChanged);
    QSignalSpy temperature(&page, &ColoursPage::temperatureColourChanged);
    auto* elements = p.child<QComboBox>("ComboBox32");

    elements->setCurrentIndex(int(TextElement::Sunday));
    emit p.box("ColorBox15")->colourChanged(4321);
    QCOMPARE(p.settings.main.textColours[6], Colour(4321));
    QCOMPARE(applies.size(), 1);
    QCOMPARE(temperature.size(), 0);

    elements->setCurrentIndex(int(TextElement::Temperature));
    QCOMPARE(applies.size(), 1); // showing an element changes nothing
    emit p.box("ColorBox15")->colourChanged(99);
    QCOMPARE(p.settings.main.textColours[9], Colour(99));
    QCOMPARE(temperature.size(), 1);
    QCOMPARE(applies.size(), 2);
}

void TestCalUiPages::backgroundControls()
{
    Page p;
    ColoursPage& page = p.make();
    QSignalSpy applies(&page, &ColoursPage::coloursChanged);
    auto* colour = p.child<QRadioButton>("RadioButton10");
    auto* skin = p.child<QRadioButton>("RadioButton11");
    auto* shading = p.child<QCheckBox>("CheckBox3");
    auto* name = p.child<QLineEdit>("Edit8");
    auto* browse = p.child<QToolButton>("BitBtn15");

    QVERIFY(colour->isChecked());
    QVERIFY(shading->isEnabled());
    QVERIFY(!name->isEnabled() && !browse->isEnabled());
    QVERIFY(p.box("ColorGrid1")->isEnabled());

    skin->setChecked(true);
    QVERIFY(!p.settings.main.plainBackground);
    QVERIFY(!shading->isEnabled());
    QVERIFY(name->isEnabled() && browse->isEnabled());
    QVERIFY(p.box("ColorGrid1")->isEnabled());
    QCOMPARE(applies.size(), 1);

    colour->setChecked(true);
    shading->setChecked(false);
    QVERIFY(p.settings.main.plainBackground);
    QVERIFY(!p.settings.main.backgroundShadow);
    QCOMPARE(applies.size(), 3);

    emit p.box("ColorGrid1")->colourChanged(123456);
    QCOMPARE(p.settings.main.background, Colour(123456));
    QCOMPARE(applies.size(), 4);
}

void TestCalUiPages::skinName()
{
    Page p;
    p.settings.main.plainBackground = false;
    p.settings.main.colourSchemeName = QStringLiteral("Zima");
    ColoursPage& page = p.make();
    QSignalSpy backgrounds(&page, &ColoursPage::backgroundChanged);
    auto* name = p.child<QLineEdit>("Edit8");

    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("tlo.bmp"));
    QCOMPARE(p.settings.main.skinPicture, QStringLiteral("tlo.bmp"));
    QCOMPARE(backgrounds.size(), 0);
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(backgrounds.size(), 1);

    // A picture picked in the scheme's folder is kept by its bare name,
    // any other by its full path.
    const QString scheme = p.dir.path() + QStringLiteral("/Gfx/Schematy/Zima/");
    QVERIFY(QDir().mkpath(scheme));
    p.pickedFile = scheme + QStringLiteral("nowa.png");
    p.child<QToolButton>("BitBtn15")->click();
    QCOMPARE(p.settings.main.skinPicture, QStringLiteral("nowa.png"));
    QCOMPARE(name->text(), QStringLiteral("nowa.png"));
    QCOMPARE(backgrounds.size(), 2);
    p.pickedFile = p.dir.path() + QStringLiteral("/inna.png");
    p.child<QToolButton>("BitBtn15")->click();
    QCOMPARE(p.settings.main.skinPicture, p.pickedFile);
    // Cancelling the dialog keeps the name.
    p.pickedFile.clear();
    p.child<QToolButton>("BitBtn15")->click();
    QCOMPARE(backgrounds.size(), 3);

    p.settings.main.skinPicture.clear();
    page.refreshSkinName();
    QCOMPARE(name->text(), QString());
}

void TestCalUiPages::markingColoursAndSwitches()
{
    Page p;
    ColoursPage& page = p.make();
    QSignalSpy redraws(&page, &ColoursPage::calendarChanged);
    QSignalSpy frames(&page, &ColoursPage::gridOrFrameChanged);
    QSignalSpy playback(&page, &ColoursPage::playbackPanelColourChanged);

    const struct {
        const char* box;
        Colour MainWindowSettings::*field;
    } boxes[] = {{"ColorBox6", &MainWindowSettings::todayFrameColour},  {"ColorBox11", &MainWindowSettings::birthdayColour},
                 {"ColorBox12", &MainWindowSettings::nameDayColour}, {"ColorBox13", &MainWindowSettings::importantDayColour},
                 {"ColorBox14", &MainWindowSettings::privateDayColour}, {"ColorBox8", &MainWindowSettings::playbackPanelBackground}};
    int n = 0;
    for (const auto& b : boxes) {
        emit p.box(b.box)->colourChanged(500 + n);
        QCOMPARE(p.settings.main.*(b.field), Colour(500 + n));
        QCOMPARE(redraws.size(), ++n);
    }
    QCOMPARE(playback.size(), 1);

    p.child<QCheckBox>("CheckBox63")->setChecked(false);
    QVERIFY(!p.settings.main.gridLines);
    p.child<QCheckBox>("CheckBox67")->setChecked(false);
    QVERIFY(!p.settings.main.windowFrame);
    QCOMPARE(frames.size(), 2);
    // Showing the model again announces nothing.
    page.load();
    QCOMPARE(frames.size(), 2);
    QCOMPARE(redraws.size(), n);
}

void TestCalUiPages::fonts()
{
    Page p;
    ColoursPage& page = p.make();
    QSignalSpy changes(&page, &ColoursPage::fontChanged);
    auto* elements = p.child<QComboBox>("ComboBox32");
    auto* button = p.child<QToolButton>("BitBtn143");

    elements->setCurrentIndex(int(TextElement::ScrollingText));
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(12);
    chosen.setItalic(true);
    p.font = chosen;
    button->click();
    QCOMPARE(p.settings.main.textPanelFont.name, QStringLiteral("DejaVu Sans"));
    QCOMPARE(p.settings.main.textPanelFont.size, 12);
    QCOMPARE(p.settings.main.textPanelFont.style, int(FontValue::Italic));
    QCOMPARE(p.settings.main.textPanelFont.charset, 238);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.at(0).at(0).value<TextElement>(), TextElement::ScrollingText);

    // Cancel leaves the font as it was.
    p.font.reset();
    elements->setCurrentIndex(int(TextElement::Clock));
    const FontValue before = p.settings.main.clockFont;
    button->click();
    QCOMPARE(p.settings.main.clockFont, before);
    QCOMPARE(changes.size(), 1);
}

void TestCalUiPages::defaults()
{
    Page p;
    MainWindowSettings& m = p.settings.main;
    m.background = 1;
    m.playbackPanelBackground = 2;
    m.todayFrameColour = 3;
    m.birthdayColour = 4;
    m.plainBackground = false;
    m.backgroundShadow = false;
    m.gridLines = false;
    m.windowFrame = false;
    m.shadedGauges = false;
    m.gaugeLowColour = 5;
    m.textColours[6] = 6;
    m.clockFont = FontValue{QStringLiteral("Arial"), 20, 0, 1};
    m.skinPicture = QStringLiteral("tlo.bmp");
    m.markingPrecedence = QStringLiteral("4321");
    ColoursPage& page = p.make();
    QSignalSpy applies(&page, &ColoursPage::coloursChanged);
    QSignalSpy gauges(&page, &ColoursPage::gaugeColoursChanged);

    p.prompts.answer = false;
    p.child<QPushButton>("BitBtn4")->click();
    QCOMPARE(p.prompts.asked,
             QStringList{QString::fromUtf8("Domyślne ustawienia: Na pewno przywrócić domyślne ustawienia kolorów?")});
    QCOMPARE(m.background, Colour(1));
    QCOMPARE(applies.size(), 0);

    p.prompts.answer = true;
    p.child<QPushButton>("BitBtn4")->click();
    QCOMPARE(m.background, Colour(16760400));
    QCOMPARE(m.playbackPanelBackground, Colour(16760400));
    QCOMPARE(m.todayFrameColour, Colour(16711680));
    QCOMPARE(m.birthdayColour, Colour(65280));
    QCOMPARE(m.nameDayColour, Colour(16776960));
    QCOMPARE(m.importantDayColour, Colour(7462140));
    QCOMPARE(m.privateDayColour, Colour(16777215));
    QVERIFY(m.plainBackground && m.backgroundShadow && m.gridLines && m.shadedGauges);
    QCOMPARE(m.gaugeLowColour, Colour(255));
    QCOMPARE(m.gaugeMiddleColour, Colour(65535));
    QCOMPARE(m.gaugeHighColour, Colour(65280));
    QCOMPARE(m.infoPanelBackground, Colour(16777215));
    QCOMPARE(m.textColours, (std::array<Colour, 10>{0, 0, 0, 0, 0, 128, 255, 0, 0, 0}));
    QCOMPARE(m.clockFont.format(), QStringLiteral("Tahoma|11|1|238"));
    QCOMPARE(m.textPanelFont.format(), QStringLiteral("Tahoma|10|1|238"));
    QCOMPARE(m.infoLabelFont.format(), QStringLiteral("Tahoma|10|1|238"));
    // Not reset: the frame, the skin name and the precedence.
    QVERIFY(!m.windowFrame);
    QCOMPARE(m.skinPicture, QStringLiteral("tlo.bmp"));
    QCOMPARE(m.markingPrecedence, QStringLiteral("4321"));
    // The controls show the defaults, and the look is re-applied.
    QCOMPARE(p.box("ColorGrid1")->colour(), Colour(16760400));
    QVERIFY(p.child<QRadioButton>("RadioButton10")->isChecked());
    QVERIFY(p.child<QCheckBox>("CheckBox63")->isChecked());
    QVERIFY(!p.child<QCheckBox>("CheckBox67")->isChecked());
    QCOMPARE(applies.size(), 1);
    QCOMPARE(gauges.size(), 1);
}

void TestCalUiPages::nameSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    const QString lucja13 = QString::fromUtf8("13.12 Łucji, Otylii");
    const QString lucja4 = QString::fromUtf8("04.03 Kazimierza, Łucji");
    QTest::newRow("lower case") << QStringLiteral("marcina") << QStringList{QStringLiteral("11.11 Marcina, Bartłomieja")};
    QTest::newRow("upper case") << QStringLiteral("MARCINA") << QStringList{QStringLiteral("11.11 Marcina, Bartłomieja")};
    QTest::newRow("capital Ł finds ł, calendar order") << QString::fromUtf8("ŁUCJI") << QStringList{lucja4, lucja13};
    QTest::newRow("part of a name") << QStringLiteral("mie") << QStringList{
        QString::fromUtf8("01.01 Mieczysława, Mieszka"), QString::fromUtf8("04.03 Kazimierza, Łucji"),
        QString::fromUtf8("11.11 Marcina, Bartłomieja")};
    QTest::newRow("nothing") << QStringLiteral("Xawerego") << QStringList();
}

void TestCalUiPages::nameSearch()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    NameDaysPage page(kNames, nullptr);
    auto* edit = page.findChild<QLineEdit*>(QStringLiteral("Edit5"));
    auto* results = page.findChild<QListWidget*>(QStringLiteral("ListBox5"));
    auto* selected = page.findChild<QLineEdit*>(QStringLiteral("Edit41"));
    edit->setText(text);
    page.findChild<QPushButton*>(QStringLiteral("BitBtn14"))->click();
    QStringList found;
    for (int i = 0; i < results->count(); ++i)
        found << results->item(i)->text();
    QCOMPARE(found, lines);
    // The first hit is selected and shown whole below.
    QCOMPARE(results->currentRow(), lines.isEmpty() ? -1 : 0);
    QCOMPARE(selected->text(), lines.value(0));
    QVERIFY(selected->isReadOnly());
    if (lines.size() > 1) {
        results->setCurrentRow(1);
        QCOMPARE(selected->text(), lines.at(1));
    }
}

void TestCalUiPages::nameSearchButton()
{
    NameDaysPage page(kNames, nullptr);
    page.resize(300, 300);
    page.show();
    auto* edit = page.findChild<QLineEdit*>(QStringLiteral("Edit5"));
    auto* button = page.findChild<QPushButton*>(QStringLiteral("BitBtn14"));
    auto* results = page.findChild<QListWidget*>(QStringLiteral("ListBox5"));
    QCOMPARE(edit->maxLength(), 255);
    QVERIFY(!button->isEnabled());
    QTest::keyClicks(edit, QStringLiteral("Mi"));
    QVERIFY(button->isEnabled());
    // Enter searches as the button does.
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(results->count(), 4);
    edit->clear();
    QVERIFY(!button->isEnabled());

    // A line wider than the list shows itself as a hint; a short one does not.
    page.resize(60, 300);
    QTest::keyClicks(edit, QStringLiteral("Mi"));
    button->click();
    QCOMPARE(results->item(0)->toolTip(), results->item(0)->text());
    page.resize(900, 300);
    QCOMPARE(results->item(0)->toolTip(), QString());
}

void TestCalUiPages::timeOfDaySets()
{
    QTemporaryDir dir;
    const QString data = dir.path() + QLatin1Char('/');
    const QString sets = data + QStringLiteral("Gfx/Pora dnia/");
    for (const QString& set : {QStringLiteral("Jesień"), QStringLiteral("Lato")}) {
        QVERIFY(QDir().mkpath(sets + set));
        for (int part = 1; part <= 4; ++part) {
            QImage img(8, 8, QImage::Format_RGB32);
            img.fill(Qt::gray);
            QVERIFY(img.save(sets + set + QStringLiteral("/0%1.png").arg(part), "PNG"));
        }
    }
    const PathTable paths(data, QStringLiteral("Tester"), QString());
    Settings settings;
    settings.main.timeOfDaySet = QStringLiteral("Lato");
    FakeClock clock(QDateTime::currentDateTime());
    TimeOfDaySetList list(settings, paths, clock);
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.itemText(0), QString::fromUtf8("Domyślne"));
    QCOMPARE(list.itemText(1), QString::fromUtf8("Jesień"));
    QCOMPARE(list.currentText(), QStringLiteral("Lato"));

    QSignalSpy changes(&list, &TimeOfDaySetList::setChanged);
    list.setCurrentIndex(0);
    QCOMPARE(settings.main.timeOfDaySet, QString());
    list.setCurrentIndex(1);
    QCOMPARE(settings.main.timeOfDaySet, QString::fromUtf8("Jesień"));
    QCOMPARE(changes.size(), 2);

    // A set chosen once but gone since selects the built-in pictures.
    settings.main.timeOfDaySet = QStringLiteral("Zima");
    list.reload();
    QCOMPARE(list.currentIndex(), 0);
    QCOMPARE(changes.size(), 2);

    // A set an add-on just installed is found again and applied.
    QVERIFY(QDir().mkpath(sets + QStringLiteral("Zima")));
    for (int part = 1; part <= 4; ++part) {
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(Qt::white);
        QVERIFY(img.save(sets + QStringLiteral("Zima/0%1.png").arg(part), "PNG"));
    }
    QVERIFY(list.chooseInstalled(QStringLiteral("zima")));
    QCOMPARE(list.currentText(), QStringLiteral("Zima"));
    QCOMPARE(settings.main.timeOfDaySet, QStringLiteral("Zima"));
    QCOMPARE(changes.size(), 3);
    QVERIFY(!list.chooseInstalled(QStringLiteral("Wiosna")));
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestCalUiPages)
#include "tst_calui_pages.moc"

#include "core/desktop/SchemeRecord.h"

#include "core/common/Cp1250.h"
#include "core/common/Text.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace zorvex {
namespace {

constexpr int kFirstTextColour = 10; // fields 10..18: KT01..KT09
constexpr int kFirstPrecedence = 24; // fields 24..27
constexpr int kFirstFont = 32;       // fields 32..34
constexpr int kTenthTextColour = 35;

const char* const kDefaultClockFont = "Tahoma|11|1|238";
const char* const kDefaultOtherFont = "Tahoma|10|1|238";

bool numberAt(const QString& record, int n, int* out)
{
    bool ok = false;
    const int v = schemeField(record, n).trimmed().toInt(&ok);
    if (ok)
        *out = v;
    return ok;
}

void colourAt(const QString& record, int n, Colour& target)
{
    int v = 0;
    if (numberAt(record, n, &v))
        target = v;
}

FontValue fontAt(const QString& record, int n, const char* fallback)
{
    if (const auto font = FontValue::parse(schemeField(record, n)))
        return *font;
    return *FontValue::parse(QString::fromLatin1(fallback));
}

QString switchOff(bool on)
{
    return on ? QStringLiteral("0") : QStringLiteral("1");
}

} // namespace

QString defaultSchemeName()
{
    return QStringLiteral("Domyślny");
}

QString builtInSchemeRecord()
{
    const QChar s = kListSeparator;
    return QStringList{defaultSchemeName(), u"1"_s, u"16760400"_s, u"1"_s, QString(), u"255"_s, u"65535"_s,
                       u"65280"_s, u"16777215"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"128"_s,
                       u"255"_s, u"0"_s, u"0"_s, u"65280"_s, u"16776960"_s, u"7462140"_s, u"16777215"_s,
                       u"16711680"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"0"_s, u"0"_s, u"0"_s,
                       u"16760400"_s}
        .join(s);
}

bool isSchemeRecord(const QString& line)
{
    return line.contains(kListSeparator);
}

QString schemeField(const QString& record, int n)
{
    return Field(record, kListSeparator, n);
}

QString renamedSchemeRecord(const QString& record, const QString& name)
{
    const qsizetype first = record.indexOf(kListSeparator);
    return first < 0 ? name : name + record.mid(first);
}

QString schemeRecordFromSettings(const QString& name, const MainWindowSettings& s)
{
    QStringList f;
    f.reserve(kSchemeFields);
    const auto colour = [&f](Colour c) { f << QString::number(c); };
    f << name << (s.plainBackground ? u"1"_s : u"0"_s);
    colour(s.background);
    f << (s.backgroundShadow ? u"1"_s : u"0"_s) << s.skinPicture;
    for (Colour c : {s.gaugeLowColour, s.gaugeMiddleColour, s.gaugeHighColour, s.infoPanelBackground})
        colour(c);
    for (int i = 0; i < kTextElements - 1; ++i)
        colour(s.textColours[std::size_t(i)]);
    for (Colour c : {s.birthdayColour, s.nameDayColour, s.importantDayColour, s.privateDayColour, s.todayFrameColour})
        colour(c);
    // The precedence as four numbers; a setting of other than four digits
    // stands for the plain order, as the colours page shows it.
    const QString order = s.markingPrecedence.size() == 4 ? s.markingPrecedence : u"1234"_s;
    for (const QChar c : order)
        f << QString(c);
    f << switchOff(s.gridLines) << switchOff(s.shadedGauges) << switchOff(s.windowFrame);
    colour(s.playbackPanelBackground);
    f << s.clockFont.format() << s.textPanelFont.format() << s.infoLabelFont.format();
    colour(s.textColours[std::size_t(TextElement::Temperature)]);
    return f.join(kListSeparator);
}

void applySchemeRecord(const QString& record, MainWindowSettings& s)
{
    s.clockFont = fontAt(record, kFirstFont, kDefaultClockFont);
    s.textPanelFont = fontAt(record, kFirstFont + 1, kDefaultOtherFont);
    s.infoLabelFont = fontAt(record, kFirstFont + 2, kDefaultOtherFont);

    s.gridLines = schemeField(record, 28) != u"1";
    s.shadedGauges = schemeField(record, 29) != u"1";
    s.windowFrame = schemeField(record, 30) != u"1";

    s.plainBackground = schemeField(record, 2) == u"1";
    colourAt(record, 3, s.background);
    int panel = 0;
    s.playbackPanelBackground = numberAt(record, 31, &panel) ? panel : s.background;
    s.backgroundShadow = schemeField(record, 4) == u"1";
    s.skinPicture = schemeField(record, 5);
    colourAt(record, 6, s.gaugeLowColour);
    colourAt(record, 7, s.gaugeMiddleColour);
    colourAt(record, 8, s.gaugeHighColour);
    colourAt(record, 9, s.infoPanelBackground);
    for (int i = 0; i < kTextElements - 1; ++i)
        colourAt(record, kFirstTextColour + i, s.textColours[std::size_t(i)]);
    // An older record has no tenth colour: the temperature becomes black.
    Colour tenth = 0;
    colourAt(record, kTenthTextColour, tenth);
    s.textColours[std::size_t(TextElement::Temperature)] = tenth;
    colourAt(record, 19, s.birthdayColour);
    colourAt(record, 20, s.nameDayColour);
    colourAt(record, 21, s.importantDayColour);
    colourAt(record, 22, s.privateDayColour);
    colourAt(record, 23, s.todayFrameColour);

    // A field that is not a number counts as 1; a number outside 1-4 adds
    // nothing to the order.
    QString order;
    for (int i = 0; i < 4; ++i) {
        int kind = 1;
        if (!numberAt(record, kFirstPrecedence + i, &kind))
            kind = 1;
        if (kind >= 1 && kind <= 4)
            order += QString::number(kind);
    }
    s.markingPrecedence = order;
}

} // namespace zorvex

#include "core/reminders/UpcomingPage.h"

#include <QDir>

#include <array>

namespace zorvex {

namespace {

const QString kCr = QStringLiteral("\r");
const QString kBorder = QStringLiteral("#95BDEE");

struct NamedEntity {
    char16_t ch;
    const char* name;
};

// The characters the page writes as named entities: the HTML specials other
// than the ampersand, and every Latin-1 sign or letter that Windows-1250 can
// hold (so ó and Ó, but no other Polish letter).
constexpr std::array<NamedEntity, 54> kEntities{{
    {u'"', "quot"},        {u'<', "lt"},          {u'>', "gt"},          {u'^', "circ"},        {u'~', "tilde"},
    {u'\u00A0', "nbsp"},   {u'\u00A4', "curren"}, {u'\u00A6', "brvbar"}, {u'\u00A7', "sect"},   {u'\u00A8', "uml"},
    {u'\u00A9', "copy"},   {u'\u00AB', "laquo"},  {u'\u00AC', "not"},    {u'\u00AD', "shy"},    {u'\u00AE', "reg"},
    {u'\u00B0', "deg"},    {u'\u00B1', "plusmn"}, {u'\u00B4', "acute"},  {u'\u00B5', "micro"},  {u'\u00B6', "para"},
    {u'\u00B7', "middot"}, {u'\u00B8', "cedil"},  {u'\u00BB', "raquo"},  {u'\u00C1', "Aacute"}, {u'\u00C2', "Acirc"},
    {u'\u00C4', "Auml"},   {u'\u00C7', "Ccedil"}, {u'\u00C9', "Eacute"}, {u'\u00CB', "Euml"},   {u'\u00CD', "Iacute"},
    {u'\u00CE', "Icirc"},  {u'\u00D3', "Oacute"}, {u'\u00D4', "Ocirc"},  {u'\u00D6', "Ouml"},   {u'\u00D7', "times"},
    {u'\u00DA', "Uacute"}, {u'\u00DC', "Uuml"},   {u'\u00DD', "Yacute"}, {u'\u00DF', "szlig"},  {u'\u00E1', "aacute"},
    {u'\u00E2', "acirc"},  {u'\u00E4', "auml"},   {u'\u00E7', "ccedil"}, {u'\u00E9', "eacute"}, {u'\u00EB', "euml"},
    {u'\u00ED', "iacute"}, {u'\u00EE', "icirc"},  {u'\u00F3', "oacute"}, {u'\u00F4', "ocirc"},  {u'\u00F6', "ouml"},
    {u'\u00F7', "divide"}, {u'\u00FA', "uacute"}, {u'\u00FC', "uuml"},   {u'\u00FD', "yacute"},
}};

const char* entityOf(QChar c)
{
    for (const NamedEntity& e : kEntities) {
        if (e.ch == c.unicode())
            return e.name;
    }
    return nullptr;
}

// The opening of one table cell of the column "Ważne daty"; the same text
// starts the cell of every further group of a day.
QString groupCellOpening()
{
    return QStringLiteral("<td width=\"95px\" align=right nowrap style=\"padding-right:3px; border-right: 1px solid ")
        + kBorder + QStringLiteral(";\">");
}

QString kindLabel(int kind)
{
    switch (kind) {
    case 1:
        return QStringLiteral("Urodziny:");
    case 2:
        return QStringLiteral("Imieniny:");
    case 3:
        return QStringLiteral("Ważny dzień:");
    case 4:
        return QStringLiteral("Prywatny dzień:");
    default:
        return QStringLiteral("Rocznica:");
    }
}

QString kindCellOpening(int kind)
{
    const QString colour = kind == 1   ? QStringLiteral("#B4FFB4")
                           : kind == 2 ? QStringLiteral("#A4FFFF")
                           : kind == 3 ? QStringLiteral("#FDEAA8")
                                       : QStringLiteral("#EEEEEE");
    return QStringLiteral("</td><td style=\"padding-left:3px; background-color:") + colour + QStringLiteral(";\">");
}

// The groups of a day. Built from the texts rather than from the stored
// record, so escaping never touches the separator bytes: 0xFD reads as "ý",
// which has an entity of its own, and escaping the record whole would lose
// the break between two kinds of one day.
QString groupsHtml(const UpcomingRow& row)
{
    const QString rowBreak = QStringLiteral("</td></tr><tr>") + groupCellOpening();
    QStringList groups;
    for (auto it = row.groups.cbegin(); it != row.groups.cend(); ++it) {
        groups << kindLabel(it.key()) + kindCellOpening(it.key())
                + escapeUpcomingText(it.value().join(QStringLiteral(", ")));
    }
    return groups.join(rowBreak);
}

// The page's fixed texts: %1 stands for the data folder's address, %2 for
// the border colour. Lines end in CR.
QString headPiece(const QString& p)
{
    const QStringList lines{
        QStringLiteral("<!DOCTYPE HTML SYSTEM>"),
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1250\">"),
        QStringLiteral("<meta http-equiv=\"Pragma\" content=\"no-cache\">"),
        QStringLiteral("</head>"),
        QStringLiteral("<style type=\"text/css\">"),
        QStringLiteral(".tabnag  { height: 15px; background-image: url('file://%1Gfx/02.jpg'); padding-top: 1px; "
                       "padding-bottom: 1px; padding-left: 5px; padding-right: 5px; border-bottom: 0px solid #000000; "
                       "background-color: #D1102D; color: #FFFFD8; font-size: 8pt; font-family: Verdana, Arial, "
                       "Helvetica}"),
        QStringLiteral(".tabnag2 { height: 15px; background-image: url('file://%1Gfx/03.jpg'); padding-top: 1px; "
                       "padding-bottom: 1px; padding-left: 5px; padding-right: 5px; border-bottom: 0px solid #000000; "
                       "background-color: #428CE5; color: #FFFFD8; font-size: 8pt; font-family: Verdana, Arial, "
                       "Helvetica}"),
        QStringLiteral(".tabnor1 { height:17px; padding-left: 5px; padding-right: 5px; border-bottom: 1px solid %2; "
                       "background-color: #FFFFFF; color: #000000; font-size: 8pt; font-family: Verdana, Arial, "
                       "sans-serif}"),
        QStringLiteral(".tabnor2 { height:17px; padding-left: 5px; padding-right: 5px; border-bottom: 1px solid %2; "
                       "background-color: #EAF8FF; color: #000000; font-size: 8pt; font-family: Verdana, Arial, "
                       "sans-serif}"),
        QStringLiteral("</style>"),
        QStringLiteral("<body style=\"margin:0px; overflow: auto; background-color:#FFFFFF; background-image: "
                       "url('file://%1Gfx/01.png'); background-position-x: left; background-repeat: repeat-y; cursor: "
                       "default; font-family : Arial, Verdana, sans-serif; font-size: 10pt;\">"),
        QStringLiteral("<table cellpadding=0 cellspacing=0 border=0 width=100%>"),
        QStringLiteral("<tr>"),
        QStringLiteral("<td align=center class=tabnag nowrap width=\"65px\">Data</td>"),
        QStringLiteral("<td align=center class=tabnag nowrap width=\"72px\" style=\"border-left: 1px solid %2;\">"
                       "Dzień tyg.</td>"),
        QStringLiteral("<td align=center class=tabnag nowrap width=\"65px\" style=\"border-left: 1px solid %2;\">"
                       "Kiedy</td>"),
        QStringLiteral("<td align=center class=tabnag nowrap style=\"border-left: 1px solid %2;\">Ważne daty</td>"),
        QStringLiteral("</tr>"),
    };
    // One pass over both arguments, so a "%2" in the folder stays as it is.
    return QString(lines.join(kCr) + kCr).arg(p, kBorder);
}

// Heads the table again before the fourth day.
QString secondHeadPiece()
{
    const QStringList lines{
        QStringLiteral("<tr><td colspan=5>&nbsp;</td></tr><tr>"),
        QStringLiteral("<td align=center class=tabnag2 nowrap width=\"65px\">Data</td>"),
        QStringLiteral("<td align=center class=tabnag2 nowrap width=\"72px\" style=\"border-left: 1px solid %1;\">"
                       "Dzień tyg.</td>"),
        QStringLiteral("<td align=center class=tabnag2 nowrap width=\"65px\" style=\"border-left: 1px solid %1;\">"
                       "Kiedy</td>"),
        QStringLiteral("<td align=center class=tabnag2 nowrap style=\"border-left: 1px solid %1;\">Ważne daty</td>"),
        QStringLiteral("</tr>"),
    };
    return lines.join(kCr).arg(kBorder);
}

// One day: date, weekday, when-text and its groups; `j` alternates the
// row colours.
QString rowPiece(const UpcomingRow& row, int j)
{
    const QString cell = QStringLiteral("<td class=tabnor%1 nowrap style=\"").arg(j % 2 == 0 ? 1 : 2);
    const QString left = QStringLiteral("border-left: 1px solid ") + kBorder + QLatin1Char(';');
    const QString date = row.date.toString(QStringLiteral("dd.MM.yyyy"));
    return QStringLiteral("<tr>") + cell + left + QStringLiteral("\">") + date + QStringLiteral("</td>")
        + cell + left + QStringLiteral("\">") + row.weekday() + QStringLiteral("</td>")
        + cell + left + QStringLiteral("\" align=right>") + row.when() + QStringLiteral("</td>")
        + cell + QStringLiteral("padding-right:0px; ") + left + QStringLiteral("border-right: 1px solid ") + kBorder
        + QStringLiteral(";\"><table cellpadding=0 cellspacing=0 border=0 width=100% height=100%><tr>")
        + groupCellOpening() + groupsHtml(row) + QStringLiteral("</td></tr></table></td></tr>") + kCr;
}

} // namespace

QString escapeUpcomingText(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        if (const char* name = entityOf(c))
            out += QLatin1Char('&') + QLatin1String(name) + QLatin1Char(';');
        else
            out += c;
    }
    return out;
}

QString upcomingPagePath(const QString& dataFolder)
{
    QString p = QDir::fromNativeSeparators(dataFolder);
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!p.endsWith(QLatin1Char('/')))
        p += QLatin1Char('/');
    QString out;
    out.reserve(p.size());
    for (const QChar c : p) {
        switch (c.unicode()) {
        case u'%':
        case u'\'':
        case u'"':
        case u'<':
        case u'>':
        case u'&':
        case u'#':
        case u'?':
            out += QLatin1Char('%') + QString::number(c.unicode(), 16).toUpper();
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString upcomingPageHtml(const QList<UpcomingRow>& rows, const QString& dataFolder)
{
    QString page = headPiece(upcomingPagePath(dataFolder));
    for (int j = 0; j < rows.size(); ++j) {
        if (j == 3)
            page += secondHeadPiece();
        page += rowPiece(rows.at(j), j);
    }
    page += QStringLiteral("</table>\r</body>\r</html>");
    return page;
}

} // namespace zorvex

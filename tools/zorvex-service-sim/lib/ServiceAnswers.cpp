#include "Forecast.h"
#include "Iso88592.h"
#include "PackageBuilder.h"
#include "ServiceAnswers.h"
#include "Template.h"
#include "core/common/Cp1250.h"

#include <QDate>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextStream>

#include <zlib.h>

#include <array>

namespace zorvex::sim {
namespace {

const QByteArray kHtml = "text/html; charset=ISO-8859-2";

struct ServiceList {
    const char* endpoint;
    const char* file;
    const char* marker;
    const char* method;
};

// The list endpoints and the two update answers; each file is served as
// written, one "<br>" at every line end.
constexpr std::array<ServiceList, 7> kLists = {{
    {"update.php", "update.txt", "UPDATE", "POST"},
    {"listamap.php", "listamap.txt", "MAPY", "POST"},
    {"listamiast.php", "listamiast.txt", "MIASTA", "POST"},
    {"rozne.php", "rozne.txt", "ROZNE", "POST"},
    {"serwczas.php", "serwczas.txt", "SERWERY", "POST"},
    {"stacje.php", "stacje.txt", "STACJE", "POST"},
    {"updatezvx.php", "updatezvx.txt", "UPDATE", "GET"},
}};

QString withoutLeadingSlash(const QString& s)
{
    return s.startsWith(QLatin1Char('/')) ? s.mid(1) : s;
}

QString param(const QList<QPair<QString, QString>>& params, const QString& key)
{
    for (const auto& p : params) {
        if (p.first == key)
            return p.second;
    }
    return {};
}

bool hasParam(const QList<QPair<QString, QString>>& params, const QString& key)
{
    for (const auto& p : params) {
        if (p.first == key)
            return true;
    }
    return false;
}

QString htmlEscaped(const QString& s)
{
    return s.toHtmlEscaped();
}

// Percent-escapes may carry UTF-8 (a browser) or the page's own code page
// (the service's links); both are read.
QString decoded(QByteArrayView bytes)
{
    QByteArray plus(bytes.data(), bytes.size());
    plus.replace('+', ' ');
    const QByteArray raw = QByteArray::fromPercentEncoding(plus);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(raw);
    if (utf8.hasError())
        return fromIso88592(raw);
    return text;
}

QByteArray contentTypeOf(const QString& name)
{
    const QString ext = QFileInfo(name).suffix().toLower();
    if (ext == QLatin1String("gif"))
        return "image/gif";
    if (ext == QLatin1String("png"))
        return "image/png";
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return "image/jpeg";
    if (ext == QLatin1String("mp3"))
        return "audio/mpeg";
    if (ext == QLatin1String("pls"))
        return "audio/x-scpls";
    if (ext == QLatin1String("m3u"))
        return "audio/x-mpegurl";
    if (ext == QLatin1String("json"))
        return "application/json; charset=utf-8";
    if (ext == QLatin1String("txt") || ext == QLatin1String("ini"))
        return "text/plain";
    return "application/octet-stream";
}

QByteArray isoWarned(const QString& text, const QString& source)
{
    int lost = 0;
    QByteArray bytes = toIso88592(text, &lost);
    if (lost > 0) {
        QTextStream(stderr) << QStringLiteral("zorvex-service-sim: %1 znaków spoza ISO-8859-2 w pliku %2\n")
                                   .arg(lost)
                                   .arg(source);
    }
    return bytes;
}

QString crcStamp(const QByteArray& bytes)
{
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size()));
    return QStringLiteral("%1").arg(quint32(crc), 8, 16, QLatin1Char('0')).toUpper();
}

QStringList linesOf(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString polishDate(QDate d)
{
    static const std::array<const char*, 12> months = {"stycznia", "lutego", "marca", "kwietnia", "maja", "czerwca",
                                                       "lipca", "sierpnia", "września", "października", "listopada", "grudnia"};
    return QString::number(d.day()) + QLatin1Char(' ') + QString::fromUtf8(months[size_t(d.month() - 1)]) + QLatin1Char(' ')
        + QString::number(d.year());
}

} // namespace

Answer errorAnswer(int status, const QByteArray& reason, const QString& detail)
{
    Answer a;
    a.status = status;
    a.reason = reason;
    a.contentType = kHtml;
    const QString text = QStringLiteral("<html><head><title>%1 %2</title></head><body><h1>%1 %2</h1><p>%3</p></body></html>\n")
                             .arg(status)
                             .arg(QString::fromLatin1(reason))
                             .arg(htmlEscaped(detail));
    a.body = toIso88592(text);
    return a;
}

Exchange splitServiceQuery(QByteArrayView rawQuery)
{
    Exchange e;
    QStringList others;
    bool found = false;
    for (const QByteArray& part : QByteArray(rawQuery.data(), rawQuery.size()).split('&')) {
        if (!found && (part.startsWith("l=") || part == "l")) {
            found = true;
            const QString value = decoded(part.mid(part.startsWith("l=") ? 2 : 1));
            const qsizetype q = value.indexOf(QLatin1Char('?'));
            e.endpoint = q < 0 ? value : value.left(q);
            if (q >= 0)
                others.prepend(value.mid(q + 1));
            continue;
        }
        if (!part.isEmpty())
            others.append(QString::fromUtf8(part));
    }
    // What came in `l=` after its "?" comes first, then the URL's own
    // parameters in their order.
    if (found)
        e.query = others.join(QLatin1Char('&'));
    return e;
}

QList<QPair<QString, QString>> parseQuery(QStringView query)
{
    QList<QPair<QString, QString>> out;
    for (QStringView part : query.split(QLatin1Char('&'))) {
        if (part.isEmpty())
            continue;
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        const QByteArray key = (eq < 0 ? part : part.left(eq)).toUtf8();
        const QByteArray value = eq < 0 ? QByteArray() : part.mid(eq + 1).toUtf8();
        out.append({decoded(key), decoded(value)});
    }
    return out;
}

ServiceAnswers::ServiceAnswers(SimData data, QString baseUrl, QString updateNumber)
    : m_data(std::move(data))
    , m_baseUrl(std::move(baseUrl))
    , m_updateNumber(std::move(updateNumber))
{
}

Exchange ServiceAnswers::exchange(const HttpRequest& request) const
{
    const QString path = QString::fromUtf8(QByteArray::fromPercentEncoding(request.path));
    if (path == QLatin1String(kServicePath)) {
        Exchange e = splitServiceQuery(request.query);
        if (e.endpoint.isEmpty() && !request.query.contains("l=")) {
            e.endpoint = path;
            e.query = QString::fromUtf8(request.query);
            e.answer = errorAnswer(400, "Bad Request", QStringLiteral("Brak parametru l="));
            return e;
        }
        e.answer = service(request.method, e.endpoint, e.query);
        return e;
    }

    Exchange e;
    e.endpoint = path;
    e.query = QString::fromUtf8(request.query);
    const auto params = parseQuery(e.query);
    const bool get = request.method == "GET";
    if (path == QLatin1String("/")) {
        e.answer = get ? indexPage() : errorAnswer(405, "Method Not Allowed");
    } else if (path == QLatin1String(kShoutboxPath)) {
        // The shoutbox's own form posts back to it.
        e.answer = page(QStringLiteral("shoutbox"), params);
    } else if (path == QLatin1String(kAddonsPath)) {
        const QString tag = param(params, QStringLiteral("id"));
        const QString name = tag.isEmpty() ? QStringLiteral("dodatki") : QStringLiteral("dodatki-") + tag;
        e.answer = SimData::isPlainName(name) && m_data.read(QStringLiteral("strony/") + name + QStringLiteral(".html"))
            ? page(name, params)
            : page(QStringLiteral("dodatki-brak"), params);
        if (!get)
            e.answer = errorAnswer(405, "Method Not Allowed");
    } else if (!get) {
        e.answer = errorAnswer(405, "Method Not Allowed");
    } else if (path.endsWith(QLatin1String(".php")) && !path.mid(1).contains(QLatin1Char('/'))) {
        // A page's own links lead straight to its script. An alarm link
        // that reaches us was not caught by the program.
        const QString script = path.mid(1).chopped(4);
        if (hasParam(params, QStringLiteral("alarm")))
            e.answer = page(QStringLiteral("alarm"), params);
        else if (SimData::isPlainName(script) && m_data.read(QStringLiteral("strony/") + script + QStringLiteral(".html")))
            e.answer = page(script, params);
        else
            e.answer = errorAnswer(404, "Not Found", QStringLiteral("Nie ma takiej strony"));
    } else {
        e.answer = file(path);
    }
    return e;
}

Answer ServiceAnswers::service(const QByteArray& method, const QString& endpoint, const QString& query) const
{
    const QString name = withoutLeadingSlash(endpoint);
    for (const ServiceList& list : kLists) {
        if (name != QLatin1String(list.endpoint))
            continue;
        if (method != list.method)
            return errorAnswer(405, "Method Not Allowed", QStringLiteral("Ten adres przyjmuje tylko ") + QLatin1String(list.method));
        return listAnswer(QString::fromLatin1(list.file), QString::fromLatin1(list.marker));
    }
    const auto params = parseQuery(query);
    if (name == QLatin1String("pogoda.php")) {
        if (method != "POST")
            return errorAnswer(405, "Method Not Allowed", QStringLiteral("Ten adres przyjmuje tylko POST"));
        Answer a;
        a.contentType = kHtml;
        a.marker = QStringLiteral("POGODA");
        a.textLines = true;
        QString text;
        for (const QString& line : forecastLines(m_data, param(params, QStringLiteral("mid")), param(params, QStringLiteral("date"))))
            text += line + QStringLiteral("<br>\n");
        a.body = isoWarned(text, QStringLiteral("pogoda"));
        return a;
    }
    // The scripts of the miscellaneous list are pages, opened by a browser.
    const QString script = name.endsWith(QLatin1String(".php")) ? name.chopped(4) : QString();
    if (SimData::isPlainName(script) && m_data.read(QStringLiteral("strony/") + script + QStringLiteral(".html"))) {
        if (method != "GET")
            return errorAnswer(405, "Method Not Allowed", QStringLiteral("Strony otwiera przeglądarka (GET)"));
        return page(script, params);
    }
    return errorAnswer(404, "Not Found", QStringLiteral("Nieznany adres usługi: ") + endpoint);
}

Answer ServiceAnswers::listAnswer(const QString& fileName, const QString& marker) const
{
    const auto source = m_data.read(fileName);
    if (!source)
        return errorAnswer(404, "Not Found", QStringLiteral("Brak pliku danych ") + fileName);
    QString text = QString::fromUtf8(*source);
    text.remove(QLatin1Char('\r'));
    text = expand(text, {});
    if (text.contains(QLatin1String("{TOTAL}")))
        text.replace(QLatin1String("{TOTAL}"), QString::number(totalOfUpdateFiles(text)));
    QString served;
    for (const QString& line : linesOf(text))
        served += line + QStringLiteral("<br>\n");
    Answer a;
    a.contentType = kHtml;
    a.marker = marker;
    a.textLines = true;
    a.body = isoWarned(served, fileName);
    return a;
}

qint64 ServiceAnswers::totalOfUpdateFiles(const QString& text) const
{
    // The announced total is what the "P" lines really download, so it
    // stays right when a sample file is edited.
    qint64 total = 0;
    for (const QString& line : linesOf(text)) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() < 2 || f[0].compare(QLatin1String("P"), Qt::CaseInsensitive) != 0 || !f[1].startsWith(m_baseUrl))
            continue;
        HttpRequest r;
        r.method = "GET";
        r.target = QByteArray("/") + f[1].mid(m_baseUrl.size()).toUtf8();
        const qsizetype q = r.target.indexOf('?');
        r.path = q < 0 ? r.target : r.target.left(q);
        const Exchange e = exchange(r);
        if (e.answer.status == 200)
            total += e.answer.body.size();
    }
    return total;
}

QString ServiceAnswers::expand(const QString& text, const QList<QPair<QString, QString>>& params) const
{
    const QDate today = QDate::currentDate();
    return expandTemplate(text, [&](const QString& name, const QString& arg) -> std::optional<QString> {
        if (name == QLatin1String("BASE"))
            return m_baseUrl;
        if (name == QLatin1String("SERWIS"))
            return m_baseUrl + QLatin1String(kServicePath).mid(1) + QStringLiteral("?l=");
        if (name == QLatin1String("NUMER"))
            return m_updateNumber;
        if (name == QLatin1String("DZIS"))
            return today.toString(QStringLiteral("yyyy-MM-dd"));
        if (name == QLatin1String("JUTRO"))
            return today.addDays(1).toString(QStringLiteral("yyyy-MM-dd"));
        if (name == QLatin1String("POJUTRZE"))
            return today.addDays(2).toString(QStringLiteral("yyyy-MM-dd"));
        if (name == QLatin1String("DATA"))
            return polishDate(today);
        if (name == QLatin1String("TOKEN"))
            return htmlEscaped(param(params, QStringLiteral("user_id")));
        if (name == QLatin1String("WERSJA"))
            return htmlEscaped(param(params, QStringLiteral("w")));
        if (name == QLatin1String("ALARM"))
            return htmlEscaped(param(params, QStringLiteral("alarm")));
        if (name == QLatin1String("HOROSKOP"))
            return horoscope(param(params, QStringLiteral("znak")));
        if (name == QLatin1String("STYL")) {
            // The pages share one style, put into each page as it goes out.
            return QStringLiteral("<style>\n") + m_data.readText(QStringLiteral("strony/styl.css")).value_or(QString())
                + QStringLiteral("</style>");
        }
        if (name == QLatin1String("URL"))
            return urlEncodeIso(arg);
        if (name == QLatin1String("STAMP")) {
            const auto bytes = SimData::isPlainName(arg) ? m_data.read(arg) : std::nullopt;
            return bytes ? crcStamp(*bytes) : QStringLiteral("0");
        }
        return std::nullopt;
    });
}

QString ServiceAnswers::horoscope(const QString& sign) const
{
    // Signs by the horoscope menu's numbers: "z1" Baran … "z12" Ryby.
    bool ok = false;
    const int wanted = sign.startsWith(QLatin1Char('z')) ? sign.mid(1).toInt(&ok) : 0;
    if (!sign.isEmpty() && (!ok || wanted < 1 || wanted > 12))
        return QStringLiteral("<p class=\"blad\">Nieznany znak zodiaku.</p>");
    QString out;
    const QStringList lines = m_data.readText(QStringLiteral("horoskop.txt")).value_or(QString()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.size() < 4 || (wanted > 0 && f[0].toInt() != wanted))
            continue;
        out += QStringLiteral("<h2>%1 <small>(%2)</small></h2>\n<p>%3</p>\n").arg(f[1], f[2], f[3]);
    }
    return out;
}

Answer ServiceAnswers::page(const QString& name, const QList<QPair<QString, QString>>& params) const
{
    const QString fileName = QStringLiteral("strony/") + name + QStringLiteral(".html");
    const auto text = m_data.readText(fileName);
    if (!text)
        return errorAnswer(404, "Not Found", QStringLiteral("Nie ma takiej strony"));
    Answer a;
    a.contentType = kHtml;
    a.textLines = true;
    a.body = isoWarned(expand(*text, params), fileName);
    return a;
}

Answer ServiceAnswers::file(const QString& path) const
{
    const QStringList parts = path.mid(1).split(QLatin1Char('/'));
    if (parts.size() != 2)
        return errorAnswer(404, "Not Found");
    const QString& folder = parts[0];
    const QString& name = parts[1];
    if (!SimData::isPlainName(name))
        return errorAnswer(404, "Not Found");
    Answer a;
    if (folder == QLatin1String("dodatki") && name.endsWith(QLatin1String(".zvxd"))) {
        QString why;
        const auto package = buildPackage(m_data, name.chopped(5), &why);
        if (!package)
            return errorAnswer(404, "Not Found", why);
        a.contentType = "application/octet-stream";
        a.body = *package;
        return a;
    }
    if (folder == QLatin1String("aktualizacja")) {
        // Program files are served as they land in the data folder: a
        // ".utf8" source becomes Windows-1250 with CR LF line ends.
        if (const auto bytes = m_data.read(QStringLiteral("aktualizacja/") + name)) {
            a.body = *bytes;
        } else if (const auto source = m_data.readText(QStringLiteral("aktualizacja/") + name + QStringLiteral(".utf8"))) {
            QString text = *source;
            text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
            a.body = toCp1250(text);
        } else {
            return errorAnswer(404, "Not Found");
        }
        a.contentType = contentTypeOf(name);
        return a;
    }
    if (folder == QLatin1String("mapy")) {
        // A map's address carries its date ("temperatura_20261209.gif");
        // every date gets the same picture.
        auto bytes = m_data.read(QStringLiteral("mapy/") + name);
        const qsizetype underscore = name.indexOf(QLatin1Char('_'));
        if (!bytes && underscore > 0)
            bytes = m_data.read(QStringLiteral("mapy/") + name.left(underscore) + QLatin1Char('.') + QFileInfo(name).suffix());
        if (!bytes)
            return errorAnswer(404, "Not Found");
        a.contentType = contentTypeOf(name);
        a.body = *bytes;
        return a;
    }
    if (folder == QLatin1String("radio")) {
        const auto text = m_data.readText(QStringLiteral("radio/") + name);
        if (!text)
            return errorAnswer(404, "Not Found");
        a.contentType = contentTypeOf(name);
        a.textLines = true;
        a.body = isoWarned(expand(*text, {}), name);
        return a;
    }
    if (folder == QLatin1String("v1") && (name == QLatin1String("forecast") || name == QLatin1String("search"))) {
        const auto bytes = m_data.read(QStringLiteral("open-meteo/") + name + QStringLiteral(".json"));
        if (!bytes)
            return errorAnswer(404, "Not Found", QStringLiteral("Brak nagranej odpowiedzi open-meteo/") + name + QStringLiteral(".json"));
        a.contentType = "application/json; charset=utf-8";
        a.body = *bytes;
        return a;
    }
    return errorAnswer(404, "Not Found");
}

Answer ServiceAnswers::indexPage() const
{
    const QString service = m_baseUrl + QLatin1String(kServicePath).mid(1) + QStringLiteral("?l=");
    const QString text = QStringLiteral(
                             "<html><head><meta charset=\"iso-8859-2\"><title>Symulator usługi Zorvex</title></head><body>\n"
                             "<h1>Symulator usługi Zorvex</h1>\n"
                             "<p>Adres usługi: <code>%1</code><br>\nAdres shoutboxa: <code>%2</code><br>\n"
                             "Adres stron dodatków: <code>%3</code></p>\n</body></html>\n")
                             .arg(service,
                                  m_baseUrl + QLatin1String(kShoutboxPath).mid(1) + QStringLiteral("?w="),
                                  m_baseUrl + QLatin1String(kAddonsPath).mid(1) + QStringLiteral("?id="));
    Answer a;
    a.contentType = kHtml;
    a.body = toIso88592(text);
    return a;
}

} // namespace zorvex::sim

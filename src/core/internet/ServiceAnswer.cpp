#include "core/internet/ServiceAnswer.h"

#include "core/common/Cp1250.h"
#include "core/common/Text.h"

#include <QCryptographicHash>
#include <QRegularExpression>

namespace zorvex {

QByteArray isoToCp1250(QByteArrayView bytes)
{
    QByteArray out(bytes.data(), bytes.size());
    for (char& c : out) {
        switch (static_cast<unsigned char>(c)) {
        case 0xA1: c = char(0xA5); break;
        case 0xA6: c = char(0x8C); break;
        case 0xAC: c = char(0x8F); break;
        case 0xB1: c = char(0xB9); break;
        case 0xB6: c = char(0x9C); break;
        case 0xBC: c = char(0x9F); break;
        default: break;
        }
    }
    return out;
}

QStringList cleanAnswer(QByteArrayView body)
{
    QByteArray bytes = isoToCp1250(body);
    // "<br>" in any letter case; the bytes around it are left alone.
    for (qsizetype at = 0; (at = bytes.indexOf('<', at)) >= 0;) {
        if (bytes.size() - at >= 4 && QByteArrayView(bytes).sliced(at, 4).compare("<br>", Qt::CaseInsensitive) == 0)
            bytes.remove(at, 4);
        else
            ++at;
    }
    QString text = fromCp1250(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = text.split(QLatin1Char('\n'));
    // A final line end does not start one more line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<QStringList> listAnswer(const QStringList& lines, const QString& marker)
{
    bool marked = false;
    QStringList out;
    for (const QString& line : lines) {
        if (equalsIgnoringCase(PipeField(line, 1), marker)) {
            marked = true;
            continue;
        }
        if (!line.isEmpty())
            out << line;
    }
    if (!marked || out.isEmpty())
        return std::nullopt;
    return out;
}

bool isPlainUrlPart(const QString& text)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9._-]+$"));
    return plain.match(text).hasMatch() && !text.contains(QLatin1String(".."));
}

QString machineToken(QByteArrayView machineId)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView("Zorvex/Vuzuvured/token/1"));
    hash.addData(machineId.trimmed());
    // Sixteen bytes are plenty to tell computers apart.
    return QString::fromLatin1(hash.result().left(16).toHex().toUpper());
}

} // namespace zorvex

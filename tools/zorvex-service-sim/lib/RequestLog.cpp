#include "RequestLog.h"

namespace zorvex::sim {
namespace {

QString clean(QString value)
{
    for (QChar& c : value) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return value;
}

} // namespace

QString LoggedRequest::toLine() const
{
    const QStringList fields = {
        QStringLiteral("method=") + clean(method),
        QStringLiteral("target=") + clean(target),
        QStringLiteral("endpoint=") + clean(endpoint),
        QStringLiteral("query=") + clean(query),
        QStringLiteral("status=") + QString::number(status),
        QStringLiteral("fault=") + clean(fault),
        QStringLiteral("user-agent=") + clean(userAgent),
        QStringLiteral("content-type=") + clean(contentType),
        QStringLiteral("accept=") + clean(accept),
        QStringLiteral("cookie=") + clean(cookie),
        QStringLiteral("body=") + QString::number(bodyLength),
    };
    return fields.join(QLatin1Char('\t'));
}

QHash<QString, QString> parseLogLine(QStringView line)
{
    QHash<QString, QString> fields;
    for (QStringView field : line.split(QLatin1Char('\t'))) {
        const qsizetype eq = field.indexOf(QLatin1Char('='));
        if (eq > 0)
            fields.insert(field.left(eq).toString(), field.mid(eq + 1).toString());
    }
    return fields;
}

bool RequestLog::open(const QString& path)
{
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
}

void RequestLog::append(const LoggedRequest& request)
{
    if (!m_file.isOpen())
        return;
    m_file.write(request.toLine().toUtf8() + '\n');
    m_file.flush();
}

} // namespace zorvex::sim

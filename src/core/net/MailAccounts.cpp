#include "core/net/MailAccounts.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/Text.h"

#include <QFile>

namespace zorvex {

std::optional<HostPort> MailAccount::target() const
{
    return parseHostPort(server, ssl ? 995 : 110);
}

QList<MailAccount> parseMailAccounts(const QString& text)
{
    QList<MailAccount> out;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        MailAccount a;
        a.login = Field(line, kListSeparator, 1);
        a.password = Field(line, kListSeparator, 2);
        a.server = Field(line, kListSeparator, 3);
        bool ok = false;
        a.count = Field(line, kListSeparator, 4).toInt(&ok);
        if (!ok || a.count < 0)
            a.count = 0;
        a.ssl = Field(line, kListSeparator, 6) == QLatin1String("1");
        a.name = Field(line, kListSeparator, 7);
        a.trustedSha256 = Field(line, kListSeparator, 8);
        out << a;
    }
    return out;
}

QString formatMailAccounts(const QList<MailAccount>& accounts)
{
    QString out;
    for (const MailAccount& a : accounts) {
        QStringList f{a.login, a.password, a.server, QString::number(a.count), a.status,
                      a.ssl ? QStringLiteral("1") : QStringLiteral("0"), a.name};
        if (!a.trustedSha256.isEmpty())
            f << a.trustedSha256;
        for (QString& field : f) // a field never carries a line break or a separator
            field.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(kListSeparator);
        out += f.join(kListSeparator) + QStringLiteral("\r\n");
    }
    return out;
}

bool loadMailAccounts(const QString& path, QList<MailAccount>* accounts)
{
    const TextFileRead file = readTextFile(path);
    accounts->clear();
    if (!file.read())
        return file.status == FileReadStatus::Missing;
    *accounts = parseMailAccounts(file.text);
    return true;
}

bool saveMailAccounts(const QString& path, const QList<MailAccount>& accounts)
{
    const bool existed = QFile::exists(path);
    if (!writeFileAtomically(path, toCp1250(formatMailAccounts(accounts))))
        return false;
    if (!existed) // later writes keep these permissions
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QList<NewMail> newMailList(const QList<MailAccount>& before, const QList<MailAccount>& after, int condition)
{
    QList<NewMail> out;
    for (const MailAccount& b : after) {
        for (const MailAccount& a : before) {
            if (!a.sameMailbox(b))
                continue;
            const bool hit = condition == 0 ? b.count > 0 : condition == 1 ? a.count < b.count : a.count != b.count;
            if (hit)
                out << NewMail{b.count, b.label()};
        }
    }
    return out;
}

QString newMailRow(const NewMail& m)
{
    return QLatin1Char('[') + QString::number(m.count) + QStringLiteral("] ") + m.label;
}

} // namespace zorvex

#include "core/calendar/PolishNames.h"

namespace zorvex {

QString mailGroupCaption(const QDateTime& last, const QDate& today)
{
    const QString base = QStringLiteral("Sprawdzanie poczty");
    if (!last.isValid())
        return base;
    const QString time = last.time().toString(QStringLiteral("HH:mm:ss"));
    QString when;
    if (last.date() == today)
        when = QStringLiteral("dzisiaj o ") + time;
    else if (last.date() == today.addDays(-1))
        when = QStringLiteral("wczoraj o ") + time;
    else
        when = polishDateText(last.date(), QStringLiteral("dddd dd MMM yyyy")) + QStringLiteral(", ") + time;
    return base + QStringLiteral(" - ostatnio sprawdzane: ") + when;
}

} // namespace zorvex

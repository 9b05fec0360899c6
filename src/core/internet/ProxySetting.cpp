#include "core/internet/ProxySetting.h"

#include "core/common/Cp1250.h"

namespace zorvex {
namespace {

// Prefix of the stored form, so that a hand-typed password is told apart.
constexpr char kScrambledMark[] = "~";
constexpr char kKey[] = "Vuzuvured-proxy";

QByteArray xorWithKey(QByteArray bytes)
{
    const qsizetype keyLength = qsizetype(sizeof(kKey) - 1);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(bytes[i] ^ kKey[i % keyLength] ^ char(i * 7));
    return bytes;
}

} // namespace

QString scramblePassword(const QString& plain)
{
    if (plain.isEmpty())
        return {};
    return QLatin1String(kScrambledMark) + QString::fromLatin1(xorWithKey(plain.toUtf8()).toHex().toUpper());
}

QString unscramblePassword(const QString& stored)
{
    if (!stored.startsWith(QLatin1String(kScrambledMark)))
        return stored;
    const QString hex = stored.mid(1);
    const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
    if (hex.size() % 2 != 0 || bytes.toHex().toUpper() != hex.toUpper().toLatin1())
        return stored;
    return QString::fromUtf8(xorWithKey(bytes));
}

QString ProxySetting::password() const
{
    return unscramblePassword(storedPassword);
}

void ProxySetting::setPassword(const QString& plain)
{
    storedPassword = scramblePassword(plain);
}

void ProxySetting::visit(SettingsVisitor& v)
{
    v.boolean("Wlaczone", enabled, false);
    v.boolean("Autoryzacja", authorization, false);
    v.text("IP", ip, QString());
    v.text("Port", port, QString());
    v.text("Login", login, QString());
    v.text("Haslo", storedPassword, QString());
}

ProxyUse proxyUse(const ProxySetting& s)
{
    ProxyUse use;
    if (!s.enabled)
        return use;
    use.on = true;
    use.host = s.ip.trimmed();
    bool ok = false;
    const int port = s.port.trimmed().toInt(&ok);
    use.port = ok && port > 0 && port < 65536 ? port : 0;
    if (s.authorization) {
        use.user = s.login;
        use.password = s.password();
    }
    return use;
}

bool isValidProxyPort(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (QChar c : t) {
        if (!c.isDigit() || c.unicode() > 0x7F)
            return false;
    }
    bool ok = false;
    const int port = t.toInt(&ok);
    return ok && port >= 1 && port <= 65535;
}

HostAndPort splitProxyServer(const QString& text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    // Position 2 or later, counted from 1: at least one character before it.
    if (colon >= 1)
        return {text.left(colon), text.mid(colon + 1)};
    return {text, QString()};
}

} // namespace zorvex

#include "core/net/Pop3Session.h"

namespace zorvex {
namespace {

QString cleaned(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.remove(QLatin1Char('\n'));
    return t.trimmed();
}

} // namespace

QString pop3ErrorText(Pop3Error error, const QString& detail)
{
    switch (error) {
    case Pop3Error::None: return {};
    case Pop3Error::HostNotFound:
        return cleaned(detail)
            + QStringLiteral(" Prawdopodobnie wpisano niepoprawny serwer POP3 lub brak połączenia z internetem");
    case Pop3Error::Closed: return QStringLiteral("Połączenie z serwerem zostało nagle przerwane.");
    case Pop3Error::Timeout: return QStringLiteral("Przekroczono czas oczekiwania.");
    case Pop3Error::Login: return QStringLiteral("Niepoprawny login lub hasło.");
    case Pop3Error::Untrusted:
        return QStringLiteral("Certyfikat serwera nie jest zaufany, hasło nie zostało wysłane. ") + cleaned(detail);
    case Pop3Error::Tls:
        return QStringLiteral("Nie udało się nawiązać połączenia szyfrowanego. ") + cleaned(detail);
    case Pop3Error::NoUidl:
        return QStringLiteral("Serwer nie podaje identyfikatorów wiadomości (UIDL), więc nie można bezpiecznie "
                              "usunąć wiadomości.");
    case Pop3Error::Protocol: return QStringLiteral("Serwer odpowiedział niezgodnie z protokołem POP3.");
    case Pop3Error::Refused: return QStringLiteral("Nie można połączyć się z serwerem POP3.");
    case Pop3Error::Server: break;
    }
    return cleaned(detail);
}

Pop3Session::Pop3Session(Login login, bool fetchHeaders)
    : m_check(true)
    , m_login(std::move(login))
    , m_fetchHeaders(fetchHeaders)
{
}

Pop3Session::Pop3Session(Login login, QList<Deletion> deletions)
    : m_check(false)
    , m_login(std::move(login))
    , m_deletions(std::move(deletions))
{
}

Pop3Session::Pop3Session(Probe probe)
    : m_check(true)
    , m_probe(true)
{
    m_login.tryStls = probe.tryStls;
}

QByteArray Pop3Session::takeOutput()
{
    QByteArray out;
    out.swap(m_out);
    return out;
}

void Pop3Session::received(QByteArrayView bytes)
{
    if (m_state == State::Done)
        return;
    m_in.append(bytes);
    while (m_state != State::Done && m_state != State::WaitTls) {
        const qsizetype end = m_in.indexOf('\n');
        if (end < 0) {
            if (m_in.size() > kMaxLine)
                finish(Pop3Error::Protocol);
            return;
        }
        QByteArray text = m_in.left(end);
        m_in.remove(0, end + 1);
        if (text.endsWith('\r'))
            text.chop(1);
        line(text);
    }
    // After STLS nothing may be read in the clear: bytes that came with the
    // answer were sent before the handshake and are not trusted.
    if (m_state == State::WaitTls)
        m_in.clear();
}

void Pop3Session::line(const QByteArray& text)
{
    if (m_inBody) {
        if (text == ".") {
            m_inBody = false;
            multiLineEnded();
            return;
        }
        const QByteArray unstuffed = text.startsWith('.') ? text.mid(1) : text;
        m_bodySize += unstuffed.size() + 2;
        if (m_bodySize <= kMaxHeaderBlock)
            m_body << unstuffed;
        return;
    }
    if (text.startsWith("+OK")) {
        status(true, text.mid(3).trimmed());
    } else if (text.startsWith("-ERR")) {
        status(false, text.mid(4).trimmed());
    } else {
        finish(Pop3Error::Protocol, QString::fromLatin1(text.left(200)));
    }
}

void Pop3Session::send(const QByteArray& command, State next, bool multiLine)
{
    m_out += command + "\r\n";
    m_state = next;
    m_multi = multiLine;
    m_body.clear();
    m_bodySize = 0;
}

void Pop3Session::status(bool ok, const QByteArray& text)
{
    const QString said = QString::fromUtf8(text);
    if (ok && m_multi) {
        m_okText = text;
        m_inBody = true;
        return;
    }
    switch (m_state) {
    case State::Greeting:
        if (!ok)
            return finish(Pop3Error::Server, said);
        if (m_login.tryStls && !m_result.encrypted)
            return send("CAPA", State::Capa, true);
        return startLogin();
    case State::Capa: // refused: the server knows no CAPA, so no STLS either
        return startLogin();
    case State::Stls:
        if (!ok) // offered but refused: go on as the account says
            return startLogin();
        m_state = State::WaitTls;
        return;
    case State::User:
        if (!ok)
            return finish(Pop3Error::Login, said);
        return send("PASS " + m_login.password.toUtf8(), State::Pass);
    case State::Pass:
        if (!ok)
            return finish(Pop3Error::Login, said);
        m_result.loggedIn = true;
        return afterLogin();
    case State::Stat:
        if (ok) {
            bool read = false;
            const int count = text.split(' ').value(0).toInt(&read);
            if (read && count >= 0)
                m_result.count = count;
        }
        if (m_result.count < 0)
            return quit();
        if (!m_fetchHeaders || m_result.count == 0)
            return quit();
        return send("LIST", State::List, true);
    case State::List:
    case State::Uidl:
    case State::Top: // "-ERR": this step gives nothing, the check goes on
        if (m_state == State::List)
            return send("UIDL", State::Uidl, true);
        if (m_state == State::Uidl)
            return nextTop();
        return nextTop();
    case State::DeleteUidl:
        // Without unique ids only messages the check could not name either
        // may go by number.
        for (const Deletion& d : m_deletions) {
            if (!d.uidl.isEmpty())
                return finish(Pop3Error::NoUidl);
        }
        return nextDele();
    case State::Dele:
        if (!ok) // nothing is applied without QUIT: the server keeps all
            return finish(Pop3Error::Server, said);
        return nextDele();
    case State::Quit:
        if (ok)
            m_result.finished = true;
        return finish(ok || m_check ? Pop3Error::None : Pop3Error::Server, ok ? QString() : said);
    case State::WaitTls:
    case State::Done: return;
    }
}

void Pop3Session::multiLineEnded()
{
    switch (m_state) {
    case State::Capa:
        for (const QByteArray& l : std::as_const(m_body)) {
            if (l.trimmed().toUpper() == "STLS")
                m_stlsOffered = true;
        }
        if (m_stlsOffered)
            return send("STLS", State::Stls);
        return startLogin();
    case State::List:
        for (const QByteArray& l : std::as_const(m_body)) {
            const QList<QByteArray> f = l.trimmed().split(' ');
            bool okNumber = false, okSize = false;
            const int n = f.value(0).toInt(&okNumber);
            const qint64 size = f.value(1).toLongLong(&okSize);
            if (okNumber && okSize && n > 0 && !m_sizes.contains(n)) {
                m_sizes.insert(n, size);
                m_numbers << n;
            }
        }
        return send("UIDL", State::Uidl, true);
    case State::Uidl:
    case State::DeleteUidl:
        for (const QByteArray& l : std::as_const(m_body)) {
            const QList<QByteArray> f = l.trimmed().split(' ');
            bool okNumber = false;
            const int n = f.value(0).toInt(&okNumber);
            if (okNumber && n > 0 && f.size() >= 2)
                m_uidls.insert(n, QString::fromLatin1(f.value(1)));
        }
        if (m_state == State::Uidl)
            return nextTop();
        return nextDele();
    case State::Top: {
        Pop3Message m;
        m.number = topNumber(m_next - 1);
        m.size = m_sizes.value(m.number);
        m.uidl = m_uidls.value(m.number);
        m.summary = readMailSummary(m_body.join("\r\n"));
        m_result.messages << m;
        return nextTop();
    }
    default: return;
    }
}

void Pop3Session::tlsStarted()
{
    m_result.encrypted = true;
    if (m_state == State::WaitTls)
        startLogin();
}

void Pop3Session::startLogin()
{
    if (m_probe)
        return quit();
    send("USER " + m_login.user.toUtf8(), State::User);
}

void Pop3Session::afterLogin()
{
    if (m_check)
        return send("STAT", State::Stat);
    m_next = 0;
    send("UIDL", State::DeleteUidl, true);
}

int Pop3Session::topCount() const
{
    // No LIST: the messages are 1 … count, numbered on the way rather than
    // listed, since the count is the server's word and may be any number.
    return m_sizes.isEmpty() ? qMax(m_result.count, 0) : int(m_numbers.size());
}

int Pop3Session::topNumber(int index) const
{
    return m_sizes.isEmpty() ? index + 1 : m_numbers.value(index);
}

void Pop3Session::nextTop()
{
    if (m_next >= topCount())
        return quit();
    const int n = topNumber(m_next++);
    send("TOP " + QByteArray::number(n) + " 0", State::Top, true);
}

void Pop3Session::nextDele()
{
    while (m_next < m_deletions.size()) {
        const int index = m_next++;
        const Deletion& d = m_deletions.at(index);
        int number = d.number;
        if (!d.uidl.isEmpty()) {
            number = m_uidls.key(d.uidl, 0);
            if (number == 0) { // deleted by someone else meanwhile: gone already
                m_result.deleted << index;
                continue;
            }
        }
        m_result.deleted << index;
        return send("DELE " + QByteArray::number(number), State::Dele);
    }
    quit();
}

void Pop3Session::quit()
{
    send("QUIT", State::Quit);
}

void Pop3Session::connectionClosed()
{
    if (m_state == State::Done)
        return;
    // A check that read its count keeps it; the missing QUIT answer is no
    // error there. A deletion without it applied nothing.
    finish(Pop3Error::Closed);
}

void Pop3Session::fail(Pop3Error error, const QString& detail)
{
    if (m_state != State::Done)
        finish(error, detail);
}

void Pop3Session::finish(Pop3Error error, const QString& detail)
{
    m_state = State::Done;
    m_inBody = false;
    if (error != Pop3Error::None && !m_check && !m_result.finished)
        m_result.deleted.clear();
    // After login a check keeps what it read and reports nothing.
    if (m_check && m_result.loggedIn && m_result.count >= 0)
        error = Pop3Error::None;
    m_result.error = error;
    m_result.detail = detail;
}

} // namespace zorvex

#pragma once

#include "core/net/MailHeaders.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QMap>
#include <QString>

namespace zorvex {

// Why a POP3 session failed.
enum class Pop3Error {
    None,
    HostNotFound,
    Refused,       // the connection was refused or the network is down
    Closed,        // the server closed the connection before the end
    Timeout,       // no answer within the read time-out
    Login,         // USER or PASS refused
    Server,        // another "-ERR" answer
    Protocol,      // an answer that is not POP3, or one far too long
    Tls,           // the encryption could not be set up
    Untrusted,     // the server's certificate is not trusted: no password sent
    NoUidl,        // deletion asked for, but the server cannot name messages
};

// The account list's status text for a failure, in Polish.
QString pop3ErrorText(Pop3Error error, const QString& detail);

struct Pop3Message {
    int number = 0;
    qint64 size = 0;
    QString uidl;
    MailSummary summary;
};

// One POP3 dialogue (RFC 1939, STLS of RFC 2595) as a state machine fed by
// the bytes that arrive; what it sends is taken from takeOutput(). It never
// touches a socket, so every answer a server may give can be fed to it.
//
// A check logs in, reads the count (STAT) and, when asked, the size, unique
// id and headers (TOP n 0, never a whole message) of every message, then
// QUIT. A deletion logs in, finds each message by its unique id (another
// client may have deleted or added messages since the check), sends DELE,
// and counts as done only when the server answers QUIT: before that the
// server applies nothing.
class Pop3Session {
public:
    static constexpr qsizetype kMaxLine = 64 * 1024;
    static constexpr qsizetype kMaxHeaderBlock = 256 * 1024;

    struct Login {
        QString user;
        QString password; // plain
        bool tryStls = false; // ask CAPA and use STLS when offered
    };
    struct Deletion {
        int number = 0;
        QString uidl; // empty when the check could not learn it
    };
    struct Result {
        bool loggedIn = false;
        bool finished = false; // QUIT answered
        Pop3Error error = Pop3Error::None;
        QString detail;        // the server's own words, when it gave any
        int count = -1;        // STAT; −1 when not read
        QList<Pop3Message> messages;
        QList<int> deleted;    // indices into the deletions asked for
        bool encrypted = false;
    };

    // A check.
    Pop3Session(Login login, bool fetchHeaders);
    // A deletion of these messages, in this order.
    Pop3Session(Login login, QList<Deletion> deletions);
    // A look at the server's certificate for the account dialog: the
    // greeting, STLS when asked and offered, then QUIT. No user name or
    // password is ever sent.
    struct Probe {
        bool tryStls = false;
    };
    explicit Pop3Session(Probe probe);

    void received(QByteArrayView bytes);
    // The connection is encrypted now (from the start, or after STLS).
    void tlsStarted();
    // The connection is gone; an end before the QUIT answer is an error.
    void connectionClosed();
    // Ends the session with an error from outside (time-out, network).
    void fail(Pop3Error error, const QString& detail = {});

    QByteArray takeOutput();
    // STLS was accepted: the connection must start TLS now, before anything
    // else is read or sent.
    bool wantsTls() const { return m_state == State::WaitTls; }
    bool done() const { return m_state == State::Done; }
    const Result& result() const { return m_result; }

private:
    enum class State {
        Greeting, Capa, Stls, WaitTls, User, Pass, Stat, List, Uidl, Top, DeleteUidl, Dele, Quit, Done
    };

    void line(const QByteArray& text);
    void status(bool ok, const QByteArray& text);
    void multiLineEnded();
    void send(const QByteArray& command, State next, bool multiLine = false);
    void startLogin();
    void afterLogin();
    void nextTop();
    int topCount() const;
    int topNumber(int index) const;
    void nextDele();
    void quit();
    void finish(Pop3Error error, const QString& detail = {});

    bool m_check = true;
    bool m_probe = false;
    Login m_login;
    bool m_fetchHeaders = false;
    QList<Deletion> m_deletions;
    State m_state = State::Greeting;
    QByteArray m_in;
    QByteArray m_out;
    bool m_multi = false;      // the current answer is multi-line
    bool m_inBody = false;     // its +OK came, lines follow
    QList<QByteArray> m_body;
    qsizetype m_bodySize = 0;
    QByteArray m_okText;
    bool m_stlsOffered = false;
    QMap<int, qint64> m_sizes;
    QMap<int, QString> m_uidls;
    QList<int> m_numbers;
    int m_next = 0;
    Result m_result;
};

} // namespace zorvex

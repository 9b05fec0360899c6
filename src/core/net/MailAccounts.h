#pragma once

#include "core/net/HostPort.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace zorvex {

// One line of "Poczta_<profile>.ini": seven fields split by the list
// separator, and an eighth of our own: the SHA-256 of the one self-signed
// certificate the user chose to trust for this server (empty: none).
struct MailAccount {
    QString login;
    QString password; // scrambled, as stored
    QString server;   // "host" or "host:port"
    int count = 0;
    QString status;   // the last failed check's error; cleared on load
    bool ssl = false; // TLS from the start (995); else 110 with STLS when offered
    QString name;
    QString trustedSha256;

    QString label() const { return name.isEmpty() ? login : name; }
    bool sameMailbox(const MailAccount& o) const
    {
        return login == o.login && password == o.password && server == o.server;
    }
    // The server box's host and port: 995 with SSL, else 110.
    std::optional<HostPort> target() const;
};

QList<MailAccount> parseMailAccounts(const QString& text);
QString formatMailAccounts(const QList<MailAccount>& accounts);

// Missing file: no accounts, true. A file that could not be read whole gives
// false and must not be written back from memory.
bool loadMailAccounts(const QString& path, QList<MailAccount>* accounts);
// Readable by its owner only: it holds the passwords.
bool saveMailAccounts(const QString& path, const QList<MailAccount>& accounts);

// "Wykonaj zadanie, jeśli liczba wiadomości": 0 "będzie większa od zera",
// 1 "zwiększy się", 2 "zwiększy się lub zmiejszy".
struct NewMail {
    int count = 0;
    QString label;
    bool operator==(const NewMail&) const = default;
};
QList<NewMail> newMailList(const QList<MailAccount>& before, const QList<MailAccount>& after, int condition);
// "[3] konto" rows.
QString newMailRow(const NewMail& m);

} // namespace zorvex

namespace zorvex {

// The page's group caption after a check: "Sprawdzanie poczty -
// ostatnio sprawdzane: dzisiaj o 10:15:00", "… wczoraj o …", or the date;
// plain "Sprawdzanie poczty" before the first check.
QString mailGroupCaption(const QDateTime& lastCheck, const QDate& today);

} // namespace zorvex

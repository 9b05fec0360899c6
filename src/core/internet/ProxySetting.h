#pragma once

#include "core/settings/SettingsSection.h"

#include <optional>

namespace zorvex {

// Section "Proxy": the one proxy of every request client and downloader.
// The password is kept in the file scrambled (storedPassword holds that form);
// password() and setPassword() give and take it plain.
struct ProxySetting : SettingsSection {
    bool enabled = false;
    bool authorization = false;
    QString ip;
    QString port; // kept as typed
    QString login;
    QString storedPassword; // as stored: scrambled

    QString password() const;
    void setPassword(const QString& plain);

    const char* name() const override { return "Proxy"; }
    void visit(SettingsVisitor& v) override;
};

// The password's stored form and back: a reversible scrambling of the
// program's own, written as hex digits so the file stays plain ASCII. A
// stored value that is not such a form (typed into the file by hand) reads
// as it stands.
QString scramblePassword(const QString& plain);
QString unscramblePassword(const QString& stored);

// What the clients get: off means no proxy at all (not the desktop's).
struct ProxyUse {
    bool on = false;
    QString host;
    int port = 0;     // 0 when the port text is not a number
    QString user;     // empty unless authorization is on
    QString password;

    bool operator==(const ProxyUse&) const = default;
};
ProxyUse proxyUse(const ProxySetting& setting);

// A port the dialog accepts while the proxy is on: a whole number 1-65535
// (surrounding blanks allowed).
bool isValidProxyPort(const QString& text);

// "host:port" as the desktop gives it: split at the first ":" when it stands
// at position 2 or later, otherwise all host and no port.
struct HostAndPort {
    QString host;
    QString port;
    bool operator==(const HostAndPort&) const = default;
};
HostAndPort splitProxyServer(const QString& text);

} // namespace zorvex

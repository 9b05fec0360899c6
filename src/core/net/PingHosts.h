#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zorvex {

// A host of the ping monitor: "status|ip|name", status "1" up, "0" down,
// "-1" not checked yet.
struct PingHost {
    int status = -1;
    QString ip;
    QString name;

    QString label() const { return name.isEmpty() ? ip : name; }
    bool operator==(const PingHost&) const = default;
};

PingHost parsePingHost(const QString& line);
QString formatPingHost(const PingHost& h);

// "Ping_<profile>.ini": every status starts as "-1". False when the file
// was there but could not be read whole (it must not be replaced then).
bool loadPingHosts(const QString& path, QList<PingHost>* hosts);
bool savePingHosts(const QString& path, const QList<PingHost>& hosts);

// One change found by a check: up (true) or down, and the host's label.
struct PingChange {
    bool up = false;
    QString label;
    bool operator==(const PingChange&) const = default;
};
// Pairs with the same IP whose status changed; a host found down at its
// first check ("-1" before) is not a change, one found up is.
QList<PingChange> pingChanges(const QList<PingHost>& before, const QList<PingHost>& after);
// The balloon's text: "[+] label" and "[-] label" rows joined by "\r".
QString pingBalloonText(const QList<PingChange>& changes);

// A range in one /24: a.b.c.n for n from the start's last octet to the
// end's (either order); the network part comes from the start address.
// Empty when the start is not an IPv4 address.
QStringList pingRange(const QString& start, const QString& end);
// What "Przedzial2" stores: the start's first three octets with the end's
// last one.
QString rangeEndToStore(const QString& start, const QString& end);
// Every octet right-aligned to three characters, for the fixed-pitch list.
QString alignedIp(const QString& ip);

} // namespace zorvex

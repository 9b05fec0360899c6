#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace zorvex {

// One entry of "Rozne.ini": the name shown and the service's script.
struct MiscEntry {
    QString name;
    QString script;
    QString line; // as read, for the "otv.php" rule
};

QList<MiscEntry> parseMiscList(const QStringList& lines);

// The entry selected at start: the saved one when it is valid, else the
// first whose line holds "otv.php", else the first; -1 for an empty list.
int initialMiscSelection(const QList<MiscEntry>& entries, int saved);
// The "horoskop.php" entry, or -1.
int horoscopeEntry(const QList<MiscEntry>& entries);

// `Rozne_menu_`: which entries the context menu shows. An entry without a
// line is shown.
QStringList hiddenMiscEntries(const QStringList& lines);
QStringList miscMenuLines(const QList<MiscEntry>& entries, const QStringList& hidden);

// What a link of a page asks for an alarm, once it is allowed.
struct AlarmLink {
    QDateTime when;
    QString text; // plain text, never markup to render
};

enum class AlarmLinkVerdict {
    NotAlarm,  // an ordinary link
    Swallowed, // an alarm link without "|": cancelled, nothing started
    Refused,   // not clicked by the user, or not on the service's page
    Allowed,
};

struct AlarmLinkDecision {
    AlarmLinkVerdict verdict = AlarmLinkVerdict::NotAlarm;
    AlarmLink alarm; // set when Allowed
};

// Whether `link`, about to be followed by a page showing `pageUrl`, starts
// an alarm. Only a click of the user on a page of the service itself
// (`serviceUrl`'s scheme, host and port) may; what it starts is a one-time
// alarm with a message window and nothing else: no program and no power
// action can come from a page. The date "yyyy-mm-dd hh:mm" before the first
// "|" falls back to `now`.
AlarmLinkDecision decideAlarmLink(const QUrl& link, const QUrl& pageUrl, const QUrl& serviceUrl, bool userClicked,
                                  const QDateTime& now);

// Whether `url` is on the service's own site (same scheme, host and port):
// only there do pages run scripts and stay in the program's browser.
bool isServiceOrigin(const QUrl& url, const QUrl& serviceUrl);

} // namespace zorvex

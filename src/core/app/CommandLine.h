#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace zorvex {

// The program's own options, taken out of the arguments before the rest is
// looked at.
struct ProgramOptions {
    QString dataDir;       // --data-dir DIR
    QString screenshot;    // --screenshot FILE
    QString page;          // --page CODE: run in the instance, or the page of a picture
    QString action;        // --action NAME
    QString print;         // --print WHAT
    QString date;          // --date YYYY-MM-DD, for --print
    bool json = false;     // --json, for --print
    bool yes = false;      // --yes: the questions of the file handed over answer Yes
    bool help = false;     // --help
    bool version = false;  // --version
    QStringList arguments; // everything else, in order
    QString error;         // an option without its value, an unknown option, a bad value
};
ProgramOptions parseProgramOptions(const QStringList& argsWithoutProgram);

// The one line of a refused command line, and the whole --help text.
QString usageLine();
QString helpText();
QString versionText();

// What --print can tell.
inline constexpr const char* kPrintQueries[] = {"today", "upcoming", "month"};

using FileExists = std::function<bool(const QString&)>;

bool containsHttp(const QString& text);
// ".zvx" or ".zvxd", compared case-insensitively.
bool hasPackageExtension(const QString& path);

// Step one with a running instance: exactly one argument that is an existing
// file or contains "http://", and is a package file or contains "http://",
// goes to the running instance and this process ends.
bool shouldHandOff(const QStringList& arguments, const FileExists& exists);

// A single argument naming an existing ".zvx"/".zvxd" file, to be opened once
// start-up is complete; empty otherwise.
QString pendingCommandLinePath(const QStringList& arguments, const FileExists& exists);

// The single "updated" argument, exact.
bool isUpdatedArgument(const QStringList& arguments);

enum class InstanceDecision {
    Run,             // this process is (or becomes) the registered instance
    RunWithPermission, // another runs, but the one-shot permission let us in
    ExitSilently,
};

// The decision after the data folder is known: `blokuj` is the value of
// Vuzuvured/Blokuj in "Ruch.ini" (1 when unreadable). A 0 is used up: the
// caller writes 1 back whenever this returns with `consumePermission` set.
struct InstanceOutcome {
    InstanceDecision decision;
    bool consumePermission;
};
InstanceOutcome decideInstance(bool anotherRunning, bool blokuj);

} // namespace zorvex

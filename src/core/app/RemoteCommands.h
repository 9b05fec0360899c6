#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zorvex {

// The commands of the menus that `zorvex --action NAME` runs in the running
// instance. One table: the help text, the check of a name and the running
// instance's handlers all go by it.
struct ActionName {
    QString name;
    QString description; // for --help, in Polish
    // Without a running instance these end with exit code 1 instead of
    // starting the program (there is nothing to hide or to quit).
    bool needsRunningInstance = false;
};
const std::vector<ActionName>& actionNames();
const ActionName* findAction(const QString& name);
// "show, hide, tools, …": the list an unknown name is answered with.
QString actionList();

// A command as it travels over the instance channel beside the file and
// address hand-offs: "page:37" or "action:play-pause". A handed-over file
// always travels as an absolute path and an address contains "http://", so
// neither can be taken for a command.
struct RemoteCommand {
    enum Kind { None, Page, Action };
    Kind kind = None;
    int page = 0;
    QString action;

    QString encoded() const;
    static RemoteCommand page_(int code) { return {Page, code, {}}; }
    static RemoteCommand action_(const QString& name) { return {Action, 0, name}; }
};
RemoteCommand parseRemoteCommand(const QString& text);

} // namespace zorvex

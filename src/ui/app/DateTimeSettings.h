#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace zorvex {

class Prompts;

// The desktops' date and time settings, best guess first for the desktop
// named by XDG_CURRENT_DESKTOP (a ":"-separated list), then every other one.
std::vector<QStringList> dateTimeSettingsCommands(const QString& currentDesktop);

// Starts the first of those commands found on the PATH. When none is found
// or none starts, says so in a message and returns false.
bool openDateTimeSettings(Prompts& prompts, QWidget* parent = nullptr);

} // namespace zorvex

#include "ui/app/DateTimeSettings.h"

#include "ui/common/Messages.h"

#include <QProcess>
#include <QStandardPaths>

#include <algorithm>

namespace zorvex {
namespace {

struct Candidate {
    const char* desktop; // as XDG_CURRENT_DESKTOP names it, upper case
    QStringList command;
};

std::vector<Candidate> candidates()
{
    return {
        {"GNOME", {QStringLiteral("gnome-control-center"), QStringLiteral("datetime")}},
        {"UNITY", {QStringLiteral("gnome-control-center"), QStringLiteral("datetime")}},
        {"BUDGIE", {QStringLiteral("gnome-control-center"), QStringLiteral("datetime")}},
        {"KDE", {QStringLiteral("systemsettings"), QStringLiteral("kcm_clock")}},
        {"KDE", {QStringLiteral("kcmshell6"), QStringLiteral("kcm_clock")}},
        {"KDE", {QStringLiteral("kcmshell5"), QStringLiteral("clock")}},
        {"KDE", {QStringLiteral("systemsettings5"), QStringLiteral("clock")}},
        {"X-CINNAMON", {QStringLiteral("cinnamon-settings"), QStringLiteral("calendar")}},
        {"MATE", {QStringLiteral("mate-time-admin")}},
        {"MATE", {QStringLiteral("time-admin")}},
        {"XFCE", {QStringLiteral("time-admin")}},
        {"LXQT", {QStringLiteral("lxqt-admin-time")}},
        {"DEEPIN", {QStringLiteral("dde-control-center"), QStringLiteral("-m"), QStringLiteral("datetime")}},
    };
}

} // namespace

std::vector<QStringList> dateTimeSettingsCommands(const QString& currentDesktop)
{
    const QStringList desktops = currentDesktop.toUpper().split(QLatin1Char(':'), Qt::SkipEmptyParts);
    std::vector<QStringList> first;
    std::vector<QStringList> rest;
    for (const Candidate& c : candidates()) {
        const bool ours = desktops.contains(QString::fromLatin1(c.desktop));
        auto& into = ours ? first : rest;
        if (std::find(first.begin(), first.end(), c.command) == first.end()
            && std::find(rest.begin(), rest.end(), c.command) == rest.end())
            into.push_back(c.command);
    }
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

bool openDateTimeSettings(Prompts& prompts, QWidget* parent)
{
    for (const QStringList& command : dateTimeSettingsCommands(qEnvironmentVariable("XDG_CURRENT_DESKTOP"))) {
        const QString program = QStandardPaths::findExecutable(command.front());
        if (program.isEmpty())
            continue;
        if (QProcess::startDetached(program, command.mid(1)))
            return true;
    }
    prompts.error(QString::fromUtf8("Nie znaleziono ustawień daty i godziny tego pulpitu.\n"
                                "Datę i godzinę można ustawić w ustawieniach systemu lub poleceniem:\n"
                                "timedatectl set-time \"RRRR-MM-DD GG:MM:SS\""),
              parent);
    return false;
}

} // namespace zorvex

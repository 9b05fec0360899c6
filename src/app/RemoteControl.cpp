#include "app/Application.h"

#include "core/app/CommandLine.h"
#include "core/app/PageCodes.h"
#include "core/app/RemoteCommands.h"
#include "platform/InstanceChannel.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/common/Messages.h"
#include "ui/reminders/ChimeService.h"
#include "ui/reminders/ReminderService.h"

#include <cstdio>

namespace zorvex {

void Application::registerCommand(int code, std::function<void()> handler)
{
    m_commands[code] = std::move(handler);
}

void Application::registerAction(const QString& name, std::function<QString()> handler)
{
    m_actions[name] = std::move(handler);
}

void Application::openPageCode(int code)
{
    const auto page = findPageCode(code);
    if (page && page->action == PageAction::Command)
        runCommand(code);
    else
        m_tools->openPage(code);
}

void Application::runCommand(int code)
{
    const auto it = m_commands.find(code);
    if (it != m_commands.end())
        it->second();
    else
        m_prompts->notAvailableYet(); // its feature arrives later
}

// The shell's own commands and actions; each feature's installer adds its.
void Application::installRemoteControl()
{
    registerCommand(page::DatesNotification, [this] { m_reminders->showUpcomingNow(); });
    registerAction(QStringLiteral("show"), [this] {
        m_main->showMainWindow();
        return QString();
    });
    registerAction(QStringLiteral("hide"), [this] {
        m_main->hideToTray();
        return QString();
    });
    registerAction(QStringLiteral("tools"), [this] {
        m_tools->open();
        return QString();
    });
    registerAction(QStringLiteral("quit"), [this] {
        requestQuit();
        return QString();
    });
    registerAction(QStringLiteral("chime-test"), [this] { return m_chime->playTest(); });
}

QString Application::runRequest(const QString& text)
{
    const RemoteCommand command = parseRemoteCommand(text);
    switch (command.kind) {
    case RemoteCommand::Page: {
        const auto page = findPageCode(command.page);
        if (!page)
            return QStringLiteral("Nieznany kod strony: %1").arg(command.page);
        if (page->action == PageAction::Command) {
            if (m_commands.find(command.page) == m_commands.end())
                return QString::fromUtf8(kNotAvailableYet);
            runCommand(command.page);
            return {};
        }
        return m_tools->openPage(command.page) ? QString() : QStringLiteral("Nieznany kod strony: %1").arg(command.page);
    }
    case RemoteCommand::Action: {
        const auto it = m_actions.find(command.action);
        return it != m_actions.end() ? it->second() : QString::fromUtf8(kNotAvailableYet);
    }
    case RemoteCommand::None: break;
    }
    return QStringLiteral("Nieznane polecenie: ") + text;
}

void Application::runRequests()
{
    while (!m_requests.isEmpty()) {
        const Request request = m_requests.takeFirst();
        const QString error = runRequest(request.text);
        if (request.ticket && m_server)
            m_server->reply(request.ticket, error);
        else if (!error.isEmpty())
            std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
    }
}

RemoteCommand remoteCommandOf(const ProgramOptions& opts)
{
    if (!opts.action.isEmpty())
        return RemoteCommand::action_(opts.action);
    if (!opts.page.isEmpty())
        return RemoteCommand::page_(opts.page.toInt());
    return {};
}

int sendRemoteCommand(const RemoteCommand& command)
{
    const std::optional<QString> answer = sendRequest(command.encoded());
    if (!answer) {
        std::fprintf(stderr, "%s\n",
                     QStringLiteral("Nie udało się przekazać polecenia do uruchomionego programu Zorvex.")
                         .toLocal8Bit()
                         .constData());
        return 1;
    }
    if (!answer->isEmpty()) {
        std::fprintf(stderr, "%s\n", answer->toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

} // namespace zorvex

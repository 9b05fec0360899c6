#include "app/Application.h"
#include "app/PrintCommand.h"
#include "core/app/CommandLine.h"
#include "core/app/RemoteCommands.h"
#include "platform/InstanceLock.h"
#include "ui/app/AppSetup.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <optional>

namespace {

using namespace zorvex;

void say(std::FILE* to, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
    if (!text.endsWith(QLatin1Char('\n')))
        std::fputc('\n', to);
    std::fflush(to);
}

// Qt ends the process when it cannot open the window system; a user
// without one is told so instead. A chosen Qt platform (offscreen, tests)
// counts as one.
bool haveDisplay()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// --page and --action with an instance running go to it and end here, no
// display needed. Empty when this start has to go on.
std::optional<int> handToRunningInstance(const ProgramOptions& opts, int argc, char* argv[])
{
    const RemoteCommand command = remoteCommandOf(opts);
    if (command.kind == RemoteCommand::None || !opts.screenshot.isEmpty())
        return std::nullopt;
    QCoreApplication app(argc, argv);
    InstanceLock probe;
    if (!probe.tryAcquire())
        return sendRemoteCommand(command);
    probe.release();
    const ActionName* action = command.kind == RemoteCommand::Action ? findAction(command.action) : nullptr;
    if (action && action->needsRunningInstance) {
        say(stderr, QStringLiteral("Zorvex nie jest uruchomiony."));
        return 1;
    }
    return std::nullopt; // the program starts and carries it out
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const ProgramOptions opts = parseProgramOptions(args);
    if (!opts.error.isEmpty()) {
        say(stderr, QStringLiteral("zorvex: ") + opts.error);
        say(stderr, usageLine());
        return 2;
    }
    if (opts.help) {
        say(stdout, helpText());
        return 0;
    }
    if (opts.version) {
        say(stdout, versionText());
        return 0;
    }
    if (!opts.action.isEmpty() && !findAction(opts.action)) {
        say(stderr, QStringLiteral("zorvex: nieznane polecenie --action: ") + opts.action);
        say(stderr, QStringLiteral("Znane polecenia: ") + actionList());
        return 2;
    }
    if (!opts.print.isEmpty()) {
        QCoreApplication app(argc, argv);
        return runPrintCommand(opts);
    }
    if (const std::optional<int> handed = handToRunningInstance(opts, argc, argv))
        return *handed;
    if (!haveDisplay()) {
        if (opts.screenshot.isEmpty()) {
            say(stderr, QStringLiteral("Zorvex: brak ekranu (nie ustawiono DISPLAY ani WAYLAND_DISPLAY)."));
            return 1;
        }
        // A picture needs no screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    // The embedded browser, loaded later as a plugin, shares the program's
    // OpenGL contexts; this must be said before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication qtApp(argc, argv);
    zorvex::setUpApplication();
    zorvex::Application app;
    return app.run(QApplication::arguments());
}

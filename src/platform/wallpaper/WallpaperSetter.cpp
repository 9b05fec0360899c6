#include "platform/wallpaper/WallpaperSetter.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace zorvex {

WallpaperEnvironment WallpaperEnvironment::fromSystem()
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    WallpaperEnvironment out;
    out.command = env.value(QStringLiteral("ZORVEX_WALLPAPER_CMD")).trimmed();
    out.currentDesktop = env.value(QStringLiteral("XDG_CURRENT_DESKTOP"));
    out.sway = !env.value(QStringLiteral("SWAYSOCK")).isEmpty();
    out.x11 = !env.value(QStringLiteral("DISPLAY")).isEmpty();
    out.feh = !QStandardPaths::findExecutable(QStringLiteral("feh")).isEmpty();
    return out;
}

WallpaperMethod wallpaperMethod(const WallpaperEnvironment& env)
{
    if (!env.command.isEmpty())
        return WallpaperMethod::Command;
    // The first name the method knows wins: "ubuntu:GNOME" is GNOME, and
    // "Budgie:GNOME" and "Unity" keep GNOME's keys.
    for (const QString& name : env.currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString n = name.trimmed().toUpper();
        if (n == QLatin1String("GNOME") || n == QLatin1String("BUDGIE") || n == QLatin1String("UNITY")
            || n == QLatin1String("PANTHEON"))
            return WallpaperMethod::Gnome;
        if (n == QLatin1String("X-CINNAMON") || n == QLatin1String("CINNAMON"))
            return WallpaperMethod::Cinnamon;
        if (n == QLatin1String("MATE"))
            return WallpaperMethod::Mate;
        if (n == QLatin1String("KDE"))
            return WallpaperMethod::Kde;
        if (n == QLatin1String("XFCE"))
            return WallpaperMethod::Xfce;
        if (n == QLatin1String("SWAY"))
            return WallpaperMethod::Sway;
    }
    if (env.sway)
        return WallpaperMethod::Sway;
    if (env.x11 && env.feh)
        return WallpaperMethod::Feh;
    return WallpaperMethod::None;
}

QString gvariantString(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

namespace {

QString fileUri(const QString& picture)
{
    return QString::fromLatin1(QUrl::fromLocalFile(picture).toEncoded());
}

WallpaperCommand gsettings(const char* schema, const char* key, const QString& value, bool optional = false)
{
    return {QStringLiteral("gsettings"),
            {QStringLiteral("set"), QString::fromLatin1(schema), QString::fromLatin1(key), gvariantString(value)},
            optional};
}

// Plasma's scripting console sets every desktop's picture.
QString plasmaScript(const QString& uri)
{
    QString quoted = uri;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    quoted.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QStringLiteral("var all = desktops();"
                          "for (var i = 0; i < all.length; i++) {"
                          " var d = all[i];"
                          " d.wallpaperPlugin = \"org.kde.image\";"
                          " d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];"
                          " d.writeConfig(\"Image\", \"%1\");"
                          "}")
        .arg(quoted);
}

// sway reads its arguments as one command line of its own.
QString swayQuoted(const QString& path)
{
    QString out = path;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

WallpaperCommand xfconf(const QStringList& arguments)
{
    return {QStringLiteral("xfconf-query"), QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")} + arguments};
}

} // namespace

WallpaperCommand xfceListCommand()
{
    return xfconf({QStringLiteral("-l")});
}

QStringList xfceImageProperties(const QString& listing)
{
    QStringList out;
    for (const QString& line : listing.split(QLatin1Char('\n'))) {
        const QString p = line.trimmed();
        if (p.startsWith(QLatin1String("/backdrop/")) && p.endsWith(QLatin1String("/last-image")) && !out.contains(p))
            out << p;
    }
    return out;
}

QList<WallpaperCommand> wallpaperCommands(WallpaperMethod method, const WallpaperEnvironment& env,
                                          const QString& picture, bool spanned, const QStringList& xfceProperties)
{
    const QString uri = fileUri(picture);
    const QString options = spanned ? QStringLiteral("spanned") : QStringLiteral("zoom");
    switch (method) {
    case WallpaperMethod::Command: {
        // A program that exists is taken whole (its path may hold blanks);
        // otherwise the text is a program with its own arguments.
        QStringList parts =
            QFileInfo(env.command).isFile() ? QStringList{env.command} : QProcess::splitCommand(env.command);
        if (parts.isEmpty())
            return {};
        const QString program = parts.takeFirst();
        return {{program, parts << picture}};
    }
    case WallpaperMethod::Gnome:
        // Without the dark key a desktop in dark mode keeps its old picture;
        // older GNOME has no such key.
        return {gsettings("org.gnome.desktop.background", "picture-options", options),
                gsettings("org.gnome.desktop.background", "picture-uri", uri),
                gsettings("org.gnome.desktop.background", "picture-uri-dark", uri, true)};
    case WallpaperMethod::Cinnamon:
        return {gsettings("org.cinnamon.desktop.background", "picture-options", options),
                gsettings("org.cinnamon.desktop.background", "picture-uri", uri)};
    case WallpaperMethod::Mate:
        return {gsettings("org.mate.background", "picture-options", options),
                gsettings("org.mate.background", "picture-filename", picture)};
    case WallpaperMethod::Kde:
        return {{QStringLiteral("dbus-send"),
                 {QStringLiteral("--session"), QStringLiteral("--type=method_call"),
                  QStringLiteral("--dest=org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
                  QStringLiteral("org.kde.PlasmaShell.evaluateScript"), QStringLiteral("string:") + plasmaScript(uri)}}};
    case WallpaperMethod::Xfce: {
        QStringList properties = xfceProperties;
        if (properties.isEmpty()) // a desktop that never had a picture set
            properties << QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image");
        QList<WallpaperCommand> out;
        for (const QString& p : properties) {
            out << xfconf({QStringLiteral("-p"), p, QStringLiteral("-n"), QStringLiteral("-t"), QStringLiteral("string"),
                           QStringLiteral("-s"), picture});
            // 6 spans the picture over all monitors, 5 zooms it.
            QString style = p;
            style.replace(style.size() - int(qstrlen("last-image")), int(qstrlen("last-image")),
                          QStringLiteral("image-style"));
            WallpaperCommand c = xfconf({QStringLiteral("-p"), style, QStringLiteral("-n"), QStringLiteral("-t"),
                                         QStringLiteral("int"), QStringLiteral("-s"),
                                         spanned ? QStringLiteral("6") : QStringLiteral("5")});
            c.optional = true;
            out << c;
        }
        return out;
    }
    case WallpaperMethod::Sway:
        return {{QStringLiteral("swaymsg"),
                 {QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"), swayQuoted(picture),
                  QStringLiteral("fill")}}};
    case WallpaperMethod::Feh: {
        QStringList args;
        if (spanned)
            args << QStringLiteral("--no-xinerama");
        args << QStringLiteral("--bg-fill") << picture;
        return {{QStringLiteral("feh"), args}};
    }
    case WallpaperMethod::None: break;
    }
    return {};
}

QString noWallpaperMethodMessage()
{
    return QStringLiteral("Nie wiadomo, jak ustawić tapetę na tym pulpicie. Ustaw zmienną środowiska "
                          "ZORVEX_WALLPAPER_CMD na program, który ustawia tapetę (otrzyma ścieżkę obrazu).");
}

namespace {

constexpr int kCommandTimeoutMs = 30 * 1000;

// One run of the desktop's programs, in order; ends itself.
class WallpaperRun : public QObject {
public:
    WallpaperRun(QObject* parent, WallpaperSetter::Done done)
        : QObject(parent)
        , m_done(std::move(done))
    {
    }

    void start(QList<WallpaperCommand> commands)
    {
        m_commands = std::move(commands);
        next();
    }

    // Runs `command` and hands its output to `then`.
    void query(const WallpaperCommand& command, std::function<void(const QString& output)> then)
    {
        m_then = std::move(then);
        run(command);
    }

private:
    void next()
    {
        if (m_commands.isEmpty())
            return finish({});
        run(m_commands.takeFirst());
    }

    void run(const WallpaperCommand& command)
    {
        m_current = command;
        auto* process = new QProcess(this);
        process->setProgram(command.program);
        process->setArguments(command.arguments);
        process->setStandardInputFile(QProcess::nullDevice());
        auto* timeout = new QTimer(process);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, process, [process] { process->kill(); });
        connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return; // a crash or a kill ends in finished() too
            process->deleteLater();
            failed(QStringLiteral("Nie udało się uruchomić programu \"%1\", który ustawia tapetę.")
                       .arg(m_current.program));
        });
        connect(process, &QProcess::finished, this, [this, process](int code, QProcess::ExitStatus status) {
            process->deleteLater();
            const QString output = QString::fromLocal8Bit(process->readAllStandardOutput());
            if (status != QProcess::NormalExit || code != 0) {
                const QString why = QString::fromLocal8Bit(process->readAllStandardError()).trimmed().section(
                    QLatin1Char('\n'), 0, 0);
                QString text = QStringLiteral("Program \"%1\" nie ustawił tapety").arg(m_current.program);
                text += status == QProcess::NormalExit ? QStringLiteral(" (kod wyjścia %1)").arg(code)
                                                       : QStringLiteral(" (przerwany)");
                text += why.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + why;
                return failed(text);
            }
            if (m_then)
                return std::exchange(m_then, {})(output);
            next();
        });
        timeout->start(kCommandTimeoutMs);
        process->start();
    }

    void failed(const QString& error)
    {
        if (m_current.optional && !m_then)
            return next();
        finish(error);
    }

    void finish(const QString& error)
    {
        if (m_done)
            std::exchange(m_done, {})(error);
        deleteLater();
    }

    WallpaperSetter::Done m_done;
    QList<WallpaperCommand> m_commands;
    WallpaperCommand m_current;
    std::function<void(const QString&)> m_then;
};

} // namespace

DesktopWallpaperSetter::DesktopWallpaperSetter(QObject* parent)
    : QObject(parent)
{
}

void DesktopWallpaperSetter::setWallpaper(const QString& picture, bool spanned, Done done)
{
    const WallpaperEnvironment env = WallpaperEnvironment::fromSystem();
    const WallpaperMethod method = wallpaperMethod(env);
    QList<WallpaperCommand> commands;
    if (method != WallpaperMethod::Xfce)
        commands = wallpaperCommands(method, env, picture, spanned);
    if (method != WallpaperMethod::Xfce && commands.isEmpty()) {
        QTimer::singleShot(0, this, [done = std::move(done)] {
            if (done)
                done(noWallpaperMethodMessage());
        });
        return;
    }
    auto* run = new WallpaperRun(this, std::move(done));
    // Started from the event loop, so even a program that cannot start is
    // reported after this call returned.
    QTimer::singleShot(0, run, [run, method, env, picture, spanned, commands] {
        if (method != WallpaperMethod::Xfce)
            return run->start(commands);
        run->query(xfceListCommand(), [run, env, picture, spanned](const QString& listing) {
            run->start(wallpaperCommands(WallpaperMethod::Xfce, env, picture, spanned, xfceImageProperties(listing)));
        });
    });
}

} // namespace zorvex

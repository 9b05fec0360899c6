#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace zorvex {

// Makes a picture the desktop wallpaper. Injected, so no test ever reaches
// the running desktop; tests use FakeWallpaperSetter.
class WallpaperSetter {
public:
    // Empty on success, else what went wrong, in Polish.
    using Done = std::function<void(const QString& error)>;
    virtual ~WallpaperSetter() = default;
    // Starts setting the picture and returns at once; `done` follows later
    // on this thread. `spanned`: one picture across all monitors.
    virtual void setWallpaper(const QString& picture, bool spanned, Done done) = 0;
};

// One outside program to run, without a shell. A failure of an optional one
// (a key older desktops do not have) is not a failure of the change.
struct WallpaperCommand {
    QString program;
    QStringList arguments;
    bool optional = false;

    bool operator==(const WallpaperCommand&) const = default;
};

// The ways of setting the wallpaper, by the running desktop.
enum class WallpaperMethod { Command, Gnome, Cinnamon, Mate, Kde, Xfce, Sway, Feh, None };

struct WallpaperEnvironment {
    QString command;        // ZORVEX_WALLPAPER_CMD: replaces every other way
    QString currentDesktop; // XDG_CURRENT_DESKTOP, names separated by ":"
    bool sway = false;      // SWAYSOCK is set
    bool x11 = false;       // DISPLAY is set
    bool feh = false;       // feh is on the PATH

    static WallpaperEnvironment fromSystem();
};

WallpaperMethod wallpaperMethod(const WallpaperEnvironment& env);

// The programs that set `picture` for a method. Xfce's come from its list
// of backdrop properties (xfceListCommand's output, see xfceImageProperties).
QList<WallpaperCommand> wallpaperCommands(WallpaperMethod method, const WallpaperEnvironment& env,
                                          const QString& picture, bool spanned,
                                          const QStringList& xfceProperties = {});
WallpaperCommand xfceListCommand();
// Every monitor's and workspace's "last-image" property in xfconf's listing.
QStringList xfceImageProperties(const QString& listing);

// Text in GVariant's quoted form, as gsettings reads its values.
QString gvariantString(const QString& text);

// "Nie wiadomo, jak ustawić tapetę…": no way is known on this desktop.
QString noWallpaperMethodMessage();

// Runs the desktop's programs one after another without waiting for them;
// each gets 30 seconds.
class DesktopWallpaperSetter : public QObject, public WallpaperSetter {
    Q_OBJECT
public:
    explicit DesktopWallpaperSetter(QObject* parent = nullptr);
    void setWallpaper(const QString& picture, bool spanned, Done done) override;
};

} // namespace zorvex

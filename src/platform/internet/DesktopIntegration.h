#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace zorvex {

// How the desktop opens the program's files and links and starts it with
// the session.
class DesktopIntegration {
public:
    virtual ~DesktopIntegration() = default;
    // The program's launcher with the package types it opens (settings
    // backups ".zvx", add-on packages ".zvxd") and the "zvx:" links, which
    // it always takes. Written at every start and when the associations
    // change; a type switched off is given up again.
    virtual void registerTypes(bool backups, bool addons) = 0;
    // Start with the session.
    virtual bool autostartEnabled() const = 0;
    virtual void setAutostart(bool on) = 0;
    // An existing entry that starts another program path is rewritten.
    virtual void refreshAutostart() = 0;
};

// Runs an outside program without waiting for it; nothing when it is not
// installed.
using ProgramStarter = std::function<void(const QString& program, const QStringList& arguments)>;
ProgramStarter detachedProgramStarter();

// The freedesktop.org way: our own .desktop file in
// $XDG_DATA_HOME/applications (its MimeType naming both package types and
// x-scheme-handler/zvx), a shared-mime-info package in
// $XDG_DATA_HOME/mime/packages for "*.zvx" and "*.zvxd", then
// update-mime-database and update-desktop-database when a file changed. A
// pattern another program's type already claims keeps that type: we only
// add ourselves as one more program that opens it. Autostart is a .desktop
// file in $XDG_CONFIG_HOME/autostart.
class XdgDesktopIntegration : public DesktopIntegration {
public:
    struct Places {
        QString dataHome;      // $XDG_DATA_HOME
        QString configHome;    // $XDG_CONFIG_HOME
        QStringList dataDirs;  // $XDG_DATA_DIRS, where other programs' types live
    };

    // `command` is the program and its arguments (the data folder when one
    // was chosen explicitly), as the launchers start it.
    XdgDesktopIntegration(QStringList command, Places places, ProgramStarter start = detachedProgramStarter());
    // The places from the environment, with the XDG defaults.
    static Places environmentPlaces();

    void registerTypes(bool backups, bool addons) override;
    bool autostartEnabled() const override;
    void setAutostart(bool on) override;
    void refreshAutostart() override;

    QString desktopFilePath() const;
    QString mimePackagePath() const;
    QString autostartPath() const;
    // The MIME type that "*.zvx" or "*.zvxd" has among the other programs'
    // types, or empty when none claims it.
    QString foreignTypeOf(const QString& pattern) const;

private:
    QString execLine() const;

    QStringList m_command;
    Places m_places;
    ProgramStarter m_start;
};

inline constexpr char kBackupMimeType[] = "application/x-zorvex-backup";
inline constexpr char kAddonMimeType[] = "application/x-zorvex-addon";
inline constexpr char kLinkMimeType[] = "x-scheme-handler/zvx";

// A command as a .desktop file's Exec key writes it: arguments quoted where
// needed, with the characters the format reserves escaped.
QString desktopExec(const QStringList& command);

} // namespace zorvex

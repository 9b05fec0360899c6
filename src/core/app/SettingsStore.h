#pragma once

#include "core/app/Settings.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace zorvex {

class IniFile;

// What the first-run default file needs from outside.
struct FirstRunContext {
    QString dataFolder;      // with a trailing "/"
    QString mailProgram;     // the desktop's mail client command
    QString timeServer;      // host name of a public time server
    QChar decimalSeparator = QLatin1Char('.');
};

// Values written at every orderly shutdown, whether or not the Tools window
// was opened. Keys of features that are not running stay untouched.
struct ExitValues {
    int positionX = 0;
    int positionY = 0;
    std::optional<int> lastDiscImage;      // Klony/Ost
    std::optional<QString> playbackChoice; // PanelOdtwarzania/Wybrany
};

// Loads and saves the per-profile settings file. Every pass opens, works on
// and closes the file; nothing is kept between passes.
class SettingsStore {
public:
    // Resolves a font name: the name itself when it is installed, the name
    // of a font found in the scheme folders, or "Tahoma".
    using FontResolver = std::function<QString(const QString&)>;

    explicit SettingsStore(QString path, QChar decimalSeparator = QLatin1Char('.'));

    const QString& path() const { return m_path; }
    bool exists() const;

    // Writes the default file of a first run. A failure is ignored: loading
    // then goes on with the defaults.
    bool writeFirstRunDefaults(const FirstRunContext& ctx) const;

    // Reads every key into `s` (missing or unparsable values take their
    // defaults), then validates: a missing M24 resets the whole menu list in
    // the file, P1..P3 and PG1..PG3 fall back to 1, 2, 3 when any of them is
    // out of range, unknown fonts are resolved, and UruZmin reads 0 with no
    // tray icon.
    void load(Settings& s, const FontResolver& resolveFont = {}) const;

    // The save pass: every key of every section, then the list files
    // registered by the features. Returns false when the settings file could
    // not be read or written (the old file stays).
    bool save(Settings& s) const;
    void addListWriter(std::function<void()> writer) { m_listWriters.push_back(std::move(writer)); }

    bool writeExitValues(const ExitValues& v) const;

    // Writes the keys of one section and leaves the rest of the file, for the
    // windows that store their own options when they close.
    bool saveSection(SettingsSection& section) const;

    // One pass that changes a few keys of the file and leaves the rest; a file
    // that exists but cannot be read is left alone and gives false.
    bool update(const std::function<void(IniFile&)>& change) const;

private:
    // Reads the file for a pass that writes it back; false when the file
    // exists but cannot be read, so the pass must leave it alone.
    bool readForRewrite(IniFile& ini) const;

    QString m_path;
    QChar m_decimal;
    std::vector<std::function<void()>> m_listWriters;
};

} // namespace zorvex

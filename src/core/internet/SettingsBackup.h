#pragma once

#include <QString>

#include <functional>

namespace zorvex {

class ZlbArchive;

// The settings backup: one archive holding every "*.ini" file of the data
// folder, without folders, at maximum compression.

struct BackupResult {
    bool ok = false;
    QString error; // the archive's words, for "Zorvex - Błąd"
};

// Writes a backup to `target`. `savePass` runs the settings save first;
// `rememberFolder` stores the backup's folder (Ustawienia/KopiaSci) before
// the files are collected, so the copy holds it. "Ruch.ini" carries
// Vuzuvured/Blokuj = 0 in the copy (the instance started after a restore
// may run beside the closing one) and 1 again afterwards, whatever
// happened. The archive is built under a temporary name beside the target
// and renamed over it only when complete: a failure leaves an older backup
// of that name as it was.
BackupResult writeSettingsBackup(const QString& target, const QString& dataFolder, const QString& ruchIni,
                                 const std::function<void()>& savePass,
                                 const std::function<void(const QString& folder)>& rememberFolder);

enum class BackupCheck {
    Backup,
    NotBackup, // opens, but is no settings backup: nothing is restored
    Damaged,   // does not open, or an entry's data is broken
};

struct RestoreCheck {
    BackupCheck result = BackupCheck::Damaged;
    QString error; // for Damaged: the archive's words
};

// Checks an archive before a restore writes anything: at least one entry,
// every entry a plain "*.ini" name (no folder, nothing that could land
// elsewhere), and every entry's data read whole with its CRC right.
RestoreCheck checkSettingsBackup(const QString& path);

// Checks, then extracts every entry into the data folder, each file
// replacing the old one only once it is whole.
RestoreCheck restoreSettingsBackup(const QString& path, const QString& dataFolder);

inline constexpr char kNotABackupText[] = "Wybrany plik nie jest kopią zapasową ustawień.";

} // namespace zorvex

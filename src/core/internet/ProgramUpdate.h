#pragma once

#include "core/internet/HttpTypes.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zorvex {

class ServiceClient;

struct ProgramUpdateFile {
    QString url;
    QString relativePath; // as the service wrote it, "\" or "/" separated
};

struct ProgramUpdateOffer {
    QString number;
    qint64 totalBytes = 1; // a size that is not a number counts as 1
    QList<ProgramUpdateFile> files;
};

// Reads a "/updatezvx.php" answer (empty lines dropped): the first line must
// be "UPDATE" with the new update number; each "P" line names one file.
// Nothing when the first line is not such a line.
std::optional<ProgramUpdateOffer> parseProgramUpdate(const QStringList& lines);

// Where an update file lands: the data folder + its relative path. Empty
// when the path could reach elsewhere: absolute, with a drive or any ":",
// with a ".." part, an empty name, or a control character.
QString updateFileTarget(const QString& dataFolder, const QString& relativePath);

// "[37%] Aktualizowanie programu" and "1.25 MB / 4.00 MB".
QString updateProgressCaption(qint64 done, qint64 total);
QString updateProgressLabel(qint64 done, qint64 total);

// Writes the updater's list: one line per file, the downloaded file's path,
// "|", the final path (Windows-1250, CR LF).
bool writeUpdateList(const QString& path, const QList<QPair<QString, QString>>& files);
QList<QPair<QString, QString>> readUpdateList(const QString& path);

// The program update: asks the service, offers the new version, downloads
// every file into the data folder next to its final place (".tmp"), writes
// "update.tmp" and hands over to the updater. Nothing is downloaded from an
// answer that names a path outside the data folder, and a program installed
// by the system's package manager is never updated from here: the user is
// told to update it the system's way.
class ProgramUpdate {
public:
    struct Hooks {
        // Information windows that wait for nobody.
        std::function<void(const QString& caption, const QString& text)> information =
            [](const QString&, const QString&) {};
        // "Nowa wersja Zorvex": the answer comes later (No without a person).
        std::function<void(const QString& text, std::function<void(bool yes)> answered)> ask =
            [](const QString&, std::function<void(bool)> answered) { answered(false); };
        std::function<void(const QString& detail)> serverProblem = [](const QString&) {};
        // The progress window: shown, moved on, hidden.
        std::function<void(bool visible)> progressVisible = [](bool) {};
        std::function<void(qint64 done, qint64 total)> progress = [](qint64, qint64) {};
        // Starts the updater on the written list; false when it could not.
        std::function<bool(const QString& updateList)> startUpdater = [](const QString&) { return false; };
        // Ends the program the normal way (settings saved).
        std::function<void()> closeProgram = [] {};
    };

    ProgramUpdate(const QString& dataFolder, const ServiceClient& service, TextRequestClient& client,
                  FileDownloader& downloader, bool installedBySystem, Hooks hooks);

    void check(bool silent);
    bool running() const { return m_running; }
    // "Anuluj" or the window closed: the download stops, without a message.
    void cancel();

private:
    void onAnswer(const HttpAnswer& answer, bool silent);
    void downloadNext();
    void end();

    QString m_dataFolder;
    const ServiceClient& m_service;
    TextRequestClient& m_client;
    FileDownloader& m_downloader;
    bool m_installedBySystem;
    Hooks m_hooks;

    bool m_running = false;
    int m_generation = 0; // answers for a cancelled run are dropped
    ProgramUpdateOffer m_offer;
    int m_next = 0;
    qint64 m_doneBytes = 0;
    QList<QPair<QString, QString>> m_files;
};

inline constexpr char kUpdateListName[] = "update.tmp";

} // namespace zorvex

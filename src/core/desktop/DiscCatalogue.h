#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <mutex>

namespace zorvex {

// A row of the disc image catalogue (`Klony_`): a folder header, or an
// image with its shown name, the file to mount and its size in MB.
struct DiscRow {
    QString name;      // the shown name, or the folder of a header
    QString path;      // empty for a header
    qint64 sizeMb = -1; // -1 for a header
    bool isHeader() const { return path.isEmpty() && sizeMb < 0; }
    bool operator==(const DiscRow&) const = default;
};

// Three fields joined by the list separator; a file whose first line has no
// separator is of an older format and reads as empty.
QStringList catalogueLines(const QList<DiscRow>& rows);
QList<DiscRow> catalogueOfLines(const QStringList& lines);
QList<DiscRow> loadCatalogue(const QString& path);
bool saveCatalogue(const QString& path, const QList<DiscRow>& rows);

// "Klony [N CD/DVD = M MB]".
QString catalogueCaption(const QList<DiscRow>& rows);
// The catalogue as text for the clipboard, lines joined with CR LF.
QString catalogueText(const QList<DiscRow>& rows);
// How many image rows come before `row`, plus one: the number it is shown with.
int imageNumber(const QList<DiscRow>& rows, int row);

// What a search shares with the window watching it: the folder being
// searched (shown every 100 ms) and the cancel request.
class DiscScanState {
public:
    void cancel() { m_cancelled.store(true); }
    bool cancelled() const { return m_cancelled.load(); }
    QString currentFolder() const;
    void setCurrentFolder(const QString& folder);

private:
    std::atomic<bool> m_cancelled{false};
    mutable std::mutex m_mutex;
    QString m_folder;
};

// Searches each folder in turn for disc images: a header row per folder,
// then its images, subfolders searched as they are met in name order.
// Linked folders are never entered and a folder is searched once, so no
// tree can loop. Stops after the current file once cancelled. Runs on any
// thread.
QList<DiscRow> scanImageFolders(const QStringList& folders, DiscScanState& state);

// The image extensions, upper case with the dot.
bool isDiscImageExtension(const QString& upperExtension);

} // namespace zorvex

#pragma once

#include "core/media/PlaylistEntry.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <atomic>
#include <memory>

class QThread;

namespace zorvex {

// Turns added files and folders into playlist entries on a thread of its
// own, so that the window stays responsive however large the folder: the
// folders are walked (recursively, never into a linked folder, so a link
// loop cannot trap it), and each sound file gets its name from its tags and
// its length from its headers. Entries come back in batches, in order, on
// the thread that started the scan.
class TrackScanner : public QObject {
    Q_OBJECT
public:
    explicit TrackScanner(QObject* parent = nullptr);
    ~TrackScanner() override;

    // Starts a scan; false while another one runs.
    bool start(const QStringList& paths, bool measure = true);
    void cancel();
    bool running() const { return m_worker != nullptr; }

    // The same work on the calling thread, for tests and benchmarks.
    static QList<PlaylistEntry> scan(const QStringList& paths, bool measure,
                                     const std::atomic<bool>* cancel = nullptr);
    // The sound files below `folder` in the order they are met: each folder's
    // entries by name, a subfolder's files where the subfolder comes.
    static QStringList soundFilesIn(const QString& folder, const std::atomic<bool>* cancel = nullptr);
    static PlaylistEntry entryFor(const QString& path, bool measure);

signals:
    void batch(const QList<zorvex::PlaylistEntry>& entries);
    // Files found and files done so far.
    void progress(int done, int total);
    // Also after a cancel.
    void finished();

private:
    void workerDone();

    QThread* m_worker = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};

} // namespace zorvex

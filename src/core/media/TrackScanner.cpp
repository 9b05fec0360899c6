#include "core/media/TrackScanner.h"

#include "core/media/TrackInfo.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QThread>

#include <algorithm>

namespace zorvex {
namespace {

constexpr int kBatch = 200;

bool cancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

void walk(const QString& folder, QStringList& out, const std::atomic<bool>* cancel, int depth)
{
    // Deep enough for any music collection, shallow enough for the stack.
    if (depth > 64 || cancelled(cancel))
        return;
    QDir dir(folder);
    const QFileInfoList items = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                                  QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& fi : items) {
        if (cancelled(cancel))
            return;
        if (fi.isDir()) {
            if (!fi.isSymLink())
                walk(fi.filePath(), out, cancel, depth + 1);
        } else if (isSoundFile(fi.fileName())) {
            out.append(fi.filePath());
        }
    }
}

} // namespace

TrackScanner::TrackScanner(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<QList<zorvex::PlaylistEntry>>();
}

TrackScanner::~TrackScanner()
{
    if (m_worker) {
        m_cancel->store(true);
        m_worker->wait();
        delete m_worker;
    }
}

QStringList TrackScanner::soundFilesIn(const QString& folder, const std::atomic<bool>* cancel)
{
    QStringList out;
    walk(folder, out, cancel, 0);
    return out;
}

PlaylistEntry TrackScanner::entryFor(const QString& path, bool measure)
{
    PlaylistEntry e;
    e.path = path;
    e.name = trackDisplayName(path);
    if (measure) {
        if (const auto s = quickLengthSeconds(path))
            e.seconds = QString::number(*s);
        e.size = QString::number(QFileInfo(path).size());
    }
    return e;
}

QList<PlaylistEntry> TrackScanner::scan(const QStringList& paths, bool measure, const std::atomic<bool>* cancel)
{
    QStringList files;
    for (const QString& p : paths) {
        const QFileInfo fi(p);
        if (fi.isDir())
            walk(fi.filePath(), files, cancel, 0);
        else
            files.append(p);
    }
    QList<PlaylistEntry> out;
    out.reserve(files.size());
    for (const QString& f : files) {
        if (cancelled(cancel))
            break;
        out.append(entryFor(f, measure));
    }
    return out;
}

bool TrackScanner::start(const QStringList& paths, bool measure)
{
    if (m_worker)
        return false;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    QPointer<TrackScanner> self(this);
    auto cancel = m_cancel;
    m_worker = QThread::create([self, cancel, paths, measure] {
        QStringList files;
        for (const QString& p : paths) {
            const QFileInfo fi(p);
            if (fi.isDir())
                walk(fi.filePath(), files, cancel.get(), 0);
            else
                files.append(p);
        }
        const int total = int(files.size());
        QList<PlaylistEntry> pending;
        const auto hand = [&](int done) {
            if (pending.isEmpty() && done < total)
                return;
            QList<PlaylistEntry> b = std::move(pending);
            pending.clear();
            // The scanner lives on the starting thread; a late batch after it
            // went is dropped there.
            QMetaObject::invokeMethod(
                self.data(), [self, b, done, total] {
                    if (!self)
                        return;
                    if (!b.isEmpty())
                        emit self->batch(b);
                    emit self->progress(done, total);
                },
                Qt::QueuedConnection);
        };
        for (int i = 0; i < total; ++i) {
            if (cancel->load())
                break;
            pending.append(entryFor(files[i], measure));
            if (pending.size() >= kBatch)
                hand(i + 1);
        }
        hand(total);
    });
    connect(m_worker, &QThread::finished, this, &TrackScanner::workerDone, Qt::QueuedConnection);
    m_worker->start(QThread::LowPriority);
    return true;
}

void TrackScanner::cancel()
{
    if (m_cancel)
        m_cancel->store(true);
}

void TrackScanner::workerDone()
{
    if (!m_worker)
        return;
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    emit finished();
}

} // namespace zorvex

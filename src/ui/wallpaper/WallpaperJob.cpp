#include "ui/wallpaper/WallpaperJob.h"

#include "core/common/AtomicFile.h"
#include "core/wallpaper/WallpaperHistory.h"
#include "ui/wallpaper/WallpaperComposer.h"

#include <QBuffer>
#include <QFileInfo>

namespace zorvex {

namespace {

bool writePicture(const QImage& image, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Lossless, and small enough at screen size.
    return image.save(&buffer, "PNG", 1) && writeFileAtomically(path, bytes);
}

} // namespace

WallpaperOutcome runWallpaperJob(const WallpaperJob& job)
{
    WallpaperOutcome outcome;
    if (job.folders.isEmpty()) {
        outcome.warning = QStringLiteral("Nie zostały dodane katalogi z tapetami.");
        return outcome;
    }
    job.store.saveFolders(job.folders);

    const int monitors = std::max<int>(1, int(job.canvas.monitors.size()));
    QStringList pool;
    QStringList pictures;
    if (job.pickNew) {
        pool = job.store.loadPool();
        const WallpaperDraw draw = drawWallpapers(
            pool, job.settings.mode, wallpaperPictureCount(job.settings.mode) * monitors, job.pick,
            [](const QString& p) { return QFileInfo(p).isFile(); },
            [&job] { return scanWallpaperFolders(job.folders); });
        if (!draw.shortage.isEmpty()) {
            outcome.warning = draw.shortage;
            return outcome;
        }
        pictures = draw.picked;
    } else {
        if (!QFileInfo(job.file).isFile())
            return outcome; // a file moved away meanwhile: nothing to show
        for (int i = 0; i < monitors; ++i)
            pictures << job.file;
    }

    CompositionOptions options;
    options.mode = job.settings.mode;
    options.keepAspect = job.settings.keepAspect;
    options.highQuality = job.settings.quality == WallpaperSettings::High;
    options.background = job.settings.background;
    options.single = !job.pickNew;
    const Composition composition = composeWallpaper(job.canvas, pictures, options);
    outcome.damaged = composition.damaged;
    outcome.written = !composition.image.isNull() && writePicture(composition.image, job.output);

    if (job.pickNew) {
        // Pictures used again on further monitors count once.
        for (const QString& p : pictures)
            if (!outcome.used.contains(p))
                outcome.used << p;
        bool replaceable = true;
        const QStringList history = job.store.loadHistory(&replaceable);
        if (replaceable)
            job.store.saveHistory(addToHistory(history, outcome.used, job.settings.mode > 0));
        job.store.savePool(pool);
    } else {
        outcome.used = pictures.mid(0, 1);
    }
    return outcome;
}

} // namespace zorvex

#include "ui/net/NetSounds.h"

#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "ui/common/Messages.h"

#include <QDir>
#include <QFileDialog>

namespace zorvex {

SoundFileChooser::Callbacks soundCallbacks(QWidget* page, const PathTable& paths, BassPlaySet* players, int instance,
                                           const QString& caption, Prompts& prompts)
{
    SoundFileChooser::Callbacks cb;
    cb.resolve = [&paths](const QString& stored) {
        if (stored.isEmpty() || QDir::isAbsolutePath(stored))
            return stored;
        return paths.inDataFolder(stored);
    };
    cb.play = [players, instance](const QString& path) {
        if (!players)
            return;
        players->player(instance).setFileName(path);
        players->playFile(instance);
    };
    cb.stop = [players, instance] {
        if (players)
            players->closeFile(instance);
    };
    cb.missing = [caption, p = &prompts](const QString&) {
        p->window(QMessageBox::Warning, caption, QStringLiteral("Plik nie istnieje"));
    };
    cb.chooseFile = [page](const QString& title, const QString& filter, const QString& start) {
        return QFileDialog::getOpenFileName(page, title, start, filter);
    };
    return cb;
}

} // namespace zorvex

#include "platform/wallpaper/FileManager.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QUrl>

namespace zorvex {

void showInFileManager(const QString& file, std::function<void()> fallback)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(file).toString()} << QString();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        if (fallback)
            fallback();
        return;
    }
    // Asked without waiting; a bus without a file manager answers with an
    // error, and the folder opens instead.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, fallback] {
        if (watcher->isError() && fallback)
            fallback();
        watcher->deleteLater();
    });
}

bool moveToTrash(const QString& file)
{
    QFile f(file);
    return f.moveToTrash();
}

} // namespace zorvex

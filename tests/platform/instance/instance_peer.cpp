// instance_peer lock PATH             hold the lock (prints "held" or "busy") until ended
// instance_peer serve PATH NAME       wait for the lock, listen on NAME (prints "listening",
//                                     "received:TEXT", "show"); on a signal closes, then lets go
// instance_peer send NAME TEXT        hand TEXT over; exit 1 when nobody took it
// instance_peer signals [early]       print "ready" and wait for a signal ("signal N");
//                                     "early" raises SIGTERM before the loop runs

#include "platform/InstanceChannel.h"
#include "platform/InstanceLock.h"
#include "platform/SignalWatcher.h"

#include <QCoreApplication>
#include <QTimer>

#include <csignal>
#include <cstdio>

using namespace zorvex;

namespace {

void out(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0);

    if (mode == QLatin1String("send"))
        return sendToRunningInstance(args.value(2), args.value(1), 1500) ? 0 : 1;

    SignalWatcher watcher;
    InstanceLock lock(args.value(1));
    InstanceServer server(args.value(2));
    QObject::connect(&watcher, &SignalWatcher::terminationRequested, &app, [&](int sig) {
        out(QStringLiteral("signal %1").arg(sig));
        // The order an ending instance keeps: the channel first, then the lock.
        server.close();
        lock.release();
        app.quit();
    });

    if (mode == QLatin1String("lock")) {
        out(lock.tryAcquire() ? QStringLiteral("held") : QStringLiteral("busy"));
    } else if (mode == QLatin1String("serve")) {
        QObject::connect(&server, &InstanceServer::received, &app,
                         [](const QString& text) { out(QStringLiteral("received:") + text); });
        QObject::connect(&server, &InstanceServer::showRequested, &app, [] { out(QStringLiteral("show")); });
        auto* poll = new QTimer(&app);
        QObject::connect(poll, &QTimer::timeout, &app, [&, poll] {
            if (lock.tryAcquire() && server.listen()) {
                poll->stop();
                out(QStringLiteral("listening"));
            }
        });
        poll->start(50);
    } else if (mode == QLatin1String("signals")) {
        out(QStringLiteral("ready"));
        if (args.value(1) == QLatin1String("early"))
            std::raise(SIGTERM);
    } else {
        return 2;
    }
    return app.exec();
}

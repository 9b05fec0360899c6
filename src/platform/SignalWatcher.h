#pragma once

#include <QObject>

class QSocketNotifier;

namespace zorvex {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the main thread, so a
// logout or `kill` runs the same orderly shutdown as "Zamknij".
class SignalWatcher : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

signals:
    void terminationRequested(int signalNumber);

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zorvex

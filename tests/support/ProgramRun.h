#pragma once

// Starts the real program as separate processes over one data folder and
// one runtime folder, collecting what each says on stderr.

#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace zorvex::test {

class ProgramRun : public QObject {
public:
    // A fresh folder with an empty data folder and a private runtime folder.
    ProgramRun()
        : m_dir(std::make_unique<QTemporaryDir>())
        , m_data(m_dir->filePath(QStringLiteral("data")))
    {
        QDir().mkpath(m_data);
        const QString runtime = m_dir->filePath(QStringLiteral("rt"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ~ProgramRun() override
    {
        for (QProcess* p : std::as_const(m_procs)) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
            delete p;
        }
    }

    bool valid() const { return m_dir->isValid(); }
    const QString& dataFolder() const { return m_data; }
    QString dataFile(const QString& name) const { return QDir(m_data).filePath(name); }
    QString outside(const QString& name) const { return m_dir->filePath(name); }

    QProcess* start(const QStringList& args = {})
    {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir->filePath(QStringLiteral("rt")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ZORVEX_REPORT_STARTUP"), QStringLiteral("1"));
        // No system bus: nothing outside the test may end the run.
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/zorvex-test"));
        env.remove(QStringLiteral("ZORVEX_DATA_DIR"));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::SeparateChannels);
        connect(p, &QProcess::readyReadStandardError, this,
                [this, p] { m_output[p] += QString::fromLocal8Bit(p->readAllStandardError()); });
        p->start(QStringLiteral(ZORVEX_BINARY), QStringList{QStringLiteral("--data-dir"), m_data} + args);
        m_procs << p;
        return p;
    }

    // Waits until `p` has said `text`, or has ended, or `ms` passed.
    bool waitForOutput(QProcess* p, const QString& text, int ms = 15000)
    {
        QElapsedTimer t;
        t.start();
        for (;;) {
            m_output[p] += QString::fromLocal8Bit(p->readAllStandardError());
            if (m_output.value(p).contains(text))
                return true;
            if (t.elapsed() >= ms || p->state() == QProcess::NotRunning)
                break;
            QTest::qWait(20);
        }
        qWarning() << "output so far:" << m_output.value(p);
        return false;
    }
    QString output(QProcess* p) const { return m_output.value(p); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    QList<QProcess*> m_procs;
    QHash<QProcess*, QString> m_output;
};

} // namespace zorvex::test

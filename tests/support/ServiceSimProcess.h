#pragma once

// Starts the service simulator for a test and stops it with the test. The
// simulator prints its base URL as its one line on stdout; the service, the
// shoutbox and the add-on pages hang below it. Needs the compile definition
// ZORVEX_SERVICE_SIM (the simulator's path).

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

class ServiceSimProcess {
public:
    ServiceSimProcess() = default;
    ServiceSimProcess(const ServiceSimProcess&) = delete;
    ServiceSimProcess& operator=(const ServiceSimProcess&) = delete;
    ~ServiceSimProcess() { stop(); }

    // Starts on a free port with a request log; `arguments` add faults,
    // --data and the like. False (with error()) when it did not come up.
    bool start(const QStringList& arguments = {})
    {
        m_logPath = m_folder.filePath(QStringLiteral("zadania.log"));
        m_process.setProgram(QStringLiteral(ZORVEX_SERVICE_SIM));
        m_process.setArguments(QStringList{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--log"), m_logPath}
                               + arguments);
        m_process.start();
        if (!m_process.waitForStarted(10000)) {
            m_error = m_process.errorString();
            return false;
        }
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000)) {
                m_error = QString::fromUtf8(m_process.readAllStandardError());
                return false;
            }
        }
        m_baseUrl = QString::fromUtf8(m_process.readLine()).trimmed();
        static const QRegularExpression form(QStringLiteral("^http://127\\.0\\.0\\.1:\\d+/$"));
        if (!form.match(m_baseUrl).hasMatch()) {
            m_error = QStringLiteral("unexpected first line: ") + m_baseUrl;
            return false;
        }
        return true;
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString error() const { return m_error; }
    // "http://127.0.0.1:PORT/"
    QString baseUrl() const { return m_baseUrl; }
    // The three base URLs of the program's settings.
    QString serviceBase() const { return m_baseUrl + QStringLiteral("serwis.php?l="); }
    QString shoutboxBase() const { return m_baseUrl + QStringLiteral("shoutbox.php?w="); }
    QString addonsBase() const { return m_baseUrl + QStringLiteral("dodatki.php?id="); }

    // The request log so far, one map of fields per request (method, target,
    // endpoint, query, status, fault, user-agent, content-type, accept,
    // cookie, body).
    QList<QHash<QString, QString>> log() const
    {
        QList<QHash<QString, QString>> out;
        QFile file(m_logPath);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return out;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.isEmpty())
                continue;
            QHash<QString, QString> fields;
            for (const QString& field : QString::fromUtf8(line).split(QLatin1Char('\t'))) {
                const qsizetype eq = field.indexOf(QLatin1Char('='));
                if (eq > 0)
                    fields.insert(field.left(eq), field.mid(eq + 1));
            }
            out.append(fields);
        }
        return out;
    }

private:
    QTemporaryDir m_folder;
    QString m_logPath;
    QProcess m_process;
    QString m_baseUrl;
    QString m_error;
};

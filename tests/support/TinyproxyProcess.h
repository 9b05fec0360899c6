#pragma once

// Starts Debian's tinyproxy on loopback with a configuration of its own, for
// tests of requests through a proxy, and stops it with the test.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

class TinyproxyProcess {
public:
    TinyproxyProcess() = default;
    TinyproxyProcess(const TinyproxyProcess&) = delete;
    TinyproxyProcess& operator=(const TinyproxyProcess&) = delete;
    ~TinyproxyProcess() { stop(); }

    static QString program() { return QStandardPaths::findExecutable(QStringLiteral("tinyproxy")); }

    // With a user and password the proxy asks for them (Basic).
    bool start(const QString& user = {}, const QString& password = {})
    {
        if (program().isEmpty()) {
            m_error = QStringLiteral("tinyproxy is not installed");
            return false;
        }
        {
            QTcpServer probe;
            if (!probe.listen(QHostAddress::LocalHost, 0)) {
                m_error = probe.errorString();
                return false;
            }
            m_port = probe.serverPort();
        }
        m_logPath = m_folder.filePath(QStringLiteral("tinyproxy.log"));
        QByteArray conf = "Port " + QByteArray::number(m_port) + "\n"
                          "Listen 127.0.0.1\n"
                          "Timeout 30\n"
                          "MaxClients 20\n"
                          "Allow 127.0.0.1\n"
                          "LogLevel Info\n"
                          "LogFile \"" + m_logPath.toUtf8() + "\"\n";
        if (!user.isEmpty())
            conf += "BasicAuth " + user.toUtf8() + " " + password.toUtf8() + "\n";
        const QString confPath = m_folder.filePath(QStringLiteral("tinyproxy.conf"));
        QFile f(confPath);
        if (!f.open(QIODevice::WriteOnly) || f.write(conf) != conf.size()) {
            m_error = QStringLiteral("cannot write ") + confPath;
            return false;
        }
        f.close();
        m_process.setProgram(program());
        m_process.setArguments({QStringLiteral("-d"), QStringLiteral("-c"), confPath});
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start();
        if (!m_process.waitForStarted(5000)) {
            m_error = m_process.errorString();
            return false;
        }
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 10000) {
            QTcpSocket s;
            s.connectToHost(QHostAddress::LocalHost, m_port);
            if (s.waitForConnected(200))
                return true;
            if (m_process.state() == QProcess::NotRunning)
                break;
            QThread::msleep(50);
        }
        m_error = QStringLiteral("tinyproxy did not come up: ") + QString::fromLocal8Bit(m_process.readAll());
        return false;
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

    quint16 port() const { return m_port; }
    QString error() const { return m_error; }
    QByteArray log() const
    {
        QFile f(m_logPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir m_folder;
    QString m_logPath;
    QProcess m_process;
    quint16 m_port = 0;
    QString m_error;
};

#pragma once

// A private Dovecot POP3 server for one test: its own configuration, users,
// mail folders, certificate and log in a temporary folder, listening on two
// free loopback ports (plain with STLS, and POP3S), stopped with the test.
// As a normal user everything runs as that user; as root (CI) the login
// processes run as Dovecot's own unprivileged users, as it insists.

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

class DovecotProcess {
public:
    DovecotProcess() = default;
    DovecotProcess(const DovecotProcess&) = delete;
    DovecotProcess& operator=(const DovecotProcess&) = delete;
    ~DovecotProcess() { stop(); }

    static QString program()
    {
        for (const QString& p : {QStringLiteral("/usr/sbin/dovecot"), QStringLiteral("/usr/local/sbin/dovecot")}) {
            if (QFile::exists(p))
                return p;
        }
        return QStandardPaths::findExecutable(QStringLiteral("dovecot"));
    }

    // Users as "login" → "password".
    bool start(const QMap<QString, QString>& users, QString* error)
    {
        if (program().isEmpty())
            return fail(error, QStringLiteral("dovecot is not installed (scripts/bootstrap installs dovecot-pop3d)"));
        if (!m_dir.isValid())
            return fail(error, QStringLiteral("no temporary folder"));
        const QString d = m_dir.path();
        const bool root = ::geteuid() == 0;
        // Dovecot's unprivileged processes must reach the folder.
        QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                     | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                     | QFileDevice::ExeOther);
        for (const char* sub : {"run", "state", "home"})
            QDir(d).mkpath(QString::fromLatin1(sub));
        if (!makeCertificate(error))
            return false;
        QByteArray passwdFile;
        for (auto it = users.begin(); it != users.end(); ++it) {
            passwdFile += it.key().toUtf8() + ":{PLAIN}" + it.value().toUtf8() + "::::::\n";
            for (const char* sub : {"cur", "new", "tmp"})
                QDir(maildir(it.key())).mkpath(QString::fromLatin1(sub));
        }
        writeFile(d + QStringLiteral("/passwd"), passwdFile);
        m_plainPort = freePort();
        m_sslPort = freePort();

        const struct passwd* me = ::getpwuid(::geteuid());
        const QString self = QString::fromLocal8Bit(me ? me->pw_name : "root");
        const struct group* myGroup = ::getgrgid(::getegid());
        const QString selfGroup = QString::fromLocal8Bit(myGroup ? myGroup->gr_name : "root");
        // Dovecot refuses mail as uid 0 and login processes as root.
        const QString internalUser = root ? QStringLiteral("dovecot") : self;
        const QString internalGroup = root ? QStringLiteral("dovecot") : selfGroup;
        const QString loginUser = root ? QStringLiteral("dovenull") : self;
        m_mailUser = root ? QStringLiteral("dovecot") : self;
        const QString mailGroup = root ? QStringLiteral("dovecot") : selfGroup;

        QString conf;
        conf += QStringLiteral("base_dir = %1/run\nstate_dir = %1/state\nlog_path = %1/dovecot.log\n").arg(d);
        conf += QStringLiteral("protocols = pop3\nlisten = 127.0.0.1\nssl = yes\n");
        conf += QStringLiteral("ssl_cert = <%1/cert.pem\nssl_key = <%1/key.pem\n").arg(d);
        conf += QStringLiteral("disable_plaintext_auth = no\nauth_mechanisms = plain\nfirst_valid_uid = 0\n");
        conf += QStringLiteral("default_internal_user = %1\ndefault_internal_group = %2\ndefault_login_user = %3\n")
                    .arg(internalUser, internalGroup, loginUser);
        conf += QStringLiteral("mail_location = maildir:%1/home/%u/Maildir\n").arg(d);
        conf += QStringLiteral("pop3_uidl_format = %08Xu%08Xv\n");
        conf += QStringLiteral("passdb {\n  driver = passwd-file\n  args = %1/passwd\n}\n").arg(d);
        conf += QStringLiteral("userdb {\n  driver = static\n  args = uid=%1 gid=%2 home=%3/home/%u\n}\n")
                    .arg(m_mailUser, mailGroup, d);
        conf += QStringLiteral("service pop3-login {\n  chroot =\n  inet_listener pop3 {\n    port = %1\n  }\n"
                               "  inet_listener pop3s {\n    port = %2\n    ssl = yes\n  }\n}\n")
                    .arg(m_plainPort)
                    .arg(m_sslPort);
        conf += QStringLiteral("service anvil {\n  chroot =\n}\n");
        if (!root)
            conf += QStringLiteral("service auth {\n  user = %1\n}\nservice auth-worker {\n  user = %1\n}\n").arg(self);
        writeFile(d + QStringLiteral("/dovecot.conf"), conf.toUtf8());
        chownMail();

        m_process.setProgram(program());
        m_process.setArguments({QStringLiteral("-F"), QStringLiteral("-c"), d + QStringLiteral("/dovecot.conf")});
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start();
        if (!m_process.waitForStarted(5000))
            return fail(error, m_process.errorString());
        // Up once both ports take connections.
        const bool up = QTest::qWaitFor([this] { return accepts(m_plainPort) && accepts(m_sslPort); }, 10000);
        if (!up)
            return fail(error, QString::fromUtf8(m_process.readAll()) + log());
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

    quint16 plainPort() const { return m_plainPort; }
    quint16 sslPort() const { return m_sslPort; }
    QString maildir(const QString& user) const { return m_dir.path() + QStringLiteral("/home/") + user + QStringLiteral("/Maildir"); }
    QByteArray certificatePem() const { return m_certPem; }
    // SHA-256 of the certificate, as the account keeps it.
    QString fingerprint() const
    {
        const QSslCertificate cert(m_certPem);
        return QString::fromLatin1(cert.digest(QCryptographicHash::Sha256).toHex());
    }
    QString log() const
    {
        QFile f(m_dir.path() + QStringLiteral("/dovecot.log"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // Drops a message into the user's new mail.
    void addMessage(const QString& user, const QString& name, const QByteArray& message)
    {
        writeFile(maildir(user) + QStringLiteral("/new/") + name, message);
        chownMail();
    }
    int messageCount(const QString& user) const
    {
        return int(QDir(maildir(user) + QStringLiteral("/new")).entryList(QDir::Files).size()
                   + QDir(maildir(user) + QStringLiteral("/cur")).entryList(QDir::Files).size());
    }

private:
    static bool fail(QString* error, const QString& text)
    {
        if (error)
            *error = text;
        return false;
    }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    static quint16 freePort()
    {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        return s.serverPort();
    }
    static bool accepts(quint16 port)
    {
        QTcpSocket s;
        s.connectToHost(QHostAddress::LocalHost, port);
        return s.waitForConnected(200);
    }
    bool makeCertificate(QString* error)
    {
        const QString d = m_dir.path();
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                       QStringLiteral("-nodes"), QStringLiteral("-keyout"), d + QStringLiteral("/key.pem"),
                       QStringLiteral("-out"), d + QStringLiteral("/cert.pem"), QStringLiteral("-days"),
                       QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                       QStringLiteral("-addext"), QStringLiteral("subjectAltName=DNS:localhost,IP:127.0.0.1")});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            return fail(error, QStringLiteral("openssl could not make the test certificate"));
        QFile cert(d + QStringLiteral("/cert.pem"));
        if (!cert.open(QIODevice::ReadOnly))
            return fail(error, QStringLiteral("no test certificate"));
        m_certPem = cert.readAll();
        return true;
    }
    // As root the mail belongs to the mail user Dovecot runs as.
    void chownMail()
    {
        if (::geteuid() != 0)
            return;
        const struct passwd* pw = ::getpwnam(m_mailUser.toLocal8Bit().constData());
        if (!pw)
            return;
        const QString home = m_dir.path() + QStringLiteral("/home");
        QStringList todo{home};
        while (!todo.isEmpty()) {
            const QString p = todo.takeLast();
            if (::chown(QFile::encodeName(p).constData(), pw->pw_uid, pw->pw_gid) != 0)
                continue;
            for (const QFileInfo& i : QDir(p).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
                if (i.isDir())
                    todo << i.filePath();
                else
                    ::chown(QFile::encodeName(i.filePath()).constData(), pw->pw_uid, pw->pw_gid);
            }
        }
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_plainPort = 0;
    quint16 m_sslPort = 0;
    QString m_mailUser;
    QByteArray m_certPem;
};

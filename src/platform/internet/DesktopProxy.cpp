#include "platform/internet/DesktopProxy.h"

#include "core/common/DataFile.h"
#include "core/internet/ProxySetting.h"

#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace zorvex {
namespace {

constexpr int kGsettingsTimeoutMs = 3000;

DesktopProxyReading off()
{
    return {};
}

QString envValue(const QProcessEnvironment& env, const QString& name)
{
    const QString lower = env.value(name).trimmed();
    return lower.isEmpty() ? env.value(name.toUpper()).trimmed() : lower;
}

bool hostMatches(const QString& host, const QString& pattern)
{
    QString p = pattern.trimmed().toLower();
    if (p.isEmpty())
        return false;
    if (p == QLatin1String("*"))
        return true;
    // A port after the name does not matter here.
    if (const qsizetype colon = p.lastIndexOf(QLatin1Char(':')); colon > 0 && !p.contains(QLatin1Char('/'))
        && p.count(QLatin1Char(':')) == 1)
        p = p.left(colon);
    if (p.contains(QLatin1Char('/'))) {
        const auto [network, bits] = QHostAddress::parseSubnet(p);
        const QHostAddress address(host);
        return !address.isNull() && bits >= 0 && address.isInSubnet(network, bits);
    }
    if (p.startsWith(QLatin1String("*.")))
        p = p.mid(1);
    if (p.startsWith(QLatin1Char('.')))
        return host.endsWith(p) || host == p.mid(1);
    return host == p || host.endsWith(QLatin1Char('.') + p);
}

std::optional<QString> quotedValue(const QString& line, const QString& key)
{
    const QString prefix = key + QLatin1Char(' ');
    if (!line.startsWith(prefix))
        return std::nullopt;
    QString v = line.mid(prefix.size()).trimmed();
    if (v.size() >= 2 && v.startsWith(QLatin1Char('\'')) && v.endsWith(QLatin1Char('\'')))
        v = v.mid(1, v.size() - 2);
    return v;
}

} // namespace

DesktopProxyReading readingFromAddress(const QString& address)
{
    QString a = address.trimmed();
    if (const qsizetype scheme = a.indexOf(QLatin1String("://")); scheme >= 0)
        a = a.mid(scheme + 3);
    if (const qsizetype at = a.lastIndexOf(QLatin1Char('@')); at >= 0)
        a = a.mid(at + 1);
    if (const qsizetype slash = a.indexOf(QLatin1Char('/')); slash >= 0)
        a = a.left(slash);
    // KDE writes "host port".
    a.replace(QLatin1Char(' '), QLatin1Char(':'));
    const HostAndPort hp = splitProxyServer(a);
    return {true, hp.host, hp.port};
}

std::optional<DesktopProxyReading> proxyFromEnvironment(const QProcessEnvironment& env, const QString& targetUrl)
{
    const QUrl target(targetUrl);
    const QString https = envValue(env, QStringLiteral("https_proxy"));
    const QString http = envValue(env, QStringLiteral("http_proxy"));
    QString chosen = target.scheme() == QLatin1String("https") ? https : http;
    if (chosen.isEmpty())
        chosen = http.isEmpty() ? https : http;
    if (chosen.isEmpty())
        return std::nullopt;
    const QString host = target.host().toLower();
    for (const QString& pattern : envValue(env, QStringLiteral("no_proxy")).split(QLatin1Char(','))) {
        if (!host.isEmpty() && hostMatches(host, pattern))
            return off();
    }
    return readingFromAddress(chosen);
}

std::optional<DesktopProxyReading> proxyFromGsettings(const QString& output)
{
    QString mode, host, port;
    for (const QString& raw : output.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (auto v = quotedValue(line, QStringLiteral("org.gnome.system.proxy mode")))
            mode = *v;
        else if (auto h = quotedValue(line, QStringLiteral("org.gnome.system.proxy.http host")))
            host = *h;
        else if (auto p = quotedValue(line, QStringLiteral("org.gnome.system.proxy.http port")))
            port = *p;
    }
    if (mode == QLatin1String("none"))
        return off();
    if (mode != QLatin1String("manual") || host.isEmpty())
        return std::nullopt;
    return DesktopProxyReading{true, host, port == QLatin1String("0") ? QString() : port};
}

std::optional<DesktopProxyReading> proxyFromKioslaverc(const QByteArray& text)
{
    bool inSection = false;
    QString type, address;
    for (const QString& raw : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inSection = line == QLatin1String("[Proxy Settings]");
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("ProxyType"))
            type = value;
        else if (key == QLatin1String("httpProxy"))
            address = value;
    }
    if (type == QLatin1String("0"))
        return off();
    if (type != QLatin1String("1") || address.isEmpty())
        return std::nullopt;
    return readingFromAddress(address);
}

LinuxDesktopProxy::LinuxDesktopProxy(QObject* parent)
    : LinuxDesktopProxy(Places{}, parent)
{
}

LinuxDesktopProxy::LinuxDesktopProxy(Places places, QObject* parent)
    : QObject(parent)
    , m_places(std::move(places))
{
}

LinuxDesktopProxy::~LinuxDesktopProxy()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

void LinuxDesktopProxy::read(const QString& targetUrl, Done done)
{
    if (m_process)
        return; // a reading is under way; its answer serves
    m_done = std::move(done);
    m_environment = proxyFromEnvironment(m_places.environment, targetUrl);
    if (m_environment && m_environment->enabled) {
        // Answered from the event loop, as when a program is asked.
        QTimer::singleShot(0, this, [this] { finish(std::nullopt); });
        return;
    }
    const QString program = QStandardPaths::findExecutable(m_places.gsettings).isEmpty()
        ? (QFileInfo(m_places.gsettings).isExecutable() ? m_places.gsettings : QString())
        : QStandardPaths::findExecutable(m_places.gsettings);
    if (program.isEmpty()) {
        QTimer::singleShot(0, this, [this] { finish(std::nullopt); });
        return;
    }
    m_process = new QProcess(this);
    m_process->setProgram(program);
    m_process->setArguments({QStringLiteral("list-recursively"), QStringLiteral("org.gnome.system.proxy")});
    m_process->setProcessEnvironment(m_places.environment);
    auto* timer = new QTimer(m_process);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, m_process, &QProcess::kill);
    connect(m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        const QString output = QString::fromUtf8(m_process->readAllStandardOutput());
        m_process->deleteLater();
        m_process = nullptr;
        finish(status == QProcess::NormalExit && code == 0 ? proxyFromGsettings(output) : std::nullopt);
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_process->deleteLater();
        m_process = nullptr;
        finish(std::nullopt);
    });
    timer->start(kGsettingsTimeoutMs);
    m_process->start(QIODevice::ReadOnly);
}

void LinuxDesktopProxy::finish(std::optional<DesktopProxyReading> gnome)
{
    std::optional<DesktopProxyReading> result;
    std::optional<DesktopProxyReading> offSeen;
    auto consider = [&](const std::optional<DesktopProxyReading>& r) {
        if (!r || result)
            return;
        if (r->enabled)
            result = r;
        else if (!offSeen)
            offSeen = r;
    };
    consider(m_environment);
    consider(gnome);
    if (!result) {
        QString path = m_places.kioslaverc;
        if (path.isEmpty()) {
            QString config = m_places.environment.value(QStringLiteral("XDG_CONFIG_HOME"));
            if (config.isEmpty())
                config = m_places.environment.value(QStringLiteral("HOME")) + QStringLiteral("/.config");
            path = config + QStringLiteral("/kioslaverc");
        }
        const FileRead kde = readDataFile(path);
        if (kde.read())
            consider(proxyFromKioslaverc(kde.bytes));
    }
    Done done = std::move(m_done);
    if (done)
        done(result ? result : offSeen);
}

} // namespace zorvex

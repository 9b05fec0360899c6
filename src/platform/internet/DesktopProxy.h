#pragma once

#include <QObject>
#include <QProcessEnvironment>
#include <QString>

#include <functional>
#include <optional>

class QProcess;

namespace zorvex {

// What the desktop says about its proxy, in the terms of the proxy dialog.
struct DesktopProxyReading {
    bool enabled = false;
    QString host;
    QString port;
    bool operator==(const DesktopProxyReading&) const = default;
};

// The three places a Linux desktop keeps its proxy, each read on its own.
// Nothing means the place says nothing (not set, not a manual proxy).
//
// http_proxy/https_proxy (either letter case; the one of the target's scheme
// first), unless no_proxy covers the target host, which reads as "off".
std::optional<DesktopProxyReading> proxyFromEnvironment(const QProcessEnvironment& env, const QString& targetUrl);
// The output of "gsettings list-recursively org.gnome.system.proxy": mode
// 'manual' gives the http host and port, 'none' reads as "off".
std::optional<DesktopProxyReading> proxyFromGsettings(const QString& output);
// KDE's kioslaverc, section [Proxy Settings]: ProxyType 1 gives httpProxy
// ("http://host:port" or "http://host port"), 0 reads as "off".
std::optional<DesktopProxyReading> proxyFromKioslaverc(const QByteArray& text);

// "http://user:pw@host:8080/" and the like as the dialog's host and port.
DesktopProxyReading readingFromAddress(const QString& address);

// Reads the desktop's proxy for "Pobierz ustawienia z IE" without waiting:
// the environment, then GNOME (gsettings), then KDE. The first place that
// names a proxy wins; when none does but one says "off", the reading is off;
// when all say nothing, nothing (the dialog stays as it was).
class DesktopProxySource {
public:
    using Done = std::function<void(std::optional<DesktopProxyReading>)>;
    virtual ~DesktopProxySource() = default;
    virtual void read(const QString& targetUrl, Done done) = 0;
};

class LinuxDesktopProxy : public QObject, public DesktopProxySource {
    Q_OBJECT
public:
    struct Places {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QString gsettings = QStringLiteral("gsettings"); // program, looked up on the PATH
        QString kioslaverc;                               // empty: $XDG_CONFIG_HOME or ~/.config
    };

    explicit LinuxDesktopProxy(QObject* parent = nullptr);
    LinuxDesktopProxy(Places places, QObject* parent = nullptr);
    ~LinuxDesktopProxy() override;

    void read(const QString& targetUrl, Done done) override;

private:
    void finish(std::optional<DesktopProxyReading> gnome);

    Places m_places;
    QProcess* m_process = nullptr;
    std::optional<DesktopProxyReading> m_environment;
    Done m_done;
};

} // namespace zorvex

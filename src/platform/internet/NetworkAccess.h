#pragma once

#include "core/internet/HttpTypes.h"
#include "core/internet/ProxySetting.h"

#include <QObject>

#include <memory>

class QNetworkAccessManager;

namespace zorvex {

// The program's one connection to the web: every request client and
// downloader made here shares its cookies and its proxy, and none of them
// ever waits on the interface thread. TLS certificates are always checked.
class NetworkAccess : public QObject {
    Q_OBJECT
public:
    // No answer may take longer than this, so a stalled server never leaves
    // a button disabled.
    static constexpr int kRequestTimeoutMs = 30000;
    // A text answer beyond this is no list of the service.
    static constexpr qint64 kMaxAnswerBytes = 16 * 1024 * 1024;

    explicit NetworkAccess(QObject* parent = nullptr);
    ~NetworkAccess() override;

    // UstawProxy: off means no proxy at all (not the desktop's).
    void applyProxy(const ProxyUse& proxy);
    const ProxyUse& proxy() const { return m_proxy; }

    // A request client whose every request ends within `timeoutMs`.
    std::unique_ptr<TextRequestClient> createClient(int timeoutMs = kRequestTimeoutMs);
    // A downloader; `alwaysFresh` bypasses every cache (program updates).
    // A download that gets no data for `stallTimeoutMs` fails.
    std::unique_ptr<FileDownloader> createDownloader(bool alwaysFresh, int stallTimeoutMs = kRequestTimeoutMs);

    QNetworkAccessManager& manager() { return *m_manager; }
    // How many requests and downloads are running.
    int activeCount() const { return m_active; }

signals:
    // The first one started or the last one ended (the process priority
    // stays raised meanwhile).
    void activityChanged(bool active);

private:
    friend class HttpRequestClient;
    friend class HttpFileDownloader;
    void started();
    void ended();

    QNetworkAccessManager* m_manager;
    ProxyUse m_proxy;
    int m_active = 0;
};

} // namespace zorvex

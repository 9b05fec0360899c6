#include "WebViewPlugin.h"

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace zorvex {

namespace {

// Decides every navigation through the host's rules. Pages that ask for a
// new window get a page of this kind that only hands the address over.
class GuardedPage : public QWebEnginePage {
public:
    GuardedPage(QWebEngineProfile* profile, BrowserView& host, bool opener, QObject* parent)
        : QWebEnginePage(profile, parent)
        , m_host(host)
        , m_opener(opener)
    {
        QWebEngineSettings* s = settings();
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
        s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override
    {
        // Only web pages and the empty page; never a local file.
        const QString scheme = url.scheme().toLower();
        if (url.toString() == QLatin1String("about:blank"))
            return true;
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
            return false;
        const bool clicked = type == NavigationTypeLinkClicked || m_opener;
        const bool load = m_host.navigate(url, this->url(), clicked, isMainFrame) == BrowserNavigation::Load;
        if (m_opener) {
            // A new window of a service page opens in the program's own
            // browser; the host sent any other address elsewhere. This
            // page only carried the address.
            if (load)
                m_host.load(url);
            deleteLater();
            return false;
        }
        if (load && isMainFrame)
            settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, m_host.trusted(url));
        return load;
    }

    QWebEnginePage* createWindow(WebWindowType) override
    {
        return new GuardedPage(profile(), m_host, true, this);
    }

    // Script errors of a page are its own business.
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString&, int, const QString&) override {}

private:
    BrowserView& m_host;
    bool m_opener;
};

class WebView : public BrowserView {
public:
    explicit WebView(QWidget* parent)
        : m_view(new QWebEngineView(parent))
        // Nothing of the pages stays on disk: an off-the-record profile.
        , m_profile(new QWebEngineProfile)
    {
        m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        m_profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        m_page = new GuardedPage(m_profile, *this, false, nullptr);
        m_view->setPage(m_page);
        m_view->setContextMenuPolicy(Qt::NoContextMenu);
        QObject::connect(m_view, &QWebEngineView::loadFinished, m_view, [this](bool ok) { loadFinished(ok); });
    }

    ~WebView() override
    {
        // The page before its profile; the view may have gone with its
        // window already.
        delete m_view.data();
        delete m_page.data();
        delete m_profile;
    }

    QWidget* widget() override { return m_view; }
    void load(const QUrl& url) override
    {
        if (m_view)
            m_view->load(url);
    }
    void reload() override
    {
        if (m_view)
            m_view->reload();
    }
    QUrl url() const override { return m_view ? m_view->url() : QUrl(); }

private:
    QPointer<QWebEngineView> m_view;
    QWebEngineProfile* m_profile;
    QPointer<GuardedPage> m_page;
};

} // namespace

std::unique_ptr<BrowserView> WebViewPlugin::createView(QWidget* parent)
{
    return std::make_unique<WebView>(parent);
}

} // namespace zorvex

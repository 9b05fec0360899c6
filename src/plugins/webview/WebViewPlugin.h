#pragma once

#include "ui/internet/EmbeddedBrowser.h"

#include <QObject>

namespace zorvex {

// The embedded browser on Qt WebEngine.
class WebViewPlugin : public QObject, public BrowserFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZorvexBrowserFactory_iid)
    Q_INTERFACES(zorvex::BrowserFactory)
public:
    std::unique_ptr<BrowserView> createView(QWidget* parent) override;
};

} // namespace zorvex

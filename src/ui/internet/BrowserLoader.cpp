#include "ui/internet/BrowserLoader.h"

#include "ui/internet/EmbeddedBrowser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#include <cstdio>

#ifndef ZORVEX_PLUGIN_SUBDIR
#define ZORVEX_PLUGIN_SUBDIR "lib/zorvex/plugins"
#endif

namespace zorvex {

BrowserFactory* loadBrowserFactory()
{
    static bool tried = false;
    static BrowserFactory* factory = nullptr;
    if (tried)
        return factory;
    tried = true;

    const QString app = QCoreApplication::applicationDirPath();
    QStringList folders;
    if (const QString env = qEnvironmentVariable("ZORVEX_PLUGIN_PATH"); !env.isEmpty())
        folders << env.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders << app + QStringLiteral("/plugins") << app + QStringLiteral("/../" ZORVEX_PLUGIN_SUBDIR);
    for (const QString& folder : folders) {
        const QString file = QDir(folder).filePath(QStringLiteral("zorvex_webview.so"));
        if (!QFileInfo(file).isFile())
            continue;
        // Kept loaded for the rest of the run: its views live until exit.
        auto* loader = new QPluginLoader(file, QCoreApplication::instance());
        factory = qobject_cast<BrowserFactory*>(loader->instance());
        if (factory)
            return factory;
        std::fprintf(stderr, "zorvex: %s: %s\n", qPrintable(file), qPrintable(loader->errorString()));
    }
    return nullptr;
}

} // namespace zorvex

#pragma once

#include <QUrl>
#include <QtPlugin>

#include <functional>
#include <memory>

class QWidget;

namespace zorvex {

// What the program's browser pages do with an address about to load.
enum class BrowserNavigation {
    Load,    // in the page (a page of the service)
    Refuse,  // not at all (handled by the program, or not allowed)
};

// One embedded browser of a Tools page. It never reads local files, runs
// scripts only where `trusted` says so, and asks `navigate` before every
// page it would load, so links to other sites can go to the user's browser.
class BrowserView {
public:
    virtual ~BrowserView() = default;
    virtual QWidget* widget() = 0;
    virtual void load(const QUrl& url) = 0;
    virtual void reload() = 0;
    virtual QUrl url() const = 0;

    // `userClicked` when the user followed a link; `mainFrame` false for a
    // frame inside the page. Also asked for the address of a new window.
    std::function<BrowserNavigation(const QUrl& url, const QUrl& from, bool userClicked, bool mainFrame)> navigate =
        [](const QUrl&, const QUrl&, bool, bool) { return BrowserNavigation::Refuse; };
    // Whether scripts may run on a page at `url`.
    std::function<bool(const QUrl& url)> trusted = [](const QUrl&) { return false; };
    std::function<void(bool ok)> loadFinished = [](bool) {};
};

// The embedded browser lives in a plugin of its own, loaded the first time
// such a page opens, so the program stays small when no page is shown.
class BrowserFactory {
public:
    virtual ~BrowserFactory() = default;
    virtual std::unique_ptr<BrowserView> createView(QWidget* parent) = 0;
};

} // namespace zorvex

#define ZorvexBrowserFactory_iid "pl.zorvex.BrowserFactory/1"
Q_DECLARE_INTERFACE(zorvex::BrowserFactory, ZorvexBrowserFactory_iid)

#include "ui/internet/MiscService.h"

#include "core/app/PageCodes.h"
#include "core/app/Settings.h"
#include "core/common/Clock.h"
#include "core/common/LineFile.h"
#include "core/common/PathTable.h"
#include "core/internet/ServiceClient.h"
#include "ui/internet/BrowserLoader.h"
#include "ui/internet/EmbeddedBrowser.h"
#include "ui/internet/InternetMessages.h"
#include "ui/internet/MiscPagesView.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zorvex {

namespace {
const char kOutsideNote[] = "Strona została otwarta w przeglądarce internetowej.";
}

MiscService::MiscService(MiscContext context, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_page(new MiscPage)
    , m_shoutbox(new ShoutboxPage)
{
    browser = [] { return loadBrowserFactory(); };
    openOutside = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    connect(m_page->showButton(), &QPushButton::clicked, this, [this] { showMiscPage(0); });
    connect(m_page->entryBox(), &QComboBox::currentIndexChanged, this, [this](int index) {
        m_context.settings.wiadomosci.wyb = index;
        m_page->showButton()->setEnabled(true);
    });
    connect(m_shoutbox->refreshButton(), &QPushButton::clicked, this, &MiscService::refreshShoutbox);
    connect(m_shoutbox->homeButton(), &QPushButton::clicked, this, &MiscService::shoutboxHome);
    reloadList();
}

MiscService::~MiscService()
{
    // The views go before their pages; pages never placed go with us.
    m_miscView.reset();
    m_shoutView.reset();
    if (m_page && !m_page->parent())
        delete m_page;
    if (m_shoutbox && !m_shoutbox->parent())
        delete m_shoutbox;
}

void MiscService::reloadList()
{
    const QString before = m_page->entryBox()->currentText();
    m_entries = parseMiscList(loadLineFile(m_context.paths.path(PathId::Rozne)));
    loadMenuList();
    QComboBox* box = m_page->entryBox();
    {
        const QSignalBlocker block(box);
        box->clear();
        for (const MiscEntry& e : m_entries)
            box->addItem(e.name);
    }
    int index = initialMiscSelection(m_entries, m_context.settings.wiadomosci.wyb);
    if (!before.isEmpty() && box->findText(before) >= 0)
        index = box->findText(before);
    select(index);
    menuChanged();
}

void MiscService::loadMenuList()
{
    m_hidden = hiddenMiscEntries(loadLineFile(m_context.paths.path(PathId::RozneMenu)));
}

int MiscService::selected() const
{
    return m_page->entryBox()->currentIndex();
}

void MiscService::select(int index)
{
    m_page->entryBox()->setCurrentIndex(index);
    m_context.settings.wiadomosci.wyb = m_page->entryBox()->currentIndex();
}

bool MiscService::trusted(const QUrl& url) const
{
    const ServiceSettings& s = m_context.settings.serwis;
    return isServiceOrigin(url, QUrl(s.serviceBase)) || isServiceOrigin(url, QUrl(s.shoutboxBase));
}

void MiscService::wireView(BrowserView& view)
{
    view.trusted = [this](const QUrl& url) { return trusted(url); };
    view.navigate = [this](const QUrl& url, const QUrl& from, bool clicked, bool mainFrame) {
        const AlarmLinkDecision d =
            decideAlarmLink(url, from, QUrl(m_context.settings.serwis.serviceBase), clicked, m_context.clock.now());
        if (d.verdict == AlarmLinkVerdict::Allowed) {
            if (startAlarm(d.alarm))
                openTools(page::Alarm);
            return BrowserNavigation::Refuse;
        }
        if (d.verdict != AlarmLinkVerdict::NotAlarm)
            return BrowserNavigation::Refuse;
        if (trusted(url))
            return BrowserNavigation::Load;
        // Other sites go to the user's browser, and only when clicked: a
        // page cannot send the user anywhere by itself.
        if (clicked && mainFrame)
            openOutside(url);
        return BrowserNavigation::Refuse;
    };
}

BrowserView* MiscService::ensureView(std::unique_ptr<BrowserView>& view, QWidget* holder)
{
    if (view)
        return view.get();
    BrowserFactory* factory = browser ? browser() : nullptr;
    if (!factory)
        return nullptr;
    const bool first = !m_miscView && !m_shoutView;
    view = factory->createView(holder);
    if (!view)
        return nullptr;
    wireView(*view);
    static_cast<BrowserHolder*>(holder)->setView(view->widget());
    if (first)
        browserCreated();
    return view.get();
}

void MiscService::open(std::unique_ptr<BrowserView>& view, QWidget* holder, const QUrl& url)
{
    if (BrowserView* v = ensureView(view, holder)) {
        v->load(url);
        return;
    }
    // Without the embedded browser the page goes to the user's.
    static_cast<BrowserHolder*>(holder)->showNote(QString::fromUtf8(kOutsideNote));
    openOutside(url);
}

void MiscService::showMiscPage(int sign)
{
    const int index = selected();
    const QString base = m_context.settings.serwis.serviceBase;
    if (!InternetAvailable(m_context.prompts, m_context.interfaces, base, true))
        return;
    if (index < 0 || index >= m_entries.size())
        return;
    const QString url = m_context.service.pageUrl(m_entries[index].script, sign);
    if (url.isEmpty())
        return;
    QPushButton* show = m_page->showButton();
    const bool embedded = ensureView(m_miscView, m_page->holder()) != nullptr;
    if (embedded) {
        show->setEnabled(false);
        m_miscView->loadFinished = [show = QPointer<QPushButton>(show)](bool) {
            if (show)
                show->setEnabled(true);
        };
    }
    open(m_miscView, m_page->holder(), QUrl(url));
}

void MiscService::showHoroscope(int number)
{
    const int index = horoscopeEntry(m_entries);
    if (index < 0)
        return;
    select(index);
    showMiscPage(number);
    openTools(page::Misc);
}

QStringList MiscService::menuEntries() const
{
    QStringList names;
    for (const MiscEntry& e : m_entries) {
        if (!m_hidden.contains(e.name))
            names << e.name;
    }
    return names;
}

void MiscService::showMenuEntry(int shownIndex)
{
    int shown = -1;
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_hidden.contains(m_entries[i].name) || ++shown != shownIndex)
            continue;
        select(i);
        showMiscPage(0);
        openTools(page::Misc);
        return;
    }
}

void MiscService::editMenu(QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("MiscMenuDialog"));
    dialog.setWindowTitle(QString::fromUtf8("Różne - Lista"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QString::fromUtf8("Pozycje, które mają być widoczne w menu kontekstowym:"), &dialog));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("MiscMenuList"));
    for (const MiscEntry& e : m_entries) {
        auto* item = new QListWidgetItem(e.name, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_hidden.contains(e.name) ? Qt::Unchecked : Qt::Checked);
    }
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QListWidget::customContextMenuRequested, list, [list](const QPoint& pos) {
        QMenu menu;
        const auto all = [list](Qt::CheckState state) {
            for (int i = 0; i < list->count(); ++i)
                list->item(i)->setCheckState(state);
        };
        menu.addAction(QString::fromUtf8("Zaznacz wszystko"), list, [all] { all(Qt::Checked); });
        menu.addAction(QString::fromUtf8("Odznacz wszystko"), list, [all] { all(Qt::Unchecked); });
        menu.exec(list->viewport()->mapToGlobal(pos));
    });
    layout->addWidget(list, 1);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("MiscMenuOk"));
    connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    // The Tools window stays disabled while the dialog is open (modal).
    dialog.exec();

    m_hidden.clear();
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->checkState() != Qt::Checked)
            m_hidden << list->item(i)->text();
    }
    save();
    menuChanged();
}

void MiscService::save()
{
    if (m_entries.isEmpty())
        return; // a list that did not load says nothing about the menu
    saveLineFile(m_context.paths.path(PathId::RozneMenu), miscMenuLines(m_entries, m_hidden));
}

void MiscService::refreshShoutbox()
{
    const QString url = m_context.service.shoutboxUrl();
    if (!InternetAvailable(m_context.prompts, m_context.interfaces, url, true))
        return;
    if (m_shoutView && !m_shoutView->url().isEmpty() && m_shoutView->url() != QUrl(QStringLiteral("about:blank"))) {
        m_shoutView->reload();
        return;
    }
    open(m_shoutView, m_shoutbox->holder(), QUrl(url));
}

void MiscService::shoutboxHome()
{
    const QString url = m_context.service.shoutboxUrl();
    if (!InternetAvailable(m_context.prompts, m_context.interfaces, url, true))
        return;
    BrowserView* view = ensureView(m_shoutView, m_shoutbox->holder());
    if (!view) {
        open(m_shoutView, m_shoutbox->holder(), QUrl(url));
        return;
    }
    // The empty page first, then the shoutbox once it is there, without
    // waiting on the interface thread.
    m_shoutPending = QUrl(url);
    view->loadFinished = [this](bool) {
        if (m_shoutPending.isEmpty() || !m_shoutView)
            return;
        const QUrl next = m_shoutPending;
        m_shoutPending.clear();
        m_shoutView->load(next);
    };
    view->load(QUrl(QStringLiteral("about:blank")));
}

} // namespace zorvex

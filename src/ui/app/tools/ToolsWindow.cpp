#include "ui/app/tools/ToolsWindow.h"

#include "core/app/PageCodes.h"
#include "core/app/Settings.h"
#include "core/app/TrayIconModel.h"
#include "ui/app/tools/MenuPage.h"
#include "ui/app/tools/PageBar.h"
#include "ui/app/tools/PageIcons.h"
#include "ui/app/tools/PlacementPage.h"
#include "ui/app/tools/TrayPage.h"
#include "ui/app/tools/WindowPage.h"
#include "ui/common/EdgeSnapper.h"
#include "ui/common/QtColour.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zorvex {
namespace {

// Pages that no code opens are named after what they hold.
QString uncodedPageName(const QString& caption)
{
    if (const auto known = uncodedPageOf(caption))
        return zorvex::uncodedPageName(*known);
    QString ascii;
    for (QChar c : caption) {
        if (c.isLetterOrNumber() && c.unicode() < 128)
            ascii += c;
    }
    return QStringLiteral("Page_") + ascii;
}

QWidget* container(QWidget* content, const QString& name)
{
    auto* w = new QWidget;
    w->setObjectName(name);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return w;
}

} // namespace

ToolsWindow::ToolsWindow(Settings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_settings(settings)
    , m_bar(new PageBar(this))
    , m_caption(new QLabel(this))
    , m_stack(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("TUstawienia"));
    setWindowTitle(QString::fromUtf8("Narzędzia"));
    m_stack->setObjectName(QStringLiteral("PageStack"));
    m_caption->setObjectName(QStringLiteral("PageCaption"));
    QFont f = m_caption->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    m_caption->setFont(f);

    // The look first, so every page button is polished once, in it.
    applyLook();
    const ToolsPageNode& root = toolsPageTree();
    for (int i = 0; i < int(root.children.size()); ++i) {
        const ToolsPageNode& top = root.children[i];
        m_bar->addPage(top.name, topPageIcon(i));
        m_stack->addWidget(buildNode(top));
    }

    // Shown while an alarm sound plays, whatever page is open.
    m_stopSound = new QPushButton(QString::fromUtf8("Zatrzymaj dźwięk"), this);
    m_stopSound->setObjectName(QStringLiteral("BtnStopSound"));
    m_stopSound->hide();
    connect(m_stopSound, &QPushButton::clicked, this, &ToolsWindow::stopSoundRequested);

    auto* right = new QVBoxLayout;
    auto* captionRow = new QHBoxLayout;
    captionRow->addWidget(m_caption, 1);
    captionRow->addWidget(m_stopSound);
    right->addLayout(captionRow);
    right->addWidget(m_stack, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addLayout(right, 1);

    connect(m_bar, &PageBar::pageChosen, this, [this](int index) { selectTop(index); });
    connect(m_bar, &PageBar::scrollPositionChanged, this, [this](int value) {
        if (!m_restoring)
            m_settings.main.toolsButtonBarScroll = value;
    });
    for (QTabWidget* tabs : m_tabs) {
        if (tabs)
            connect(tabs, &QTabWidget::currentChanged, this, [this] { storeTabs(); });
    }

    connect(m_placement, &PlacementPage::placementChanged, this, &ToolsWindow::placementChanged);
    connect(m_placement, &PlacementPage::topMostChanged, this, &ToolsWindow::topMostChanged);
    connect(m_windowPage, &WindowPage::layoutChanged, this, &ToolsWindow::layoutChanged);
    connect(m_windowPage, &WindowPage::scrollSpeedChanged, this, &ToolsWindow::scrollSpeedChanged);
    connect(m_windowPage, &WindowPage::scrollingTextChoiceRequested, this,
            &ToolsWindow::scrollingTextChoiceRequested);
    connect(m_windowPage, &WindowPage::gaugeModesChanged, this, &ToolsWindow::gaugeModesChanged);
    connect(m_windowPage, &WindowPage::panelOptionsRequested, this, &ToolsWindow::panelOptionsRequested);
    connect(m_windowPage, &WindowPage::removableDrivesRequested, this, &ToolsWindow::removableDrivesRequested);
    connect(m_windowPage, &WindowPage::monthArrowsChanged, this, &ToolsWindow::monthArrowsChanged);
    connect(m_windowPage, &WindowPage::minimizeOptionsChanged, this, &ToolsWindow::minimizeOptionsChanged);
    connect(m_windowPage, &WindowPage::priorityChanged, this, &ToolsWindow::priorityChanged);
    connect(m_windowPage, &WindowPage::opacityChanged, this, &ToolsWindow::opacityChanged);
    connect(m_trayPage, &TrayPage::trayChanged, this, [this] {
        m_windowPage->setTrayIconPresent(hasTrayIcon(m_settings.main.trayIconKind));
        emit trayChanged();
    });
    connect(m_trayPage, &TrayPage::trayOptionsChanged, this, &ToolsWindow::trayOptionsChanged);
    connect(m_trayPage, &TrayPage::trayHintEditorRequested, this, &ToolsWindow::trayHintEditorRequested);
    connect(m_menuPage, &MenuPage::menuListChanged, this, &ToolsWindow::menuListChanged);
    connect(m_menuPage, &MenuPage::miscMenuEditorRequested, this, &ToolsWindow::miscMenuEditorRequested);

    m_snapper = new EdgeSnapper(this);
    restoreTabs();
}

QWidget* ToolsWindow::buildNode(const ToolsPageNode& node)
{
    if (node.children.empty())
        return buildBody(node);
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("PageControl%1").arg(node.tabControl));
    m_tabs[node.tabControl] = tabs;
    for (const ToolsPageNode& child : node.children)
        tabs->addTab(buildNode(child), child.name);
    return container(tabs, node.code >= 0 ? QStringLiteral("Page_%1").arg(node.code)
                                          : QStringLiteral("PageSheet%1").arg(node.tabControl));
}

QWidget* ToolsWindow::buildBody(const ToolsPageNode& node)
{
    QWidget* page = nullptr;
    switch (node.code) {
    case 1:
        page = m_placement = new PlacementPage(m_settings);
        break;
    case 2:
        page = m_windowPage = new WindowPage(m_settings);
        break;
    case 3:
        page = m_trayPage = new TrayPage(m_settings);
        break;
    case 4:
        page = m_menuPage = new MenuPage(m_settings);
        break;
    default: {
        // Filled by the feature that owns the page.
        page = new QWidget;
        auto* label = new QLabel(node.name, page);
        label->setObjectName(QStringLiteral("PagePlaceholder"));
        label->setAlignment(Qt::AlignCenter);
        label->setEnabled(false);
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(label);
        break;
    }
    }
    page->setObjectName(node.code >= 0 ? QStringLiteral("Page_%1").arg(node.code) : uncodedPageName(node.name));
    return page;
}

void ToolsWindow::setStopSoundVisible(bool visible)
{
    m_stopSound->setVisible(visible);
}

bool ToolsWindow::setPageContent(UncodedPage page, QWidget* content)
{
    return fillPage(zorvex::uncodedPageName(page), content);
}

bool ToolsWindow::setPageContent(int code, QWidget* content)
{
    return fillPage(QStringLiteral("Page_%1").arg(code), content);
}

bool ToolsWindow::fillPage(const QString& pageName, QWidget* content)
{
    auto* page = m_stack->findChild<QWidget*>(pageName);
    // Pages that hold sub-pages are filled through their sub-pages.
    if (!page || !page->layout() || page->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly))
        return false;
    delete page->findChild<QLabel*>(QStringLiteral("PagePlaceholder"), Qt::FindDirectChildrenOnly);
    page->layout()->setContentsMargins(0, 0, 0, 0);
    page->layout()->addWidget(content);
    return true;
}

QTabWidget* ToolsWindow::tabsOf(const ToolsPageNode& node) const
{
    return node.tabControl > 0 ? m_tabs[node.tabControl] : nullptr;
}

int ToolsWindow::currentTopPage() const
{
    return m_stack->currentIndex();
}

void ToolsWindow::selectTop(int index)
{
    if (index < 0 || index >= m_stack->count())
        index = 0;
    m_stack->setCurrentIndex(index);
    m_bar->setCurrent(index);
    m_caption->setText(toolsPageTree().children[index].name);
    storeTabs();
}

void ToolsWindow::storeTabs()
{
    if (m_restoring)
        return;
    TabIndices indices{};
    indices[0] = m_stack->currentIndex();
    for (int i = 1; i < kTabControlCount; ++i)
        indices[i] = m_tabs[i] ? m_tabs[i]->currentIndex() : 0;
    m_settings.main.toolsPageIndexes = formatTabIndices(indices);
}

void ToolsWindow::restoreTabs()
{
    const TabIndices indices = parseTabIndices(m_settings.main.toolsPageIndexes);
    m_restoring = true;
    selectTop(indices[0] < m_stack->count() ? indices[0] : 0);
    for (int i = 1; i < kTabControlCount; ++i) {
        if (QTabWidget* tabs = m_tabs[i])
            tabs->setCurrentIndex(indices[i] < tabs->count() ? indices[i] : 0);
    }
    m_restoring = false;
    storeTabs();
}

bool ToolsWindow::openPage(int code)
{
    const int routed = routedPageCode(code, m_routing ? m_routing() : PageRouting{});
    const auto pc = findPageCode(routed);
    if (!pc)
        return false;
    if (pc->action == PageAction::Command) {
        emit commandRequested(routed);
        return false;
    }
    const auto path = pagePathFor(routed);
    if (!path)
        return false;

    if (!isVisible())
        restoreTabs();
    selectTop(path->top);
    const ToolsPageNode& top = toolsPageTree().children[path->top];
    if (path->sub >= 0) {
        tabsOf(top)->setCurrentIndex(path->sub);
        if (path->leaf >= 0)
            tabsOf(top.children[path->sub])->setCurrentIndex(path->leaf);
    }
    showCentred();
    if (pageBarScrollFor(routed) == PageBarScroll::Top)
        m_bar->scrollToTop();
    else
        m_bar->scrollToBottom();
    return true;
}

void ToolsWindow::open()
{
    const bool opening = !isVisible();
    if (opening)
        restoreTabs();
    showCentred();
    if (opening)
        m_bar->setScrollPosition(m_settings.main.toolsButtonBarScroll);
}

void ToolsWindow::showCentred()
{
    QScreen* screen = m_mainWindow && m_mainWindow->screen() ? m_mainWindow->screen() : this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();

    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    ensurePolished();
    if (layout())
        layout()->activate();
    QSize size = sizeHint().expandedTo(minimumSizeHint());
    if (area.isValid())
        size = size.boundedTo(area.size());
    resize(size);
    if (area.isValid()) {
        // The frame is known once the window has been shown.
        const QSize outer = isVisible() ? frameGeometry().size() : this->size();
        move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
    }
    show();
    raise();
    activateWindow();
}

void ToolsWindow::setMainWindow(QWidget* mainWindow)
{
    m_mainWindow = mainWindow;
    m_snapper->setDockTarget(mainWindow);
}

void ToolsWindow::showMainWindowPosition(const QRect& window, const QRect& screen)
{
    m_placement->setWindowPosition(window, screen);
}

void ToolsWindow::writeToSettings()
{
    storeTabs();
    m_settings.main.toolsButtonBarScroll = m_bar->scrollPosition();
}

void ToolsWindow::reloadFromSettings()
{
    m_placement->load();
    m_windowPage->load();
    m_trayPage->load();
    m_menuPage->load();
    applyLook();
    restoreTabs();
}

void ToolsWindow::applyLook()
{
    const ToolsSettings& t = m_settings.tools;
    m_bar->setListMode(t.pagesAsList);
    m_bar->setLook(t.background, t.textColour, t.buttonShadow);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(t.background));
    // Disabled text keeps the style's grey.
    pal.setColor(QPalette::Active, QPalette::WindowText, toQColor(t.textColour));
    pal.setColor(QPalette::Inactive, QPalette::WindowText, toQColor(t.textColour));
    setPalette(pal);
    setAutoFillBackground(true);
}

void ToolsWindow::closeEvent(QCloseEvent* event)
{
    writeToSettings();
    QWidget::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

} // namespace zorvex

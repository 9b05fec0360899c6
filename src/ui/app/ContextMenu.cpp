#include "ui/app/ContextMenu.h"

#include "core/app/ContextMenuModel.h"
#include "core/app/PageCodes.h"
#include "ui/app/AboutWindow.h"
#include "ui/common/BringToFront.h"

#include <QPainter>
#include <QPixmap>

namespace zorvex {
namespace {

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

// Which user entry an action stands for.
const char kCodeProperty[] = "zorvexPageCode";

// A red dot.
QIcon recordingIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 0, 0));
    p.drawEllipse(QRectF(2, 2, 12, 12));
    p.end();
    return QIcon(pixmap);
}

} // namespace

ContextMenu::ContextMenu(QWidget* parent)
    : SideBarMenu(QStringLiteral("Zorvex"), parent)
{
    setObjectName(QStringLiteral("BarPopupMenu1"));
    m_codes.fill(-1);

    m_clones = addAction(QStringLiteral("Klony"), this, &ContextMenu::clonesRequested);
    m_clones->setObjectName(QStringLiteral("MenuKlony"));
    m_clonesSeparator = addSeparator();

    QMenu* icons = new QMenu(QStringLiteral("Ikony pulpitu"), this);
    icons->setObjectName(QStringLiteral("MenuIkonyPulpitu"));
    icons->addAction(QStringLiteral("Zapisz pozycje ikon"), this, &ContextMenu::saveIconPositionsRequested);
    icons->addAction(u("Przywróć pozycje ikon"), this, &ContextMenu::restoreIconPositionsRequested);
    m_desktopIcons = addMenu(icons);
    m_desktopIconsSeparator = addSeparator();

    m_tools = addAction(u("Narzędzia"), this, &ContextMenu::toolsRequested);
    m_tools->setObjectName(QStringLiteral("MenuNarzedzia"));
    setDefaultAction(m_tools);

    m_userEnd = addSeparator();
    m_about = addAction(QStringLiteral("O programie"), this, &ContextMenu::showAbout);
    m_about->setObjectName(QStringLiteral("MenuOProgramie"));
    addSeparator();
    m_quit = addAction(QStringLiteral("Zamknij"), this, &ContextMenu::quitRequested);
    m_quit->setObjectName(QStringLiteral("MenuZamknij"));

    connect(this, &QMenu::aboutToShow, this, &ContextMenu::refreshDynamicSubmenus);
}

ContextMenu::~ContextMenu()
{
    delete m_aboutWindow;
}

void ContextMenu::applySettings(const MainWindowSettings& s)
{
    setStaticItemsVisible(s.menuDiscImages, s.menuDesktopIcons);
    if (s.menuEntries != m_codes)
        setUserEntries(s.menuEntries);
}

void ContextMenu::setStaticItemsVisible(bool clones, bool desktopIcons)
{
    m_clones->setVisible(clones);
    m_clonesSeparator->setVisible(clones);
    m_desktopIcons->setVisible(desktopIcons);
    m_desktopIconsSeparator->setVisible(desktopIcons);
}

void ContextMenu::clearUserEntries()
{
    for (QAction* a : m_userActions) {
        removeAction(a);
        QMenu* sub = a->menu<QMenu*>();
        if (sub && sub->menuAction() == a) {
            delete sub; // takes its own action along
            continue;
        }
        if (sub) {
            a->setMenu(static_cast<QMenu*>(nullptr));
            delete sub;
        }
        delete a;
    }
    m_userActions.clear();
}

void ContextMenu::setUserEntries(const std::array<int, kMenuEntries>& m)
{
    m_codes = m;
    clearUserEntries();
    for (const MenuEntry& e : userMenuEntries(m))
        m_userActions.push_back(addUserEntry(e.code, e.label, e.submenu));
    refreshDynamicSubmenus();
}

QAction* ContextMenu::addUserEntry(int code, const QString& label, EntrySubmenu kind)
{
    const QIcon icon = m_icons ? m_icons(code) : QIcon();
    if (kind == EntrySubmenu::Player || kind == EntrySubmenu::Radio) {
        auto* sub = new QMenu(label, this);
        sub->setIcon(icon);
        const bool player = kind == EntrySubmenu::Player;
        const QStringList items = player ? playerSubmenuLabels() : radioSubmenuLabels();
        for (int i = 0; i < items.size(); ++i) {
            QAction* item = sub->addAction(items.at(i), this, [this, player, i] {
                if (player)
                    emit playerCommandChosen(i);
                else
                    emit radioCommandChosen(i);
            });
            if (!player && i == int(RadioCommand::Record)) {
                item->setObjectName(QStringLiteral("MenuNagrywaj"));
                item->setIcon(m_radioRecording ? recordingIcon() : QIcon());
            }
        }
        QAction* a = sub->menuAction();
        a->setProperty(kCodeProperty, code);
        insertAction(m_userEnd, a);
        return a;
    }
    auto* a = new QAction(icon, label, this);
    a->setProperty(kCodeProperty, code);
    connect(a, &QAction::triggered, this, [this, code] { emit pageCodeChosen(code); });
    insertAction(m_userEnd, a);
    return a;
}

void ContextMenu::setRadioRecording(bool on)
{
    m_radioRecording = on;
    for (QAction* item : findChildren<QAction*>(QStringLiteral("MenuNagrywaj")))
        item->setIcon(on ? recordingIcon() : QIcon());
}

void ContextMenu::fillListSubmenu(QAction* entry, const QStringList& items, bool favourites)
{
    QMenu* sub = entry->menu<QMenu*>();
    if (items.isEmpty() && favourites) {
        // Without favourites the entry opens the favourites page.
        if (sub) {
            entry->setMenu(static_cast<QMenu*>(nullptr));
            sub->deleteLater();
        }
        return;
    }
    if (!sub) {
        sub = new QMenu(entry->text(), this);
        entry->setMenu(sub);
    }
    sub->clear();
    if (items.isEmpty()) {
        sub->addAction(QStringLiteral("(brak pozycji)"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < items.size(); ++i) {
        sub->addAction(items.at(i), this, [this, favourites, i] {
            if (favourites)
                emit favouriteStationChosen(i);
            else
                emit miscListEntryChosen(i);
        });
    }
}

void ContextMenu::refreshDynamicSubmenus()
{
    for (QAction* a : m_userActions) {
        const int code = a->property(kCodeProperty).toInt();
        if (code == page::RadioFavourites)
            fillListSubmenu(a, m_favourites ? m_favourites() : QStringList(), true);
        else if (code == page::MiscList)
            fillListSubmenu(a, m_miscList ? m_miscList() : QStringList(), false);
    }
}

void ContextMenu::setPageIconProvider(IconProvider provider)
{
    m_icons = std::move(provider);
    for (QAction* a : m_userActions)
        a->setIcon(m_icons ? m_icons(a->property(kCodeProperty).toInt()) : QIcon());
}

void ContextMenu::showAbout()
{
    if (!m_aboutWindow)
        m_aboutWindow = new AboutWindow();
    bringToFront(m_aboutWindow);
}

} // namespace zorvex

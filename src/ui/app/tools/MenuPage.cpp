#include "ui/app/tools/MenuPage.h"

#include "core/app/PageCodes.h"
#include "core/app/Settings.h"
#include "ui/app/tools/OrderList.h"
#include "ui/app/tools/PageIcons.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvex {
namespace {

constexpr int kCodeRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;

QString u(const char* text)
{
    return QString::fromUtf8(text);
}

// The chosen entry is painted on a warm yellow instead of the style's
// highlight, whatever the desktop theme.
class MenuListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        if (opt.state & QStyle::State_Selected) {
            painter->fillRect(opt.rect, MenuPage::selectionColour());
            opt.state &= ~QStyle::State_Selected;
            opt.palette.setColor(QPalette::Text, Qt::black);
        }
        QStyledItemDelegate::paint(painter, opt, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(std::max(s.height(), 20));
        return s;
    }
};

QTreeWidgetItem* childByPath(QTreeWidgetItem* parent, const QString& name)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->data(0, kPathRole).toString() == name)
            return parent->child(i);
    }
    auto* item = new QTreeWidgetItem(parent, {name});
    item->setData(0, kPathRole, name);
    item->setData(0, kCodeRole, -1);
    return item;
}

void setCode(QTreeWidgetItem* item, const PageCode& pc)
{
    item->setText(0, pc.label);
    item->setData(0, kCodeRole, pc.code);
    item->setIcon(0, pageCodeIcon(pc.code));
}

} // namespace

QColor MenuPage::selectionColour()
{
    return QColor(255, 223, 138);
}

MenuPage::MenuPage(Settings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    auto* group = new QGroupBox(QStringLiteral("Pozycje w menu kontekstowym"), this);
    group->setObjectName(QStringLiteral("GroupContextMenu"));
    m_tree = new QTreeWidget(group);
    m_tree->setObjectName(QStringLiteral("TreePage"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize(QSize(16, 16));
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->setMinimumSize(200, 240);
    m_tree->installEventFilter(this);
    m_list = new QListWidget(group);
    m_list->setObjectName(QStringLiteral("ListMenu"));
    m_list->setIconSize(QSize(16, 16));
    m_list->setItemDelegate(new MenuListDelegate(m_list));
    m_list->setMinimumSize(200, 240);
    m_add = new QPushButton(u("Dodaj zakładkę do menu"), group);
    m_add->setObjectName(QStringLiteral("ButtonAddToMenu"));
    m_remove = new QPushButton(u("Usuń z menu"), group);
    m_remove->setObjectName(QStringLiteral("ButtonRemoveFromMenu"));
    m_up = new QToolButton(group);
    m_up->setObjectName(QStringLiteral("ButtonMenuUp"));
    m_up->setArrowType(Qt::UpArrow);
    m_up->setToolTip(u("W górę"));
    m_down = new QToolButton(group);
    m_down->setObjectName(QStringLiteral("ButtonMenuDown"));
    m_down->setArrowType(Qt::DownArrow);
    m_down->setToolTip(u("W dół"));

    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(m_up);
    moves->addWidget(m_down);
    moves->addStretch(1);
    auto* grid = new QGridLayout(group);
    grid->addWidget(m_tree, 0, 0);
    grid->addWidget(m_list, 0, 1);
    grid->addLayout(moves, 0, 2);
    grid->addWidget(m_add, 1, 0);
    grid->addWidget(m_remove, 1, 1);

    m_clones = new QCheckBox(QStringLiteral("Klony"), this);
    m_clones->setObjectName(QStringLiteral("CheckMenuClones"));
    m_desktopIcons = new QCheckBox(QStringLiteral("Ikony pulpitu"), this);
    m_desktopIcons->setObjectName(QStringLiteral("CheckMenuDesktopIcons"));
    auto* edit = new QPushButton(QStringLiteral("Edytuj"), this);
    edit->setObjectName(QStringLiteral("ButtonMiscMenuEdit"));
    const auto misc = findPageCode(page::MiscList);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_clones);
    bottom->addWidget(m_desktopIcons);
    bottom->addStretch(1);
    bottom->addWidget(new QLabel(misc ? misc->label + QLatin1Char(':') : QString(), this));
    bottom->addWidget(edit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(bottom);

    buildTree();

    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] { updateAddEnabled(); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { addSelected(); });
    connect(m_add, &QPushButton::clicked, this, &MenuPage::addSelected);
    connect(m_remove, &QPushButton::clicked, this, &MenuPage::removeSelected);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { removeSelected(); });
    connect(m_up, &QToolButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QToolButton::clicked, this, [this] { moveSelected(1); });
    connect(m_clones, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.main.menuDiscImages = on;
        emit menuListChanged();
    });
    connect(m_desktopIcons, &QCheckBox::toggled, this, [this](bool on) {
        if (m_loading)
            return;
        m_settings.main.menuDesktopIcons = on;
        emit menuListChanged();
    });
    connect(edit, &QPushButton::clicked, this, &MenuPage::miscMenuEditorRequested);
    load();
}

void MenuPage::buildTree()
{
    // Top pages in page-bar order; every code sits at the end of its page
    // path, and commands and submenus hang below the page they belong to.
    std::vector<QTreeWidgetItem*> tops;
    const auto& topNames = toolsTopPages();
    for (int i = 0; i < int(topNames.size()); ++i) {
        auto* item = new QTreeWidgetItem(m_tree, {topNames[i]});
        item->setData(0, kPathRole, topNames[i]);
        item->setData(0, kCodeRole, -1);
        item->setIcon(0, topPageIcon(i));
        tops.push_back(item);
    }
    for (const PageCode& pc : pageCodes()) {
        const auto it = std::find(topNames.begin(), topNames.end(), pc.top);
        if (it == topNames.end())
            continue;
        QTreeWidgetItem* node = tops[it - topNames.begin()];
        if (!pc.sub.isEmpty())
            node = childByPath(node, pc.sub);
        if (pc.action == PageAction::OpenPage) {
            if (!pc.leaf.isEmpty())
                node = childByPath(node, pc.leaf);
        } else {
            node = new QTreeWidgetItem(node);
        }
        setCode(node, pc);
    }
    // Path nodes without a code of their own borrow their top page's picture.
    for (int i = 0; i < int(tops.size()); ++i) {
        std::vector<QTreeWidgetItem*> pending{tops[i]};
        while (!pending.empty()) {
            QTreeWidgetItem* n = pending.back();
            pending.pop_back();
            if (n->icon(0).isNull())
                n->setIcon(0, topPageIcon(i));
            for (int c = 0; c < n->childCount(); ++c)
                pending.push_back(n->child(c));
        }
    }
    m_tree->expandAll();
}

void MenuPage::load()
{
    m_loading = true;
    m_list->clear();
    // Codes that name no menu entry cannot be shown or run: they are left
    // out and vanish at the next save.
    for (int code : m_settings.main.menuEntries) {
        if (code >= 0 && findPageCode(code))
            addEntry(code);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    m_remove->setEnabled(m_list->count() > 0);
    m_clones->setChecked(m_settings.main.menuDiscImages);
    m_desktopIcons->setChecked(m_settings.main.menuDesktopIcons);
    updateAddEnabled();
    m_loading = false;
}

void MenuPage::addEntry(int code)
{
    const auto pc = findPageCode(code);
    auto* item = new QListWidgetItem(pageCodeIcon(code), pc->label, m_list);
    item->setData(kCodeRole, code);
}

std::vector<int> MenuPage::menuCodes() const
{
    std::vector<int> codes;
    for (int i = 0; i < m_list->count(); ++i)
        codes.push_back(m_list->item(i)->data(kCodeRole).toInt());
    return codes;
}

bool MenuPage::listHas(int code) const
{
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->data(kCodeRole).toInt() == code)
            return true;
    }
    return false;
}

void MenuPage::updateAddEnabled()
{
    const QTreeWidgetItem* item = m_tree->currentItem();
    const int code = item ? item->data(0, kCodeRole).toInt() : -1;
    // The menu keeps at most kMenuEntries entries (M1..M43); one more would
    // be lost at the next save.
    m_add->setEnabled(code >= 0 && !listHas(code) && m_list->count() < kMenuEntries);
}

void MenuPage::addSelected()
{
    if (!m_add->isEnabled())
        return;
    addEntry(m_tree->currentItem()->data(0, kCodeRole).toInt());
    m_list->setCurrentRow(m_list->count() - 1);
    m_remove->setEnabled(true);
    updateAddEnabled();
    commit();
}

void MenuPage::removeSelected()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    delete m_list->takeItem(row);
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::min(row, m_list->count() - 1));
    m_remove->setEnabled(m_list->count() > 0);
    updateAddEnabled();
    commit();
}

void MenuPage::moveSelected(int step)
{
    if (moveCurrentRow(m_list, step))
        commit();
}

void MenuPage::commit()
{
    const std::vector<int> codes = menuCodes();
    for (int i = 0; i < kMenuEntries; ++i)
        m_settings.main.menuEntries[i] = i < int(codes.size()) ? codes[i] : -1;
    emit menuListChanged();
}

bool MenuPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorvex

#include "ui/app/tools/OrderList.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvex {

bool moveCurrentRow(QListWidget* list, int step)
{
    const int row = list->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list->count())
        return false;
    QListWidgetItem* item = list->takeItem(row);
    list->insertItem(target, item);
    list->setCurrentRow(target);
    return true;
}

OrderList::OrderList(const QString& listName, const QString& upName, const QString& downName, QWidget* parent)
    : QWidget(parent)
    , m_list(new QListWidget(this))
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
{
    m_list->setObjectName(listName);
    m_up->setObjectName(upName);
    m_down->setObjectName(downName);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setToolTip(QStringLiteral("W górę"));
    m_down->setToolTip(QStringLiteral("W dół"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    const int rowHeight = m_list->fontMetrics().height() + 4;
    m_list->setFixedHeight(rowHeight * 3 + 2 * m_list->frameWidth() + 2);
    m_list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(m_up);
    buttons->addWidget(m_down);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_up, &QToolButton::clicked, this, [this] { move(-1); });
    connect(m_down, &QToolButton::clicked, this, [this] { move(1); });
}

void OrderList::setEntries(const std::vector<std::pair<QString, int>>& entries)
{
    const int row = m_list->currentRow();
    m_list->clear();
    for (const auto& [caption, value] : entries) {
        auto* item = new QListWidgetItem(caption, m_list);
        item->setData(Qt::UserRole, value);
    }
    m_list->setCurrentRow(row >= 0 && row < m_list->count() ? row : 0);
}

std::vector<int> OrderList::values() const
{
    std::vector<int> v;
    for (int i = 0; i < m_list->count(); ++i)
        v.push_back(m_list->item(i)->data(Qt::UserRole).toInt());
    return v;
}

void OrderList::move(int step)
{
    if (moveCurrentRow(m_list, step))
        emit orderChanged();
}

} // namespace zorvex

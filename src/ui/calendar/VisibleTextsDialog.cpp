#include "ui/calendar/VisibleTextsDialog.h"

#include "ui/common/BringToFront.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

VisibleTextsDialog::VisibleTextsDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_list(new QListWidget(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("Form29"));
    setWindowTitle(QStringLiteral("Panel tekstowy"));
    m_list->setObjectName(QStringLiteral("ListTxt"));
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setDefault(true);
    for (int i = 0; i < VisibleTexts::kItems; ++i) {
        auto* item = new QListWidgetItem(VisibleTexts::itemLabel(VisibleTexts::Item(i)), m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    auto* heading = new QLabel(QStringLiteral("Widoczne teksty:"), this);
    heading->setBuddy(m_list);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_list);
    layout->addWidget(m_ok, 0, Qt::AlignRight);
    m_list->setMinimumHeight(m_list->sizeHintForRow(0) * VisibleTexts::kItems + 2 * m_list->frameWidth() + 4);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, &VisibleTextsDialog::finish);
}

void VisibleTextsDialog::openFor(const VisibleTexts& current, QWidget* blocked)
{
    for (int i = 0; i < VisibleTexts::kItems; ++i)
        m_list->item(i)->setCheckState(current.checked(VisibleTexts::Item(i)) ? Qt::Checked : Qt::Unchecked);
    m_blocked = blocked;
    if (m_blocked)
        m_blocked->setEnabled(false);
    bringToFront(this);
}

VisibleTexts VisibleTextsDialog::choice() const
{
    QList<bool> flags;
    for (int i = 0; i < VisibleTexts::kItems; ++i)
        flags << (m_list->item(i)->checkState() == Qt::Checked);
    return VisibleTexts::fromFlags(flags);
}

void VisibleTextsDialog::finish()
{
    if (m_blocked)
        m_blocked->setEnabled(true);
    m_blocked = nullptr;
    emit chosen(choice());
}

} // namespace zorvex

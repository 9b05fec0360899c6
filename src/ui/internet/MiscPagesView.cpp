#include "ui/internet/MiscPagesView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

BrowserHolder::BrowserHolder(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QVBoxLayout(this))
    , m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("BrowserHolder"));
    m_note->setObjectName(QStringLiteral("BrowserNote"));
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setWordWrap(true);
    m_note->setTextFormat(Qt::PlainText);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_note);
    setMinimumSize(200, 150);
}

void BrowserHolder::setView(QWidget* view)
{
    if (view->parentWidget() != this)
        view->setParent(this);
    m_layout->addWidget(view, 1);
    m_note->hide();
    view->show();
}

void BrowserHolder::showNote(const QString& text)
{
    m_note->setText(text);
    m_note->show();
}

MiscPage::MiscPage(QWidget* parent)
    : QWidget(parent)
    , m_entries(new QComboBox(this))
    , m_show(new QPushButton(QString::fromUtf8("Pokaż"), this))
    , m_holder(new BrowserHolder(this))
{
    setObjectName(QStringLiteral("MiscPage"));
    m_entries->setObjectName(QStringLiteral("ComboBox24"));
    m_show->setObjectName(QStringLiteral("ShowMiscPageButton"));
    auto* top = new QHBoxLayout;
    top->addWidget(m_entries, 1);
    top->addWidget(m_show);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_holder, 1);
}

ShoutboxPage::ShoutboxPage(QWidget* parent)
    : QWidget(parent)
    , m_refresh(new QPushButton(QString::fromUtf8("Odśwież"), this))
    , m_home(new QPushButton(QString::fromUtf8("Strona główna shoutbox'a"), this))
    , m_holder(new BrowserHolder(this))
{
    setObjectName(QStringLiteral("ShoutboxPage"));
    m_refresh->setObjectName(QStringLiteral("ShoutboxRefreshButton"));
    m_home->setObjectName(QStringLiteral("ShoutboxHomeButton"));
    auto* top = new QHBoxLayout;
    top->addWidget(m_refresh);
    top->addWidget(m_home);
    top->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_holder, 1);
}

} // namespace zorvex

#include "ui/calendar/NameDaysPage.h"

#include "core/calendar/NameSearch.h"
#include "core/common/PathTable.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {
namespace {

constexpr int kMaxSearchLength = 255;
// The selected result's background, RGB(255, 223, 138).
const QColor kSelection(255, 223, 138);

} // namespace

NameDaysPage::NameDaysPage(const PathTable& paths, QWidget* parent)
    : NameDaysPage(paths.path(PathId::Imieniny), parent)
{
}

NameDaysPage::NameDaysPage(QString namesPath, QWidget* parent)
    : QWidget(parent)
    , m_namesPath(std::move(namesPath))
{
    build();
}

void NameDaysPage::build()
{
    setObjectName(QStringLiteral("NameDaysPage"));
    auto* group = new QGroupBox(QStringLiteral("Imieniny do szukania"), this);
    m_text = new QLineEdit(group);
    m_text->setObjectName(QStringLiteral("Edit5"));
    m_text->setMaxLength(kMaxSearchLength);
    m_text->setToolTip(QString::fromUtf8("Wpisuj imię w dopełniaczu, np. Marcina"));
    m_search = new QPushButton(QString::fromUtf8("Szukaj imię..."), group);
    m_search->setObjectName(QStringLiteral("BitBtn14"));
    m_search->setEnabled(false);
    m_results = new QListWidget(group);
    m_results->setObjectName(QStringLiteral("ListBox5"));
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setTextElideMode(Qt::ElideRight);
    QPalette p = m_results->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Highlight, kSelection);
        p.setColor(g, QPalette::HighlightedText, Qt::black);
    }
    m_results->setPalette(p);
    m_selected = new QLineEdit(group);
    m_selected->setObjectName(QStringLiteral("Edit41"));
    m_selected->setReadOnly(true);

    auto* row = new QHBoxLayout;
    row->addWidget(m_text, 1);
    row->addWidget(m_search);
    auto* inner = new QVBoxLayout(group);
    inner->addLayout(row);
    inner->addWidget(m_results, 1);
    inner->addWidget(m_selected);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group);

    connect(m_text, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_search->setEnabled(!text.isEmpty()); });
    connect(m_text, &QLineEdit::returnPressed, this, [this] {
        if (m_search->isEnabled())
            search();
    });
    connect(m_search, &QPushButton::clicked, this, &NameDaysPage::search);
    connect(m_results, &QListWidget::currentRowChanged, this, &NameDaysPage::showSelected);
}

void NameDaysPage::search()
{
    m_results->clear();
    const QList<NameSearchHit> hits = searchNames(m_namesPath, m_text->text());
    for (const NameSearchHit& hit : hits)
        new QListWidgetItem(hit.line(), m_results);
    updateHints();
    if (m_results->count() > 0)
        m_results->setCurrentRow(0);
    showSelected();
}

void NameDaysPage::updateHints()
{
    // A line cut off by the list's width shows itself whole as a hint.
    const QFontMetrics fm = m_results->fontMetrics();
    const int room = m_results->viewport()->width() - 2 * m_results->spacing() - 6;
    for (int i = 0; i < m_results->count(); ++i) {
        QListWidgetItem* item = m_results->item(i);
        item->setToolTip(fm.horizontalAdvance(item->text()) > room ? item->text() : QString());
    }
}

void NameDaysPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateHints();
}

void NameDaysPage::showSelected()
{
    const QListWidgetItem* item = m_results->currentItem();
    m_selected->setText(item ? item->text() : QString());
}

} // namespace zorvex

#include "ui/media/SearchWindow.h"

#include "core/media/Playlist.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

SearchWindow::SearchWindow(const Playlist& list, QWidget* parent)
    : QDialog(parent)
    , m_list(list)
{
    setObjectName(QStringLiteral("TForm24"));
    setWindowTitle(QString::fromUtf8("Szukaj w playliście"));
    auto* layout = new QVBoxLayout(this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Edit1"));
    m_text->installEventFilter(this);
    m_results = new QListWidget(this);
    m_results->setObjectName(QStringLiteral("ListBox1"));
    layout->addWidget(m_text);
    layout->addWidget(m_results, 1);
    auto* buttons = new QHBoxLayout;
    m_play = new QPushButton(QString::fromUtf8("Odtwórz"), this);
    m_goTo = new QPushButton(QString::fromUtf8("Przejdź"), this);
    buttons->addStretch();
    buttons->addWidget(m_play);
    buttons->addWidget(m_goTo);
    layout->addLayout(buttons);
    connect(m_text, &QLineEdit::textChanged, this, &SearchWindow::refill);
    connect(m_results, &QListWidget::currentRowChanged, this, [this](int row) {
        m_play->setEnabled(row >= 0);
        m_goTo->setEnabled(row >= 0);
    });
    const auto act = [this](bool play) {
        const int index = chosen();
        if (index < 0)
            return;
        hide();
        emit(play ? playRequested(index) : goToRequested(index));
    };
    connect(m_play, &QPushButton::clicked, this, [act] { act(true); });
    connect(m_goTo, &QPushButton::clicked, this, [act] { act(false); });
    connect(m_results, &QListWidget::itemDoubleClicked, this, [act] { act(true); });
    refill();
}

void SearchWindow::start()
{
    refill();
    show();
    raise();
    m_text->setFocus();
    m_text->selectAll();
}

void SearchWindow::refill()
{
    m_found = searchPlaylist(m_list, m_text->text());
    m_results->clear();
    for (const int i : std::as_const(m_found))
        m_results->addItem(QStringLiteral("%1. ").arg(i + 1) + m_list.at(i).name);
    m_results->setCurrentRow(m_found.isEmpty() ? -1 : 0);
    m_play->setEnabled(!m_found.isEmpty());
    m_goTo->setEnabled(!m_found.isEmpty());
}

int SearchWindow::chosen() const
{
    const int row = m_results->currentRow();
    return row >= 0 && row < m_found.size() ? m_found[row] : -1;
}

bool SearchWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_text && e->type() == QEvent::KeyPress) {
        const int n = m_results->count();
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (n > 0 && (key == Qt::Key_Down || key == Qt::Key_Up)) {
            const int row = m_results->currentRow();
            m_results->setCurrentRow(key == Qt::Key_Down ? (row + 1) % n : (row - 1 + n) % n);
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_play->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

} // namespace zorvex

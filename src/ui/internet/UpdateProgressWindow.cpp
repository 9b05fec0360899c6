#include "ui/internet/UpdateProgressWindow.h"

#include "core/internet/ProgramUpdate.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

UpdateProgressWindow::UpdateProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_bar(new QProgressBar(this))
    , m_bytes(new QLabel(this))
{
    setObjectName(QStringLiteral("UpdateProgressWindow"));
    setWindowTitle(QStringLiteral("Aktualizowanie programu"));
    m_bar->setObjectName(QStringLiteral("ProgressBar"));
    m_bar->setTextVisible(false);
    m_bytes->setObjectName(QStringLiteral("Bytes"));
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_bytes, 1);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Pobieranie plików..."), this));
    layout->addWidget(m_bar);
    layout->addLayout(bottom);
    setMinimumWidth(360);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

void UpdateProgressWindow::showProgress(qint64 done, qint64 total)
{
    // The bar counts in kilobytes so that sizes beyond 2 GB still fit.
    const qint64 scale = total > (qint64(1) << 30) ? 1024 : 1;
    m_bar->setMaximum(int(std::max<qint64>(total / scale, 1)));
    m_bar->setValue(int(std::min(done, total) / scale));
    m_bytes->setText(updateProgressLabel(done, total));
    setWindowTitle(updateProgressCaption(std::min(done, total), total));
}

void UpdateProgressWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (isVisible()) {
        hide();
        emit cancelled();
    }
}

} // namespace zorvex

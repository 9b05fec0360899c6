#include "ui/common/BlockedWindow.h"

#include "ui/common/BringToFront.h"

#include <QDialog>

#include <memory>

namespace zorvex {

void BlockedWindow::block(QWidget* dialog, QWidget* window)
{
    m_window = window;
    if (!m_window)
        return;
    m_window->setEnabled(false);
    dialog->adjustSize();
    QRect frame = dialog->frameGeometry();
    frame.moveCenter(m_window->frameGeometry().center());
    dialog->move(frame.topLeft());
}

void BlockedWindow::release()
{
    if (m_window)
        m_window->setEnabled(true);
    m_window = nullptr;
}

void openBlockingDialog(QDialog* dialog, QWidget* window, std::function<void()> accepted)
{
    auto blocked = std::make_shared<BlockedWindow>();
    blocked->block(dialog, window);
    QObject::connect(dialog, &QDialog::finished, dialog, [dialog, blocked, accepted = std::move(accepted)](int result) {
        blocked->release();
        if (result == QDialog::Accepted && accepted)
            accepted();
        dialog->deleteLater();
    });
    dialog->show();
    bringToFront(dialog);
}

} // namespace zorvex

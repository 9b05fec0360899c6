#include "ui/common/BlockedWindow.h"

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

} // namespace zorvex

#include "ui/app/TaskbarEntry.h"

#include <QCloseEvent>

namespace zorvex {
namespace {

// Window systems that cannot start a window minimized show and activate it
// first; an activation this soon is that, not the user.
constexpr int kActivationGraceMs = 500;

} // namespace

TaskbarEntry::TaskbarEntry(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("taskbarEntry"));
    setWindowTitle(QStringLiteral("Zorvex"));
    resize(160, 1);
}

void TaskbarEntry::showMinimizedEntry(const QIcon& icon)
{
    setWindowIcon(icon);
    m_shownAt.start();
    showMinimized();
}

void TaskbarEntry::withdraw()
{
    m_shownAt.invalidate();
    hide();
}

void TaskbarEntry::restore()
{
    if (!m_shownAt.isValid())
        return;
    withdraw();
    emit restoreRequested();
}

bool TaskbarEntry::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && m_shownAt.isValid() && m_shownAt.elapsed() >= kActivationGraceMs)
        restore();
    return QWidget::event(e);
}

void TaskbarEntry::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && isVisible() && !isMinimized())
        restore();
}

void TaskbarEntry::closeEvent(QCloseEvent* e)
{
    // Closing the entry is not closing the program: the window comes back.
    e->ignore();
    restore();
}

} // namespace zorvex

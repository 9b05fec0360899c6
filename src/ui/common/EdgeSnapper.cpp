#include "ui/common/EdgeSnapper.h"

#include "core/app/WindowSnap.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zorvex {

namespace {
constexpr int kRestMs = 150;
}

EdgeSnapper::EdgeSnapper(QWidget* window)
    : QObject(window)
    , m_window(window)
    , m_enabled(supported())
{
    m_rest.setSingleShot(true);
    m_rest.setInterval(kRestMs);
    connect(&m_rest, &QTimer::timeout, this, &EdgeSnapper::settle);
    if (m_enabled)
        window->installEventFilter(this);
}

bool EdgeSnapper::supported()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool EdgeSnapper::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Show:
            m_settled = m_window->frameGeometry();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_window->isVisible())
                m_rest.start();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void EdgeSnapper::settle()
{
    m_rest.stop();
    if (!m_enabled || !m_window || !m_window->isVisible())
        return;
    QWidget* w = m_window;
    const QRect frame = w->frameGeometry();
    if (w->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) {
        m_settled = frame;
        return;
    }
    if (frame == m_settled)
        return;

    const QRect inner = w->geometry();
    const QSize margins = frame.size() - inner.size();
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    SnapInput in;
    in.proposed = frame;
    in.old = m_settled;
    in.minimum = w->minimumSize().expandedTo(w->minimumSizeHint()) + margins;
    if (screen) {
        in.workArea = screen->availableGeometry();
        in.screen = screen->geometry();
    }
    if (m_dock && m_dock != w && m_dock->isVisible() && !m_dock->isMinimized())
        in.mainWindow = m_dock->frameGeometry();

    const QRect snapped = snapWindow(in);
    m_settled = snapped;
    if (snapped == frame)
        return;
    const QPoint offset = inner.topLeft() - frame.topLeft();
    if (snapped.size() == frame.size())
        w->move(snapped.topLeft());
    else
        w->setGeometry(QRect(snapped.topLeft() + offset, snapped.size() - margins));
}

} // namespace zorvex

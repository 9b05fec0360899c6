#include "ui/common/HintWindow.h"

#include "ui/common/Fonts.h"

#include <QApplication>
#include <QHelpEvent>
#include <QScreen>

namespace zorvex {
namespace {

constexpr int kMargin = 3;
// Below the pointer, clear of an arrow cursor.
constexpr int kBelowPointer = 20;

HintController* g_controller = nullptr;

} // namespace

HintWindow::HintWindow()
    : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("HintWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setFont(tahoma(8, true));
    setMargin(kMargin);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 255, 225));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
}

void HintWindow::fitText(const QString& text)
{
    setText(text);
    const int chrome = 2 * (kMargin + lineWidth());
    const QRect r = fontMetrics().boundingRect(QRect(0, 0, kHintMaxWidth - chrome, 100000),
                                               Qt::TextWordWrap | Qt::AlignLeft, text);
    resize(qMin(kHintMaxWidth, r.width() + chrome), r.height() + chrome);
}

void HintWindow::showHint(const QString& text, const QPoint& globalPos)
{
    fitText(text);
    QPoint at(globalPos.x(), globalPos.y() + kBelowPointer);
    if (const QScreen* s = QGuiApplication::screenAt(globalPos)) {
        const QRect area = s->geometry();
        if (at.x() + width() > area.right() + 1)
            at.setX(area.right() + 1 - width());
        if (at.y() + height() > area.bottom() + 1)
            at.setY(globalPos.y() - height() - 2);
        at.setX(qMax(area.left(), at.x()));
        at.setY(qMax(area.top(), at.y()));
    }
    move(at);
    show();
    raise();
}

void HintWindow::updateText(const QString& text)
{
    fitText(text);
}

HintController::HintController() = default;

HintController* HintController::install()
{
    if (!g_controller) {
        // Kept until the process ends: the hint is wanted to the last moment,
        // and deleting a widget after the application object is unsafe.
        g_controller = new HintController();
        qApp->installEventFilter(g_controller);
    }
    return g_controller;
}

HintController* HintController::instance()
{
    return g_controller;
}

void HintController::cancel()
{
    m_owner = nullptr;
    m_window.hide();
}

bool HintController::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip: {
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w)
            break;
        auto* help = static_cast<QHelpEvent*>(event);
        if (w->property("zorvexHintCard").toBool()) {
            cancel();
            emit cardRequested(w, help->globalPos());
            return true;
        }
        const QString text = w->toolTip();
        if (text.isEmpty()) {
            // Item views and menus show their own item hints.
            if (m_owner)
                cancel();
            break;
        }
        if (m_owner == w && m_window.isVisible()) {
            if (m_window.text() != text)
                m_window.updateText(text);
            return true;
        }
        m_owner = w;
        m_window.showHint(text, help->globalPos());
        return true;
    }
    case QEvent::ToolTipChange:
        if (m_owner && watched == m_owner) {
            const QString text = m_owner->toolTip();
            if (text.isEmpty())
                cancel();
            else if (m_window.text() != text)
                m_window.updateText(text);
        }
        break;
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::Destroy:
        if (m_owner && watched == m_owner)
            cancel();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        if (m_owner)
            cancel();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorvex

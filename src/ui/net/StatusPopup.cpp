#include "ui/net/StatusPopup.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace zorvex {

StatusPopup::StatusPopup(const QString& objectName, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_ShowWithoutActivating);
    new QVBoxLayout(this);
    layout()->setContentsMargins(4, 4, 4, 4);
    layout()->setSpacing(2);
}

void StatusPopup::setColours(const QColor& background, const QColor& text)
{
    m_background = background;
    m_text = text;
}

void StatusPopup::showRows(const QList<QPair<QString, QString>>& rows)
{
    while (QLayoutItem* item = layout()->takeAt(0)) {
        if (QLayout* l = item->layout()) {
            while (QLayoutItem* inner = l->takeAt(0)) {
                delete inner->widget();
                delete inner;
            }
        }
        delete item->widget();
        delete item;
    }
    m_texts.clear();
    if (calendarColours) {
        const auto [background, text] = calendarColours();
        setColours(background, text);
    }
    QPalette p = palette();
    p.setColor(QPalette::Window, m_background);
    p.setColor(QPalette::WindowText, m_text);
    setPalette(p);
    setAutoFillBackground(true);
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSize(10);
    for (const auto& [icon, text] : rows) {
        auto* row = new QHBoxLayout;
        auto* picture = new QLabel(this);
        picture->setPixmap(QIcon::fromTheme(icon).pixmap(16, 16));
        auto* label = new QLabel(text, this);
        label->setFont(bold);
        row->addWidget(picture);
        row->addWidget(label, 1);
        static_cast<QVBoxLayout*>(layout())->addLayout(row);
        m_texts << text;
    }
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect work = screen->availableGeometry();
        move(work.right() - width() - 1 + 1, work.bottom() - height() - 2 + 1);
    }
    show();
    raise();
}

void StatusPopup::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    hide();
    emit clicked();
}

} // namespace zorvex

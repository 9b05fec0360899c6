#include "ui/app/tools/PageBar.h"

#include "ui/common/QtColour.h"

#include <QButtonGroup>
#include <QGraphicsDropShadowEffect>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvex {

PageBar::PageBar(QWidget* parent)
    : QScrollArea(parent)
    , m_contents(new QWidget)
    , m_layout(new QVBoxLayout(m_contents))
    , m_group(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("PageBar"));
    m_contents->setObjectName(QStringLiteral("PageBarContents"));
    m_layout->setContentsMargins(4, 4, 4, 4);
    m_layout->setSpacing(2);
    m_layout->addStretch(1);
    setWidget(m_contents);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::StyledPanel);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &PageBar::pageChosen);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &PageBar::scrollPositionChanged);
    applyLook();
}

void PageBar::addPage(const QString& caption, const QIcon& icon)
{
    auto* b = new QToolButton(m_contents);
    const int index = int(m_buttons.size());
    b->setObjectName(QStringLiteral("PageButton%1").arg(index + 1));
    b->setText(caption);
    b->setIcon(icon);
    b->setCheckable(true);
    b->setAutoRaise(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    b->setFocusPolicy(Qt::TabFocus);
    m_group->addButton(b, index);
    m_layout->insertWidget(index, b);
    m_buttons.push_back(b);
    // The style sheet of the bar reaches the new button by itself; applying
    // it again would polish every button once more for each page added.
    applyButtonLook(b);
    m_widest = std::max(m_widest, b->sizeHint().width());
    updateMinimumWidth();
}

void PageBar::setListMode(bool list)
{
    if (list == m_list && m_lookApplied)
        return;
    m_list = list;
    applyLook();
}

void PageBar::setLook(Colour background, Colour text, bool shadow)
{
    if (background == m_background && text == m_text && shadow == m_shadow && m_lookApplied)
        return;
    m_background = background;
    m_text = text;
    m_shadow = shadow;
    applyLook();
}

void PageBar::applyButtonLook(QToolButton* b)
{
    b->setToolButtonStyle(m_list ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonTextUnderIcon);
    b->setIconSize(m_list ? QSize(16, 16) : QSize(32, 32));
    if (m_shadow) {
        auto* effect = new QGraphicsDropShadowEffect(b);
        effect->setBlurRadius(3);
        effect->setOffset(1, 1);
        effect->setColor(QColor(0, 0, 0, 110));
        b->setGraphicsEffect(effect);
    } else if (b->graphicsEffect()) {
        b->setGraphicsEffect(nullptr);
    }
}

void PageBar::applyLook()
{
    const QColor bg = toQColor(m_background);
    const QColor fg = toQColor(m_text);
    // The checked and hovered buttons are tinted from the text colour so they
    // stay visible on any background.
    const QString style = QStringLiteral(
        "QWidget#PageBarContents { background: %1; }"
        "QToolButton { color: %2; background: transparent; border: 1px solid transparent;"
        " border-radius: 3px; padding: %3; }"
        "QToolButton:hover { background: rgba(%4, %5, %6, 24); }"
        "QToolButton:checked { background: rgba(%4, %5, %6, 48); border-color: rgba(%4, %5, %6, 96); }")
                              .arg(bg.name(), fg.name(), m_list ? QStringLiteral("2px 4px") : QStringLiteral("6px 2px"))
                              .arg(fg.red())
                              .arg(fg.green())
                              .arg(fg.blue());
    m_contents->setStyleSheet(style);
    viewport()->setStyleSheet(QStringLiteral("background: %1;").arg(bg.name()));
    m_lookApplied = true;
    for (QToolButton* b : m_buttons)
        applyButtonLook(b);
    m_layout->setSpacing(m_list ? 1 : 4);
    m_contents->ensurePolished();
    m_widest = 0;
    for (QToolButton* b : m_buttons)
        m_widest = std::max(m_widest, b->sizeHint().width());
    updateMinimumWidth();
}

void PageBar::updateMinimumWidth()
{
    // Wide enough for the longest caption beside the scroll bar.
    const QMargins m = m_layout->contentsMargins();
    setMinimumWidth(m_widest + m.left() + m.right() + verticalScrollBar()->sizeHint().width() + 2 * frameWidth());
}

void PageBar::setCurrent(int index)
{
    if (index >= 0 && index < int(m_buttons.size()))
        m_buttons[index]->setChecked(true);
}

int PageBar::current() const
{
    return m_group->checkedId();
}

void PageBar::scrollToTop()
{
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
}

void PageBar::scrollToBottom()
{
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

int PageBar::scrollPosition() const
{
    return verticalScrollBar()->value();
}

void PageBar::setScrollPosition(int value)
{
    verticalScrollBar()->setValue(value);
}

} // namespace zorvex

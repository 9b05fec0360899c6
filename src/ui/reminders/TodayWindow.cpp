#include "ui/reminders/TodayWindow.h"

#include "platform/SystemServices.h"
#include "ui/common/BringToFront.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>

namespace zorvex {

namespace {
// The window is laid out by hand: its size follows the text.
constexpr int kIconLeft = 12;
constexpr int kIconTop = 12;
constexpr int kIconSize = 32;
constexpr int kTextLeft = 56;
constexpr int kTextTop = 16;
constexpr int kTextRightGap = 19;
constexpr int kMinimumWidth = 297;
constexpr int kEdgeGap = 8;
constexpr int kBelowText = 23;
constexpr int kBottomBelowText = 56;
constexpr int kBoxLeft = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
} // namespace

TodayWindow::TodayWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_icon(new QLabel(this))
    , m_text(new QLabel(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_dontShow(new QCheckBox(QStringLiteral("Nie pokazuj więcej dzisiaj tej informacji"), this))
{
    setObjectName(QStringLiteral("TodayWindow"));
    setWindowTitle(QStringLiteral("Ważny dzień"));
    m_icon->setObjectName(QStringLiteral("TodayIcon"));
    m_text->setObjectName(QStringLiteral("TodayText"));
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_dontShow->setObjectName(QStringLiteral("DontShowToday"));

    const QIcon info = style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this);
    m_icon->setPixmap(info.pixmap(kIconSize, kIconSize));
    m_icon->setGeometry(kIconLeft, kIconTop, kIconSize, kIconSize);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(false);
    m_text->move(kTextLeft, kTextTop);
    m_ok->setDefault(true);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(this, &QDialog::finished, this, [this] { emit closedWithChoice(m_dontShow->isChecked()); });
    layOut();
}

void TodayWindow::showText(const QString& text)
{
    m_text->setText(text);
    m_dontShow->setChecked(false);
    layOut();
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    bringToFront(this);
    m_ok->setFocus();
    if (m_system)
        m_system->playInformationSound();
}

void TodayWindow::layOut()
{
    m_text->resize(m_text->sizeHint());
    const int textBottom = m_text->y() + m_text->height();
    const QSize box = m_dontShow->sizeHint();
    // Wide enough for the text, and for the box beside the button.
    const int width = std::max({kMinimumWidth, kTextLeft + m_text->width() + kTextRightGap,
                                kBoxLeft + box.width() + kEdgeGap + kButtonWidth + kEdgeGap});
    const int height = textBottom + kBottomBelowText;
    m_dontShow->setGeometry(kBoxLeft, textBottom + kBelowText, box.width(), box.height());
    m_ok->setGeometry(width - kEdgeGap - kButtonWidth, textBottom + kBelowText, kButtonWidth, kButtonHeight);
    setFixedSize(width, height);
}

} // namespace zorvex

#include "ui/reminders/AlarmCountdownWindow.h"

#include "ui/common/Messages.h"
#include "ui/reminders/AlarmPictures.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

AlarmCountdownWindow::AlarmCountdownWindow(PowerActions& power, Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_power(power)
    , m_prompts(prompts)
    , m_countdown({[this](const QString& label, const QString& counter) {
                       m_label->setText(label);
                       m_counter->setText(counter);
                       if (!isVisible()) {
                           adjustSize();
                           show();
                       }
                   },
                   [this] {
                       raise();
                       activateWindow();
                   },
                   [this] {
                       m_timer.stop();
                       hide();
                   },
                   [this](PowerAction a) { runNow(a); }})
    , m_picture(new QLabel(this))
    , m_label(new QLabel(this))
    , m_counter(new QLabel(this))
    , m_cancel(new QPushButton(QStringLiteral("Anuluj"), this))
{
    setObjectName(QStringLiteral("alarmCountdownWindow"));
    setWindowTitle(QStringLiteral("Zorvex - Alarm"));
    m_picture->setObjectName(QStringLiteral("countdownPicture"));
    m_picture->setFixedSize(kPictureSize, kPictureSize);
    m_label->setObjectName(QStringLiteral("countdownLabel"));
    m_counter->setObjectName(QStringLiteral("countdownCounter"));
    m_cancel->setObjectName(QStringLiteral("countdownCancelButton"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(m_picture);
    row->addWidget(m_label);
    row->addWidget(m_counter);
    layout->addLayout(row);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &AlarmCountdownWindow::secondElapsed);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_countdown.cancel(); });
}

void AlarmCountdownWindow::request(PowerAction action, bool withCancelWindow)
{
    if (!withCancelWindow) {
        runNow(action);
        return;
    }
    m_picture->setPixmap(QPixmap::fromImage(powerActionPicture(action, kPictureSize)));
    m_countdown.start(action);
    m_timer.start();
}

void AlarmCountdownWindow::closeEvent(QCloseEvent* event)
{
    m_countdown.cancel();
    m_timer.stop();
    QWidget::closeEvent(event);
}

void AlarmCountdownWindow::runNow(PowerAction action)
{
    const QString error = m_power.run(action);
    if (error.isEmpty())
        return;
    m_prompts.errorWindow(error); // runs from a timer: never a box that waits
}

} // namespace zorvex

#include "ui/reminders/UpcomingWindow.h"

#include "core/reminders/ReminderSettings.h"
#include "core/reminders/UpcomingPage.h"
#include "ui/common/BringToFront.h"
#include "ui/common/EdgeSnapper.h"
#include "ui/common/WindowBounds.h"

#include <QCloseEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zorvex {

namespace {

// The section has no M key: the window is never stored maximized.
StoredBounds storedOf(const UpcomingDatesSettings& s)
{
    return StoredBounds{s.x, s.y, s.w, s.h, false};
}

} // namespace

UpcomingWindow::UpcomingWindow(const QString& dataFolder, UpcomingDatesSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_dataFolder(dataFolder)
    , m_settings(settings)
    , m_page(new QTextBrowser(this))
    , m_snapper(new EdgeSnapper(this))
{
    setObjectName(QStringLiteral("UpcomingWindow"));
    setWindowTitle(QStringLiteral("Ważne daty - powiadomienie"));
    m_page->setObjectName(QStringLiteral("Page"));
    // A table to read, nothing to follow.
    m_page->setOpenLinks(false);
    m_page->setOpenExternalLinks(false);
    m_page->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_page->setFrameShape(QFrame::NoFrame);
    // Pictures are addressed as file:// under the data folder; relative
    // addresses resolve there too.
    m_page->setSearchPaths({dataFolder});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_page);
}

void UpcomingWindow::setDockTarget(QWidget* mainWindow)
{
    m_snapper->setDockTarget(mainWindow);
}

void UpcomingWindow::showRows(const QList<UpcomingRow>& rows)
{
    m_page->setHtml(upcomingPageHtml(rows, m_dataFolder));
    if (!isVisible())
        applyStoredBounds(this, storedOf(m_settings), kDefaultSize);
    bringToFront(this);
}

void UpcomingWindow::closeEvent(QCloseEvent* event)
{
    // A window that never showed has no place of its own to keep.
    if (isVisible()) {
        const StoredBounds b = currentBounds(this, storedOf(m_settings));
        m_settings.x = b.x;
        m_settings.y = b.y;
        m_settings.w = b.w;
        m_settings.h = b.h;
    }
    QWidget::closeEvent(event);
    emit closed();
}

} // namespace zorvex

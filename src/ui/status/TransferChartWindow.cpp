#include "ui/status/TransferChartWindow.h"

#include "core/status/StatusSettings.h"
#include "ui/common/EdgeSnapper.h"
#include "ui/common/Fonts.h"
#include "ui/common/QtColour.h"
#include "ui/status/TransferChartSettingsWindow.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>

namespace zorvex {

TransferChartWindow::TransferChartWindow(TransferChartSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Tool)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("TransferChart"));
    setWindowTitle(QStringLiteral("Status sieciowy"));
    setMinimumSize(60, 40);
    m_snapper = new EdgeSnapper(this);

    m_menu = new QMenu(this);
    m_menu->addAction(QStringLiteral("Ustawienia wykresu"), this, &TransferChartWindow::openSettings);
    m_onTop = m_menu->addAction(QStringLiteral("Okno wykresu zawsze na wierzchu"));
    m_onTop->setCheckable(true);
    m_inFront = m_menu->addAction(QStringLiteral("Słupki transferu pobieranego z przodu na wykresie"));
    m_inFront->setCheckable(true);
    m_menu->addAction(QStringLiteral("Zamknij okno wykresu"), this, &QWidget::close);
    connect(m_onTop, &QAction::toggled, this, [this](bool on) {
        if (m_settings.alwaysOnTop == on)
            return;
        m_settings.alwaysOnTop = on;
        applySettings();
        emit settingsChanged();
    });
    connect(m_inFront, &QAction::toggled, this, [this](bool on) {
        if (m_settings.receivedInFront == on)
            return;
        m_settings.receivedInFront = on;
        update();
        emit settingsChanged();
    });
    m_history.setCapacity(transferColumns(settings.w, settings.hideMaximum));
}

TransferChartWindow::~TransferChartWindow()
{
    delete m_settingsWindow;
}

void TransferChartWindow::setDockTarget(QWidget* mainWindow)
{
    m_snapper->setDockTarget(mainWindow);
}

void TransferChartWindow::addSample(qint64 received, qint64 sent)
{
    m_history.add(received, sent);
    if (isVisible())
        update();
}

void TransferChartWindow::applySettings()
{
    const bool shown = isVisible();
    Qt::WindowFlags flags = Qt::Tool;
    if (m_settings.hideFrame)
        flags |= Qt::FramelessWindowHint;
    if (m_settings.alwaysOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (windowFlags() != flags) {
        setWindowFlags(flags);
        if (shown)
            show();
    }
    const bool transparent = m_settings.hideFrame && m_settings.transparentBackground;
    setAttribute(Qt::WA_TranslucentBackground, transparent);
    setWindowOpacity(m_settings.translucent ? m_settings.opacity / 255.0 : 1.0);
    m_onTop->setChecked(m_settings.alwaysOnTop);
    m_inFront->setChecked(m_settings.receivedInFront);
    m_history.setCapacity(transferColumns(width(), m_settings.hideMaximum));
    update();
}

void TransferChartWindow::open()
{
    resize(qMax(m_settings.w, minimumWidth()), qMax(m_settings.h, minimumHeight()));
    applySettings();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect work = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1040);
    QPoint at(m_settings.x, m_settings.y);
    if (m_settings.x == -1 || m_settings.y == -1)
        at = QPoint(work.left() + (work.width() - width()) / 2, work.bottom() + 1 - frameGeometry().height());
    // Stored values off every screen are pulled back inside the work area.
    at.setX(qBound(work.left(), at.x(), qMax(work.left(), work.right() + 1 - width())));
    at.setY(qBound(work.top(), at.y(), qMax(work.top(), work.bottom() + 1 - height())));
    move(at);
    show();
    raise();
}

void TransferChartWindow::storeBounds()
{
    m_settings.x = x();
    m_settings.y = y();
    m_settings.w = width();
    m_settings.h = height();
}

void TransferChartWindow::closeEvent(QCloseEvent* e)
{
    storeBounds();
    emit settingsChanged();
    QWidget::closeEvent(e);
}

void TransferChartWindow::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    m_history.setCapacity(transferColumns(width(), m_settings.hideMaximum));
}

void TransferChartWindow::contextMenuEvent(QContextMenuEvent* e)
{
    m_menu->popup(e->globalPos());
}

void TransferChartWindow::mousePressEvent(QMouseEvent* e)
{
    // Without a frame the chart itself is the handle.
    m_dragging = m_settings.hideFrame && e->button() == Qt::LeftButton;
    if (m_dragging)
        m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TransferChartWindow::mouseMoveEvent(QMouseEvent* e)
{
    if (m_dragging && (e->buttons() & Qt::LeftButton))
        move(e->globalPosition().toPoint() - m_dragOffset);
}

QImage TransferChartWindow::picture() const
{
    const int w = width();
    const int h = height();
    const TransferChartSettings& s = m_settings;
    TransferChartOptions options;
    options.limit = s.limitShown;
    options.limitKb = s.limitKb;
    options.receivedInFront = s.receivedInFront;
    options.hideMax = s.hideMaximum;
    const TransferChartLayout l = layoutTransferChart(m_history, w, h, options);

    const bool transparent = s.hideFrame && s.transparentBackground;
    const QColor background = transparent ? QColor(Qt::transparent) : toQColor(s.colours[0]);
    const QColor grid = toQColor(s.colours[1]);
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter p(&image);
    p.setPen(grid);
    if (l.leftStrip > 0)
        p.drawLine(l.leftStrip - 1, 0, l.leftStrip - 1, l.plotHeight - 1);
    if (s.colours[0] != s.colours[1]) {
        for (int x = l.leftStrip + 8; x < w; x += 10)
            p.drawLine(x, 0, x, l.plotHeight - 1);
        for (int y = 1; y <= l.plotHeight - 3; y += 9)
            p.drawLine(l.leftStrip, y, w - 1, y);
    }
    const QColor receivedBar = toQColor(s.colours[2]);
    const QColor sentBar = toQColor(s.colours[3]);
    for (const TransferChartLayout::Column& c : l.columns) {
        const QColor back = c.receivedInFront ? sentBar : receivedBar;
        const QColor front = c.receivedInFront ? receivedBar : sentBar;
        if (c.backHeight > 0) {
            p.setPen(back);
            p.drawLine(c.x, l.plotHeight - 1, c.x, l.plotHeight - c.backHeight);
        }
        if (c.frontHeight > 0) {
            p.setPen(front);
            p.drawLine(c.x, l.plotHeight - 1, c.x, l.plotHeight - c.frontHeight);
        }
    }
    p.setFont(tahoma(7));
    if (!l.maxText.isEmpty()) {
        p.save();
        p.setPen(toQColor(s.colours[6]));
        p.translate(1, l.plotHeight);
        p.rotate(-90);
        p.drawText(QRect(0, 0, l.plotHeight, kTransferStrip), Qt::AlignLeft | Qt::AlignVCenter, l.maxText);
        p.restore();
    }
    const QRect strip(0, l.plotHeight, w, kTransferStrip);
    p.fillRect(strip, background);
    p.setPen(grid);
    p.drawRect(strip.adjusted(0, 0, -1, -1));
    p.setPen(toQColor(s.colours[4]));
    p.drawText(QRect(5, l.plotHeight, w / 2, kTransferStrip), Qt::AlignLeft | Qt::AlignVCenter, l.receivedText);
    if (!l.sentText.isEmpty()) {
        p.setPen(toQColor(s.colours[5]));
        p.drawText(QRect(w / 2 + 5, l.plotHeight, w / 2, kTransferStrip), Qt::AlignLeft | Qt::AlignVCenter,
                   l.sentText);
    }
    return image;
}

void TransferChartWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_settings.hideFrame && m_settings.transparentBackground)
        p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, picture());
}

void TransferChartWindow::openSettings()
{
    if (!m_settingsWindow) {
        m_settingsWindow = new TransferChartSettingsWindow(m_settings);
        connect(m_settingsWindow, &TransferChartSettingsWindow::changed, this, &TransferChartWindow::applySettings);
        // Closing the settings window writes them.
        connect(m_settingsWindow, &TransferChartSettingsWindow::closed, this, &TransferChartWindow::settingsChanged);
        connect(m_settingsWindow, &TransferChartSettingsWindow::showChartToggled, this, [this] {
            if (isVisible())
                close();
            else
                open();
        });
    }
    m_settingsWindow->load();
    m_settingsWindow->show();
    m_settingsWindow->raise();
}

} // namespace zorvex

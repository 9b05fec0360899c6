#include "ui/app/MainWindow.h"

#include "ui/common/Messages.h"

#include "core/app/Settings.h"
#include "core/app/TrayIconModel.h"
#include "core/app/TraySettings.h"
#include "platform/SystemServices.h"
#include "ui/app/ClockMenu.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/TaskbarEntry.h"
#include "ui/app/TrayHintEditor.h"
#include "ui/app/TrayIcon.h"
#include "ui/common/BringToFront.h"
#include "ui/common/Fonts.h"
#include "ui/common/HintWindow.h"
#include "ui/common/QtColour.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QToolButton>
#include <QWindow>

namespace zorvex {
namespace {

constexpr int kMinimizeButtonSize = 12;

QLabel* area(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QWidget* plainArea(QWidget* parent, const char* name)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

// The built-in picture of the minimize button: a bar at the bottom.
QIcon minimizeGlyph()
{
    QPixmap pm(kMinimizeButtonSize, kMinimizeButtonSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 32, 32));
    p.drawRect(2, kMinimizeButtonSize - 4, kMinimizeButtonSize - 4, 2);
    return QIcon(pm);
}

PanelVisibility visibilityOf(const MainWindowSettings& s)
{
    PanelVisibility v;
    v.topPanel = s.clockPanelVisible;
    v.textPanel = s.textPanelVisible;
    v.memoryRows = s.memoryPanelsVisible;
    v.cpuRow = s.cpuPanelVisible;
    v.playbackPanel = s.playbackPanelVisible;
    v.zodiac = s.zodiacVisible;
    return v;
}

QFont fontOf(const FontValue& f)
{
    QFont font = pixelFont(f.name, f.size, f.style & FontValue::Bold);
    font.setItalic(f.style & FontValue::Italic);
    font.setUnderline(f.style & FontValue::Underline);
    font.setStrikeOut(f.style & FontValue::StrikeOut);
    return font;
}

} // namespace

struct MainWindow::OwnDefaults {
    Settings settings;
    TraySettings tray;
    QuietPrompts prompts;
};

MainWindow::MainWindow(const PathTable& /*paths*/, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
    , m_defaults(std::make_unique<OwnDefaults>())
    , m_settings(m_defaults->settings)
    , m_traySettings(m_defaults->tray)
    , m_prompts(m_defaults->prompts)
{
    init();
}

MainWindow::MainWindow(const PathTable& /*paths*/, Settings& settings, TraySettings& tray, Prompts& prompts,
                       QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint)
    , m_settings(settings)
    , m_traySettings(tray)
    , m_prompts(prompts)
{
    init();
}

MainWindow::~MainWindow()
{
    delete m_taskbarEntry;
    delete m_hintEditor;
}

void MainWindow::init()
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Vuzuvured"));
    registerTahoma();
    HintController::install();
    build();
    applySettings();
}

void MainWindow::build()
{
    setFixedWidth(kMainWindowWidth);
    setFocusPolicy(Qt::StrongFocus);

    m_timeOfDayPicture = area(this, "Image1");
    m_clockLabel = area(this, "Label2");
    m_zodiacPicture = area(this, "Image2");
    m_previousMonthArrow = area(this, "Image8");
    m_monthCaption = area(this, "Label1");
    m_nextMonthArrow = area(this, "Image9");
    m_monthPicture = area(this, "KAL");
    m_scrollingText = plainArea(this, "Label_Im");
    m_infoPanel = plainArea(this, "Panel1");
    m_playbackPanel = plainArea(this, "Panel2");
    m_playbackStrip = plainArea(m_playbackPanel, "PSnd");
    m_playbackStrip->setGeometry(1, 0, 145, 18);

    m_btnMinimize = new QToolButton(this);
    m_btnMinimize->setObjectName(QStringLiteral("BtnMinimize"));
    m_btnMinimize->setAutoRaise(true);
    m_btnMinimize->setFocusPolicy(Qt::NoFocus);
    m_btnMinimize->setIcon(minimizeGlyph());
    m_btnMinimize->setIconSize(QSize(kMinimizeButtonSize, kMinimizeButtonSize));
    m_btnMinimize->setToolTip(QString::fromUtf8("Minimalizuj do tray'a"));
    connect(m_btnMinimize, &QToolButton::clicked, this, &MainWindow::hideToTray);

    for (QWidget* w : std::initializer_list<QWidget*>{m_timeOfDayPicture, m_clockLabel, m_zodiacPicture, m_previousMonthArrow, m_monthCaption, m_nextMonthArrow,
                                                      m_monthPicture, m_scrollingText, m_infoPanel, m_playbackPanel, m_playbackStrip})
        enableDragOn(w);
    installEventFilter(this);

    m_contextMenu = new ContextMenu(this);
    m_clockMenu = new ClockMenu(m_prompts, this);
    m_tray = new TrayIcon(this, m_settings.main, m_traySettings, this);
    m_tray->setContextMenu(m_contextMenu);

    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, [this](QScreen* s) {
        watchScreen(s);
        checkWorkArea();
    });
    watchScreen(QGuiApplication::primaryScreen());
}

void MainWindow::watchScreen(QScreen* screen)
{
    if (m_watchedScreen)
        disconnect(m_watchedScreen, nullptr, this, nullptr);
    m_watchedScreen = screen;
    if (screen)
        connect(screen, &QScreen::availableGeometryChanged, this, [this] { checkWorkArea(); });
}

void MainWindow::applySettings()
{
    relayout();
    applyTopMost();
    applyPlacement();
    applyMinimizeButton();
    m_contextMenu->applySettings(m_settings.main);
    m_tray->applySettings();
}

void MainWindow::relayout()
{
    const MainWindowSettings& s = m_settings.main;
    m_layout = computeLayout(visibilityOf(s), s.panelOrder);
    const WindowLayout& l = m_layout;

    m_timeOfDayPicture->setVisible(l.topPanelVisible);
    m_clockLabel->setVisible(l.topPanelVisible);
    m_zodiacPicture->setVisible(l.topPanelVisible && !l.zodiac.isEmpty());
    if (l.topPanelVisible) {
        m_timeOfDayPicture->setGeometry(l.timeOfDayPicture);
        m_clockLabel->setGeometry(l.clock);
        m_clockLabel->setAlignment(s.zodiacVisible ? (Qt::AlignHCenter | Qt::AlignTop) : Qt::AlignCenter);
        if (!l.zodiac.isEmpty())
            m_zodiacPicture->setGeometry(l.zodiac);
    }
    m_clockLabel->setFont(fontOf(s.clockFont));

    const QRect cap = l.captionRow;
    const int arrow = 15;
    m_previousMonthArrow->setGeometry(cap.left() + 2, cap.top() + 2, arrow, arrow);
    m_nextMonthArrow->setGeometry(cap.right() - 1 - arrow, cap.top() + 2, arrow, arrow);
    m_monthCaption->setGeometry(cap.left() + 2 + arrow, cap.top(), cap.width() - 2 * (2 + arrow), cap.height());
    m_previousMonthArrow->setVisible(s.monthArrows);
    m_nextMonthArrow->setVisible(s.monthArrows);
    m_monthPicture->setGeometry(l.monthGrid);

    auto place = [this](QWidget* w, const PanelSlot& slot) {
        w->setVisible(slot.visible);
        if (slot.visible)
            w->setGeometry(0, slot.top, width(), slot.height);
    };
    place(m_scrollingText, l.textPanel);
    place(m_infoPanel, l.infoPanel);
    place(m_playbackPanel, l.playbackPanel);

    setFixedHeight(l.clientHeight);
    applyMask();
    applyBackground();
    applyMinimizeButton();
}

void MainWindow::applyMask()
{
    QRegion region;
    for (const QRect& r : mainWindowShape(width()))
        region += r;
    setMask(region);
}

void MainWindow::applyBackground()
{
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(m_settings.main.background));
    setPalette(p);
    setAutoFillBackground(true);
}

void MainWindow::applyMinimizeButton()
{
    m_btnMinimize->setGeometry(width() - 8 - kMinimizeButtonSize, 3, kMinimizeButtonSize, kMinimizeButtonSize);
    m_btnMinimize->setVisible(m_settings.main.trayButtonVisible && hasTrayIcon(m_settings.main.trayIconKind));
    m_btnMinimize->raise();
}

void MainWindow::applyTopMost()
{
    const bool onTop = m_settings.main.alwaysOnTop;
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    if (QWindow* w = windowHandle()) {
        // Changing the widget's flags would hide and re-create the window;
        // the native window takes the change as it is.
        overrideWindowFlags(flags);
        w->setFlags(flags);
    } else {
        setWindowFlags(flags);
    }
}

QRect MainWindow::workArea() const
{
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

void MainWindow::applyPlacement()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const QRect work = workArea();
    const QRect screenArea = s ? s->virtualGeometry() : work;
    m_lastWorkArea = work;
    const MainWindowSettings& set = m_settings.main;
    const bool own = set.placement == static_cast<int>(Placement::Own);
    // The own position is the stored one only at the first placing; later
    // the window stays where the user left it.
    const QPoint current = own && m_ownPlaced ? pos() : QPoint(set.left, set.top);
    move(placeWindow(set.placement, size(), work, current, screenArea));
    m_ownPlaced = true;
}

bool MainWindow::checkWorkArea()
{
    const QRect work = workArea();
    if (work.right() == m_lastWorkArea.right() && work.bottom() == m_lastWorkArea.bottom()
        && work.topLeft() == m_lastWorkArea.topLeft())
        return false;
    relayout();
    applyPlacement();
    emit workAreaChanged(work);
    return true;
}

void MainWindow::setOpacityLevel(int alpha)
{
    m_opacity = qBound(0, alpha, 255);
    setWindowOpacity(m_opacity / 255.0);
}

void MainWindow::switchAlphaBlendingOff()
{
    m_opacity = 255;
    setWindowOpacity(1.0);
}

void MainWindow::hideToTray()
{
    if (!m_tray->available()) {
        if (!m_taskbarEntry) {
            // Without a parent: window managers leave windows that belong to
            // another one off the taskbar.
            m_taskbarEntry = new TaskbarEntry;
            connect(m_taskbarEntry, &TaskbarEntry::restoreRequested, this, &MainWindow::showMainWindow);
        }
        m_taskbarEntry->showMinimizedEntry(m_tray->systemTrayIcon()->icon());
    }
    hide();
    m_wasForeground = false;
    if (m_system)
        m_system->trimWorkingSet();
    emit hiddenToTray();
}

void MainWindow::showMainWindow()
{
    if (m_taskbarEntry)
        m_taskbarEntry->withdraw();
    bringToFront(this);
}

void MainWindow::secondStartSeen()
{
    if (!m_tray->available())
        showMainWindow();
}

void MainWindow::refreshForegroundFlag()
{
    m_wasForeground = isVisible() && isActiveWindow();
}

void MainWindow::setClockText(const QString& hhmmss)
{
    m_clockLabel->setText(hhmmss);
}

void MainWindow::enableDragOn(QWidget* w)
{
    if (w)
        w->installEventFilter(this);
}

void MainWindow::setStatusValues(const StatusValues* values)
{
    m_tray->setStatusValues(values);
}

void MainWindow::setSettingsStore(const SettingsStore* store)
{
    m_store = store;
}

void MainWindow::openTrayHintEditor()
{
    if (!m_hintEditor) {
        m_hintEditor = new TrayHintEditor(m_traySettings, m_store, m_prompts);
        connect(m_hintEditor, &TrayHintEditor::patternChanged, m_tray, &TrayIcon::rebuildHint);
    }
    bringToFront(m_hintEditor);
}

bool MainWindow::event(QEvent* e)
{
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        emit activated();
    return result;
}

bool MainWindow::dragFilter(QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() != Qt::LeftButton
            || !dragAllowed(m_settings.main.placement, m_settings.main.positionLocked))
            return false;
        m_pressed = true;
        m_manualDrag = false;
        m_pressGlobal = me->globalPosition().toPoint();
        m_pressWindowPos = pos();
        return false;
    }
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(e);
        if (!m_pressed || !(me->buttons() & Qt::LeftButton))
            return false;
        const QPoint delta = me->globalPosition().toPoint() - m_pressGlobal;
        if (!m_manualDrag) {
            // A click or double click stays one; only a real drag moves.
            if (delta.manhattanLength() < QApplication::startDragDistance())
                return false;
            if (windowHandle() && windowHandle()->startSystemMove()) {
                m_pressed = false;
                return true;
            }
            m_manualDrag = true;
        }
        move(m_pressWindowPos + delta);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_pressed = false;
        m_manualDrag = false;
        return false;
    default:
        return false;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_clockLabel && e->type() == QEvent::MouseButtonDblClick) {
        m_pressed = false;
        m_clockMenu->popup(QCursor::pos());
        return true;
    }
    if (dragFilter(e))
        return true;
    return QWidget::eventFilter(watched, e);
}

void MainWindow::keyPressEvent(QKeyEvent* e)
{
    if (e->key() != Qt::Key_F5) {
        QWidget::keyPressEvent(e);
        return;
    }
    const bool ctrl = e->modifiers().testFlag(Qt::ControlModifier);
    applyBackground();
    update();
    if (m_settings.main.translucent) {
        const int level = m_opacity;
        switchAlphaBlendingOff();
        setOpacityLevel(level);
    }
    if (!ctrl)
        m_tray->reinstall();
    emit reapplyLookRequested(ctrl);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* e)
{
    m_contextMenu->popup(e->globalPos());
}

void MainWindow::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    if (m_ownPlaced) {
        m_settings.main.left = x();
        m_settings.main.top = y();
    }
}

} // namespace zorvex

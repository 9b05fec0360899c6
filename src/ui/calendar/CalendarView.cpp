#include "ui/calendar/CalendarView.h"

#include "core/app/Settings.h"
#include "core/app/WindowLayout.h"
#include "core/calendar/GridGeometry.h"
#include "core/common/Clock.h"
#include "core/common/DataFile.h"
#include "platform/ScreenActivity.h"
#include "ui/app/ContextMenu.h"
#include "ui/app/MainWindow.h"
#include "ui/calendar/Background.h"
#include "ui/calendar/ChosenDateWindow.h"
#include "ui/calendar/ColoursPage.h"
#include "ui/calendar/DayCard.h"
#include "ui/calendar/FontValues.h"
#include "ui/calendar/FrameShapes.h"
#include "ui/calendar/GoToDateDialog.h"
#include "ui/calendar/MonthRenderer.h"
#include "ui/calendar/ScrollingText.h"
#include "ui/calendar/TimeOfDayPictures.h"
#include "ui/calendar/TimeOfDaySetList.h"
#include "ui/calendar/VisibleTextsDialog.h"
#include "ui/common/Fonts.h"
#include "ui/common/HintWindow.h"
#include "ui/common/QtColour.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvex {
namespace {

constexpr int kArrowSize = 15;
constexpr int kPictureWidth = 32; // the time-of-day picture beside the clock

void setRole(QWidget* w, QPalette::ColorRole role, Colour c)
{
    if (!w)
        return;
    QPalette p = w->palette();
    p.setColor(role, toQColor(c));
    w->setPalette(p);
}

QPixmap arrowPixmap(bool left, Colour colour)
{
    QPixmap pm(kArrowSize, kArrowSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::NoPen);
    p.setBrush(toQColor(colour));
    QPolygon arrow;
    if (left)
        arrow << QPoint(9, 3) << QPoint(9, 11) << QPoint(5, 7);
    else
        arrow << QPoint(5, 3) << QPoint(5, 11) << QPoint(9, 7);
    p.drawPolygon(arrow);
    return pm;
}

bool isLeftButton(QEvent* e)
{
    return static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton;
}

QPoint localPos(QEvent* e)
{
    return static_cast<QMouseEvent*>(e)->position().toPoint();
}

QPoint globalPos(QEvent* e)
{
    return static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
}

} // namespace

CalendarView::CalendarView(MainWindow& window, Settings& settings, const PathTable& paths, const Clock& clock,
                           QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_settings(settings)
    , m_paths(paths)
    , m_clock(clock)
    , m_zone(QTimeZone::systemTimeZone())
    , m_model(clock, kGridBackground)
    , m_dayText(paths, clock)
{
    m_model.setReadOnly(true);
    bool loaded = false;
    m_dayText.setVisibleTexts(VisibleTexts::load(paths.path(PathId::PanelTekstowy), &loaded));
    m_visibleTextsReplaceable = mayReplaceAfterLoad(loaded, paths.path(PathId::PanelTekstowy));
    m_chosenDate = m_model.date();
    build();
}

CalendarView::~CalendarView() = default;

GoToDateDialog* CalendarView::goToDateDialog() const
{
    return m_goToDate;
}

VisibleTextsDialog* CalendarView::visibleTextsDialog() const
{
    return m_visibleDialog;
}

ChosenDateWindow* CalendarView::chosenDateWindow() const
{
    return m_chosenWindow;
}

void CalendarView::build()
{
    registerTahoma();
    QWidget* win = &m_window;

    m_backgroundPicture = new QLabel(win);
    m_backgroundPicture->setObjectName(QStringLiteral("TAPETA"));
    m_backgroundPicture->setScaledContents(false);
    m_backgroundPicture->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_backgroundPicture->lower();

    QWidget* textArea = m_window.scrollingText();
    m_scroll = new ScrollingText(textArea);
    auto* textLayout = new QVBoxLayout(textArea);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->addWidget(m_scroll);
    m_window.enableDragOn(m_scroll);

    m_cornerLeft = new CornerPiece(QStringLiteral("Image4"), CornerPiece::Left, win);
    m_cornerRight = new CornerPiece(QStringLiteral("Image3"), CornerPiece::Right, win);
    m_lineAboveCaption = new FrameShape(QStringLiteral("Shape3"), win);
    m_lineBelowCaption = new FrameShape(QStringLiteral("Shape4"), win);
    m_captionBox = new FrameShape(QStringLiteral("Shape6"), win);
    m_clockBox = new FrameShape(QStringLiteral("Shape7"), win);
    m_frameTop = new FrameShape(QStringLiteral("Shape10"), win);
    m_frameRight = new FrameShape(QStringLiteral("Shape11"), win);
    m_frameLeft = new FrameShape(QStringLiteral("Shape12"), win);

    m_addMenu = new AddMenu(win);
    m_captionMenu = new CaptionMenu(win);
    m_copyMenu = new CopyMenu(win);
    m_card = new DayCard(win);

    QLabel* kal = m_window.monthPicture();
    kal->setMouseTracking(true);
    kal->installEventFilter(this);
    m_window.monthCaption()->installEventFilter(this);
    m_window.previousMonthArrow()->installEventFilter(this);
    m_window.nextMonthArrow()->installEventFilter(this);
    m_window.timeOfDayPicture()->installEventFilter(this);
    m_window.timeOfDayPicture()->setProperty("zorvexHintCard", true);
    m_window.installEventFilter(this);
    // The calendar sits on the desktop and is rarely the active window; the
    // day hints and the card must show all the same.
    m_window.setAttribute(Qt::WA_AlwaysShowToolTips);

    if (HintController* hints = HintController::install())
        connect(hints, &HintController::cardRequested, this, &CalendarView::showCard);

    m_model.setOnChange([this] { setMonthCaption(); });

    connect(m_scroll, &ScrollingText::doubleClicked, this, [this](const QPoint& pos) {
        const QList<CopyItem> items = m_dayText.copyItems();
        if (!m_dayText.visibleTexts().usable() || items.isEmpty())
            return;
        m_copyMenu->prepare(items);
        m_copyMenu->popup(pos);
    });
    connect(m_copyMenu, &CopyMenu::copyRequested, this, &CalendarView::copyToClipboard);
    connect(m_addMenu, &AddMenu::addRequested, this, &CalendarView::addRequested);
    connect(m_addMenu, &AddMenu::entryChosen, this, &CalendarView::dayEntryChosen);
    connect(m_addMenu, &AddMenu::namesRequested, this, &CalendarView::openChosenDateWindow);
    connect(m_captionMenu, &CaptionMenu::currentMonthRequested, this, &CalendarView::showCurrentMonth);
    connect(m_captionMenu, &CaptionMenu::chooseDateRequested, this,
            [this] { openGoToDateDialog(QCursor::pos()); });

    applyFonts();
    applyScrollSpeed();
    m_scroll->setColours(m_settings.main.textColour(TextElement::ScrollingText), m_settings.main.background);
    setRole(m_window.monthCaption(), QPalette::WindowText, m_settings.main.textColour(TextElement::Caption));
    setRole(m_window.clockLabel(), QPalette::WindowText, m_settings.main.textColour(TextElement::Clock));
    drawArrows();
    colourMenuBars();
    setMonthCaption();
    applyBackground();
    layoutFrame();
    updateDayFacts(true);
}

void CalendarView::colourMenuBars()
{
    const QColor colour = toQColor(m_settings.main.background);
    for (SideBarMenu* menu : {static_cast<SideBarMenu*>(m_window.contextMenu()), static_cast<SideBarMenu*>(m_addMenu),
                              static_cast<SideBarMenu*>(m_captionMenu)}) {
        if (menu)
            menu->setBarColour(colour);
    }
}

bool CalendarView::topPanelShown() const
{
    return m_window.currentLayout().topPanelVisible;
}

void CalendarView::setZodiacGuard(std::function<std::optional<Colour>()> transparentColour,
                                  std::function<bool()> builtIn)
{
    m_zodiacKey = std::move(transparentColour);
    m_zodiacBuiltIn = std::move(builtIn);
}

void CalendarView::start()
{
    m_started = true;
    rebuildDayText();
    redrawCalendar(true);
}

void CalendarView::rebuildAnnotations()
{
    m_annotations =
        m_annotationProvider ? m_annotationProvider(m_model.year(), m_model.month()) : DayAnnotations(m_model.year(), m_model.month());
    m_model.resetDayColours();
    if (m_annotations.isFor(m_model.year(), m_model.month())) {
        for (int d = 1; d <= 31; ++d)
            m_model.setDayColour(d, m_annotations.day(d).colour);
    }
}

void CalendarView::redrawCalendar(bool goToToday)
{
    if (!m_started)
        return;
    if (goToToday)
        m_model.goToToday();
    rebuildAnnotations();
    m_window.applyPlacement();
    layoutFrame();
    placeBackground();

    m_monthPicture = renderMonthPicture(monthLookOf(m_settings.main), m_model, m_annotations, m_clock.now().date());
    m_window.monthPicture()->setPixmap(QPixmap::fromImage(m_monthPicture));
    setMonthCaption();

    if (QWidget* playback = m_window.playbackPanel()) {
        setRole(playback, QPalette::Window, m_settings.main.playbackPanelBackground);
        playback->setAutoFillBackground(true);
    }
}

void CalendarView::setMonthCaption()
{
    QLabel* caption = m_window.monthCaption();
    const QString text = monthCaptionText(m_model.year(), m_model.month());
    caption->setText(text);
    const int size = monthCaptionFontSize(int(text.size()), m_window.minimizeButton()->isVisibleTo(&m_window),
                                          m_window.clockLabel()->isVisibleTo(&m_window),
                                          m_window.nextMonthArrow()->isVisibleTo(&m_window));
    if (size != m_captionSize) {
        m_captionSize = size;
        caption->setFont(tahoma(size, true));
    }
}

void CalendarView::layoutFrame()
{
    const MainWindowSettings& s = m_settings.main;
    const bool top = topPanelShown();
    const bool grid = s.gridLines;
    const bool frame = s.windowFrame;
    const int w = m_window.width();
    const int right = w - 1;
    const int corner = CornerPiece::kSize;
    const int captionTop = top ? kTopPanelHeight : 0;

    m_cornerLeft->move(0, 0);
    m_cornerRight->move(w - corner, 0);
    m_cornerLeft->setVisible(grid || frame);
    m_cornerRight->setVisible(grid || frame);

    // The frame: a top line between the corners (beside the picture when
    // the top panel shows) and the two sides down to the month.
    const bool longSides = top || !frame;
    const int topLeft = longSides ? kPictureWidth : corner;
    const int topWidth = longSides ? 107 : 131;
    const int sideHeight = longSides ? 76 : 12;
    m_frameTop->setGeometryAndLines(QRect(topLeft, 0, topWidth, 1), {QLine(0, 0, topWidth - 1, 0)});
    m_frameRight->setGeometryAndLines(QRect(right, corner, 1, sideHeight), {QLine(0, 0, 0, sideHeight - 1)});
    m_frameLeft->setGeometryAndLines(QRect(0, corner, 1, sideHeight), {QLine(0, 0, 0, sideHeight - 1)});
    for (FrameShape* shape : {m_frameTop, m_frameRight, m_frameLeft})
        shape->setVisible(frame);

    // The separators: under the top panel, under the caption row, the
    // caption row's sides (and its top between the corners without the top
    // panel), and the box around the clock.
    m_lineAboveCaption->setGeometryAndLines(QRect(0, kTopPanelHeight - 1, w, 1), {QLine(0, 0, right, 0)});
    m_lineBelowCaption->setGeometryAndLines(QRect(0, captionTop + kCaptionRowHeight - 1, w, 1), {QLine(0, 0, right, 0)});
    const int rowBottom = kCaptionRowHeight - 1;
    QList<QLine> captionBox;
    const int sideTop = top ? 0 : corner;
    captionBox << QLine(0, sideTop, 0, rowBottom) << QLine(right, sideTop, right, rowBottom);
    if (!top)
        captionBox << QLine(corner, 0, right - corner, 0);
    m_captionBox->setGeometryAndLines(QRect(0, captionTop, w, kCaptionRowHeight), captionBox);
    const int boxLeft = kPictureWidth - 1;
    const int boxWidth = w - boxLeft;
    m_clockBox->setGeometryAndLines(QRect(boxLeft, 0, boxWidth, kTopPanelHeight),
                                  {QLine(0, 0, 0, kTopPanelHeight - 1), QLine(0, 0, boxWidth - 1 - corner, 0),
                                   QLine(boxWidth - 1, corner, boxWidth - 1, kTopPanelHeight - 1)});
    m_lineAboveCaption->setVisible(grid && top);
    m_lineBelowCaption->setVisible(grid);
    m_captionBox->setVisible(grid);
    m_clockBox->setVisible(grid && top);

    for (QWidget* piece : std::initializer_list<QWidget*>{m_lineAboveCaption, m_lineBelowCaption, m_captionBox, m_clockBox, m_frameTop, m_frameRight,
                                                          m_frameLeft, m_cornerLeft, m_cornerRight})
        piece->raise();
    if (QToolButton* minimize = m_window.minimizeButton())
        minimize->raise();
}

void CalendarView::placeBackground()
{
    if (m_background.isNull())
        return;
    const QRect r = backgroundPlacement(m_background.size(), m_backgroundIsSkin, topPanelShown(), m_window.width());
    if (m_backgroundPicture->geometry() != r || m_backgroundPicture->pixmap().size() != r.size() || m_backgroundPicture->pixmap().isNull()) {
        m_backgroundPicture->setGeometry(r);
        m_backgroundPicture->setPixmap(QPixmap::fromImage(
            m_background.scaled(r.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    }
    m_backgroundPicture->lower();
}

void CalendarView::applyBackground()
{
    const BackgroundPicture bg = buildBackground(m_settings.main, m_paths, m_window.width());
    if (bg.clearSkinName && !m_settings.main.skinPicture.isEmpty()) {
        m_settings.main.skinPicture.clear();
        emit settingsAdjusted();
    }
    m_background = bg.image;
    m_backgroundIsSkin = bg.skin;
    // A new picture of the same size must replace the old one.
    m_backgroundPicture->setPixmap(QPixmap());
    placeBackground();
}

void CalendarView::applyColours()
{
    MainWindowSettings& s = m_settings.main;
    bool adjusted = false;
    if (m_zodiacKey) {
        if (const std::optional<Colour> key = m_zodiacKey()) {
            if (s.background == *key) {
                s.background = 0;
                adjusted = true;
            }
            if (s.textColour(TextElement::Zodiac) == *key && m_zodiacBuiltIn && m_zodiacBuiltIn()) {
                s.textColour(TextElement::Zodiac) = 0;
                adjusted = true;
            }
        }
    }

    setRole(&m_window, QPalette::Window, s.background);
    m_window.setAutoFillBackground(true);
    if (QWidget* info = m_window.infoPanel()) {
        setRole(info, QPalette::Window, s.background);
        info->setAutoFillBackground(true);
    }
    m_scroll->setColours(s.textColour(TextElement::ScrollingText), s.background);
    setRole(m_window.monthCaption(), QPalette::WindowText, s.textColour(TextElement::Caption));
    setRole(m_window.clockLabel(), QPalette::WindowText, s.textColour(TextElement::Clock));
    drawArrows();
    colourMenuBars();

    if (adjusted)
        emit settingsAdjusted();
    emit coloursApplied();
    applyBackground();
    redrawCalendar(false);
}

void CalendarView::drawArrows()
{
    m_window.previousMonthArrow()->setPixmap(arrowPixmap(true, m_settings.main.textColour(TextElement::Caption)));
    m_window.nextMonthArrow()->setPixmap(arrowPixmap(false, m_settings.main.textColour(TextElement::Caption)));
}

void CalendarView::framePicture()
{
    if (m_weatherIcon && !m_weatherPicture.isNull()) {
        m_window.timeOfDayPicture()->setPixmap(QPixmap::fromImage(m_weatherPicture));
        return;
    }
    m_window.timeOfDayPicture()->setPixmap(QPixmap::fromImage(
        framedTimeOfDayPicture(m_timeOfDay, m_settings.main.gridLines, m_settings.main.windowFrame)));
}

void CalendarView::applyFonts()
{
    m_window.clockLabel()->setFont(windowFontOf(m_settings.main.clockFont));
    m_scroll->setFont(windowFontOf(m_settings.main.textPanelFont));
}

void CalendarView::watchScreen(ScreenActivity* activity)
{
    if (!activity)
        return;
    m_scroll->setScreenInUse(activity->screenInUse());
    connect(activity, &ScreenActivity::screenInUseChanged, m_scroll, &ScrollingText::setScreenInUse);
}

void CalendarView::applyScrollSpeed()
{
    m_scroll->setSpeedLevel(m_settings.main.scrollSpeed);
}

void CalendarView::updateDayFacts(bool updatePicture)
{
    m_facts = computeDayFacts(m_clock.now(), m_zone);
    const QString text = factsText();
    m_window.timeOfDayPicture()->setToolTip(text);
    m_card->setText(text);
    if (updatePicture && m_partTracker.switchTo(m_facts.part, m_weatherIcon))
        reloadTimeOfDayPicture();
}

QString CalendarView::factsText() const
{
    return m_facts.text() + m_weatherSummary;
}

void CalendarView::setWeatherIcon(bool shown, const QString& summary, const QImage& icon)
{
    const bool wasShown = m_weatherIcon && !m_weatherPicture.isNull();
    m_weatherIcon = shown;
    m_weatherSummary = shown ? summary : QString();
    m_weatherPicture = shown ? icon : QImage();
    updateDayFacts(false);
    if (shown && !icon.isNull())
        framePicture();
    else if (wasShown)
        reloadTimeOfDayPicture();
}

void CalendarView::reloadTimeOfDayPicture()
{
    m_timeOfDay = timeOfDayPicture(m_paths, m_settings.main.timeOfDaySet, m_facts.part);
    framePicture();
}

void CalendarView::rebuildDayText()
{
    if (!m_started)
        return;
    const DayTextModel::Update update = m_dayText.rebuild(m_radio, m_music);
    if (update.panelChanged)
        m_scroll->setText(m_dayText.text().panelText);
    if (update.hintChanged)
        m_scroll->setHint(m_dayText.text().hint);
}

void CalendarView::setMediaSources(const RadioSource& radio, const MusicSource& music)
{
    m_radio = radio;
    m_music = music;
    rebuildDayText();
}

void CalendarView::setVisibleTexts(const VisibleTexts& texts)
{
    m_dayText.setVisibleTexts(texts);
    m_visibleTextsReplaceable = true;
    rebuildDayText();
}

bool CalendarView::saveVisibleTexts(QString* error) const
{
    const QString& path = m_paths.path(PathId::PanelTekstowy);
    if (!m_visibleTextsReplaceable) {
        if (error)
            *error = QStringLiteral("Plik \"%1\" nie został odczytany, więc pozostaje bez zmian.").arg(path);
        return false;
    }
    return m_dayText.visibleTexts().save(path, error);
}

void CalendarView::monthArrowsChanged()
{
    const bool on = m_settings.main.monthArrows;
    m_window.previousMonthArrow()->setVisible(on);
    m_window.nextMonthArrow()->setVisible(on);
    if (!on && !m_model.showsCurrentMonth())
        redrawCalendar(true);
    else
        setMonthCaption();
}

bool CalendarView::showPreviousMonth()
{
    if (!m_model.canGoToPreviousMonth())
        return false;
    m_model.previousMonth();
    redrawCalendar(false);
    return true;
}

bool CalendarView::showNextMonth()
{
    if (!m_model.canGoToNextMonth())
        return false;
    m_model.nextMonth();
    redrawCalendar(false);
    return true;
}

void CalendarView::showCurrentMonth()
{
    m_model.goToToday();
    redrawCalendar(false);
}

void CalendarView::openGoToDateDialog(const QPoint& globalPos)
{
    if (!m_goToDate) {
        m_goToDate = new GoToDateDialog(&m_window);
        connect(m_goToDate, &GoToDateDialog::monthChosen, this, [this](int year, int month) {
            if (m_model.goToMonth(year, month))
                redrawCalendar(false);
        });
    }
    m_goToDate->openAt(m_model.year(), m_model.month(), globalPos);
}

void CalendarView::openVisibleTextsDialog(QWidget* toolsWindow)
{
    if (!m_visibleDialog) {
        m_visibleDialog = new VisibleTextsDialog(&m_window);
        connect(m_visibleDialog, &VisibleTextsDialog::chosen, this, &CalendarView::setVisibleTexts);
    }
    m_visibleDialog->openFor(m_dayText.visibleTexts(), toolsWindow);
}

void CalendarView::openChosenDateWindow(const QDate& date)
{
    if (!m_chosenWindow)
        m_chosenWindow = new ChosenDateWindow(m_paths.path(PathId::Imieniny), m_paths.path(PathId::Sentencje), &m_window);
    m_chosenWindow->showDate(date.isValid() ? date : m_chosenDate);
}

bool CalendarView::openDayMenu(const QPoint& kalPos, const QPoint& globalPos)
{
    const int day = m_model.dayAt(GridGeometry().cellAt(kalPos.x(), kalPos.y()));
    if (day == 0)
        return false;
    m_chosenDate = QDate(m_model.year(), m_model.month(), day);
    const QList<DayMenuEntry> entries = m_annotations.isFor(m_model.year(), m_model.month())
        ? m_annotations.day(day).entries
        : QList<DayMenuEntry>();
    m_addMenu->openFor(m_chosenDate, entries, globalPos);
    return true;
}

QString CalendarView::hintAt(const QPoint& kalPos) const
{
    const int day = m_model.dayAt(GridGeometry().cellAt(kalPos.x(), kalPos.y()));
    if (day == 0 || !m_annotations.isFor(m_model.year(), m_model.month()))
        return {};
    return m_annotations.day(day).hint;
}

void CalendarView::copyToClipboard(CopyItem item)
{
    QApplication::clipboard()->setText(m_dayText.copyText(item));
}

void CalendarView::showCard(QWidget* widget, const QPoint& globalPos)
{
    if (widget != m_window.timeOfDayPicture())
        return;
    m_card->setText(factsText());
    m_card->showAt(globalPos);
}

void CalendarView::attachColoursPage(ColoursPage* page)
{
    connect(page, &ColoursPage::coloursChanged, this, &CalendarView::applyColours);
    connect(page, &ColoursPage::backgroundChanged, this, [this, page] {
        applyBackground();
        redrawCalendar(false);
        page->refreshSkinName();
    });
    connect(page, &ColoursPage::calendarChanged, this, [this] { redrawCalendar(false); });
    connect(page, &ColoursPage::gridOrFrameChanged, this, [this] {
        redrawCalendar(false);
        framePicture();
    });
    connect(page, &ColoursPage::fontChanged, this, [this](TextElement element) {
        if (element == TextElement::Clock || element == TextElement::ScrollingText)
            applyFonts();
    });
    connect(this, &CalendarView::settingsAdjusted, page, &ColoursPage::load);
}

void CalendarView::attachTimeOfDaySetList(TimeOfDaySetList* list)
{
    connect(list, &TimeOfDaySetList::setChanged, this, [this] {
        updateDayFacts(false);
        reloadTimeOfDayPicture();
    });
}

bool CalendarView::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    QLabel* kal = m_window.monthPicture();
    if (watched == kal) {
        if (type == QEvent::MouseMove) {
            const QString hint = hintAt(localPos(event));
            if (kal->toolTip() != hint) {
                kal->setToolTip(hint);
                if (hint.isEmpty()) {
                    if (HintController* hints = HintController::instance())
                        hints->cancel();
                }
            }
        } else if (type == QEvent::Leave) {
            kal->setToolTip(QString());
        } else if (type == QEvent::MouseButtonDblClick && isLeftButton(event)) {
            openDayMenu(localPos(event), globalPos(event));
            return true;
        }
        return false;
    }
    if (watched == m_window.monthCaption()) {
        if (type == QEvent::MouseButtonDblClick && isLeftButton(event)) {
            m_captionMenu->openAt(m_model.showsCurrentMonth(), globalPos(event));
            return true;
        }
        return false;
    }
    const bool previous = watched == m_window.previousMonthArrow();
    if (previous || watched == m_window.nextMonthArrow()) {
        // A click and a double click each move one month: a double click
        // is a click, then the double click itself, whose release is no
        // further click. Releases go on to the window's drag handling.
        bool click = type == QEvent::MouseButtonRelease && isLeftButton(event)
            && static_cast<QWidget*>(watched)->rect().contains(localPos(event));
        const bool doubleClick = type == QEvent::MouseButtonDblClick && isLeftButton(event);
        if (click && m_swallowRelease == watched)
            click = false;
        if (type == QEvent::MouseButtonRelease)
            m_swallowRelease = nullptr;
        if (doubleClick)
            m_swallowRelease = watched;
        if (click || doubleClick) {
            if (previous)
                showPreviousMonth();
            else
                showNextMonth();
        }
        return doubleClick;
    }
    if (watched == m_window.timeOfDayPicture()) {
        if (type == QEvent::Leave)
            m_card->hide();
        if (type == QEvent::MouseButtonDblClick) {
            emit weatherMenuRequested(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        }
        return false;
    }
    if (watched == &m_window && (type == QEvent::Resize || type == QEvent::Show)) {
        layoutFrame();
        placeBackground();
    }
    return QObject::eventFilter(watched, event);
}

void CalendarView::hourChanged(const QDateTime&)
{
    updateDayFacts(true);
    redrawCalendar(false);
}

void CalendarView::minuteChanged(const QDateTime&)
{
    updateDayFacts(true);
}

void CalendarView::dayChanged(DayStep step, const DayChange&)
{
    switch (step) {
    case DayStep::DayFacts: updateDayFacts(true); break;
    case DayStep::TodaysMonth: redrawCalendar(true); break;
    case DayStep::ScrollingText: rebuildDayText(); break;
    default: break;
    }
}

} // namespace zorvex

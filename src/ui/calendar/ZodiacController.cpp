#include "ui/calendar/ZodiacController.h"

#include "core/app/Settings.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/reminders/ZodiacPersons.h"
#include "ui/calendar/ZodiacPictures.h"
#include "ui/common/LazyIcon.h"

#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QPixmap>

namespace zorvex {

ZodiacController::ZodiacController(QLabel* area, const Settings& settings, const PathTable& paths,
                                   const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_area(area)
    , m_settings(settings)
    , m_paths(paths)
    , m_clock(clock)
    , m_guard(clock)
{
    buildMenu();
    if (m_area) {
        m_area->setAlignment(Qt::AlignCenter);
        m_area->installEventFilter(this);
    }
}

ZodiacController::~ZodiacController()
{
    delete m_menu;
}

void ZodiacController::buildMenu()
{
    m_menu = new QMenu();
    m_menu->setObjectName(QStringLiteral("MenuHor"));
    QAction* show = m_menu->addAction(QString::fromUtf8("Pokaż horoskop"));
    show->setData(0);
    m_menu->addSeparator();
    for (int number = 1; number <= kZodiacSigns; ++number) {
        const int sign = signOfHoroscopeNumber(number);
        // Drawn when the menu first shows.
        const QIcon icon = lazyIcon([sign] { return QIcon(QPixmap::fromImage(zodiacMenuIcon(sign))); }, 16);
        QAction* a = m_menu->addAction(icon, zodiacSignName(sign));
        a->setData(number);
    }
    connect(m_menu, &QMenu::triggered, this,
            [this](QAction* a) { emit horoscopeRequested(a->data().toInt()); });
}

bool ZodiacController::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_area && e->type() == QEvent::MouseButtonDblClick) {
        m_menu->popup(static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
        return true;
    }
    return QObject::eventFilter(watched, e);
}

bool ZodiacController::dailyRefresh()
{
    if (!m_guard.take())
        return false;
    emit dayStarted();
    const int sign = SignOf(m_guard.lastRun());
    if (sign == 0 || !m_area)
        return true;
    draw();
    refreshHint();
    return true;
}

void ZodiacController::refreshHint()
{
    const int sign = SignOf(m_clock.now().date());
    if (sign == 0 || !m_area)
        return;
    QString hint = zodiacHintFromFile(sign, m_paths.path(PathId::Osoby));
    // The hint window breaks lines at LF alone.
    hint.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_area->setToolTip(hint);
}

void ZodiacController::draw()
{
    draw(m_settings.main.textColour(TextElement::Zodiac));
}

void ZodiacController::draw(Colour colour)
{
    const int sign = SignOf(m_clock.now().date());
    if (sign == 0 || !m_area)
        return;
    const ZodiacPicture picture = zodiacPicture(m_settings.main, m_paths, sign, colour, m_area->size());

    m_area->setMovie(nullptr);
    if (m_movie) {
        m_movie->deleteLater();
        m_movie = nullptr;
    }
    m_area->clear();
    m_transparent.reset();
    m_builtInShown = false;

    if (!picture.movieFile.isEmpty()) {
        m_movie = new QMovie(picture.movieFile, QByteArray(), this);
        m_area->setMovie(m_movie);
        m_movie->start();
        return;
    }
    if (picture.image.isNull())
        return; // a missing fixed picture: the area stays empty
    m_area->setPixmap(QPixmap::fromImage(picture.image));
    // Which keyed picture is showing decides what ApplyColours must avoid.
    m_transparent = picture.transparent;
    m_builtInShown = picture.builtIn;
}

void ZodiacController::tick(TickStep, const QDateTime&)
{
    dailyRefresh();
}

} // namespace zorvex

#include "ui/reminders/AlarmService.h"

#include "core/common/Clock.h"
#include "core/common/DataFile.h"
#include "core/common/Notice.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlay.h"
#include "core/media/BassPlaySet.h"
#include "core/reminders/AlarmEntry.h"
#include "platform/PowerActions.h"
#include "platform/System.h"
#include "ui/app/TrayIcon.h"
#include "ui/common/Messages.h"
#include "ui/reminders/AlarmCountdownWindow.h"
#include "ui/reminders/AlarmPage.h"

#include <QProcess>

#include <cstdio>
#include <limits>

namespace zorvex {
namespace {

QSystemTrayIcon::MessageIcon balloonIcon(AlarmIcon icon)
{
    switch (icon) {
    case AlarmIcon::Exclamation: return QSystemTrayIcon::Warning;
    case AlarmIcon::Stop: return QSystemTrayIcon::Critical;
    case AlarmIcon::Information:
    case AlarmIcon::Question: return QSystemTrayIcon::Information;
    case AlarmIcon::None: break;
    }
    return QSystemTrayIcon::NoIcon;
}

} // namespace

AlarmService::AlarmService(const Clock& clock, const PathTable& paths, BassPlaySet& players, TrayIcon* tray,
                           Prompts& prompts, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_paths(paths)
    , m_players(players)
    , m_tray(tray)
    , m_prompts(prompts)
    , m_power(std::make_unique<SystemPowerActions>())
{
    m_countdown = std::make_unique<AlarmCountdownWindow>(*m_power, m_prompts);
    m_page = new AlarmPage(m_prompts);
    m_page->setClock(&m_clock);
    AlarmPage::Callbacks callbacks;
    callbacks.showMessageBox = [this](const QString& c, const QString& t, AlarmIcon i) { showMessageBox(c, t, i); };
    callbacks.showBalloon = [this](const QString& c, const QString& t, AlarmIcon i) { showBalloon(c, t, i); };
    callbacks.balloonsAvailable = [this] { return m_tray && m_tray->shown(); };
    callbacks.playSound = [this](const QString& path) { play(path); };
    callbacks.stopSound = [this] { stopSound(); };
    m_page->setCallbacks(std::move(callbacks));
    bool loaded = false;
    m_page->setAlarms(AlarmFile::load(m_paths.path(PathId::Alarm), &loaded));
    m_fileReplaceable = mayReplaceAfterLoad(loaded, m_paths.path(PathId::Alarm));
    m_check = std::make_unique<AlarmCheck>(m_clock, m_page->alarms(), *this);

    // The end of the sound gives the page its "Testuj" button back.
    connect(&m_players.player(BassPlaySet::Alarm), &BassPlay::stopped, this, [this] {
        m_players.closeFile(BassPlaySet::Alarm);
        m_page->soundFinished();
    });
}

AlarmService::~AlarmService() = default;

void AlarmService::tick()
{
    m_check->tick();
}

void AlarmService::save()
{
    const QString& path = m_paths.path(PathId::Alarm);
    // Written from the list, a file read only in part would lose the rest.
    if (!m_fileReplaceable) {
        noticeOnce(QStringLiteral("Plik alarmów \"%1\" nie został odczytany w całości, więc zmiany alarmów nie są "
                                  "w nim zapisywane.")
                       .arg(path));
        return;
    }
    AlarmFile::save(path, m_page->alarms());
}

void AlarmService::beginAdd(const QDate& date)
{
    m_page->beginAdd(date, m_clock.now().time());
}

void AlarmService::alarmsChanged()
{
    m_page->refreshList();
    save();
}

void AlarmService::runPowerAction(PowerAction action, bool withCancelWindow)
{
    m_countdown->request(action, withCancelWindow);
}

void AlarmService::playAlarmSound(const QString& path)
{
    play(path);
    m_page->showSoundPlaying(true);
}

void AlarmService::startProgram(const QString& commandLine)
{
    QStringList parts = splitProgramCommand(commandLine);
    if (parts.isEmpty())
        return;
    const QString program = parts.takeFirst();
    // A program that cannot start is passed over; only the log hears of it.
    if (!QProcess::startDetached(program, parts)) {
        std::fprintf(stderr, "Alarm: nie można uruchomić programu: %s\n", commandLine.toLocal8Bit().constData());
        std::fflush(stderr);
    }
}

void AlarmService::showMessageBox(const QString& caption, const QString& text, AlarmIcon icon)
{
    // A window of its own: the check goes on while it is open, so an alarm
    // due meanwhile still fires on its second.
    if (QMessageBox* box = m_prompts.window(alarmBoxIcon(icon), caption, text, true))
        box->setObjectName(QStringLiteral("alarmMessage"));
}

void AlarmService::showBalloon(const QString& caption, const QString& text, AlarmIcon icon)
{
    // Shown until clicked: the longest time a balloon can ask for.
    if (m_tray && m_tray->shown())
        m_tray->showBalloon(caption, text, balloonIcon(icon), std::numeric_limits<int>::max());
}

void AlarmService::play(const QString& path)
{
    m_players.player(BassPlaySet::Alarm).setFileName(path);
    m_players.playFile(BassPlaySet::Alarm);
}

void AlarmService::stopSound()
{
    m_players.closeFile(BassPlaySet::Alarm);
    m_page->soundFinished();
}

void AlarmService::newSecond(const QDateTime&)
{
    tick();
}

} // namespace zorvex

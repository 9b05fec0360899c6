#include "ui/net/MailService.h"

#include "core/common/AtomicFile.h"
#include "core/common/Clock.h"
#include "core/common/DayTime.h"
#include "core/common/PathTable.h"
#include "core/internet/ProxySetting.h"
#include "core/media/BassPlaySet.h"
#include "core/net/MailSettings.h"
#include "core/net/SpeakerSignals.h"
#include "platform/net/Pop3Connection.h"
#include "platform/net/KeyboardLight.h"
#include "ui/app/TrayIcon.h"
#include "ui/common/Messages.h"
#include "ui/common/SoundFileChooser.h"
#include "ui/net/MailMessagesWindow.h"
#include "ui/net/MailPage.h"
#include "ui/net/NetSounds.h"
#include "ui/net/StatusPopup.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace zorvex {

class MailService::PopupHide : public IntervalService {
public:
    explicit PopupHide(MailService& s)
        : m_s(s)
    {
    }
    Interval interval() const override
    {
        return Interval::seconds(m_s.m_s.settings.notifyAutoHide && m_s.m_popup->isVisible(), m_s.m_s.settings.notifyHideSeconds);
    }
    void runInterval(const QDateTime&) override { m_s.m_popup->hide(); }

private:
    MailService& m_s;
};

MailService::MailService(Services services, QObject* parent)
    : QObject(parent)
    , m_s(std::move(services))
    , m_connection(std::make_unique<Pop3Connection>())
    , m_popupHide(std::make_unique<PopupHide>(*this))
{
    m_accountsLoaded = loadMailAccounts(m_s.paths.path(PathId::Poczta), &m_accounts);
    m_page = new MailPage(*this, m_s.settings, m_s.sound);
    // The Tools window may go first at the end.
    connect(m_page, &QObject::destroyed, this, [this] { m_page = nullptr; });
    m_page->soundChooser()->setCallbacks(soundCallbacks(m_page, m_s.paths, m_s.players, BassPlaySet::Mail,
                                                        QStringLiteral("Zorvex - Sprawdzanie poczty"), m_s.prompts));
    if (m_s.players) {
        connect(&m_s.players->player(BassPlaySet::Mail), &BassPlay::stopped, this, [this] {
            if (m_page)
                m_page->soundChooser()->testEnded();
        });
    }
    m_popup = new StatusPopup(QStringLiteral("MailNotification"));
    connect(m_popup, &StatusPopup::clicked, this, [this] {
        if (m_s.settings.notifyClick == 1)
            startMailProgram();
        else if (m_s.settings.notifyClick == 2)
            showMessagesWindow();
    });
    connect(m_connection.get(), &Pop3Connection::finished, this, [this](const Pop3Session::Result& r) {
        if (m_checking)
            accountChecked(r);
        else if (m_deleting)
            groupDeleted(r);
    });
    if (m_page)
        m_page->refresh();
}

IntervalService& MailService::popupHide()
{
    return *m_popupHide;
}

QDate MailService::today() const
{
    return m_s.clock.now().date();
}

MailService::~MailService()
{
    m_connection.reset();
    delete m_popup;
    delete m_window;
    if (m_page && !m_page->parent())
        delete m_page;
}

MailMessagesWindow* MailService::messagesWindow()
{
    if (!m_window)
        m_window = new MailMessagesWindow(*this, m_s.settings);
    return m_window;
}

void MailService::setAccounts(const QList<MailAccount>& accounts)
{
    m_accounts = accounts;
    m_accountsLoaded = true;
    if (m_page)
        m_page->refresh();
    emit accountsChanged();
}

bool MailService::save() const
{
    // A file that was there but could not be read is not replaced.
    if (!m_accountsLoaded)
        return false;
    return saveMailAccounts(m_s.paths.path(PathId::Poczta), m_accounts);
}

Pop3Session::Login MailService::loginOf(const MailAccount& a) const
{
    return {a.login, unscramblePassword(a.password), !a.ssl};
}

void MailService::startSession(const MailAccount& a, std::unique_ptr<Pop3Session> session)
{
    const auto target = a.target();
    Pop3Connection::Target t;
    t.host = target ? target->host : QString();
    t.port = target ? target->port : 110;
    t.implicitTls = a.ssl;
    t.trustedSha256 = a.trustedSha256;
    m_connection->setReadTimeoutMs(m_timeoutMs);
    m_connection->run(t, std::move(session));
}

bool MailService::checkMail()
{
    if (m_checking || m_deleting)
        return false;
    QList<int> all;
    for (int i = 0; i < m_accounts.size(); ++i)
        all << i;
    m_messages.clear();
    startChecking(all);
    return true;
}

bool MailService::checkAccount(int index)
{
    if (m_checking || m_deleting || index < 0 || index >= m_accounts.size())
        return false;
    const QString login = m_accounts.at(index).login;
    m_messages.erase(std::remove_if(m_messages.begin(), m_messages.end(),
                                    [&](const FetchedMessage& m) { return m.account.login == login; }),
                     m_messages.end());
    startChecking({index});
    return true;
}

void MailService::startChecking(const QList<int>& accounts)
{
    m_queue = accounts;
    m_checking = true;
    m_cancelled = false;
    m_before = m_accounts;
    m_newMail.clear();
    if (intervalRestarted)
        intervalRestarted();
    if (busyChanged)
        busyChanged(true);
    if (m_page)
        m_page->setChecking(true);
    if (m_window)
        m_window->setChecking(true);
    checkNext();
}

void MailService::cancel()
{
    if (!m_checking)
        return;
    m_cancelled = true;
    m_queue.clear();
    m_connection->cancel();
}

void MailService::checkNext()
{
    if (m_queue.isEmpty() || m_cancelled) {
        endCheck();
        return;
    }
    m_current = m_queue.takeFirst();
    const MailAccount& a = m_accounts.at(m_current);
    if (m_page)
        m_page->selectAccount(m_current);
    if (!a.target()) {
        m_accounts[m_current].status = QStringLiteral("Niepoprawny adres serwera POP3.");
        QMetaObject::invokeMethod(this, &MailService::checkNext, Qt::QueuedConnection);
        return;
    }
    startSession(a, std::make_unique<Pop3Session>(loginOf(a), m_s.settings.fetchHeaders));
}

void MailService::accountChecked(const Pop3Session::Result& r)
{
    if (m_current >= 0 && m_current < m_accounts.size()) {
        MailAccount& a = m_accounts[m_current];
        if (r.count >= 0)
            a.count = r.count;
        a.status = pop3ErrorText(r.error, r.detail);
        if (r.error == Pop3Error::Untrusted && !m_connection->peerSha256().isEmpty())
            a.status += QStringLiteral(" Odcisk SHA-256 certyfikatu: ") + m_connection->peerSha256();
        if (m_s.settings.fetchHeaders) {
            for (const Pop3Message& m : r.messages)
                m_messages << FetchedMessage{a, m};
        }
    }
    if (m_page)
        m_page->refresh();
    checkNext();
}

void MailService::endCheck()
{
    m_checking = false;
    if (busyChanged)
        busyChanged(false);
    m_current = -1;
    if (!m_s.settings.fetchHeaders)
        m_messages.clear();
    m_s.settings.lastCheck = toDayTime(m_s.clock.now());
    if (m_page)
        m_page->setChecking(false);
    if (m_page)
        m_page->refresh();
    if (m_window) {
        m_window->setChecking(false);
        m_window->rebuild();
    }
    m_newMail = newMailList(m_before, m_accounts, m_s.settings.actWhen);
    if (m_s.settings.autoCheck || m_s.settings.checkAtStart)
        announce();
    emit checkFinished();
}

void MailService::announce()
{
    if (m_newMail.isEmpty())
        return;
    const MailSettings& s = m_s.settings;
    QStringList rows;
    QList<QPair<QString, QString>> popupRows;
    for (const NewMail& m : std::as_const(m_newMail)) {
        rows << newMailRow(m);
        popupRows.append({QStringLiteral("mail-unread"), newMailRow(m)});
    }
    const bool fullScreen = (s.noNotifyInFullScreen || s.noBalloonInFullScreen) && fullScreenInFront && fullScreenInFront();
    if (s.notify && !(s.noNotifyInFullScreen && fullScreen)) {
        m_popup->showRows(popupRows);
        if (popupShown)
            popupShown();
    }
    SoundFileChooser* chooser = m_page ? m_page->soundChooser() : nullptr;
    if (s.playSound && chooser && QFileInfo(chooser->resolvedPath()).isFile()) {
        // As if "Testuj" were pressed; a test already playing is left alone.
        if (!chooser->testRunning())
            chooser->pressTest();
    } else if (s.speakerSignal) {
        // The speaker's signal as generated tones, through the same player.
        if (!m_speakerDir)
            m_speakerDir = std::make_unique<QTemporaryDir>();
        const QString file = m_speakerDir->filePath(QStringLiteral("sygnal.wav"));
        if (m_speakerDir->isValid() && writeFileAtomically(file, speakerSignalWav(s.speakerSignalNumber)))
            play(file);
    }
    if (s.blinkScrollLock && m_s.light && m_s.light->available() && !m_blinking) {
        m_blinking = true;
        m_lightSet = m_s.light->scrollLockOn();
        if (blinkingChanged)
            blinkingChanged(true);
    }
    if (s.balloon && m_s.tray && !(s.noBalloonInFullScreen && fullScreen))
        m_s.tray->showBalloon(QStringLiteral("Poczta"), rows.join(QLatin1Char('\r')), QSystemTrayIcon::Information,
                              s.balloonAutoHide ? s.balloonHideSeconds * 1000 : 0, BalloonSource::Mail);
}

void MailService::play(const QString& path)
{
    if (!m_s.players)
        return;
    m_s.players->player(BassPlaySet::Mail).setFileName(path);
    m_s.players->playFile(BassPlaySet::Mail);
}

bool MailService::deleteMessages(QList<int> indices)
{
    if (m_checking || m_deleting || indices.isEmpty())
        return false;
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    // From the last selected row to the first, one session per mailbox, so
    // that every mailbox gets its own QUIT.
    m_deleteGroups.clear();
    for (auto it = indices.crbegin(); it != indices.crend(); ++it) {
        if (*it < 0 || *it >= m_messages.size())
            continue;
        const MailAccount& a = m_messages.at(*it).account;
        bool placed = false;
        for (QList<int>& g : m_deleteGroups) {
            if (m_messages.at(g.constFirst()).account.sameMailbox(a) && m_messages.at(g.constFirst()).account.ssl == a.ssl) {
                g << *it;
                placed = true;
                break;
            }
        }
        if (!placed)
            m_deleteGroups << QList<int>{*it};
    }
    if (m_deleteGroups.isEmpty())
        return false;
    m_deleting = true;
    if (busyChanged)
        busyChanged(true);
    m_requested = int(indices.size());
    m_removed.clear();
    if (m_page)
        m_page->setChecking(true);
    QMetaObject::invokeMethod(this, &MailService::deleteNext, Qt::QueuedConnection);
    return true;
}

void MailService::deleteNext()
{
    if (m_deleteGroups.isEmpty()) {
        endDeletion(true, {});
        return;
    }
    m_currentGroup = m_deleteGroups.takeFirst();
    QList<Pop3Session::Deletion> deletions;
    for (int index : std::as_const(m_currentGroup))
        deletions << Pop3Session::Deletion{m_messages.at(index).message.number, m_messages.at(index).message.uidl};
    const MailAccount account = m_messages.at(m_currentGroup.constFirst()).account;
    startSession(account, std::make_unique<Pop3Session>(loginOf(account), deletions));
}

void MailService::groupDeleted(const Pop3Session::Result& r)
{
    // The server applied the deletions only when it answered QUIT.
    if (!r.finished || r.error != Pop3Error::None) {
        QString error = pop3ErrorText(r.error, r.detail);
        if (error.isEmpty())
            error = QStringLiteral("Połączenie z serwerem zostało nagle przerwane.");
        endDeletion(false, error);
        return;
    }
    for (int index : std::as_const(m_currentGroup)) {
        const QString login = m_messages.at(index).account.login;
        for (MailAccount& a : m_accounts) {
            if (a.login == login) {
                a.count = std::max(0, a.count - 1);
                a.status.clear();
            }
        }
        m_removed << index;
    }
    m_currentGroup.clear();
    deleteNext();
}

void MailService::endDeletion(bool ok, const QString& error)
{
    std::sort(m_removed.begin(), m_removed.end(), std::greater<int>());
    const int removed = int(m_removed.size());
    for (int index : std::as_const(m_removed))
        m_messages.removeAt(index);
    m_removed.clear();
    m_deleteGroups.clear();
    m_currentGroup.clear();
    m_deleting = false;
    if (busyChanged)
        busyChanged(false);
    if (m_page)
        m_page->setChecking(false);
    if (m_page)
        m_page->refresh();
    if (m_window)
        m_window->rebuild();
    const QString caption = QStringLiteral("Zorvex - usuwanie wiadomości");
    if (!ok) {
        m_s.prompts.window(QMessageBox::Warning, caption,
                           QStringLiteral("Usuwanie wiadomości nie powiodło się. Spróbuj ponownie później...\r\n\r\n")
                               + error.trimmed());
    } else if (m_s.settings.confirmDeletion) {
        m_s.prompts.window(QMessageBox::Information, caption,
                           m_requested == 1 ? QStringLiteral("Wiadomość została usunięta")
                                            : QStringLiteral("Wiadomości zostały usunięte"));
    }
    Q_UNUSED(removed);
    emit deletionFinished(ok, error);
}

void MailService::showMessagesWindow()
{
    if (!m_s.settings.fetchHeaders)
        return;
    stopBlinking();
    MailMessagesWindow* w = messagesWindow();
    w->rebuild();
    w->showNormal();
    w->raise();
    w->activateWindow();
}

QString MailService::startMailProgram()
{
    QString program = m_s.settings.program.trimmed();
    if (program.isEmpty() && m_s.defaultMailProgram)
        program = m_s.defaultMailProgram();
    QStringList parts = QProcess::splitCommand(program);
    if (parts.isEmpty())
        return QStringLiteral("Nie wybrano programu pocztowego.");
    const QString exe = parts.takeFirst();
    if (!QProcess::startDetached(exe, parts))
        return QStringLiteral("Nie można uruchomić programu pocztowego: ") + program;
    stopBlinking();
    if (m_window)
        m_window->hide();
    return {};
}

QString MailService::checkMailAction()
{
    if (m_accounts.isEmpty())
        return QStringLiteral("Brak kont pocztowych do sprawdzenia.");
    return checkMail() ? QString() : QStringLiteral("Sprawdzanie poczty już trwa.");
}

void MailService::runAtStart(const QDateTime&)
{
    if (m_s.settings.checkAtStart && !m_accounts.isEmpty())
        checkMail();
}

Interval MailService::interval() const
{
    return Interval::minutes(m_s.settings.autoCheck, m_s.settings.autoCheckMinutes);
}

void MailService::runInterval(const QDateTime&)
{
    checkMail();
}

void MailService::tick(TickStep step, const QDateTime&)
{
    if (step != TickStep::ScrollLock || !m_blinking || !m_s.light)
        return;
    // The user pressed Scroll Lock: the light is not what we set.
    if (m_s.light->scrollLockOn() != m_lightSet) {
        stopBlinking();
        return;
    }
    m_lightSet = !m_lightSet;
    m_s.light->setScrollLock(m_lightSet);
}

void MailService::stopBlinking()
{
    if (!m_blinking)
        return;
    m_blinking = false;
    if (m_s.light)
        m_s.light->setScrollLock(false);
    if (blinkingChanged)
        blinkingChanged(false);
}

void MailService::dayChanged(DayStep step, const DayChange&)
{
    if (step == DayStep::MailCaption)
        if (m_page)
            m_page->refresh();
}

} // namespace zorvex

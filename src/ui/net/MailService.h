#pragma once

#include "core/net/MailAccounts.h"
#include "core/net/Pop3Session.h"
#include "core/shell/LoopServices.h"

#include <QObject>
#include <QPointer>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace zorvex {

class Prompts;

class BassPlaySet;
class KeyboardLight;
class Clock;
class MailMessagesWindow;
class MailPage;
class PathTable;
class Pop3Connection;
class StatusPopup;
class TrayIcon;
struct MailSettings;
struct MailSoundSettings;

// A message header the last check fetched, with the mailbox it came from,
// so that the messages window can delete it there.
struct FetchedMessage {
    MailAccount account;
    Pop3Message message;
};

// The mail checker as the running program has it: the accounts and their
// file, the "Sprawdzanie poczty" page, the checks (by hand, at start, on
// the interval), the announcements, the messages window and its deletions.
// Every POP3 session runs without waiting; results arrive from the event
// loop.
class MailService : public QObject,
                    public StartupService,
                    public IntervalService,
                    public DayChangeService,
                    public TickService {
    Q_OBJECT
public:
    struct Services {
        const Clock& clock;
        const PathTable& paths;
        MailSettings& settings;
        MailSoundSettings& sound;
        Prompts& prompts;
        BassPlaySet* players = nullptr; // none in some tests
        TrayIcon* tray = nullptr;
        std::function<QString()> defaultMailProgram;
        KeyboardLight* light = nullptr; // the Scroll Lock light, if any
    };

    explicit MailService(Services services, QObject* parent = nullptr);
    ~MailService() override;

    Prompts& prompts() const { return m_s.prompts; }

    MailPage* page() const { return m_page; }
    MailMessagesWindow* messagesWindow();
    StatusPopup* popup() const { return m_popup; }

    const QList<MailAccount>& accounts() const { return m_accounts; }
    void setAccounts(const QList<MailAccount>& accounts);
    bool save() const;
    const QList<FetchedMessage>& messages() const { return m_messages; }
    const QList<NewMail>& newMail() const { return m_newMail; }
    bool checking() const { return m_checking; }
    QDate today() const;
    bool deleting() const { return m_deleting; }
    void setReadTimeoutMs(int ms) { m_timeoutMs = ms; }

    // CheckMail: every account in order; false when one is running.
    bool checkMail();
    // CheckAccount.
    bool checkAccount(int index);
    void cancel();
    // Deletes the messages at these indices of messages(); the result
    // arrives as deletionFinished().
    bool deleteMessages(QList<int> indices);
    // "Pokaż wiadomości"; nothing without header fetching.
    void showMessagesWindow();
    // Starts the mail program; the reason when it could not.
    QString startMailProgram();
    // The "--action check-mail" answer.
    QString checkMailAction();

    // The loop's steps.
    bool readyAtStart() const override { return true; }
    void runAtStart(const QDateTime& now) override;
    Interval interval() const override;
    void runInterval(const QDateTime& now) override;
    void dayChanged(DayStep step, const DayChange& change) override;
    // The 200 ms tick while new mail blinks Scroll Lock.
    void tick(TickStep step, const QDateTime& now) override;
    bool blinking() const { return m_blinking; }
    // Stops the blinking and puts the light out.
    void stopBlinking();
    // The 200 ms timer runs only while blinking.
    std::function<void(bool on)> blinkingChanged;
    // The auto-hide of the notification, counted from its showing.
    IntervalService& popupHide();
    std::function<void()> popupShown; // tells the loop to start the count
    // Tells the process priority that network work starts or ends.
    std::function<void(bool busy)> busyChanged;
    // Whether a full-screen program is in front ("NiePokPowFS", "NiePokBalFS").
    std::function<bool()> fullScreenInFront;
    // "Pokaż okno: Narzędzia - Sprawdzanie poczty" of the messages window.
    std::function<void()> openToolsPage;
    // A check started by hand starts the automatic interval anew.
    std::function<void()> intervalRestarted;

signals:
    void checkFinished();
    void deletionFinished(bool ok, const QString& error);
    void accountsChanged();

private:
    class PopupHide;
    // Checks the given accounts in turn, one session at a time.
    void startChecking(const QList<int>& accounts);
    void checkNext();
    void accountChecked(const Pop3Session::Result& r);
    void endCheck();
    void announce();
    void deleteNext();
    void groupDeleted(const Pop3Session::Result& r);
    void endDeletion(bool ok, const QString& error);
    void play(const QString& path);
    Pop3Session::Login loginOf(const MailAccount& a) const;
    void startSession(const MailAccount& a, std::unique_ptr<Pop3Session> session);

    Services m_s;
    QList<MailAccount> m_accounts;
    bool m_accountsLoaded = true;
    QList<FetchedMessage> m_messages;
    QList<NewMail> m_newMail;
    QList<MailAccount> m_before;
    QList<int> m_queue; // accounts still to check
    int m_current = -1;
    bool m_checking = false;
    bool m_deleting = false;
    bool m_cancelled = false;
    bool m_blinking = false;
    bool m_lightSet = false; // what the blinking set last
    int m_timeoutMs = 120000;
    // The deletion in progress: groups of (message index) per mailbox.
    QList<QList<int>> m_deleteGroups;
    QList<int> m_currentGroup;
    QList<int> m_removed; // rows the servers deleted, removed at the end
    int m_requested = 0;
    std::unique_ptr<Pop3Connection> m_connection;
    std::unique_ptr<PopupHide> m_popupHide;
    MailPage* m_page = nullptr;
    QPointer<MailMessagesWindow> m_window;
    StatusPopup* m_popup = nullptr;
    std::unique_ptr<QTemporaryDir> m_speakerDir;
};

} // namespace zorvex

#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace zorvex {

class Prompts;

class BassPlaySet;
class Clock;
class KeyboardLight;
class MailService;
class PingService;
class TrayIcon;
class PathTable;
class SettingsStore;
class SystemInterfaceProbe;
class TimedatedTimeSetter;
class TimeSyncService;
class UdpSntpTransport;
struct MailSettings;
struct MailSoundSettings;
struct PingSettings;
struct TimeSyncSettings;

// The network tools of the running program and the platform services they
// use: time synchronisation, the mail checker and the ping monitor.
class NetTools : public QObject {
    Q_OBJECT
public:
    struct Context {
        const Clock& clock;
        const PathTable& paths;
        const SettingsStore& store;
        TimeSyncSettings& timeSync;
        MailSettings& mail;
        MailSoundSettings& mailSound;
        PingSettings& ping;
        Prompts& prompts;
        BassPlaySet* players;
        TrayIcon* tray;
        std::function<QString()> defaultMailProgram;
    };
    explicit NetTools(Context context, QObject* parent = nullptr);
    ~NetTools() override;

    TimeSyncService& timeSync() const { return *m_timeSync; }
    MailService& mail() const { return *m_mail; }
    PingService& ping() const { return *m_ping; }
    // The main loop's retry, armed after a failed silent run.
    void setArmTimeSyncRetry(std::function<void()> arm);

private:
    std::unique_ptr<SystemInterfaceProbe> m_interfaces;
    std::unique_ptr<KeyboardLight> m_light;
    std::unique_ptr<UdpSntpTransport> m_sntp;
    std::unique_ptr<TimedatedTimeSetter> m_clockSetter;
    std::unique_ptr<TimeSyncService> m_timeSync;
    std::unique_ptr<MailService> m_mail;
    std::unique_ptr<PingService> m_ping;
    std::function<void()> m_armTimeSyncRetry;
};

} // namespace zorvex

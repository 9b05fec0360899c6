#pragma once

#include "core/app/TraySettings.h"
#include "core/desktop/DiscSettings.h"
#include "core/internet/DesktopSettings.h"
#include "core/internet/ProxySetting.h"
#include "core/internet/ServiceSettings.h"
#include "core/internet/WeatherSettings.h"
#include "core/net/MailSettings.h"
#include "core/net/PingSettings.h"
#include "core/net/TimeSyncSettings.h"
#include "core/media/MediaSettings.h"
#include "core/media/RadioSettings.h"
#include "core/media/RecordingSettings.h"
#include "core/reminders/ChimeSettings.h"
#include "core/reminders/ReminderSettings.h"
#include "core/settings/MainWindowSettings.h"
#include "core/settings/ToolsSettings.h"
#include "core/status/StatusSettings.h"
#include "core/wallpaper/WallpaperSettings.h"

#include <vector>

namespace zorvex {

// The process-wide copy of the per-profile settings file, one field per key.
struct Settings {
    Settings();
    Settings(const Settings&) = default;
    Settings& operator=(const Settings&) = default;

    MainWindowSettings main;
    ToolsSettings tools;
    TraySettings tray;
    PersonReminderSettings solenizant;
    ImportantDaySettings inne;
    PrivateDaySettings prywatne;
    UpcomingDatesSettings wazneDatyPow;
    ChimeSettings chime;
    UptimeSettings czas;
    UptimeCostSettings uptimeCost; // keys of "Inne"
    MouseOdometerSettings ruchMyszy;
    TrafficSettings siec;
    TransferChartSettings siecWykres;
    AutostartSettings autostart; // key of "Inne"
    ProxySetting proxy;
    AssociationSettings skojarzenia;
    ServiceSettings serwis;
    WallpaperSettings tapeter;
    WallpaperHistorySettings tapeterOst;
    TimeSyncSettings synchro;
    MailSettings pocz;
    MailSoundSettings poczta;
    PingSettings ping;
    PlaylistSettings m3u;
    PlaybackPanelSettings panelOdtwarzania;
    WeatherSettings pogoda;
    RadioSettings radio;
    RecordingSettings radioRec;
    MiscPageSettings wiadomosci;
    DiscCatalogueSettings klony;

    // Every section the store loads and saves, in file order.
    std::vector<SettingsSection*> sections();
    void resetToDefaults();
};

} // namespace zorvex

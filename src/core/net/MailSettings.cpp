#include "core/net/MailSettings.h"

#include "core/common/PathTable.h"

namespace zorvex {

MailSettings::MailSettings()
{
    resetToDefaults(*this);
}

void MailSettings::visit(SettingsVisitor& v)
{
    v.boolean("OdswiezAuto", autoCheck, false);
    v.boolean("OdswiezUru", checkAtStart, false);
    v.integer("OdswiezAutoMin", autoCheckMinutes, 5, 1, 60);
    v.integer("ZadanieGdy", actWhen, 1, 0, 2);
    v.boolean("Powiadomienie", notify, false);
    v.boolean("PowUkr", notifyAutoHide, false);
    v.integer("PowUkrSek", notifyHideSeconds, 10, 1, 59);
    v.boolean("Balon", balloon, false);
    v.boolean("BalonUkr", balloonAutoHide, false);
    v.integer("BalonUkrSek", balloonHideSeconds, 10, 1, 59);
    v.boolean("Glosnik", speakerSignal, false);
    v.integer("GlosnikNr", speakerSignalNumber, 0, 0, 14);
    v.boolean("Dzwiek", playSound, false);
    v.boolean("Scroll", blinkScrollLock, false);
    v.boolean("PobierzNaglowki", fetchHeaders, true);
    v.integer("PowClick", notifyClick, 0, 0, 2);
    v.integer("BalClick", balloonClick, 0, 0, 2);
    v.boolean("NiePokPowFS", noNotifyInFullScreen, false);
    v.boolean("NiePokBalFS", noBalloonInFullScreen, false);
    v.text("Program", program, QString());
    v.dateTime("Ostatnio", lastCheck, kNever);
    v.integer("OknoI", windowAccount, 0, 0);
    v.integer("OknoX", windowX, -1);
    v.integer("OknoY", windowY, -1);
    v.integer("OknoW", windowW, 542, 400);
    v.integer("OknoH", windowH, 246, 180);
    v.boolean("OknoM", windowMaximized, false);
    static const int widths[5] = {84, 85, 176, 112, 57};
    static const char* const keys[5] = {"OknoK1", "OknoK2", "OknoK3", "OknoK4", "OknoK5"};
    for (int i = 0; i < 5; ++i)
        v.integer(keys[i], columnWidths[i], widths[i], 10, 2000);
    v.boolean("PokazKomunikat", confirmDeletion, true);
}

MailSoundSettings::MailSoundSettings()
{
    resetToDefaults(*this);
}

void MailSoundSettings::visit(SettingsVisitor& v)
{
    v.text("SciDzwiek", soundFile, QString::fromLatin1(kDefaultMailSound));
}

} // namespace zorvex

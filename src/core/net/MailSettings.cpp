#include "core/net/MailSettings.h"

#include "core/common/PathTable.h"

namespace zorvex {

MailSettings::MailSettings()
{
    resetToDefaults(*this);
}

void MailSettings::visit(SettingsVisitor& v)
{
    v.boolean("OdswiezAuto", odswiezAuto, false);
    v.boolean("OdswiezUru", odswiezUru, false);
    v.integer("OdswiezAutoMin", odswiezAutoMin, 5, 1, 60);
    v.integer("ZadanieGdy", zadanieGdy, 1, 0, 2);
    v.boolean("Powiadomienie", powiadomienie, false);
    v.boolean("PowUkr", powUkr, false);
    v.integer("PowUkrSek", powUkrSek, 10, 1, 59);
    v.boolean("Balon", balon, false);
    v.boolean("BalonUkr", balonUkr, false);
    v.integer("BalonUkrSek", balonUkrSek, 10, 1, 59);
    v.boolean("Glosnik", glosnik, false);
    v.integer("GlosnikNr", glosnikNr, 0, 0, 14);
    v.boolean("Dzwiek", dzwiek, false);
    v.boolean("Scroll", scroll, false);
    v.boolean("PobierzNaglowki", pobierzNaglowki, true);
    v.integer("PowClick", powClick, 0, 0, 2);
    v.integer("BalClick", balClick, 0, 0, 2);
    v.boolean("NiePokPowFS", niePokPowFS, false);
    v.boolean("NiePokBalFS", niePokBalFS, false);
    v.text("Program", program, QString());
    v.dateTime("Ostatnio", ostatnio, kNever);
    v.integer("OknoI", oknoI, 0, 0);
    v.integer("OknoX", oknoX, -1);
    v.integer("OknoY", oknoY, -1);
    v.integer("OknoW", oknoW, 542, 400);
    v.integer("OknoH", oknoH, 246, 180);
    v.boolean("OknoM", oknoM, false);
    static const int widths[5] = {84, 85, 176, 112, 57};
    static const char* const keys[5] = {"OknoK1", "OknoK2", "OknoK3", "OknoK4", "OknoK5"};
    for (int i = 0; i < 5; ++i)
        v.integer(keys[i], oknoK[i], widths[i], 10, 2000);
    v.boolean("PokazKomunikat", pokazKomunikat, true);
}

MailSoundSettings::MailSoundSettings()
{
    resetToDefaults(*this);
}

void MailSoundSettings::visit(SettingsVisitor& v)
{
    v.text("SciDzwiek", sciDzwiek, QString::fromLatin1(kDefaultMailSound));
}

} // namespace zorvex

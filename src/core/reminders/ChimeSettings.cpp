#include "core/reminders/ChimeSettings.h"

#include "core/common/PathTable.h"

namespace zorvex {

ChimeSettings::ChimeSettings()
{
    resetToDefaults(*this);
}

void ChimeSettings::visit(SettingsVisitor& v)
{
    v.integer("Dźwięk", mode, Set, Off, File);
    v.integer("Dźwięk_r", setChoice, Random, Random, Chosen);
    // Any number is kept; the rule pulls it into the list, whose length
    // changes as sets are added and deleted.
    v.integer("Dźwięk_n", setNumber, 1);
    v.integer("Dźwięk_vol", volume, 100, 0, 100);
    v.text("PlikGo", file, QString::fromLatin1(kDefaultChimeSound));
    v.integer("Dźwięk_od", firstHour, 0, 0, 23);
    v.integer("Dźwięk_do", lastHour, 23, 0, 23);
    v.boolean("Dźwięk_wylpelnyekran", skipFullScreen, false);
    v.boolean("Dźwięk_NoM3U", skipPlaylist, false);
    v.boolean("Dźwięk_NoR", skipRadio, false);
}

} // namespace zorvex

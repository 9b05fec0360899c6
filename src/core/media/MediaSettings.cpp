#include "core/media/MediaSettings.h"

namespace zorvex {

PlaylistSettings::PlaylistSettings()
{
    resetToDefaults(*this);
}

void PlaylistSettings::visit(SettingsVisitor& v)
{
    v.text("Sci", openPlaylist, QString());
    v.boolean("Zap", saveEnabled, false);
    v.boolean("AutoPlay", autoPlay, false);
    v.integer("AutoPlayNr", autoPlayIndex, -1);
    v.integer("AutoPlayPoz", autoPlayPosition, 0);
    v.boolean("Losowo", random, false);
    v.integer("Kat", targetFolder, -1);
    // The settings file drops one pair of surrounding quotes on reading (the
    // first-run file writes them as ""), so the fields hold the bare text.
    v.text("C1", textAfter, QString());
    v.text("C2", textBefore, QString());
    v.integer("Vol", volume, 100, 0, 100);
    v.boolean("CzasUpl", showElapsed, true);
}

PlaybackPanelSettings::PlaybackPanelSettings()
{
    resetToDefaults(*this);
}

void PlaybackPanelSettings::visit(SettingsVisitor& v)
{
    v.integer("Wybrany", mode, 0, 0, 1);
    v.text("Skin", skin, QString());
    v.integer("m3u", rightPart, SeekSlider, SeekSlider, Remaining);
    v.boolean("RadioRecCzas", recordingTime, true);
    v.boolean("ZmienPanel", switchPanel, true);
    v.boolean("GlosnoscWave", waveVolume, false);
    v.boolean("AutoStop", exclusive, false);
}

} // namespace zorvex

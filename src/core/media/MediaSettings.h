#pragma once

#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// Section "M3U": the M3U manager and the music player.
struct PlaylistSettings : SettingsSection {
    PlaylistSettings();
    QString openPlaylist; // Sci
    bool saveEnabled;     // Zap: "Zapisz jako" enabled
    bool autoPlay;        // AutoPlay
    int autoPlayIndex;    // AutoPlayNr: the current entry at save time
    int autoPlayPosition; // AutoPlayPoz: seconds
    bool random;          // Losowo
    int targetFolder;     // Kat: -1 none
    QString textAfter;    // C1
    QString textBefore;   // C2
    int volume;           // Vol, 0..100
    bool showElapsed;     // CzasUpl

    const char* name() const override { return "M3U"; }
    void visit(SettingsVisitor& v) override;
};

// Section "PanelOdtwarzania": the main window's playback panel. Wybrany is
// written at exit with the other exit values.
struct PlaybackPanelSettings : SettingsSection {
    enum RightPart { SeekSlider = 0, VolumeSlider = 1, Elapsed = 2, Remaining = 3 };

    PlaybackPanelSettings();
    int mode;               // Wybrany: 0 player, 1 radio
    QString skin;           // Skin: "Domyślny" or empty is the built-in one
    int rightPart;          // m3u
    bool recordingTime;     // RadioRecCzas
    bool switchPanel;       // ZmienPanel
    bool waveVolume;        // GlosnoscWave
    bool exclusive;         // AutoStop

    const char* name() const override { return "PanelOdtwarzania"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex

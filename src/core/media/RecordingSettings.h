#pragma once

#include "core/settings/SettingsSection.h"

#include <QString>

namespace zorvex {

// Section "RadioRec": the options of recording the radio to MP3.
struct RecordingSettings : SettingsSection {
    RecordingSettings();
    QString folder;        // Folder: the target folder, ending with "/" once set
    int mode;              // Mode: 0 mono, 1 stereo, 2 joint stereo, 3 mid/side
    int quality;           // Quality: index into "10 (Najwyższa)" … "1 (Najniższa)"
    int frequency;         // Frequency: index into the resample rates
    bool constantBitrate;  // BitrateCBR
    int bitrate;           // Bitrate: index into the bitrate list
    int maxBitrate;        // MaxBitrate: 0 automatic, else index + 1
    int qualityVbr;        // QualityVBR
    bool forceMinBitrate;  // ForceMinBitrate
    bool addToPlaylist;    // AddToM3U
    bool splitOnTitle;     // DzielNagrania
    int splitDelay;        // DzielNagraniaOpoznienie, seconds 0..99
    bool continueAfterLoss; // KontynuujNagrywanie
    int patternIndex;      // WzorzecNr
    QString pattern;       // Wzorzec

    const char* name() const override { return "RadioRec"; }
    void visit(SettingsVisitor& v) override;
};

} // namespace zorvex

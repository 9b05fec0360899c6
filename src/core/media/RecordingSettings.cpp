#include "core/media/RecordingSettings.h"

#include "core/media/RecordingRules.h"

namespace zorvex {

RecordingSettings::RecordingSettings()
{
    resetToDefaults(*this);
}

void RecordingSettings::visit(SettingsVisitor& v)
{
    v.text("Folder", folder, QString());
    v.integer("Mode", mode, 1, 0, 3);
    v.integer("Quality", quality, 5, 0, 9);
    v.integer("Frequency", frequency, 1, 0, 8);
    v.boolean("BitrateCBR", constantBitrate, true);
    v.integer("Bitrate", bitrate, 11, 0, kRecordingBitrateCount - 1);
    v.integer("MaxBitrate", maxBitrate, 14, 0, kRecordingBitrateCount);
    v.integer("QualityVBR", qualityVbr, 5, 0, 9);
    v.boolean("ForceMinBitrate", forceMinBitrate, false);
    v.boolean("AddToM3U", addToPlaylist, false);
    v.boolean("DzielNagrania", splitOnTitle, false);
    v.integer("DzielNagraniaOpoznienie", splitDelay, 0, 0, 99);
    v.boolean("KontynuujNagrywanie", continueAfterLoss, true);
    v.integer("WzorzecNr", patternIndex, 1, 0, kRecordingPatternCount - 1);
    v.text("Wzorzec", pattern, QStringLiteral("[stacja]\\[tytuł]"));
}

} // namespace zorvex

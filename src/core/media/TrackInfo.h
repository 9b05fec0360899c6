#pragma once

#include <QString>

#include <optional>

namespace zorvex {

// The name a file shows in the playlist, from its tags (ID3v2, then ID3v1
// for MP3; the Vorbis comments for Ogg), else its file name.
QString trackDisplayName(const QString& path);

// The artist and the title of a file's tags, empty when it has none.
struct TrackTags {
    QString title;
    QString artist;
};
TrackTags trackTags(const QString& path);

// The length in whole seconds read from the file's headers alone (MP3 frame
// headers, the last Ogg page, a WAV header): cheap enough to run for
// thousands of files. Empty when only a decoder could tell.
std::optional<int> quickLengthSeconds(const QString& path);

} // namespace zorvex

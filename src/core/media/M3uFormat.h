#pragma once

#include "core/media/PlaylistEntry.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

namespace zorvex {

struct M3uRead {
    bool isPlaylist = false; // false: "To nie jest playlista"
    QList<PlaylistEntry> entries;
};

// Reads the bytes of an M3U file found in `folder`. A ".m3u8" file and a
// file that is valid UTF-8 read as UTF-8, anything else as Windows-1250.
// Relative entries are joined to the folder when the joined file exists
// (`exists` answers that; tests give their own). Comment lines other than
// "#EXTINF" are passed over. Entries come with size "-1"; their names are
// the "#EXTINF" names, or empty for the caller to fill.
M3uRead parseM3u(QByteArrayView bytes, const QString& folder, bool utf8,
                 const std::function<bool(const QString&)>& exists);

// "#EXTM3U", then "#EXTINF:seconds,name" and the full path per entry. The
// text is Windows-1250 unless `utf8` is set or an entry holds what that code
// page cannot (a Linux file name may hold any character): then it is UTF-8,
// so no path is ever lost.
QByteArray formatM3u(const QList<PlaylistEntry>& entries, bool utf8 = false);

// The text of a list file: Windows-1250 when it fits, else UTF-8 behind its
// byte order mark; the list separator is the byte 0xFF either way.
QByteArray encodeListText(const QString& text);

} // namespace zorvex

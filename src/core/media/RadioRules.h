#pragma once

#include <QString>

#include <functional>

namespace zorvex {

// The title carried by a stream's metadata text ("StreamTitle='A - B';…"
// or "title=…"), with "_" read as a space; empty when it holds none.
QString radioTitleFromMetadata(const QString& text);

// What one HTTP/ICY header or tag text of a stream sets on the page.
enum class RadioField { None, WebPage, Name, Bitrate, Title };
struct RadioHeader {
    RadioField field = RadioField::None;
    QString value;
};
RadioHeader radioHeader(const QString& text);

// The text of the state label for a failed connection.
QString radioErrorText(const QString& error);
// "hh:mm:ss" of a running time; hours count modulo 60.
QString elapsedClockText(qint64 seconds);
// "Odtwarzanie: hh:mm:ss".
QString radioElapsedText(qint64 seconds);

// Which of the "|"-separated alternatives of an address field to use: the
// first start of a station picks one at random, each restart of the same one
// takes the next, wrapping.
class RadioAlternatives {
public:
    // `random(n)` gives 1 to n.
    explicit RadioAlternatives(std::function<int(int n)> random = {});
    QString choose(const QString& urlField);

private:
    std::function<int(int)> m_random;
    int m_index = 0;
    QString m_last;
};

// Playlist addresses that name the stream instead of being one.
enum class RadioPlaylist { None, M3u, Pls, Asx, Xspf };
RadioPlaylist radioPlaylistKind(const QString& url);
// The stream address in a downloaded playlist; empty when there is none.
QString radioPlaylistStream(RadioPlaylist kind, const QString& text);

} // namespace zorvex

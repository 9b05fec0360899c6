#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace zorvex {

// The rules of the playback component that need no sound output, kept apart
// so each can be checked on its own.

// The facts text of an open channel: "Bitrate: 128kbps", a line break, then
// "44100Hz stereo". The bitrate is the file size over the length, made even;
// a channel without a length (a live stream) has none.
QString channelInfoText(qint64 fileBytes, double seconds, int sampleRate, int channels);

// Status marks of a server that refused a stream.
inline constexpr int kServerFull = 1;
inline constexpr int kServiceUnavailable = 2;
// The error code that stands for a mark.
inline constexpr int kServerStatusBase = 1230;

// 0, kServerFull or kServiceUnavailable for a server's status line.
int serverStatusMark(const QString& statusLine);
// The error kept for a failed address: the library's code, or 1230 + the
// server's mark when it gave one.
int urlErrorCode(int libraryError, int statusMark);
// "" when the stream opened; else "błędny URL", "timed out", "ICY 400",
// "ICY 401" or "error".
QString urlErrorText(bool opened, int errorCode);

// How full the download buffer is, in percent of `total` (0 counts as 1).
int prebufferFill(qint64 total, qint64 downloaded, qint64 decoded);
inline constexpr int kPrebufferEnough = 75;
// The status text of one pass: "Buforowanie... 40%", or "Buforowanie..."
// while nothing is buffered; 75 % full shows as 100 %.
QString prebufferText(int fill);

// Addresses that go to the Windows Media reader.
bool isWmaUrl(const QString& url);

// The proxy settings as the library takes them.
struct ProxySettings {
    bool on = false;
    QString host;
    QString port;
    bool authenticate = false;
    QString user;
    QString password;
};
// "user:password@host:port", parts left out as the settings leave them;
// empty when the proxy is off.
QString proxyText(const ProxySettings& settings);

struct ProxyParts {
    QString host;
    int port = 0; // 0 when none was given
    QString user;
    QString password;
};
// Splits a proxy text again; the password may hold "@" and ":".
ProxyParts splitProxyText(const QString& text);

// The agent name sent to radio servers: "ZVX/" and the version.
QString streamAgent();

// Splits an encoder command line into the program and its arguments.
// Double quotes group words. The program's path is written unquoted, so when
// the first word is not a program, following words are joined to it until
// `isProgram` accepts the path (a data folder path with spaces).
QStringList splitCommandLine(const QString& line, const std::function<bool(const QString&)>& isProgram);

} // namespace zorvex

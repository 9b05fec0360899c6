#include "core/media/PlaybackRules.h"

#include "core/common/Version.h"
#include "core/media/AudioLibrary.h"

#include <QProcess>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace zorvex {

QString channelInfoText(qint64 fileBytes, double seconds, int sampleRate, int channels)
{
    QString text;
    // A stream has no length; dividing by it would give no sensible rate.
    if (seconds > 0 && fileBytes > 0) {
        auto kbps = static_cast<qint64>(std::trunc(double(fileBytes) / (seconds * 125.0) + 0.5));
        if (kbps % 2 != 0)
            --kbps;
        if (kbps > 0)
            text += u"Bitrate: "_s + QString::number(kbps) + u"kbps\n"_s;
    }
    if (sampleRate > 0)
        text += QString::number(sampleRate) + u"Hz "_s;
    if (channels == 1)
        text += u"mono"_s;
    else if (channels == 2)
        text += u"stereo"_s;
    return text.trimmed();
}

int serverStatusMark(const QString& statusLine)
{
    const QString upper = statusLine.toUpper();
    if (upper.contains(u"SERVER FULL"_s))
        return kServerFull;
    if (upper.contains(u"SERVICE UNAVAILABLE"_s))
        return kServiceUnavailable;
    return 0;
}

int urlErrorCode(int libraryError, int statusMark)
{
    return statusMark > 0 ? kServerStatusBase + statusMark : libraryError;
}

QString urlErrorText(bool opened, int errorCode)
{
    if (opened)
        return {};
    switch (errorCode) {
    case AudioError::BadUrl:
        return u"błędny URL"_s;
    case AudioError::Timeout:
        return u"timed out"_s;
    case kServerStatusBase + kServerFull:
        return u"ICY 400"_s;
    case kServerStatusBase + kServiceUnavailable:
        return u"ICY 401"_s;
    default:
        return u"error"_s;
    }
}

int prebufferFill(qint64 total, qint64 downloaded, qint64 decoded)
{
    if (total <= 0)
        total = 1;
    if (downloaded <= decoded)
        return 0;
    return int(std::lround(double(downloaded - decoded) * 100.0 / double(total)));
}

QString prebufferText(int fill)
{
    const long n = std::lround(fill * 1.333);
    if (n > 0)
        return u"Buforowanie... "_s + QString::number(n) + u"%"_s;
    return u"Buforowanie..."_s;
}

bool isWmaUrl(const QString& url)
{
    const QString upper = url.toUpper();
    return upper.contains(u"MMS://"_s) || upper.contains(u".WMA"_s);
}

QString proxyText(const ProxySettings& settings)
{
    if (!settings.on)
        return {};
    QString text = settings.host;
    if (!settings.port.isEmpty())
        text += u':' + settings.port;
    if (settings.authenticate)
        text = settings.user + u':' + settings.password + u'@' + text;
    return text;
}

ProxyParts splitProxyText(const QString& text)
{
    ProxyParts parts;
    QString address = text.trimmed();
    const qsizetype at = address.lastIndexOf(u'@');
    if (at >= 0) {
        const QString login = address.left(at);
        address = address.mid(at + 1);
        const qsizetype colon = login.indexOf(u':');
        parts.user = colon >= 0 ? login.left(colon) : login;
        parts.password = colon >= 0 ? login.mid(colon + 1) : QString();
    }
    const qsizetype colon = address.lastIndexOf(u':');
    bool ok = false;
    const int port = colon >= 0 ? address.mid(colon + 1).toInt(&ok) : 0;
    if (ok && port > 0 && port < 65536) {
        parts.host = address.left(colon);
        parts.port = port;
    } else {
        parts.host = address;
    }
    return parts;
}

QString streamAgent()
{
    return u"ZVX/"_s + programVersion();
}

QStringList splitCommandLine(const QString& line, const std::function<bool(const QString&)>& isProgram)
{
    const QString text = line.trimmed();
    if (text.isEmpty() || text.startsWith(u'"'))
        return QProcess::splitCommand(text);
    for (qsizetype pos = 0; pos <= text.size(); ++pos) {
        if (pos < text.size() && text[pos] != u' ')
            continue;
        const QString candidate = text.left(pos);
        if (!candidate.isEmpty() && isProgram(candidate))
            return QStringList{candidate} + QProcess::splitCommand(text.mid(pos));
    }
    return QProcess::splitCommand(text);
}

} // namespace zorvex

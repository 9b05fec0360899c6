#include "core/media/RecordingRules.h"

#include "core/media/RadioRules.h"
#include "core/media/RecordingSettings.h"

#include <QDir>
#include <QStringView>

using namespace Qt::Literals::StringLiterals;

namespace zorvex {

namespace {

constexpr int kBitrates[kRecordingBitrateCount] = {8,  16,  24,  32,  40,  48,  56,  64,  80,
                                                   96, 112, 128, 144, 160, 192, 224, 256, 320};
const char* const kFrequencies[] = {"48", "44.1", "32", "24", "22.05", "16", "12", "11.025", "8"};
constexpr int kFrequencyCount = int(std::size(kFrequencies));
// A Linux file name holds at most this many bytes.
constexpr qsizetype kMaxPartBytes = 255;
// Below PATH_MAX, so the encoder can always open what is handed to it.
constexpr qsizetype kMaxPathBytes = 4000;
// "[n]" is tried this far before the recorder gives up on the folder.
constexpr int kMaxSuffix = 100000;

const QString& allowedCharacters()
{
    static const QString set =
        u"aąbcćdeęfghijklłmnńoópqrsśtuvwxyzźżAĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ0123456789 ,.;[]{}-=_+!@#$%^&()`~"_s;
    return set;
}

// The characters of the set, trimmed.
QString keepAllowed(const QString& text)
{
    const QString& allowed = allowedCharacters();
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (allowed.contains(c))
            out += c;
    return out.trimmed();
}

// The longest start of `text` within `bytes` bytes of UTF-8, never cutting a
// character in two.
QString cutToBytes(const QString& text, qsizetype bytes)
{
    qsizetype used = 0;
    qsizetype end = 0;
    while (end < text.size()) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size();
        const char32_t c = pair ? QChar::surrogateToUcs4(text.at(end), text.at(end + 1)) : text.at(end).unicode();
        const qsizetype size = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
        if (used + size > bytes)
            break;
        used += size;
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

bool onlyDotsOrBlanks(const QString& part)
{
    for (QChar c : part)
        if (c != u'.' && !c.isSpace())
            return false;
    return true;
}

// A folder or file name of the pattern that stays where it is put.
QString safePart(QString part, qsizetype maxBytes)
{
    part.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
    part = cutToBytes(part, maxBytes);
    return onlyDotsOrBlanks(part) ? u"Radio"_s : part;
}

QStringList option(const char* name, const QString& value = QString())
{
    QStringList out{QString::fromLatin1(name)};
    if (!value.isNull())
        out << value;
    return out;
}

} // namespace

QStringList recordingModeItems()
{
    return {u"mono"_s, u"stereo"_s, u"joint stereo"_s, u"mid/side stereo"_s};
}

QStringList recordingQualityItems()
{
    QStringList out{u"10 (Najwyższa)"_s};
    for (int q = 9; q >= 2; --q)
        out << QString::number(q);
    out << u"1 (Najniższa)"_s;
    return out;
}

QStringList recordingFrequencyItems()
{
    QStringList out;
    for (const char* f : kFrequencies)
        out << QString::fromLatin1(f) + u" kHz"_s;
    return out;
}

QStringList recordingBitrateItems()
{
    QStringList out;
    for (int b : kBitrates)
        out << QString::number(b) + u" kbs"_s;
    return out;
}

QStringList recordingPatterns()
{
    return {u"Własne ustawienie..."_s,
            QString::fromUtf8(kDefaultRecordingPattern),
            u"[data]\\[tytuł]"_s,
            u"[data]\\[stacja] - [tytuł]"_s,
            u"[stacja] - [tytuł]"_s,
            u"[data] [czas] [stacja] - [tytuł]"_s,
            u"[stacja]"_s,
            u"[tytuł]"_s};
}

QString effectiveRecordingPattern(const RecordingSettings& s)
{
    if (s.patternIndex > 0 && s.patternIndex < kRecordingPatternCount)
        return recordingPatterns().at(s.patternIndex);
    return s.pattern.isEmpty() ? QString::fromUtf8(kDefaultRecordingPattern) : s.pattern;
}

QStringList lameOptions(const RecordingSettings& s)
{
    static const char* const modes[] = {"m", "s", "j", "f"};
    const auto bitrate = [](int index) { return QString::number(kBitrates[qBound(0, index, kRecordingBitrateCount - 1)]); };
    QStringList out;
    out << option("-m", QString::fromLatin1(modes[qBound(0, s.mode, 3)]));
    out << option("-q", QString::number(10 - qBound(0, s.quality, 9)));
    out << option("--resample", QString::fromLatin1(kFrequencies[qBound(0, s.frequency, kFrequencyCount - 1)]));
    if (s.constantBitrate) {
        out << option("-b", bitrate(s.bitrate));
        return out;
    }
    out << option("-v");
    if (s.maxBitrate > 0)
        out << option("-B", bitrate(s.maxBitrate - 1));
    out << option("-V", QString::number(10 - qBound(0, s.qualityVbr, 9)));
    if (s.forceMinBitrate)
        out << option("-F");
    return out;
}

QString lameOptionLine(const RecordingSettings& s)
{
    QString line;
    for (const QString& word : lameOptions(s))
        line += u' ' + word;
    return line;
}

QString encoderCommandLine(const QString& program, const RecordingSettings& s, const QString& path)
{
    return program + lameOptionLine(s) + u" - \""_s + path + u'"';
}

QStringList encoderArguments(const QString& program, const RecordingSettings& s, const QString& path)
{
    return QStringList{program} + lameOptions(s) + QStringList{u"-"_s, path};
}

QString recordingNameText(const QString& text)
{
    return keepAllowed(text).replace(u'_', u' ');
}

QString recordingStationText(const QString& stationName, const QString& title)
{
    QString text = keepAllowed(stationName.isEmpty() ? title : stationName);
    if (text.isEmpty())
        text = u"Radio"_s;
    return text.replace(u'_', u' ');
}

QString recordingTitleText(const QString& title, const QString& stationText)
{
    return recordingNameText(title.isEmpty() ? stationText : title);
}

QString expandRecordingPattern(const QString& pattern, const QString& station, const QString& title,
                               const QDateTime& now)
{
    const struct {
        QString token;
        QString value;
    } tokens[] = {{u"[stacja]"_s, station},
                  {u"[tytuł]"_s, title},
                  {u"[tytul]"_s, title},
                  {u"[data]"_s, now.toString(u"yyyy.MM.dd"_s)},
                  {u"[czas]"_s, now.toString(u"HH.mm"_s)}};
    QString out;
    for (qsizetype i = 0; i < pattern.size();) {
        bool replaced = false;
        for (const auto& t : tokens) {
            if (QStringView(pattern).mid(i).startsWith(t.token)) {
                out += t.value;
                i += t.token.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out += pattern.at(i++);
    }
    return out.isEmpty() ? u"Radio"_s : out;
}

QString recordingPatternExample(const QString& pattern, const QDateTime& now)
{
    return expandRecordingPattern(pattern, u"Nazwa stacji"_s, u"Tytuł utworu"_s, now) + u".mp3"_s;
}

QString recordingFilePath(const QString& folder, const QString& name,
                          const std::function<bool(const QString&)>& exists)
{
    const QString root = QDir::cleanPath(folder);
    if (root.isEmpty() || !QDir::isAbsolutePath(root))
        return QString();
    const QString prefix = root.endsWith(u'/') ? root : root + u'/';
    QStringList parts;
    for (const QString& p : QString(name).replace(u'\\', u'/').split(u'/', Qt::SkipEmptyParts))
        parts << p;
    if (parts.isEmpty())
        parts << u"Radio"_s;
    const QString base = parts.takeLast();
    QString dir = prefix;
    for (const QString& p : std::as_const(parts))
        dir += safePart(p, kMaxPartBytes) + u'/';

    const auto fileFor = [&](const QString& suffix) -> QString {
        const QString tail = suffix + u".mp3"_s;
        return dir + safePart(base, kMaxPartBytes - tail.toUtf8().size()) + tail;
    };
    QString path = fileFor(QString());
    for (int n = 1; exists && exists(path); ++n) {
        if (n > kMaxSuffix)
            return QString();
        path = fileFor(u'[' + QString::number(n) + u']');
    }
    // Nothing above can climb out, but the one rule that matters is checked
    // on the result itself.
    const QString clean = QDir::cleanPath(path);
    if (clean != path || !clean.startsWith(prefix) || clean.toUtf8().size() > kMaxPathBytes)
        return QString();
    return clean;
}

QString radioRecordingText(qint64 seconds)
{
    return u"Nagrywanie: "_s + elapsedClockText(seconds);
}

bool PendingSplit::due(qint64 nowMs, int delaySeconds, bool recording, bool splitOn)
{
    if (!m_pending)
        return false;
    if (!recording || !splitOn) {
        m_pending = false;
        return false;
    }
    if ((nowMs - m_since) / 1000 < delaySeconds)
        return false;
    m_pending = false;
    return true;
}

} // namespace zorvex

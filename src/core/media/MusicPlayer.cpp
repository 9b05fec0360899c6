#include "core/media/MusicPlayer.h"

#include "core/media/BassPlay.h"
#include "core/media/BassPlaySet.h"
#include "core/media/Playlist.h"

#include <QFileInfo>

#include <cmath>

namespace zorvex {

MusicPlayer::MusicPlayer(BassPlaySet& players, Playlist& list, FileTest exists, Random random, QObject* parent)
    : QObject(parent)
    , m_players(players)
    , m_list(list)
    , m_exists(std::move(exists))
    , m_randomBelow(std::move(random))
{
    connect(&music(), &BassPlay::stopped, this, [this](BassPlay*) { onStopped(); });
    connect(&music(), &BassPlay::fileStarted, this,
            [this](BassPlay*, quint64 request, bool ok) { onFileStarted(request, ok); });
}

MusicPlayer::~MusicPlayer() = default;

BassPlay& MusicPlayer::music() const
{
    return m_players.player(BassPlaySet::Music);
}

int MusicPlayer::chosenIndex() const
{
    const QList<int> sel = m_list.selectedIndexes();
    if (!sel.isEmpty())
        return sel.first();
    if (m_list.current() >= 0)
        return m_list.current();
    return m_list.isEmpty() ? -1 : 0;
}

void MusicPlayer::select(int index)
{
    m_list.selectOnly(index);
}

void MusicPlayer::closeMusic()
{
    m_stopMark = true;
    if (music().isPlaying() || music().hasChannel())
        m_players.closeFile(BassPlaySet::Music);
    m_stopMark = false;
}

bool MusicPlayer::anyExisting() const
{
    for (int i = 0; i < m_list.size(); ++i)
        if (m_exists(m_list.at(i).path))
            return true;
    return false;
}

bool MusicPlayer::inHistory(const QString& path) const
{
    for (const auto& h : m_history)
        if (h.first == path)
            return true;
    return false;
}

void MusicPlayer::setBar(int position, int maximum)
{
    if (position == m_barPos && maximum == m_barMax)
        return;
    m_barPos = position;
    m_barMax = maximum;
    emit timeChanged();
}

bool MusicPlayer::requestEntry(int index)
{
    closeMusic();
    m_list.setCurrent(index);
    if (index != m_pausedEntry)
        m_resumeMark = false;
    const PlaylistEntry entry = m_list.at(index);
    if (!m_exists(entry.path))
        return false;
    if (m_random && !inHistory(entry.path))
        m_history.emplace_back(entry.path, index);

    BassPlay& p = music();
    p.setFileName(entry.path);
    m_shownPath = entry.path;
    p.setVolume(m_volume);
    m_pass.index = index;
    m_pass.resuming = m_resumeMark;
    m_pass.request = m_players.startFile(BassPlaySet::Music, m_pass.resuming);
    emit nowPlayingChanged();
    return true;
}

void MusicPlayer::onFileStarted(quint64 request, bool ok)
{
    // An answer to a request given up since (a newer start, a stop).
    if (!m_pass.active || request != m_pass.request)
        return;
    m_pass.request = 0;
    if (ok) {
        m_pass.active = false;
        // The list may have changed meanwhile; its current entry follows.
        completeEntry(m_list.current(), m_pass.resuming);
        return;
    }
    // Undecodable: released at once, so no end event comes for it.
    closeMusic();
    m_shownPath.clear();
    int index = m_list.current();
    if (m_pass.triesLeft > 0 && !m_list.isEmpty() && anyExisting()) {
        bool more = false;
        index = m_pass.forward ? nextIndex(&more) : previousIndex(&more);
        if (more) {
            tryFrom(index);
            return;
        }
    }
    endPass(index);
}

void MusicPlayer::completeEntry(int index, bool resuming)
{
    BassPlay& p = music();
    const int length = int(std::lround(p.length()));
    if (index >= 0 && index < m_list.size()) {
        PlaylistEntry entry = m_list.at(index);
        bool changed = false;
        if (entry.size == QLatin1String("-1")) {
            entry.size = QString::number(QFileInfo(entry.path).size());
            changed = true;
        }
        if (entry.seconds == QLatin1String("-1") || entry.secondsValue() != length) {
            entry.seconds = QString::number(length);
            changed = true;
        }
        if (changed) {
            m_list.replace(index, entry);
            emit entryUpdated(index);
        }
    }

    if (resuming) {
        const double barStart = m_barPos == int(std::lround(m_pausedPosition)) ? m_pausedPosition : m_barPos;
        double start = barStart;
        if (start >= p.length())
            start = p.length() - 1;
        p.seek(std::max(0.0, start));
        p.resume();
        p.setChannelVolume(m_volume);
        m_resumeMark = false;
        setBar(int(std::lround(start)), length);
    } else {
        setBar(0, length);
    }
    const int autoIndex = std::exchange(m_autoSeekIndex, -1);
    if (autoIndex >= 0 && autoIndex == index && m_autoSeekPosition > 0 && m_autoSeekPosition < p.length()) {
        p.seek(m_autoSeekPosition);
        setBar(m_autoSeekPosition, length);
    }
    m_barEnabled = true;
    emit nowPlayingChanged();
    emit stateChanged();
    if (started)
        started();
}

void MusicPlayer::startFrom(int index, bool forward)
{
    m_pass = {};
    m_autoSeekIndex = -1;
    const int n = m_list.size();
    if (n == 0 || index < 0 || index >= n)
        return;
    // Each entry gets one try; a pass in which none starts ends.
    m_pass.active = true;
    m_pass.forward = forward;
    m_pass.triesLeft = n;
    tryFrom(index);
}

void MusicPlayer::tryFrom(int index)
{
    while (m_pass.triesLeft > 0) {
        --m_pass.triesLeft;
        select(index);
        if (requestEntry(index))
            return; // its answer goes on with the pass
        if (!anyExisting())
            break;
        bool ok = false;
        index = m_pass.forward ? nextIndex(&ok) : previousIndex(&ok);
        if (!ok)
            break;
    }
    endPass(index);
}

void MusicPlayer::endPass(int index)
{
    m_pass = {};
    // The output goes too, unless another sound plays.
    m_stopMark = true;
    m_players.closeFile(BassPlaySet::Music);
    m_stopMark = false;
    m_autoSeekIndex = -1;
    m_list.setCurrent(index >= 0 && index < m_list.size() ? index : -1);
    m_shownPath.clear();
    setBar(0, 0);
    m_barEnabled = false;
    emit nowPlayingChanged();
    emit stateChanged();
}

void MusicPlayer::play()
{
    playIndex(chosenIndex());
}

void MusicPlayer::playIndex(int index)
{
    if (m_paused) {
        m_paused = false;
        m_resumeMark = true;
    }
    startFrom(index, true);
}

void MusicPlayer::pause()
{
    if (m_paused) {
        m_paused = false;
        m_resumeMark = true;
        // The paused entry goes on, unless another one was chosen since.
        const int chosen = chosenIndex();
        startFrom(chosen >= 0 ? chosen : m_pausedEntry, true);
        return;
    }
    if (!music().isPlaying())
        return;
    m_pausedEntry = m_list.current();
    m_pausedPosition = music().position();
    m_barPos = int(std::lround(m_pausedPosition));
    m_paused = true;
    m_players.closeFile(BassPlaySet::Music);
    emit nowPlayingChanged();
    emit stateChanged();
}

void MusicPlayer::playPause()
{
    if (state() == PlayerState::Playing)
        pause();
    else
        play();
}

void MusicPlayer::stop()
{
    m_pass = {};
    m_autoSeekIndex = -1;
    const bool wasPaused = m_paused;
    m_paused = false;
    m_stopMark = true;
    const bool hadChannel = music().isPlaying() || music().hasChannel();
    if (hadChannel)
        m_players.closeFile(BassPlaySet::Music);
    // A closed or paused channel fires no event; the end runs here then.
    if (wasPaused || !hadChannel || m_stopMark)
        onStopped();
}

int MusicPlayer::randomPick()
{
    const int n = m_list.size();
    if (n == 1)
        return 0;
    std::vector<int> candidates;
    candidates.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        if (i != m_list.current() && !inHistory(m_list.at(i).path))
            candidates.push_back(i);
    // Every other path already in the history (the list names one file
    // twice): any other entry will do.
    if (candidates.empty())
        for (int i = 0; i < n; ++i)
            if (i != m_list.current())
                candidates.push_back(i);
    return candidates[size_t(m_randomBelow(int(candidates.size())))];
}

int MusicPlayer::nextIndex(bool* ok)
{
    *ok = !m_list.isEmpty();
    if (!*ok)
        return -1;
    if (!m_random) {
        const int c = m_list.current();
        return c + 1 < m_list.size() ? c + 1 : 0;
    }
    if (m_backSteps > 0) {
        --m_backSteps;
        const auto& h = m_history[m_history.size() - 1 - size_t(m_backSteps)];
        if (h.second < m_list.size())
            return h.second;
    }
    m_backSteps = 0;
    while (int(m_history.size()) > kHistoryLimit)
        m_history.erase(m_history.begin());
    while (!m_history.empty() && int(m_history.size()) >= m_list.size())
        m_history.erase(m_history.begin());
    const int pick = randomPick();
    m_history.emplace_back(m_list.at(pick).path, pick);
    return pick;
}

int MusicPlayer::previousIndex(bool* ok)
{
    *ok = !m_list.isEmpty();
    if (!*ok)
        return -1;
    if (!m_random) {
        const int c = m_list.current();
        return c > 0 ? c - 1 : m_list.size() - 1;
    }
    if (m_history.empty() || m_backSteps + 1 >= int(m_history.size())) {
        *ok = false;
        return -1;
    }
    ++m_backSteps;
    const int index = m_history[m_history.size() - 1 - size_t(m_backSteps)].second;
    *ok = index < m_list.size();
    return index;
}

void MusicPlayer::next()
{
    m_paused = false;
    closeMusic();
    bool ok = false;
    const int index = nextIndex(&ok);
    if (!ok)
        return;
    startFrom(index, true);
}

void MusicPlayer::previous()
{
    bool ok = false;
    const int index = previousIndex(&ok);
    if (!ok)
        return;
    m_paused = false;
    closeMusic();
    startFrom(index, false);
}

void MusicPlayer::onStopped()
{
    if (m_paused)
        return;
    m_shownPath.clear();
    emit nowPlayingChanged();
    const bool natural = !m_stopMark && m_barPos >= m_barMax - 1;
    m_stopMark = false;
    m_barEnabled = false;
    if (natural) {
        // Entries that end at once (empty files) would chain for ever.
        m_emptyEnds = m_barMax == 0 ? m_emptyEnds + 1 : 0;
        setBar(0, m_barMax);
        if (m_emptyEnds <= m_list.size()) {
            next();
            return;
        }
    }
    m_emptyEnds = 0;
    setBar(0, m_barMax);
    emit stateChanged();
}

void MusicPlayer::seek(int seconds)
{
    seconds = std::max(0, seconds);
    if (m_paused) {
        setBar(std::min(seconds, m_barMax), m_barMax);
        return;
    }
    if (!music().isPlaying())
        return;
    const double length = music().length();
    music().seek(seconds > length ? length - 0.1 : double(seconds));
    setBar(std::min(seconds, m_barMax), m_barMax);
}

void MusicPlayer::setBarPosition(int seconds)
{
    if (m_paused)
        setBar(std::clamp(seconds, 0, m_barMax), m_barMax);
}

void MusicPlayer::setVolume(int percent)
{
    m_volume = std::clamp(percent, 0, 100);
    if (music().isPlaying())
        music().setChannelVolume(m_volume);
    else if (waveVolume)
        waveVolume(m_volume);
}

void MusicPlayer::setRandom(bool on)
{
    m_random = on;
    clearHistory();
}

void MusicPlayer::clearHistory()
{
    m_history.clear();
    m_backSteps = 0;
}

void MusicPlayer::tick()
{
    const bool enabled = music().isPlaying() || m_paused;
    if (enabled != m_barEnabled) {
        m_barEnabled = enabled;
        emit stateChanged();
    }
    if (enabled && !m_paused) {
        const int pos = int(std::lround(music().position()));
        if (pos > 0)
            m_emptyEnds = 0;
        setBar(pos, m_barMax);
    }
}

void MusicPlayer::autoPlay(int index, int position)
{
    if (m_list.isEmpty())
        return;
    if (index < 0 || index >= m_list.size())
        index = 0;
    select(index);
    m_list.setCurrent(index);
    startFrom(index, true);
    // Applied when that entry has started, if it does.
    if (m_pass.active) {
        m_autoSeekIndex = index;
        m_autoSeekPosition = position;
    }
}

int MusicPlayer::resumeIndex() const
{
    return m_list.current();
}

int MusicPlayer::resumePosition() const
{
    return m_paused ? int(std::lround(m_pausedPosition)) : m_barPos;
}

PlayerState MusicPlayer::state() const
{
    if (m_paused)
        return PlayerState::Paused;
    return music().isPlaying() ? PlayerState::Playing : PlayerState::Stopped;
}

double MusicPlayer::position() const
{
    if (m_paused)
        return m_barPos;
    return music().isPlaying() ? music().position() : 0.0;
}

double MusicPlayer::length() const
{
    return music().isPlaying() || m_paused ? double(m_barMax) : 0.0;
}

QString MusicPlayer::nowPlayingText() const
{
    const PlaylistEntry* e = m_list.currentEntry();
    if (!e || m_shownPath.isEmpty() || m_paused)
        return {};
    return QLatin1String("Odtwarzanie: ") + e->name.left(200);
}

QString MusicPlayer::timeText(bool elapsed) const
{
    int s = m_paused ? m_barPos : int(std::lround(position()));
    if (!elapsed)
        s = m_barEnabled ? m_barMax - m_barPos : 0;
    s = std::max(0, s);
    return QStringLiteral("%1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString MusicPlayer::infoText() const
{
    return music().isPlaying() ? music().info() : QString();
}

} // namespace zorvex

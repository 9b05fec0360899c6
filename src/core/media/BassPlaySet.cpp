#include "core/media/BassPlaySet.h"

namespace zorvex {

BassPlaySet::BassPlaySet(AudioLibrary& library, QObject* parent, PlaybackTiming timing)
    : QObject(parent)
    , m_library(library)
{
    for (int i = 0; i < kCount; ++i) {
        auto& player = m_players[size_t(i)];
        player = std::make_unique<BassPlay>(library, i + 1, nullptr, timing);
        player->setOthersPlaying([this, self = player.get()] { return playingBesides(self); });
        connect(player.get(), &BassPlay::fileStarted, this, &BassPlaySet::fileStarted);
    }
}

BassPlaySet::~BassPlaySet()
{
    // The instances go one by one; the output is shut down once, after all.
    for (auto& p : m_players)
        p->setOthersPlaying([] { return true; });
    for (auto& p : m_players)
        p.reset();
    m_library.shutdownOutput();
}

BassPlay& BassPlaySet::player(int instance)
{
    Q_ASSERT(instance >= 1 && instance <= kCount);
    return *m_players[size_t(std::clamp(instance, 1, kCount) - 1)];
}

bool BassPlaySet::anyPlaying() const
{
    return playingBesides(nullptr);
}

bool BassPlaySet::playingBesides(const BassPlay* except) const
{
    for (const auto& p : m_players)
        if (p && p.get() != except && (p->isPlaying() || p->isStartingFile()))
            return true;
    return false;
}

void BassPlaySet::stopIfPlaying(BassPlay& p)
{
    if (p.isPlaying())
        p.stop();
}

void BassPlaySet::playFile(int instance)
{
    // Chimes, alarms and alerts start from timer ticks, which must not wait
    // for a decoder's preroll.
    m_soundStarts[size_t(std::clamp(instance, 1, kCount) - 1)] = startFile(instance, false);
}

void BassPlaySet::fileStarted(BassPlay* p, quint64 request, bool ok)
{
    quint64& waiting = m_soundStarts[size_t(p->tag() - 1)];
    if (waiting != request)
        return;
    waiting = 0;
    if (!ok)
        closeFile(p->tag());
}

void BassPlaySet::openFile(int instance)
{
    BassPlay& p = player(instance);
    stopIfPlaying(p);
    p.open(!anyPlaying());
}

quint64 BassPlaySet::startFile(int instance, bool paused)
{
    BassPlay& p = player(instance);
    stopIfPlaying(p);
    return p.startFile(!anyPlaying(), paused);
}

void BassPlaySet::playStream(int instance, const QString& proxy)
{
    BassPlay& p = player(instance);
    stopIfPlaying(p);
    p.playUrl(!anyPlaying(), proxy);
}

void BassPlaySet::closeFile(int instance)
{
    BassPlay& p = player(instance);
    stopIfPlaying(p);
    // An instance that was only opened (the length reader) still counts as
    // playing after the stop above; it is the one being closed, so only the
    // others decide.
    // A start still waiting for its decoder is given up either way, or it
    // would begin to play after this.
    if (!playingBesides(&p) || p.isStartingFile())
        p.close();
}

} // namespace zorvex

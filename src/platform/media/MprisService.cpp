#include "platform/media/MprisService.h"

#include "platform/media/MprisAdaptors.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>

namespace zorvex {

namespace {
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kTrackPrefix = QStringLiteral("/org/zorvex/track/");
} // namespace

QString mprisStatusText(MprisState::Status status)
{
    switch (status) {
    case MprisState::Playing: return QStringLiteral("Playing");
    case MprisState::Paused: return QStringLiteral("Paused");
    case MprisState::Stopped: break;
    }
    return QStringLiteral("Stopped");
}

QDBusObjectPath mprisTrackId(int track)
{
    // The spec's own "no track" path when nothing is loaded.
    if (track < 0)
        return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    return QDBusObjectPath(kTrackPrefix + QString::number(track));
}

MprisRootAdaptor::MprisRootAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
}

QStringList MprisRootAdaptor::mimeTypes() const
{
    return {QStringLiteral("audio/mpeg"), QStringLiteral("audio/ogg"), QStringLiteral("audio/x-wav"),
            QStringLiteral("audio/x-ms-wma"), QStringLiteral("audio/mp4"), QStringLiteral("audio/aac"),
            QStringLiteral("audio/x-mpegurl")};
}

void MprisRootAdaptor::Raise() { m_service->control().raise(); }
void MprisRootAdaptor::Quit() { m_service->control().quit(); }

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return mprisStatusText(m_service->state().status);
}

void MprisPlayerAdaptor::setVolume(double v)
{
    m_service->control().setVolume(std::clamp(v, 0.0, 1.0));
}

qlonglong MprisPlayerAdaptor::position() const
{
    return m_service->control().positionUs();
}

void MprisPlayerAdaptor::Next() { m_service->control().next(); }
void MprisPlayerAdaptor::Previous() { m_service->control().previous(); }
void MprisPlayerAdaptor::Pause() { m_service->control().pause(); }
void MprisPlayerAdaptor::PlayPause() { m_service->control().playPause(); }
void MprisPlayerAdaptor::Stop() { m_service->control().stop(); }
void MprisPlayerAdaptor::Play() { m_service->control().play(); }
void MprisPlayerAdaptor::Seek(qlonglong offset) { m_service->control().seekBy(offset); }

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong position)
{
    // A request for a track that no longer plays is ignored, as asked.
    if (trackId != mprisTrackId(m_service->state().track) || m_service->state().track < 0)
        return;
    if (position < 0 || position > m_service->state().lengthUs)
        return;
    m_service->control().setPosition(m_service->state().track, position);
}

MprisService::MprisService(MprisControl& control, QObject* parent)
    : QObject(parent)
    , m_control(control)
    , m_bus(QString())
{
    m_root = new MprisRootAdaptor(this);
    m_player = new MprisPlayerAdaptor(this);
}

MprisService::~MprisService()
{
    if (m_registered) {
        m_bus.unregisterObject(QLatin1String(kObjectPath));
        m_bus.unregisterService(QLatin1String(kServiceName));
    }
}

bool MprisService::start(const QDBusConnection& bus)
{
    m_bus = bus;
    if (!m_bus.isConnected())
        return false;
    if (!m_bus.registerObject(QLatin1String(kObjectPath), this))
        return false;
    if (!m_bus.registerService(QLatin1String(kServiceName))) {
        m_bus.unregisterObject(QLatin1String(kObjectPath));
        return false;
    }
    m_registered = true;
    return true;
}

QVariantMap MprisService::metadata() const
{
    QVariantMap m;
    m.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(mprisTrackId(m_state.track)));
    if (m_state.track < 0)
        return m;
    if (m_state.lengthUs > 0)
        m.insert(QStringLiteral("mpris:length"), qlonglong(m_state.lengthUs));
    if (!m_state.title.isEmpty())
        m.insert(QStringLiteral("xesam:title"), m_state.title);
    if (!m_state.artist.isEmpty())
        m.insert(QStringLiteral("xesam:artist"), QStringList{m_state.artist});
    if (!m_state.url.isEmpty())
        m.insert(QStringLiteral("xesam:url"), m_state.url);
    return m;
}

void MprisService::update(const MprisState& s)
{
    const MprisState old = m_state;
    m_state = s;
    QVariantMap changed;
    if (old.status != s.status)
        changed.insert(QStringLiteral("PlaybackStatus"), mprisStatusText(s.status));
    if (old.title != s.title || old.artist != s.artist || old.url != s.url || old.lengthUs != s.lengthUs
        || old.track != s.track)
        changed.insert(QStringLiteral("Metadata"), metadata());
    if (old.volume != s.volume)
        changed.insert(QStringLiteral("Volume"), s.volume);
    if (old.canGoNext != s.canGoNext)
        changed.insert(QStringLiteral("CanGoNext"), s.canGoNext);
    if (old.canGoPrevious != s.canGoPrevious)
        changed.insert(QStringLiteral("CanGoPrevious"), s.canGoPrevious);
    if (old.canPlay != s.canPlay)
        changed.insert(QStringLiteral("CanPlay"), s.canPlay);
    if (old.canPause != s.canPause)
        changed.insert(QStringLiteral("CanPause"), s.canPause);
    if (old.canSeek != s.canSeek)
        changed.insert(QStringLiteral("CanSeek"), s.canSeek);
    if (!changed.isEmpty())
        propertiesChanged(kPlayerInterface, changed);
}

void MprisService::seeked(qint64 positionUs)
{
    if (m_registered)
        emit m_player->Seeked(positionUs);
}

void MprisService::propertiesChanged(const QString& interface, const QVariantMap& changed)
{
    if (!m_registered)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(kObjectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << interface << changed << QStringList();
    m_bus.send(signal);
}

} // namespace zorvex

#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <memory>

namespace zorvex {

// What the desktop is told about the player.
struct MprisState {
    enum Status { Stopped, Playing, Paused };
    Status status = Stopped;
    QString title;
    QString artist;
    QString url;       // file:// of the playing file; empty when none
    qint64 lengthUs = 0;
    int track = -1;    // playlist index, for the track id; -1 none
    double volume = 1; // 0 to 1
    bool canGoNext = false;
    bool canGoPrevious = false;
    bool canPlay = false;
    bool canPause = false;
    bool canSeek = false;
};

// What the desktop's media keys, sound menu and playerctl ask for. Every
// call arrives on the main thread and must return at once.
class MprisControl {
public:
    virtual ~MprisControl() = default;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void playPause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    virtual void seekBy(qint64 offsetUs) = 0;
    virtual void setPosition(int track, qint64 positionUs) = 0;
    virtual void setVolume(double volume) = 0;
    virtual qint64 positionUs() = 0;
    virtual void raise() = 0;
    virtual void quit() = 0;
};

class MprisRootAdaptor;
class MprisPlayerAdaptor;

// The player on the session bus as "org.mpris.MediaPlayer2.zorvex", object
// "/org/mpris/MediaPlayer2": the MediaPlayer2 and MediaPlayer2.Player
// interfaces, with PropertiesChanged for every change of the state.
class MprisService : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kServiceName = "org.mpris.MediaPlayer2.zorvex";
    static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";

    explicit MprisService(MprisControl& control, QObject* parent = nullptr);
    ~MprisService() override;

    // False when there is no such bus or the name is taken (another
    // instance of another login's session): the player works on without.
    bool start(const QDBusConnection& bus = QDBusConnection::sessionBus());
    bool registered() const { return m_registered; }

    void update(const MprisState& state);
    // After a jump of the position, so that clients need not poll.
    void seeked(qint64 positionUs);

    const MprisState& state() const { return m_state; }
    MprisControl& control() { return m_control; }
    QVariantMap metadata() const;

private:
    void propertiesChanged(const QString& interface, const QVariantMap& changed);

    MprisControl& m_control;
    MprisState m_state;
    QDBusConnection m_bus;
    bool m_registered = false;
    MprisRootAdaptor* m_root = nullptr;
    MprisPlayerAdaptor* m_player = nullptr;
};

} // namespace zorvex

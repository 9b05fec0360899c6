#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex {

enum class PriorityClass { High, Normal, Idle };

// Sets the scheduling priority of the whole process. Failures are the
// implementation's to swallow: a priority is a wish, never a reason to stop.
class PrioritySetter {
public:
    virtual ~PrioritySetter() = default;
    virtual void apply(PriorityClass priority) = 0;
    // Whether the process may come back from the idle class to normal.
    // Systems that let an unprivileged process lower its priority but never
    // raise it again answer false.
    virtual bool canLeaveIdle() const { return true; }
};

// The names features report their network or media work under.
inline constexpr QLatin1String kBusyRadio{"radio"};
inline constexpr QLatin1String kBusyMailCheck{"mail"};
inline constexpr QLatin1String kBusyTimeSync{"timesync"};
inline constexpr QLatin1String kBusyWeather{"weather"};
inline constexpr QLatin1String kBusyPlaylist{"playlist"};
inline constexpr QLatin1String kBusyInternet{"internet"}; // downloads and installs
inline constexpr QLatin1String kBusyWallpaper{"wallpaper"};

// `Priorytet`: 0 high, 1 normal, 2 low (idle), 3 automatic. The automatic
// mode keeps the idle class while nothing works and the normal class while
// any feature reports itself busy. Where the idle class could never be left
// again it keeps the normal class throughout, because an idle class stuck
// for good would starve the very playback and checks the mode exists for.
PriorityClass priorityFor(int setting, bool anyBusy, bool canLeaveIdle = true);

class ProcessPriority {
public:
    static constexpr int kAutomatic = 3;

    explicit ProcessPriority(PrioritySetter& setter);

    // Applied when the Tools window is created and whenever the setting
    // changes. Values out of range mean the automatic mode, the default.
    void setMode(int setting);
    // A feature starts (true) or finishes (false) its work. Reports count
    // before the mode is set, so the first application already honours them.
    void setBusy(const QString& task, bool busy);

    int mode() const { return m_mode; }
    bool anyBusy() const { return !m_busy.isEmpty(); }
    QStringList busyTasks() const;
    // The class last handed to the setter, if any.
    std::optional<PriorityClass> applied() const { return m_applied; }

private:
    void reevaluate();

    PrioritySetter& m_setter;
    int m_mode = -1; // not applied yet
    QSet<QString> m_busy;
    std::optional<PriorityClass> m_applied;
};

} // namespace zorvex

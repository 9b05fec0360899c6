#pragma once

#include "ui/calendar/TimeOfDayPictures.h"

#include <QComboBox>

namespace zorvex {

class Clock;
class PathTable;
struct Settings;

// "Ikony pory dnia:" on the "Wygląd" page: the built-in pictures and every
// complete set in Gfx/Pora dnia/. Sets added within the last 25 hours are
// written in dark blue and versions follow the name in grey, as in every
// add-on list. Choosing an entry stores PoraStyl and announces it.
class TimeOfDaySetList : public QComboBox {
    Q_OBJECT
public:
    TimeOfDaySetList(Settings& settings, const PathTable& paths, const Clock& clock, QWidget* parent = nullptr);

    // Scans the folder again and selects PoraStyl (else "Domyślne").
    void reload();
    const QList<TimeOfDaySet>& sets() const { return m_sets; }
    // An add-on just installed: selects and applies the set of that name.
    bool chooseInstalled(const QString& name);

signals:
    void setChanged();

private:
    void choose(int index);

    Settings& m_settings;
    QString m_folder;
    const Clock& m_clock;
    QList<TimeOfDaySet> m_sets;
    bool m_loading = false;
};

} // namespace zorvex

#include "ui/calendar/TimeOfDaySetList.h"

#include "core/app/Settings.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "ui/calendar/PictureSets.h"


namespace zorvex {

TimeOfDaySetList::TimeOfDaySetList(Settings& settings, const PathTable& paths, const Clock& clock, QWidget* parent)
    : QComboBox(parent)
    , m_settings(settings)
    , m_folder(timeOfDaySetsFolder(paths))
    , m_clock(clock)
{
    setObjectName(QStringLiteral("ComboBoxPoraDnia"));
    useAddonMarks(this);
    connect(this, &QComboBox::currentIndexChanged, this, &TimeOfDaySetList::choose);
    reload();
}

void TimeOfDaySetList::reload()
{
    m_loading = true;
    clear();
    m_sets = scanTimeOfDaySets(m_folder, m_clock.now());
    int selected = 0;
    for (int i = 0; i < m_sets.size(); ++i) {
        const TimeOfDaySet& set = m_sets.at(i);
        addItem(set.isBuiltIn() ? QString::fromUtf8("Domyślne") : set.name);
        setAddonMarks(this, i, set.isBuiltIn() ? kNewSetHours : set.ageHours, set.version);
        if (!set.isBuiltIn() && set.name == m_settings.main.timeOfDaySet)
            selected = i;
    }
    setCurrentIndex(selected);
    m_loading = false;
}

bool TimeOfDaySetList::chooseInstalled(const QString& name)
{
    reload();
    for (int i = 0; i < m_sets.size(); ++i) {
        if (!m_sets.at(i).isBuiltIn() && m_sets.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
            // Announced even when it was the stored choice: its pictures
            // were missing until now.
            m_loading = true;
            setCurrentIndex(i);
            m_loading = false;
            m_settings.main.timeOfDaySet = m_sets.at(i).name;
            emit setChanged();
            return true;
        }
    }
    return false;
}

void TimeOfDaySetList::choose(int index)
{
    if (m_loading || index < 0 || index >= m_sets.size())
        return;
    const QString name = m_sets.at(index).name;
    if (name == m_settings.main.timeOfDaySet)
        return;
    m_settings.main.timeOfDaySet = name;
    emit setChanged();
}

} // namespace zorvex

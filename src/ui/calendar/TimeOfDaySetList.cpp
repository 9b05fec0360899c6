#include "ui/calendar/TimeOfDaySetList.h"

#include "core/app/Clock.h"
#include "core/app/PathTable.h"
#include "core/app/Settings.h"

#include <QPainter>
#include <QStyledItemDelegate>

namespace zorvex {
namespace {

constexpr int kVersionRole = Qt::UserRole + 1;
constexpr int kAgeRole = Qt::UserRole + 2;
const QColor kNewSet(0, 0, 192);
const QColor kVersion(128, 128, 128);

// Draws an entry as every add-on list does: the name 2 pixels in, a new set
// in dark blue unless selected, and "(version)" one blank's width after the
// name, grey unless selected.
class SetDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString name = opt.text;
        opt.text.clear();
        QStyledItemDelegate::paint(p, opt, index);

        const bool selected = opt.state & QStyle::State_Selected;
        const QColor normal = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const bool isNew = index.data(kAgeRole).toInt() < kNewSetHours;
        const QString version = index.data(kVersionRole).toString();
        const QRect r = opt.rect.adjusted(2, 0, 0, 0);
        p->save();
        p->setFont(opt.font);
        p->setPen(isNew && !selected ? kNewSet : normal);
        p->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, name);
        if (!version.isEmpty()) {
            const QFontMetrics fm(opt.font);
            const QRect v = r.adjusted(fm.horizontalAdvance(name) + fm.horizontalAdvance(QLatin1Char(' ')), 0, 0, 0);
            p->setPen(selected ? normal : kVersion);
            p->drawText(v, Qt::AlignLeft | Qt::AlignVCenter, QLatin1Char('(') + version + QLatin1Char(')'));
        }
        p->restore();
    }
};

} // namespace

TimeOfDaySetList::TimeOfDaySetList(Settings& settings, const PathTable& paths, const Clock& clock, QWidget* parent)
    : QComboBox(parent)
    , m_settings(settings)
    , m_folder(timeOfDaySetsFolder(paths))
    , m_clock(clock)
{
    setObjectName(QStringLiteral("ComboBoxPoraDnia"));
    setItemDelegate(new SetDelegate(this));
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
        setItemData(i, set.version, kVersionRole);
        setItemData(i, set.isBuiltIn() ? kNewSetHours : set.ageHours, kAgeRole);
        if (!set.isBuiltIn() && set.name == m_settings.main.poraStyl)
            selected = i;
    }
    setCurrentIndex(selected);
    m_loading = false;
}

void TimeOfDaySetList::choose(int index)
{
    if (m_loading || index < 0 || index >= m_sets.size())
        return;
    const QString name = m_sets.at(index).name;
    if (name == m_settings.main.poraStyl)
        return;
    m_settings.main.poraStyl = name;
    emit setChanged();
}

} // namespace zorvex

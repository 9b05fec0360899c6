#include "ui/common/AddonListMarks.h"

#include "core/common/AddonSet.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace zorvex {
namespace {

const QColor kNewSet(0, 0, 192);
const QColor kVersion(128, 128, 128);

} // namespace

QColor setNameColour(const QStyleOptionViewItem& option, int ageHours)
{
    const bool selected = option.state & QStyle::State_Selected;
    if (ageHours < kNewAddonHours && !selected)
        return kNewSet;
    return option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
}

void drawSetEntryText(QPainter* p, const QStyleOptionViewItem& option, const QString& name, const QString& version,
                      const QColor& nameColour)
{
    const bool selected = option.state & QStyle::State_Selected;
    const QRect r = option.rect.adjusted(2, 0, 0, 0);
    p->save();
    p->setFont(option.font);
    p->setPen(nameColour);
    p->drawText(r, Qt::AlignLeft | Qt::AlignVCenter, name);
    if (!version.isEmpty()) {
        const QFontMetrics fm(option.font);
        const QRect v = r.adjusted(fm.horizontalAdvance(name) + fm.horizontalAdvance(QLatin1Char(' ')), 0, 0, 0);
        p->setPen(selected ? nameColour : kVersion);
        p->drawText(v, Qt::AlignLeft | Qt::AlignVCenter, QLatin1Char('(') + version + QLatin1Char(')'));
    }
    p->restore();
}

void AddonListDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString name = opt.text;
    opt.text.clear();
    QStyledItemDelegate::paint(p, opt, index);
    const QVariant age = index.data(kAddonAgeRole);
    drawSetEntryText(p, opt, name, index.data(kAddonVersionRole).toString(),
                     setNameColour(opt, age.isValid() ? age.toInt() : kNewAddonHours));
}

void useAddonMarks(QComboBox* list)
{
    if (!dynamic_cast<AddonListDelegate*>(list->itemDelegate()))
        list->setItemDelegate(new AddonListDelegate(list));
}

void setAddonMarks(QComboBox* list, int index, int ageHours, const QString& version)
{
    list->setItemData(index, ageHours, kAddonAgeRole);
    list->setItemData(index, version, kAddonVersionRole);
}

void markSetFolderEntries(QComboBox* list, const QString& setsFolder, const QDateTime& now, int from)
{
    useAddonMarks(list);
    const QDir root(setsFolder);
    for (int i = std::max(0, from); i < list->count(); ++i) {
        const QString folder = root.filePath(list->itemText(i));
        QStringList files;
        for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::Files))
            files << f.filePath();
        setAddonMarks(list, i, addonAgeHours(files, now), addonSetVersion(folder));
    }
}

} // namespace zorvex

#include "ui/calendar/PictureSets.h"

#include "core/common/AddonSet.h"
#include "core/common/DataFile.h"
#include "core/common/Text.h"

#include <QFileInfo>
#include <QPainter>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace zorvex {
namespace {

// A picture whose time cannot be read counts as old.
const QDateTime kUnreadableTime(QDate(2000, 1, 1), QTime(0, 0));
const QColor kNewSet(0, 0, 192);
const QColor kVersion(128, 128, 128);

} // namespace

QList<PictureSetInfo> scanPictureSets(const QString& setsFolder, const QString& builtInName, int count,
                                      const std::function<QString(const FolderListing& folder, int index)>& fileFor,
                                      const QDateTime& now)
{
    QList<PictureSetInfo> sets;
    const QDir root(setsFolder);
    const QString builtIn = PolishUpper(builtInName);
    const QStringList folders = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : folders) {
        if (PolishUpper(name) == builtIn)
            continue;
        const FolderListing folder(root.filePath(name));
        PictureSetInfo set;
        set.name = name;
        bool complete = true;
        for (int i = 0; i < count; ++i) {
            const QString file = fileFor(folder, i);
            if (file.isEmpty()) {
                complete = false;
                break;
            }
            QDateTime modified = QFileInfo(file).lastModified();
            if (!modified.isValid())
                modified = kUnreadableTime;
            const qint64 hours = std::max<qint64>(0, modified.secsTo(now) / 3600);
            set.ageHours = int(std::min<qint64>(set.ageHours, hours));
        }
        if (!complete)
            continue;
        set.version = addonSetVersion(folder);
        sets.append(set);
    }
    return sets;
}

QColor setNameColour(const QStyleOptionViewItem& option, int ageHours)
{
    const bool selected = option.state & QStyle::State_Selected;
    if (ageHours < kNewSetHours && !selected)
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

} // namespace zorvex

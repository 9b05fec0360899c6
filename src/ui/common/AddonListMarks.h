#pragma once

#include "core/common/AddonFolder.h"

#include <QColor>
#include <QDateTime>
#include <QStyledItemDelegate>

class QComboBox;
class QPainter;
class QStyleOptionViewItem;

namespace zorvex {

// The marks every add-on set list shows: a set younger than kNewAddonHours
// is written dark blue unless selected, and a version follows the name in
// grey as "(version)".

inline constexpr int kAddonVersionRole = Qt::UserRole + 41;
inline constexpr int kAddonAgeRole = Qt::UserRole + 42;

// The name's colour: dark blue for a new set unless selected, else the
// palette's.
QColor setNameColour(const QStyleOptionViewItem& option, int ageHours);
// The name 2 pixels in, then "(version)" one blank's width after it, grey
// unless selected; over whatever background the caller painted.
void drawSetEntryText(QPainter* p, const QStyleOptionViewItem& option, const QString& name, const QString& version,
                      const QColor& nameColour);

// Draws an entry of a list with the marks kept in kAddonAgeRole and
// kAddonVersionRole; entries without them are drawn plain.
class AddonListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// Gives the list the delegate (once) and the entry its marks.
void useAddonMarks(QComboBox* list);
void setAddonMarks(QComboBox* list, int index, int ageHours, const QString& version);
// Marks the entries from `from` on, each the set folder of its own name in
// `setsFolder`: aged by its newest file, with its "Wersja.ini".
void markSetFolderEntries(QComboBox* list, const QString& setsFolder, const QDateTime& now, int from = 1);

} // namespace zorvex

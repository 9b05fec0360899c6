#include "ui/status/StatusPageParts.h"

#include "ui/status/MonthEdit.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>

namespace zorvex {

QCheckBox* makeActiveBox(QWidget* parent, bool on)
{
    auto* box = new QCheckBox(QStringLiteral("Statystyka aktywna"), parent);
    box->setObjectName(QStringLiteral("ActiveBox"));
    box->setChecked(on);
    return box;
}

MonthEdit* makeMonthEdit(QWidget* parent, const QDate& today)
{
    return new MonthEdit(today, parent);
}

QListWidget* makeDayList(QWidget* parent, const QString& objectName)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(objectName);
    QFont f(QStringLiteral("Monospace"));
    f.setStyleHint(QFont::TypeWriter);
    list->setFont(f);
    return list;
}

QLabel* makeLabel(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(objectName);
    return label;
}

void setLines(QListWidget* list, const QStringList& lines)
{
    const int row = list->currentRow();
    list->clear();
    list->addItems(lines);
    if (row >= 0 && row < list->count())
        list->setCurrentRow(row);
}

} // namespace zorvex

#include "ui/status/StatusPageParts.h"

#include <QCheckBox>
#include <QDateEdit>
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

QDateEdit* makeMonthEdit(QWidget* parent, const QDate& today)
{
    auto* edit = new QDateEdit(QDate(today.year(), today.month(), 1), parent);
    edit->setObjectName(QStringLiteral("MonthEdit"));
    edit->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    edit->setDisplayFormat(QStringLiteral("MMMM yyyy"));
    edit->setMinimumDate(QDate(2000, 1, 1));
    edit->setCurrentSection(QDateTimeEdit::MonthSection);
    return edit;
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

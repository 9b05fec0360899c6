#include "ui/calendar/CalendarMenus.h"

#include "core/app/PageCodes.h"
#include "core/calendar/MonthModel.h"

namespace zorvex {
namespace {

struct AddItem {
    AddCommand command;
    const char* label;
    const char* name;
};

constexpr AddItem kAddItems[] = {
    {AddCommand::Alarm, "Dodaj alarm", "MenuDodajAlarm"},
    {AddCommand::Birthday, "Dodaj urodziny", "MenuDodajUrodziny"},
    {AddCommand::NameDay, "Dodaj imieniny", "MenuDodajImieniny"},
    {AddCommand::ImportantDay, "Dodaj ważny dzień", "MenuDodajWaznyDzien"},
    {AddCommand::PrivateDay, "Dodaj prywatny dzień", "MenuDodajPrywatnyDzien"},
    {AddCommand::Anniversary, "Dodaj rocznicę", "MenuDodajRocznice"},
};

} // namespace

int pageCodeOf(AddCommand command)
{
    switch (command) {
    case AddCommand::Alarm: return page::Alarm;
    case AddCommand::Birthday:
    case AddCommand::NameDay: return page::Persons;
    case AddCommand::ImportantDay: return page::ImportantDays;
    case AddCommand::PrivateDay:
    case AddCommand::Anniversary: return page::PrivateDays;
    }
    return 0;
}

int pageCodeOfEntryGroup(int group)
{
    switch (group) {
    case DayMenuEntry::Persons: return page::Persons;
    case DayMenuEntry::ImportantDays: return page::ImportantDays;
    case DayMenuEntry::PrivateDays: return page::PrivateDays;
    default: return 0;
    }
}

AddMenu::AddMenu(QWidget* parent)
    : SideBarMenu(QString(), parent)
{
    setObjectName(QStringLiteral("PopupMenu1"));
    for (const AddItem& item : kAddItems) {
        QAction* a = addAction(QString::fromUtf8(item.label));
        a->setObjectName(QLatin1String(item.name));
        const AddCommand command = item.command;
        connect(a, &QAction::triggered, this,
                [this, command] { emit addRequested(command, pageCodeOf(command), m_date); });
        m_addActions << a;
    }
    addSeparator();
    m_names = addAction(QString::fromUtf8("Zobacz imieniny i sentencję"));
    m_names->setObjectName(QStringLiteral("MenuZobaczImieniny"));
    connect(m_names, &QAction::triggered, this, [this] { emit namesRequested(m_date); });
    m_entries = addMenu(QString::fromUtf8("Przejdź do..."));
    m_entries->setObjectName(QStringLiteral("MenuPrzejdzDo"));
    m_entries->menuAction()->setVisible(false);
}

void AddMenu::prepare(const QDate& date, const QList<DayMenuEntry>& entries)
{
    m_date = date;
    setBarText(menuCaptionDate(date));
    m_entries->clear();
    for (const DayMenuEntry& entry : entries) {
        QAction* a = m_entries->addAction(entry.label);
        const int group = entry.group;
        const int index = entry.index;
        connect(a, &QAction::triggered, this,
                [this, group, index] { emit entryChosen(group, index, pageCodeOfEntryGroup(group)); });
    }
    m_entries->menuAction()->setVisible(!entries.isEmpty());
}

void AddMenu::openFor(const QDate& date, const QList<DayMenuEntry>& entries, const QPoint& globalPos)
{
    prepare(date, entries);
    popup(globalPos);
}

QAction* AddMenu::actionOf(AddCommand command) const
{
    return m_addActions.value(int(command));
}

CaptionMenu::CaptionMenu(QWidget* parent)
    : SideBarMenu(QStringLiteral("Zorvex"), parent)
{
    setObjectName(QStringLiteral("PopupMenu2"));
    m_current = addAction(QString::fromUtf8("Przejdz do aktualnego miesiąca"));
    m_current->setObjectName(QStringLiteral("MenuAktualnyMiesiac"));
    m_choose = addAction(QString::fromUtf8("Przejdź do wybranej daty"));
    m_choose->setObjectName(QStringLiteral("MenuWybranaData"));
    connect(m_current, &QAction::triggered, this, &CaptionMenu::currentMonthRequested);
    connect(m_choose, &QAction::triggered, this, &CaptionMenu::chooseDateRequested);
}

void CaptionMenu::prepare(bool showingCurrentMonth)
{
    m_current->setEnabled(!showingCurrentMonth);
}

void CaptionMenu::openAt(bool showingCurrentMonth, const QPoint& globalPos)
{
    prepare(showingCurrentMonth);
    popup(globalPos);
}

CopyMenu::CopyMenu(QWidget* parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("PopupMenu3"));
}

void CopyMenu::prepare(const QList<CopyItem>& items)
{
    clear();
    m_items = items;
    for (CopyItem item : items) {
        QAction* a = addAction(copyItemLabel(item));
        connect(a, &QAction::triggered, this, [this, item] { emit copyRequested(item); });
    }
}

QAction* CopyMenu::actionOf(CopyItem item) const
{
    const int i = m_items.indexOf(item);
    return i >= 0 ? actions().value(i) : nullptr;
}

} // namespace zorvex

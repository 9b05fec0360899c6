#pragma once

#include "core/calendar/DayAnnotations.h"
#include "core/calendar/DayText.h"
#include "ui/common/SideBarMenu.h"

#include <QDate>
#include <QList>

namespace zorvex {

// The add commands of the "Dodaj" menu, each leading to a Tools page in
// add mode with the chosen date filled in.
enum class AddCommand { Alarm, Birthday, NameDay, ImportantDay, PrivateDay, Anniversary };
// The page code the command opens: "Alarm", "Solenizant", "Ważne dni" or
// "Prywatne/rocznice".
int pageCodeOf(AddCommand command);
// The page code of a day menu entry's list (persons, important days,
// private days); 0 for an unknown group.
int pageCodeOfEntryGroup(int group);

// The "Dodaj" menu (PopupMenu1) of a day of the month, its side bar naming
// the chosen date. "Przejdź do..." lists the day's entries and is hidden
// when there are none.
class AddMenu : public SideBarMenu {
    Q_OBJECT
public:
    explicit AddMenu(QWidget* parent = nullptr);

    // Keeps the date for the commands and fills the entries; does not show.
    void prepare(const QDate& date, const QList<DayMenuEntry>& entries);
    void openFor(const QDate& date, const QList<DayMenuEntry>& entries, const QPoint& globalPos);
    QDate chosenDate() const { return m_date; }

    QAction* actionOf(AddCommand command) const;
    QAction* namesAction() const { return m_names; }
    QMenu* entriesMenu() const { return m_entries; }

signals:
    void addRequested(zorvex::AddCommand command, int pageCode, const QDate& date);
    void namesRequested(const QDate& date);
    void entryChosen(int group, int index, int pageCode);

private:
    QDate m_date;
    QList<QAction*> m_addActions;
    QAction* m_names = nullptr;
    QMenu* m_entries = nullptr;
};

// The month caption's menu (PopupMenu2).
class CaptionMenu : public SideBarMenu {
    Q_OBJECT
public:
    explicit CaptionMenu(QWidget* parent = nullptr);

    // The first item is offered only while another month is displayed.
    void prepare(bool showingCurrentMonth);
    void openAt(bool showingCurrentMonth, const QPoint& globalPos);

    QAction* currentMonthAction() const { return m_current; }
    QAction* chooseDateAction() const { return m_choose; }

signals:
    void currentMonthRequested();
    void chooseDateRequested();

private:
    QAction* m_current;
    QAction* m_choose;
};

// The copy commands of the scrolling panel (PopupMenu3).
class CopyMenu : public QMenu {
    Q_OBJECT
public:
    explicit CopyMenu(QWidget* parent = nullptr);

    void prepare(const QList<CopyItem>& items);
    QList<CopyItem> items() const { return m_items; }
    QAction* actionOf(CopyItem item) const;

signals:
    void copyRequested(zorvex::CopyItem item);

private:
    QList<CopyItem> m_items;
};

} // namespace zorvex

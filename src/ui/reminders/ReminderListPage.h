#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QDateEdit;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QVBoxLayout;

namespace zorvex {

class Prompts;

class Clock;
struct NearestEntry;

// One "Najbliższe ..." panel: its caption with the date line, and the names
// falling on that date. Widgets: "<name>Panel" (the whole panel), "<name>"
// (the date line), "<name>Names" (the names).
class NearestPanel : public QWidget {
    Q_OBJECT
public:
    NearestPanel(const QString& caption, const QString& name, QWidget* parent);
    // Nothing to show leaves both fields empty.
    void setEntry(const std::optional<NearestEntry>& entry);
    QString dateLine() const;
    QString names() const;

private:
    QLabel* m_date;
    QLineEdit* m_names;
};

// What the three reminder lists of "Ważne daty" share: the list with
// "Dodaj", "Usuń", "Zmień" and "Sortuj listę", the name field, "Zastosuj"
// and "Anuluj", the modes and their enable rules, the delete question, the
// sort menu, the settings boxes and "Codzienne powiadomienie". A page adds
// its own date controls and file operations; every change is on disk when
// the operation ends, and the list is then read back from the file.
//
// Widgets: "List", "Add", "Remove", "Change", "Sort", "Apply", "Cancel",
// "Name", "NameCaption", "RemindToday", "DailyNotice". The sort menu
// "SortMenu" holds one submenu per key ("Według nazwy", ...), each with the
// items "rosnąco" ("SortAscending<k>") and "malejąco" ("SortDescending<k>"),
// k counting the keys from 0.
class ReminderListPage : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Idle, Add, Change };

    ~ReminderListPage() override;

    Mode mode() const { return m_mode; }
    bool editing() const { return m_mode != Mode::Idle; }
    int currentIndex() const;
    int count() const;
    QMenu* sortMenu() const { return m_sortMenu; }

    // Reads the file again and selects `row` (the last item when beyond it).
    void reload(int row);
    // "Dodaj": add mode with the page's defaults.
    void beginAdd();
    // "Anuluj": back to idle with the selected item's values.
    void cancelEdit();
    // Cancels an add or change and selects `index` when it is within the list.
    void selectEntry(int index);
    // The nearest panels again, and today's date where an idle control shows
    // it (after a date change).
    void refreshNearest();
    // Shows the settings model again in the boxes.
    void reloadSettings();

    // Yes/No questions and error messages; message boxes when not set.
    // The page whose editing also locks this page's move button.
    void setPartner(ReminderListPage* partner);

signals:
    // A list changed on disk or a "na panelu kalendarza" box changed.
    void remindersChanged();
    void dailyNoticeRequested();
    void modeChanged();
    // The page's move button, for the selected item.
    void moveRequested(int index);

protected:
    ReminderListPage(const Clock& clock, Prompts& prompts, QWidget* parent);

    // Called once by the page's constructor after its controls exist.
    void finishSetup(const QStringList& sortKeys);

    // Reads the page's file into memory.
    virtual void readEntries() = 0;
    virtual QStringList itemTexts() const = 0;
    // Shows an item's values in the controls; -1: none selected.
    virtual void showEntry(int index) = 0;
    // The page's values of a new entry (the name is already cleared).
    virtual void prepareAdd() {}
    virtual void enableEditors(bool enabled) = 0;
    // Further conditions of "Zastosuj" besides a name.
    virtual bool editorsComplete() const { return true; }
    // Appends (`index` -1) or replaces the entry; false with a Polish error.
    virtual bool writeEntry(int index, const QString& name, QString* error) = 0;
    virtual bool eraseEntry(int index, QString* error) = 0;
    virtual bool sortEntries(int key, bool descending, QString* error) = 0;
    virtual void showNearest() = 0;
    // The private file also refuses its field separator in names.
    virtual bool privateList() const { return false; }

    // The editor column, filled by the page below the name row.
    QGridLayout* editorGrid() const { return m_editorGrid; }
    QVBoxLayout* optionsLayout() const { return m_options; }
    QVBoxLayout* nearestLayout() const { return m_nearest; }
    QLabel* nameCaption() const { return m_nameCaption; }
    QLineEdit* nameField() const { return m_name; }
    QDate today() const;

    // A box that edits a settings field: shown from `get`, written by `set`.
    // A panel box also redraws the calendar at once.
    QCheckBox* addSettingsBox(QCheckBox* box, std::function<bool()> get, std::function<void(bool)> set,
                              bool redrawsCalendar);
    QCheckBox* remindTodayBox() const { return m_remindToday; }
    // The page's move button: enabled only with an item selected while
    // neither this page nor its partner is editing.
    void setMoveButton(QPushButton* button);
    // Re-evaluates "Zastosuj" after a control the rule depends on changed.
    void updateButtons();
    void reportError(const QString& text);

    // "[06 sty] Trzech Króli"
    static QString datedItemText(const QString& name, int day, int month);
    // A date control in Polish that keeps its place when hidden.
    QDateEdit* dateEdit(const char* name, const QString& format);
    // A control of a day and month only, ranging over the year of
    // dayMonthDate().
    QDateEdit* dayMonthEdit(const char* name, const QString& format);
    // A day and month shown in a control that has no year: year 2000, so that
    // 29 February exists; today's day and month for day 0, the last day of
    // the month for a day beyond it.
    QDate dayMonthDate(int day, int month) const;

private:
    void buildUi();
    void fillList();
    // Reads the file, refills the list and selects `row` (the last item when
    // beyond it) without the selection showing an entry.
    void readAndFill(int row);
    void setMode(Mode mode);
    void apply();
    void removeSelected();
    void sortBy(int key, bool descending);
    void afterChange(int row);
    bool ask(const QString& caption, const QString& text);

    const Clock& m_clock;
    Mode m_mode = Mode::Idle;
    Prompts& m_prompts;
    ReminderListPage* m_partner = nullptr;

    struct BoundBox {
        QCheckBox* box;
        std::function<bool()> get;
    };
    QList<BoundBox> m_boxes;

    QListWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_sort = nullptr;
    QMenu* m_sortMenu = nullptr;
    QLabel* m_nameCaption = nullptr;
    QLineEdit* m_name = nullptr;
    QGridLayout* m_editorGrid = nullptr;
    QPushButton* m_apply = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_move = nullptr;
    QVBoxLayout* m_options = nullptr;
    QCheckBox* m_remindToday = nullptr;
    QPushButton* m_dailyNotice = nullptr;
    QVBoxLayout* m_nearest = nullptr;
};

} // namespace zorvex

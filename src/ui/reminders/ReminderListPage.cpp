#include "ui/reminders/ReminderListPage.h"

#include "core/calendar/PolishNames.h"
#include "core/common/Clock.h"
#include "core/reminders/NearestEntries.h"
#include "core/reminders/ReminderData.h"
#include "ui/common/Messages.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvex {

namespace {

constexpr int kMaxNameLength = 255;
// The selected item's background, as on the other lists of the Tools window.
const QColor kSelection(255, 223, 138);
// The year of a day and month without a year of their own: a leap year.
constexpr int kDayMonthYear = 2000;

template <typename T>
T* named(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

// --- nearest panel ----------------------------------------------------------

NearestPanel::NearestPanel(const QString& caption, const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name + QLatin1String("Panel"));
    auto* title = new QLabel(caption, this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    m_date = new QLabel(this);
    m_date->setObjectName(name);
    m_names = new QLineEdit(this);
    m_names->setObjectName(name + QLatin1String("Names"));
    m_names->setReadOnly(true);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(1);
    layout->addWidget(title, 0, 0);
    layout->addWidget(m_date, 0, 1);
    layout->addWidget(m_names, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);
}

void NearestPanel::setEntry(const std::optional<NearestEntry>& entry)
{
    m_date->setText(entry ? entry->dateLine() : QString());
    m_names->setText(entry ? entry->names : QString());
    m_names->setCursorPosition(0);
    m_names->setToolTip(m_names->text());
}

QString NearestPanel::dateLine() const { return m_date->text(); }

QString NearestPanel::names() const { return m_names->text(); }

// --- the shared page ------------------------------------------------------

ReminderListPage::ReminderListPage(const Clock& clock, Prompts& prompts, QWidget* parent)
    : QWidget(parent)
    , m_clock(clock)
    , m_prompts(prompts)
{
    buildUi();
}

ReminderListPage::~ReminderListPage() = default;

void ReminderListPage::buildUi()
{
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    root->addLayout(top, 1);

    auto* left = new QVBoxLayout;
    m_list = named(new QListWidget(this), "List");
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette p = m_list->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(g, QPalette::Highlight, kSelection);
        p.setColor(g, QPalette::HighlightedText, Qt::black);
    }
    m_list->setPalette(p);
    left->addWidget(m_list, 1);
    auto* listButtons = new QGridLayout;
    m_add = named(new QPushButton(QStringLiteral("Dodaj"), this), "Add");
    m_remove = named(new QPushButton(QStringLiteral("Usuń"), this), "Remove");
    m_change = named(new QPushButton(QStringLiteral("Zmień"), this), "Change");
    m_sort = named(new QPushButton(QStringLiteral("Sortuj listę"), this), "Sort");
    listButtons->addWidget(m_add, 0, 0);
    listButtons->addWidget(m_remove, 0, 1);
    listButtons->addWidget(m_change, 1, 0);
    listButtons->addWidget(m_sort, 1, 1);
    left->addLayout(listButtons);
    top->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    m_editorGrid = new QGridLayout;
    m_nameCaption = named(new QLabel(this), "NameCaption");
    m_name = named(new QLineEdit(this), "Name");
    m_name->setMaxLength(kMaxNameLength);
    m_editorGrid->addWidget(m_nameCaption, 0, 0, 1, 2);
    m_editorGrid->addWidget(m_name, 1, 0, 1, 2);
    right->addLayout(m_editorGrid);
    auto* applyRow = new QHBoxLayout;
    m_apply = named(new QPushButton(QStringLiteral("Zastosuj"), this), "Apply");
    m_cancel = named(new QPushButton(QStringLiteral("Anuluj"), this), "Cancel");
    applyRow->addStretch();
    applyRow->addWidget(m_apply);
    applyRow->addWidget(m_cancel);
    right->addLayout(applyRow);
    m_options = new QVBoxLayout;
    m_remindToday = named(new QCheckBox(QStringLiteral("Przypominaj w aktualnym dniu"), this), "RemindToday");
    m_options->addWidget(m_remindToday);
    right->addLayout(m_options);
    m_dailyNotice = named(new QPushButton(QStringLiteral("Codzienne powiadomienie"), this), "DailyNotice");
    right->addWidget(m_dailyNotice);
    right->addStretch();
    top->addLayout(right, 1);

    m_nearest = new QVBoxLayout;
    m_nearest->setSpacing(4);
    root->addLayout(m_nearest);

    m_sortMenu = named(new QMenu(this), "SortMenu");

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!editing())
            showEntry(row);
        updateButtons();
    });
    connect(m_add, &QPushButton::clicked, this, &ReminderListPage::beginAdd);
    connect(m_change, &QPushButton::clicked, this, [this] {
        if (currentIndex() >= 0 && !editing())
            setMode(Mode::Change);
    });
    connect(m_remove, &QPushButton::clicked, this, &ReminderListPage::removeSelected);
    // popup(), not a button menu: it must not block the caller.
    connect(m_sort, &QPushButton::clicked, this,
            [this] { m_sortMenu->popup(m_sort->mapToGlobal(QPoint(0, m_sort->height()))); });
    connect(m_apply, &QPushButton::clicked, this, &ReminderListPage::apply);
    connect(m_cancel, &QPushButton::clicked, this, &ReminderListPage::cancelEdit);
    connect(m_name, &QLineEdit::textChanged, this, &ReminderListPage::updateButtons);
    connect(m_dailyNotice, &QPushButton::clicked, this, &ReminderListPage::dailyNoticeRequested);
}

void ReminderListPage::finishSetup(const QStringList& sortKeys)
{
    for (int k = 0; k < sortKeys.size(); ++k) {
        QMenu* sub = m_sortMenu->addMenu(sortKeys[k]);
        sub->setObjectName(QStringLiteral("SortKey%1").arg(k));
        QAction* up = sub->addAction(QStringLiteral("rosnąco"));
        up->setObjectName(QStringLiteral("SortAscending%1").arg(k));
        QAction* down = sub->addAction(QStringLiteral("malejąco"));
        down->setObjectName(QStringLiteral("SortDescending%1").arg(k));
        connect(up, &QAction::triggered, this, [this, k] { sortBy(k, false); });
        connect(down, &QAction::triggered, this, [this, k] { sortBy(k, true); });
    }
    readEntries();
    fillList();
    m_list->setCurrentRow(count() > 0 ? 0 : -1);
    setMode(Mode::Idle);
    showEntry(currentIndex());
    showNearest();
}

int ReminderListPage::currentIndex() const { return m_list->currentRow(); }

int ReminderListPage::count() const { return m_list->count(); }

QDate ReminderListPage::today() const { return m_clock.now().date(); }

void ReminderListPage::setPartner(ReminderListPage* partner)
{
    if (m_partner)
        disconnect(m_partner, &ReminderListPage::modeChanged, this, &ReminderListPage::updateButtons);
    m_partner = partner;
    if (m_partner)
        connect(m_partner, &ReminderListPage::modeChanged, this, &ReminderListPage::updateButtons);
    updateButtons();
}

void ReminderListPage::setMoveButton(QPushButton* button)
{
    m_move = button;
    connect(m_move, &QPushButton::clicked, this, [this] {
        if (currentIndex() >= 0 && !editing())
            emit moveRequested(currentIndex());
    });
    updateButtons();
}

QCheckBox* ReminderListPage::addSettingsBox(QCheckBox* box, std::function<bool()> get, std::function<void(bool)> set,
                                            bool redrawsCalendar)
{
    box->setChecked(get());
    connect(box, &QCheckBox::toggled, this, [this, set = std::move(set), redrawsCalendar](bool on) {
        set(on);
        if (redrawsCalendar)
            emit remindersChanged();
    });
    m_boxes.append({box, std::move(get)});
    return box;
}

void ReminderListPage::reloadSettings()
{
    for (const BoundBox& b : m_boxes) {
        const QSignalBlocker block(b.box);
        b.box->setChecked(b.get());
    }
}

void ReminderListPage::fillList()
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    m_list->addItems(itemTexts());
}

void ReminderListPage::readAndFill(int row)
{
    readEntries();
    fillList();
    const QSignalBlocker block(m_list);
    m_list->setCurrentRow(std::min(row, count() - 1));
}

void ReminderListPage::reload(int row)
{
    readAndFill(row);
    if (!editing())
        showEntry(currentIndex());
    showNearest();
    updateButtons();
}

void ReminderListPage::setMode(Mode mode)
{
    m_mode = mode;
    const bool edit = mode != Mode::Idle;
    m_list->setEnabled(!edit);
    m_add->setEnabled(!edit);
    m_sort->setEnabled(!edit);
    m_name->setEnabled(edit);
    m_cancel->setEnabled(edit);
    enableEditors(edit);
    updateButtons();
    emit modeChanged();
}

void ReminderListPage::updateButtons()
{
    const bool edit = editing();
    const bool selected = currentIndex() >= 0;
    m_remove->setEnabled(!edit && selected);
    m_change->setEnabled(!edit && selected);
    m_apply->setEnabled(edit && !m_name->text().isEmpty() && editorsComplete());
    if (m_move)
        m_move->setEnabled(!edit && selected && !(m_partner && m_partner->editing()));
}

void ReminderListPage::beginAdd()
{
    m_name->clear();
    setMode(Mode::Add);
    prepareAdd();
    updateButtons();
    m_name->setFocus();
}

void ReminderListPage::cancelEdit()
{
    setMode(Mode::Idle);
    showEntry(currentIndex());
}

void ReminderListPage::selectEntry(int index)
{
    if (editing())
        cancelEdit();
    if (index >= 0 && index < count())
        m_list->setCurrentRow(index);
}

void ReminderListPage::refreshNearest()
{
    showNearest();
    if (!editing())
        showEntry(currentIndex());
}

void ReminderListPage::apply()
{
    if (!editing())
        return;
    const QString name = m_name->text();
    const QString problem = checkEntryName(name, privateList());
    if (!problem.isEmpty()) {
        reportError(problem);
        return;
    }
    const bool adding = m_mode == Mode::Add;
    const int row = currentIndex();
    if (!adding && row < 0)
        return;
    QString error;
    if (!writeEntry(adding ? -1 : row, name, &error)) {
        reportError(error);
        // The list shows what the file holds; the typed values stay for
        // another try.
        readAndFill(row);
        updateButtons();
        return;
    }
    m_mode = Mode::Idle;
    afterChange(adding ? count() : row);
}

void ReminderListPage::removeSelected()
{
    const int row = currentIndex();
    if (row < 0 || editing())
        return;
    if (!ask(QStringLiteral("Usuń"), QStringLiteral("Na pewno usunąć wybraną pozycję z listy?")))
        return;
    QString error;
    if (!eraseEntry(row, &error)) {
        reportError(error);
        reload(row);
        return;
    }
    afterChange(row);
}

void ReminderListPage::sortBy(int key, bool descending)
{
    if (editing() || count() == 0)
        return;
    QString error;
    if (!sortEntries(key, descending, &error)) {
        reportError(error);
        reload(0);
        return;
    }
    afterChange(0);
}

void ReminderListPage::afterChange(int row)
{
    readAndFill(row);
    setMode(Mode::Idle);
    showEntry(currentIndex());
    showNearest();
    emit remindersChanged();
}

bool ReminderListPage::ask(const QString& caption, const QString& text)
{
    return m_prompts.askYesNo(caption, text, this);
}

void ReminderListPage::reportError(const QString& text)
{
    m_prompts.error(text, this);
}

QString ReminderListPage::datedItemText(const QString& name, int day, int month)
{
    return QStringLiteral("[%1 %2] ").arg(day, 2, 10, QLatin1Char('0')).arg(polishMonthName(month, true)) + name;
}

QDateEdit* ReminderListPage::dateEdit(const char* name, const QString& format)
{
    auto* e = named(new QDateEdit(this), name);
    e->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    e->setDisplayFormat(format);
    QSizePolicy keep = e->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    e->setSizePolicy(keep);
    return e;
}

QDateEdit* ReminderListPage::dayMonthEdit(const char* name, const QString& format)
{
    QDateEdit* e = dateEdit(name, format);
    e->setDateRange(QDate(kDayMonthYear, 1, 1), QDate(kDayMonthYear, 12, 31));
    return e;
}

QDate ReminderListPage::dayMonthDate(int day, int month) const
{
    if (day == 0) {
        const QDate t = today();
        return QDate(kDayMonthYear, t.month(), t.day());
    }
    const int m = std::clamp(month, 1, 12);
    const int d = std::clamp(day, 1, QDate(kDayMonthYear, m, 1).daysInMonth());
    return QDate(kDayMonthYear, m, d);
}

} // namespace zorvex

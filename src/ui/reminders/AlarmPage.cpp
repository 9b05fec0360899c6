#include "ui/reminders/AlarmPage.h"

#include "core/common/Clock.h"
#include "platform/System.h"
#include "ui/common/Messages.h"
#include "ui/common/NumberField.h"
#include "ui/reminders/AlarmPictures.h"
#include "ui/reminders/AlarmTimeDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvex {

namespace {

const char* const kRecurrenceCaptions[] = {"Wykonaj: raz",       "Wykonaj: codziennie", "Wykonaj: co tydzień",
                                           "Wykonaj: co miesiąc", "Wykonaj: pon.-pt.",   "Wykonaj: sob., nie.",
                                           "Wykonaj: wybrane dni", "Wykonaj: okresowo"};
const char* const kWeekdays[] = {"Poniedziałek", "Wtorek", "Środa", "Czwartek", "Piątek", "Sobota", "Niedziela"};
const char* const kDayBoxes[] = {"Pn", "Wt", "Śr", "Cz", "Pt", "So", "N"};
const char* const kActions[] = {"Wyłącz komputer", "Zrestartuj komputer", "Hibernacja",
                                "Stan wstrzymania", "Wyloguj",             "Wyłacz monitor"};
const char* const kIcons[] = {"Brak", "Wykrzyknik", "Informacja", "Pytanie", "Ostrzeżenie"};
const QString kCaption = QStringLiteral("Zorvex - Alarm");
// The selected alarm's background, as on the other lists of the Tools window.
const QColor kSelection(255, 223, 138);

QString u8(const char* s) { return QString::fromUtf8(s); }

template <typename T>
T* named(T* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

} // namespace

QMessageBox::Icon alarmBoxIcon(AlarmIcon icon)
{
    switch (icon) {
    case AlarmIcon::Exclamation:
        return QMessageBox::Warning;
    case AlarmIcon::Information:
        return QMessageBox::Information;
    case AlarmIcon::Question:
        return QMessageBox::Question;
    case AlarmIcon::Stop:
        return QMessageBox::Critical;
    case AlarmIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

AlarmPage::AlarmPage(Prompts& prompts, QWidget* parent)
    : QWidget(parent)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("alarmPage"));
    buildUi();
    setMode(Mode::Browse);
    showAlarm(-1);
}

AlarmPage::~AlarmPage() = default;

void AlarmPage::setCallbacks(Callbacks callbacks) { m_cb = std::move(callbacks); }

void AlarmPage::setClock(const Clock* clock) { m_clock = clock; }

QDateTime AlarmPage::now() const { return m_clock ? m_clock->now() : QDateTime::currentDateTime(); }

void AlarmPage::buildUi()
{
    auto* root = new QHBoxLayout(this);

    // The list and its buttons.
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Alarmy:"), this));
    m_list = named(new QListWidget(this), "alarmList");
    m_list->setIconSize(QSize(kAlarmRowSlotPitch * kAlarmRowSlots - 2, 16));
    m_list->setStyleSheet(QStringLiteral("QListWidget::item { border-bottom: 1px solid rgb(128,128,128); }"
                                         "QListWidget::item:selected { background: %1; color: black; }")
                              .arg(kSelection.name()));
    left->addWidget(m_list, 1);
    m_add = named(new QPushButton(QStringLiteral("Dodaj nowy alarm"), this), "addAlarmButton");
    m_change = named(new QPushButton(QStringLiteral("Zmień wybrany alarm z listy"), this), "changeAlarmButton");
    m_remove = named(new QPushButton(QStringLiteral("Usuń wybrany alarm z listy"), this), "removeAlarmButton");
    left->addWidget(m_add);
    left->addWidget(m_change);
    left->addWidget(m_remove);
    root->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    root->addLayout(right, 2);

    m_selected = named(new QGroupBox(QStringLiteral("Wybrany alarm"), this), "selectedAlarmGroup");
    auto* selectedLayout = new QVBoxLayout(m_selected);
    m_active = named(new QCheckBox(QStringLiteral("Alarm aktywny"), m_selected), "activeBox");
    selectedLayout->addWidget(m_active);
    right->addWidget(m_selected);

    // Time and recurrence.
    m_timeGroup = named(new QGroupBox(QStringLiteral("Alarm na czas"), this), "timeGroup");
    auto* tg = new QGridLayout(m_timeGroup);
    m_hour = named(new NumberField(0, 23, m_timeGroup), "hourField");
    m_minute = named(new NumberField(0, 59, m_timeGroup), "minuteField");
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(m_hour);
    timeRow->addWidget(new QLabel(QStringLiteral(":"), m_timeGroup));
    timeRow->addWidget(m_minute);
    m_recurrence = named(new QComboBox(m_timeGroup), "recurrenceCombo");
    for (const char* c : kRecurrenceCaptions)
        m_recurrence->addItem(u8(c));
    timeRow->addWidget(m_recurrence, 1);
    m_when = named(new QToolButton(m_timeGroup), "whenButton");
    m_when->setText(QStringLiteral("Kiedy..."));
    m_when->setPopupMode(QToolButton::InstantPopup);
    timeRow->addWidget(m_when);
    tg->addLayout(timeRow, 0, 0, 1, 2);

    m_date = named(new QDateEdit(m_timeGroup), "dateEdit");
    m_date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_date->setCalendarPopup(true);
    tg->addWidget(m_date, 1, 0);
    m_weekday = named(new QComboBox(m_timeGroup), "weekdayCombo");
    for (const char* d : kWeekdays)
        m_weekday->addItem(u8(d));
    tg->addWidget(m_weekday, 2, 0);
    auto* dayRow = new QHBoxLayout;
    m_dayLabel = new QLabel(QStringLiteral("Wybierz dzień:"), m_timeGroup);
    m_day = named(new QComboBox(m_timeGroup), "dayCombo");
    for (int d = 1; d <= 31; ++d)
        m_day->addItem(QString::number(d));
    dayRow->addWidget(m_dayLabel);
    dayRow->addWidget(m_day);
    dayRow->addStretch();
    tg->addLayout(dayRow, 3, 0);
    auto* boxes = new QHBoxLayout;
    for (int i = 0; i < 7; ++i) {
        m_days[i] = new QCheckBox(u8(kDayBoxes[i]), m_timeGroup);
        m_days[i]->setObjectName(QStringLiteral("dayBox%1").arg(i + 1));
        boxes->addWidget(m_days[i]);
    }
    tg->addLayout(boxes, 4, 0);
    m_periodic = named(new QWidget(m_timeGroup), "periodicRow");
    auto* pr = new QHBoxLayout(m_periodic);
    pr->setContentsMargins(0, 0, 0, 0);
    m_interval = named(new NumberField(1, 9999, m_periodic), "intervalField");
    m_from = named(new QDateEdit(m_periodic), "fromDateEdit");
    m_from->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_from->setCalendarPopup(true);
    pr->addWidget(new QLabel(QStringLiteral("Co:"), m_periodic));
    pr->addWidget(m_interval);
    pr->addWidget(new QLabel(QStringLiteral("dni"), m_periodic));
    pr->addWidget(new QLabel(QStringLiteral("Od:"), m_periodic));
    pr->addWidget(m_from);
    tg->addWidget(m_periodic, 5, 0);
    m_runLate = named(new QCheckBox(QStringLiteral("Wykonaj nawet po podanym czasie"), m_timeGroup), "runLateBox");
    tg->addWidget(m_runLate, 6, 0);
    right->addWidget(m_timeGroup);
    buildWhenMenu();

    // Message.
    m_messageGroup = named(new QGroupBox(QStringLiteral("Komunikat"), this), "messageGroup");
    auto* mg = new QGridLayout(m_messageGroup);
    m_noMessage = named(new QRadioButton(QStringLiteral("Brak"), m_messageGroup), "noMessageRadio");
    m_boxMessage = named(new QRadioButton(QStringLiteral("Okno"), m_messageGroup), "boxMessageRadio");
    m_balloonMessage = named(new QRadioButton(QStringLiteral("Balon"), m_messageGroup), "balloonMessageRadio");
    mg->addWidget(m_noMessage, 0, 0);
    mg->addWidget(m_boxMessage, 0, 1);
    mg->addWidget(m_balloonMessage, 0, 2);
    mg->addWidget(new QLabel(QStringLiteral("Treść komunikatu"), m_messageGroup), 1, 0, 1, 3);
    m_text = named(new QPlainTextEdit(m_messageGroup), "messageEdit");
    mg->addWidget(m_text, 2, 0, 1, 3);
    mg->addWidget(new QLabel(QStringLiteral("Ikona"), m_messageGroup), 3, 0);
    m_icon = named(new QComboBox(m_messageGroup), "iconCombo");
    for (const char* i : kIcons)
        m_icon->addItem(u8(i));
    mg->addWidget(m_icon, 3, 1);
    m_testMessage = named(new QPushButton(QStringLiteral("Testuj komunikat"), m_messageGroup), "testMessageButton");
    mg->addWidget(m_testMessage, 3, 2);
    right->addWidget(m_messageGroup);

    // Sound and program.
    m_runGroup = named(new QGroupBox(QStringLiteral("Wykonaj"), this), "runGroup");
    auto* rg = new QGridLayout(m_runGroup);
    m_soundOn = named(new QCheckBox(QStringLiteral("Odtwórz dźwięk"), m_runGroup), "soundBox");
    m_soundPath = named(new QLineEdit(m_runGroup), "soundPathEdit");
    m_soundBrowse = named(new QPushButton(QStringLiteral("..."), m_runGroup), "soundBrowseButton");
    m_soundTest = named(new QToolButton(m_runGroup), "SpeedButton2");
    m_soundTest->setText(QStringLiteral("Testuj"));
    m_soundTest->setCheckable(true);
    m_soundTest->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_soundTest->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    rg->addWidget(m_soundOn, 0, 0);
    rg->addWidget(m_soundPath, 0, 1);
    rg->addWidget(m_soundBrowse, 0, 2);
    rg->addWidget(m_soundTest, 0, 3);
    m_programOn = named(new QCheckBox(QStringLiteral("Uruchom program"), m_runGroup), "programBox");
    m_program = named(new QLineEdit(m_runGroup), "programEdit");
    m_programBrowse = named(new QPushButton(QStringLiteral("..."), m_runGroup), "programBrowseButton");
    rg->addWidget(m_programOn, 1, 0);
    rg->addWidget(m_program, 1, 1);
    rg->addWidget(m_programBrowse, 1, 2);
    right->addWidget(m_runGroup);

    // Computer.
    m_computerGroup = named(new QGroupBox(QStringLiteral("Komputer"), this), "computerGroup");
    auto* cg = new QHBoxLayout(m_computerGroup);
    m_computerOn = named(new QCheckBox(QStringLiteral("Aktywne"), m_computerGroup), "computerBox");
    m_computerAction = named(new QComboBox(m_computerGroup), "computerActionCombo");
    for (const char* a : kActions)
        m_computerAction->addItem(u8(a));
    m_withCancel = named(new QCheckBox(QStringLiteral("Z anulacją 30 sek."), m_computerGroup), "withCancelBox");
    cg->addWidget(m_computerOn);
    cg->addWidget(m_computerAction, 1);
    cg->addWidget(m_withCancel);
    right->addWidget(m_computerGroup);

    auto* buttons = new QHBoxLayout;
    m_hint = named(new QLabel(this), "applyHint");
    m_hint->setToolTip(QStringLiteral("Aby aktywować alarm musisz wybrać, co najmniej jedno zdarzenie."));
    m_apply = named(new QPushButton(QStringLiteral("Zastosuj"), this), "applyButton");
    m_apply->setToolTip(m_hint->toolTip());
    m_cancel = named(new QPushButton(QStringLiteral("Anuluj"), this), "cancelButton");
    buttons->addWidget(m_hint, 1);
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    right->addLayout(buttons);
    right->addStretch();

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!editing())
            showAlarm(row);
    });
    connect(m_add, &QPushButton::clicked, this, &AlarmPage::addNew);
    connect(m_change, &QPushButton::clicked, this, &AlarmPage::changeSelected);
    connect(m_remove, &QPushButton::clicked, this, &AlarmPage::removeSelected);
    connect(m_apply, &QPushButton::clicked, this, &AlarmPage::apply);
    connect(m_cancel, &QPushButton::clicked, this, &AlarmPage::cancelEdit);
    connect(m_recurrence, &QComboBox::currentIndexChanged, this, [this](int r) {
        showControlsFor(r);
        updateApply();
    });
    connect(m_testMessage, &QPushButton::clicked, this, &AlarmPage::testMessage);
    connect(m_soundTest, &QToolButton::clicked, this, &AlarmPage::testSound);
    connect(m_soundBrowse, &QPushButton::clicked, this, [this] {
        const QString f = chooseFile(QStringLiteral("Wybierz plik dźwiękowy"),
                                     QStringLiteral("Plik dźwiękowy (*.wav *.mp3 *.ogg *.wma)"));
        if (!f.isEmpty())
            m_soundPath->setText(f);
    });
    connect(m_programBrowse, &QPushButton::clicked, this, [this] {
        const QString f = chooseFile(QStringLiteral("Wybierz program"), QStringLiteral("Wszystkie pliki (*)"));
        if (!f.isEmpty())
            m_program->setText(quotedProgramPath(f));
    });
    const auto update = [this] { updateApply(); };
    for (QCheckBox* b : m_days)
        connect(b, &QCheckBox::toggled, this, update);
    for (QRadioButton* r : {m_noMessage, m_boxMessage, m_balloonMessage})
        connect(r, &QRadioButton::toggled, this, update);
    for (QCheckBox* b : {m_soundOn, m_programOn, m_computerOn})
        connect(b, &QCheckBox::toggled, this, update);
    connect(m_text, &QPlainTextEdit::textChanged, this, update);
    connect(m_soundPath, &QLineEdit::textChanged, this, update);
    connect(m_program, &QLineEdit::textChanged, this, update);
}

void AlarmPage::buildWhenMenu()
{
    m_whenMenu = new QMenu(this);
    m_whenMenu->setObjectName(QStringLiteral("whenMenu"));
    struct Offset {
        const char* caption;
        int minutes;
        int months;
    };
    static const Offset offsets[] = {{"Teraz", 0, 0},          {"Za 10 min.", 10, 0},       {"Za 15 min.", 15, 0},
                                     {"Za 30 min.", 30, 0},    {"Za 45 min.", 45, 0},       {"Za 1 godz.", 60, 0},
                                     {"Za 2 godz.", 120, 0},   {"Za 4 godz.", 240, 0},      {"Za 6 godz.", 360, 0},
                                     {"Za 12 godz.", 720, 0},  {"Za 24 godz.", 1440, 0},    {"Za tydzień", 7 * 1440, 0},
                                     {"Za miesiąc", 0, 1}};
    for (const Offset& o : offsets) {
        const int minutes = o.minutes;
        const int months = o.months;
        m_whenMenu->addAction(u8(o.caption), this, [this, minutes, months] {
            setWhen(now().addMonths(months).addSecs(qint64(minutes) * 60));
        });
    }
    m_whenMenu->addAction(QStringLiteral("Własne..."), this, &AlarmPage::customWhen);
    m_when->setMenu(m_whenMenu);
}

void AlarmPage::setWhen(const QDateTime& when)
{
    m_hour->setValue(when.time().hour());
    m_minute->setValue(when.time().minute());
    m_date->setDate(when.date());
    m_from->setDate(when.date());
    m_weekday->setCurrentIndex(when.date().dayOfWeek() - 1);
    m_day->setCurrentIndex(when.date().day() - 1);
}

void AlarmPage::customWhen()
{
    AlarmTimeDialog dialog(m_recurrence->currentIndex() == int(AlarmRecurrence::Once), window());
    // The Tools window stays disabled while the dialog is open (modal).
    if (dialog.exec() == QDialog::Accepted)
        setWhen(dialog.offset().applyTo(now()));
}

void AlarmPage::setAlarms(const QList<AlarmEntry>& alarms)
{
    m_alarms = alarms;
    fillList();
    m_list->setCurrentRow(m_alarms.isEmpty() ? -1 : 0);
    showAlarm(currentIndex());
}

void AlarmPage::refreshList()
{
    if (editing())
        return;
    const int row = currentIndex();
    fillList();
    m_list->setCurrentRow(qMin(row, int(m_alarms.size()) - 1));
    showAlarm(currentIndex());
}

int AlarmPage::currentIndex() const { return m_list->currentRow(); }

void AlarmPage::fillList()
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    const QDateTime moment = now();
    for (const AlarmEntry& e : m_alarms) {
        auto* item = new QListWidgetItem(alarmListText(e), m_list);
        // The same pictures on the selected row: no style tint over them.
        const QPixmap pictures = QPixmap::fromImage(alarmRowPicture(e, moment));
        QIcon icon;
        icon.addPixmap(pictures, QIcon::Normal);
        icon.addPixmap(pictures, QIcon::Selected);
        item->setIcon(icon);
        if (!e.active)
            item->setForeground(QColor(128, 128, 128));
    }
}

void AlarmPage::showAlarm(int index)
{
    const bool valid = index >= 0 && index < m_alarms.size();
    const AlarmEntry e = valid ? m_alarms.at(index) : AlarmEntry{};
    const QDate today = now().date();
    m_active->setChecked(e.active);
    m_hour->setValue(e.hour);
    m_minute->setValue(e.minute);
    {
        const QSignalBlocker block(m_recurrence);
        m_recurrence->setCurrentIndex(int(e.recurrence));
    }
    QDate d = e.date();
    if (!d.isValid() || d == QDate(2000, 1, 1))
        d = today;
    m_date->setDate(d);
    m_from->setDate(d);
    m_weekday->setCurrentIndex(e.recurrence == AlarmRecurrence::Weekly && e.parameter >= 1 && e.parameter <= 7
                                   ? e.parameter - 1
                                   : today.dayOfWeek() - 1);
    m_day->setCurrentIndex(e.recurrence == AlarmRecurrence::Monthly && e.parameter >= 1 && e.parameter <= 31
                               ? e.parameter - 1
                               : today.day() - 1);
    const int mask = e.recurrence == AlarmRecurrence::ChosenDays ? e.weekdayMask() : 127;
    for (int i = 0; i < 7; ++i)
        m_days[i]->setChecked((mask >> i) & 1);
    m_interval->setValue(e.recurrence == AlarmRecurrence::Periodic && e.parameter > 0 ? e.parameter : 1);
    m_runLate->setChecked(e.runLate);
    m_noMessage->setChecked(e.messageKind == AlarmMessageKind::None);
    m_boxMessage->setChecked(e.messageKind == AlarmMessageKind::Box);
    m_balloonMessage->setChecked(e.messageKind == AlarmMessageKind::Balloon);
    m_text->setPlainText(e.message);
    m_icon->setCurrentIndex(int(e.icon));
    m_soundOn->setChecked(e.soundOn);
    m_soundPath->setText(e.soundPath);
    m_programOn->setChecked(e.programOn);
    m_program->setText(e.program);
    m_computerOn->setChecked(e.computerOn);
    m_computerAction->setCurrentIndex(int(e.computerAction));
    m_withCancel->setChecked(e.withCancel);
    showControlsFor(int(e.recurrence));
    updateApply();
}

void AlarmPage::showControlsFor(int recurrence)
{
    const auto r = AlarmRecurrence(recurrence);
    m_date->setVisible(r == AlarmRecurrence::Once);
    m_weekday->setVisible(r == AlarmRecurrence::Weekly);
    m_dayLabel->setVisible(r == AlarmRecurrence::Monthly);
    m_day->setVisible(r == AlarmRecurrence::Monthly);
    for (QCheckBox* b : m_days)
        b->setVisible(r == AlarmRecurrence::ChosenDays);
    m_periodic->setVisible(r == AlarmRecurrence::Periodic);
}

void AlarmPage::setMode(Mode mode)
{
    m_mode = mode;
    const bool edit = mode != Mode::Browse;
    m_list->setEnabled(!edit);
    m_add->setEnabled(!edit);
    m_change->setEnabled(!edit && currentIndex() >= 0);
    m_remove->setEnabled(!edit && currentIndex() >= 0);
    for (QWidget* w : std::initializer_list<QWidget*>{m_selected, m_timeGroup, m_messageGroup, m_runGroup, m_computerGroup,
                                                      m_cancel})
        w->setEnabled(edit);
    updateApply();
}

bool AlarmPage::actionChosen() const
{
    return (!m_noMessage->isChecked() && !m_text->toPlainText().trimmed().isEmpty()) || m_computerOn->isChecked()
        || (m_programOn->isChecked() && !m_program->text().trimmed().isEmpty())
        || (m_soundOn->isChecked() && !m_soundPath->text().trimmed().isEmpty());
}

void AlarmPage::updateApply()
{
    bool ok = editing() && actionChosen();
    if (m_recurrence->currentIndex() == int(AlarmRecurrence::ChosenDays))
        ok = ok && std::any_of(m_days.begin(), m_days.end(), [](QCheckBox* b) { return b->isChecked(); });
    m_apply->setEnabled(ok);
    m_change->setEnabled(!editing() && currentIndex() >= 0);
    m_remove->setEnabled(!editing() && currentIndex() >= 0);
}

AlarmEntry AlarmPage::entryFromControls() const
{
    AlarmEntry e;
    e.active = m_active->isChecked();
    e.recurrence = AlarmRecurrence(m_recurrence->currentIndex());
    e.runLate = m_runLate->isChecked();
    e.hour = m_hour->value();
    e.minute = m_minute->value();
    switch (e.recurrence) {
    case AlarmRecurrence::Once:
        e.setDate(m_date->date());
        break;
    case AlarmRecurrence::Periodic:
        e.setDate(m_from->date());
        e.parameter = m_interval->value();
        break;
    case AlarmRecurrence::Weekly:
        e.parameter = m_weekday->currentIndex() + 1;
        break;
    case AlarmRecurrence::Monthly:
        e.parameter = m_day->currentIndex() + 1;
        break;
    case AlarmRecurrence::ChosenDays:
        for (int i = 0; i < 7; ++i)
            if (m_days[i]->isChecked())
                e.parameter |= 1 << i;
        break;
    default:
        break;
    }
    e.computerOn = m_computerOn->isChecked();
    e.computerAction = PowerAction(m_computerAction->currentIndex());
    e.programOn = m_programOn->isChecked();
    e.program = m_program->text();
    e.soundOn = m_soundOn->isChecked();
    e.soundPath = m_soundPath->text();
    e.messageKind = m_boxMessage->isChecked()       ? AlarmMessageKind::Box
                    : m_balloonMessage->isChecked() ? AlarmMessageKind::Balloon
                                                    : AlarmMessageKind::None;
    e.message = m_text->toPlainText();
    e.icon = AlarmIcon(m_icon->currentIndex());
    e.withCancel = m_withCancel->isChecked();
    return e;
}

void AlarmPage::apply()
{
    if (!m_apply->isEnabled())
        return;
    const AlarmEntry e = entryFromControls();
    const QString problem = alarmStorageProblem(e);
    if (!problem.isEmpty()) {
        warn(QStringLiteral("Zorvex - Błąd"), problem);
        return;
    }
    if (!e.active
        && !ask(kCaption, QStringLiteral("Na pewno %1 nieaktywny alarm?")
                              .arg(m_mode == Mode::Add ? QStringLiteral("dodać") : QStringLiteral("zapisać jako"))))
        return;
    int row = currentIndex();
    if (m_mode == Mode::Add) {
        m_alarms.append(e);
        row = int(m_alarms.size()) - 1;
    } else if (row >= 0 && row < m_alarms.size()) {
        // An edit of an alarm that already fired today must not fire it again
        // today: keep its record of the last firing while the rule stays.
        const AlarmEntry& old = m_alarms.at(row);
        AlarmEntry changed = e;
        if (old.recurrence == e.recurrence) {
            if (e.recurrence == AlarmRecurrence::Periodic) {
                if (old.date() == e.date() && old.parameter == e.parameter)
                    changed.periodicLastFired = old.periodicLastFired;
            } else if (e.recurrence != AlarmRecurrence::Once) {
                changed.year = old.year;
                changed.month = old.month;
                changed.day = old.day;
            }
        }
        m_alarms[row] = changed;
    } else {
        // The edited line went away meanwhile; keep the user's work.
        m_alarms.append(e);
        row = int(m_alarms.size()) - 1;
    }
    m_mode = Mode::Browse;
    fillList();
    m_list->setCurrentRow(row);
    setMode(Mode::Browse);
    showAlarm(row);
    emit alarmsEdited();
}

void AlarmPage::cancelEdit()
{
    const int row = currentIndex();
    fillList();
    m_list->setCurrentRow(qMin(row, int(m_alarms.size()) - 1));
    setMode(Mode::Browse);
    showAlarm(currentIndex());
}

void AlarmPage::addNew()
{
    showAlarm(-1);
    const QSignalBlocker block(m_recurrence);
    m_active->setChecked(true);
    m_noMessage->setChecked(true);
    m_text->clear();
    m_computerOn->setChecked(false);
    m_programOn->setChecked(false);
    m_soundOn->setChecked(false);
    for (QCheckBox* b : m_days)
        b->setChecked(true);
    setMode(Mode::Add);
}

void AlarmPage::beginAdd(const QDate& date, const QTime& time)
{
    addNew();
    m_recurrence->setCurrentIndex(int(AlarmRecurrence::Once));
    showControlsFor(int(AlarmRecurrence::Once));
    setWhen(QDateTime(date, time));
    updateApply();
}

bool AlarmPage::beginAddFromLink(const QDateTime& when, const QString& text)
{
    if (editing()
        && !ask(QStringLiteral("Alarm"), QString::fromUtf8("Porzucić edytowany alarm i dodać nowy ze strony?")))
        return false;
    if (editing())
        cancelEdit();
    beginAdd(when.date(), when.time());
    m_boxMessage->setChecked(true);
    m_text->setPlainText(text);
    updateApply();
    return true;
}

void AlarmPage::changeSelected()
{
    if (currentIndex() < 0)
        return;
    setMode(Mode::Change);
}

void AlarmPage::removeSelected()
{
    const int row = currentIndex();
    if (row < 0 || row >= m_alarms.size())
        return;
    if (!ask(QStringLiteral("Usuń"), QStringLiteral("Na pewno usunąć wybrany alarm z listy?")))
        return;
    m_alarms.removeAt(row);
    fillList();
    m_list->setCurrentRow(qMin(row, int(m_alarms.size()) - 1));
    showAlarm(currentIndex());
    setMode(Mode::Browse);
    emit alarmsEdited();
}

void AlarmPage::testMessage()
{
    const AlarmIcon icon = AlarmIcon(m_icon->currentIndex());
    const QString caption = alarmMessageCaption(icon);
    const QString text = m_text->toPlainText();
    if (m_boxMessage->isChecked()) {
        if (m_cb.showMessageBox)
            m_cb.showMessageBox(caption, text, icon);
        else
            m_prompts.window(alarmBoxIcon(icon), caption, text, true);
    } else if (m_balloonMessage->isChecked()) {
        if (m_cb.balloonsAvailable && m_cb.balloonsAvailable() && m_cb.showBalloon)
            m_cb.showBalloon(caption, text.trimmed().isEmpty() ? QStringLiteral("(nie wpisano treści komunikatu)") : text,
                             icon);
        else
            warn(QStringLiteral("Zorvex"),
                 QStringLiteral("System nie obsługuje powiadomień balonem lub zostały one wyłączone."));
    }
}

void AlarmPage::testSound()
{
    if (!m_soundTest->isChecked()) {
        // Pressed again: stop.
        if (m_cb.stopSound)
            m_cb.stopSound();
        showSoundPlaying(false);
        return;
    }
    const QString path = m_soundPath->text().trimmed();
    QString problem;
    if (path.isEmpty())
        problem = QStringLiteral("Nie wybrano pliku dźwiękowego");
    else if (!QFileInfo(path).isFile())
        problem = QStringLiteral("Plik nie istnieje: ") + path;
    if (!problem.isEmpty()) {
        m_soundTest->setChecked(false);
        warn(kCaption, problem);
        return;
    }
    if (m_cb.playSound)
        m_cb.playSound(path);
    showSoundPlaying(true);
}

void AlarmPage::showSoundPlaying(bool playing)
{
    m_soundTest->setChecked(playing);
    m_soundTest->setIcon(style()->standardIcon(playing ? QStyle::SP_MediaStop : QStyle::SP_MediaPlay));
    emit soundPlayingChanged(playing);
}

void AlarmPage::soundFinished() { showSoundPlaying(false); }

bool AlarmPage::ask(const QString& caption, const QString& text)
{
    return m_prompts.askYesNo(caption, text, this);
}

void AlarmPage::warn(const QString& caption, const QString& text)
{
    m_prompts.warning(caption, text, this);
}

QString AlarmPage::chooseFile(const QString& caption, const QString& filter)
{
    if (m_cb.chooseFile)
        return m_cb.chooseFile(caption, filter);
    return QFileDialog::getOpenFileName(this, caption, QString(), filter);
}

} // namespace zorvex

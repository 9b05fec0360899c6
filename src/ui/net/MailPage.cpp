#include "ui/net/MailPage.h"

#include "core/common/Clock.h"
#include "core/net/MailSettings.h"
#include "ui/common/BlockedWindow.h"
#include "ui/common/BringToFront.h"
#include "ui/common/Messages.h"
#include "ui/common/SoundFileChooser.h"
#include "ui/net/MailAccountDialog.h"
#include "ui/net/MailService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zorvex {

MailPage::MailPage(MailService& service, MailSettings& settings, MailSoundSettings& sound, QWidget* parent)
    : QWidget(parent)
    , m_service(service)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("MailPage"));
    auto* outer = new QVBoxLayout(this);
    m_group = new QGroupBox(QStringLiteral("Sprawdzanie poczty"), this);
    m_group->setObjectName(QStringLiteral("MailGroup"));
    outer->addWidget(m_group);
    auto* layout = new QGridLayout(m_group);

    m_list = new QListWidget(m_group);
    m_list->setObjectName(QStringLiteral("MailAccounts"));
    m_list->setFont(QFont(QStringLiteral("Monospace")));
    layout->addWidget(m_list, 0, 0, 6, 1);
    const auto button = [&](const QString& caption, const char* name, int row) {
        auto* b = new QPushButton(caption, m_group);
        b->setObjectName(QString::fromLatin1(name));
        layout->addWidget(b, row, 1);
        return b;
    };
    connect(button(QStringLiteral("Dodaj konto"), "AddAccount", 0), &QPushButton::clicked, this, &MailPage::addAccount);
    m_edit = button(QStringLiteral("Zmień konto"), "EditAccount", 1);
    connect(m_edit, &QPushButton::clicked, this, &MailPage::editAccount);
    m_remove = button(QStringLiteral("Usuń z listy"), "RemoveAccount", 2);
    connect(m_remove, &QPushButton::clicked, this, &MailPage::removeAccount);
    connect(button(QStringLiteral("Przesuń pozycję w górę"), "AccountUp", 3), &QPushButton::clicked, this,
            [this] { move(-1); });
    connect(button(QStringLiteral("Przesuń pozycję na dół"), "AccountDown", 4), &QPushButton::clicked, this,
            [this] { move(1); });
    m_checkOne = button(QStringLiteral("Sprawdź tylko to konto pocztowe"), "CheckAccount", 5);
    connect(m_checkOne, &QPushButton::clicked, this, [this] { m_service.checkAccount(m_list->currentRow()); });

    auto* actions = new QHBoxLayout;
    m_check = new QPushButton(QStringLiteral("Sprawdź pocztę"), m_group);
    m_check->setObjectName(QStringLiteral("CheckMail"));
    connect(m_check, &QPushButton::clicked, this, [this] { m_service.checkMail(); });
    m_cancel = new QPushButton(QStringLiteral("Anuluj"), m_group);
    m_cancel->setObjectName(QStringLiteral("CancelCheck"));
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_service.cancel(); });
    m_show = new QPushButton(QStringLiteral("Pokaż wiadomości"), m_group);
    m_show->setObjectName(QStringLiteral("ShowMessages"));
    connect(m_show, &QPushButton::clicked, this, [this] { m_service.showMessagesWindow(); });
    auto* program = new QPushButton(QStringLiteral("Otwórz program pocztowy"), m_group);
    program->setObjectName(QStringLiteral("OpenMailProgram"));
    connect(program, &QPushButton::clicked, this, [this] {
        const QString error = m_service.startMailProgram();
        if (!error.isEmpty())
            m_service.prompts().error(error, this);
    });
    for (QPushButton* b : {m_check, m_cancel, m_show, program})
        actions->addWidget(b);
    layout->addLayout(actions, 6, 0, 1, 2);

    auto* options = new QGroupBox(QStringLiteral("Opcje"), this);
    outer->addWidget(options);
    auto* grid = new QGridLayout(options);
    auto* every = option(QStringLiteral("Sprawdzaj automatycznie co"), m_settings.autoCheck, "OdswiezAuto");
    auto* minutes = new QSpinBox(options);
    minutes->setObjectName(QStringLiteral("OdswiezAutoMin"));
    minutes->setRange(1, 60);
    minutes->setValue(m_settings.autoCheckMinutes);
    minutes->setSuffix(QStringLiteral(" min."));
    connect(minutes, &QSpinBox::valueChanged, this, [this](int v) { m_settings.autoCheckMinutes = v; });
    grid->addWidget(every, 0, 0);
    grid->addWidget(minutes, 0, 1);
    grid->addWidget(option(QStringLiteral("Sprawdź przy uruchomieniu"), m_settings.checkAtStart, "OdswiezUru"), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Wykonaj zadanie, jeśli liczba wiadomości:"), options), 2, 0);
    auto* condition = new QComboBox(options);
    condition->setObjectName(QStringLiteral("ZadanieGdy"));
    condition->addItems({QStringLiteral("będzie większa od zera"), QStringLiteral("zwiększy się"),
                         QStringLiteral("zwiększy się lub zmiejszy")});
    condition->setCurrentIndex(m_settings.actWhen);
    connect(condition, &QComboBox::currentIndexChanged, this, [this](int i) { m_settings.actWhen = i; });
    grid->addWidget(condition, 2, 1);
    grid->addWidget(option(QStringLiteral("Pokaż powiadomienie"), m_settings.notify, "Powiadomienie"), 3, 0);
    grid->addWidget(option(QStringLiteral("Pokaż balon"), m_settings.balloon, "Balon"), 3, 1);
    const auto seconds = [&](int& value, const char* name, int row) {
        auto* spin = new QSpinBox(options);
        spin->setObjectName(QString::fromLatin1(name));
        spin->setRange(1, 59);
        spin->setValue(value);
        spin->setPrefix(QStringLiteral("Ukryj automatycznie po "));
        spin->setSuffix(QStringLiteral(" sek."));
        connect(spin, &QSpinBox::valueChanged, this, [&value](int v) { value = v; });
        grid->addWidget(spin, row, 1);
    };
    const auto click = [&](int& value, const char* name, int row) {
        auto* box = new QComboBox(options);
        box->setObjectName(QString::fromLatin1(name));
        box->addItems({QStringLiteral("Kliknięcie zamyka"), QStringLiteral("Kliknięcie otwiera program pocztowy"),
                       QStringLiteral("Kliknięcie otwiera okno wiadomości")});
        box->setCurrentIndex(value);
        connect(box, &QComboBox::currentIndexChanged, this, [&value](int i) { value = i; });
        grid->addWidget(box, row, 1);
    };
    grid->addWidget(option(QStringLiteral("Ukryj powiadomienie automatycznie"), m_settings.notifyAutoHide, "PowUkr"), 8, 0);
    seconds(m_settings.notifyHideSeconds, "PowUkrSek", 8);
    grid->addWidget(option(QStringLiteral("Ukryj balon automatycznie"), m_settings.balloonAutoHide, "BalonUkr"), 9, 0);
    seconds(m_settings.balloonHideSeconds, "BalonUkrSek", 9);
    grid->addWidget(new QLabel(QStringLiteral("Powiadomienie:"), options), 10, 0);
    click(m_settings.notifyClick, "PowClick", 10);
    grid->addWidget(new QLabel(QStringLiteral("Balon:"), options), 11, 0);
    click(m_settings.balloonClick, "BalClick", 11);
    grid->addWidget(option(QStringLiteral("Bez powiadomienia, gdy działa program pełnoekranowy"), m_settings.noNotifyInFullScreen,
                           "NiePokPowFS"),
                    12, 0, 1, 2);
    grid->addWidget(option(QStringLiteral("Bez balonu, gdy działa program pełnoekranowy"), m_settings.noBalloonInFullScreen,
                           "NiePokBalFS"),
                    13, 0, 1, 2);
    grid->addWidget(option(QStringLiteral("Migaj Scroll-Lock'iem"), m_settings.blinkScrollLock, "Scroll"), 14, 0, 1, 2);
    grid->addWidget(option(QStringLiteral("Odtwórz dźwięk"), m_settings.playSound, "Dzwiek"), 4, 0);
    m_sound = new SoundFileChooser(sound.soundFile, options);
    m_sound->setObjectName(QStringLiteral("MailSound"));
    grid->addWidget(m_sound, 4, 1);
    grid->addWidget(option(QStringLiteral("Dźwięk z głośnika systemowego"), m_settings.speakerSignal, "Glosnik"), 5, 0);
    auto* signal = new QComboBox(options);
    signal->setObjectName(QStringLiteral("GlosnikNr"));
    for (int i = 1; i <= 15; ++i)
        signal->addItem(QStringLiteral("Dźwięk: %1").arg(i));
    signal->setCurrentIndex(m_settings.speakerSignalNumber);
    connect(signal, &QComboBox::currentIndexChanged, this, [this](int i) { m_settings.speakerSignalNumber = i; });
    grid->addWidget(signal, 5, 1);
    auto* headers = option(QStringLiteral("Pobieraj nadawcę, temat, datę i rozmiar wiadomości"),
                           m_settings.fetchHeaders, "PobierzNaglowki");
    connect(headers, &QCheckBox::toggled, this, [this] { refresh(); });
    grid->addWidget(headers, 6, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Program pocztowy:"), options), 7, 0);
    auto* programText = new QLineEdit(m_settings.program, options);
    programText->setObjectName(QStringLiteral("Program"));
    connect(programText, &QLineEdit::textChanged, this, [this](const QString& t) { m_settings.program = t; });
    grid->addWidget(programText, 7, 1);
    outer->addStretch();

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { setChecking(m_service.checking()); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &MailPage::editAccount);
    // The Delete key is "Usuń z listy".
    connect(new QShortcut(QKeySequence::Delete, m_list, nullptr, nullptr, Qt::WidgetShortcut), &QShortcut::activated,
            this, &MailPage::removeAccount);
}

QCheckBox* MailPage::option(const QString& caption, bool& value, const char* objectName)
{
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setChecked(value);
    connect(box, &QCheckBox::toggled, this, [&value](bool on) { value = on; });
    return box;
}

void MailPage::refresh()
{
    const int current = m_list->currentRow();
    const auto& accounts = m_service.accounts();
    int width = 1;
    for (const MailAccount& a : accounts)
        width = std::max<int>(width, int(QString::number(a.count).size()));
    m_list->clear();
    for (const MailAccount& a : accounts) {
        QString text = QString::number(a.count).rightJustified(width) + QStringLiteral(" - ") + a.label();
        if (!a.status.isEmpty())
            text += QStringLiteral("  (!)");
        auto* item = new QListWidgetItem(text, m_list);
        item->setToolTip(a.status.isEmpty() ? QStringLiteral("Sprawdź tylko to konto pocztowe") : a.status);
    }
    if (current >= 0 && current < m_list->count())
        m_list->setCurrentRow(current);
    const DayTime last = m_settings.lastCheck;
    m_group->setTitle(mailGroupCaption(last == kNever ? QDateTime() : fromDayTime(last), m_service.today()));
    setChecking(m_service.checking() || m_service.deleting());
}

void MailPage::setChecking(bool checking)
{
    const bool selected = m_list->currentRow() >= 0;
    m_check->setEnabled(!checking);
    m_checkOne->setEnabled(!checking && selected);
    m_cancel->setVisible(checking && m_service.checking());
    m_show->setEnabled(m_settings.fetchHeaders);
    m_edit->setEnabled(!checking && selected);
    m_remove->setEnabled(!checking && selected);
}

void MailPage::selectAccount(int index)
{
    if (index >= 0 && index < m_list->count())
        m_list->setCurrentRow(index);
}

void MailPage::addAccount()
{
    openAccountDialog(-1);
}

void MailPage::editAccount()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_service.accounts().size() || m_service.checking())
        return;
    openAccountDialog(row);
}

MailAccountDialog* MailPage::accountDialog() const
{
    return qobject_cast<MailAccountDialog*>(m_dialog.data());
}

void MailPage::openAccountDialog(int row)
{
    if (m_dialog) {
        bringToFront(m_dialog);
        return;
    }
    // A window of its own: the Tools window it disables is not its parent.
    auto* dialog = new MailAccountDialog(row >= 0 ? &m_service.accounts().at(row) : nullptr);
    m_dialog = dialog;
    openBlockingDialog(dialog, window(), [this, dialog, row] {
        auto accounts = m_service.accounts();
        if (row < 0) {
            accounts << dialog->account();
            m_service.setAccounts(accounts);
            m_list->setCurrentRow(int(accounts.size()) - 1);
        } else if (row < accounts.size()) {
            accounts[row] = dialog->account();
            m_service.setAccounts(accounts);
        }
    });
}

void MailPage::removeAccount()
{
    const int row = m_list->currentRow();
    auto accounts = m_service.accounts();
    if (row < 0 || row >= accounts.size() || m_service.checking())
        return;
    if (!m_service.prompts().askYesNo(QStringLiteral("Zorvex"), QStringLiteral("Na pewno usunąć wybraną pozycję z listy?"),
                                      this))
        return;
    accounts.removeAt(row);
    m_service.setAccounts(accounts);
}

void MailPage::move(int by)
{
    const int row = m_list->currentRow();
    auto accounts = m_service.accounts();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= accounts.size() || m_service.checking())
        return;
    accounts.swapItemsAt(row, to);
    m_service.setAccounts(accounts);
    m_list->setCurrentRow(to);
}

} // namespace zorvex

#include "ui/net/PingPage.h"

#include "core/net/PingHosts.h"
#include "core/net/PingSettings.h"
#include "ui/common/Messages.h"
#include "ui/common/BlockedWindow.h"
#include "ui/common/BringToFront.h"
#include "ui/common/SoundFileChooser.h"
#include "ui/net/PingHostDialog.h"
#include "ui/net/PingService.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zorvex {
namespace {

QPushButton* button(QWidget* parent, QLayout* layout, const QString& caption, const char* name)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    layout->addWidget(b);
    return b;
}

int selectedRow(QListWidget* list)
{
    return list->currentRow();
}

} // namespace

PingPage::PingPage(PingService& service, PingSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_service(service)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("PingPage"));
    auto* outer = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Ping w sieci lokalnej (LAN) lub rozległej (WAN)"), this);
    outer->addWidget(group);
    auto* layout = new QVBoxLayout(group);
    auto* switcher = new QHBoxLayout;
    auto* addedView = new QRadioButton(QStringLiteral("Dodane IP"), group);
    addedView->setObjectName(QStringLiteral("AddedView"));
    auto* rangeView = new QRadioButton(QStringLiteral("Przedział IP"), group);
    rangeView->setObjectName(QStringLiteral("RangeView"));
    addedView->setChecked(true);
    switcher->addWidget(addedView);
    switcher->addWidget(rangeView);
    switcher->addStretch();
    layout->addLayout(switcher);
    m_views = new QStackedWidget(group);
    layout->addWidget(m_views);
    connect(rangeView, &QRadioButton::toggled, this, [this](bool on) { m_views->setCurrentIndex(on ? 1 : 0); });

    const QFont fixed(QStringLiteral("Monospace"));
    // The added hosts.
    auto* added = new QWidget(m_views);
    auto* addedLayout = new QGridLayout(added);
    m_added = new QListWidget(added);
    m_added->setObjectName(QStringLiteral("PingHosts"));
    m_added->setFont(fixed);
    addedLayout->addWidget(m_added, 0, 0);
    auto* addedButtons = new QVBoxLayout;
    connect(button(added, addedButtons, QStringLiteral("Dodaj IP"), "AddIp"), &QPushButton::clicked, this, &PingPage::addHost);
    connect(button(added, addedButtons, QStringLiteral("Zmień IP"), "EditIp"), &QPushButton::clicked, this, &PingPage::editHost);
    connect(button(added, addedButtons, QStringLiteral("Usuń IP"), "RemoveIp"), &QPushButton::clicked, this, &PingPage::removeHost);
    connect(button(added, addedButtons, QStringLiteral("Przesuń pozycję w górę"), "IpUp"), &QPushButton::clicked, this,
            [this] { move(-1); });
    connect(button(added, addedButtons, QStringLiteral("Przesuń pozycję na dół"), "IpDown"), &QPushButton::clicked, this,
            [this] { move(1); });
    const auto explore = [this](QListWidget* list, const QList<PingHost>& hosts) {
        const int row = selectedRow(list);
        if (row < 0 || row >= hosts.size())
            return;
        const QString error = m_service.explore(hosts.at(row));
        if (!error.isEmpty())
            m_service.prompts().window(QMessageBox::Warning, QStringLiteral("Zorvex - Ping"), error);
    };
    connect(button(added, addedButtons, QStringLiteral("Eksploruj"), "ExploreAdded"), &QPushButton::clicked, this,
            [this, explore] { explore(m_added, m_service.hosts()); });
    connect(m_added, &QListWidget::itemDoubleClicked, this, [this, explore] { explore(m_added, m_service.hosts()); });
    // The Delete key is "Usuń IP".
    connect(new QShortcut(QKeySequence::Delete, m_added, nullptr, nullptr, Qt::WidgetShortcut), &QShortcut::activated,
            this, &PingPage::removeHost);
    connect(button(added, addedButtons, QStringLiteral("Wyślij wiadomość (posłaniec)"), "MessengerAdded"),
            &QPushButton::clicked, this, [this] {
                const int row = selectedRow(m_added);
                openMessenger(row >= 0 && row < m_service.hosts().size() ? m_service.hosts().at(row).ip : QString());
            });
    addedButtons->addStretch();
    addedLayout->addLayout(addedButtons, 0, 1);
    m_check = new QPushButton(QStringLiteral("Sprawdź podłączone/odłączone komputery w sieci"), added);
    m_check->setObjectName(QStringLiteral("CheckHosts"));
    connect(m_check, &QPushButton::clicked, this, [this] { m_service.checkAddedHosts(); });
    addedLayout->addWidget(m_check, 1, 0, 1, 2);
    m_views->addWidget(added);

    // The range.
    auto* range = new QWidget(m_views);
    auto* rangeLayout = new QGridLayout(range);
    auto* bounds = new QHBoxLayout;
    m_start = new QLineEdit(m_settings.rangeStart, range);
    m_start->setObjectName(QStringLiteral("RangeStart"));
    m_end = new QLineEdit(m_settings.rangeEnd, range);
    m_end->setObjectName(QStringLiteral("RangeEnd"));
    connect(m_start, &QLineEdit::textChanged, this, [this](const QString& t) {
        m_settings.rangeStart = t.trimmed();
        m_settings.rangeEnd = rangeEndToStore(t, m_end->text());
    });
    connect(m_end, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_settings.rangeEnd = rangeEndToStore(m_start->text(), t); });
    bounds->addWidget(m_start);
    bounds->addWidget(new QLabel(QStringLiteral("-"), range));
    bounds->addWidget(m_end);
    rangeLayout->addLayout(bounds, 0, 0, 1, 2);
    m_rangeList = new QListWidget(range);
    m_rangeList->setObjectName(QStringLiteral("PingRange"));
    m_rangeList->setFont(fixed);
    m_rangeList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rangeLayout->addWidget(m_rangeList, 1, 0);
    auto* rangeButtons = new QVBoxLayout;
    connect(button(range, rangeButtons, QStringLiteral("Dodaj zaznaczone do listy Dodanych IP"), "AddFromRange"),
            &QPushButton::clicked, this, &PingPage::addSelectedFromRange);
    connect(button(range, rangeButtons, QStringLiteral("Eksploruj"), "ExploreRange"), &QPushButton::clicked, this,
            [this, explore] {
                if (m_rangeList->selectedItems().size() == 1)
                    explore(m_rangeList, m_service.range());
            });
    connect(button(range, rangeButtons, QStringLiteral("Wyślij wiadomość (posłaniec)"), "MessengerRange"),
            &QPushButton::clicked, this, [this] {
                const int row = selectedRow(m_rangeList);
                openMessenger(row >= 0 && row < m_service.range().size() ? m_service.range().at(row).ip : QString());
            });
    auto* names = new QCheckBox(QStringLiteral("Pobierz nazwę komputera od sprawdzanego IP"), range);
    names->setObjectName(QStringLiteral("Nazwy"));
    names->setChecked(m_settings.lookUpNames);
    connect(names, &QCheckBox::toggled, this, [this](bool on) { m_settings.lookUpNames = on; });
    rangeButtons->addWidget(names);
    rangeButtons->addStretch();
    rangeLayout->addLayout(rangeButtons, 1, 1);
    m_scan = new QPushButton(QStringLiteral("Sprawdź podłączone/odłączone komputery w sieci"), range);
    m_scan->setObjectName(QStringLiteral("ScanRange"));
    connect(m_scan, &QPushButton::clicked, this, [this] { m_service.scanRange(m_start->text(), m_end->text()); });
    rangeLayout->addWidget(m_scan, 2, 0, 1, 2);
    m_views->addWidget(range);

    // Options.
    auto* options = new QGroupBox(QStringLiteral("Opcje"), this);
    outer->addWidget(options);
    auto* grid = new QGridLayout(options);
    const auto check = [&](const QString& caption, bool& value, const char* name, int row, int column) {
        auto* box = new QCheckBox(caption, options);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(value);
        connect(box, &QCheckBox::toggled, this, [&value](bool on) { value = on; });
        grid->addWidget(box, row, column);
    };
    const auto number = [&](int& value, int min, int max, const QString& suffix, const char* name, int row, int column) {
        auto* spin = new QSpinBox(options);
        spin->setObjectName(QString::fromLatin1(name));
        spin->setRange(min, max);
        spin->setValue(value);
        spin->setSuffix(suffix);
        connect(spin, &QSpinBox::valueChanged, this, [&value](int v) { value = v; });
        grid->addWidget(spin, row, column);
    };
    check(QStringLiteral("Sprawdź automatycznie co"), m_settings.autoCheck, "OdswiezAuto", 0, 0);
    number(m_settings.autoCheckMinutes, 1, 60, QStringLiteral(" min."), "OdswiezAutoMin", 0, 1);
    check(QStringLiteral("Sprawdź przy uruchomieniu"), m_settings.checkAtStart, "OdswiezUru", 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Czas łączenia"), options), 2, 0);
    number(m_settings.timeoutMs, 1, 5000, QStringLiteral(" ms"), "CzasLacz", 2, 1);
    check(QStringLiteral("Pokaż powiadomienie"), m_settings.notify, "Powiadomienie", 3, 0);
    check(QStringLiteral("Pokaż balon"), m_settings.balloon, "Balon", 3, 1);
    check(QStringLiteral("Odtwórz dźwięk"), m_settings.playSound, "Dzwiek", 4, 0);
    m_sound = new SoundFileChooser(m_settings.soundFile, options);
    m_sound->setObjectName(QStringLiteral("PingSound"));
    grid->addWidget(m_sound, 4, 1);
    check(QStringLiteral("Ukryj powiadomienie automatycznie po"), m_settings.notifyAutoHide, "AutoUkr", 6, 0);
    number(m_settings.notifyHideSeconds, 1, 59, QStringLiteral(" sek."), "AutoUkrSek", 6, 1);
    check(QStringLiteral("Ukryj balon automatycznie po"), m_settings.balloonAutoHide, "BalonUkr", 7, 0);
    number(m_settings.balloonHideSeconds, 1, 59, QStringLiteral(" sek."), "BalonSek", 7, 1);
    check(QStringLiteral("Dźwięk z głośnika systemowego"), m_settings.speakerSignal, "Glosnik", 5, 0);
    auto* signal = new QComboBox(options);
    signal->setObjectName(QStringLiteral("GlosnikNr"));
    for (int i = 1; i <= 15; ++i)
        signal->addItem(QStringLiteral("Dźwięk: %1").arg(i));
    signal->setCurrentIndex(m_settings.speakerSignalNumber);
    connect(signal, &QComboBox::currentIndexChanged, this, [this](int i) { m_settings.speakerSignalNumber = i; });
    grid->addWidget(signal, 5, 1);
    outer->addStretch();

    connect(&m_service, &PingService::hostsChanged, this, &PingPage::refresh);
    refresh();
}

void PingPage::fill(QListWidget* list, const QList<PingHost>& hosts)
{
    const int current = list->currentRow();
    QList<int> selected;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            selected << i;
    }
    list->clear();
    for (const PingHost& h : hosts) {
        QString text = alignedIp(h.ip);
        if (!h.name.isEmpty())
            text = text.leftJustified(16) + QStringLiteral(" - ") + h.name;
        const QString icon = h.status == 1 ? QStringLiteral("network-transmit-receive")
            : h.status == 0              ? QStringLiteral("network-offline")
                                         : QStringLiteral("dialog-question");
        auto* item = new QListWidgetItem(QIcon::fromTheme(icon), text, list);
        item->setData(Qt::UserRole, h.status);
    }
    if (current >= 0 && current < list->count())
        list->setCurrentRow(current);
    for (int i : selected) {
        if (i < list->count())
            list->item(i)->setSelected(true);
    }
}

void PingPage::refresh()
{
    fill(m_added, m_service.hosts());
    fill(m_rangeList, m_service.range());
}

void PingPage::setRunning(bool running)
{
    m_check->setEnabled(!running);
    m_scan->setEnabled(!running);
}

void PingPage::addHost()
{
    openHostDialog(-1);
}

void PingPage::editHost()
{
    const int row = selectedRow(m_added);
    if (row < 0 || row >= m_service.hosts().size() || m_service.running())
        return;
    openHostDialog(row);
}

void PingPage::openHostDialog(int row)
{
    if (m_dialog) {
        bringToFront(m_dialog);
        return;
    }
    // A window of its own: the Tools window it disables is not its parent.
    auto* dialog = new PingHostDialog(m_service.hosts(), row, m_service.prompts());
    m_dialog = dialog;
    openBlockingDialog(dialog, window(), [this, dialog, row] {
        auto hosts = m_service.hosts();
        PingHost h = dialog->host();
        if (row < 0) {
            h.status = -1;
            hosts << h;
        } else if (row < hosts.size()) {
            hosts[row] = h;
        } else {
            return;
        }
        m_service.setHosts(hosts);
    });
}

void PingPage::removeHost()
{
    const int row = selectedRow(m_added);
    if (row < 0 || row >= m_service.hosts().size() || m_service.running())
        return;
    if (!m_service.prompts().askYesNo(QStringLiteral("Zorvex"), QStringLiteral("Na pewno usunąć wybraną pozycję z listy?"),
                                      this))
        return;
    auto hosts = m_service.hosts();
    hosts.removeAt(row);
    m_service.setHosts(hosts);
}

void PingPage::move(int by)
{
    const int row = selectedRow(m_added);
    auto hosts = m_service.hosts();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= hosts.size() || m_service.running())
        return;
    hosts.swapItemsAt(row, to);
    m_service.setHosts(hosts);
    m_added->setCurrentRow(to);
}

void PingPage::addSelectedFromRange()
{
    auto hosts = m_service.hosts();
    const auto& range = m_service.range();
    QStringList skipped;
    for (int i = 0; i < m_rangeList->count() && i < range.size(); ++i) {
        if (!m_rangeList->item(i)->isSelected())
            continue;
        const PingHost& h = range.at(i);
        const bool there = std::any_of(hosts.cbegin(), hosts.cend(), [&](const PingHost& o) { return o.ip == h.ip; });
        if (there)
            skipped << h.ip;
        else
            hosts << h;
    }
    m_service.setHosts(hosts);
    for (const QString& ip : std::as_const(skipped))
        m_service.prompts().window(QMessageBox::Warning, QStringLiteral("Zorvex - Ping"),
                                   QStringLiteral("Adres IP ") + ip + QStringLiteral(" jest już na liście"));
}

void PingPage::openMessenger(const QString& ip)
{
    if (m_dialog) {
        bringToFront(m_dialog);
        return;
    }
    auto* messenger = new MessengerWindow(ip, m_service.prompts());
    m_dialog = messenger;
    openBlockingDialog(messenger, window(), {});
}

} // namespace zorvex

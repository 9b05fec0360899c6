#include "ui/desktop/DiscDrivesPage.h"

#include "platform/desktop/DriveTrays.h"
#include "ui/common/NumberField.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {
namespace {

QString driveCaption(QChar letter)
{
    return QStringLiteral("Stacja dysków (%1:)").arg(letter);
}

} // namespace

DiscDrivesPage::DiscDrivesPage(QWidget* parent)
    : QWidget(parent)
    , m_table(defaultDriveHotKeys())
{
    setObjectName(QStringLiteral("NapedyCD"));
    auto* drivesGroup = new QGroupBox(QStringLiteral("Napędy CD/DVD"), this);
    drivesGroup->setObjectName(QStringLiteral("GroupNapedy"));
    auto* drivesLayout = new QVBoxLayout(drivesGroup);
    m_drives = new QListWidget(drivesGroup);
    m_drives->setObjectName(QStringLiteral("ListaNapedow"));
    drivesLayout->addWidget(m_drives);
    auto* refresh = new QPushButton(QStringLiteral("Odśwież"), drivesGroup);
    refresh->setObjectName(QStringLiteral("Odswiez"));
    drivesLayout->addWidget(refresh, 0, Qt::AlignRight);

    m_keys = new QGroupBox(QStringLiteral("Skróty klawiszowe"), this);
    m_keys->setObjectName(QStringLiteral("GroupSkroty"));
    auto* keysLayout = new QVBoxLayout(m_keys);
    const char* titles[kTrayActionCount] = {"Wsuń tackę", "Wysuń tackę", "Wysuń tackę i po czasie [sek.] wsuń"};
    for (int a = 0; a < kTrayActionCount; ++a) {
        auto* group = new QGroupBox(QString::fromUtf8(titles[a]), m_keys);
        group->setObjectName(QStringLiteral("GroupAkcja%1").arg(a + 1));
        auto* row = new QHBoxLayout(group);
        m_modifiers[size_t(a)] = new QComboBox(group);
        m_modifiers[size_t(a)]->setObjectName(QStringLiteral("Modyfikator%1").arg(a + 1));
        m_modifiers[size_t(a)]->addItems(modifierTexts());
        m_hotKeys[size_t(a)] = new QComboBox(group);
        m_hotKeys[size_t(a)]->setObjectName(QStringLiteral("Klawisz%1").arg(a + 1));
        m_hotKeys[size_t(a)]->addItems(hotKeyTexts());
        row->addWidget(m_modifiers[size_t(a)]);
        row->addWidget(new QLabel(QStringLiteral("+"), group));
        row->addWidget(m_hotKeys[size_t(a)]);
        if (a == int(TrayAction::OpenThenClose)) {
            m_delay = new NumberField(kMinTrayDelay, kMaxTrayDelay, group);
            m_delay->setObjectName(QStringLiteral("Opoznienie"));
            row->addWidget(m_delay);
        }
        keysLayout->addWidget(group);
        connect(m_modifiers[size_t(a)], &QComboBox::currentIndexChanged, this, &DiscDrivesPage::emitLine);
        connect(m_hotKeys[size_t(a)], &QComboBox::currentIndexChanged, this, &DiscDrivesPage::emitLine);
    }
    connect(m_delay, &QSpinBox::valueChanged, this, &DiscDrivesPage::emitLine);

    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("SkrotyUwaga"));
    m_notice->setWordWrap(true);
    m_notice->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(drivesGroup, 1);
    layout->addWidget(m_keys);
    layout->addWidget(m_notice);

    connect(refresh, &QPushButton::clicked, this, &DiscDrivesPage::refreshRequested);
    connect(m_drives, &QListWidget::currentRowChanged, this, &DiscDrivesPage::showSelected);
    connect(m_drives, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (m_loading)
            return;
        const int row = m_drives->row(item);
        if (row < 0 || row >= m_letters.size())
            return;
        // The check box is field 2 alone.
        DriveHotKeyLine& line = m_table[size_t(m_letters[row].unicode() - u'A')];
        line.active = item->checkState() == Qt::Checked;
        if (row == m_drives->currentRow())
            showSelected();
        emit lineChanged(line);
    });
    showSelected();
}

void DiscDrivesPage::setDrives(const QList<OpticalDrive>& drives, const DriveHotKeyTable& table)
{
    m_loading = true;
    m_table = table;
    m_letters.clear();
    m_drives->clear();
    for (const OpticalDrive& d : drives) {
        auto* item = new QListWidgetItem(driveCaption(d.letter), m_drives);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_table[size_t(d.letter.unicode() - u'A')].active ? Qt::Checked : Qt::Unchecked);
        m_letters << d.letter;
    }
    if (!m_letters.isEmpty())
        m_drives->setCurrentRow(0);
    m_loading = false;
    showSelected();
}

void DiscDrivesPage::setDriveNames(const QMap<QChar, QString>& labels)
{
    m_loading = true;
    for (int i = 0; i < m_letters.size(); ++i) {
        const QString label = labels.value(m_letters[i]);
        m_drives->item(i)->setText(label.isEmpty() ? driveCaption(m_letters[i])
                                                   : QStringLiteral("%1 (%2:)").arg(label, m_letters[i]));
    }
    m_loading = false;
}

void DiscDrivesPage::setHotKeysAvailable(bool available)
{
    m_available = available;
    updateNotice();
}

void DiscDrivesPage::showRefused(const QList<HotKeyCombo>& refused)
{
    m_refused = refused;
    updateNotice();
}

void DiscDrivesPage::updateNotice()
{
    if (!m_available) {
        m_notice->setText(QStringLiteral("Skróty klawiszowe są niedostępne: ten pulpit nie pozwala programom "
                                         "na skróty działające w całym systemie (potrzebna jest sesja X11 albo portal skrótów pulpitu)."));
    } else if (!m_refused.isEmpty()) {
        QStringList names;
        for (const HotKeyCombo& c : m_refused)
            names << hotKeyText(c);
        m_notice->setText(QStringLiteral("Tych skrótów używa już inny program: ") + names.join(QStringLiteral(", ")));
    }
    m_notice->setVisible(!m_available || !m_refused.isEmpty());
}

QChar DiscDrivesPage::selectedDrive() const
{
    const int row = m_drives->currentRow();
    return row >= 0 && row < m_letters.size() ? m_letters[row] : QChar();
}

void DiscDrivesPage::showSelected()
{
    const QChar letter = selectedDrive();
    const bool shown = !letter.isNull() && m_table[size_t(letter.unicode() - u'A')].active;
    m_keys->setVisible(shown);
    if (!shown)
        return;
    const bool wasLoading = m_loading;
    m_loading = true;
    const DriveHotKeyLine& line = m_table[size_t(letter.unicode() - u'A')];
    for (int a = 0; a < kTrayActionCount; ++a) {
        m_modifiers[size_t(a)]->setCurrentIndex(line.combos[size_t(a)].modifier);
        m_hotKeys[size_t(a)]->setCurrentIndex(line.combos[size_t(a)].key);
    }
    m_delay->setValue(line.delay);
    m_loading = wasLoading;
}

void DiscDrivesPage::emitLine()
{
    const QChar letter = selectedDrive();
    if (m_loading || letter.isNull())
        return;
    DriveHotKeyLine& line = m_table[size_t(letter.unicode() - u'A')];
    for (int a = 0; a < kTrayActionCount; ++a)
        line.combos[size_t(a)] = {m_modifiers[size_t(a)]->currentIndex(), m_hotKeys[size_t(a)]->currentIndex()};
    line.delay = m_delay->value();
    emit lineChanged(line);
}

} // namespace zorvex

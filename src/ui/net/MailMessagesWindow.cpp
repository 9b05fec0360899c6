#include "ui/net/MailMessagesWindow.h"

#include "core/net/MailSettings.h"
#include "core/status/TrafficFormat.h"
#include "ui/common/EdgeSnapper.h"
#include "ui/common/Messages.h"
#include "ui/net/MailService.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zorvex {

MailMessagesWindow::MailMessagesWindow(MailService& service, MailSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_service(service)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("MailMessagesWindow"));
    setWindowTitle(QStringLiteral("Poczta - Wiadomości e-mail"));
    setMinimumSize(400, 180);
    resize(std::max(400, m_settings.windowW), std::max(180, m_settings.windowH));
    if (m_settings.windowX >= 0 && m_settings.windowY >= 0)
        move(m_settings.windowX, m_settings.windowY);
    new EdgeSnapper(this);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Konto"), this));
    m_accounts = new QComboBox(this);
    m_accounts->setObjectName(QStringLiteral("MailAccountBox"));
    top->addWidget(m_accounts, 1);
    layout->addLayout(top);
    connect(m_accounts, &QComboBox::currentIndexChanged, this, [this] {
        m_settings.windowAccount = std::max(0, m_accounts->currentIndex());
        rebuildList();
    });

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("MailMessages"));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setHeaderLabels({QStringLiteral("Do"), QStringLiteral("Od"), QStringLiteral("Temat"),
                             QStringLiteral("Data"), QStringLiteral("Rozmiar")});
    for (int i = 0; i < 5; ++i)
        m_list->setColumnWidth(i, m_settings.columnWidths[i]);
    layout->addWidget(m_list, 1);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &MailMessagesWindow::updateDeleteButton);

    auto* buttons = new QHBoxLayout;
    m_check = new QPushButton(QStringLiteral("Sprawdź pocztę"), this);
    m_check->setObjectName(QStringLiteral("CheckMail"));
    connect(m_check, &QPushButton::clicked, this, [this] { m_service.checkMail(); });
    m_cancel = new QPushButton(QStringLiteral("Anuluj"), this);
    m_cancel->setObjectName(QStringLiteral("CancelCheck"));
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_service.cancel(); });
    auto* program = new QPushButton(QStringLiteral("Program pocztowy"), this);
    program->setObjectName(QStringLiteral("MailProgram"));
    connect(program, &QPushButton::clicked, this, [this] {
        const QString error = m_service.startMailProgram();
        if (!error.isEmpty())
            m_service.prompts().error(error, this);
    });
    m_delete = new QPushButton(QStringLiteral("Usuń"), this);
    m_delete->setObjectName(QStringLiteral("DeleteMessages"));
    m_delete->setToolTip(QStringLiteral("Usuń zaznaczoną wiadomość z serwera pocztowego"));
    connect(m_delete, &QPushButton::clicked, this, &MailMessagesWindow::deleteSelected);
    auto* menuButton = new QToolButton(this);
    menuButton->setObjectName(QStringLiteral("MailWindowMenu"));
    menuButton->setText(QStringLiteral("..."));
    menuButton->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(menuButton);
    menu->setObjectName(QStringLiteral("MailWindowMenuItems"));
    connect(menu->addAction(QStringLiteral("Pokaż okno: Narzędzia - Sprawdzanie poczty")), &QAction::triggered, this,
            [this] {
                if (m_service.openToolsPage)
                    m_service.openToolsPage();
                close();
            });
    QAction* notice = menu->addAction(QStringLiteral("Pokazuj komunikat po pomyślnym usunięciu wiadomości"));
    notice->setCheckable(true);
    notice->setChecked(m_settings.confirmDeletion);
    connect(notice, &QAction::toggled, this, [this](bool on) { m_settings.confirmDeletion = on; });
    menuButton->setMenu(menu);
    auto* close = new QPushButton(QStringLiteral("Zamknij"), this);
    close->setObjectName(QStringLiteral("CloseMessages"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    for (QWidget* w : std::initializer_list<QWidget*>{m_check, m_cancel, program, m_delete, menuButton})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(&m_service, &MailService::deletionFinished, this, [this] {
        m_list->setEnabled(true);
        m_accounts->setEnabled(true);
        rebuild();
    });
    updateDeleteButton();
}

void MailMessagesWindow::rebuild()
{
    const int keep = m_firstRebuild ? m_settings.windowAccount : m_accounts->currentIndex();
    m_firstRebuild = false;
    m_accounts->blockSignals(true);
    m_accounts->clear();
    m_accounts->addItem(QStringLiteral("<Wszystkie konta>"), QString());
    for (const MailAccount& a : m_service.accounts())
        m_accounts->addItem(a.label(), a.login);
    m_accounts->setCurrentIndex(std::clamp(keep, 0, m_accounts->count() - 1));
    m_accounts->blockSignals(false);
    rebuildList();
}

void MailMessagesWindow::rebuildList()
{
    m_list->clear();
    const bool all = m_accounts->currentIndex() <= 0;
    const QString login = m_accounts->currentData().toString();
    const auto& messages = m_service.messages();
    for (int i = 0; i < messages.size(); ++i) {
        const FetchedMessage& m = messages.at(i);
        if (!all && m.account.login != login)
            continue;
        const MailSummary& s = m.message.summary;
        QString from = s.name;
        if (!s.address.isEmpty())
            from += QStringLiteral(" (") + s.address + QLatin1Char(')');
        auto* item = new QTreeWidgetItem(m_list, {m.account.login, from.trimmed(), s.subject, mailDateText(s),
                                                  formatBytes(m.message.size)});
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, Qt::UserRole, i);
    }
    updateDeleteButton();
}

QList<int> MailMessagesWindow::selectedMessages() const
{
    QList<int> out;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (item->isSelected())
            out << item->data(0, Qt::UserRole).toInt();
    }
    return out;
}

void MailMessagesWindow::setChecking(bool checking)
{
    m_check->setEnabled(!checking);
    m_cancel->setVisible(checking);
}

void MailMessagesWindow::updateDeleteButton()
{
    m_delete->setEnabled(m_list->isEnabled() && !m_list->selectedItems().isEmpty() && !m_service.deleting());
}

void MailMessagesWindow::deleteSelected()
{
    const QList<int> rows = selectedMessages();
    if (rows.isEmpty() || m_service.deleting() || m_service.checking())
        return;
    const QString text = rows.size() == 1
        ? QStringLiteral("Na pewno bezpowrotnie usunąć zaznaczoną wiadomość z serwera?")
        : QStringLiteral("Na pewno bezpowrotnie usunąć zaznaczone wiadomości z serwera?");
    m_service.prompts().askLater(QStringLiteral("Zorvex"), text, true, [this, rows](bool yes) {
        if (!yes || !m_service.deleteMessages(rows))
            return;
        m_list->setEnabled(false);
        m_accounts->setEnabled(false);
        updateDeleteButton();
    });
}

void MailMessagesWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && m_delete->isEnabled()) {
        deleteSelected();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        m_list->selectAll();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MailMessagesWindow::closeEvent(QCloseEvent* event)
{
    m_settings.windowMaximized = isMaximized();
    if (!isMaximized()) {
        m_settings.windowX = x();
        m_settings.windowY = y();
        m_settings.windowW = width();
        m_settings.windowH = height();
    }
    for (int i = 0; i < 5; ++i)
        m_settings.columnWidths[i] = m_list->columnWidth(i);
    QWidget::closeEvent(event);
}

} // namespace zorvex

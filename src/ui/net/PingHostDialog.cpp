#include "ui/net/PingHostDialog.h"

#include "core/net/PingSettings.h"
#include "ui/common/Messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHostAddress>
#include <QHostInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zorvex {

PingHostDialog::PingHostDialog(const QList<PingHost>& hosts, int editing, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_hosts(hosts)
    , m_editing(editing)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("PingHostDialog"));
    setWindowTitle(editing >= 0 ? QStringLiteral("Zmień IP") : QStringLiteral("Dodaj IP"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* form = new QFormLayout(this);
    m_ip = new QLineEdit(this);
    m_ip->setObjectName(QStringLiteral("HostIp"));
    m_ip->setInputMask(QString());
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("HostName"));
    form->addRow(QStringLiteral("IP"), m_ip);
    form->addRow(QStringLiteral("Nazwa"), m_name);
    auto* lookup = new QPushButton(QStringLiteral("Pobierz nazwę komputera od podanego IP"), this);
    lookup->setObjectName(QStringLiteral("LookUpName"));
    connect(lookup, &QPushButton::clicked, this, [this] {
        if (m_lookup >= 0)
            QHostInfo::abortHostLookup(m_lookup);
        const QString ip = m_ip->text().trimmed();
        m_lookup = QHostInfo::lookupHost(ip, this, [this, ip](const QHostInfo& info) {
            m_lookup = -1;
            if (info.error() == QHostInfo::NoError && !info.hostName().isEmpty() && info.hostName() != ip)
                m_name->setText(info.hostName());
        });
    });
    form->addRow(lookup);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PingHostDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    if (editing >= 0 && editing < hosts.size()) {
        m_ip->setText(hosts.at(editing).ip);
        m_name->setText(hosts.at(editing).name);
    }
}

PingHostDialog::~PingHostDialog()
{
    if (m_lookup >= 0)
        QHostInfo::abortHostLookup(m_lookup);
}

PingHost PingHostDialog::host() const
{
    PingHost h;
    if (m_editing >= 0 && m_editing < m_hosts.size())
        h.status = m_hosts.at(m_editing).status;
    h.ip = m_ip->text().trimmed();
    h.name = m_name->text().trimmed();
    return h;
}

void PingHostDialog::accept()
{
    const QString ip = m_ip->text().trimmed();
    if (QHostAddress(ip).protocol() != QAbstractSocket::IPv4Protocol) {
        m_prompts.error(QStringLiteral("Niepoprawny adres IP: ") + ip, this);
        return;
    }
    for (int i = 0; i < m_hosts.size(); ++i) {
        if (i != m_editing && m_hosts.at(i).ip == ip) {
            m_prompts.error(QStringLiteral("Podany IP jest już na liście"), this);
            return;
        }
    }
    QDialog::accept();
}

MessengerWindow::MessengerWindow(const QString& ip, Prompts& prompts, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MessengerWindow"));
    setWindowTitle(QStringLiteral("Wyślij wiadomość (posłaniec)"));
    auto* form = new QFormLayout(this);
    auto* address = new QLineEdit(ip, this);
    address->setObjectName(QStringLiteral("MessengerAddress"));
    auto* text = new QPlainTextEdit(this);
    text->setObjectName(QStringLiteral("MessengerText"));
    form->addRow(QStringLiteral("IP:"), address);
    form->addRow(text);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* send = buttons->addButton(QStringLiteral("Wyślij"), QDialogButtonBox::ActionRole);
    send->setObjectName(QStringLiteral("MessengerSend"));
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    const auto update = [=] {
        send->setEnabled(!address->text().trimmed().isEmpty() && !text->toPlainText().isEmpty());
    };
    connect(address, &QLineEdit::textChanged, this, update);
    connect(text, &QPlainTextEdit::textChanged, this, update);
    update();
    connect(send, &QPushButton::clicked, this, [this, address, text, p = &prompts] {
        const int code = sendNetMessage(address->text().trimmed().left(kMessengerMaxAddress), text->toPlainText());
        p->information(QStringLiteral("Posłaniec"), messengerResultText(code), this);
        if (code == 0)
            accept();
    });
}

int MessengerWindow::sendNetMessage(const QString&, const QString&)
{
    return 50;
}

} // namespace zorvex

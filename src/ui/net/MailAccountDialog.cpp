#include "ui/net/MailAccountDialog.h"

#include "core/internet/ProxySetting.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace zorvex {

MailAccountDialog::MailAccountDialog(const MailAccount* editing, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MailAccountDialog"));
    setWindowTitle(editing ? QStringLiteral("Zmień konto") : QStringLiteral("Dodaj konto"));
    auto* form = new QFormLayout(this);
    m_login = new QLineEdit(this);
    m_login->setObjectName(QStringLiteral("Login"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("Password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_server = new QLineEdit(this);
    m_server->setObjectName(QStringLiteral("Server"));
    m_ssl = new QCheckBox(QStringLiteral("Połączenie szyfrowane (SSL)"), this);
    m_ssl->setObjectName(QStringLiteral("Ssl"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("AccountName"));
    m_fingerprint = new QLineEdit(this);
    m_fingerprint->setObjectName(QStringLiteral("TrustedFingerprint"));
    m_fingerprint->setToolTip(QStringLiteral("Tylko dla serwera z własnym (samopodpisanym) certyfikatem: odcisk "
                                             "SHA-256 certyfikatu, któremu ufasz"));
    form->addRow(QStringLiteral("Login:"), m_login);
    form->addRow(QStringLiteral("Hasło:"), m_password);
    form->addRow(QStringLiteral("Serwer POP3 (np. pop3.example.pl):"), m_server);
    form->addRow(QString(), m_ssl);
    form->addRow(QStringLiteral("Nazwa widoczna na liście kont:"), m_name);
    form->addRow(QStringLiteral("Zaufany certyfikat (SHA-256):"), m_fingerprint);
    auto* buttons = new QDialogButtonBox(this);
    m_confirm = buttons->addButton(editing ? QStringLiteral("Zmień") : QStringLiteral("Dodaj"),
                                   QDialogButtonBox::AcceptRole);
    m_confirm->setObjectName(QStringLiteral("Confirm"));
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    if (editing) {
        m_login->setText(editing->login);
        m_password->setText(unscramblePassword(editing->password));
        m_server->setText(editing->server);
        m_ssl->setChecked(editing->ssl);
        m_name->setText(editing->label());
        m_fingerprint->setText(editing->trustedSha256);
    }
    for (QLineEdit* e : {m_login, m_password, m_server})
        connect(e, &QLineEdit::textChanged, this, &MailAccountDialog::updateButton);
    updateButton();
}

void MailAccountDialog::updateButton()
{
    m_confirm->setEnabled(!m_login->text().isEmpty() && !m_password->text().isEmpty()
                          && !m_server->text().trimmed().isEmpty());
}

MailAccount MailAccountDialog::account() const
{
    MailAccount a;
    a.login = m_login->text();
    a.password = scramblePassword(m_password->text());
    a.server = m_server->text().trimmed();
    a.ssl = m_ssl->isChecked();
    a.name = m_name->text();
    a.trustedSha256 = m_fingerprint->text().trimmed().remove(QLatin1Char(':')).toLower();
    return a;
}

} // namespace zorvex

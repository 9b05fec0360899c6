#include "ui/net/MailAccountDialog.h"

#include "core/internet/ProxySetting.h"
#include "platform/net/Pop3Connection.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace zorvex {

QList<MailPreset> mailPresets()
{
    return {
        {"Gmail", "pop.gmail.com", true},          {"Outlook.com", "outlook.office365.com", true},
        {"Yahoo", "pop.mail.yahoo.com", true},      {"GMX", "pop.gmx.com", true},
        {"WP", "pop3.wp.pl", true},                 {"Onet", "pop3.poczta.onet.pl", true},
        {"Interia", "poczta.interia.pl", true},     {"o2", "poczta.o2.pl", true},
    };
}

QString formatFingerprint(const QString& hex)
{
    QStringList pairs;
    for (qsizetype i = 0; i < hex.size(); i += 2)
        pairs << hex.mid(i, 2).toUpper();
    return pairs.join(QLatin1Char(':'));
}

MailAccountDialog::MailAccountDialog(const MailAccount* editing, QWidget* parent)
    : QDialog(parent)
{
    newProbe();
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
    auto* presets = new QPushButton(QStringLiteral("POP"), this);
    presets->setObjectName(QStringLiteral("ServerPresets"));
    auto* menu = new QMenu(presets);
    menu->setObjectName(QStringLiteral("ServerPresetMenu"));
    presets->setMenu(menu);
    auto* serverRow = new QHBoxLayout;
    serverRow->addWidget(m_server, 1);
    serverRow->addWidget(presets);
    m_ssl = new QCheckBox(QStringLiteral("Połączenie szyfrowane (SSL)"), this);
    m_ssl->setObjectName(QStringLiteral("Ssl"));
    for (const MailPreset& p : mailPresets()) {
        connect(menu->addAction(QString::fromUtf8(p.name)), &QAction::triggered, this, [this, p] {
            m_server->setText(QString::fromUtf8(p.server));
            m_ssl->setChecked(p.ssl);
        });
    }
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("AccountName"));

    m_fingerprint = new QLineEdit(this);
    m_fingerprint->setObjectName(QStringLiteral("TrustedFingerprint"));
    m_fingerprint->setReadOnly(true);
    m_fingerprint->setPlaceholderText(QStringLiteral("brak (tylko certyfikaty zaufane przez system)"));
    m_fingerprint->setToolTip(QStringLiteral("Tylko dla serwera z własnym (samopodpisanym) certyfikatem: odcisk "
                                             "SHA-256 certyfikatu, któremu ufasz"));
    m_presented = new QLabel(this);
    m_presented->setObjectName(QStringLiteral("PresentedFingerprint"));
    m_presented->setWordWrap(true);
    m_presented->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_fetch = new QPushButton(QStringLiteral("Sprawdź certyfikat"), this);
    m_fetch->setObjectName(QStringLiteral("FetchCertificate"));
    m_fetch->setToolTip(QStringLiteral("Połącz z serwerem i pokaż odcisk jego certyfikatu (bez wysyłania hasła)"));
    m_trust = new QPushButton(QStringLiteral("Ufaj temu certyfikatowi"), this);
    m_trust->setObjectName(QStringLiteral("TrustCertificate"));
    m_forget = new QPushButton(QStringLiteral("Zapomnij certyfikat"), this);
    m_forget->setObjectName(QStringLiteral("ForgetCertificate"));
    auto* certButtons = new QHBoxLayout;
    certButtons->addWidget(m_fetch);
    certButtons->addWidget(m_trust);
    certButtons->addWidget(m_forget);

    form->addRow(QStringLiteral("Login:"), m_login);
    form->addRow(QStringLiteral("Hasło:"), m_password);
    form->addRow(QStringLiteral("Serwer POP3 (np. pop3.example.pl):"), serverRow);
    form->addRow(QString(), m_ssl);
    form->addRow(QStringLiteral("Nazwa widoczna na liście kont:"), m_name);
    form->addRow(QStringLiteral("Zaufany certyfikat (SHA-256):"), m_fingerprint);
    form->addRow(QString(), m_presented);
    form->addRow(QString(), certButtons);
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
        m_trustedSha256 = editing->trustedSha256.trimmed().remove(QLatin1Char(':')).toLower();
    }
    for (QLineEdit* e : {m_login, m_password, m_server})
        connect(e, &QLineEdit::textChanged, this, &MailAccountDialog::updateButton);
    connect(m_server, &QLineEdit::textChanged, this, &MailAccountDialog::serverChanged);
    connect(m_ssl, &QCheckBox::toggled, this, &MailAccountDialog::serverChanged);
    connect(m_fetch, &QPushButton::clicked, this, &MailAccountDialog::fetchCertificate);
    connect(m_trust, &QPushButton::clicked, this, [this] {
        m_trustedSha256 = m_presentedSha256;
        showTrusted();
    });
    connect(m_forget, &QPushButton::clicked, this, [this] {
        m_trustedSha256.clear();
        showTrusted();
    });
    showTrusted();
    updateButton();
}

MailAccountDialog::~MailAccountDialog() = default;

void MailAccountDialog::setReadTimeoutMs(int ms)
{
    m_timeoutMs = ms;
    m_probe->setReadTimeoutMs(ms);
}

void MailAccountDialog::newProbe()
{
    delete m_probe;
    m_probe = new Pop3Connection(this);
    m_probe->setReadTimeoutMs(m_timeoutMs);
    connect(m_probe, &Pop3Connection::finished, this, &MailAccountDialog::certificateFetched);
}

void MailAccountDialog::updateButton()
{
    m_confirm->setEnabled(!m_login->text().isEmpty() && !m_password->text().isEmpty()
                          && !m_server->text().trimmed().isEmpty());
    m_fetch->setEnabled(!m_probe->running() && !m_server->text().trimmed().isEmpty());
}

void MailAccountDialog::showTrusted()
{
    m_fingerprint->setText(formatFingerprint(m_trustedSha256));
    m_trust->setEnabled(!m_presentedSha256.isEmpty() && m_presentedSha256 != m_trustedSha256);
    m_forget->setEnabled(!m_trustedSha256.isEmpty());
}

void MailAccountDialog::serverChanged()
{
    // What a server showed says nothing about another one; an answer still
    // on its way is dropped with its connection.
    if (m_probe->running())
        newProbe();
    m_presentedSha256.clear();
    m_presented->clear();
    showTrusted();
    updateButton();
}

void MailAccountDialog::fetchCertificate()
{
    const MailAccount a = account();
    const auto target = a.target();
    m_presentedSha256.clear();
    if (!target) {
        m_presented->setText(QStringLiteral("Niepoprawny adres serwera POP3."));
        showTrusted();
        return;
    }
    m_presented->setText(QStringLiteral("Łączenie z serwerem..."));
    // The system's trust only: the answer shows what the server really holds.
    m_probe->run({target->host, target->port, a.ssl, {}}, std::make_unique<Pop3Session>(Pop3Session::Probe{!a.ssl}));
    showTrusted();
    updateButton();
}

void MailAccountDialog::certificateFetched(const Pop3Session::Result& r)
{
    const QString sha = m_probe->peerSha256();
    if (r.error == Pop3Error::Untrusted && !sha.isEmpty()) {
        m_presentedSha256 = sha;
        m_presented->setText(QStringLiteral("System nie ufa certyfikatowi serwera. Odcisk SHA-256 certyfikatu, "
                                            "który przedstawił serwer:\n")
                             + formatFingerprint(sha)
                             + (sha == m_trustedSha256 ? QStringLiteral("\nTen certyfikat jest już zaufany.")
                                                       : QStringLiteral("\nUfaj mu tylko wtedy, gdy odcisk zgadza "
                                                                        "się z podanym przez administratora.")));
    } else if (r.error == Pop3Error::None && r.encrypted) {
        m_presented->setText(QStringLiteral("Certyfikat serwera jest zaufany przez system. Odcisk SHA-256:\n")
                             + formatFingerprint(sha));
    } else if (r.error == Pop3Error::None) {
        m_presented->setText(QStringLiteral("Serwer nie oferuje połączenia szyfrowanego (STLS)."));
    } else {
        QString text = pop3ErrorText(r.error, r.detail);
        if (text.isEmpty())
            text = QStringLiteral("Połączenie z serwerem zostało nagle przerwane.");
        m_presented->setText(text);
    }
    showTrusted();
    updateButton();
}

MailAccount MailAccountDialog::account() const
{
    MailAccount a;
    a.login = m_login->text();
    a.password = scramblePassword(m_password->text());
    a.server = m_server->text().trimmed();
    a.ssl = m_ssl->isChecked();
    a.name = m_name->text();
    a.trustedSha256 = m_trustedSha256;
    return a;
}

} // namespace zorvex

#include "ui/internet/ProxyDialog.h"

#include "core/internet/ProxySetting.h"
#include "platform/internet/DesktopProxy.h"
#include "ui/common/BringToFront.h"
#include "ui/common/Messages.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

ProxyDialog::ProxyDialog(ProxySetting& setting, DesktopProxySource& desktop, QString targetUrl, Prompts& prompts,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_setting(setting)
    , m_desktop(desktop)
    , m_targetUrl(std::move(targetUrl))
    , m_prompts(prompts)
    , m_use(new QCheckBox(QStringLiteral("Użyj serwera proxy - dotyczy pogody, aktualizacji oraz radia"), this))
    , m_host(new QLineEdit(this))
    , m_port(new QLineEdit(this))
    , m_auth(new QCheckBox(QStringLiteral("Autoryzacja proxy"), this))
    , m_user(new QLineEdit(this))
    , m_password(new QLineEdit(this))
    , m_fromDesktop(new QPushButton(QStringLiteral("Pobierz ustawienia z IE"), this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("ProxyDialog"));
    setWindowTitle(QStringLiteral("Ustawienia proxy"));
    m_use->setObjectName(QStringLiteral("CheckBox1"));
    m_host->setObjectName(QStringLiteral("Edit6"));
    m_port->setObjectName(QStringLiteral("Edit7"));
    m_auth->setObjectName(QStringLiteral("CheckBox2"));
    m_user->setObjectName(QStringLiteral("Edit8"));
    m_password->setObjectName(QStringLiteral("Edit9"));
    m_password->setEchoMode(QLineEdit::Password);
    m_fromDesktop->setObjectName(QStringLiteral("FromDesktop"));
    m_fromDesktop->setToolTip(QStringLiteral("Ustawienia proxy pulpitu: zmienne http_proxy i https_proxy, "
                                             "ustawienia GNOME albo KDE"));
    m_ok->setObjectName(QStringLiteral("OkButton"));
    m_ok->setDefault(true);
    m_port->setMaxLength(5);

    auto* server = new QHBoxLayout;
    server->addWidget(new QLabel(QStringLiteral("Adres serwera:"), this));
    server->addWidget(m_host, 1);
    server->addWidget(new QLabel(QStringLiteral("Port:"), this));
    server->addWidget(m_port);
    auto* login = new QFormLayout;
    login->setContentsMargins(20, 0, 0, 0);
    login->addRow(QStringLiteral("Użytkownik:"), m_user);
    login->addRow(QStringLiteral("Hasło:"), m_password);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_fromDesktop);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_use);
    layout->addLayout(server);
    layout->addWidget(m_auth);
    layout->addLayout(login);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_use, &QCheckBox::toggled, this, &ProxyDialog::updateEnabled);
    connect(m_auth, &QCheckBox::toggled, this, &ProxyDialog::updateEnabled);
    connect(m_fromDesktop, &QPushButton::clicked, this, &ProxyDialog::takeDesktopProxy);
    connect(m_ok, &QPushButton::clicked, this, &ProxyDialog::accept);
    load();
}

void ProxyDialog::openOver(QWidget* toolsWindow)
{
    if (!isVisible()) {
        load();
        m_blocked.block(this, toolsWindow);
    }
    bringToFront(this);
}

void ProxyDialog::load()
{
    m_use->setChecked(m_setting.enabled);
    m_host->setText(m_setting.ip);
    m_port->setText(m_setting.port);
    m_auth->setChecked(m_setting.authorization);
    m_user->setText(m_setting.login);
    m_password->setText(m_setting.password());
    updateEnabled();
}

void ProxyDialog::updateEnabled()
{
    const bool use = m_use->isChecked();
    m_host->setEnabled(use);
    m_port->setEnabled(use);
    m_auth->setEnabled(use);
    m_user->setEnabled(use && m_auth->isChecked());
    m_password->setEnabled(use && m_auth->isChecked());
}

void ProxyDialog::takeDesktopProxy()
{
    m_fromDesktop->setEnabled(false);
    const int reading = ++m_reading;
    m_desktop.read(m_targetUrl, [this, reading](std::optional<DesktopProxyReading> r) {
        if (reading != m_reading)
            return;
        m_fromDesktop->setEnabled(true);
        // Nothing known leaves the dialog as it was.
        if (!r)
            return;
        m_use->setChecked(r->enabled);
        if (r->enabled) {
            m_host->setText(r->host);
            m_port->setText(r->port);
        }
        m_auth->setChecked(false);
    });
}

void ProxyDialog::accept()
{
    if (m_use->isChecked() && !isValidProxyPort(m_port->text())) {
        if (QMessageBox* box = m_prompts.window(QMessageBox::Warning, QString::fromUtf8(kErrorCaption),
                                                QString::fromUtf8(kBadProxyPortText), true))
            box->setObjectName(QStringLiteral("BadProxyPort"));
        m_port->setFocus();
        m_port->selectAll();
        return;
    }
    m_setting.enabled = m_use->isChecked();
    m_setting.ip = m_host->text().trimmed();
    m_setting.port = m_port->text().trimmed();
    m_setting.authorization = m_auth->isChecked();
    m_setting.login = m_user->text();
    m_setting.setPassword(m_password->text());
    emit applied();
    QDialog::accept();
}

void ProxyDialog::done(int result)
{
    ++m_reading;
    m_fromDesktop->setEnabled(true);
    m_blocked.release();
    QDialog::done(result);
}

void ProxyDialog::closeEvent(QCloseEvent* event)
{
    done(QDialog::Rejected);
    event->accept();
}

} // namespace zorvex

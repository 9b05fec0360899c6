#pragma once

#include "core/net/MailAccounts.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zorvex {

// "Dodaj konto" / "Zmień konto": login, password, server ("host" or
// "host:port"), the SSL box, the name shown in the list, and the fingerprint
// of a self-signed certificate the user trusts for this server.
class MailAccountDialog : public QDialog {
    Q_OBJECT
public:
    // `editing` prefills the fields; the name falls back to the login.
    MailAccountDialog(const MailAccount* editing, QWidget* parent = nullptr);
    // The account as confirmed: count 0, empty status, password scrambled.
    MailAccount account() const;

private:
    void updateButton();
    QLineEdit* m_login;
    QLineEdit* m_password;
    QLineEdit* m_server;
    QCheckBox* m_ssl;
    QLineEdit* m_name;
    QLineEdit* m_fingerprint;
    QPushButton* m_confirm;
};

} // namespace zorvex

#pragma once

#include "core/net/MailAccounts.h"
#include "core/net/Pop3Session.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvex {

class Pop3Connection;

// Public mail providers of the "POP" button: server and encryption.
struct MailPreset {
    const char* name;
    const char* server;
    bool ssl;
};
QList<MailPreset> mailPresets();

// "Dodaj konto" / "Zmień konto": login, password, server ("host" or
// "host:port") with the providers' presets, the SSL box, the name shown in
// the list, and the one self-signed certificate the user chose to trust for
// this server: "Sprawdź certyfikat" shows the SHA-256 of the certificate the
// server presents, which can then be trusted or forgotten.
class MailAccountDialog : public QDialog {
    Q_OBJECT
public:
    // `editing` prefills the fields; the name falls back to the login.
    MailAccountDialog(const MailAccount* editing, QWidget* parent = nullptr);
    ~MailAccountDialog() override;
    // The account as confirmed: count 0, empty status, password scrambled.
    MailAccount account() const;
    void setReadTimeoutMs(int ms);

private:
    void updateButton();
    void fetchCertificate();
    void certificateFetched(const Pop3Session::Result& r);
    void serverChanged();
    void showTrusted();
    void newProbe();

    QLineEdit* m_login;
    QLineEdit* m_password;
    QLineEdit* m_server;
    QCheckBox* m_ssl;
    QLineEdit* m_name;
    QLineEdit* m_fingerprint;
    QLabel* m_presented;
    QPushButton* m_fetch;
    QPushButton* m_trust;
    QPushButton* m_forget;
    QPushButton* m_confirm;
    Pop3Connection* m_probe = nullptr;
    int m_timeoutMs = 15000;
    QString m_trustedSha256;   // hex, lower case
    QString m_presentedSha256; // what the server showed, when the system does not trust it
};

// "AB:CD:…" for reading and comparing by eye.
QString formatFingerprint(const QString& hex);

} // namespace zorvex

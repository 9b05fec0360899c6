#pragma once

#include "ui/common/BlockedWindow.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zorvex {

class Prompts;

class DesktopProxySource;
struct ProxySetting;

// "Ustawienia proxy": edits the one proxy of the program. "Pobierz
// ustawienia z IE" takes the desktop's proxy. A port that is not a number
// is refused here, so the proxy is never left out without a word.
class ProxyDialog : public QDialog {
    Q_OBJECT
public:
    // `targetUrl` is the service's address (the desktop's exceptions are
    // looked up for it).
    ProxyDialog(ProxySetting& setting, DesktopProxySource& desktop, QString targetUrl, Prompts& prompts,
                QWidget* parent = nullptr);

    // Fills the dialog from the setting and shows it; the Tools window is
    // disabled while it is open.
    void openOver(QWidget* toolsWindow);

signals:
    // OK: the setting holds the new values; the clients get them now.
    void applied();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void load();
    void updateEnabled();
    void takeDesktopProxy();
    void accept() override;
    void done(int result) override;

    ProxySetting& m_setting;
    DesktopProxySource& m_desktop;
    QString m_targetUrl;
    Prompts& m_prompts;
    QCheckBox* m_use;
    QLineEdit* m_host;
    QLineEdit* m_port;
    QCheckBox* m_auth;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QPushButton* m_fromDesktop;
    QPushButton* m_ok;
    BlockedWindow m_blocked;
    int m_reading = 0; // readings under way; an answer after close is dropped
};

inline constexpr char kBadProxyPortText[] = "Port serwera proxy musi być liczbą od 1 do 65535.";

} // namespace zorvex

#pragma once

#include "core/net/PingHosts.h"

#include <QDialog>

class QLineEdit;

namespace zorvex {

class Prompts;

// "Dodaj IP" / "Zmień IP": the address and the name; the name can be looked
// up from the address without waiting. OK refuses an address already on
// the list ("Podany IP jest już na liście").
class PingHostDialog : public QDialog {
    Q_OBJECT
public:
    PingHostDialog(const QList<PingHost>& hosts, int editing, Prompts& prompts, QWidget* parent = nullptr);
    ~PingHostDialog() override;
    PingHost host() const;
    void accept() override;

private:
    QList<PingHost> m_hosts;
    int m_editing;
    Prompts& m_prompts;
    QLineEdit* m_ip;
    QLineEdit* m_name;
    int m_lookup = -1;
};

// "Wyślij wiadomość (posłaniec)". Linux has no messenger service, so the
// send always reports why it failed and the window stays open.
class MessengerWindow : public QDialog {
    Q_OBJECT
public:
    MessengerWindow(const QString& ip, Prompts& prompts, QWidget* parent = nullptr);
    // The result code of the send (50: the network does not offer it).
    static int sendNetMessage(const QString& address, const QString& message);
};

} // namespace zorvex

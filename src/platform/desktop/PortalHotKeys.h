#pragma once

#include "platform/desktop/GlobalHotKeys.h"

#include <QDBusConnection>
#include <QString>

#include <optional>

class QDBusMessage;

namespace zorvex {

// Hot keys through the desktop portal's global shortcuts (Wayland desktops
// such as KDE Plasma and GNOME 48+). The portal owns the keys: we ask for
// our combinations as preferred triggers, the desktop may let the user pick
// others, and it tells us when one is pressed. Everything is asynchronous:
// available() turns true once the portal has answered, and combinations the
// desktop did not bind come later by refused().
class PortalHotKeys : public GlobalHotKeys {
    Q_OBJECT
public:
    explicit PortalHotKeys(const QDBusConnection& bus, QObject* parent = nullptr);
    ~PortalHotKeys() override;

    bool available() const override { return m_available; }
    QList<HotKeyCombo> setHotKeys(const QList<HotKeyCombo>& combos) override;

    // The id a combination is bound under, and back.
    static QString shortcutId(HotKeyCombo combo);
    static std::optional<HotKeyCombo> comboOfId(const QString& id);

private slots:
    void onResponse(const QDBusMessage& message);
    void onActivated(const QDBusMessage& message);

private:
    enum class Step { None, Creating, Binding };

    void apply();
    void createSession();
    void bindShortcuts();
    void closeSession();
    // Listens for the Response of the request that `token` names and sends
    // `call`; a call the portal refuses ends the step as a failure.
    void sendRequest(QDBusMessage call, const QString& token, Step step);
    void finishStep(bool ok);
    QString requestPath(const QString& token) const;

    QDBusConnection m_bus;
    bool m_available = false;
    QList<HotKeyCombo> m_combos;
    QString m_session;
    QString m_request; // the Response we wait for
    Step m_step = Step::None;
    bool m_dirty = false; // the combinations changed while a step was under way
    quint64 m_tokens = 0;
};

} // namespace zorvex

#include "platform/desktop/PortalHotKeys.h"

#include "platform/desktop/PortalShortcut.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace zorvex {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");

} // namespace

PortalHotKeys::PortalHotKeys(const QDBusConnection& bus, QObject* parent)
    : GlobalHotKeys(parent)
    , m_bus(bus)
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    if (!m_bus.isConnected())
        return;
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this, SLOT(onActivated(QDBusMessage)));
    // The portal may still have to be started by the bus: ask without waiting.
    QDBusMessage get = QDBusMessage::createMethodCall(kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get.setArguments({kInterface, QStringLiteral("version")});
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(get, 25000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusVariant> reply = *w;
        if (reply.isError() || reply.value().variant().toUInt() < 1)
            return;
        m_available = true;
        emit availableChanged();
        apply();
    });
}

PortalHotKeys::~PortalHotKeys()
{
    closeSession();
}

QString PortalHotKeys::shortcutId(HotKeyCombo combo)
{
    return QStringLiteral("tray-%1-%2").arg(combo.modifier).arg(combo.key);
}

std::optional<HotKeyCombo> PortalHotKeys::comboOfId(const QString& id)
{
    const QStringList parts = id.split(QLatin1Char('-'));
    if (parts.size() != 3 || parts[0] != QLatin1String("tray"))
        return std::nullopt;
    bool okModifier = false, okKey = false;
    const HotKeyCombo combo{parts[1].toInt(&okModifier), parts[2].toInt(&okKey)};
    if (!okModifier || !okKey || hotKeyTrigger(combo).isEmpty())
        return std::nullopt;
    return combo;
}

QList<HotKeyCombo> PortalHotKeys::setHotKeys(const QList<HotKeyCombo>& combos)
{
    m_combos.clear();
    for (const HotKeyCombo& c : combos)
        if (!m_combos.contains(c))
            m_combos << c;
    apply();
    return {};
}

void PortalHotKeys::apply()
{
    if (!m_available)
        return;
    if (m_step != Step::None) {
        m_dirty = true;
        return;
    }
    m_dirty = false;
    // A session binds its shortcuts once; new ones need a new session.
    closeSession();
    if (!m_combos.isEmpty())
        createSession();
}

QString PortalHotKeys::requestPath(const QString& token) const
{
    QString sender = m_bus.baseService();
    sender.remove(0, sender.startsWith(QLatin1Char(':')) ? 1 : 0);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

void PortalHotKeys::sendRequest(QDBusMessage call, const QString& token, Step step)
{
    // Listen before asking, or a quick answer would be missed.
    if (!m_request.isEmpty())
        m_bus.disconnect(kService, m_request, kRequest, QStringLiteral("Response"), this, SLOT(onResponse(QDBusMessage)));
    m_request = requestPath(token);
    m_bus.connect(kService, m_request, kRequest, QStringLiteral("Response"), this, SLOT(onResponse(QDBusMessage)));
    m_step = step;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, 25000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, step](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *w;
        if (m_step != step)
            return;
        if (reply.isError()) {
            finishStep(false);
            return;
        }
        // Portals older than the predictable handle answer elsewhere.
        const QString handle = reply.value().path();
        if (handle != m_request) {
            m_bus.disconnect(kService, m_request, kRequest, QStringLiteral("Response"), this,
                             SLOT(onResponse(QDBusMessage)));
            m_request = handle;
            m_bus.connect(kService, m_request, kRequest, QStringLiteral("Response"), this,
                          SLOT(onResponse(QDBusMessage)));
        }
    });
}

void PortalHotKeys::createSession()
{
    const QString token = QStringLiteral("zorvex%1").arg(++m_tokens);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CreateSession"));
    call.setArguments({QVariantMap{{QStringLiteral("handle_token"), token},
                                   {QStringLiteral("session_handle_token"), token}}});
    sendRequest(call, token, Step::Creating);
}

void PortalHotKeys::bindShortcuts()
{
    QList<PortalShortcut> shortcuts;
    for (const HotKeyCombo& c : m_combos)
        shortcuts << PortalShortcut{shortcutId(c),
                                    {{QStringLiteral("description"),
                                      QStringLiteral("Zorvex: szuflada napędu CD/DVD (%1)").arg(hotKeyText(c))},
                                     {QStringLiteral("preferred_trigger"), hotKeyTrigger(c)}}};
    const QString token = QStringLiteral("zorvex%1").arg(++m_tokens);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("BindShortcuts"));
    call.setArguments({QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(shortcuts), QString(),
                       QVariantMap{{QStringLiteral("handle_token"), token}}});
    sendRequest(call, token, Step::Binding);
}

void PortalHotKeys::closeSession()
{
    if (m_session.isEmpty())
        return;
    const QDBusMessage call = QDBusMessage::createMethodCall(kService, m_session, QStringLiteral("org.freedesktop.portal.Session"),
                                                             QStringLiteral("Close"));
    m_bus.send(call);
    m_session.clear();
}

void PortalHotKeys::onResponse(const QDBusMessage& message)
{
    if (m_step == Step::None || message.path() != m_request || message.arguments().size() < 2)
        return;
    const bool ok = message.arguments().at(0).toUInt() == 0;
    const QVariantMap results = qdbus_cast<QVariantMap>(message.arguments().at(1));
    const Step step = m_step;
    if (step == Step::Creating) {
        m_session = results.value(QStringLiteral("session_handle")).toString();
        if (m_session.isEmpty())
            m_session = qdbus_cast<QDBusObjectPath>(results.value(QStringLiteral("session_handle"))).path();
        if (ok && !m_session.isEmpty() && !m_dirty) {
            m_step = Step::None;
            bindShortcuts();
            return;
        }
        finishStep(ok && !m_session.isEmpty());
        return;
    }
    // The combinations the desktop bound; the others were declined.
    QList<HotKeyCombo> refusedCombos = m_combos;
    if (ok) {
        const auto bound = qdbus_cast<QList<PortalShortcut>>(results.value(QStringLiteral("shortcuts")));
        for (const PortalShortcut& s : bound)
            if (const auto combo = comboOfId(s.id))
                refusedCombos.removeAll(*combo);
    }
    m_step = Step::None;
    if (m_dirty) {
        apply();
        return;
    }
    emit refused(refusedCombos);
}

void PortalHotKeys::finishStep(bool ok)
{
    m_step = Step::None;
    if (m_dirty) {
        apply();
        return;
    }
    if (!ok) {
        closeSession();
        emit refused(m_combos);
    }
}

void PortalHotKeys::onActivated(const QDBusMessage& message)
{
    const QVariantList args = message.arguments();
    if (m_session.isEmpty() || args.size() < 2)
        return;
    if (qdbus_cast<QDBusObjectPath>(args.at(0)).path() != m_session)
        return;
    if (const auto combo = comboOfId(args.at(1).toString()); combo && m_combos.contains(*combo))
        emit pressed(*combo);
}

} // namespace zorvex

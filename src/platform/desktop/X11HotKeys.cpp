#include "platform/desktop/X11HotKeys.h"

#include "platform/X11Root.h"

#include <QSocketNotifier>

#include <cstdlib>

namespace zorvex {
namespace {

constexpr uint16_t kAltMask = XCB_MOD_MASK_1;
constexpr uint16_t kNumLockMask = XCB_MOD_MASK_2;
constexpr uint16_t kAltGrMask = XCB_MOD_MASK_5;
constexpr uint16_t kLockMasks[] = {0, XCB_MOD_MASK_LOCK, kNumLockMask, XCB_MOD_MASK_LOCK | kNumLockMask};

uint16_t maskOf(unsigned bits)
{
    uint16_t mask = 0;
    if (bits & kShift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (bits & kControl)
        mask |= XCB_MOD_MASK_CONTROL;
    if (bits & kAlt)
        mask |= kAltMask;
    return mask;
}

// The masks one combination is grabbed with, before the lock lamps.
QList<uint16_t> masksOf(int modifier)
{
    QList<uint16_t> masks{maskOf(modifierBits(modifier))};
    if (modifier == 2)
        masks << kAltGrMask;
    return masks;
}

} // namespace

X11HotKeys::X11HotKeys(const QByteArray& display, QObject* parent)
    : GlobalHotKeys(parent)
{
    // Under Wayland an X client's grab sees only keys typed into X windows:
    // no hot key would be system-wide, so there are none.
    if (display.isEmpty() && (isWaylandSession() || qEnvironmentVariableIsEmpty("DISPLAY")))
        return;
    int screen = 0;
    m_connection = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &screen);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return;
    }
    m_root = x11RootWindow(m_connection, screen);
    loadKeyboardMapping();
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11HotKeys::readEvents);
}

X11HotKeys::~X11HotKeys()
{
    if (m_connection) {
        ungrabAll();
        xcb_disconnect(m_connection);
    }
}

bool X11HotKeys::available() const
{
    return m_connection && m_root && xcb_connection_has_error(m_connection) == 0;
}

void X11HotKeys::loadKeyboardMapping()
{
    m_keycodes.clear();
    const xcb_setup_t* setup = xcb_get_setup(m_connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        m_connection, xcb_get_keyboard_mapping(m_connection, setup->min_keycode, uint8_t(count)), nullptr);
    if (!reply)
        return;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perCode = reply->keysyms_per_keycode;
    const int total = xcb_get_keyboard_mapping_keysyms_length(reply);
    // The first column wins over the shifted ones: "1" is the key with 1 on
    // it, not the one whose shifted sign it is.
    for (int column = 0; column < perCode; ++column)
        for (int code = 0; code < count && code * perCode + column < total; ++code) {
            const xcb_keysym_t sym = syms[code * perCode + column];
            if (sym && !m_keycodes.contains(sym))
                m_keycodes.insert(sym, xcb_keycode_t(setup->min_keycode + code));
        }
    std::free(reply);
}

xcb_keycode_t X11HotKeys::keycodeOf(int key) const
{
    xcb_keycode_t code = m_keycodes.value(hotKeySym(key), 0);
    // "Num ," is the keypad's separator on some layouts, Delete on others.
    if (!code && key == kHotKeyCount - 1)
        code = m_keycodes.value(0xffac, m_keycodes.value(0xff9f, 0));
    return code;
}

void X11HotKeys::ungrabAll()
{
    if (!available())
        return;
    xcb_ungrab_key(m_connection, XCB_GRAB_ANY, m_root, XCB_MOD_MASK_ANY);
    xcb_flush(m_connection);
}

QList<HotKeyCombo> X11HotKeys::setHotKeys(const QList<HotKeyCombo>& combos)
{
    m_combos.clear();
    if (!available())
        return combos;
    ungrabAll();
    QList<HotKeyCombo> refused;
    for (const HotKeyCombo& combo : combos) {
        const xcb_keycode_t code = keycodeOf(combo.key);
        if (!code || combo.modifier <= 0 || combo.modifier >= kModifierCount) {
            refused << combo;
            continue;
        }
        // Only the plain grab must be ours; the AltGr one is a bonus.
        bool ok = true;
        const QList<uint16_t> masks = masksOf(combo.modifier);
        for (qsizetype m = 0; m < masks.size(); ++m)
            for (uint16_t lock : kLockMasks) {
                const xcb_void_cookie_t cookie = xcb_grab_key_checked(
                    m_connection, 1, m_root, masks[m] | lock, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
                if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
                    ok = ok && m > 0;
                    std::free(error);
                }
            }
        if (ok)
            m_combos << combo;
        else
            refused << combo;
    }
    xcb_flush(m_connection);
    // Replies may have queued events the notifier will not announce again.
    readEvents();
    return refused;
}

std::optional<HotKeyCombo> X11HotKeys::comboOf(xcb_keycode_t keycode, uint16_t state) const
{
    state &= uint16_t(~(XCB_MOD_MASK_LOCK | kNumLockMask));
    unsigned bits = 0;
    if (state & XCB_MOD_MASK_SHIFT)
        bits |= kShift;
    if (state & XCB_MOD_MASK_CONTROL)
        bits |= kControl;
    if (state & kAltMask)
        bits |= kAlt;
    if ((state & kAltGrMask) && !(bits & (kControl | kAlt)))
        bits |= kControl | kAlt;
    for (const HotKeyCombo& c : m_combos)
        if (modifierBits(c.modifier) == bits && keycodeOf(c.key) == keycode)
            return c;
    return std::nullopt;
}

void X11HotKeys::readEvents()
{
    if (!m_connection)
        return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_KEY_PRESS) {
            const auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
            if (const std::optional<HotKeyCombo> combo = comboOf(key->detail, key->state))
                emit pressed(*combo);
        } else if (type == XCB_MAPPING_NOTIFY) {
            std::free(event);
            // Another layout: the keys sit on other codes now.
            loadKeyboardMapping();
            setHotKeys(QList<HotKeyCombo>(m_combos));
            continue;
        }
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection) && m_notifier)
        m_notifier->setEnabled(false);
}

} // namespace zorvex

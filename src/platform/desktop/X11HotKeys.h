#pragma once

#include "platform/desktop/GlobalHotKeys.h"

#include <QByteArray>
#include <QHash>

#include <xcb/xcb.h>

class QSocketNotifier;

namespace zorvex {

// Hot keys as passive grabs of the root window on a connection of our own,
// each grabbed with and without Caps Lock and Num Lock so a lit lamp does not
// lose them. "Prawy ALT" (AltGr, Mod5) counts as CTRL + ALT.
class X11HotKeys : public GlobalHotKeys {
    Q_OBJECT
public:
    // `display` empty: the one of $DISPLAY.
    explicit X11HotKeys(const QByteArray& display = {}, QObject* parent = nullptr);
    ~X11HotKeys() override;

    bool available() const override;
    QList<HotKeyCombo> setHotKeys(const QList<HotKeyCombo>& combos) override;

    // The combination a key press of that key code and state stands for, if
    // it is one of ours.
    std::optional<HotKeyCombo> comboOf(xcb_keycode_t keycode, uint16_t state) const;
    xcb_keycode_t keycodeOf(int key) const;

private:
    void readEvents();
    void loadKeyboardMapping();
    void ungrabAll();

    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = 0;
    QSocketNotifier* m_notifier = nullptr;
    QHash<quint32, xcb_keycode_t> m_keycodes; // keysym -> first key code
    QList<HotKeyCombo> m_combos;
};

} // namespace zorvex

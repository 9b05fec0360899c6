#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

typedef struct xcb_connection_t xcb_connection_t;

namespace zorvex {

// Whether the X server sees a window wholly covered by others. The window
// is asked for visibility events beside the ones its toolkit chose, and
// they are read from the application's own event stream. Where a
// compositor keeps every window drawn, the server never reports one
// covered, and this stays silent.
class X11Visibility : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    X11Visibility(xcb_connection_t* connection, std::uint32_t window, QObject* parent = nullptr);
    ~X11Visibility() override;

    bool covered() const { return m_covered; }
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void coveredChanged(bool covered);

private:
    xcb_connection_t* m_connection;
    std::uint32_t m_window;
    bool m_covered = false;
};

} // namespace zorvex

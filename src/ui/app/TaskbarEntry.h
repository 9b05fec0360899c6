#pragma once

#include <QElapsedTimer>
#include <QWidget>

namespace zorvex {

// Stands in for the main window on the taskbar while it is minimized on a
// desktop without a tray (the main window itself has no taskbar button).
// Restoring, activating or closing the entry brings the window back, so it
// can never be lost.
class TaskbarEntry : public QWidget {
    Q_OBJECT
public:
    explicit TaskbarEntry(QWidget* parent = nullptr);

    // Shows the entry minimized.
    void showMinimizedEntry(const QIcon& icon);
    // Takes the entry off the taskbar without asking for the window.
    void withdraw();

signals:
    void restoreRequested();

protected:
    bool event(QEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void restore();

    QElapsedTimer m_shownAt;
};

} // namespace zorvex

#pragma once

#include <QMenu>

namespace zorvex {

class Prompts;

// The clock's menu (PopupMenu5), opened by a double click on the clock.
class ClockMenu : public QMenu {
    Q_OBJECT
public:
    explicit ClockMenu(Prompts& prompts, QWidget* parent = nullptr);

    QAction* syncAction() const { return m_sync; }
    QAction* setDateTimeAction() const { return m_setDateTime; }
    QAction* timePageAction() const { return m_timePage; }

signals:
    // "Synchronizuj czas", with the server chosen in the Tools window.
    void syncTimeRequested();
    // "Pokaż okno: Narzędzia - Czas": page code 33.
    void pageCodeChosen(int code);

private:
    QAction* m_sync = nullptr;
    QAction* m_setDateTime = nullptr;
    QAction* m_timePage = nullptr;
};

} // namespace zorvex

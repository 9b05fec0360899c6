#pragma once

#include <QWidget>

namespace zorvex {

class PathTable;

// The small always-visible window. For now it names the data folder and the
// profile; the calendar, clock and panels fill it later.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(const PathTable& paths, QWidget* parent = nullptr);

signals:
    // Shown or activated: the moment a pending file may be opened.
    void activated();

protected:
    bool event(QEvent* e) override;
};

} // namespace zorvex

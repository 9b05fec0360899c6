#pragma once

#include <QWidget>

#include <vector>

class QListWidget;
class QToolButton;

namespace zorvex {

// Moves the current row of `list` `step` places up (negative) or down and
// keeps it current. False when there is no current row or no room to move.
bool moveCurrentRow(QListWidget* list, int step);

// A short list whose order the user sets with up and down buttons. Each
// entry carries a number (the kind it stands for); `values()` gives them in
// list order.
class OrderList : public QWidget {
    Q_OBJECT
public:
    // Names: the list, the up button and the down button.
    OrderList(const QString& listName, const QString& upName, const QString& downName, QWidget* parent = nullptr);

    // Entries as (caption, value), top first.
    void setEntries(const std::vector<std::pair<QString, int>>& entries);
    std::vector<int> values() const;

    QListWidget* list() const { return m_list; }

signals:
    // Only after a move by the user.
    void orderChanged();

private:
    void move(int step);

    QListWidget* m_list;
    QToolButton* m_up;
    QToolButton* m_down;
};

} // namespace zorvex

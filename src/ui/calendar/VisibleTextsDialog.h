#pragma once

#include "core/calendar/VisibleTexts.h"

#include <QDialog>
#include <QPointer>

class QListWidget;
class QPushButton;

namespace zorvex {

// "Panel tekstowy" (Form29): which texts the scrolling panel shows, as a
// check list (ListTxt). The window it was opened from stays disabled until
// it closes; closing it in any way takes the check marks as the new choice.
class VisibleTextsDialog : public QDialog {
    Q_OBJECT
public:
    explicit VisibleTextsDialog(QWidget* parent = nullptr);

    // Shows the choice; `blocked` (the Tools window) is disabled meanwhile.
    void openFor(const VisibleTexts& current, QWidget* blocked);
    // The choice as the check marks stand.
    VisibleTexts choice() const;

    QListWidget* list() const { return m_list; }

signals:
    void chosen(const zorvex::VisibleTexts& texts);

private:
    void finish();

    QListWidget* m_list;
    QPushButton* m_ok;
    QPointer<QWidget> m_blocked;
};

} // namespace zorvex

#pragma once

#include "core/calendar/ChosenDateText.h"

#include <QDate>
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zorvex {

// "Imieniny i sentencja" (Form35): the name days and the sentence of any
// date, read afresh from the data files each time it is shown.
class ChosenDateWindow : public QDialog {
    Q_OBJECT
public:
    ChosenDateWindow(QString namesPath, QString sentencePath, QWidget* parent = nullptr);

    void showDate(const QDate& date);
    QDate date() const { return m_date; }
    // What "Kopiuj do schowka" puts on the clipboard.
    QString clipboardText() const;

private:
    QString m_namesPath;
    QString m_sentencePath;
    QDate m_date;
    ChosenDateText m_text;
    QLabel* m_heading;
    QPlainTextEdit* m_memo;
    QPushButton* m_copy;
    QPushButton* m_close;
};

} // namespace zorvex

#pragma once

#include <QDialog>
#include <QSpinBox>

class QPushButton;

namespace zorvex {

class NumberField;

// The month field of the go-to-date dialog: an up-down over the months that
// shows their Polish abbreviations ("sty" ... "gru") and goes round.
class MonthField : public QSpinBox {
    Q_OBJECT
public:
    explicit MonthField(QWidget* parent = nullptr);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
};

// "Przejdź do daty" (Form25): a small top-most tool window with the month
// (DateTimePicker1) and the year (Edit1, 1-9999, with its own up-down).
// "OK" (BitBtn1) reports day 1 of the chosen month and closes.
class GoToDateDialog : public QDialog {
    Q_OBJECT
public:
    explicit GoToDateDialog(QWidget* parent = nullptr);

    // Fills both fields with the displayed month and brings the dialog to
    // the front near `anchor`, moved left when it would leave the screen.
    void openAt(int year, int month, const QPoint& anchor);

    int chosenYear() const;
    int chosenMonth() const;

signals:
    void monthChosen(int year, int month);

private:
    void confirm();

    MonthField* m_month;
    NumberField* m_year;
    QPushButton* m_ok;
};

} // namespace zorvex

#pragma once

#include <QSpinBox>

namespace zorvex {

// A whole-number setting edited as text with an up-down. Only whole numbers
// within the range are ever shown: letter keys are ignored, Up and Down step
// by one, and any other text that is not a number in range is replaced at
// once by the current value. In a range reaching below zero a lone "-" may
// stand while a negative number is typed; leaving the field restores the
// value.
class NumberField : public QSpinBox {
    Q_OBJECT
public:
    explicit NumberField(QWidget* parent = nullptr);
    NumberField(int minimum, int maximum, QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool isWholeNumberInRange(const QString& text) const;
};

} // namespace zorvex

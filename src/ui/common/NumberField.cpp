#include "ui/common/NumberField.h"

#include <QKeyEvent>

namespace zorvex {

NumberField::NumberField(QWidget* parent)
    : QSpinBox(parent)
{
    setKeyboardTracking(true);
    setSingleStep(1);
    setGroupSeparatorShown(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
}

NumberField::NumberField(int minimum, int maximum, QWidget* parent)
    : NumberField(parent)
{
    setRange(minimum, maximum);
}

bool NumberField::isWholeNumberInRange(const QString& text) const
{
    // Plain ASCII digits with an optional sign: no blanks, separators or
    // exponents, which toInt() alone would let through or reject unevenly.
    int start = 0;
    if (!text.isEmpty() && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')))
        start = 1;
    if (start >= text.size())
        return false;
    for (int i = start; i < text.size(); ++i) {
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return false;
    }
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok && v >= minimum() && v <= maximum();
}

QValidator::State NumberField::validate(QString& text, int& pos) const
{
    if (isWholeNumberInRange(text))
        return QValidator::Acceptable;
    if (text == QLatin1String("-") && minimum() < 0)
        return QValidator::Intermediate;
    text = textFromValue(value());
    pos = int(text.size());
    return QValidator::Acceptable;
}

void NumberField::fixup(QString& text) const
{
    if (!isWholeNumberInRange(text))
        text = textFromValue(value());
}

void NumberField::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.front().isLetter() && !(event->modifiers() & Qt::ControlModifier)) {
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

} // namespace zorvex

#pragma once

#include "core/common/Colour.h"
#include "ui/common/QtColour.h"

#include <QToolButton>

namespace zorvex {

// A small button filled with a colour setting; clicking it asks for a new
// colour. `colourChanged` comes only from the user's choice.
class ColourBox : public QToolButton {
    Q_OBJECT
public:
    explicit ColourBox(QWidget* parent = nullptr);

    Colour colour() const { return m_colour; }
    void setColour(Colour c);

signals:
    void colourChanged(zorvex::Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void choose();

    Colour m_colour = 0;
};

} // namespace zorvex

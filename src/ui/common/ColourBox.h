#pragma once

#include "core/common/Colour.h"

#include <QColor>
#include <QToolButton>

namespace zorvex {

inline QColor toQColor(Colour c)
{
    return QColor(colourRed(c), colourGreen(c), colourBlue(c));
}
inline Colour fromQColor(const QColor& c)
{
    return colourFromRgb(c.red(), c.green(), c.blue());
}

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

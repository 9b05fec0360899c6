#pragma once

#include "core/status/DiskCard.h"

#include <QWidget>

namespace zorvex {

// The free-space card over the disk icon: a white window on top with a
// coloured strip on the pointer's side, the title, and per drive its name
// beside a bar and the amount. Redrawn only when its change key differs.
class DiskCardWindow : public QWidget {
    Q_OBJECT
public:
    DiskCardWindow();

    // False when nothing changed since the last drawing.
    bool setCard(const DiskCard& card, int mode, bool shaded, const GaugeColours& colours, Colour textColour);
    const DiskCard& card() const { return m_card; }
    // Sized for the card and placed by the quarter of the screen the pointer
    // is in. Where programs cannot place windows (Wayland) the card is a
    // pop-up of the icon's window, placed from the icon instead.
    void showAt(const QPoint& pointer, QWidget* icon = nullptr);
    DiskCardCorner corner() const { return m_corner; }

    static constexpr int kStrip = 15;
    static constexpr int kRowHeight = 16;
    static constexpr int kBarWidth = 120;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QSize cardSize() const;
    int namesWidth() const;

    DiskCard m_card;
    bool m_drawn = false;
    int m_mode = 0;
    bool m_shaded = true;
    GaugeColours m_colours;
    Colour m_text = 0;
    DiskCardCorner m_corner = DiskCardCorner::BottomRight;
};

} // namespace zorvex

#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

class QLabel;

namespace zorvex {

// The card's corner nearest the pointer, where the small mark goes.
enum class CardCorner { TopLeft, TopRight, BottomLeft, BottomRight };

struct CardPlacement {
    QPoint topLeft;
    CardCorner corner = CardCorner::TopLeft;
    friend bool operator==(const CardPlacement&, const CardPlacement&) = default;
};

// Places the card beside the pointer in the quadrant away from the screen's
// nearer edges: above-left of it in the lower right quarter, below-left in
// the upper right, below-right in the upper left, above-right in the lower
// left.
CardPlacement placeDayCard(const QPoint& pointer, const QSize& card, const QRect& screen);

// The "Kartka z kalendarza" card (Form26) shown instead of the hint of the
// time-of-day picture: a white top-most page with the day facts in bold
// Tahoma. It goes as soon as the pointer reaches it or leaves the picture.
class DayCard : public QWidget {
    Q_OBJECT
public:
    static constexpr int kExtraWidth = 22;
    static constexpr int kExtraHeight = 6;

    explicit DayCard(QWidget* parent = nullptr);

    // Replaces the facts; a showing card is resized in place.
    void setText(const QString& facts);
    QString text() const;

    // Shows the card next to the pointer. Ignored while the card is showing.
    // Returns whether it was shown now.
    bool showAt(const QPoint& pointer);
    CardCorner corner() const { return m_corner; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fit();

    QLabel* m_label;
    CardCorner m_corner = CardCorner::TopLeft;
};

} // namespace zorvex

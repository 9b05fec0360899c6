#pragma once

#include <QColor>
#include <QMenu>

namespace zorvex {

// A pop-up menu with a painted vertical bar along its left side, the bar's
// caption reading upwards from the bottom. The bar's gradient ends at the
// top in the bar colour (the calendar's background colour) and starts at
// the bottom, under the caption, in a dark shade of it.
class SideBarMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int kBarWidth = 22;

    explicit SideBarMenu(const QString& barText, QWidget* parent = nullptr);

    QString barText() const { return m_barText; }
    void setBarText(const QString& text);
    QColor barColour() const { return m_barColour; }
    void setBarColour(const QColor& colour);
    // The strip the bar occupies, in menu coordinates.
    QRect barRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_barText;
    QColor m_barColour;
};

} // namespace zorvex

#pragma once

#include <QMenu>

namespace zorvex {

// A pop-up menu with a painted vertical bar along its left side, the bar's
// caption reading upwards from the bottom.
class SideBarMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int kBarWidth = 22;

    explicit SideBarMenu(const QString& barText, QWidget* parent = nullptr);

    QString barText() const { return m_barText; }
    void setBarText(const QString& text);
    // The strip the bar occupies, in menu coordinates.
    QRect barRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_barText;
};

} // namespace zorvex

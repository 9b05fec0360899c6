#pragma once

#include <QColor>
#include <QWidget>

#include <functional>

namespace zorvex {

// The borderless, top-most notification of the mail checker and the ping
// monitor: one bold row per item in the calendar's colours, in the
// bottom-right corner of the work area (1 pixel from the right, 2 from the
// bottom). A click hides it and says so.
class StatusPopup : public QWidget {
    Q_OBJECT
public:
    explicit StatusPopup(const QString& objectName, QWidget* parent = nullptr);

    void setColours(const QColor& background, const QColor& text);
    // Shows the rows (icon name from the theme, text) and places the window.
    void showRows(const QList<QPair<QString, QString>>& rows);
    QStringList rows() const { return m_texts; }
    // The calendar's background (Kolor_B) and text colour (KT08), asked at
    // each showing, so a changed scheme is seen.
    std::function<QPair<QColor, QColor>()> calendarColours;

signals:
    void clicked();

protected:
    void mousePressEvent(class QMouseEvent* event) override;

private:
    QStringList m_texts;
    QColor m_background = QColor(255, 255, 225);
    QColor m_text = Qt::black;
};

} // namespace zorvex

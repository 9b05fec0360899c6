#pragma once

#include <QLabel>
#include <QPointer>

namespace zorvex {

inline constexpr int kHintMaxWidth = 230;

// The program's hint: a flat box with a thin border, bold Tahoma, at most
// 230 pixels wide, word-wrapped. It has no time-out; it goes when the
// pointer leaves the widget, on a click or a key.
class HintWindow : public QLabel {
    Q_OBJECT
public:
    HintWindow();

    // Shows `text` below the pointer position `globalPos`, kept on screen.
    void showHint(const QString& text, const QPoint& globalPos);
    // Replaces the text of a showing hint in place.
    void updateText(const QString& text);

private:
    void fitText(const QString& text);
};

// Shows every widget hint (its toolTip) in the flat hint window. Widgets
// whose hint is replaced by a card carry the property "zorvexHintCard"; for
// them cardRequested() is emitted instead.
class HintController : public QObject {
    Q_OBJECT
public:
    // Installs the controller on the application once and returns it.
    static HintController* install();
    static HintController* instance();

    HintWindow* window() { return &m_window; }
    QWidget* owner() const { return m_owner; }
    // Hides a showing hint (the pointer left the thing it describes).
    void cancel();

signals:
    void cardRequested(QWidget* widget, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HintController();

    HintWindow m_window;
    QPointer<QWidget> m_owner;
};

} // namespace zorvex

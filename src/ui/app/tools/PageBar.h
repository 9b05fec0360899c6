#pragma once

#include "core/common/Colour.h"

#include <QIcon>
#include <QScrollArea>

#include <vector>

class QButtonGroup;
class QToolButton;
class QVBoxLayout;

namespace zorvex {

// The Tools window's column of page buttons: a compact list (small pictures
// beside the captions) or large buttons (pictures above the captions), in
// the window's own background and text colours, optionally with a shadow.
// Buttons are named "PageButton1" ... in page order.
class PageBar : public QScrollArea {
    Q_OBJECT
public:
    explicit PageBar(QWidget* parent = nullptr);

    void addPage(const QString& caption, const QIcon& icon);
    int count() const { return int(m_buttons.size()); }

    void setListMode(bool list);
    void setLook(Colour background, Colour text, bool shadow);

    // Marks the button of a page without emitting pageChosen.
    void setCurrent(int index);
    int current() const;

    void scrollToTop();
    void scrollToBottom();
    int scrollPosition() const;
    void setScrollPosition(int value);

signals:
    void pageChosen(int index);
    void scrollPositionChanged(int value);

private:
    void applyLook();
    void applyButtonLook(QToolButton* b);
    void updateMinimumWidth();

    QWidget* m_contents;
    QVBoxLayout* m_layout;
    QButtonGroup* m_group;
    std::vector<QToolButton*> m_buttons;
    bool m_list = true;
    Colour m_background = 0xFFFFFF;
    Colour m_text = 0;
    bool m_shadow = false;
    bool m_lookApplied = false;
    int m_widest = 0; // the widest button's size hint
};

} // namespace zorvex

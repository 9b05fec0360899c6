#pragma once

#include <QComboBox>

#include <functional>

namespace zorvex {

// A scheme list that is read again each time it drops down, so a scheme
// installed or removed meanwhile shows.
class SchemeListBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> aboutToDropDown;

    void showPopup() override
    {
        if (aboutToDropDown)
            aboutToDropDown();
        QComboBox::showPopup();
    }
};

} // namespace zorvex

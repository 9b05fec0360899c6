#pragma once

#include <QDialog>

namespace zorvex {

// "O programie" (Form3): the program's name, version, a short description
// and the licence line.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);
};

} // namespace zorvex

#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QComboBox;

namespace zorvex {

struct MainWindowSettings;

// TForm46 "Dyski wymienne": whether the free-space card lists removable
// drives, in which unit, and the sum line. Changes apply at once; the Tools
// window is disabled while it is open.
class RemovableDrivesWindow : public QWidget {
    Q_OBJECT
public:
    RemovableDrivesWindow(MainWindowSettings& settings, QWidget* tools);

    void open();

signals:
    void changed();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    MainWindowSettings& m_settings;
    QPointer<QWidget> m_tools;
    QCheckBox* m_removable = nullptr;
    QComboBox* m_unit = nullptr;
    QCheckBox* m_sum = nullptr;
};

} // namespace zorvex

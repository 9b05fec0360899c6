#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace zorvex {

// The internet and maintenance part of the Tools window's page "Inne": the
// data update group, the settings backup, starting with the session, the
// proxy and the file associations. It only shows and edits; the service
// behind it does the work.
class OtherPagePanel : public QWidget {
    Q_OBJECT
public:
    explicit OtherPagePanel(QWidget* parent = nullptr);

    QGroupBox* updateGroup() const { return m_updateGroup; }
    QPushButton* checkButton() const { return m_check; }
    QCheckBox* automaticBox() const { return m_automatic; }
    QComboBox* howOftenBox() const { return m_howOften; }
    QCheckBox* autostartBox() const { return m_autostart; }

signals:
    void checkRequested();
    void resetRequested();
    void backupRequested();
    void restoreRequested();
    void proxyRequested();
    void associationsRequested();
    void automaticChanged(bool on, int howOften);
    void autostartToggled(bool on);

private:
    QGroupBox* m_updateGroup;
    QPushButton* m_check;
    QCheckBox* m_automatic;
    QComboBox* m_howOften;
    QCheckBox* m_autostart;
};

} // namespace zorvex

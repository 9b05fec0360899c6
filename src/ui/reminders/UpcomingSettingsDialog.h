#pragma once

#include "ui/common/BlockedWindow.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace zorvex {

class NumberField;
struct UpcomingDatesSettings;

// The settings window "Ważne daty - powiadomienie" of the daily upcoming-
// dates notification. Its controls write the settings model as they change,
// so "Testuj powiadomienie" sees them at once.
//
// Widgets: "Pokaz", "PolazDni", "Pokaz1", "Pokaz2", "Pokaz3", "Raz",
// "TestButton", "OkButton".
class UpcomingSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit UpcomingSettingsDialog(UpcomingDatesSettings& settings, QWidget* parent = nullptr);

    // Shows the model's values over the Tools window, which stays disabled
    // until this window closes. The window is not the Tools window's child,
    // so it stays usable meanwhile.
    void openOver(QWidget* toolsWindow);

signals:
    // "Testuj powiadomienie": run the daily check by hand.
    void testRequested();
    // The window closed; the owner writes the options to the settings file.
    void closed();

private:
    void loadFromSettings();
    void updateTestButton();
    void finish();

    UpcomingDatesSettings& m_settings;
    QCheckBox* m_pokaz;
    NumberField* m_days;
    QCheckBox* m_pokaz1;
    QCheckBox* m_pokaz2;
    QCheckBox* m_pokaz3;
    QCheckBox* m_raz;
    QPushButton* m_test;
    QPushButton* m_ok;
    BlockedWindow m_blocked;
    bool m_loading = false;
};

} // namespace zorvex

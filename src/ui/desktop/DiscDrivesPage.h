#pragma once

#include "core/desktop/DriveHotKeys.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace zorvex {

struct OpticalDrive;

// The Tools page "Napędy CD/DVD": the drives with their check boxes and,
// for the selected drive while it is checked, its three hot keys.
class DiscDrivesPage : public QWidget {
    Q_OBJECT
public:
    explicit DiscDrivesPage(QWidget* parent = nullptr);

    void setDrives(const QList<OpticalDrive>& drives, const DriveHotKeyTable& table);
    // "Odśwież": each drive captioned by its disc's label where it has one.
    void setDriveNames(const QMap<QChar, QString>& labels);
    // Where no program may have system-wide keys, the page says so.
    void setHotKeysAvailable(bool available);
    void showRefused(const QList<HotKeyCombo>& refused);
    QChar selectedDrive() const;

signals:
    void lineChanged(const zorvex::DriveHotKeyLine& line); // the drive's whole line
    void refreshRequested();

private:
    void showSelected();
    void emitLine();
    void updateNotice();

    DriveHotKeyTable m_table;
    QList<QChar> m_letters;
    QListWidget* m_drives = nullptr;
    QGroupBox* m_keys = nullptr;
    QLabel* m_notice = nullptr;
    std::array<QComboBox*, kTrayActionCount> m_modifiers{};
    std::array<QComboBox*, kTrayActionCount> m_hotKeys{};
    QSpinBox* m_delay = nullptr;
    bool m_loading = false;
    bool m_available = true;
    QList<HotKeyCombo> m_refused;
};

} // namespace zorvex

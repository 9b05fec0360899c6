#pragma once

#include "core/app/Settings.h"

#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;

namespace zorvex {

class OrderList;

// Tools page Vuzuvured -> "Okno": which panels the main window shows and in
// which order, the minimize button, the process priority and translucency.
// Every change goes to the settings model at once and is announced.
class WindowPage : public QWidget {
    Q_OBJECT
public:
    explicit WindowPage(Settings& settings, QWidget* parent = nullptr);

    void load();
    // The minimize options need a tray icon to come back to.
    void setTrayIconPresent(bool present);

    // The priority list: "Automatyczny (zalecany)" first, then high, normal
    // and low, stored as 3, 0, 1 and 2.
    static int priorityFromListIndex(int index);
    static int listIndexFromPriority(int priority);
    // The translucency slider's value as the percentage shown beside it.
    static QString opacityText(int alpha);

signals:
    void layoutChanged();
    void scrollSpeedChanged();
    void scrollingTextChoiceRequested();
    void gaugeModesChanged();
    void panelOptionsRequested();
    void removableDrivesRequested();
    void monthArrowsChanged();
    void minimizeOptionsChanged();
    void priorityChanged();
    void opacityChanged();

private:
    using Signal = void (WindowPage::*)();
    // A combo box whose user choice goes through `store`, then `changed`.
    QComboBox* combo(QWidget* parent, const QStringList& items, const char* name, std::function<void(int index)> store,
                     Signal changed);
    QCheckBox* boolCheck(QWidget* parent, const char* caption, const char* name, bool MainWindowSettings::*field,
                         Signal changed);
    QComboBox* boolCombo(QWidget* parent, const QStringList& items, const char* name, bool MainWindowSettings::*field,
                         Signal changed);
    QComboBox* intCombo(QWidget* parent, const QStringList& items, const char* name, int MainWindowSettings::*field,
                        Signal changed);
    // The user's order of `list` goes to `field` (P1..P3 or PG1..PG3).
    OrderList* orderList(OrderList* list, std::array<int, 3> MainWindowSettings::*field);
    QWidget* buildTextPanelGroup();
    QWidget* buildInfoPanelGroup();
    QWidget* buildRightColumn();
    void updateOpacityControls();

    Settings& m_settings;
    bool m_loading = false;
    std::vector<std::pair<QCheckBox*, bool MainWindowSettings::*>> m_checks;
    std::vector<std::pair<QComboBox*, bool MainWindowSettings::*>> m_boolCombos;
    std::vector<std::pair<QComboBox*, int MainWindowSettings::*>> m_intCombos;
    QSlider* m_scrollSpeed = nullptr;
    OrderList* m_infoOrder = nullptr;
    OrderList* m_mainOrder = nullptr;
    QCheckBox* m_minimizeButton = nullptr;
    QCheckBox* m_startMinimized = nullptr;
    QComboBox* m_priority = nullptr;
    QCheckBox* m_translucency = nullptr;
    QSlider* m_opacity = nullptr;
    QLabel* m_opacityText = nullptr;
};

} // namespace zorvex

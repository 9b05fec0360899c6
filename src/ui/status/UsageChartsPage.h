#pragma once

#include "core/status/UsageHistory.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zorvex {

class StatusService;
struct Settings;

// "Wykresy": the last minute of processor, RAM and swap use as bar charts,
// drawn only while the page is showing.
class UsageChartsPage : public QWidget {
    Q_OBJECT
public:
    UsageChartsPage(StatusService& service, Settings& settings, QWidget* parent = nullptr);

    // The three pictures from the history (after each step while shown).
    void redraw();
    QImage chart(usagechart::Kind kind) const;

    static constexpr int kWidth = 384;
    static constexpr int kHeight = 103; // 80 pixels of bars under the plot's top

signals:
    // "Okno narzędzi zawsze na wierzchu tylko dla zakładki Wykresy".
    void keepOnTopChanged(bool on);

protected:
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    StatusService& m_service;
    Settings& m_settings;
    QGroupBox* m_groups[3] = {};
    QLabel* m_pictures[3] = {};
    QCheckBox* m_active = nullptr;
    QButtonGroup* m_direction = nullptr;
    QPushButton* m_onTop = nullptr;
};

} // namespace zorvex

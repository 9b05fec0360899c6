#pragma once

#include "core/status/TransferChart.h"

#include <QPointer>
#include <QWidget>

class QMenu;
class QAction;

namespace zorvex {

class EdgeSnapper;
class TransferChartSettingsWindow;
struct TransferChartSettings;

// "Status sieciowy": the received and sent bytes per second of the chosen
// interface as a scrolling bar chart, one pixel column a second with the
// newest in the last column, and the current values underneath.
class TransferChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit TransferChartWindow(TransferChartSettings& settings, QWidget* parent = nullptr);
    ~TransferChartWindow() override;

    // Once a second while the traffic statistic is on, shown or not.
    void addSample(qint64 received, qint64 sent);
    const TransferHistory& history() const { return m_history; }

    // Opens at its stored place, or centred at the bottom of the work area.
    void open();
    // Frame, top-most, transparency and the picture after an option change.
    void applySettings();
    void setDockTarget(QWidget* mainWindow);
    // "Ustawienia wykresu", created on first use.
    void openSettings();

    // The picture as drawn for the client size.
    QImage picture() const;

signals:
    // The settings were changed and should be written.
    void settingsChanged();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    void storeBounds();

    TransferChartSettings& m_settings;
    TransferHistory m_history;
    EdgeSnapper* m_snapper = nullptr;
    QMenu* m_menu = nullptr;
    QAction* m_onTop = nullptr;
    QAction* m_inFront = nullptr;
    QPointer<TransferChartSettingsWindow> m_settingsWindow;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace zorvex

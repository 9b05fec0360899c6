#pragma once

#include "core/shell/LoopServices.h"
#include "core/status/DiskCard.h"
#include "core/status/GaugePanel.h"
#include "ui/status/DiskCardWindow.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace zorvex {

class StatusService;
struct Settings;

// One gauge row (TrmGauge): a 115 x 15 horizontal bar with a black border,
// solid or shaded, and the row's number right-aligned over it.
class GaugeBar : public QWidget {
    Q_OBJECT
public:
    explicit GaugeBar(QWidget* parent = nullptr);
    void setRow(const GaugeRow& row, Colour textColour);
    const GaugeRow& row() const { return m_row; }

    static constexpr int kWidth = 115;
    static constexpr int kHeight = 15;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    GaugeRow m_row;
    Colour m_text = 0;
};

// The main window's information panel: the three gauge rows, the disk icon
// with its free-space card and the transfer box. Rows repaint only when the
// service says their value or colours changed.
class GaugeArea : public QWidget, public TickService {
    Q_OBJECT
public:
    // `dataFolder` holds the picture sets of the disk icon ("Gfx/Dysk/").
    GaugeArea(StatusService& service, Settings& settings, const QString& dataFolder, QWidget* panel);
    ~GaugeArea() override;

    GaugeBar* bar(int row) const { return m_bars[qBound(1, row, 3) - 1]; }
    QLabel* diskIcon() const { return m_disk; }
    QLabel* transferBox() const { return m_transfer; }
    DiskCardWindow* card() const { return m_card; }

    // Rows shown, their order and colours (Panel3, Panel4, P1..P3, Panel5).
    void relayout();
    // The disk icon from DyskStyl, else the built-in picture (start, F5).
    void loadDiskIcon();
    void showCard(const QPoint& globalPos);
    // Every 50 ms: the open card follows the drives and closes when the
    // pointer leaves the icon.
    void checkCard();
    void tick(TickStep step, const QDateTime& now) override;

protected:
    void resizeEvent(QResizeEvent*) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    DiskCard scanDisks() const;
    void showRows(unsigned rows);
    void showTransfer();

    StatusService& m_service;
    Settings& m_settings;
    GaugeBar* m_bars[3] = {};
    QLabel* m_disk = nullptr;
    QLabel* m_transfer = nullptr;
    QPointer<DiskCardWindow> m_card; // may become a pop-up of the main window
    QString m_dataFolder;
};

} // namespace zorvex

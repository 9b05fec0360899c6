#pragma once

#include "core/common/Colour.h"
#include "core/status/StatusText.h"

#include <QString>

#include <deque>
#include <vector>

namespace zorvex {

// The "Status sieciowy" window's history: bytes per second received and
// sent, newest first, as many as the picture has columns for.
class TransferHistory {
public:
    struct Sample {
        qint64 received = 0;
        qint64 sent = 0;
    };

    // Inserts at the front and trims to the capacity.
    void add(qint64 received, qint64 sent);
    // The number of columns of the plot; a smaller one drops the oldest.
    void setCapacity(int columns);
    int capacity() const { return m_capacity; }
    void clear() { m_samples.clear(); }

    const std::deque<Sample>& samples() const { return m_samples; }
    // The newest sample, or zeros.
    Sample newest() const { return m_samples.empty() ? Sample{} : m_samples.front(); }

    // "received|sent" lines, newest first.
    std::vector<QString> lines() const;

private:
    std::deque<Sample> m_samples;
    int m_capacity = 0;
};

// What the chart draws for a client area of width x height.
struct TransferChartOptions {
    bool limit = false;       // "Ogranicz wyświetlany transfer do"
    int limitKb = 80;         // OgraniczKB
    bool receivedInFront = false; // PobPrzod
    bool hideMax = false;     // UkryjMax
};

struct TransferChartLayout {
    int leftStrip = 15;  // 0 with the maximum hidden
    int plotHeight = 0;  // client height - 15 (the bottom strip)
    qint64 scale = 1;    // bytes per second at the plot's full height

    struct Column {
        int x = 0;
        // Drawn in order: back, then front over it.
        int backHeight = 0;
        int frontHeight = 0;
        bool receivedInFront = false;
    };
    std::vector<Column> columns;

    QString maxText;      // "MAX: 1,5 KB", in the left strip (empty when hidden)
    QString receivedText; // "P: ..."
    QString sentText;     // "W: ...", empty when the window is too narrow
    // The grid: vertical lines from x = strip + 8 every 10 pixels,
    // horizontal ones from y = 1 every 9 pixels down to plotHeight - 3.
};

inline constexpr int kTransferStrip = 15;

// The columns a client width leaves for samples: every pixel column right of
// the left strip, so the newest sample sits in the picture's last column.
int transferColumns(int width, bool hideMax);

TransferChartLayout layoutTransferChart(const TransferHistory& history, int width, int height,
                                        const TransferChartOptions& options, const NumberStyle& style = {});

// Defaults of the chart's colours (section "SiecWykres", Kolor1..Kolor7).
inline constexpr Colour kTransferDefaultColours[7] = {0, colourFromRgb(0, 64, 0), 255, 65535, 255, 65535, 16777215};
// The background key made transparent with "Przeźroczyste tło".
inline constexpr Colour kTransferTransparentKey = 11259375;

} // namespace zorvex

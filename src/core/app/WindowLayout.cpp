#include "core/app/WindowLayout.h"

#include <algorithm>
#include <cmath>

namespace zorvex {

int clientHeight(const PanelVisibility& v)
{
    int h = 0;
    if (v.textPanel)
        h = v.topPanel ? 265 : 201;
    else
        h = v.topPanel ? 246 : 182;
    if (!v.memoryRows)
        h -= 28;
    if (!v.cpuRow)
        h -= 14;
    if (!v.memoryRows && !v.cpuRow)
        h -= 4;
    if (!v.playbackPanel)
        h -= 19;
    return h;
}

int infoPanelHeight(const PanelVisibility& v)
{
    if (v.memoryRows && v.cpuRow)
        return kInfoPanelHeight;
    if (v.cpuRow)
        return kInfoPanelHeight - 28;
    if (v.memoryRows)
        return kInfoPanelHeight - 14;
    return 0;
}

std::array<LowerPanel, 3> lowerPanelOrder(const std::array<int, 3>& pg)
{
    std::vector<int> order;
    for (int code : pg) {
        if (code >= 1 && code <= 3 && std::find(order.begin(), order.end(), code) == order.end())
            order.push_back(code);
    }
    for (int code = 1; code <= 3; ++code) {
        if (std::find(order.begin(), order.end(), code) == order.end())
            order.push_back(code);
    }
    return {static_cast<LowerPanel>(order[0]), static_cast<LowerPanel>(order[1]), static_cast<LowerPanel>(order[2])};
}

WindowLayout computeLayout(const PanelVisibility& v, const std::array<int, 3>& pg)
{
    WindowLayout l;
    l.clientHeight = clientHeight(v);
    l.topPanelVisible = v.topPanel;

    const int clockLeft = 32;
    const int clockWidth = kMainWindowWidth - clockLeft;
    if (v.topPanel) {
        l.timeOfDayPicture = QRect(0, 0, 32, kTopPanelHeight);
        // With the zodiac sign the clock keeps to the top and the sign fills
        // the rest of the panel; without it the clock takes the panel's height.
        if (v.zodiac) {
            l.clock = QRect(clockLeft, 4, clockWidth, 24);
            l.zodiac = QRect(clockLeft, 30, clockWidth, kTopPanelHeight - 30);
        } else {
            l.clock = QRect(clockLeft, 7, clockWidth, 50);
        }
    }
    const int captionTop = v.topPanel ? kTopPanelHeight : 0;
    l.captionRow = QRect(0, captionTop, kMainWindowWidth, kCaptionRowHeight);
    l.monthGrid = QRect(0, captionTop + kCaptionRowHeight, kMainWindowWidth, kMonthGridHeight);

    int y = l.monthGrid.bottom() + 1;
    for (LowerPanel p : lowerPanelOrder(pg)) {
        PanelSlot* slot = nullptr;
        int height = 0;
        bool shown = false;
        switch (p) {
        case LowerPanel::Text:
            slot = &l.textPanel;
            height = kTextPanelHeight;
            shown = v.textPanel;
            break;
        case LowerPanel::Info:
            slot = &l.infoPanel;
            height = infoPanelHeight(v);
            shown = height > 0;
            break;
        case LowerPanel::Playback:
            slot = &l.playbackPanel;
            height = kPlaybackPanelHeight;
            shown = v.playbackPanel;
            break;
        }
        slot->visible = shown;
        slot->height = shown ? height : 0;
        slot->top = y;
        if (shown)
            y += height;
    }
    return l;
}

std::vector<QRect> roundedShape(int width, int height)
{
    std::vector<QRect> spans;
    if (width <= 0 || height <= 0)
        return spans;
    const double r = kWindowShapeCorner / 2.0;
    const int cornerRows = std::min(kWindowShapeCorner / 2, height / 2);
    auto inset = [r](int row) {
        const double dy = r - (row + 0.5);
        return static_cast<int>(std::lround(r - std::sqrt(std::max(0.0, r * r - dy * dy))));
    };
    for (int row = 0; row < cornerRows; ++row) {
        const int in = std::min(inset(row), width / 2);
        spans.emplace_back(in, row, width - 2 * in, 1);
    }
    const int middle = height - 2 * cornerRows;
    if (middle > 0)
        spans.emplace_back(0, cornerRows, width, middle);
    for (int row = cornerRows - 1; row >= 0; --row) {
        const int in = std::min(inset(row), width / 2);
        spans.emplace_back(in, height - 1 - row, width - 2 * in, 1);
    }
    return spans;
}

QPoint placeWindow(int mode, QSize window, const QRect& workArea, QPoint own, const QRect& screen)
{
    const int left = workArea.left();
    const int top = workArea.top();
    const int right = workArea.left() + workArea.width() - window.width();
    const int bottom = workArea.top() + workArea.height() - window.height();
    switch (static_cast<Placement>(mode)) {
    case Placement::TopLeft:
        return {left, top};
    case Placement::TopRight:
        return {right, top};
    case Placement::BottomLeft:
        return {left, bottom};
    case Placement::BottomRight:
        return {right, bottom};
    case Placement::Own:
        break;
    }
    const QRect at(own, window);
    if (screen.isEmpty() || at.intersects(screen))
        return own;
    return {std::clamp(own.x(), left, std::max(left, right)), std::clamp(own.y(), top, std::max(top, bottom))};
}

} // namespace zorvex

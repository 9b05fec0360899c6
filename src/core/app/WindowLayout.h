#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <vector>

namespace zorvex {

inline constexpr int kMainWindowWidth = 147;
// The window shape is a rounded rectangle of the client width + 1 by 282
// pixels in the round-rectangle convention that leaves out the right and
// bottom edge, so it covers the client width by 281 rows whatever the client
// height; only its upper corners fall inside the window.
inline constexpr int kWindowShapeHeight = 282;
inline constexpr int kWindowShapeCorner = 16; // diameter of the corner ellipses

inline constexpr int kTopPanelHeight = 64;
inline constexpr int kCaptionRowHeight = 19;
inline constexpr int kMonthGridHeight = 97;
inline constexpr int kTextPanelHeight = 19;
inline constexpr int kInfoPanelHeight = 47;
inline constexpr int kPlaybackPanelHeight = 19;

// The three lower panels, numbered as the PG1..PG3 settings name them.
enum class LowerPanel { Text = 1, Info = 2, Playback = 3 };

// Which parts of the main window are shown (the settings Panel1..Panel7).
struct PanelVisibility {
    bool topPanel = true;      // Panel1: time-of-day picture and clock
    bool textPanel = true;     // Panel2: scrolling text
    bool memoryRows = true;    // Panel3: RAM, SWAP and the disk icon
    bool cpuRow = true;        // Panel4: CPU and the transfer box
    bool playbackPanel = false; // Panel6
    bool zodiac = true;        // Panel7
};

struct PanelSlot {
    bool visible = false;
    int top = 0;
    int height = 0;
};

// Where every area of the main window sits, in client coordinates.
struct WindowLayout {
    int clientHeight = 0;
    bool topPanelVisible = true;
    QRect timeOfDayPicture; // Image1
    QRect clock;            // Label2
    QRect zodiac;           // Image2, empty when hidden
    QRect captionRow;       // Label1 with its arrows
    QRect monthGrid;        // KAL
    PanelSlot textPanel;    // Label_Im
    PanelSlot infoPanel;    // component Panel1
    PanelSlot playbackPanel; // component Panel2
};

// The height of the window for the shown panels.
int clientHeight(const PanelVisibility& v);

// The information panel's height: 47 with both kinds of rows, 19 with only
// the CPU row, 33 with only the memory rows, 0 with neither.
int infoPanelHeight(const PanelVisibility& v);

// The stacking order of the lower panels from PG1..PG3. Each position names a
// panel; a panel named twice keeps its first place, and a panel no position
// names goes below the named ones, so no visible panel is ever lost.
std::array<LowerPanel, 3> lowerPanelOrder(const std::array<int, 3>& pg);

WindowLayout computeLayout(const PanelVisibility& v, const std::array<int, 3>& pg);

// A rounded rectangle covering `width` x `height` pixels with 16 x 16 corner
// ellipses, as horizontal spans: one rectangle per corner row and one for the
// full-width middle.
std::vector<QRect> roundedShape(int width, int height);
// The main window's shape for its client width.
inline std::vector<QRect> mainWindowShape(int clientWidth)
{
    return roundedShape(clientWidth, kWindowShapeHeight - 1);
}

// Placement modes of the Pozycja setting.
enum class Placement { TopLeft = 1, TopRight = 2, BottomLeft = 3, BottomRight = 4, Own = 5 };

// The window's top-left corner. Modes 1-4 put it in a corner of the work
// area; mode 5 keeps the own position, pulled into the work area only when
// the window would lie wholly outside `screen` (a monitor that is gone).
QPoint placeWindow(int mode, QSize window, const QRect& workArea, QPoint own, const QRect& screen);

// Whether pressing and dragging over the window moves it.
inline bool dragAllowed(int mode, bool locked)
{
    return mode == static_cast<int>(Placement::Own) && !locked;
}

} // namespace zorvex

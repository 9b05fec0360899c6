#pragma once

#include <QtGlobal>

namespace zorvex {

// The geometry and arithmetic of the main window's playback panel (PSnd,
// 145 x 18), apart from any drawing.
namespace panel {

inline constexpr int kWidth = 145;
inline constexpr int kHeight = 18;
inline constexpr int kSkinWidth = 173;
inline constexpr int kSkinHeight = 34;
inline constexpr int kButtons = 5;
inline constexpr int kTrackLeft = 77;
inline constexpr int kKnobMin = 7;
inline constexpr int kKnobMax = 45;
inline constexpr int kKnobSpan = kKnobMax - kKnobMin; // 38

// The button under x, or -1 (x div 15 below 5).
int buttonAt(int x, int y);
// The slider area a press or drag acts in.
bool inSlider(int x, int y);
// The right-button area of the slider's menu.
bool inSliderMenu(int x, int y);
// 0: the player half of the switch, 1: the radio half, -1: not on it.
int switchAt(int x, int y);

// A knob position 0..53 held between 7 and 45, as a volume 0..100.
int volumeAt(int position);
// A knob position as seconds of `length`.
int seekAt(int position, double length);
// The knob's left edge for a bar at `position` of `maximum`; a maximum of 0
// (nothing loaded) puts it at the start instead of dividing by it.
int knobForSeek(int position, int maximum);
int knobForVolume(int volume);

// One channel of a grey pixel of value `grey` tinted to the colour channel
// `channel`: white takes the colour, darker greys darken it.
int tintChannel(int channel, int grey);
// A channel of the time text's colour derived from the window colour.
int timeTextChannel(int channel);

} // namespace panel
} // namespace zorvex

#pragma once

namespace zorvex {

// The desktop's "information" event sound, played in the background through
// the freedesktop sound theme (canberra-gtk-play). Nothing happens when the
// player is not installed or there is no real display (offscreen, tests).
void playInformationSound();

} // namespace zorvex

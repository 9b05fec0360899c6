#pragma once

#include "core/reminders/AlarmEntry.h"

#include <QDateTime>
#include <QImage>

namespace zorvex {

// What the first picture of an alarm's list row says about it.
enum class AlarmRowState {
    Inactive,
    Recurring,
    OnceAhead,  // a one-off alarm still to come
    OncePassed, // a one-off alarm whose time has gone, or whose date does not exist
};
AlarmRowState alarmRowState(const AlarmEntry& e, const QDateTime& now);

// The pictures are drawn, not loaded: square, `size` pixels, on
// transparency.
QImage alarmStatePicture(AlarmRowState state, int size = 16);
// Nothing for AlarmMessageKind::None.
QImage alarmMessagePicture(AlarmMessageKind kind, int size = 16);
QImage powerActionPicture(PowerAction action, int size = 16);
QImage alarmProgramPicture(int size = 16);
QImage alarmSoundPicture(int size = 16);

// The row's pictures side by side, each in its own 16-pixel slot with a
// 2-pixel gap: state, message kind, computer action, program, sound. A slot
// whose part the alarm does not use stays empty, so the texts line up.
inline constexpr int kAlarmRowSlots = 5;
inline constexpr int kAlarmRowSlotPitch = 18;
QImage alarmRowPicture(const AlarmEntry& e, const QDateTime& now);

} // namespace zorvex

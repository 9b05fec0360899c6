#pragma once

#include <QByteArray>
#include <QList>

namespace zorvex {

// The system speaker's signals 0 to 14 of the mail checker and the ping
// monitor ("Dźwięk: 1" … "Dźwięk: 15"), as (frequency Hz, duration ms);
// frequency 0 is a pause. A tone outside what a speaker plays (37 to 32767
// Hz) is kept: it is simply not heard.
struct Tone {
    int hz = 0;
    int ms = 0;
    bool operator==(const Tone&) const = default;
};
inline constexpr int kSpeakerSignalCount = 15;
QList<Tone> speakerSignal(int number);

// The signal as 16-bit mono PCM in a WAV file, square waves as a speaker
// makes them; silence where a tone cannot be heard.
QByteArray speakerSignalWav(int number, int sampleRate = 22050);

} // namespace zorvex

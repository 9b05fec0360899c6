#pragma once

#include "core/media/AudioLibrary.h"

#include <memory>

namespace zorvex {

class MasterVolume;

// The audio library over GStreamer. Files are decoded by whatever plugins
// are installed (MP3, Ogg, AAC/M4A, WMA, WAV, FLAC); addresses are read over
// HTTP with ICY metadata. The sink comes from ZORVEX_AUDIO_SINK (an element
// or a launch line; "fakesink" plays in real time without a sound card),
// else the desktop's default output.
class GstAudioLibrary : public AudioLibrary {
public:
    // Without a master volume the desktop's sound server is asked.
    explicit GstAudioLibrary(std::shared_ptr<MasterVolume> master = {});
    ~GstAudioLibrary() override;

    // False, with the reason, when GStreamer cannot be used at all.
    static bool available(QString* why = nullptr);

    void startOutput() override;
    void shutdownOutput() override;
    bool outputStarted() const override { return m_started; }
    // The master level read at the last start, 0 to 100. The sound server
    // applies it to every stream already, so streams are not scaled by it.
    int outputVolume() const { return m_outputVolume; }

    std::unique_ptr<AudioStream> openFile(const QString& path) override;
    std::unique_ptr<AudioStream> openFileAsync(const QString& path, std::function<void(bool)> ready) override;
    UrlOpen openUrl(const QString& url, const NetworkOptions& options, const std::atomic<bool>& cancel) override;

private:
    std::shared_ptr<MasterVolume> m_master;
    bool m_started = false;
    int m_outputVolume = 100;
};

} // namespace zorvex

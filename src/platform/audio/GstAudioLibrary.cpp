#include "platform/audio/GstAudioLibrary.h"

#include "platform/audio/GstStream.h"
#include "platform/audio/PulseMasterVolume.h"

namespace zorvex {

GstAudioLibrary::GstAudioLibrary(std::shared_ptr<MasterVolume> master)
    : m_master(master ? std::move(master) : std::make_shared<PulseMasterVolume>())
{
    gst::init(nullptr);
}

GstAudioLibrary::~GstAudioLibrary() = default;

bool GstAudioLibrary::available(QString* why)
{
    return gst::init(why);
}

void GstAudioLibrary::startOutput()
{
    m_outputVolume = m_master->volume().value_or(100);
    m_started = true;
}

void GstAudioLibrary::shutdownOutput()
{
    // Streams hold their own connection to the sound server, so there is
    // nothing to free here; a stream still open keeps playing.
    m_started = false;
}

std::unique_ptr<AudioStream> GstAudioLibrary::openFile(const QString& path)
{
    return gst::openFileStream(path);
}

std::unique_ptr<AudioStream> GstAudioLibrary::openFileAsync(const QString& path, std::function<void(bool)> ready)
{
    return gst::openFileStreamAsync(path, std::move(ready));
}

UrlOpen GstAudioLibrary::openUrl(const QString& url, const NetworkOptions& options, const std::atomic<bool>& cancel)
{
    return gst::openNetStream(url, options, cancel);
}

} // namespace zorvex

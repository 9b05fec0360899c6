#pragma once

#include "core/media/AudioLibrary.h"

#include <functional>
#include <memory>
#include <mutex>

namespace zorvex {

// Starts the real sound library on its first use, so a program that plays
// nothing never pays for loading it (several megabytes of plug-ins). Safe
// when the first use is a stream opened on a worker thread.
class LazyAudioLibrary : public AudioLibrary {
public:
    using Factory = std::function<std::unique_ptr<AudioLibrary>()>;
    explicit LazyAudioLibrary(Factory factory)
        : m_factory(std::move(factory))
    {
    }

    void startOutput() override { library().startOutput(); }
    void shutdownOutput() override
    {
        if (loaded())
            library().shutdownOutput();
    }
    bool outputStarted() const override { return loaded() && m_library->outputStarted(); }
    std::unique_ptr<AudioStream> openFile(const QString& path) override { return library().openFile(path); }
    std::unique_ptr<AudioStream> openFileAsync(const QString& path, std::function<void(bool)> ready) override
    {
        return library().openFileAsync(path, std::move(ready));
    }
    UrlOpen openUrl(const QString& url, const NetworkOptions& options, const std::atomic<bool>& cancel) override
    {
        return library().openUrl(url, options, cancel);
    }

    bool loaded() const
    {
        std::lock_guard lock(m_mutex);
        return m_library != nullptr;
    }

private:
    AudioLibrary& library()
    {
        std::lock_guard lock(m_mutex);
        if (!m_library)
            m_library = m_factory();
        return *m_library;
    }

    Factory m_factory;
    mutable std::mutex m_mutex;
    std::unique_ptr<AudioLibrary> m_library;
};

} // namespace zorvex

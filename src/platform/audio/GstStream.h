#pragma once

#include "core/media/AudioLibrary.h"

#include <QString>

#include <atomic>
#include <memory>

// The GStreamer streams behind GstAudioLibrary; no GStreamer type shows here.
namespace zorvex::gst {

// Initialises GStreamer once; false, with the reason, when it cannot.
bool init(QString* why);

std::unique_ptr<AudioStream> openFileStream(const QString& path);
// Prerolls in the background; `ready` comes from a GStreamer thread.
std::unique_ptr<AudioStream> openFileStreamAsync(const QString& path, std::function<void(bool ok)> ready);
UrlOpen openNetStream(const QString& url, const NetworkOptions& options, const std::atomic<bool>& cancel);

} // namespace zorvex::gst

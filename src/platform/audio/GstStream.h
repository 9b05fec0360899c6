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
UrlOpen openNetStream(const QString& url, const NetworkOptions& options, const std::atomic<bool>& cancel);

} // namespace zorvex::gst

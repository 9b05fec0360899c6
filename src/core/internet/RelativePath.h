#pragma once

#include <QString>

namespace zorvex {

// A path that a package or the service names relative to the data folder,
// "/" separated ("\" turned into "/"); empty when it could reach elsewhere:
// absolute, with a drive or any ":", with an empty, "." or ".." part, or a
// control character.
QString safeRelativePath(const QString& path);

} // namespace zorvex

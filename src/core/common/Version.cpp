#include "core/common/Version.h"

namespace zorvex {

// The build defines ZORVEX_VERSION for this file alone, so a new version
// recompiles one file.
QString programVersion()
{
    return QStringLiteral(ZORVEX_VERSION);
}

} // namespace zorvex

#include "platform/ShareFolder.h"

namespace zorvex {

// The build defines ZORVEX_SHARE_DIR for this file alone, so a change of the
// install prefix recompiles one file.
QString configuredShareFolder()
{
    return QStringLiteral(ZORVEX_SHARE_DIR);
}

} // namespace zorvex

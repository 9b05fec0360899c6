#include "platform/internet/MachineId.h"

#include "core/common/DataFile.h"

namespace zorvex {

QByteArray readMachineId(const QStringList& candidates)
{
    for (const QString& path : candidates) {
        const FileRead read = readDataFile(path);
        const QByteArray id = read.bytes.trimmed();
        if (read.read() && !id.isEmpty())
            return id;
    }
    return {};
}

} // namespace zorvex

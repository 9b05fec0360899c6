// The /proc files the gauges and the traffic monitor read.
#include "FuzzInput.h"

#include "core/status/ProcParsers.h"

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView text(data, qsizetype(size));
    (void)parseProcStat(text);
    (void)parseMeminfo(text);
    (void)parseNetDev(text);
    (void)localDriveMounts(parseMounts(text));
    return 0;
}

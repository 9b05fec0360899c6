// Answers of the vendor's service: the encoding map, the markers, the
// update stamps.
#include "FuzzInput.h"

#include "core/internet/ServiceAnswer.h"
#include "core/internet/UpdateStamps.h"

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView body(data, qsizetype(size));
    (void)isoToCp1250(body);
    const QStringList lines = cleanAnswer(body);
    (void)listAnswer(lines, QStringLiteral("<!--LISTA-->"));
    (void)findStampLine(lines);
    for (const QString& line : lines)
        (void)isPlainUrlPart(line);
    return 0;
}

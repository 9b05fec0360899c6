// The add-on package archive: opened, listed, every entry tested, then
// extracted into a scratch folder (never outside it).
#include "FuzzInput.h"

#include "core/internet/ZlbArchive.h"


#include <cstdlib>

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::inputFile(data, size, QStringLiteral("input.zvxd"));
    ZlbArchive archive;
    archive.setCheckCrc(true);
    if (!archive.openArchive(path))
        return 0;
    const int count = archive.entryCount();
    for (int i = 0; i < count && i < 64; ++i) {
        (void)archive.entry(i);
        (void)archive.testEntry(i);
    }
    const QString out = fuzz::scratchFolder();
    archive.setReplaceHandler([](const QString&) { return ZlbArchive::ReplaceAnswer::Replace; });
    (void)archive.extractAll(out);
    // Whatever was written stays below the destination: beside it there is
    // nothing.
    const QDir parent(QFileInfo(out).absolutePath());
    if (parent.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) != QStringList{QStringLiteral("out")})
        std::abort();
    return 0;
}

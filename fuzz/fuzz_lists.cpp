// The reminder lists as the program reads them from disk.
#include "FuzzInput.h"

#include "core/reminders/ReminderFiles.h"

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::inputFile(data, size);
    bool ok = false;
    (void)PersonFile::load(path, &ok);
    (void)ImportantDayFile::load(path, &ok);
    QStringList lines = PrivateFile::load(path, &ok);
    PrivateFile::addMissingYears(lines, 2026);
    PrivateFile::sort(lines, PrivateSort(0), false);
    return 0;
}

// The reminder and alarm lists as the program reads them from disk.
#include "FuzzInput.h"

#include "core/reminders/AlarmEntry.h"
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
    for (const AlarmEntry& a : AlarmFile::load(path, &ok)) {
        (void)alarmListText(a);
        (void)alarmStorageProblem(a);
        (void)AlarmEntry::parse(a.toLine());
    }
    return 0;
}

// INI files: parsing, every kind of value read back, and writing back the
// lines that were read.
#include "FuzzInput.h"

#include "core/common/IniFile.h"

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IniFile ini = IniFile::fromBytes(fuzz::bytes(data, size));
    for (const QString& section : ini.sections()) {
        for (const QString& key : ini.keys(section)) {
            (void)ini.readString(section, key);
            (void)ini.readInteger(section, key, 0);
            (void)ini.readReal(section, key, 0);
            (void)ini.readDateTime(section, key, DayTime());
            (void)ini.readFont(section, key);
        }
    }
    ini.writeString(QStringLiteral("Vuzuvured"), QStringLiteral("Pozycja"), QStringLiteral("4"));
    const IniFile again = IniFile::fromBytes(ini.toBytes());
    (void)again.sections();
    return 0;
}

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace zorvex::fuzz {

// The readers turn stored times into local ones: they run in Polish time,
// with its offset and summer time changes, as the program's users do,
// whatever zone the machine that fuzzes is set to.
inline const bool kPolishTime = [] {
    qputenv("TZ", "Europe/Warsaw");
    return true;
}();

// Most readers take a path: the input goes into one scratch file of this
// process, rewritten for every input.
inline QString inputFile(const uint8_t* data, size_t size, const QString& name = QStringLiteral("input"))
{
    static QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A folder emptied for every input, for what extracts files.
inline QString scratchFolder()
{
    static QTemporaryDir dir;
    QDir d(QDir(dir.path()).filePath(QStringLiteral("out")));
    d.removeRecursively();
    QDir().mkpath(d.path());
    return d.path();
}

} // namespace zorvex::fuzz

#pragma once

// Sounds for the playback component on the fake audio library: files it
// opens by name and addresses whose opening the test scripts.

#include "core/media/BassPlay.h"
#include "support/FakeAudioLibrary.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace zorvex::test {

// A file in `dir` standing for a sound: the fake library only asks that it
// exists.
inline QString soundFile(const QTemporaryDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.exists() && f.open(QIODevice::WriteOnly))
        f.write("x");
    return path;
}

// An address whose buffer is full enough the moment it opens; a held one
// waits in the open until FakeAudioLibrary::release().
inline FakeAudioLibrary::UrlScript bufferedStream(bool held = false)
{
    FakeAudioLibrary::UrlScript script;
    script.held = held;
    script.total = 100;
    script.downloaded = 90;
    return script;
}

// The outcome carried by one streamOpened() emission.
inline StreamOpenResult openResult(const QList<QVariant>& emission)
{
    return emission.at(1).value<StreamOpenResult>();
}

} // namespace zorvex::test

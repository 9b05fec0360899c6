#include "core/common/Notice.h"

#include <QMutex>
#include <QSet>

#include <cstdio>

namespace zorvex {

void noticeOnce(const QString& text)
{
    static QMutex mutex;
    static QSet<QString> said;
    const QMutexLocker lock(&mutex);
    if (said.contains(text))
        return;
    said.insert(text);
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace zorvex

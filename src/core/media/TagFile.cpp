#include "core/media/TagFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace zorvex {

void setTagError(QString* error, const QString& message, const QString& path, const QString& cause)
{
    if (!error)
        return;
    *error = message + QStringLiteral(": ") + QDir::toNativeSeparators(path);
    if (!cause.isEmpty())
        *error += QStringLiteral(" (") + cause + QLatin1Char(')');
}

void setOpenError(QString* error, const QString& path, const QFileDevice& file)
{
    setTagError(error, QStringLiteral("Nie można otworzyć pliku"), path, file.errorString());
}

void clearReadOnly(const QString& path)
{
    QFile::Permissions perms = QFile::permissions(path);
    if (!(perms & QFile::WriteOwner))
        QFile::setPermissions(path, perms | QFile::WriteOwner | QFile::WriteUser);
}

bool rewriteFile(const QString& path, const QByteArray& head, qint64 from, qint64 to,
                 const QByteArray& tail, QString* error)
{
    QFile source(path);
    // A missing file must not be created by the save below.
    if (!source.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        setOpenError(error, path, source);
        return false;
    }
    if (from < 0 || to < from || to > source.size() || !source.seek(from)) {
        setTagError(error, QStringLiteral("Plik zmienił się w trakcie zapisu"), path);
        return false;
    }

    QSaveFile target(path);
    if (!target.open(QIODevice::WriteOnly)) {
        setTagError(error, QStringLiteral("Nie można utworzyć pliku tymczasowego dla"), path,
                    target.errorString());
        return false;
    }
    // QSaveFile drops its temporary file unless commit() succeeds.
    const auto fail = [&](const QString& cause) {
        target.cancelWriting();
        setTagError(error, QStringLiteral("Nie można zapisać pliku"), path, cause);
        return false;
    };

    if (target.write(head) != head.size())
        return fail(target.errorString());
    constexpr qint64 kChunk = 256 * 1024;
    QByteArray chunk(static_cast<qsizetype>(std::min(kChunk, std::max<qint64>(to - from, 1))), Qt::Uninitialized);
    for (qint64 left = to - from; left > 0;) {
        const qint64 want = std::min<qint64>(left, chunk.size());
        const qint64 got = source.read(chunk.data(), want);
        if (got != want)
            return fail(got < 0 ? source.errorString() : QStringLiteral("plik skrócił się w trakcie zapisu"));
        if (target.write(chunk.constData(), got) != got)
            return fail(target.errorString());
        left -= got;
    }
    if (target.write(tail) != tail.size())
        return fail(target.errorString());
    source.close();
    if (!target.commit()) {
        setTagError(error, QStringLiteral("Nie można zapisać pliku"), path, target.errorString());
        return false;
    }
    return true;
}

} // namespace zorvex

#include "SimData.h"

#include <QFile>
#include <QFileInfo>

namespace zorvex::sim {

QString SimData::builtIn()
{
    return QStringLiteral(":/zorvex-service-sim");
}

SimData::SimData(const QString& root)
    : m_root(root.endsWith(QLatin1Char('/')) ? root.chopped(1) : root)
{
}

std::optional<QByteArray> SimData::read(const QString& relative) const
{
    if (relative.contains(QLatin1String("..")))
        return std::nullopt;
    QFile file(path(relative));
    if (!QFileInfo(file.fileName()).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

std::optional<QString> SimData::readText(const QString& relative) const
{
    const auto bytes = read(relative);
    if (!bytes)
        return std::nullopt;
    QString text = QString::fromUtf8(*bytes);
    text.remove(QLatin1Char('\r'));
    return text;
}

bool SimData::isFolder(const QString& relative) const
{
    return !relative.contains(QLatin1String("..")) && QFileInfo(path(relative)).isDir();
}

bool SimData::isPlainName(QStringView name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return false;
    for (QChar c : name) {
        const bool ok = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') || c == QLatin1Char('_')
            || c == QLatin1Char('-');
        if (!ok)
            return false;
    }
    return true;
}

} // namespace zorvex::sim

#include "core/app/StartupData.h"

#include "core/common/PathTable.h"
#include "core/common/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zorvex {

QString resolveSentencePath(const QString& dataFolder, const std::function<int(int)>& pick)
{
    const QDir dir(dataFolder);
    QStringList found;
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& fi : entries) {
        const QString upper = PolishUpper(fi.fileName());
        if (upper.startsWith(QLatin1String("SENTENCJE")) && upper.endsWith(QLatin1String(".INI")))
            found << fi.fileName();
    }
    const QString folder = withTrailingSlash(dataFolder);
    if (found.isEmpty())
        return folder + QStringLiteral("Sentencje.ini");
    const int i = found.size() == 1 ? 0 : std::clamp(pick(int(found.size())), 0, int(found.size()) - 1);
    return folder + found.at(i);
}

void migrateLegacyFiles(const PathTable& paths)
{
    const struct {
        const char* legacy;
        PathId target;
    } moves[] = {{"Alarm.ini", PathId::Alarm}, {"Prywatne.ini", PathId::Prywatne}, {"RadioU.ini", PathId::RadioU}};
    for (const auto& m : moves) {
        const QString from = paths.inDataFolder(QString::fromLatin1(m.legacy));
        const QString to = paths.path(m.target);
        // QFile::rename refuses an existing target, which keeps both files.
        if (QFileInfo::exists(from) && !QFileInfo::exists(to))
            QFile::rename(from, to);
    }
}

DecimalSeparators probeDecimalSeparators(const QLocale& locale)
{
    // The character after the leading digit of 0 formatted with one decimal
    // place. Some locales write digits as surrogate pairs, so the digit's
    // length is skipped, not one unit.
    const QString zero = locale.toString(0.0, 'f', 1);
    const qsizetype at = locale.zeroDigit().size();
    const QChar dec = zero.size() > at ? zero.at(at) : QLatin1Char('.');
    QChar other = QLatin1Char(' ');
    if (dec == QLatin1Char('.'))
        other = QLatin1Char(',');
    else if (dec == QLatin1Char(','))
        other = QLatin1Char('.');
    return {dec, other};
}

QString missingRequiredFile(const PathTable& paths)
{
    for (PathId id : {PathId::Imieniny, PathId::Sentencje}) {
        if (!QFileInfo::exists(paths.path(id)))
            return paths.path(id);
    }
    return {};
}

QString profileNameFor(const QString& loginName)
{
    return loginName.isEmpty() ? QStringLiteral("Uzytkownik") : loginName;
}

QString missingFileMessage(const QString& path)
{
    return QStringLiteral("Plik nie istnieje: ") + path;
}

} // namespace zorvex

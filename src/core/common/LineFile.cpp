#include "core/common/LineFile.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"

namespace zorvex {

QStringList loadLineFile(const QString& path, bool* ok, bool* replace)
{
    TextFileRead file = readTextFile(path);
    if (ok)
        *ok = file.read();
    if (replace)
        *replace = file.mayReplace();
    QString text = std::move(file.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    // The last line ends with CR LF too; keep inner blank lines as they are.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool saveLineFile(const QString& path, const QStringList& lines, QString* error)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1String("\r\n");
    // Lines read from a UTF-8 file may hold what Windows-1250 cannot; rather
    // than lose it, such a file stays UTF-8 (with the mark that says so).
    const QByteArray bytes = fitsCp1250(text) ? toCp1250(text) : QByteArray("\xEF\xBB\xBF") + text.toUtf8();
    QString why;
    if (writeFileAtomically(path, bytes, &why))
        return true;
    if (error)
        *error = QStringLiteral("Nie można zapisać pliku \"%1\": %2").arg(path, why);
    return false;
}

} // namespace zorvex

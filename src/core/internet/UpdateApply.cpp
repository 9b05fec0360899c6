#include "core/internet/UpdateApply.h"

#include "core/common/PathTable.h"
#include "core/internet/ProgramUpdate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace zorvex {
namespace {

bool below(const QString& path, const QString& folder)
{
    return path.startsWith(withTrailingSlash(folder));
}

// The path with every link of its folder resolved; empty when the folder is
// not there.
QString realPath(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + info.fileName();
}

struct Move {
    QString from;
    QString to;
};

// Why a line may not be applied; empty when it may.
QString lineProblem(const QString& folder, const QString& downloaded, const QString& target, Move* move)
{
    move->from = realPath(downloaded);
    move->to = realPath(target);
    if (move->to.isEmpty() || !below(move->to, folder))
        return QStringLiteral("Plik spoza folderu danych: ") + target;
    if (move->from != move->to + QStringLiteral(".tmp"))
        return QStringLiteral("Niepoprawny wiersz listy: ") + downloaded + QLatin1Char('|') + target;
    const QFileInfo source(move->from);
    if (source.isSymLink() || !source.isFile())
        return QStringLiteral("Brak pobranego pliku: ") + downloaded;
    if (QFileInfo(move->to).isDir())
        return QStringLiteral("W miejscu pliku jest folder: ") + target;
    return {};
}

} // namespace

bool applyProgramUpdate(const QString& dataFolder, QStringList* problems)
{
    const QString folder = QFileInfo(dataFolder).canonicalFilePath();
    const QString listPath = QDir(dataFolder).filePath(QString::fromLatin1(kUpdateListName));
    if (folder.isEmpty() || !QFileInfo(listPath).isFile()) {
        *problems << QStringLiteral("Brak listy plików aktualizacji: ") + listPath;
        return false;
    }
    // Files the package manager installed are never replaced from here.
    if (folder == QLatin1String("/usr") || below(folder, QStringLiteral("/usr"))) {
        *problems << QStringLiteral("Folder danych należy do systemu: ") + folder;
        return false;
    }
    QList<Move> moves;
    for (const auto& [downloaded, target] : readUpdateList(listPath)) {
        Move move;
        const QString problem = lineProblem(folder, downloaded, target, &move);
        if (!problem.isEmpty()) {
            *problems << problem;
            return false;
        }
        moves << move;
    }
    bool all = true;
    for (const Move& m : std::as_const(moves)) {
        if (std::rename(QFile::encodeName(m.from).constData(), QFile::encodeName(m.to).constData()) != 0) {
            *problems << QStringLiteral("Nie można zastąpić pliku: ") + m.to;
            all = false;
        }
    }
    QFile::remove(listPath);
    return all;
}

} // namespace zorvex

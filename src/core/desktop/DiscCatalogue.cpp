#include "core/desktop/DiscCatalogue.h"

#include "core/common/Cp1250.h"
#include "core/common/Text.h"
#include "core/media/PlaylistFiles.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvex {
namespace {

constexpr qint64 kMb = 1048576;

QString field(const QString& line, int n)
{
    return Field(line, kListSeparator, n);
}

// One folder's entries as read from the system, the names in both forms
// so the rules can look up "the same name" without regard to case.
struct Entry {
    QString name;
    QString upper;
    bool isDir = false;
    bool isFile = false;
};

struct FolderId {
    dev_t dev;
    ino_t ino;
    bool operator==(const FolderId&) const = default;
};

size_t qHash(const FolderId& id, size_t seed = 0)
{
    return ::qHash(quint64(id.ino), seed) ^ ::qHash(quint64(id.dev), 0);
}

class Scanner {
public:
    Scanner(DiscScanState& state, QList<DiscRow>& rows)
        : m_state(state)
        , m_rows(rows)
    {
    }

    void scanRoot(const QString& root)
    {
        m_root = root;
        // The name a file straight in the searched folder shows: the folder's
        // own name, or the whole path when that is only one level deep.
        const QString trimmed = root.endsWith(QLatin1Char('/')) && root.size() > 1 ? root.chopped(1) : root;
        m_rootName = trimmed.count(QLatin1Char('/')) < 2 ? trimmed : trimmed.mid(trimmed.lastIndexOf(QLatin1Char('/')) + 1);
        walk(trimmed, QString(), 0);
    }

    bool stopped() const { return m_state.cancelled(); }

private:
    // Deeper than any real tree; a guard against bind-mount mazes.
    static constexpr int kMaxDepth = 128;

    void walk(const QString& folder, const QString& relative, int depth)
    {
        if (stopped() || depth > kMaxDepth)
            return;
        const QByteArray encoded = QFile::encodeName(folder);
        // The chosen folder itself may be a link; nothing below it is followed.
        const int fd = ::open(encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (depth > 0 ? O_NOFOLLOW : 0));
        if (fd < 0)
            return;
        struct stat st{};
        if (::fstat(fd, &st) != 0 || m_seen.contains({st.st_dev, st.st_ino})) {
            ::close(fd);
            return;
        }
        m_seen.insert({st.st_dev, st.st_ino});
        DIR* dir = ::fdopendir(fd);
        if (!dir) {
            ::close(fd);
            return;
        }
        m_state.setCurrentFolder(folder);
        QList<Entry> entries;
        while (const dirent* d = ::readdir(dir)) {
            if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0)
                continue;
            Entry e;
            e.name = QFile::decodeName(d->d_name);
            unsigned char type = d->d_type;
            if (type == DT_UNKNOWN || type == DT_LNK) {
                // A link counts by what it points to, but a linked folder is
                // never entered: only files may be reached through links.
                struct stat target{};
                if (::fstatat(::dirfd(dir), d->d_name, &target, 0) != 0)
                    continue;
                if (type == DT_UNKNOWN) {
                    struct stat own{};
                    if (::fstatat(::dirfd(dir), d->d_name, &own, AT_SYMLINK_NOFOLLOW) != 0)
                        continue;
                    if (S_ISLNK(own.st_mode))
                        type = DT_LNK;
                }
                if (S_ISREG(target.st_mode))
                    e.isFile = true;
                else if (S_ISDIR(target.st_mode) && type != DT_LNK)
                    e.isDir = true;
            } else {
                e.isDir = type == DT_DIR;
                e.isFile = type == DT_REG;
            }
            if (!e.isDir && !e.isFile)
                continue;
            e.upper = PolishUpper(e.name);
            entries.append(std::move(e));
        }
        ::closedir(dir);

        std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
            return a.upper != b.upper ? a.upper < b.upper : a.name < b.name;
        });
        QHash<QString, QString> files; // upper-case name -> name as on disk
        for (const Entry& e : entries)
            if (e.isFile && !files.contains(e.upper))
                files.insert(e.upper, e.name);

        for (const Entry& e : entries) {
            if (stopped())
                return;
            if (e.isDir) {
                walk(folder + QLatin1Char('/') + e.name,
                     relative.isEmpty() ? e.name : relative + QLatin1Char('/') + e.name, depth + 1);
                continue;
            }
            considerFile(folder, relative, e, files);
        }
    }

    void considerFile(const QString& folder, const QString& relative, const Entry& e,
                      const QHash<QString, QString>& files)
    {
        const qsizetype dot = e.upper.lastIndexOf(QLatin1Char('.'));
        if (dot < 0)
            return;
        const QString ext = e.upper.mid(dot);
        if (!isDiscImageExtension(ext))
            return;
        const QString base = e.upper.left(dot);
        const auto beside = [&](const char* extension) { return files.value(base + QLatin1String(extension)); };
        // An image of CloneCD goes with its .ccd, and a .ccd with its .cue.
        if (ext == QLatin1String(".IMG") && !beside(".CCD").isEmpty())
            return;
        if (ext == QLatin1String(".CCD") && !beside(".CUE").isEmpty())
            return;
        QString mount = e.name;
        if (ext == QLatin1String(".CCD") || ext == QLatin1String(".CUE") || ext == QLatin1String(".MDS")) {
            for (const char* data : {".IMG", ".BIN", ".MDF"}) {
                const QString name = beside(data);
                if (!name.isEmpty()) {
                    mount = name;
                    break;
                }
            }
        }
        const QString path = folder + QLatin1Char('/') + mount;
        struct stat st{};
        const qint64 size = ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_size) : 0;
        const QString place = PolishUpper(relative.isEmpty() ? m_rootName : relative);
        m_rows.append({place + QStringLiteral(" - ") + PolishLower(QStringView(e.name).chopped(std::min<qsizetype>(4, e.name.size()))),
                       path, size / kMb});
    }

    DiscScanState& m_state;
    QList<DiscRow>& m_rows;
    QString m_root;
    QString m_rootName;
    QSet<FolderId> m_seen;
};

} // namespace

bool isDiscImageExtension(const QString& ext)
{
    static const QStringList kExtensions = {
        QStringLiteral(".CUE"), QStringLiteral(".ISO"), QStringLiteral(".BWT"), QStringLiteral(".CDI"),
        QStringLiteral(".B5T"), QStringLiteral(".CCD"), QStringLiteral(".MDS"), QStringLiteral(".NRG"),
        QStringLiteral(".VCD"), QStringLiteral(".IMG"), QStringLiteral(".PDI")};
    return kExtensions.contains(ext);
}

QString DiscScanState::currentFolder() const
{
    std::lock_guard lock(m_mutex);
    return m_folder;
}

void DiscScanState::setCurrentFolder(const QString& folder)
{
    std::lock_guard lock(m_mutex);
    m_folder = folder;
}

QList<DiscRow> scanImageFolders(const QStringList& folders, DiscScanState& state)
{
    QList<DiscRow> rows;
    Scanner scanner(state, rows);
    for (const QString& folder : folders) {
        if (state.cancelled())
            break;
        rows.append({folder, QString(), -1});
        scanner.scanRoot(folder);
    }
    return rows;
}

QStringList catalogueLines(const QList<DiscRow>& rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const DiscRow& r : rows)
        lines << r.name + kListSeparator + r.path + kListSeparator + QString::number(r.isHeader() ? -1 : r.sizeMb);
    return lines;
}

QList<DiscRow> catalogueOfLines(const QStringList& lines)
{
    QList<DiscRow> rows;
    if (lines.isEmpty() || !lines.first().contains(kListSeparator))
        return rows;
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        const QString path = field(line, 2);
        bool ok = false;
        const qint64 size = field(line, 3).toLongLong(&ok);
        if (path.isEmpty())
            rows.append({field(line, 1), QString(), -1});
        else
            rows.append({field(line, 1), path, ok && size >= 0 ? size : 0});
    }
    return rows;
}

QList<DiscRow> loadCatalogue(const QString& path)
{
    return catalogueOfLines(loadListLines(path).lines);
}

bool saveCatalogue(const QString& path, const QList<DiscRow>& rows)
{
    return saveListLines(path, catalogueLines(rows));
}

QString catalogueCaption(const QList<DiscRow>& rows)
{
    qint64 count = 0, megabytes = 0;
    for (const DiscRow& r : rows)
        if (!r.isHeader()) {
            ++count;
            megabytes += r.sizeMb;
        }
    return QStringLiteral("Klony [%1 CD/DVD = %2 MB]").arg(count).arg(megabytes);
}

QString catalogueText(const QList<DiscRow>& rows)
{
    QStringList lines;
    for (const DiscRow& r : rows) {
        if (r.isHeader()) {
            if (!lines.isEmpty())
                lines << QString();
            lines << r.name;
        } else {
            lines << QStringLiteral("%1 - %2 MB").arg(r.name).arg(r.sizeMb);
        }
    }
    return lines.join(QStringLiteral("\r\n"));
}

int imageNumber(const QList<DiscRow>& rows, int row)
{
    int n = 0;
    for (int i = 0; i <= row && i < rows.size(); ++i)
        if (!rows[i].isHeader())
            ++n;
    return n;
}

} // namespace zorvex

#include "platform/desktop/DesktopIcons.h"

#include "core/common/AtomicFile.h"
#include "core/common/DataFile.h"
#include "core/desktop/DesktopIconFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace zorvex {
namespace {

constexpr int kProgramWaitMs = 10000;

// Runs a program to its end (off the interface thread); its output, or
// nullopt when it could not run or failed.
std::optional<QString> runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(kProgramWaitMs) || !process.waitForFinished(kProgramWaitMs)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

class Unavailable : public DesktopIcons {
public:
    bool available() const override { return false; }
    std::optional<QList<IconPosition>> icons() override { return std::nullopt; }
    QString moveIcons(const QList<IconPosition>&) override { return QStringLiteral("Pulpit nie udostępnia pozycji ikon."); }
};

class GioIcons : public DesktopIcons {
public:
    GioIcons(const QString& folder, const QString& attribute)
        : m_folder(folder)
        , m_attribute(attribute)
        , m_gio(QStandardPaths::findExecutable(QStringLiteral("gio")))
    {
    }

    bool available() const override { return !m_gio.isEmpty() && QFileInfo(m_folder).isDir(); }

    std::optional<QList<IconPosition>> icons() override
    {
        if (!available())
            return std::nullopt;
        QList<IconPosition> icons;
        const QStringList names = QDir(m_folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            const std::optional<QString> info =
                runProgram(m_gio, {QStringLiteral("info"), QStringLiteral("-a"), m_attribute, QDir(m_folder).filePath(name)});
            if (!info)
                continue;
            // An icon the desktop has not placed yet has no position to keep.
            if (const std::optional<QPoint> at = gioInfoIconPosition(*info, m_attribute))
                icons.append({name, *at});
        }
        return icons;
    }

    QString moveIcons(const QList<IconPosition>& moves) override
    {
        QStringList failed;
        for (const IconPosition& icon : moves) {
            const QString path = QDir(m_folder).filePath(icon.caption);
            if (!runProgram(m_gio, {QStringLiteral("set"), QStringLiteral("-t"), QStringLiteral("string"), path,
                                    m_attribute, gioIconPosition(icon.position)}))
                failed << icon.caption;
        }
        if (failed.isEmpty())
            return {};
        return QStringLiteral("Nie udało się przesunąć ikon: ") + failed.join(QStringLiteral(", "));
    }

private:
    QString m_folder;
    QString m_attribute;
    QString m_gio;
};

// A desktop whose places are one file: read it, rewrite it atomically.
class FileIcons : public DesktopIcons {
public:
    explicit FileIcons(const QString& file)
        : m_file(file)
    {
    }

    bool available() const override { return QFileInfo(m_file).isFile(); }

    std::optional<QList<IconPosition>> icons() override
    {
        const FileRead read = readDataFile(m_file);
        if (!read.read())
            return std::nullopt;
        return parse(read.bytes);
    }

    QString moveIcons(const QList<IconPosition>& moves) override
    {
        const FileRead read = readDataFile(m_file);
        if (!read.read())
            return fileReadProblem(m_file, read.status);
        before();
        QString error;
        if (!writeFileAtomically(m_file, write(read.bytes, moves), &error))
            error = QStringLiteral("Nie można zapisać pliku ") + m_file + QStringLiteral(": ") + error;
        after();
        return error;
    }

protected:
    virtual QList<IconPosition> parse(const QByteArray& bytes) const = 0;
    virtual QByteArray write(const QByteArray& bytes, const QList<IconPosition>& moves) const = 0;
    virtual void before() {}
    virtual void after() {}

private:
    QString m_file;
};

class PcmanfmIcons : public FileIcons {
public:
    using FileIcons::FileIcons;

protected:
    QList<IconPosition> parse(const QByteArray& bytes) const override { return readPcmanfmItems(bytes); }
    QByteArray write(const QByteArray& bytes, const QList<IconPosition>& moves) const override
    {
        return writePcmanfmItems(bytes, moves);
    }
    // The running desktop keeps its own places and would write them back.
    void before() override { runProgram(QStringLiteral("pcmanfm-qt"), {QStringLiteral("--desktop-off")}); }
    void after() override { QProcess::startDetached(QStringLiteral("pcmanfm-qt"), {QStringLiteral("--desktop")}); }
};

class XfceIcons : public FileIcons {
public:
    using FileIcons::FileIcons;

protected:
    QList<IconPosition> parse(const QByteArray& bytes) const override { return readXfceIcons(bytes); }
    QByteArray write(const QByteArray& bytes, const QList<IconPosition>& moves) const override
    {
        return writeXfceIcons(bytes, moves);
    }
    void after() override { runProgram(QStringLiteral("xfdesktop"), {QStringLiteral("--reload")}); }
};

QStringList runningPrograms()
{
    QStringList names;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids) {
        if (!pid.front().isDigit())
            continue;
        const FileRead comm = readDataFile(QStringLiteral("/proc/") + pid + QStringLiteral("/comm"));
        if (comm.read())
            names << QString::fromUtf8(comm.bytes).trimmed();
    }
    names.removeDuplicates();
    return names;
}

// The newest of the files matching `pattern` in `folder`.
QString newestFile(const QString& folder, const QString& pattern)
{
    const QFileInfoList files = QDir(folder).entryInfoList({pattern}, QDir::Files, QDir::Time);
    return files.isEmpty() ? QString() : files.first().absoluteFilePath();
}

} // namespace

std::unique_ptr<DesktopIcons> makeGioDesktopIcons(const QString& desktopFolder, const QString& attribute)
{
    return std::make_unique<GioIcons>(desktopFolder, attribute);
}

std::unique_ptr<DesktopIcons> makePcmanfmDesktopIcons(const QString& itemsFile)
{
    return std::make_unique<PcmanfmIcons>(itemsFile);
}

std::unique_ptr<DesktopIcons> makeXfceDesktopIcons(const QString& iconFile)
{
    return std::make_unique<XfceIcons>(iconFile);
}

std::unique_ptr<DesktopIcons> makeDesktopIcons()
{
    const QString desktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    switch (detectIconDesktop(qEnvironmentVariable("XDG_CURRENT_DESKTOP"), runningPrograms())) {
    case IconDesktop::Nemo: return makeGioDesktopIcons(desktopFolder, QStringLiteral("metadata::nemo-icon-position"));
    case IconDesktop::Caja: return makeGioDesktopIcons(desktopFolder, QStringLiteral("metadata::caja-icon-position"));
    case IconDesktop::PcmanfmQt: {
        QString file;
        for (const char* profile : {"lxqt", "default"}) {
            file = newestFile(config + QStringLiteral("/pcmanfm-qt/") + QLatin1String(profile),
                              QStringLiteral("desktop-items-*.conf"));
            if (!file.isEmpty())
                break;
        }
        if (!file.isEmpty())
            return makePcmanfmDesktopIcons(file);
        break;
    }
    case IconDesktop::Xfce: {
        const QString file = newestFile(config + QStringLiteral("/xfce4/desktop"), QStringLiteral("icons.screen*.rc"));
        if (!file.isEmpty())
            return makeXfceDesktopIcons(file);
        break;
    }
    case IconDesktop::None: break;
    }
    return std::make_unique<Unavailable>();
}

} // namespace zorvex

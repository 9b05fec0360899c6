#include "platform/internet/DesktopIntegration.h"

#include "core/common/AtomicFile.h"
#include "core/common/DataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace zorvex {
namespace {

const QString kFileName = QStringLiteral("zorvex.desktop");

struct OwnType {
    const char* type;
    const char* pattern;
    const char* comment;
};
constexpr OwnType kBackup{kBackupMimeType, "*.zvx", "Kopia zapasowa ustawień Zorvex"};
constexpr OwnType kAddon{kAddonMimeType, "*.zvxd", "Rozszerzenie Zorvex"};

bool isOwnType(QStringView type)
{
    return type == QLatin1String(kBackupMimeType) || type == QLatin1String(kAddonMimeType);
}

// Writes a file only when its content changes; true when it did.
bool writeIfChanged(const QString& path, const QByteArray& bytes)
{
    const FileRead old = readDataFile(path);
    if (old.read() && old.bytes == bytes)
        return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return writeFileAtomically(path, bytes);
}

bool removeIfThere(const QString& path)
{
    return QFileInfo::exists(path) && QFile::remove(path);
}

QString xmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString desktopValue(const QByteArray& bytes, const QString& key)
{
    for (const QByteArray& line : bytes.split('\n')) {
        const QString l = QString::fromUtf8(line).trimmed();
        if (l.startsWith(key + QLatin1Char('=')))
            return l.mid(key.size() + 1);
    }
    return {};
}

} // namespace

ProgramStarter detachedProgramStarter()
{
    return [](const QString& program, const QStringList& arguments) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty())
            QProcess::startDetached(path, arguments);
    };
}

QString desktopExec(const QStringList& command)
{
    QStringList out;
    for (const QString& arg : command) {
        static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
        const bool quote = arg.isEmpty() || std::any_of(arg.cbegin(), arg.cend(), [](QChar c) { return reserved.contains(c); });
        QString a = arg;
        // A literal "%" is written "%%" in any case.
        a.replace(QLatin1Char('%'), QLatin1String("%%"));
        if (quote) {
            QString q;
            for (QChar c : std::as_const(a)) {
                if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                    q += QLatin1Char('\\');
                q += c;
            }
            a = QLatin1Char('"') + q + QLatin1Char('"');
        }
        out << a;
    }
    // The string escapes of the format apply before the quoting: every
    // backslash is written twice.
    return out.join(QLatin1Char(' ')).replace(QLatin1Char('\\'), QLatin1String("\\\\"));
}

XdgDesktopIntegration::XdgDesktopIntegration(QStringList command, Places places, ProgramStarter start)
    : m_command(std::move(command))
    , m_places(std::move(places))
    , m_start(std::move(start))
{
}

XdgDesktopIntegration::Places XdgDesktopIntegration::environmentPlaces()
{
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString home = QDir::homePath();
    Places p;
    p.dataHome = env.value(QStringLiteral("XDG_DATA_HOME"));
    if (p.dataHome.isEmpty())
        p.dataHome = home + QStringLiteral("/.local/share");
    p.configHome = env.value(QStringLiteral("XDG_CONFIG_HOME"));
    if (p.configHome.isEmpty())
        p.configHome = home + QStringLiteral("/.config");
    QString dirs = env.value(QStringLiteral("XDG_DATA_DIRS"));
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    p.dataDirs = dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return p;
}

QString XdgDesktopIntegration::desktopFilePath() const
{
    return m_places.dataHome + QStringLiteral("/applications/") + kFileName;
}

QString XdgDesktopIntegration::mimePackagePath() const
{
    return m_places.dataHome + QStringLiteral("/mime/packages/zorvex.xml");
}

QString XdgDesktopIntegration::autostartPath() const
{
    return m_places.configHome + QStringLiteral("/autostart/") + kFileName;
}

QString XdgDesktopIntegration::execLine() const
{
    return desktopExec(m_command);
}

QString XdgDesktopIntegration::foreignTypeOf(const QString& pattern) const
{
    QStringList folders{m_places.dataHome};
    folders += m_places.dataDirs;
    for (const QString& folder : folders) {
        const FileRead globs = readDataFile(folder + QStringLiteral("/mime/globs2"));
        if (!globs.read())
            continue;
        // "weight:type:pattern[:flags]"
        for (const QByteArray& line : globs.bytes.split('\n')) {
            const QList<QByteArray> fields = line.split(':');
            if (fields.size() < 3 || line.startsWith('#'))
                continue;
            const QString type = QString::fromUtf8(fields[1]);
            if (QString::fromUtf8(fields[2]).compare(pattern, Qt::CaseInsensitive) == 0 && !isOwnType(type))
                return type;
        }
    }
    return {};
}

void XdgDesktopIntegration::registerTypes(bool backups, bool addons)
{
    QStringList mimeTypes;
    QString definitions;
    for (const auto& [own, wanted] : {std::pair{kBackup, backups}, std::pair{kAddon, addons}}) {
        if (!wanted)
            continue;
        const QString foreign = foreignTypeOf(QString::fromLatin1(own.pattern));
        if (!foreign.isEmpty()) {
            // Another program's type keeps its name; we open it as well.
            mimeTypes << foreign;
            continue;
        }
        mimeTypes << QString::fromLatin1(own.type);
        definitions += QStringLiteral("  <mime-type type=\"") + QLatin1String(own.type) + QStringLiteral("\">\n")
            + QStringLiteral("    <comment>") + xmlEscaped(QString::fromUtf8(own.comment)) + QStringLiteral("</comment>\n")
            + QStringLiteral("    <glob pattern=\"") + QLatin1String(own.pattern) + QStringLiteral("\"/>\n")
            + QStringLiteral("  </mime-type>\n");
    }
    mimeTypes << QString::fromLatin1(kLinkMimeType);

    bool mimeChanged = false;
    if (definitions.isEmpty()) {
        mimeChanged = removeIfThere(mimePackagePath());
    } else {
        const QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n")
            + definitions + QStringLiteral("</mime-info>\n");
        mimeChanged = writeIfChanged(mimePackagePath(), xml.toUtf8());
    }

    const QString desktop = QStringLiteral("[Desktop Entry]\n"
                                           "Type=Application\n"
                                           "Name=Zorvex\n"
                                           "GenericName=Kalendarz\n"
                                           "Comment=Kalendarz z przypomnieniami i dodatkami\n"
                                           "Exec=")
        + execLine() + QStringLiteral(" %u\n"
                                      "Icon=zorvex\n"
                                      "Terminal=false\n"
                                      "NoDisplay=true\n"
                                      "Categories=Office;Calendar;\n"
                                      "MimeType=")
        + mimeTypes.join(QLatin1Char(';')) + QStringLiteral(";\n");
    const bool desktopChanged = writeIfChanged(desktopFilePath(), desktop.toUtf8());

    if (mimeChanged)
        m_start(QStringLiteral("update-mime-database"), {m_places.dataHome + QStringLiteral("/mime")});
    if (desktopChanged)
        m_start(QStringLiteral("update-desktop-database"), {m_places.dataHome + QStringLiteral("/applications")});
}

bool XdgDesktopIntegration::autostartEnabled() const
{
    const FileRead entry = readDataFile(autostartPath());
    return entry.read() && desktopValue(entry.bytes, QStringLiteral("Hidden")) != QLatin1String("true");
}

void XdgDesktopIntegration::setAutostart(bool on)
{
    if (!on) {
        removeIfThere(autostartPath());
        return;
    }
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Zorvex\n"
                                         "Exec=")
        + execLine() + QStringLiteral("\n"
                                      "Icon=zorvex\n"
                                      "Terminal=false\n"
                                      "X-GNOME-Autostart-enabled=true\n");
    writeIfChanged(autostartPath(), entry.toUtf8());
}

void XdgDesktopIntegration::refreshAutostart()
{
    const FileRead entry = readDataFile(autostartPath());
    if (entry.read() && desktopValue(entry.bytes, QStringLiteral("Exec")) != execLine())
        setAutostart(true);
}

} // namespace zorvex

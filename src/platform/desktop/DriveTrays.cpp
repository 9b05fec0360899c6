#include "platform/desktop/DriveTrays.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zorvex {
namespace {

// Letters D..Z: A to C were never CD/DVD drives on the original.
constexpr int kFirstLetter = 'D';
constexpr int kMaxDrives = 'Z' - kFirstLetter + 1;

void moveTrayNow(const QString& device, bool open)
{
    const int fd = ::open(QFile::encodeName(device).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    const int status = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    if (open && status != CDS_TRAY_OPEN) {
        ::ioctl(fd, CDROM_LOCKDOOR, 0);
        ::ioctl(fd, CDROMEJECT, 0);
    } else if (!open && status == CDS_TRAY_OPEN) {
        ::ioctl(fd, CDROMCLOSETRAY, 0);
    }
    ::close(fd);
}

// udev writes unusual bytes of a label as "\xNN".
QString decodeUdevLabel(const QString& name)
{
    QByteArray out;
    const QByteArray in = QFile::encodeName(name);
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int byte = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += char(byte);
                i += 3;
                continue;
            }
        }
        out += in[i];
    }
    return QString::fromUtf8(out);
}

} // namespace

QChar opticalDriveLetter(int number)
{
    return number >= 0 && number < kMaxDrives ? QChar(char16_t(kFirstLetter + number)) : QChar();
}

LinuxDriveTrays::LinuxDriveTrays()
    : m_sysroot(qEnvironmentVariable("ZORVEX_SYSROOT"))
{
    m_pool.setMaxThreadCount(1);
}

LinuxDriveTrays::~LinuxDriveTrays()
{
    m_pool.waitForDone(10000);
}

QList<OpticalDrive> LinuxDriveTrays::drives() const
{
    static const QRegularExpression name(QStringLiteral("^sr(\\d+)$"));
    QList<std::pair<int, OpticalDrive>> found;
    const QStringList entries = QDir(m_sysroot + QStringLiteral("/sys/class/block")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QRegularExpressionMatch m = name.match(entry);
        if (!m.hasMatch())
            continue;
        const int n = m.captured(1).toInt();
        const QChar letter = opticalDriveLetter(n);
        if (!letter.isNull())
            found.append({n, {letter, QStringLiteral("/dev/") + entry}});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<OpticalDrive> drives;
    for (const auto& [n, d] : found)
        drives << d;
    return drives;
}

void LinuxDriveTrays::moveTray(QChar letter, bool open)
{
    for (const OpticalDrive& d : drives())
        if (d.letter == letter) {
            const QString device = d.device;
            m_pool.start([device, open] { moveTrayNow(device, open); });
        }
}

QString LinuxDriveTrays::discLabel(QChar letter) const
{
    QString device;
    for (const OpticalDrive& d : drives())
        if (d.letter == letter)
            device = d.device;
    if (device.isEmpty())
        return {};
    const QDir labels(m_sysroot + QStringLiteral("/dev/disk/by-label"));
    for (const QFileInfo& link : labels.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (QFileInfo(link.symLinkTarget()).fileName() == QFileInfo(device).fileName())
            return decodeUdevLabel(link.fileName());
    return {};
}

} // namespace zorvex

#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QThreadPool>

namespace zorvex {

// A CD/DVD drive as the tray hot keys know it: a letter of its own (D for
// the first drive, E for the next, as they would be on the original) and
// its device.
struct OpticalDrive {
    QChar letter;
    QString device; // /dev/srN
    bool operator==(const OpticalDrive&) const = default;
};

// The drives' trays. Injected, so no test ever moves a real tray; tests use
// FakeDriveTrays.
class DriveTrays {
public:
    virtual ~DriveTrays() = default;
    virtual QList<OpticalDrive> drives() const = 0;
    // Opens or closes the tray and returns at once; a drive without a tray
    // mechanism, or without a disc it may eject, does nothing.
    virtual void moveTray(QChar letter, bool open) = 0;
    // The label of the disc in the drive, empty when there is none.
    virtual QString discLabel(QChar letter) const = 0;
};

// /sys/class/block/sr* (below ZORVEX_SYSROOT when set) and the CD-ROM
// ioctls on the device, on a thread of their own: a tray takes seconds.
class LinuxDriveTrays : public DriveTrays {
public:
    LinuxDriveTrays();
    ~LinuxDriveTrays() override;
    QList<OpticalDrive> drives() const override;
    void moveTray(QChar letter, bool open) override;
    QString discLabel(QChar letter) const override;

private:
    QString m_sysroot;
    QThreadPool m_pool; // one thread: moves run in the order asked
};

// The letter of /dev/srN.
QChar opticalDriveLetter(int number);

} // namespace zorvex

#pragma once

#include <QString>

namespace zorvex {

// Services of the desktop session the program asks for now and then. The
// application is given the Linux ones; tests a fake that records.
class SystemServices {
public:
    virtual ~SystemServices() = default;
    // The login name of the process owner; empty when it is not known.
    virtual QString loginName() const = 0;
    // The command that opens the desktop's mail client.
    virtual QString defaultMailProgram() const = 0;
    // Returns freed heap to the system (after hiding, after a save).
    virtual void trimWorkingSet() = 0;
    // The desktop's "information" event sound, in the background.
    virtual void playInformationSound() = 0;
};

// The passwd entry (else $USER), xdg-email, malloc_trim, and the
// freedesktop sound theme through canberra-gtk-play when it is installed.
class LinuxSystemServices final : public SystemServices {
public:
    QString loginName() const override;
    QString defaultMailProgram() const override;
    void trimWorkingSet() override;
    void playInformationSound() override;
};

} // namespace zorvex

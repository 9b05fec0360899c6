#pragma once

#include "platform/desktop/DriveTrays.h"
#include "platform/desktop/GlobalHotKeys.h"

#include <QMap>

namespace zorvex {

// Drives as the test gives them; every tray move is recorded, none happens.
class FakeDriveTrays : public DriveTrays {
public:
    struct Move {
        QChar letter;
        bool open;
        bool operator==(const Move&) const = default;
    };

    QList<OpticalDrive> drives() const override { return driveList; }
    void moveTray(QChar letter, bool open) override { moves.append({letter, open}); }
    QString discLabel(QChar letter) const override { return labels.value(letter); }

    QList<OpticalDrive> driveList;
    QMap<QChar, QString> labels;
    QList<Move> moves;
};

// Hot keys the test presses itself through press().
class FakeGlobalHotKeys : public GlobalHotKeys {
public:
    bool available() const override { return isAvailable; }
    QList<HotKeyCombo> setHotKeys(const QList<HotKeyCombo>& combos) override
    {
        registered = combos;
        ++registrations;
        return refuse;
    }
    void press(HotKeyCombo combo)
    {
        if (registered.contains(combo))
            emit pressed(combo);
    }

    bool isAvailable = true;
    QList<HotKeyCombo> registered;
    QList<HotKeyCombo> refuse;
    int registrations = 0;
};

} // namespace zorvex

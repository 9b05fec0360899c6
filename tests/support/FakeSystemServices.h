#pragma once

#include "platform/SystemServices.h"

#include <QStringList>

namespace zorvex {

// Answers with fixed texts and records what it was asked to do.
class FakeSystemServices final : public SystemServices {
public:
    QString login = QStringLiteral("ala");
    QString mailProgram = QStringLiteral("xdg-email");
    QStringList calls;

    QString loginName() const override { return login; }
    QString defaultMailProgram() const override { return mailProgram; }
    void trimWorkingSet() override { calls << QStringLiteral("trimWorkingSet"); }
    void playInformationSound() override { calls << QStringLiteral("playInformationSound"); }
};

} // namespace zorvex

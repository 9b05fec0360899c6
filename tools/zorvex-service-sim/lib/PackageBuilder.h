#pragma once

#include "SimData.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace zorvex::sim {

// Builds the add-on package "dodatki/NAME.zvxd" with the program's archive
// code: from the folder "dodatki/NAME/", whose tree holds the package's
// folder paths ("Gfx/Zodiak/<set>/…", "Godziny/<set>/…"), or from
// "dodatki/NAME.txt", naming such folders (one a line) to put into one
// package together. nullopt when there is no such package or it cannot be
// built (`error` then says why).
std::optional<QByteArray> buildPackage(const SimData& data, const QString& name, QString* error = nullptr);

} // namespace zorvex::sim

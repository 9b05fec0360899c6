#pragma once

#include "core/shell/LoopServices.h"

#include <QDate>
#include <QString>

#include <functional>
#include <vector>

namespace zorvex {

class LoopRegistry;

struct ShutdownStep {
    QString name;
    std::function<void()> run;
};

struct ShutdownFailure {
    QString step;
    QString message;
    // One line for the error output.
    QString text() const;
};

// The name a step has in the error output ("saveSettings", ...).
QString shutdownStepName(ShutdownStepId step);

// The orderly shutdown in its order: each registered service at each step.
// After a settings backup was restored the whole saving sequence between
// stopping the timers and the end is left out, so the restored files
// survive. `today` is the date the day's counters are added to.
std::vector<ShutdownStep> shutdownSteps(const LoopRegistry& services, const QDate& today, bool restoredBackup);

// Runs each step in its own guard: a step that throws is reported and the
// next one runs all the same, so one broken feature cannot cost the day's
// counters or the settings.
std::vector<ShutdownFailure> runShutdown(const LoopRegistry& services, const QDate& today, bool restoredBackup);
std::vector<ShutdownFailure> runShutdownSteps(const std::vector<ShutdownStep>& steps);

} // namespace zorvex

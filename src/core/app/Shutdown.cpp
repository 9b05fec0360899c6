#include "core/app/Shutdown.h"

#include "core/app/LoopRegistry.h"

#include <exception>

namespace zorvex {

QString ShutdownFailure::text() const
{
    return QStringLiteral("Błąd podczas zamykania programu (%1): %2").arg(step, message);
}

QString shutdownStepName(ShutdownStepId step)
{
    switch (step) {
    case ShutdownStepId::MarkClosing: return QStringLiteral("markClosing");
    case ShutdownStepId::UnloadSchemeFonts: return QStringLiteral("unloadSchemeFonts");
    case ShutdownStepId::StopTimers: return QStringLiteral("stopTimers");
    case ShutdownStepId::SavePlaylistResumePoint: return QStringLiteral("savePlaylistResumePoint");
    case ShutdownStepId::SaveSettings: return QStringLiteral("saveSettings");
    case ShutdownStepId::CloseSecondaryWindows: return QStringLiteral("closeSecondaryWindows");
    case ShutdownStepId::CommitMouseDistance: return QStringLiteral("commitMouseDistance");
    case ShutdownStepId::CommitTraffic: return QStringLiteral("commitTraffic");
    case ShutdownStepId::DeleteAutosave: return QStringLiteral("deleteAutosave");
    case ShutdownStepId::WriteExitValues: return QStringLiteral("writeExitValues");
    case ShutdownStepId::AbortNetworkWork: return QStringLiteral("abortNetworkWork");
    case ShutdownStepId::UnregisterHotKeys: return QStringLiteral("unregisterHotKeys");
    case ShutdownStepId::StopRecording: return QStringLiteral("stopRecording");
    case ShutdownStepId::EndApplication: return QStringLiteral("endApplication");
    }
    return {};
}

std::vector<ShutdownStep> shutdownSteps(const LoopRegistry& services, const QDate& today, bool restoredBackup)
{
    std::vector<ShutdownStep> steps;
    for (int i = 0; i < kShutdownStepCount; ++i) {
        const auto id = ShutdownStepId(i);
        const bool saving = id >= ShutdownStepId::SavePlaylistResumePoint && id < ShutdownStepId::EndApplication;
        if (saving && restoredBackup)
            continue;
        for (ShutdownService* s : services.shutdown(id))
            steps.push_back({shutdownStepName(id), [s, id, today] { s->shutdownStep(id, today); }});
    }
    return steps;
}

std::vector<ShutdownFailure> runShutdownSteps(const std::vector<ShutdownStep>& steps)
{
    std::vector<ShutdownFailure> failures;
    for (const ShutdownStep& step : steps) {
        try {
            step.run();
        } catch (const std::exception& e) {
            failures.push_back({step.name, QString::fromLocal8Bit(e.what())});
        } catch (...) {
            failures.push_back({step.name, QStringLiteral("nieznany błąd")});
        }
    }
    return failures;
}

std::vector<ShutdownFailure> runShutdown(const LoopRegistry& services, const QDate& today, bool restoredBackup)
{
    return runShutdownSteps(shutdownSteps(services, today, restoredBackup));
}

} // namespace zorvex

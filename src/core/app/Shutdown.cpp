#include "core/app/Shutdown.h"

#include "core/app/MainLoopHooks.h"

#include <exception>

namespace zorvex {

QString ShutdownFailure::text() const
{
    return QStringLiteral("Błąd podczas zamykania programu (%1): %2").arg(step, message);
}

std::vector<ShutdownStep> shutdownSteps(ShellHooks& hooks, const QDate& today, bool restoredBackup)
{
    ShellHooks* h = &hooks;
    std::vector<ShutdownStep> steps = {
        {QStringLiteral("markClosing"), [h] { h->markClosing(); }},
        {QStringLiteral("unloadSchemeFonts"), [h] { h->unloadSchemeFonts(); }},
        {QStringLiteral("stopTimers"), [h] { h->stopTimers(); }},
    };
    if (!restoredBackup) {
        const std::vector<ShutdownStep> saving = {
            {QStringLiteral("savePlaylistResumePoint"),
             [h] {
                 if (h->playlistPlaying() && h->playlistResumeOn())
                     h->savePlaylistResumePoint();
             }},
            {QStringLiteral("saveSettings"),
             [h] {
                 if (h->toolsWindowShowing())
                     h->saveSettings();
             }},
            {QStringLiteral("closeSecondaryWindows"), [h] { h->closeSecondaryWindows(); }},
            {QStringLiteral("commitMouseDistance"),
             [h, today] {
                 if (h->mouseOdometerOn())
                     h->commitMouseDistance(today);
             }},
            {QStringLiteral("commitTraffic"),
             [h, today] {
                 if (h->trafficStatisticOn())
                     h->commitTraffic(today);
             }},
            {QStringLiteral("deleteAutosave"), [h] { h->deleteAutosave(); }},
            {QStringLiteral("writeExitValues"), [h] { h->writeExitValues(); }},
            {QStringLiteral("abortNetworkWork"), [h] { h->abortNetworkWork(); }},
            {QStringLiteral("unregisterHotKeys"), [h] { h->unregisterHotKeys(); }},
            {QStringLiteral("stopRecording"), [h] { h->stopRecording(); }},
        };
        steps.insert(steps.end(), saving.begin(), saving.end());
    }
    steps.push_back({QStringLiteral("endApplication"), [h] { h->endApplication(); }});
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

std::vector<ShutdownFailure> runShutdown(ShellHooks& hooks, const QDate& today, bool restoredBackup)
{
    return runShutdownSteps(shutdownSteps(hooks, today, restoredBackup));
}

} // namespace zorvex

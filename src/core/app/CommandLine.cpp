#include "core/app/CommandLine.h"

namespace zorvex {

ProgramOptions parseProgramOptions(const QStringList& args)
{
    ProgramOptions out;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto takeValue = [&](QString* target) {
            if (i + 1 < args.size()) {
                *target = args[++i];
            } else {
                out.error = QStringLiteral("Brak wartości opcji ") + a;
            }
        };
        auto takeInline = [&](const QString& prefix, QString* target) {
            if (a.startsWith(prefix + QLatin1Char('='))) {
                *target = a.mid(prefix.size() + 1);
                return true;
            }
            return false;
        };
        if (a == QLatin1String("--data-dir"))
            takeValue(&out.dataDir);
        else if (a == QLatin1String("--screenshot"))
            takeValue(&out.screenshot);
        else if (a == QLatin1String("--tools"))
            takeValue(&out.toolsPage);
        else if (takeInline(QStringLiteral("--data-dir"), &out.dataDir)
                 || takeInline(QStringLiteral("--screenshot"), &out.screenshot)
                 || takeInline(QStringLiteral("--tools"), &out.toolsPage))
            continue;
        else
            out.arguments << a;
    }
    return out;
}

bool containsHttp(const QString& text)
{
    return text.contains(QLatin1String("http://"), Qt::CaseInsensitive);
}

bool hasPackageExtension(const QString& path)
{
    return path.endsWith(QLatin1String(".zvx"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".zvxd"), Qt::CaseInsensitive);
}

bool shouldHandOff(const QStringList& arguments, const FileExists& exists)
{
    if (arguments.size() != 1)
        return false;
    const QString& a = arguments.front();
    const bool http = containsHttp(a);
    return (http || exists(a)) && (http || hasPackageExtension(a));
}

QString pendingCommandLinePath(const QStringList& arguments, const FileExists& exists)
{
    if (arguments.size() != 1)
        return {};
    const QString& a = arguments.front();
    return exists(a) && hasPackageExtension(a) ? a : QString();
}

bool isUpdatedArgument(const QStringList& arguments)
{
    return arguments.size() == 1 && arguments.front() == QLatin1String("updated");
}

InstanceOutcome decideInstance(bool anotherRunning, bool blokuj)
{
    if (!blokuj)
        return {anotherRunning ? InstanceDecision::RunWithPermission : InstanceDecision::Run, true};
    return {anotherRunning ? InstanceDecision::ExitSilently : InstanceDecision::Run, false};
}

InstallKind classifyInstallText(const QString& text)
{
    if (text.endsWith(QLatin1String(".zvx"), Qt::CaseInsensitive))
        return InstallKind::SettingsBackup;
    if (text.endsWith(QLatin1String(".zvxd"), Qt::CaseInsensitive))
        return InstallKind::AddonPackage;
    if (text.size() > 7 && text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        return InstallKind::RadioStream;
    return InstallKind::Ignored;
}

} // namespace zorvex

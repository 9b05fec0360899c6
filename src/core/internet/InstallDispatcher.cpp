#include "core/internet/InstallDispatcher.h"

#include "core/common/Cp1250.h"
#include "core/common/Text.h"

#include <QUrl>

namespace zorvex {
namespace {

bool endsWithPackageExtension(const QString& path)
{
    return path.endsWith(QLatin1String(".zvx"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".zvxd"), Qt::CaseInsensitive);
}

} // namespace

InstallTextKind installTextKind(const QString& text)
{
    if (text.endsWith(QLatin1String(".zvx"), Qt::CaseInsensitive))
        return InstallTextKind::SettingsBackup;
    if (text.endsWith(QLatin1String(".zvxd"), Qt::CaseInsensitive))
        return InstallTextKind::AddonPackage;
    if (text.size() > 7 && text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        return InstallTextKind::RadioStream;
    return InstallTextKind::Ignored;
}

LinkTarget resolveZvxLink(const QString& argument)
{
    // Launchers may hand a file over as a "file://" address.
    if (argument.startsWith(QLatin1String("file://"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        return url.isLocalFile() ? LinkTarget{LinkTarget::Kind::Text, url.toLocalFile()} : LinkTarget{};
    }
    if (!argument.startsWith(QLatin1String("zvx:"), Qt::CaseInsensitive))
        return {LinkTarget::Kind::Text, argument};
    QString rest = argument.mid(4);
    if (rest.startsWith(QLatin1String("//")))
        rest = rest.mid(2);
    // Browsers hand links over percent-encoded.
    rest = QUrl::fromPercentEncoding(rest.toUtf8());
    if (rest.startsWith(QLatin1String("file://"), Qt::CaseInsensitive)) {
        const QUrl url(rest);
        return url.isLocalFile() ? LinkTarget{LinkTarget::Kind::Text, url.toLocalFile()} : LinkTarget{};
    }
    const bool web = rest.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || rest.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    if (web) {
        const QUrl url(rest);
        if (url.isValid() && endsWithPackageExtension(url.path()))
            return {LinkTarget::Kind::PackageDownload, rest};
        return {LinkTarget::Kind::Text, rest};
    }
    if (rest.startsWith(QLatin1Char('/')))
        return {LinkTarget::Kind::Text, rest};
    return {};
}

QString radioRecord(const QString& text)
{
    if (text.contains(kListSeparator) && !Field(text, kListSeparator, 2).isEmpty())
        return text;
    return text + kListSeparator + text;
}

InstallDispatcher::InstallDispatcher(AskLater ask, Targets targets)
    : m_ask(std::move(ask))
    , m_targets(std::move(targets))
{
}

void InstallDispatcher::dispatch(const QString& argument, bool assumeYes)
{
    const LinkTarget link = resolveZvxLink(argument);
    switch (link.kind) {
    case LinkTarget::Kind::Nothing:
        return;
    case LinkTarget::Kind::PackageDownload:
        m_targets.downloadPackage(link.text, assumeYes);
        return;
    case LinkTarget::Kind::Text:
        break;
    }
    const QString& text = link.text;
    switch (installTextKind(text)) {
    case InstallTextKind::SettingsBackup: {
        auto restore = m_targets.restoreBackup;
        if (assumeYes) {
            restore(text);
            return;
        }
        m_ask(QString::fromUtf8(kRestoreCaption), QString::fromUtf8(kRestoreQuestion), [restore, text](bool yes) {
            if (yes)
                restore(text);
        });
        return;
    }
    case InstallTextKind::AddonPackage:
        m_targets.installAddon(text, assumeYes);
        return;
    case InstallTextKind::RadioStream:
        m_targets.addRadioStation(radioRecord(text));
        return;
    case InstallTextKind::Ignored:
        return;
    }
}

} // namespace zorvex

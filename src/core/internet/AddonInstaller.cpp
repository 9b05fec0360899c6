#include "core/internet/AddonInstaller.h"

#include "core/common/AtomicFile.h"
#include "core/common/Clock.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/PathTable.h"
#include "core/common/Text.h"
#include "core/internet/UpdateStamps.h"
#include "core/internet/ZlbArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace zorvex {
namespace {

bool renameOver(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Copies a file so that the target is replaced only by a whole copy.
bool copyOver(const QString& from, const QString& to)
{
    const QString temporary = to + QStringLiteral(".zorvex-kopia");
    QFile::remove(temporary);
    if (!QFile::copy(from, temporary))
        return false;
    if (!renameOver(temporary, to)) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}

QString rootText(ZlbArchive& archive, int index, bool* ok)
{
    *ok = true;
    if (index < 0)
        return {};
    QByteArray bytes;
    if (!archive.extractToStream(index, &bytes)) {
        *ok = false;
        return {};
    }
    return decodeFileText(bytes);
}

QStringList lines(const QString& text)
{
    QStringList out;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.isEmpty())
            out << line;
    }
    return out;
}

} // namespace

QString existingSpelling(const QString& base, const QString& relative)
{
    QString done;
    for (const QString& part : relative.split(QLatin1Char('/'))) {
        QString chosen = part;
        const QDir dir(withTrailingSlash(base) + done);
        if (dir.exists()) {
            const QString upper = PolishUpper(part);
            for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
                if (name == part) {
                    chosen = name;
                    break;
                }
                if (PolishUpper(name) == upper)
                    chosen = name;
            }
        }
        done += (done.isEmpty() ? QString() : QStringLiteral("/")) + chosen;
    }
    return done;
}

QString addonRefusalText(const QString& what)
{
    return QStringLiteral("Wybrany plik nie został zainstalowany, ponieważ zawiera plik spoza folderów dodatków:\n")
        + what;
}

AddonInstaller::AddonInstaller(const PathTable& paths, const Clock& clock, Hooks hooks)
    : m_paths(paths)
    , m_clock(clock)
    , m_hooks(std::move(hooks))
{
}

void AddonInstaller::install(const QString& packagePath, bool assumeYes)
{
    if (!QFileInfo(packagePath).isFile()) {
        m_hooks.error(QStringLiteral("Plik nie istnieje: ") + packagePath);
        return;
    }
    ZlbArchive archive;
    archive.setCheckCrc(true);
    if (!archive.openArchive(packagePath)) {
        m_hooks.error(archive.errorString());
        return;
    }
    const AddonPlan plan = planAddonPackage(archive.entries());
    if (!plan.refusal.isEmpty()) {
        m_hooks.error(addonRefusalText(plan.refusal));
        return;
    }
    if (archive.entries().empty() || !plan.hasFolders) {
        m_hooks.information(QString::fromUtf8(kAddonsCaption), QString::fromUtf8(kNoAddonsText));
        return;
    }
    bool ok = false;
    const QString compositionText = rootText(archive, plan.compositionsEntry, &ok);
    if (!ok) {
        m_hooks.error(archive.errorString());
        return;
    }
    const QString copiesText = rootText(archive, plan.copiesEntry, &ok);
    if (!ok) {
        m_hooks.error(archive.errorString());
        return;
    }
    QList<AddonCopy> copies;
    QString refusal;
    if (!parseAddonCopies(copiesText, &copies, &refusal)) {
        m_hooks.error(addonRefusalText(refusal));
        return;
    }
    if (plan.items.isEmpty())
        return;
    // Every entry's data is read and its CRC checked before the question, so
    // a damaged package writes nothing.
    for (int index : plan.extract) {
        if (!archive.testEntry(index)) {
            m_hooks.error(archive.errorString());
            return;
        }
    }
    archive.closeArchive();

    const QStringList compositions = parseAddonCompositions(compositionText, m_clock.now().toSecsSinceEpoch());
    if (assumeYes) {
        apply(packagePath, plan, copies, compositions);
        return;
    }
    m_hooks.ask(QString::fromUtf8(kAddonsCaption), addonQuestion(plan.items, compositions),
                [this, packagePath, plan, copies, compositions](bool yes) {
                    if (yes)
                        apply(packagePath, plan, copies, compositions);
                });
}

void AddonInstaller::apply(const QString& packagePath, const AddonPlan& plan, const QList<AddonCopy>& copies,
                           const QStringList& compositions)
{
    m_hooks.busy(true);
    const QString data = m_paths.dataFolder();
    ZlbArchive archive;
    archive.setCheckCrc(true);
    archive.setExtractWithPaths(true);
    // The package may have changed since the question: everything is read
    // and checked again.
    if (!archive.openArchive(packagePath)) {
        m_hooks.busy(false);
        m_hooks.error(archive.errorString());
        return;
    }
    const AddonPlan now = planAddonPackage(archive.entries());
    if (!now.refusal.isEmpty() || now.extract != plan.extract) {
        m_hooks.busy(false);
        m_hooks.error(QString::fromUtf8("Wybrany plik jest uszkodzony! Jeśli był pobrany z internetu, ściągnij go ponownie!"));
        return;
    }

    QStringList skip;
    for (int i = 0; i < int(archive.entries().size()); ++i) {
        if (std::find(plan.extract.cbegin(), plan.extract.cend(), i) == plan.extract.cend())
            skip << archive.entries()[size_t(i)].fullName();
    }
    QTemporaryDir staging(data + QStringLiteral(".zorvex-dodatek-XXXXXX"));
    if (!staging.isValid() || !archive.extractAll(staging.path(), skip)) {
        m_hooks.busy(false);
        m_hooks.error(staging.isValid() ? archive.errorString()
                                        : QStringLiteral("Nie można zapisać plików w folderze: ") + data);
        return;
    }
    for (size_t k = 0; k < plan.extract.size(); ++k) {
        const ZlbEntry& e = archive.entries()[size_t(plan.extract[k])];
        const QString staged = extractionFolder(staging.path(), e, true) + QLatin1Char('/') + e.fileName;
        const QString target = data + existingSpelling(data, plan.targets[qsizetype(k)]);
        // A file that cannot be replaced is skipped.
        if (QDir().mkpath(QFileInfo(target).absolutePath()))
            renameOver(staged, target);
    }
    for (const AddonCopy& c : copies) {
        const QString source = data + existingSpelling(data, c.source);
        const QString target = data + existingSpelling(data, c.target);
        if (QFileInfo(source).isFile() && QDir().mkpath(QFileInfo(target).absolutePath()))
            copyOver(source, target);
    }
    if (!compositions.isEmpty()) {
        const QString path = m_paths.path(PathId::Kompozycje);
        const TextFileRead list = readTextFile(path);
        // A list that could not be read whole is not written from half of it.
        if (list.mayReplace()) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            writeListFile(path, mergeCompositions(lines(list.text), compositions));
        }
    }
    if (compositions.size() == 1) {
        m_hooks.applyComposition(compositions.front());
    } else if (applyInstalledItems(plan.items)) {
        for (const AddonItem& item : plan.items)
            m_hooks.applyItem(item);
    }
    m_hooks.saveSettings();
    m_hooks.installed();
    m_hooks.busy(false);
    m_hooks.information(QString::fromUtf8(kAddonsCaption), addonSummary(plan.items, compositions));
}

} // namespace zorvex

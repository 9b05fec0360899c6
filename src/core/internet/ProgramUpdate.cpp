#include "core/internet/ProgramUpdate.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/PathTable.h"
#include "core/common/Text.h"
#include "core/internet/RelativePath.h"
#include "core/internet/ServiceAnswer.h"
#include "core/internet/ServiceClient.h"
#include "core/internet/ServiceVersion.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace zorvex {
namespace {

const QString kNewVersionCaption = QStringLiteral("Nowa wersja Zorvex");

QString megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / 1048576.0, 'f', 2) + QStringLiteral(" MB");
}

} // namespace

std::optional<ProgramUpdateOffer> parseProgramUpdate(const QStringList& lines)
{
    QStringList kept;
    for (const QString& line : lines) {
        if (!line.isEmpty())
            kept << line;
    }
    if (kept.isEmpty() || !equalsIgnoringCase(PipeField(kept.front(), 1), u"UPDATE"))
        return std::nullopt;
    ProgramUpdateOffer offer;
    offer.number = PipeField(kept.front(), 2);
    if (offer.number.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 total = PipeField(kept.front(), 3).toLongLong(&ok);
    offer.totalBytes = ok && total > 0 ? total : 1;
    for (qsizetype i = 1; i < kept.size(); ++i) {
        if (equalsIgnoringCase(PipeField(kept[i], 1), u"P"))
            offer.files.append({PipeField(kept[i], 2), PipeField(kept[i], 3)});
    }
    return offer;
}

QString updateFileTarget(const QString& dataFolder, const QString& relativePath)
{
    const QString relative = safeRelativePath(relativePath);
    if (relative.isEmpty())
        return {};
    return withTrailingSlash(dataFolder) + relative;
}

QString updateProgressCaption(qint64 done, qint64 total)
{
    const int percent = total > 0 ? int(std::lround(double(done) * 100.0 / double(total))) : 0;
    return QLatin1Char('[') + QString::number(percent) + QStringLiteral("%] Aktualizowanie programu");
}

QString updateProgressLabel(qint64 done, qint64 total)
{
    return megabytes(done) + QStringLiteral(" / ") + megabytes(total);
}

bool writeUpdateList(const QString& path, const QList<QPair<QString, QString>>& files)
{
    QByteArray bytes;
    for (const auto& [downloaded, target] : files)
        bytes += toCp1250(QString(downloaded + QLatin1Char('|') + target)) + "\r\n";
    return writeFileAtomically(path, bytes);
}

QList<QPair<QString, QString>> readUpdateList(const QString& path)
{
    QList<QPair<QString, QString>> out;
    const TextFileRead read = readTextFile(path);
    for (QString line : read.text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty())
            continue;
        out.append({PipeField(line, 1), PipeField(line, 2)});
    }
    return out;
}

ProgramUpdate::ProgramUpdate(const QString& dataFolder, const ServiceClient& service, TextRequestClient& client,
                             FileDownloader& downloader, bool installedBySystem, Hooks hooks)
    : m_dataFolder(dataFolder)
    , m_service(service)
    , m_client(client)
    , m_downloader(downloader)
    , m_installedBySystem(installedBySystem)
    , m_hooks(std::move(hooks))
{
}

void ProgramUpdate::check(bool silent)
{
    if (m_running)
        return;
    m_running = true;
    const int generation = ++m_generation;
    m_client.get(m_service.endpointUrl(QString::fromLatin1(kProgramUpdateEndpoint)),
                 [this, silent, generation](const HttpAnswer& a) {
                     if (generation == m_generation)
                         onAnswer(a, silent);
                 });
}

void ProgramUpdate::onAnswer(const HttpAnswer& answer, bool silent)
{
    std::optional<ProgramUpdateOffer> offer;
    if (answer.ok)
        offer = parseProgramUpdate(cleanAnswer(answer.body));
    if (!offer) {
        m_running = false;
        return;
    }
    if (offer->number == QLatin1String(kUpdateNumber)) {
        m_running = false;
        if (!silent)
            m_hooks.information(QStringLiteral("Zorvex"), QStringLiteral("Nie ma jeszcze nowej wersji Zorvex"));
        return;
    }
    const QString offered = QStringLiteral("Jest już nowa wersja Zorvex: ") + offer->number + QLatin1Char('\n');
    if (m_installedBySystem) {
        // Files the package manager installed are its own to replace.
        m_running = false;
        m_hooks.information(kNewVersionCaption,
                            offered
                                + QStringLiteral("Zorvex jest zainstalowany przez system, zaktualizuj go "
                                                 "menedżerem pakietów systemu."));
        return;
    }
    m_files.clear();
    for (const ProgramUpdateFile& f : offer->files) {
        const QString target = updateFileTarget(m_dataFolder, f.relativePath);
        if (target.isEmpty()) {
            m_running = false;
            m_hooks.serverProblem(QStringLiteral("Niedozwolona ścieżka pliku aktualizacji: ") + f.relativePath);
            return;
        }
        m_files.append({target + QStringLiteral(".tmp"), target});
    }
    m_offer = *offer;
    const int generation = m_generation;
    m_hooks.ask(offered + QStringLiteral("Czy chcesz teraz pobrać nową wersję?"), [this, generation](bool yes) {
        if (generation != m_generation)
            return;
        if (!yes) {
            m_running = false;
            return;
        }
        m_next = 0;
        m_doneBytes = 0;
        m_hooks.progressVisible(true);
        m_hooks.progress(0, m_offer.totalBytes);
        downloadNext();
    });
}

void ProgramUpdate::downloadNext()
{
    if (m_next >= m_files.size()) {
        m_hooks.progressVisible(false);
        const QString list = QDir(m_dataFolder).filePath(QString::fromLatin1(kUpdateListName));
        if (!writeUpdateList(list, m_files) || !m_hooks.startUpdater(list)) {
            end();
            QFile::remove(list);
            m_hooks.serverProblem(QString());
            return;
        }
        m_running = false;
        m_hooks.closeProgram();
        return;
    }
    const ProgramUpdateFile& file = m_offer.files[m_next];
    const QString downloaded = m_files[m_next].first;
    QDir().mkpath(QFileInfo(downloaded).absolutePath());
    FileDownloader::Events events;
    events.progress = [this](qint64, qint64 done) { m_hooks.progress(m_doneBytes + done, m_offer.totalBytes); };
    events.done = [this](const QString&, qint64 size) {
        m_doneBytes += size;
        ++m_next;
        downloadNext();
    };
    events.failed = [this](const QString&) {
        m_hooks.progressVisible(false);
        end();
        m_hooks.serverProblem(QString());
    };
    m_downloader.start(file.url, downloaded, std::move(events));
}

void ProgramUpdate::end()
{
    m_running = false;
    ++m_generation;
    // The files fetched so far are of no use without the rest.
    for (const auto& f : std::as_const(m_files))
        QFile::remove(f.first);
}

void ProgramUpdate::cancel()
{
    if (!m_running)
        return;
    m_downloader.cancel();
    m_client.abort();
    m_hooks.progressVisible(false);
    end();
}

} // namespace zorvex

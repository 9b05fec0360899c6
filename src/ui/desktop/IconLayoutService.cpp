#include "ui/desktop/IconLayoutService.h"

#include "core/desktop/IconLayout.h"
#include "core/media/PlaylistFiles.h"
#include "platform/desktop/DesktopIcons.h"

#include <QFileInfo>
#include <QThread>

namespace zorvex {

IconLayoutService::IconLayoutService(const QString& layoutFile, IconsFactory factory, QObject* parent)
    : QObject(parent)
    , m_file(layoutFile)
    , m_factory(std::move(factory))
{
}

IconLayoutService::~IconLayoutService()
{
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
    }
}

QString IconLayoutService::notAvailableText()
{
    return QStringLiteral("Pozycje ikon pulpitu można zapisać i przywrócić tylko na pulpicie, który je udostępnia: "
                          "Cinnamon (Nemo), MATE (Caja), LXQt (PCManFM-Qt) lub Xfce.");
}

QString IconLayoutService::start(std::function<QString(DesktopIcons&)> job)
{
    if (m_worker)
        return QStringLiteral("Pozycje ikon są właśnie zapisywane lub przywracane.");
    if (!m_icons || !m_icons->available())
        m_icons = m_factory ? std::shared_ptr<DesktopIcons>(m_factory()) : nullptr;
    if (!m_icons || !m_icons->available())
        return notAvailableText();
    auto result = std::make_shared<QString>();
    std::shared_ptr<DesktopIcons> icons = m_icons;
    m_worker = QThread::create([job = std::move(job), icons, result] { *result = job(*icons); });
    connect(m_worker, &QThread::finished, this, [this, result] {
        m_worker->deleteLater();
        m_worker = nullptr;
        emit finished(*result);
    });
    m_worker->start();
    return {};
}

QString IconLayoutService::save()
{
    const QString file = m_file;
    return start([file](DesktopIcons& desktop) -> QString {
        const std::optional<QList<IconPosition>> icons = desktop.icons();
        if (!icons)
            return QStringLiteral("Nie można odczytać pozycji ikon pulpitu.");
        // A desktop without icons leaves the saved places alone.
        if (icons->isEmpty())
            return {};
        QString error;
        if (!saveListLines(file, iconLayoutLines(*icons), &error))
            return QStringLiteral("Nie można zapisać pliku ") + file + QStringLiteral(": ") + error;
        return {};
    });
}

QString IconLayoutService::restore()
{
    const QString file = m_file;
    if (!QFileInfo::exists(file))
        return {};
    return start([file](DesktopIcons& desktop) -> QString {
        const QList<IconPosition> saved = parseIconLayout(loadListLines(file).lines);
        const std::optional<QList<IconPosition>> current = desktop.icons();
        if (!current)
            return QStringLiteral("Nie można odczytać pozycji ikon pulpitu.");
        const QList<IconPosition> moves = iconMoves(saved, *current);
        return moves.isEmpty() ? QString() : desktop.moveIcons(moves);
    });
}

} // namespace zorvex

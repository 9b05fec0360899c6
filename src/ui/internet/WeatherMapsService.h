#pragma once

#include "core/internet/MapCache.h"
#include "core/internet/WeatherMaps.h"
#include "ui/internet/WeatherMapsPage.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QWidget;

namespace zorvex {

class Prompts;

class Clock;
class FileDownloader;
class InterfaceProbe;
class NetworkAccess;
class PathTable;

struct Settings;

struct WeatherMapsContext {
    const Clock& clock;
    const PathTable& paths;
    Settings& settings;
    const InterfaceProbe& interfaces;
    NetworkAccess& network;
    QString cacheFolder; // the maps' disk cache
    Prompts& prompts;
};

// The page "Mapy": the standard and the user's map lists, and the map shown
// from its address of today. Pictures come through the map downloader into
// the disk cache, so a map shown again makes no second request.
class WeatherMapsService : public QObject {
    Q_OBJECT
public:
    enum class List { None = 0, Standard = 1, User = 2 };

    explicit WeatherMapsService(WeatherMapsContext context, QObject* parent = nullptr);
    ~WeatherMapsService() override;

    WeatherMapsPage* page() const { return m_page; }

    // Both lists read afresh; the standard one keeps its entry by name (the
    // data update replaces it).
    void reloadLists();
    void chooseList(List list);
    List list() const { return m_list; }
    const QList<WeatherMap>& maps(List list) const;

    // "Wyświetl", "Anuluj".
    void showMap();
    void cancel();
    bool downloading() const;
    // The address "Wyświetl" fetches for the selected map today.
    QString selectedUrl() const;

    // The user list's buttons; the dialog is replaceable for tests (its
    // answer: accepted, name, link).
    void addLink();
    void changeLink();
    void removeLink();
    struct LinkAnswer {
        bool accepted = false;
        QString name;
        QString link;
    };
    std::function<LinkAnswer(bool change, const QString& name, const QString& link)> linkDialog;

    // The list writer: the user's list.
    void save();

signals:
    // A map was shown (ok) or could not be (the picture is then cleared or
    // kept as the rules say).
    void mapShown(bool ok);

private:
    void fillBox();
    void display(const QString& file, const QString& type);
    int& selection(List list);

    WeatherMapsContext m_context;
    QPointer<WeatherMapsPage> m_page;
    std::unique_ptr<FileDownloader> m_downloader;
    MapCache m_cache;
    QList<WeatherMap> m_standard;
    QList<WeatherMap> m_user;
    bool m_userReplaceable = true;
    List m_list = List::None;
};

} // namespace zorvex

#pragma once

#include "core/internet/HttpTypes.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zorvex {

struct ServiceSettings;

// The list endpoints of the service and the marker each answer starts with.
struct ServiceList {
    const char* endpoint;
    const char* marker;
};
inline constexpr ServiceList kMapList{"/listamap.php", "MAPY"};
inline constexpr ServiceList kCityList{"/listamiast.php", "MIASTA"};
inline constexpr ServiceList kMiscList{"/rozne.php", "ROZNE"};
inline constexpr ServiceList kTimeServerList{"/serwczas.php", "SERWERY"};
inline constexpr ServiceList kStationList{"/stacje.php", "STACJE"};
inline constexpr char kStampEndpoint[] = "update.php";
inline constexpr char kProgramUpdateEndpoint[] = "/updatezvx.php";

// Forms the service's addresses and asks it through a request client. The
// base addresses come from the settings; names and ids from list files go
// into an address only when they are plain (isPlainUrlPart), so a list line
// can never add query keys or climb the path.
class ServiceClient {
public:
    ServiceClient(const ServiceSettings& settings, QString token);

    const QString& token() const { return m_token; }

    // Base + endpoint: the endpoint, with any query of its own, is the value
    // of "l".
    QString endpointUrl(const QString& endpoint) const;
    // "pogoda.php?mid=ID&date=yyyy.mm.dd"; empty for an id that is not plain.
    QString weatherUrl(const QString& cityId, const QDate& date) const;
    // A page of the miscellaneous list with the token and, for the
    // horoscope, "&znak=zN"; empty for a script that is not plain.
    QString pageUrl(const QString& script, int sign = 0) const;
    QString shoutboxUrl() const;
    // The add-ons page of `tag` (0 appearance, 8 chime sets).
    QString addonsPageUrl(int tag) const;
    // The forum page: the add-ons base without a tag.
    QString addonsForumUrl() const;

    // POSTs a list endpoint and hands over its lines (marker and empty lines
    // removed), or nothing when the request failed or the answer does not
    // count as a list; `error` then says why when the request itself failed.
    using ListDone = std::function<void(std::optional<QStringList> lines, const QString& error)>;
    void requestList(TextRequestClient& client, const ServiceList& list, ListDone done) const;

private:
    const ServiceSettings& m_settings;
    QString m_token;
};

} // namespace zorvex

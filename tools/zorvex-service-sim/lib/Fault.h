#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex::sim {

enum class FaultKind {
    None,
    Http500,        // "http500": status 500 with an error page
    NoMarker,       // "no-marker": the marker or status line is left out
    Stall,          // "stall": the request is read and never answered
    Drip,           // "drip": the answer goes out one byte at a time
    RedirectCookie, // "redirect-cookie": 307 back to the same address with a cookie; answered once the cookie comes back
    Oversized,      // "oversized": the answer goes on far beyond any list's size
};

std::optional<FaultKind> faultFromName(QStringView name);
QString faultName(FaultKind kind);
QStringList faultNames();

struct FaultSetting {
    FaultKind kind = FaultKind::None;
    // Endpoints ("/listamap.php", "pogoda.php") or paths ("/dodatki.php")
    // the fault applies to, compared without a leading "/"; a trailing "*"
    // matches every endpoint that begins so. Empty: every request.
    QStringList endpoints;

    bool appliesTo(const QString& endpoint) const;
};

} // namespace zorvex::sim

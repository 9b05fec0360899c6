#pragma once

#include <QString>

namespace zorvex {

// The version the vendor's service knows the program by: sent as the agent
// name and with the shoutbox and add-on pages.
inline constexpr char kServiceVersionText[] = "37.04";
// The program's own update level, compared with the one the service offers;
// kept apart from the displayed version.
inline constexpr char kUpdateNumber[] = "29.85";

// "ZVX/37.04", the agent of every request and download.
inline QString serviceUserAgent()
{
    return QStringLiteral("ZVX/") + QLatin1String(kServiceVersionText);
}

} // namespace zorvex

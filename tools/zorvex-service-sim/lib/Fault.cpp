#include "Fault.h"

#include <array>

namespace zorvex::sim {
namespace {

struct Named {
    FaultKind kind;
    const char* name;
};

constexpr std::array<Named, 7> kNames = {{
    {FaultKind::None, "none"},
    {FaultKind::Http500, "http500"},
    {FaultKind::NoMarker, "no-marker"},
    {FaultKind::Stall, "stall"},
    {FaultKind::Drip, "drip"},
    {FaultKind::RedirectCookie, "redirect-cookie"},
    {FaultKind::Oversized, "oversized"},
}};

QStringView withoutSlash(QStringView s)
{
    return s.startsWith(QLatin1Char('/')) ? s.mid(1) : s;
}

} // namespace

std::optional<FaultKind> faultFromName(QStringView name)
{
    for (const Named& n : kNames) {
        if (name == QLatin1String(n.name))
            return n.kind;
    }
    return std::nullopt;
}

QString faultName(FaultKind kind)
{
    if (kind == FaultKind::None)
        return {};
    for (const Named& n : kNames) {
        if (n.kind == kind)
            return QString::fromLatin1(n.name);
    }
    return {};
}

QStringList faultNames()
{
    QStringList out;
    for (const Named& n : kNames) {
        if (n.kind != FaultKind::None)
            out.append(QString::fromLatin1(n.name));
    }
    return out;
}

bool FaultSetting::appliesTo(const QString& endpoint) const
{
    if (kind == FaultKind::None)
        return false;
    if (endpoints.isEmpty())
        return true;
    const QStringView e = withoutSlash(endpoint);
    for (const QString& pattern : endpoints) {
        const QStringView p = withoutSlash(pattern);
        if (p.endsWith(QLatin1Char('*')) ? e.startsWith(p.chopped(1), Qt::CaseInsensitive)
                                         : e.compare(p, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace zorvex::sim

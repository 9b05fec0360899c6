#include "core/desktop/IconLayout.h"

#include "core/common/Text.h"

namespace zorvex {

QStringList iconLayoutLines(const QList<IconPosition>& icons)
{
    QStringList lines;
    lines.reserve(icons.size());
    for (const IconPosition& icon : icons)
        lines << QStringLiteral("%1/%2/%3").arg(icon.caption).arg(icon.position.x()).arg(icon.position.y());
    return lines;
}

QList<IconPosition> parseIconLayout(const QStringList& lines)
{
    const QChar slash = QLatin1Char('/');
    QList<IconPosition> icons;
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        icons.append({Field(line, slash, 1), QPoint(Field(line, slash, 2).toInt(), Field(line, slash, 3).toInt())});
    }
    return icons;
}

QList<IconPosition> iconMoves(const QList<IconPosition>& saved, const QList<IconPosition>& current)
{
    QList<IconPosition> moves;
    for (const IconPosition& want : saved) {
        const auto found = std::find_if(current.begin(), current.end(),
                                        [&](const IconPosition& icon) { return icon.caption == want.caption; });
        if (found == current.end() || found->position == want.position)
            continue;
        moves.append(want);
    }
    return moves;
}

QString iconDesktopProgram(IconDesktop desktop)
{
    switch (desktop) {
    case IconDesktop::Nemo: return QStringLiteral("nemo-desktop");
    case IconDesktop::Caja: return QStringLiteral("caja");
    case IconDesktop::PcmanfmQt: return QStringLiteral("pcmanfm-qt");
    case IconDesktop::Xfce: return QStringLiteral("xfdesktop");
    case IconDesktop::None: break;
    }
    return {};
}

IconDesktop detectIconDesktop(const QString& currentDesktop, const QStringList& runningPrograms)
{
    static constexpr IconDesktop kAll[] = {IconDesktop::Nemo, IconDesktop::Caja, IconDesktop::PcmanfmQt,
                                           IconDesktop::Xfce};
    const auto runs = [&](IconDesktop d) { return runningPrograms.contains(iconDesktopProgram(d)); };
    const QString names = PolishUpper(currentDesktop);
    const auto named = [&](const char* name) {
        return names.split(QLatin1Char(':')).contains(QLatin1String(name));
    };
    IconDesktop wanted = IconDesktop::None;
    if (named("X-CINNAMON") || named("CINNAMON"))
        wanted = IconDesktop::Nemo;
    else if (named("MATE"))
        wanted = IconDesktop::Caja;
    else if (named("LXQT"))
        wanted = IconDesktop::PcmanfmQt;
    else if (named("XFCE"))
        wanted = IconDesktop::Xfce;
    if (wanted != IconDesktop::None && runs(wanted))
        return wanted;
    for (IconDesktop d : kAll)
        if (runs(d))
            return d;
    return IconDesktop::None;
}

} // namespace zorvex

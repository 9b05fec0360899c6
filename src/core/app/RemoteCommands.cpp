#include "core/app/RemoteCommands.h"

#include <algorithm>

namespace zorvex {
namespace {

ActionName entry(const char* name, const char* description, bool needsRunning = false)
{
    return {QString::fromLatin1(name), QString::fromUtf8(description), needsRunning};
}

} // namespace

const std::vector<ActionName>& actionNames()
{
    static const std::vector<ActionName> table = {
        entry("show", "pokazuje okno kalendarza na wierzchu"),
        entry("hide", "ukrywa okno kalendarza", true),
        entry("tools", "otwiera okno Narzędzia"),
        entry("quit", "zamyka program (jak \"Zamknij\")", true),
        entry("chime-test", "testuje dźwięk co godzinę"),
        entry("play", "odtwarzacz: odtwarzaj"),
        entry("pause", "odtwarzacz: pauza"),
        entry("play-pause", "odtwarzacz: odtwarzaj lub pauza"),
        entry("stop", "odtwarzacz: stop"),
        entry("next", "odtwarzacz: następny"),
        entry("previous", "odtwarzacz: poprzedni"),
        entry("radio-play", "radio: odtwarzaj"),
        entry("radio-stop", "radio: stop"),
        entry("radio-next", "radio: następna stacja"),
        entry("radio-previous", "radio: poprzednia stacja"),
        entry("radio-record", "radio: nagrywanie (włącza lub wyłącza)"),
        entry("change-wallpaper", "zmienia tapetę"),
        entry("check-mail", "sprawdza pocztę"),
        entry("sync-time", "synchronizuje czas"),
        entry("ping", "sprawdza hosty listy Ping"),
        entry("update-check", "sprawdza aktualizacje"),
        entry("weather-refresh", "odświeża ikonę pogody"),
        entry("misc-page", "pokazuje wybraną stronę Internet - Różne"),
        entry("tray-open", "wysuwa tackę pierwszego napędu CD/DVD"),
        entry("tray-close", "wsuwa tackę pierwszego napędu CD/DVD"),
        entry("save-icons", "zapisuje pozycje ikon pulpitu"),
        entry("restore-icons", "przywraca pozycje ikon pulpitu"),
    };
    return table;
}

const ActionName* findAction(const QString& name)
{
    const auto& t = actionNames();
    const auto it = std::find_if(t.begin(), t.end(), [&](const ActionName& a) { return a.name == name; });
    return it == t.end() ? nullptr : &*it;
}

QString actionList()
{
    QStringList names;
    for (const ActionName& a : actionNames())
        names << a.name;
    return names.join(QStringLiteral(", "));
}

QString RemoteCommand::encoded() const
{
    switch (kind) {
    case Page: return QStringLiteral("page:%1").arg(page);
    case Action: return QStringLiteral("action:") + action;
    case None: break;
    }
    return {};
}

RemoteCommand parseRemoteCommand(const QString& text)
{
    if (text.startsWith(QLatin1String("page:"))) {
        bool ok = false;
        const int code = text.mid(5).toInt(&ok);
        if (ok)
            return RemoteCommand::page_(code);
    } else if (text.startsWith(QLatin1String("action:"))) {
        const QString name = text.mid(7);
        if (findAction(name))
            return RemoteCommand::action_(name);
    }
    return {};
}

} // namespace zorvex

#include "core/app/CommandLine.h"

#include "core/app/RemoteCommands.h"
#include "core/common/Version.h"

#include <QDate>

#include <algorithm>
#include <iterator>

namespace zorvex {

ProgramOptions parseProgramOptions(const QStringList& args)
{
    ProgramOptions out;
    const auto fail = [&out](const QString& text) {
        if (out.error.isEmpty())
            out.error = text;
    };
    const struct {
        const char* name;
        QString ProgramOptions::*field;
    } valued[] = {{"--data-dir", &ProgramOptions::dataDir}, {"--screenshot", &ProgramOptions::screenshot},
                  {"--page", &ProgramOptions::page},       {"--action", &ProgramOptions::action},
                  {"--print", &ProgramOptions::print},     {"--date", &ProgramOptions::date}};
    const struct {
        const char* name;
        bool ProgramOptions::*field;
    } flags[] = {{"--json", &ProgramOptions::json},
                 {"--yes", &ProgramOptions::yes},
                 {"--help", &ProgramOptions::help},
                 {"--version", &ProgramOptions::version}};
    bool onlyArguments = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (onlyArguments || !a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) {
            out.arguments << a;
            continue;
        }
        if (a == QLatin1String("--")) {
            onlyArguments = true;
            continue;
        }
        bool known = false;
        for (const auto& v : valued) {
            const QLatin1String name(v.name);
            if (a == name) {
                known = true;
                if (i + 1 < args.size())
                    out.*(v.field) = args[++i];
                else
                    fail(QStringLiteral("Brak wartości opcji ") + a);
            } else if (a.startsWith(name + QLatin1Char('='))) {
                known = true;
                out.*(v.field) = a.mid(name.size() + 1);
            }
        }
        for (const auto& f : flags) {
            if (a == QLatin1String(f.name)) {
                known = true;
                out.*(f.field) = true;
            }
        }
        if (a == QLatin1String("-h")) {
            known = true;
            out.help = true;
        }
        if (!known)
            fail(QStringLiteral("Nieznana opcja: ") + a);
    }
    if (!out.print.isEmpty()) {
        const auto& q = kPrintQueries;
        if (std::find_if(std::begin(q), std::end(q), [&](const char* n) { return out.print == QLatin1String(n); })
            == std::end(q))
            fail(QStringLiteral("Nieznane zapytanie --print: %1 (znane: today, upcoming, month)").arg(out.print));
    }
    if (!out.date.isEmpty() && !QDate::fromString(out.date, Qt::ISODate).isValid())
        fail(QStringLiteral("Niepoprawna data: %1 (oczekiwano RRRR-MM-DD)").arg(out.date));
    if (!out.page.isEmpty()) {
        bool ok = false;
        out.page.toInt(&ok);
        if (!ok)
            fail(QStringLiteral("Niepoprawny kod strony: ") + out.page);
    }
    return out;
}

QString usageLine()
{
    return QStringLiteral("Użycie: zorvex [OPCJA]... [PLIK.zvx | PLIK.zvxd | http://… | updated]\n"
                          "Więcej informacji: zorvex --help");
}

QString helpText()
{
    QString actions;
    for (const ActionName& a : actionNames())
        actions += QStringLiteral("      %1  %2\n").arg(a.name.leftJustified(17), a.description);
    return QStringLiteral(
               "Użycie: zorvex [OPCJA]... [PLIK.zvx | PLIK.zvxd | http://… | updated]\n"
               "Kalendarz z zegarem, przypomnieniami i dodatkami na pulpit.\n"
               "\n"
               "Plik .zvx (kopia ustawień), .zvxd (dodatek) lub adres http:// (stacja radiowa)\n"
               "trafia do uruchomionego programu; bez niego program startuje.\n"
               "\n"
               "  --data-dir KATALOG   folder danych (także zmienna ZORVEX_DATA_DIR)\n"
               "  --page KOD           w uruchomionym programie otwiera stronę okna Narzędzia\n"
               "                       o tym kodzie albo wykonuje jej polecenie (37 zmienia\n"
               "                       tapetę, 29 okno wiadomości, 30 program pocztowy,\n"
               "                       42 wykres transferu, 43 okno powiadomienia)\n"
               "  --action NAZWA       wykonuje polecenie menu w uruchomionym programie:\n"
               "%1"
               "  --print CO           wypisuje i kończy, bez okna: today (dzień), upcoming\n"
               "                       (zbliżające się daty), month (miesiąc jak w kalendarzu)\n"
               "  --date RRRR-MM-DD    dzień dla --print (domyślnie dzisiaj)\n"
               "  --json               --print w formacie JSON\n"
               "  --yes                odpowiada \"Tak\" na pytania o przekazany plik\n"
               "                       (przywracanie kopii, instalacja dodatku)\n"
               "  --screenshot PLIK    zapisuje obraz okna (z --page: strony Narzędzi) do PLIKU\n"
               "                       PNG i kończy, nie zmieniając żadnego pliku danych\n"
               "  -h, --help           wyświetla tę pomoc i kończy\n"
               "      --version        wyświetla wersję i kończy\n"
               "\n"
               "Bez uruchomionego programu --page i --action go uruchamiają (poza hide i quit,\n"
               "które kończą się kodem 1).\n"
               "\n"
               "Zmienne środowiska: ZORVEX_DATA_DIR (folder danych), ZORVEX_AUDIO_SINK\n"
               "(wyjście dźwięku GStreamer), ZORVEX_SYSROOT (korzeń /proc i /sys),\n"
               "ZORVEX_WTMP (plik logowań), ZORVEX_WALLPAPER_CMD (program ustawiający tapetę).\n"
               "\n"
               "Kody wyjścia: 0 powodzenie, 1 błąd, 2 niepoprawne wywołanie.\n")
        .arg(actions);
}

QString versionText()
{
    return QStringLiteral("zorvex %1\n").arg(programVersion());
}

bool containsHttp(const QString& text)
{
    return text.contains(QLatin1String("http://"), Qt::CaseInsensitive);
}

bool hasPackageExtension(const QString& path)
{
    return path.endsWith(QLatin1String(".zvx"), Qt::CaseInsensitive)
        || path.endsWith(QLatin1String(".zvxd"), Qt::CaseInsensitive);
}

bool shouldHandOff(const QStringList& arguments, const FileExists& exists)
{
    if (arguments.size() != 1)
        return false;
    const QString& a = arguments.front();
    const bool http = containsHttp(a);
    return (http || exists(a)) && (http || hasPackageExtension(a));
}

QString pendingCommandLinePath(const QStringList& arguments, const FileExists& exists)
{
    if (arguments.size() != 1)
        return {};
    const QString& a = arguments.front();
    return exists(a) && hasPackageExtension(a) ? a : QString();
}

bool isUpdatedArgument(const QStringList& arguments)
{
    return arguments.size() == 1 && arguments.front() == QLatin1String("updated");
}

InstanceOutcome decideInstance(bool anotherRunning, bool blokuj)
{
    if (!blokuj)
        return {anotherRunning ? InstanceDecision::RunWithPermission : InstanceDecision::Run, true};
    return {anotherRunning ? InstanceDecision::ExitSilently : InstanceDecision::Run, false};
}

} // namespace zorvex

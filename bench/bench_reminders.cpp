// The reminders' share of a calendar redraw and of the daily check: the three
// lists read from their files (the calendar reads them afresh for every
// month it draws), the month's day marks, and the upcoming-dates rows with
// their HTML page. The lists are a generous household: 300 persons, 100
// important days and 100 private lines.
#include "core/common/Cp1250.h"
#include "core/common/PathTable.h"
#include "core/reminders/DayMarks.h"
#include "core/reminders/ReminderFiles.h"
#include "core/reminders/UpcomingDates.h"
#include "core/reminders/UpcomingPage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zorvex;

namespace {

struct Lists {
    Lists()
    {
        const QString folder = dir.path() + QLatin1Char('/');
        paths = PathTable(folder, QStringLiteral("Jan"), folder + QStringLiteral("Sentencje.ini"));
        QString osoby = QStringLiteral("[Osoby]\r\nIle=300\r\n");
        for (int i = 1; i <= 300; ++i) {
            osoby += QStringLiteral("[Osoba%1]\r\nImieNazwisko=Łucja Żółkiewska %1\r\nUrodzinyD=%2\r\nUrodzinyM=%3\r\n"
                                    "UrodzinyR=%4\r\nImieninyD=%5\r\nImieninyM=%6\r\n")
                         .arg(i)
                         .arg(i % 28 + 1)
                         .arg(i % 12 + 1)
                         .arg(1950 + i % 60)
                         .arg((i * 7) % 28 + 1)
                         .arg((i * 5) % 12 + 1);
        }
        write(PathId::Osoby, osoby);
        QString swieta = QStringLiteral("[Uroczystosci]\r\nIle=100\r\n");
        for (int i = 1; i <= 100; ++i) {
            swieta += QStringLiteral("[Uroczystosc%1]\r\nNazwa=Święto %1\r\nDzien=%2\r\nMiesiac=%3\r\n")
                          .arg(i)
                          .arg(i % 28 + 1)
                          .arg(i % 12 + 1);
        }
        write(PathId::Uroczystosci, swieta);
        QString prywatne;
        for (int i = 1; i <= 100; ++i) {
            prywatne += QStringList{QStringLiteral("Rocznica %1").arg(i), QString::number(i % 28 + 1),
                                    QString::number(i % 12 + 1), i % 2 ? QStringLiteral("2001") : QString(),
                                    i % 2 ? QString() : QStringLiteral("2026")}
                            .join(kListSeparator)
                + QStringLiteral("\r\n");
        }
        write(PathId::Prywatne, prywatne);
    }
    void write(PathId id, const QString& text)
    {
        QFile f(paths.path(id));
        f.open(QIODevice::WriteOnly);
        f.write(toCp1250(text));
    }

    QTemporaryDir dir;
    PathTable paths;
};

Lists& lists()
{
    static Lists l;
    return l;
}

void BM_LoadReminderLists(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(loadReminderLists(lists().paths));
}
BENCHMARK(BM_LoadReminderLists)->Unit(benchmark::kMicrosecond);

// What the calendar asks for each month it draws: read, then mark.
void BM_MonthMarksFromFiles(benchmark::State& state)
{
    const CalendarMarkSettings marks;
    for (auto _ : state)
        benchmark::DoNotOptimize(buildDayAnnotations(loadReminderLists(lists().paths), marks, 2026, 12,
                                                     QDate(2026, 12, 10)));
}
BENCHMARK(BM_MonthMarksFromFiles)->Unit(benchmark::kMicrosecond);

void BM_UpcomingPage(benchmark::State& state)
{
    const ReminderLists l = loadReminderLists(lists().paths);
    for (auto _ : state) {
        const QList<UpcomingRow> rows = upcomingRows(l, UpcomingKinds{}, QDate(2026, 12, 10));
        benchmark::DoNotOptimize(upcomingPageHtml(rows, lists().dir.path()));
    }
}
BENCHMARK(BM_UpcomingPage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

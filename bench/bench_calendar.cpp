// One redraw of the calendar: the month picture alone (cells, texts, grid,
// border and today frame in a memory image), the whole RedrawCalendar of
// the main window around it on the files of a data folder, and the
// per-pixel shading that only a change of the background runs.
#include "core/app/Settings.h"
#include "core/app/TraySettings.h"
#include "core/calendar/MonthModel.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/reminders/DayMarks.h"
#include "core/reminders/ReminderFiles.h"
#include "support/FakeClock.h"
#include "ui/app/MainWindow.h"
#include "ui/calendar/Background.h"
#include "ui/calendar/CalendarView.h"
#include "ui/calendar/MonthRenderer.h"
#include "ui/common/Fonts.h"
#include "ui/common/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

using namespace zorvex;

namespace {

// A month as the reminders leave it: a handful of marked days.
DayAnnotations marked(int year, int month)
{
    DayAnnotations a(year, month);
    for (int day : {3, 9, 14, 15, 22, 28})
        a.dayOf(day)->colour = day % 2 ? 65280 : 16776960;
    a.dayOf(20)->colour = colourFromRgb(192, 192, 192);
    return a;
}

void BM_MonthPicture(benchmark::State& state)
{
    FakeClock clock(QDateTime(QDate(2026, 1, 15), QTime(12, 0)));
    MonthModel model(clock, kGridBackground);
    Settings settings;
    settings.main.gridLines = state.range(0) != 0;
    const DayAnnotations annotations = marked(2026, 1);
    const QDate today = clock.now().date();
    for (auto _ : state) {
        QImage picture = renderMonthPicture(settings.main, model, annotations, today);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_MonthPicture)->Arg(1)->Arg(0)->ArgName("grid")->Unit(benchmark::kMicrosecond);

// A copy of the shipped data folder, with `persons` persons in "Osoby.ini"
// written an hour ago, as a list kept for long is.
struct BenchData {
    QTemporaryDir dir;
    PathTable paths;

    explicit BenchData(int persons)
    {
        const QDir shipped(QStringLiteral(ZORVEX_DATA));
        for (const QString& name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), dir.filePath(name));
        paths = PathTable(dir.path() + QLatin1Char('/'), QStringLiteral("Bench"),
                          dir.filePath(QStringLiteral("Sentencje.ini")));
        if (persons > 0) {
            QByteArray ini = "[Osoby]\r\nIle=" + QByteArray::number(persons) + "\r\n";
            for (int i = 1; i <= persons; ++i)
                ini += "[Osoba" + QByteArray::number(i) + "]\r\nImieNazwisko=Osoba " + QByteArray::number(i)
                       + "\r\nUrodzinyD=" + QByteArray::number(i % 28 + 1) + "\r\nUrodzinyM="
                       + QByteArray::number(i % 12 + 1) + "\r\nUrodzinyR=1970\r\nImieninyD="
                       + QByteArray::number(i * 7 % 28 + 1) + "\r\nImieninyM=" + QByteArray::number(i * 5 % 12 + 1)
                       + "\r\n";
            QFile f(paths.path(PathId::Osoby));
            if (f.open(QIODevice::WriteOnly))
                f.write(ini);
            f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
            f.close();
            // A file changed in the last two seconds is always read again.
            QThread::msleep(2100);
        }
    }

    // The file as an edit leaves it: changed just now, so read afresh.
    void touchPersons() const
    {
        QFile f(paths.path(PathId::Osoby));
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
    }
};

// The whole RedrawCalendar of the main window as the program runs it: the
// reminder lists read from the data folder for the month, then the drawing.
// Arguments: the number of persons, and whether the persons' file was just
// edited before each redraw (so it is parsed every time) or stays as it is.
void BM_RedrawCalendar(benchmark::State& state)
{
    const BenchData data(int(state.range(0)));
    const bool edited = state.range(1) != 0;
    FakeClock clock(QDateTime(QDate(2026, 1, 15), QTime(12, 0)));
    Settings settings;
    TraySettings tray;
    QuietPrompts prompts;
    MainWindow window(data.paths, settings, tray, prompts);
    CalendarView view(window, settings, data.paths, clock);
    view.setAnnotationProvider([&](int year, int month) {
        const CalendarMarkSettings marks =
            CalendarMarkSettings::from(settings.main, settings.solenizant, settings.inne, settings.prywatne);
        return buildDayAnnotations(loadReminderLists(data.paths), marks, year, month, clock.now().date());
    });
    window.show();
    view.start();
    for (auto _ : state) {
        if (edited) {
            state.PauseTiming();
            data.touchPersons();
            state.ResumeTiming();
        }
        view.redrawCalendar(false);
    }
    benchmark::DoNotOptimize(view.monthPicture().constBits());
}
BENCHMARK(BM_RedrawCalendar)
    ->Args({0, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->ArgNames({"persons", "edited"})
    ->Unit(benchmark::kMicrosecond);

void BM_ShadedBackground(benchmark::State& state)
{
    for (auto _ : state) {
        QImage background = shadedBackground(16760400);
        benchmark::DoNotOptimize(background.constBits());
    }
}
BENCHMARK(BM_ShadedBackground)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // Fonts and widgets need an application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerTahoma();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

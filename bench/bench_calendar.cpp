// One redraw of the calendar: the month picture alone (cells, texts, grid,
// border and today frame in a memory image), the whole RedrawCalendar of
// the main window around it, and the per-pixel shading that only a change
// of the background runs.
#include "core/app/Settings.h"
#include "core/app/TraySettings.h"
#include "core/calendar/MonthModel.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "support/FakeClock.h"
#include "ui/app/MainWindow.h"
#include "ui/calendar/Background.h"
#include "ui/calendar/CalendarView.h"
#include "ui/calendar/MonthRenderer.h"
#include "ui/common/Fonts.h"

#include <QApplication>
#include <QTemporaryDir>

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
    settings.main.pokazSiatke = state.range(0) != 0;
    const DayAnnotations annotations = marked(2026, 1);
    const QDate today = clock.now().date();
    for (auto _ : state) {
        QImage picture = renderMonthPicture(settings.main, model, annotations, today);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_MonthPicture)->Arg(1)->Arg(0)->ArgName("grid")->Unit(benchmark::kMicrosecond);

void BM_RedrawCalendar(benchmark::State& state)
{
    QTemporaryDir dir;
    // No data files: the name days and the sentence read as empty.
    const PathTable paths(dir.path() + QLatin1Char('/'), QStringLiteral("Bench"),
                          dir.filePath(QStringLiteral("Sentencje.ini")));
    FakeClock clock(QDateTime(QDate(2026, 1, 15), QTime(12, 0)));
    Settings settings;
    TraySettings tray;
    MainWindow window(paths, settings, tray);
    CalendarView view(window, settings, paths, clock);
    view.setAnnotationProvider(marked);
    window.show();
    view.start();
    for (auto _ : state)
        view.redrawCalendar(false);
    benchmark::DoNotOptimize(view.monthPicture().constBits());
}
BENCHMARK(BM_RedrawCalendar)->Unit(benchmark::kMicrosecond);

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

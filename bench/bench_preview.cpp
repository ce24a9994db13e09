// Preview runs of 10,000 and 100,000 rows with "Replace All" (a literal) and "Suffix"
// ("$Counter$"), the engine alone: no window, a host whose yield does nothing.
#include "AppState.h"
#include "Clock.h"
#include "MetadataSource.h"
#include "Preview.h"
#include "RandomSource.h"
#include "RecordingEngineHost.h"
#include "RenameEngine.h"

#include <QLocale>
#include <benchmark/benchmark.h>

namespace {

// Previews of `state.range(0)` rows with "Replace All" (`allSource`) and "Suffix" checked.
void runPreviews(benchmark::State &state, const QString &allSource)
{
    const auto rows = size_t(state.range(0));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    AppState app;
    engine::RecordingEngineHost host(&app);
    engine::NoMetadata metadata;
    FixedClock clock(QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9)));
    FixedRandom random({0.5f});
    engine::RenameEngine eng(app, host, metadata, clock, random);

    engine::RenameSettings settings;
    settings.AllSource = allSource;
    settings.SuffixSource = QStringLiteral("$Counter$");
    settings.SuffixCounter.CounterPadWidth = QStringLiteral("6");
    settings.checkOnly({QStringLiteral("Replace All"), QStringLiteral("Suffix")});

    std::vector<engine::PreviewRow> table(rows);
    for (size_t i = 0; i < rows; ++i) {
        engine::PreviewRow &row = table[i];
        row.Original = QStringLiteral("IMG_%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
        row.Path = QStringLiteral("/home/user/Pictures/");
        row.Size = int64_t(100000 + i);
        row.Modified = QStringLiteral("2/3/2026 9:05:09 PM");
        row.Folder = QStringLiteral("Pictures");
        row.Type = QStringLiteral("JPG File");
    }
    engine::PreviewTable grid;
    grid.setRows(std::move(table));

    for (auto _ : state) {
        engine::GeneratePreview(eng, settings, grid);
        benchmark::DoNotOptimize(grid.row(rows).Preview);
    }
    state.counters["time_per_row"] = benchmark::Counter(
        double(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// "Replace All" with a literal, "Suffix" with "$Counter$".
void BM_Preview(benchmark::State &state) { runPreviews(state, QStringLiteral("Photo_")); }

// The same with a counter in "Replace All" too, so both appliers evaluate a token.
void BM_PreviewTwoCounters(benchmark::State &state) { runPreviews(state, QStringLiteral("$Counter$")); }

} // namespace

BENCHMARK(BM_Preview)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewTwoCounters)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

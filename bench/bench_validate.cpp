// Name validation of 100,000 rows of which 1% repeat another row's new name in the same folder.
#include "AppState.h"
#include "Clock.h"
#include "MetadataSource.h"
#include "RandomSource.h"
#include "RecordingEngineHost.h"
#include "RenameEngine.h"
#include "Validation.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ValidateNewNames(benchmark::State &state)
{
    const auto rows = size_t(state.range(0));
    AppState app;
    engine::RecordingEngineHost host(&app);
    engine::NoMetadata metadata;
    FixedClock clock(QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9)));
    FixedRandom random({0.5f});
    engine::RenameEngine eng(app, host, metadata, clock, random);

    std::vector<engine::PreviewRow> table(rows);
    for (size_t i = 0; i < rows; ++i) {
        engine::PreviewRow &row = table[i];
        row.Original = QStringLiteral("IMG_%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
        // Every hundredth row takes the new name of the row before it.
        const size_t n = i % 100 == 99 ? i - 1 : i;
        row.Preview = QStringLiteral("Holiday %1.jpg").arg(n, 6, 10, QLatin1Char('0'));
        row.Path = QStringLiteral("/home/user/Pictures/%1/").arg(i / 20000);
        row.Type = QStringLiteral("JPEG Image");
    }
    engine::PreviewTable grid;
    grid.setRows(std::move(table));

    for (auto _ : state) {
        engine::ValidateNewNames(eng, grid);
        benchmark::DoNotOptimize(grid.CellBackColor(rows, engine::ColPreview));
    }
    state.counters["time_per_row"] = benchmark::Counter(
        double(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_ValidateNewNames)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

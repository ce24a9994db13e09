// Preview plus validation of 100,000 rows in the rename window, driven as its buttons drive it
// (cmdPreview_Click, then cmdValidate_Click) with the window shown, beside the same two runs on
// the engine alone (a host whose yield does nothing). Run on the offscreen platform.
#include "BenchSupport.h"
#include "AppState.h"
#include "Clock.h"
#include "MetadataSource.h"
#include "Preview.h"
#include "RandomSource.h"
#include "RecordingEngineHost.h"
#include "RenameEngine.h"
#include "Validation.h"
#include "frmRenamer.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// "Replace All" with a literal and "Suffix" with a six-digit "$Counter$".
engine::RenameSettings benchSettings(engine::RenameSettings settings)
{
    settings.AllSource = QStringLiteral("Photo_");
    settings.SuffixSource = QStringLiteral("$Counter$");
    settings.SuffixCounter.CounterPadWidth = QStringLiteral("6");
    settings.checkOnly({QStringLiteral("Replace All"), QStringLiteral("Suffix")});
    return settings;
}

std::vector<engine::PreviewRow> benchRows(size_t rows)
{
    std::vector<engine::PreviewRow> table(rows);
    for (size_t i = 0; i < rows; ++i) {
        engine::PreviewRow &row = table[i];
        row.Original = QStringLiteral("IMG_%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
        row.Path = QStringLiteral("/home/user/Pictures/%1/").arg(i / 20000);
        row.Size = int64_t(100000 + i);
        row.Modified = QStringLiteral("2/3/2026 9:05:09 PM");
        row.Folder = QStringLiteral("Pictures");
        row.Type = QStringLiteral("JPG File");
    }
    return table;
}

void setRowsCounter(benchmark::State &state, size_t rows)
{
    state.counters["time_per_row"] = benchmark::Counter(
        double(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_EnginePreviewValidate(benchmark::State &state)
{
    const auto rows = size_t(state.range(0));
    AppState app;
    engine::RecordingEngineHost host(&app);
    engine::NoMetadata metadata;
    FixedClock clock(QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9)));
    FixedRandom random({0.5f});
    engine::RenameEngine eng(app, host, metadata, clock, random);
    const engine::RenameSettings settings = benchSettings({});
    engine::PreviewTable grid;
    grid.setRows(benchRows(rows));
    for (auto _ : state) {
        engine::GeneratePreview(eng, settings, grid);
        engine::ValidateNewNames(eng, grid);
        benchmark::DoNotOptimize(grid.CellBackColor(rows, engine::ColPreview));
    }
    setRowsCounter(state, rows);
}

void BM_WindowPreviewValidate(benchmark::State &state)
{
    const auto rows = size_t(state.range(0));
    QTemporaryDir home;
    qputenv("VEXLO_HOME", home.path().toLocal8Bit());
    AppState app;
    FixedClock clock(QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9)));
    FixedRandom random({0.5f});
    app.services.clock = &clock;
    app.services.random = &random;
    engine::NoMetadata metadata;
    renamewin::frmRenamer window(app, &metadata);
    window.applySettings(benchSettings(window.renameSettings()), window.windowState());
    window.resize(1000, 700);
    window.show();
    QCoreApplication::processEvents();
    window.previewRows().setRows(benchRows(rows));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.cmdPreview_Click();
        window.cmdValidate_Click();
        benchmark::DoNotOptimize(window.previewRows().CellBackColor(rows, engine::ColPreview));
    }
    state.SetLabel(window.previewRows().row(rows).Preview.toStdString());
    setRowsCounter(state, rows);
    qunsetenv("VEXLO_HOME");
}

} // namespace

BENCHMARK(BM_EnginePreviewValidate)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowPreviewValidate)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    return bench::RunBenchmarks<QApplication>(argc, argv, true);
}

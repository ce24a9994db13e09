// The rename run on 10,000 real files (moves, log, grid update) beside a plain loop of
// rename() calls over the same kind of files in the same process. Each iteration renames the
// files one way and the next one back, so no iteration has to restore them.
#include "AppState.h"
#include "Clock.h"
#include "Execute.h"
#include "MetadataSource.h"
#include "RandomSource.h"
#include "RecordingEngineHost.h"
#include "RenameEngine.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <stdexcept>

namespace {

constexpr int FileCount = 10000;

QString nameOf(int i, bool renamed)
{
    return QStringLiteral("%1 %2.txt")
        .arg(renamed ? QStringLiteral("Holiday") : QStringLiteral("IMG"))
        .arg(i, 5, 10, QLatin1Char('0'));
}

// A folder with FileCount small files named nameOf(i, false).
struct Files {
    Files()
    {
        if (!dir.isValid())
            throw std::runtime_error("no temporary folder");
        folder = dir.path() + u'/';
        for (int i = 0; i < FileCount; ++i) {
            QFile f(folder + nameOf(i, false));
            if (!f.open(QIODevice::WriteOnly))
                throw std::runtime_error("cannot create the files");
            f.write("x");
        }
    }
    QTemporaryDir dir;
    QString folder;
};

void BM_RenameRun(benchmark::State &state)
{
    Files files;
    QTemporaryDir home;
    qputenv("VEXLO_HOME", QFile::encodeName(home.path()));

    AppState app;
    engine::RecordingEngineHost host(&app);
    engine::NoMetadata metadata;
    FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(20, 49, 36)));
    FixedRandom random({0.5f});
    engine::RenameEngine eng(app, host, metadata, clock, random);
    eng.Previewed = true;

    bool renamed = false;
    engine::PreviewTable grid;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<engine::PreviewRow> rows(FileCount);
        for (int i = 0; i < FileCount; ++i) {
            rows[size_t(i)].Original = nameOf(i, renamed);
            rows[size_t(i)].Preview = nameOf(i, !renamed);
            rows[size_t(i)].Path = files.folder;
            rows[size_t(i)].Type = QStringLiteral("TXT File");
        }
        grid.setRows(std::move(rows));
        state.ResumeTiming();

        const engine::RenameRunResult result = engine::cmdExecute_Click(eng, grid);
        if (result.renamed != size_t(FileCount))
            state.SkipWithError("not every file was renamed");
        renamed = !renamed;
    }
    state.counters["time_per_file"] = benchmark::Counter(
        FileCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    qunsetenv("VEXLO_HOME");
}

void BM_PlainRenameLoop(benchmark::State &state)
{
    Files files;
    std::vector<QByteArray> plain(FileCount), holiday(FileCount);
    for (int i = 0; i < FileCount; ++i) {
        plain[size_t(i)] = QFile::encodeName(files.folder + nameOf(i, false));
        holiday[size_t(i)] = QFile::encodeName(files.folder + nameOf(i, true));
    }
    bool renamed = false;
    for (auto _ : state) {
        const auto &from = renamed ? holiday : plain;
        const auto &to = renamed ? plain : holiday;
        for (int i = 0; i < FileCount; ++i) {
            if (std::rename(from[size_t(i)].constData(), to[size_t(i)].constData()) != 0)
                state.SkipWithError("rename failed");
        }
        renamed = !renamed;
    }
    state.counters["time_per_file"] = benchmark::Counter(
        FileCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_PlainRenameLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenameRun)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// The rename run on 10,000 real files (moves, log, grid update) beside a plain loop of
// rename() calls over the same kind of files in the same process. Each iteration renames the
// files one way and the next one back, so no iteration has to restore them.
//
// BM_FolderRenameRun: the whole rename run over N folders each given before the one file inside
// it (nested: every folder renamed moves a row), against N folders and N files beside them
// (flat), timed side by side in the same iterations; "nested_per_flat" is their ratio.
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

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

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

// N folders "D<i>" in a fresh folder; nested: each holds the file "f.txt", flat: the files
// "F<i>.txt" lie beside the folders.
struct FolderTree {
    FolderTree(int count, bool nested) : count(count), nested(nested)
    {
        if (!dir.isValid())
            throw std::runtime_error("no temporary folder");
        root = dir.path() + u'/';
        for (int i = 0; i < count; ++i) {
            const QByteArray folder = QFile::encodeName(root + folderName(i, false));
            const QByteArray file = nested ? folder + "/f.txt" : QFile::encodeName(root + fileName(i, false));
            const int fd = ::mkdir(folder.constData(), 0755) == 0
                               ? ::open(file.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644)
                               : -1;
            if (fd < 0)
                throw std::runtime_error("cannot create the folders");
            ::close(fd);
        }
    }

    QString folderName(int i, bool renamed) const
    {
        return QStringLiteral("%1%2").arg(renamed ? u'E' : u'D').arg(i, 6, 10, QLatin1Char('0'));
    }
    QString fileName(int i, bool renamed) const
    {
        if (nested)
            return renamed ? QStringLiteral("g.txt") : QStringLiteral("f.txt");
        return QStringLiteral("%1%2.txt").arg(renamed ? u'G' : u'F').arg(i, 6, 10, QLatin1Char('0'));
    }

    // The rows that rename everything one way (renamed: back), each folder before its file.
    std::vector<engine::PreviewRow> rows(bool renamed) const
    {
        std::vector<engine::PreviewRow> out;
        out.reserve(size_t(count) * 2);
        for (int i = 0; i < count; ++i) {
            engine::PreviewRow folder;
            folder.Path = root;
            folder.Original = folderName(i, renamed);
            folder.Preview = folderName(i, !renamed);
            folder.Type = QStringLiteral("File Folder");
            engine::PreviewRow file;
            file.Path = nested ? root + folder.Original + u'/' : root;
            file.Original = fileName(i, renamed);
            file.Preview = fileName(i, !renamed);
            file.Type = QStringLiteral("TXT File");
            out.push_back(std::move(folder));
            out.push_back(std::move(file));
        }
        return out;
    }

    QTemporaryDir dir;
    QString root;
    int count;
    bool nested;
};

void BM_FolderRenameRun(benchmark::State &state)
{
    const int count = int(state.range(0));
    FolderTree trees[] = {FolderTree(count, true), FolderTree(count, false)};
    QTemporaryDir home;
    qputenv("VEXLO_HOME", QFile::encodeName(home.path()));

    AppState app;
    engine::RecordingEngineHost host(&app);
    engine::NoMetadata metadata;
    FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(20, 49, 36)));
    FixedRandom random({0.5f});
    engine::RenameEngine eng(app, host, metadata, clock, random);

    bool renamed = false;
    double seconds[2] = {0, 0};
    int turn = 0;
    for (auto _ : state) {
        double iteration = 0;
        // The order turns each iteration, so neither run always comes second.
        for (int k = 0; k < 2; ++k) {
            FolderTree &tree = trees[(k + turn) % 2];
            engine::PreviewTable grid;
            grid.setRows(tree.rows(renamed));
            eng.Previewed = true;
            const auto start = std::chrono::steady_clock::now();
            const engine::RenameRunResult result = engine::cmdExecute_Click(eng, grid);
            const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            if (result.renamed != size_t(count) * 2)
                state.SkipWithError("not every item was renamed");
            seconds[tree.nested ? 0 : 1] += took;
            iteration += took;
        }
        state.SetIterationTime(iteration);
        renamed = !renamed;
        ++turn;
    }
    const double runs = double(state.iterations());
    state.counters["nested_ms"] = seconds[0] / runs * 1e3;
    state.counters["flat_ms"] = seconds[1] / runs * 1e3;
    state.counters["nested_per_flat"] = seconds[1] > 0 ? seconds[0] / seconds[1] : 0;
    qunsetenv("VEXLO_HOME");
}

} // namespace

BENCHMARK(BM_PlainRenameLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenameRun)->Unit(benchmark::kMillisecond);
// Each iteration runs both trees once; a few iterations are enough at these sizes.
BENCHMARK(BM_FolderRenameRun)->Arg(16000)->Arg(32000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

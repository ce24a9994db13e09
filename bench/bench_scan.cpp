// Scanning a generated folder of 100,000 files (100 sub-folders of 1,000 files) into the file
// list, rows, texts, icons keys and model included, beside `find` over the same folder. The
// list's yield is the program's default (the event loop at most every few milliseconds).
#include "BenchSupport.h"
#include "ListItemsModel.h"
#include "ListViewEditable.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_FindFolder(benchmark::State &state)
{
    const QString root = bench::GeneratedTree();
    qint64 lines = 0;
    for (auto _ : state) {
        QProcess find;
        find.start(QStringLiteral("find"), {root});
        find.waitForFinished(-1);
        lines = find.readAllStandardOutput().count('\n');
    }
    state.counters["entries"] = double(lines);
}

void BM_ScanIntoList(benchmark::State &state)
{
    const QString root = bench::GeneratedTree();
    filelist::ListViewEditable list;
    list.setPath(root);
    list.setFileSpec(QStringLiteral("*.*"));
    list.setRecursive(true);
    list.setCheckboxes(true);
    for (auto _ : state) {
        list.Scan();
        benchmark::DoNotOptimize(list.FileItemCount());
    }
    state.counters["rows"] = double(list.FileItemCount());
}

// What follows a scan in the main window: the list sorted by name (key set, then sorting switched
// on, each of which sorts), and a whole copy of the rows (the list the type filter works from).
void BM_SortAfterScan(benchmark::State &state)
{
    const QString root = bench::GeneratedTree();
    filelist::ListViewEditable list;
    list.setPath(root);
    list.setFileSpec(QStringLiteral("*.*"));
    list.setRecursive(true);
    list.Scan();
    for (auto _ : state) {
        state.PauseTiming();
        list.setSorted(false);
        list.SortByColumn(1, filelist::ldtString, false);  // the other way round first
        state.ResumeTiming();
        list.setSortKey(0);
        list.setSorted(true);
    }
    state.counters["rows"] = double(list.FileItemCount());
}

void BM_CopyRowsAfterScan(benchmark::State &state)
{
    const QString root = bench::GeneratedTree();
    filelist::ListViewEditable list;
    list.setPath(root);
    list.setFileSpec(QStringLiteral("*.*"));
    list.setRecursive(true);
    list.Scan();
    filelist::ListViewEditable copy;
    for (auto _ : state) {
        copy.ClearItems();
        filelist::ListItemsModel &target = copy.ListItems();
        target.BeginBatch();
        for (int32_t i = 1; i <= list.ListItems().Count(); ++i)
            target.Append(filelist::ListItem(list.ListItems().Item(i)));
        target.EndBatch();
    }
    state.counters["rows"] = double(copy.FileItemCount());
}

} // namespace

BENCHMARK(BM_SortAfterScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyRowsAfterScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScanIntoList)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    return bench::RunBenchmarks<QCoreApplication>(argc, argv);
}

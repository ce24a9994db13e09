// Scanning a generated folder of 100,000 files (100 sub-folders of 1,000 files) into the file
// list, rows, texts, icons keys and model included, beside `find` over the same folder. The
// list's yield is the program's default (the event loop at most every few milliseconds).
#include "BenchSupport.h"
#include "EntryStats.h"
#include "ItemLookups.h"
#include "ListItemsModel.h"
#include "ListViewEditable.h"

#include <QCoreApplication>
#include <QDir>
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

// The look-ups of a filter's re-list: every listed item looked up again, in list order. Range 0:
// the generated tree (100 folders of 1,000 files); range 1: 20,000 folders of one file each.
void BM_LookUpAgain(benchmark::State &state)
{
    static QTemporaryDir lonely;
    std::vector<filelist::ItemLookups::Item> items;
    if (state.range(0) == 0) {
        const QString root = bench::GeneratedTree();
        filelist::ListViewEditable list;
        list.setPath(root);
        list.setFileSpec(QStringLiteral("*.*"));
        list.setRecursive(true);
        list.Scan();
        for (int32_t i = 1; i <= list.ListItems().Count(); ++i)
            items.push_back({list.ListItems().Item(i).SubItems(1), list.ListItems().Item(i).Text});
    } else {
        for (int f = 0; f < 20000; ++f) {
            const QString folder = lonely.filePath(QStringLiteral("d%1").arg(f)) + u'/';
            if (state.iterations() == 0 && !QFile::exists(folder)) {
                QDir().mkpath(folder);
                QFile(folder + QStringLiteral("f.txt")).open(QIODevice::WriteOnly);
            }
            items.push_back({folder, QStringLiteral("f.txt")});
        }
    }
    filelist::EntryStats stats;
    for (auto _ : state) {
        filelist::ItemLookups lookups(stats, items);
        for (size_t i = 0; i < lookups.size(); ++i)
            benchmark::DoNotOptimize(lookups.stat(i).size);
    }
    state.counters["items"] = double(items.size());
}

} // namespace

BENCHMARK(BM_LookUpAgain)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SortAfterScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyRowsAfterScan)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FindFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ScanIntoList)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    return bench::RunBenchmarks<QCoreApplication>(argc, argv);
}

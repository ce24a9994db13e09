// Scanning a generated folder of 100,000 files (100 sub-folders of 1,000 files) into the file
// list, rows, texts, icons keys and model included, beside `find` over the same folder. The
// list's yield is the program's default (the event loop at most every few milliseconds).
#include "ListItemsModel.h"
#include "ListViewEditable.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int Folders = 100;
constexpr int FilesPerFolder = 1000;

const char *const kExtensions[] = {".jpg", ".txt", ".mp3", ".doc", ".png", ".dat", ""};

// The generated tree, made once for every benchmark of the run.
QString generatedFolder()
{
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        made = true;
        const QByteArray root = QFile::encodeName(dir.path());
        for (int f = 0; f < Folders; ++f) {
            const QByteArray folder = root + "/folder" + QByteArray::number(f);
            ::mkdir(folder.constData(), 0755);
            for (int i = 0; i < FilesPerFolder; ++i) {
                const QByteArray name = folder + "/file_" + QByteArray::number(i) + kExtensions[i % 7];
                const int fd = ::open(name.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
                if (fd >= 0) {
                    if (i % 3 == 0)
                        (void)::write(fd, "some bytes", 10);
                    ::close(fd);
                }
            }
        }
    }
    return dir.path();
}

void BM_FindFolder(benchmark::State &state)
{
    const QString root = generatedFolder();
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
    const QString root = generatedFolder();
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
    const QString root = generatedFolder();
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
    const QString root = generatedFolder();
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
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}

#pragma once
// What the benchmarks share: a generated folder tree and a main that runs them under a Qt
// application with a pinned locale.
#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bench {

inline constexpr int TreeFolders = 100;
inline constexpr int TreeFilesPerFolder = 1000;

/** 100 folders of 1,000 files with seven extensions (every third file holds a few bytes),
 *  made once per run; its path. */
inline QString GeneratedTree()
{
    static const char *const extensions[] = {".jpg", ".txt", ".mp3", ".doc", ".png", ".dat", ""};
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        made = true;
        const QByteArray root = QFile::encodeName(dir.path());
        for (int f = 0; f < TreeFolders; ++f) {
            const QByteArray folder = root + "/folder" + QByteArray::number(f);
            ::mkdir(folder.constData(), 0755);
            for (int i = 0; i < TreeFilesPerFolder; ++i) {
                const QByteArray name = folder + "/file_" + QByteArray::number(i) + extensions[i % 7];
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

/** Runs the registered benchmarks under an application of type `App` (windows need
 *  QApplication on the offscreen platform). */
template <class App>
int RunBenchmarks(int argc, char **argv, bool offscreen = false)
{
    if (offscreen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}

} // namespace bench

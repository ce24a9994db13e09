// The unattended rename-drop run as a user meets it: the built program started with a
// rename-drop file and dropped paths (arguments passed byte for byte), renaming at once, telling
// on standard error every row it did not rename, and exiting 0, 1 or 2.
#include "../metadata/ByteBuilders.h"
#include "PathCodec.h"
#include "RenameDropFile.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"
#include "TestFiles.h"
#include "modMain.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct RunResult {
    int exitCode = -1;
    QString errors;
    QStringList errorLines() const { return errors.split(u'\n', Qt::SkipEmptyParts); }
};

// Paths in these tests are QStrings that may carry raw bytes (U+DC80..U+DCFF), as the program's
// own code keeps them; every file-system call encodes them back to the very bytes.
QByteArray raw(const QString &path) { return pathcodec::encode(path); }
bool existsRaw(const QString &path)
{
    struct stat st;
    return ::lstat(raw(path).constData(), &st) == 0;
}
QByteArray readRaw(const QString &path)
{
    QFile f;
    const int fd = ::open(raw(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {};
    return f.readAll();
}

class HeadlessRun : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    // The program folder's name in the temporary folder; it may carry raw bytes.
    QString homeName = QStringLiteral("home");
    QString home() const { return tmp.path() + u'/' + homeName; }
    QString files() const { return tmp.filePath("files"); }
    QString at(const QString &name) const { return files() + u'/' + name; }

    void SetUp() override
    {
        QDir().mkpath(home());
        QDir().mkpath(files());
        QDir().mkpath(tmp.filePath("runtime"));
        ::chmod(QFile::encodeName(tmp.filePath("runtime")).constData(), 0700);
    }

    // QTemporaryDir cannot remove names that are not UTF-8: the tree goes byte for byte here.
    void TearDown() override
    {
        ::nftw(raw(tmp.path()).constData(),
               [](const char *path, const struct stat *, int, FTW *) { return ::remove(path); }, 16,
               FTW_DEPTH | FTW_PHYS);
    }

    void file(const QString &name, const QByteArray &bytes = "x")
    {
        const QByteArray path = raw(at(name));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << path.constData();
        ASSERT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
        ::close(fd);
    }

    QString writeRnp(const engine::RenameSettings &settings)
    {
        const QString path = tmp.filePath("run.rnp");
        EXPECT_TRUE(settingsfiles::WriteRenameDropFile(path, settings, settingsfiles::RenameWindowState{}));
        return path;
    }

    QString prefixRnp(const QString &prefix)
    {
        engine::RenameSettings settings;
        settings.checkOnly({QStringLiteral("Prefix")});
        settings.PrefixSource = prefix;
        return writeRnp(settings);
    }

    /** Starts the built program in `cwd` with `arguments` as given (raw bytes restored) and
     *  waits for it; `fileSizeLimit` caps every file it writes, as a full disk would. */
    RunResult run(const QStringList &arguments, const QString &cwd = {}, rlim_t fileSizeLimit = RLIM_INFINITY)
    {
        std::vector<QByteArray> argStore{QByteArray(VEXLO_BINARY)};
        for (const QString &a : arguments)
            argStore.push_back(raw(a));
        std::vector<char *> argv;
        for (QByteArray &a : argStore)
            argv.push_back(a.data());
        argv.push_back(nullptr);

        std::vector<QByteArray> envStore;
        for (char **e = environ; *e; ++e) {
            const QByteArray entry(*e);
            for (const char *replaced : {"QT_QPA_PLATFORM=", "VEXLO_HOME=", "VEXLO_MESSAGES=", "HOME=",
                                         "XDG_CONFIG_HOME=", "XDG_RUNTIME_DIR="})
                if (entry.startsWith(replaced))
                    goto skip;
            envStore.push_back(entry);
        skip:;
        }
        envStore.push_back("QT_QPA_PLATFORM=offscreen");
        envStore.push_back("VEXLO_HOME=" + raw(home()));
        envStore.push_back("VEXLO_MESSAGES=stderr");
        envStore.push_back("HOME=" + tmp.path().toUtf8());
        envStore.push_back("XDG_CONFIG_HOME=" + tmp.filePath("config").toUtf8());
        envStore.push_back("XDG_RUNTIME_DIR=" + tmp.filePath("runtime").toUtf8());
        std::vector<char *> envp;
        for (QByteArray &e : envStore)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        const QByteArray dir = raw(cwd.isEmpty() ? tmp.path() : cwd);

        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
            ADD_FAILURE() << "pipe";
            return {};
        }
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(pipeFds[1], 2);
            const int devNull = ::open("/dev/null", O_WRONLY);
            ::dup2(devNull, 1);
            if (::chdir(dir.constData()) != 0)
                ::_exit(126);
            if (fileSizeLimit != RLIM_INFINITY) {
                ::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{};
                ::getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = fileSizeLimit;
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            ::execve(argv[0], argv.data(), envp.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        QByteArray out;
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(pipeFds[0], buf, sizeof buf);
            if (n > 0)
                out.append(buf, n);
            else if (n == 0 || errno != EINTR)
                break;
        }
        ::close(pipeFds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        RunResult r;
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.errors = QString::fromUtf8(out);
        return r;
    }
};

TEST_F(HeadlessRun, RowsWhosePreviewFailedAreToldAndLeftAlone)
{
    // The picture's year as a prefix: pictures without a date cannot have one.
    using bytes::ExifBuilder;
    using bytes::Ifd;
    const QByteArray undated = ExifBuilder(true).ascii(Ifd::Zero, 271, "Cam").ascii(Ifd::Zero, 272, "One").jpeg();
    const QByteArray dated = ExifBuilder(true)
                                 .ascii(Ifd::Zero, 271, "Cam")
                                 .ascii(Ifd::Zero, 306, "2024:05:06 07:08:09")
                                 .jpeg();
    file(QStringLiteral("a.jpg"), undated);
    file(QStringLiteral("b.jpg"), dated);
    file(QStringLiteral("c.jpg"), undated);
    engine::RenameSettings settings;
    settings.checkOnly({QStringLiteral("Prefix")});
    settings.PrefixSource = QStringLiteral("$Exif_date_$yyyy$");
    const RunResult r = run({writeRnp(settings), at("a.jpg"), at("b.jpg"), at("c.jpg")});

    EXPECT_EQ(r.exitCode, app::modMain::SomeFailed) << r.errors.toStdString();
    const QStringList lines = r.errorLines().filter(QStringLiteral("Row "));
    ASSERT_EQ(lines.size(), 2) << r.errors.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Row 1: ") + at("a.jpg"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Row 3: ") + at("c.jpg"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("preview failed"))) << lines[0].toStdString();
    EXPECT_EQ(testfiles::readFile(at("a.jpg")), undated);
    EXPECT_EQ(testfiles::readFile(at("c.jpg")), undated);
    EXPECT_EQ(testfiles::readFile(at("2024b.jpg")), dated);
}

TEST_F(HeadlessRun, APreviewThatDidNotRunRenamesNothingAndExitsTwo)
{
    file(QStringLiteral("a.txt"));
    engine::RenameSettings settings;
    settings.checkOnly({});
    const RunResult r = run({writeRnp(settings), at("a.txt")});
    EXPECT_EQ(r.exitCode, app::modMain::NothingRan) << r.errors.toStdString();
    EXPECT_EQ(r.errors.count(QStringLiteral("Please Select Actions")), 1) << r.errors.toStdString();
    EXPECT_TRUE(r.errors.contains(QStringLiteral("Nothing was renamed"))) << r.errors.toStdString();
    EXPECT_EQ(QDir(files()).entryList(QDir::Files), QStringList{QStringLiteral("a.txt")});
}

TEST_F(HeadlessRun, RowsInsideARenamedFolderFollowIt)
{
    QDir().mkpath(at("dir/sub"));
    file(QStringLiteral("dir/a.txt"), "a");
    file(QStringLiteral("dir/sub/b.txt"), "b");
    const RunResult r = run({prefixRnp(QStringLiteral("x_")), at("dir"), at("dir/sub"), at("dir/a.txt"),
                             at("dir/sub/b.txt")});
    EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
    EXPECT_EQ(testfiles::readFile(at("x_dir/x_a.txt")), "a");
    EXPECT_EQ(testfiles::readFile(at("x_dir/x_sub/x_b.txt")), "b");
    EXPECT_FALSE(existsRaw(at("dir")));
}

TEST_F(HeadlessRun, ANameThatOnlyChangesLetterCaseIsRenamed)
{
    QDir().mkpath(at("photos"));
    file(QStringLiteral("photos/inside.jpg"), "i");
    file(QStringLiteral("a.txt"), "a");
    file(QStringLiteral("C.txt"), "C");
    // Two names that differ in case only are two files: the one cannot take the other's name.
    file(QStringLiteral("b.txt"), "b");
    file(QStringLiteral("B.txt"), "B");
    engine::RenameSettings settings;
    settings.checkOnly({QStringLiteral("Change Case")});
    settings.CaseMode = engine::CaseOption::Upper;
    const RunResult r = run({writeRnp(settings), at("a.txt"), at("photos"), at("b.txt"), at("C.txt")});

    EXPECT_EQ(r.exitCode, app::modMain::SomeFailed) << r.errors.toStdString();
    const QStringList lines = r.errorLines().filter(QStringLiteral("Row "));
    ASSERT_EQ(lines.size(), 1) << r.errors.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Row 3: ") + at("b.txt"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("File already exists"))) << lines[0].toStdString();
    EXPECT_EQ(QDir(files()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
              (QStringList{"A.txt", "B.txt", "C.txt", "PHOTOS", "b.txt"}));
    EXPECT_EQ(testfiles::readFile(at("A.txt")), "a");
    EXPECT_EQ(testfiles::readFile(at("PHOTOS/inside.jpg")), "i");
    EXPECT_EQ(testfiles::readFile(at("b.txt")), "b");
    EXPECT_EQ(testfiles::readFile(at("B.txt")), "B");
}

// A long list is looked up side by side: every row still gets its own item's size, in argument
// order, also across a change of folder in the middle of the list.
TEST_F(HeadlessRun, EachItemOfALongListKeepsItsOwnLookUp)
{
    QDir().mkpath(at("many"));
    QDir().mkpath(at("other"));
    file(QStringLiteral("other/o.t"), QByteArray(42, 'o'));
    const int count = 9000;
    QStringList arguments{prefixRnp(QStringLiteral("$filesizeB$"))};
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("%1.t").arg(i, 5, 10, QChar(u'0'));
        file(QStringLiteral("many/") + name, QByteArray(i % 9 + 1, 'x'));
        arguments << name;
        if (i == count / 2)
            arguments << QStringLiteral("../other/o.t");
    }
    const RunResult r = run(arguments, at("many"));
    ASSERT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.left(500).toStdString();
    int wrong = 0;
    for (int i = 0; i < count; ++i) {
        const QString renamed = QStringLiteral("many/%1B%2.t").arg(i % 9 + 1).arg(i, 5, 10, QChar(u'0'));
        if (!existsRaw(at(renamed)) && ++wrong <= 3)
            ADD_FAILURE() << "missing " << renamed.toStdString();
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(existsRaw(at("other/42Bo.t")));
}

// With a program folder of its own, the run writes nothing outside it: the window places and
// every other store stay inside.
TEST_F(HeadlessRun, NothingIsWrittenOutsideTheProgramFolder)
{
    file(QStringLiteral("a.txt"));
    const QString rnp = prefixRnp(QStringLiteral("x_"));
    const RunResult r = run({rnp, at("a.txt")});
    EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
    QStringList outside;
    QDirIterator it(tmp.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path != home() && !path.startsWith(home() + u'/') && !path.startsWith(files()) && path != rnp
            && !path.startsWith(tmp.filePath("runtime")))
            outside << path;
    }
    EXPECT_TRUE(outside.isEmpty()) << outside.join(u'\n').toStdString();
    EXPECT_FALSE(QDir(home()).entryList(QDir::Files).isEmpty());
}

// Names that look like toolkit options or hold "|" are names like any other, relative paths
// included.
TEST_F(HeadlessRun, EveryArgumentIsAName)
{
    const QStringList names{QStringLiteral("-reverse"), QStringLiteral("-platform"), QStringLiteral("x.txt"),
                            QStringLiteral("-style"), QStringLiteral("a|b.txt"), QStringLiteral("--help")};
    for (const QString &name : names)
        file(name, name.toUtf8());
    prefixRnp(QStringLiteral("x_"));
    QStringList arguments{QStringLiteral("../run.rnp")};
    arguments += names;
    const RunResult r = run(arguments, files());
    EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(testfiles::readFile(at(QStringLiteral("x_") + name)), name.toUtf8());
        EXPECT_FALSE(existsRaw(at(name)));
    }
}

TEST_F(HeadlessRun, LinksAreItemsAndPathsResolveAsTheKernelDoes)
{
    // side/link leads to target/inner: "side/link/../victim.txt" is target/victim.txt, not the
    // decoy beside the link.
    QDir().mkpath(at("target/inner"));
    QDir().mkpath(at("side"));
    file(QStringLiteral("target/victim.txt"), "victim");
    file(QStringLiteral("side/victim.txt"), "decoy");
    ASSERT_EQ(::symlink("../target/inner", raw(at("side/link")).constData()), 0);
    ASSERT_EQ(::symlink("nowhere", raw(at("dangling")).constData()), 0);
    ASSERT_EQ(::symlink("loop2", raw(at("loop1")).constData()), 0);
    ASSERT_EQ(::symlink("loop1", raw(at("loop2")).constData()), 0);

    const RunResult r = run({prefixRnp(QStringLiteral("x_")), at("side/link/../victim.txt"), at("dangling"),
                             at("loop1")});
    EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
    EXPECT_EQ(testfiles::readFile(at("target/x_victim.txt")), "victim");
    EXPECT_EQ(testfiles::readFile(at("side/victim.txt")), "decoy");
    EXPECT_EQ(QFileInfo(at("x_dangling")).symLinkTarget(), at("nowhere"));
    EXPECT_FALSE(existsRaw(at("dangling")));
    EXPECT_TRUE(QFileInfo(at("x_loop1")).isSymLink());
    EXPECT_FALSE(existsRaw(at("loop1")));
}

// A name with the byte 0xFF and one with U+FFFD (which 0xFF would wrongly decode to) side by
// side: the run renames exactly the one it was given.
TEST_F(HeadlessRun, NamesThatAreNotUtf8AreRenamedByteForByte)
{
    const QString rawName = QStringLiteral("n") + QChar(char16_t(0xDCFF)) + QStringLiteral(".txt");
    const QString replacement = QStringLiteral("n\uFFFD.txt");
    const QString rnp = prefixRnp(QStringLiteral("x_"));
    for (const QString &given : {rawName, replacement}) {
        SCOPED_TRACE(given == rawName ? "byte 0xFF" : "U+FFFD");
        const QString other = given == rawName ? replacement : rawName;
        // The raw name is given relative to a folder whose own name is not UTF-8 either.
        const QString folder = given == rawName ? QStringLiteral("raw") + QChar(char16_t(0xDCFE)) + u'/'
                                                : QStringLiteral("replacement/");
        ASSERT_EQ(::mkdir(raw(at(folder)).constData(), 0755), 0);
        file(folder + rawName, "raw");
        file(folder + replacement, "replacement");
        const RunResult r = given == rawName ? run({rnp, given}, at(folder)) : run({rnp, at(folder + given)});
        EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
        EXPECT_TRUE(existsRaw(at(folder + QStringLiteral("x_") + given)));
        EXPECT_FALSE(existsRaw(at(folder + given)));
        EXPECT_TRUE(existsRaw(at(folder + other)));
        EXPECT_FALSE(existsRaw(at(folder + QStringLiteral("x_") + other)));
    }
}

// A name that starts with U+FEFF (bytes EF BB BF) is its own file: given as an argument, that
// file is renamed and its plain-named neighbour is left alone; given both, each is renamed to its
// own new name.
TEST_F(HeadlessRun, ANameStartingWithUFeffIsItsOwnFile)
{
    const QString marked = pathcodec::decode(QByteArray("\xEF\xBB\xBF" "a"));
    const QString plain = QStringLiteral("a");
    const QString rnp = prefixRnp(QStringLiteral("x_"));
    for (const bool both : {false, true}) {
        SCOPED_TRACE(both ? "both given" : "the marked name given");
        file(marked, "marked");
        file(plain, "plain");
        const RunResult r = run(both ? QStringList{rnp, plain, marked} : QStringList{rnp, marked}, files());
        EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
        EXPECT_EQ(testfiles::readFile(QString::fromUtf8(raw(at(QStringLiteral("x_") + marked)))), "marked");
        EXPECT_FALSE(existsRaw(at(marked)));
        if (both) {
            EXPECT_EQ(testfiles::readFile(at(QStringLiteral("x_a"))), "plain");
            EXPECT_FALSE(existsRaw(at(plain)));
        } else {
            EXPECT_EQ(testfiles::readFile(at(plain)), "plain");
            EXPECT_FALSE(existsRaw(at(QStringLiteral("x_a"))));
        }
        EXPECT_EQ(QDir(files()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 2);
        for (const QString &name : QDir(files()).entryList(QDir::Files | QDir::NoDotAndDotDot))
            ::unlink(raw(at(name)).constData());
    }
}

// The same item given twice, also as "d/./f.txt" beside "d/f.txt", is renamed once; the later
// rows are told as duplicates of the row that renamed it, not as missing files.
TEST_F(HeadlessRun, ADuplicateItemIsRenamedOnceAndToldAsSuch)
{
    QDir().mkpath(at("d"));
    file(QStringLiteral("d/f.txt"), "f");
    const RunResult r =
        run({prefixRnp(QStringLiteral("x_")), QStringLiteral("d/f.txt"), QStringLiteral("d/./f.txt"), at("d/f.txt")},
            files());
    EXPECT_EQ(r.exitCode, app::modMain::SomeFailed) << r.errors.toStdString();
    const QStringList lines = r.errorLines().filter(QStringLiteral("Row "));
    ASSERT_EQ(lines.size(), 2) << r.errors.toStdString();
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(lines[i].startsWith(QStringLiteral("Row %1: ").arg(i + 2))) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].endsWith(QStringLiteral("Duplicate: the same item as row 1, which renamed it already")))
            << lines[i].toStdString();
    }
    EXPECT_EQ(QDir(at("d")).entryList(QDir::Files), QStringList{QStringLiteral("x_f.txt")});
    EXPECT_EQ(testfiles::readFile(at("d/x_f.txt")), "f");
}

// A name holding a line break or a NUL-free control character cannot forge a line of its own.
TEST_F(HeadlessRun, FailureLinesEscapeControlCharacters)
{
    const QString evil = QStringLiteral("evil\nRow 9: forged\t.txt");
    file(evil, "e");
    file(QStringLiteral("x_") + evil, "taken");
    const RunResult r = run({prefixRnp(QStringLiteral("x_")), at(evil)});
    EXPECT_EQ(r.exitCode, app::modMain::SomeFailed);
    const QStringList lines = r.errorLines();
    ASSERT_EQ(lines.size(), 1) << r.errors.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Row 1: "))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].contains(QStringLiteral("evil\\nRow 9: forged\\t.txt"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("File already exists"))) << lines[0].toStdString();
    EXPECT_EQ(testfiles::readFile(at(QStringLiteral("x_") + evil)), "taken");
}

// A program folder that fills up: the settings file keeps its old bytes, the failure is told
// once, and the renames still happen. (A settings file the run would write unchanged is not
// written at all: this one has a line past the 24 the program writes, so it must be.)
TEST_F(HeadlessRun, FullProgramFolderKeepsTheSettingsFileAndSaysSo)
{
    file(QStringLiteral("a.txt"));
    QByteArray settings;
    for (const char *line : {"blank", "blank", "blank", "blank", "Report", "", "0", "0", "False", "False", "",
                             "", "", "", "0", "0", "0", "0", "0", "0", "0", "0", "0", "1", "older"})
        settings += QByteArray(line) + "\r\n";
    const QString ini = home() + QStringLiteral("/Trevalle.ini");
    testfiles::writeFile(ini, settings);
    const QString rnp = prefixRnp(QStringLiteral("x_"));

    const RunResult r = run({rnp, at("a.txt")}, {}, 16);
    EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
    EXPECT_TRUE(existsRaw(at("x_a.txt")));
    EXPECT_EQ(testfiles::readFile(ini), settings);
    EXPECT_EQ(r.errors.count(QStringLiteral("could not be saved")), 1) << r.errors.toStdString();
    EXPECT_TRUE(r.errors.contains(QStringLiteral("Disk full"))) << r.errors.toStdString();
}

// $VEXLO_HOME naming a file, or a path under one: the run says that the program folder is not a
// folder (naming what is in the way) rather than that its settings file cannot be read, and
// renames all the same.
TEST_F(HeadlessRun, AProgramFolderThatIsNotOneIsSaidSoAndTheRunGoesOn)
{
    testfiles::writeFile(tmp.filePath("plain"), "a file, not a folder");
    const struct {
        const char *homeName;
        const char *told;
    } cases[] = {
        {"plain", "\" (VEXLO_HOME) is not a folder; "},
        {"plain/sub", "\" (VEXLO_HOME) cannot be made: \"%1/plain\" on its way is not a folder; "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.homeName);
        homeName = QString::fromLatin1(c.homeName);
        file(QStringLiteral("a.txt"));
        const RunResult r = run({prefixRnp(QStringLiteral("x_")), at("a.txt")});
        EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
        EXPECT_TRUE(existsRaw(at("x_a.txt")));
        QFile::remove(at("x_a.txt"));
        const QStringList lines = r.errorLines();
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines[0], QStringLiteral("The program folder \"") + home()
                                + QString::fromLatin1(c.told).arg(tmp.path())
                                + QStringLiteral("nothing is read from it or saved in it, and the default settings "
                                                 "are used."));
        EXPECT_EQ(r.errors.count(QStringLiteral("The program folder")), 1) << r.errors.toStdString();
        EXPECT_FALSE(r.errors.contains(QStringLiteral("cannot be read"))) << r.errors.toStdString();
        EXPECT_FALSE(r.errors.contains(QStringLiteral("could not be saved"))) << r.errors.toStdString();
        EXPECT_EQ(testfiles::readFile(tmp.filePath("plain")), "a file, not a folder");
    }
}

// A rename-drop file that is a FIFO, or far larger than any valid one, is refused at once.
TEST_F(HeadlessRun, RenameDropFilesThatCannotBeSettingsAreRefusedAtOnce)
{
    file(QStringLiteral("a.txt"));
    const QString fifo = tmp.filePath("fifo.rnp");
    ASSERT_EQ(::mkfifo(raw(fifo).constData(), 0644), 0);
    const QString huge = tmp.filePath("huge.rnp");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(50 * 1024 * 1024));
    }
    const struct {
        QString rnp;
        const char *reason;
    } cases[] = {{fifo, "not a regular file"}, {huge, "larger"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.reason);
        const RunResult r = run({c.rnp, at("a.txt")});
        EXPECT_EQ(r.exitCode, app::modMain::NothingRan);
        EXPECT_TRUE(r.errors.contains(QStringLiteral("Invalid File"))) << r.errors.toStdString();
        EXPECT_TRUE(r.errors.contains(QLatin1String(c.reason))) << r.errors.toStdString();
        EXPECT_EQ(r.errors.count(QStringLiteral("Nothing was renamed")), 1) << r.errors.toStdString();
        EXPECT_TRUE(existsRaw(at("a.txt")));
    }
}

} // namespace

// What a shell makes of ".*" in a folder: ".", ".." and the hidden files. "." and ".." (also as
// the last component of a path) are refused for their rows; the real items are renamed, and
// nothing above them changes.
TEST_F(HeadlessRun, DotAndDotDotAreNeverItems)
{
    QDir().mkpath(at("dir"));
    file(QStringLiteral("a.txt"), "a");
    file(QStringLiteral(".hidden"), "h");
    file(QStringLiteral("dir/b.txt"), "b");
    prefixRnp(QStringLiteral("x_"));
    const RunResult r = run({QStringLiteral("../run.rnp"), QStringLiteral("."), QStringLiteral(".."),
                             QStringLiteral(".hidden"), QStringLiteral("a.txt"), QStringLiteral("dir/.."),
                             QStringLiteral("dir/b.txt"), QStringLiteral("dir/./"), at(QStringLiteral("dir/.."))},
                            files());
    EXPECT_EQ(r.exitCode, app::modMain::SomeFailed) << r.errors.toStdString();
    const QStringList refused = r.errorLines().filter(QStringLiteral("'.' and '..' cannot be renamed"));
    EXPECT_EQ(refused.size(), 5) << r.errors.toStdString();
    for (const char *row : {"Row 1: ", "Row 2: ", "Row 5: ", "Row 7: ", "Row 8: "})
        EXPECT_EQ(refused.filter(QString::fromLatin1(row)).size(), 1) << row << r.errors.toStdString();
    EXPECT_EQ(r.errorLines().filter(QStringLiteral("Row ")).size(), 5) << r.errors.toStdString();

    EXPECT_EQ(testfiles::readFile(at("x_a.txt")), "a");
    EXPECT_EQ(testfiles::readFile(at("x_.hidden")), "h");
    EXPECT_EQ(testfiles::readFile(at("dir/x_b.txt")), "b");
    // The working folder, its parent and "dir" keep their names.
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{"files", "home", "run.rnp", "runtime"}));
    EXPECT_EQ(QDir(files()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{"dir", "x_.hidden", "x_a.txt"}));
    EXPECT_TRUE(QFileInfo(tmp.path()).isDir());
}

// An item that is not there fails even when the actions leave its name as it is.
TEST_F(HeadlessRun, AMissingItemIsAFailureEvenWithItsNameUnchanged)
{
    file(QStringLiteral("here.txt"), "h");
    engine::RenameSettings settings;
    settings.checkOnly({QStringLiteral("Prefix"), QStringLiteral("Suffix")});
    settings.PrefixSource.clear();
    settings.SuffixSource.clear();
    const RunResult r = run({writeRnp(settings), at("here.txt"), at("missing.txt")});
    EXPECT_EQ(r.exitCode, app::modMain::SomeFailed) << r.errors.toStdString();
    const QStringList lines = r.errorLines().filter(QStringLiteral("Row "));
    ASSERT_EQ(lines.size(), 1) << r.errors.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Row 2: ") + at("missing.txt"))) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("File not found"))) << lines[0].toStdString();
    EXPECT_EQ(testfiles::readFile(at("here.txt")), "h");
    EXPECT_FALSE(existsRaw(at("missing.txt")));
}

// The modified names' shortest length is 0 while the Preview column is still empty: every base
// name would be cut to nothing. No row becomes its bare extension (a hidden ".txt").
TEST_F(HeadlessRun, NoNameIsCutDownToItsExtension)
{
    file(QStringLiteral("abc.txt"), "a");
    file(QStringLiteral("def.txt"), "d");
    engine::RenameSettings settings;
    settings.checkOnly({QStringLiteral("Length")});
    settings.LengthTarget = QStringLiteral("=Shortest Modified Filename Length");
    settings.LengthTakeMode = engine::LengthTakeOption::Beginning;
    const RunResult r = run({writeRnp(settings), at("abc.txt"), at("def.txt")});
    EXPECT_EQ(r.exitCode, app::modMain::SomeFailed) << r.errors.toStdString();
    const QStringList lines = r.errorLines().filter(QStringLiteral("Row "));
    ASSERT_EQ(lines.size(), 2) << r.errors.toStdString();
    for (const QString &line : lines)
        EXPECT_TRUE(line.endsWith(QStringLiteral("empty name"))) << line.toStdString();
    EXPECT_FALSE(existsRaw(at(".txt")));
    EXPECT_EQ(testfiles::readFile(at("abc.txt")), "a");
    EXPECT_EQ(testfiles::readFile(at("def.txt")), "d");
}

// A settings file that cannot be read as one (binary, far too large) is told once with its path
// and reason, kept aside under a free name (an earlier one is never replaced), and only then
// replaced by the defaults; the run itself goes on.
TEST_F(HeadlessRun, UnreadableSettingsFileIsToldAndKeptAside)
{
    const QString ini = home() + QStringLiteral("/Trevalle.ini");
    QByteArray binary("blank\r\n\x00\x01\x02\xff\xfe binary\r\n", 25);
    const QByteArray huge(2 * 1024 * 1024, 'x');
    const struct {
        const char *what;
        QByteArray bytes;
        bool earlierBad;
        const char *reason;
        const char *keptAs;
    } cases[] = {
        {"binary", binary, false, "binary", "Trevalle.ini.bad"},
        {"too large", huge, false, "larger", "Trevalle.ini.bad"},
        {"binary, an earlier one kept", binary, true, "binary", "Trevalle.ini.bad.2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        for (const QString &name : QDir(home()).entryList(QDir::Files))
            QFile::remove(home() + u'/' + name);
        file(QStringLiteral("a.txt"));
        testfiles::writeFile(ini, c.bytes);
        if (c.earlierBad)
            testfiles::writeFile(ini + QStringLiteral(".bad"), "the one kept before");
        const QString rnp = prefixRnp(QStringLiteral("x_"));

        const RunResult r = run({rnp, at("a.txt")});

        EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
        EXPECT_TRUE(existsRaw(at("x_a.txt")));
        QFile::remove(at("x_a.txt"));
        EXPECT_EQ(r.errors.count(QStringLiteral("Invalid File")), 1) << r.errors.toStdString();
        EXPECT_TRUE(r.errors.contains(ini)) << r.errors.toStdString();
        EXPECT_TRUE(r.errors.contains(QLatin1String(c.reason))) << r.errors.toStdString();
        EXPECT_TRUE(r.errors.contains(QLatin1String(c.keptAs))) << r.errors.toStdString();
        EXPECT_EQ(testfiles::readFile(home() + u'/' + QLatin1String(c.keptAs)), c.bytes);
        if (c.earlierBad) {
            EXPECT_EQ(testfiles::readFile(ini + QStringLiteral(".bad")), "the one kept before");
        }
        // The defaults took its place: a settings file of text lines.
        const QByteArray defaults = testfiles::readFile(ini);
        EXPECT_FALSE(defaults.isEmpty());
        EXPECT_FALSE(defaults.contains('\0'));
        EXPECT_LT(defaults.size(), 1024);
    }
}

// A settings file that is a FIFO, a device, a dangling link or a link to either is never read or
// replaced: the run goes on and the refusal is told with the path and the reason.
TEST_F(HeadlessRun, SettingsFileInThePlaceOfSomethingElseIsLeftAsItIs)
{
    const QString ini = home() + QStringLiteral("/Trevalle.ini");
    const QString target = tmp.filePath("target");
    const auto fifo = [](const QByteArray &p) { return ::mkfifo(p.constData(), 0600) == 0; };
    const auto device = [](const QByteArray &p) { return ::mknod(p.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0; };
    const struct {
        const char *what;
        bool (*make)(const QByteArray &);
        bool link;
        const char *reason;
    } cases[] = {
        {"a FIFO", fifo, false, "a FIFO"},
        {"a link to a FIFO", fifo, true, "a FIFO"},
        {"a dangling link", nullptr, true, "does not exist"},
        {"a link to a device", device, true, "a character device"},
    };
    bool deviceMade = true;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(ini);
        QFile::remove(target);
        file(QStringLiteral("a.txt"));
        if (c.make && !c.make(raw(c.link ? target : ini))) {
            deviceMade = false;
            continue;
        }
        if (c.link) {
            ASSERT_EQ(::symlink(raw(target).constData(), raw(ini).constData()), 0);
        }
        struct stat before {};
        ::lstat(raw(ini).constData(), &before);
        const QString rnp = prefixRnp(QStringLiteral("x_"));

        const RunResult r = run({rnp, at("a.txt")});

        EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
        EXPECT_TRUE(existsRaw(at("x_a.txt")));
        QFile::remove(at("x_a.txt"));
        EXPECT_EQ(r.errors.count(QStringLiteral("could not be saved")), 1) << r.errors.toStdString();
        EXPECT_TRUE(r.errors.contains(QLatin1String(c.reason))) << r.errors.toStdString();
        struct stat after {};
        ASSERT_EQ(::lstat(raw(ini).constData(), &after), 0);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_FALSE(existsRaw(ini + QStringLiteral(".bad")));
        struct stat behind {};
        if (c.make) {
            ASSERT_EQ(::stat(raw(ini).constData(), &behind), 0);
            EXPECT_FALSE(S_ISREG(behind.st_mode));
        } else {
            EXPECT_FALSE(existsRaw(target)) << "a file was made where the dangling link points";
        }
    }
    if (!deviceMade)
        GTEST_SKIP() << "this process may not make device nodes; the other cases ran";
}

// A program folder whose name is not UTF-8 is that very folder: the run makes it and keeps its
// settings there, and a settings file there that cannot be read is told and kept aside in it.
// No look-alike folder (U+FFFD in place of the byte) is made beside it.
TEST_F(HeadlessRun, AProgramFolderNamedByBytesThatAreNotUtf8IsUsedAsItself)
{
    homeName = pathcodec::decode(QByteArray("home\xE9"));
    const QString ini = home() + QStringLiteral("/Trevalle.ini");
    const QByteArray bad("blank\r\n\x00 binary\r\n", 17);
    for (const bool badFile : {false, true}) {
        SCOPED_TRACE(badFile ? "a bad settings file there" : "a new folder");
        if (badFile) {
            ASSERT_TRUE(existsRaw(home()));
            ::unlink(raw(ini).constData());
            testfiles::writeRawFile(raw(ini), bad);
        }
        file(QStringLiteral("a.txt"));
        const RunResult r = run({prefixRnp(QStringLiteral("x_")), at("a.txt")});

        EXPECT_EQ(r.exitCode, app::modMain::AllRenamed) << r.errors.toStdString();
        EXPECT_TRUE(existsRaw(at("x_a.txt")));
        ::unlink(raw(at("x_a.txt")).constData());
        EXPECT_EQ(r.errors.count(QStringLiteral("Invalid File")), badFile ? 1 : 0) << r.errors.toStdString();
        if (badFile) {
            EXPECT_TRUE(r.errors.contains(pathcodec::printable(ini))) << r.errors.toStdString();
            EXPECT_TRUE(r.errors.contains(pathcodec::printable(ini + QStringLiteral(".bad"))))
                << r.errors.toStdString();
            EXPECT_EQ(readRaw(ini + QStringLiteral(".bad")), bad);
        }
        // The defaults were written in the folder named.
        const QByteArray written = readRaw(ini);
        EXPECT_FALSE(written.isEmpty());
        EXPECT_FALSE(written.contains('\0'));
        EXPECT_FALSE(existsRaw(tmp.filePath(QStringLiteral("home\uFFFD"))));
        DIR *dir = ::opendir(raw(tmp.path()).constData());
        ASSERT_NE(dir, nullptr);
        while (const dirent *entry = ::readdir(dir))
            EXPECT_FALSE(QByteArray(entry->d_name).contains("\xEF\xBF\xBD")) << entry->d_name;
        ::closedir(dir);
    }
}

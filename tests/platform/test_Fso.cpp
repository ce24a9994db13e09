#include "Fso.h"
#include "TestFiles.h"
#include "WithoutPermissionOverride.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cerrno>
#include <unistd.h>

using testfiles::readFile;
using testfiles::writeFile;

class FsoTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString at(const QString &name) const { return tmp.path() + u'/' + name; }
};

TEST_F(FsoTest, MoveOntoAnExistingFileFailsAndChangesNothing)
{
    writeFile(at("a.txt"), "aaa");
    writeFile(at("b.txt"), "bbb");
    vb::Status st = fso::MoveFile(at("a.txt"), at("b.txt"));
    EXPECT_EQ(st.number, vb::FileAlreadyExists);
    EXPECT_EQ(st.description, QStringLiteral("File already exists"));
    EXPECT_EQ(readFile(at("a.txt")), "aaa");
    EXPECT_EQ(readFile(at("b.txt")), "bbb");
}

TEST_F(FsoTest, MoveErrorsCarryTheClassicTexts)
{
    writeFile(at("a.txt"), "a");
    struct Case {
        QString source, target;
        int number;
        const char *text;
    } cases[] = {
        {at("missing.txt"), at("x.txt"), vb::FileNotFound, "File not found"},
        {at("a.txt"), at("no/such/x.txt"), vb::PathNotFound, "Path not found"},
        {at("a.txt"), at(".."), vb::BadFileNameOrNumber, "Bad file name or number"},
        {at("a.txt"), at(QString(256, u'x')), vb::BadFileNameOrNumber, "Bad file name or number"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        vb::Status st = fso::MoveFile(c.source, c.target);
        EXPECT_EQ(st.number, c.number);
        EXPECT_EQ(st.description, QString::fromLatin1(c.text));
    }
    EXPECT_TRUE(fso::FileExists(at("a.txt")));
}

TEST_F(FsoTest, ItemRenamerGivesTheCheckedMovesAnswers)
{
    // Renaming by name without a look-up first answers every failure as the checked moves do
    // (the classic texts), and never touches an existing target.
    struct Case {
        const char *source, *target;
        bool folder;
        int number;
    } cases[] = {
        {"a.txt", "x_a.txt", false, vb::NoError},
        {"d", "x_d", true, vb::NoError},
        {"b.txt", "taken.txt", false, vb::FileAlreadyExists},
        {"e", "taken", true, vb::FileAlreadyExists},
        {"missing.txt", "x.txt", false, vb::FileNotFound},
        {"missing", "x", true, vb::PathNotFound},
        {"b.txt", "no/such/x.txt", false, vb::PathNotFound},
        {"b.txt", "..", false, vb::BadFileNameOrNumber},
        {"missing.txt", "..", false, vb::FileNotFound},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.target);
        QTemporaryDir dir;
        const auto in = [&](const char *name) { return dir.path() + u'/' + QString::fromUtf8(name); };
        writeFile(in("a.txt"), "a");
        writeFile(in("b.txt"), "b");
        writeFile(in("taken.txt"), "keep");
        writeFile(in("d/f.txt"), "f");
        writeFile(in("e/f.txt"), "f");
        writeFile(in("taken/g.txt"), "g");
        fso::ItemRenamer renamer;
        const vb::Status st = renamer.rename(dir.path() + u'/', QString::fromUtf8(c.source), QString::fromUtf8(c.target), c.folder);
        EXPECT_EQ(st.number, c.number);
        if (c.number == vb::NoError) {
            EXPECT_FALSE(QFileInfo::exists(in(c.source)));
            EXPECT_TRUE(QFileInfo::exists(in(c.target)));
        } else if (c.number == vb::FileAlreadyExists || c.number == vb::BadFileNameOrNumber) {
            EXPECT_TRUE(QFileInfo::exists(in(c.source)));
        }
        EXPECT_EQ(readFile(in("taken.txt")), "keep");
        EXPECT_EQ(readFile(in("taken/g.txt")), "g");
    }
}

TEST_F(FsoTest, ItemRenamerWalksToAFolderAgainAfterRenamingAFolder)
{
    // Items named by path: once "dir" is renamed, "dir/b.txt" names nothing, even though the
    // folder once opened for "dir/a.txt" now sits at "x_dir".
    writeFile(at("dir/a.txt"), "a");
    writeFile(at("dir/b.txt"), "b");
    fso::ItemRenamer renamer;
    const QString dir = at("dir") + u'/';
    EXPECT_TRUE(renamer.rename(dir, QStringLiteral("a.txt"), QStringLiteral("x_a.txt"), false));
    EXPECT_TRUE(renamer.rename(tmp.path() + u'/', QStringLiteral("dir"), QStringLiteral("x_dir"), true));
    const vb::Status st = renamer.rename(dir, QStringLiteral("b.txt"), QStringLiteral("x_b.txt"), false);
    EXPECT_EQ(st.number, vb::FileNotFound);
    EXPECT_EQ(readFile(at("x_dir/x_a.txt")), "a");
    EXPECT_EQ(readFile(at("x_dir/b.txt")), "b");
    // A folder of the same name made meanwhile is the one the path names.
    writeFile(at("dir/b.txt"), "new");
    EXPECT_TRUE(renamer.rename(dir, QStringLiteral("b.txt"), QStringLiteral("x_b.txt"), false));
    EXPECT_EQ(readFile(at("dir/x_b.txt")), "new");
    EXPECT_EQ(readFile(at("x_dir/b.txt")), "b");
}

TEST_F(FsoTest, MovesFilesAndFoldersWithTheirContents)
{
    writeFile(at("dir/inner/f.txt"), "f");
    ASSERT_TRUE(fso::MoveFolder(at("dir"), at("moved")));
    EXPECT_EQ(readFile(at("moved/inner/f.txt")), "f");
    EXPECT_FALSE(fso::FolderExists(at("dir")));

    QDir().mkpath(at("other"));
    EXPECT_EQ(fso::MoveFolder(at("moved"), at("other")).number, vb::FileAlreadyExists);
    EXPECT_EQ(fso::MoveFolder(at("nowhere"), at("x")).number, vb::PathNotFound);

    ASSERT_TRUE(fso::MoveFile(at("moved/inner/f.txt"), at("g é.txt")));
    EXPECT_EQ(readFile(at("g é.txt")), "f");
}

TEST_F(FsoTest, CopiesNeverOverwrite)
{
    writeFile(at("src/a.txt"), "1");
    writeFile(at("src/sub/b.txt"), "2");
    ASSERT_TRUE(fso::CopyFolder(at("src"), at("dst")));
    EXPECT_EQ(readFile(at("dst/sub/b.txt")), "2");
    EXPECT_EQ(fso::CopyFolder(at("src"), at("dst")).number, vb::FileAlreadyExists);
    EXPECT_EQ(fso::CopyFolder(at("src"), at("src/sub/inside")).number, vb::InvalidProcedureCall);

    writeFile(at("c.txt"), "new");
    EXPECT_EQ(fso::CopyFile(at("c.txt"), at("src/a.txt")).number, vb::FileAlreadyExists);
    EXPECT_EQ(readFile(at("src/a.txt")), "1");
    ASSERT_TRUE(fso::CopyFile(at("c.txt"), at("d.txt")));
    EXPECT_EQ(readFile(at("d.txt")), "new");
    EXPECT_TRUE(fso::FileExists(at("c.txt")));
}

TEST_F(FsoTest, ReadOnlyFolderGivesPermissionDenied)
{
    writeFile(at("ro/a.txt"), "a");
    QFile::setPermissions(at("ro"), QFile::ReadOwner | QFile::ExeOwner);
    vb::Status st;
    {
        WithoutPermissionOverride restricted;
        if (!restricted.ok()) {
            QFile::setPermissions(at("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            GTEST_SKIP() << "cannot give up the permission override of root";
        }
        st = fso::MoveFile(at("ro/a.txt"), at("ro/b.txt"));
    }
    QFile::setPermissions(at("ro"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(st.number, vb::PermissionDenied);
    EXPECT_TRUE(fso::FileExists(at("ro/a.txt")));
}

// A file system without RENAME_NOREPLACE (it answers EINVAL), with or without hard links: no
// move replaces what is there, folders included, and an existing target is named as such.
TEST_F(FsoTest, WithoutNoReplaceRenamesStillNeverOverwrite)
{
    struct Calls {
        static int noFlags(const char *from, const char *to, unsigned flags)
        {
            if (flags != 0) {
                errno = EINVAL;
                return -1;
            }
            return fso::systemMoveCalls().rename(from, to, 0);
        }
        static int noLinks(const char *, const char *)
        {
            errno = EPERM;
            return -1;
        }
    };
    struct Restore {
        fso::MoveCalls saved;
        ~Restore() { fso::setMoveCalls(saved); }
    };
    const struct {
        const char *what;
        fso::MoveCalls calls;
    } systems[] = {
        {"hard links", {Calls::noFlags, fso::systemMoveCalls().link}},
        {"no hard links", {Calls::noFlags, Calls::noLinks}},
    };
    for (const auto &system : systems) {
        SCOPED_TRACE(system.what);
        QDir(tmp.path()).removeRecursively();
        QDir().mkpath(tmp.path());
        writeFile(at("a.txt"), "a");
        writeFile(at("taken.txt"), "keep");
        writeFile(at("dir/inside.txt"), "in");
        QDir().mkpath(at("emptyTarget"));
        writeFile(at("fullTarget/kept.txt"), "kept");
        Restore restore{fso::setMoveCalls(system.calls)};

        EXPECT_EQ(fso::MoveFile(at("a.txt"), at("taken.txt")).description, QStringLiteral("File already exists"));
        EXPECT_EQ(readFile(at("taken.txt")), "keep");
        EXPECT_EQ(readFile(at("a.txt")), "a");
        for (const char *target : {"emptyTarget", "fullTarget", "taken.txt"}) {
            SCOPED_TRACE(target);
            EXPECT_EQ(fso::MoveFolder(at("dir"), at(QString::fromLatin1(target))).description,
                      QStringLiteral("File already exists"));
            EXPECT_EQ(readFile(at("dir/inside.txt")), "in");
        }
        EXPECT_TRUE(QDir(at("emptyTarget")).isEmpty());
        EXPECT_EQ(readFile(at("fullTarget/kept.txt")), "kept");
        EXPECT_EQ(readFile(at("taken.txt")), "keep");

        EXPECT_TRUE(fso::MoveFile(at("a.txt"), at("b.txt")));
        EXPECT_EQ(readFile(at("b.txt")), "a");
        EXPECT_FALSE(fso::FileExists(at("a.txt")));
        EXPECT_TRUE(fso::MoveFolder(at("dir"), at("newDir")));
        EXPECT_EQ(readFile(at("newDir/inside.txt")), "in");
        EXPECT_FALSE(fso::FolderExists(at("dir")));
    }
}

// A symbolic link is moved as itself, whether it leads somewhere or not.
TEST_F(FsoTest, LinksMoveAsThemselves)
{
    writeFile(at("real.txt"), "r");
    ASSERT_EQ(::symlink("nowhere", QFile::encodeName(at("dangling")).constData()), 0);
    ASSERT_EQ(::symlink("real.txt", QFile::encodeName(at("good")).constData()), 0);
    for (const char *name : {"dangling", "good"}) {
        SCOPED_TRACE(name);
        const QString from = at(QString::fromLatin1(name));
        const QString to = from + QStringLiteral("2");
        const QString target = QFileInfo(from).symLinkTarget();
        EXPECT_TRUE(fso::MoveFile(from, to));
        EXPECT_TRUE(QFileInfo(to).isSymLink());
        EXPECT_EQ(QFileInfo(to).symLinkTarget(), target);
        EXPECT_FALSE(QFileInfo(from).isSymLink());
    }
    EXPECT_EQ(readFile(at("real.txt")), "r");
}

TEST(FsoNames, CheckItemName)
{
    const QString bad[] = {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/b"),
                           QStringLiteral("a") + QChar(0), QString(128, QChar(0xE9))};
    for (const QString &n : bad)
        EXPECT_EQ(fso::CheckItemName(n).number, vb::BadFileNameOrNumber) << n.toStdString();
    EXPECT_TRUE(fso::CheckItemName(QString(255, u'x')));
    EXPECT_TRUE(fso::CheckItemName(QStringLiteral("...a")));
    // The limit is in bytes on disk: three-byte characters and four-byte pairs around it.
    const QString pair = QString::fromUcs4(U"\U0001F600");
    struct Case {
        const char *name;
        QString text;
        bool fits;
    } cases[] = {
        {"85 three-byte characters", QString(85, QChar(0x4E2D)), true},
        {"86 three-byte characters", QString(86, QChar(0x4E2D)), false},
        {"86 two-byte characters", QString(86, QChar(0xE9)), true},
        {"63 pairs", pair.repeated(63), true},
        {"64 pairs", pair.repeated(64), false},
        {"85 x and a pair", QString(85, u'x') + pair, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(bool(fso::CheckItemName(c.text)), c.fits);
    }
}

#include "FileListFixtures.h"
#include "ListViewEditable.h"
#include "ScanProgressSink.h"

#include <algorithm>
#include <map>
#include <cstdio>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace filelist;

namespace {

// root/  .hidden.txt  A.TXT  b.txt  c.doc  link -> sub1
//        sub1/ x.txt  deep/ y.txt
//        sub2.txt/ z.doc
class FolderScanTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = dir.path();
        for (const char *f : {".hidden.txt", "A.TXT", "b.txt", "c.doc", "sub1/x.txt", "sub1/deep/y.txt", "sub2.txt/z.doc"})
            fixtures::makeFile(root, QString::fromUtf8(f), 10);
        ASSERT_EQ(::symlink(QFile::encodeName(root + "/sub1").constData(), QFile::encodeName(root + "/link").constData()), 0);
        other = otherDir.path();
        for (const char *f : {"o1.txt", "o2.txt", "o3.txt", "o4.txt", "o5.txt"})
            fixtures::makeFile(other, QString::fromUtf8(f), 1);
    }

    // The rows as paths relative to `base`.
    QStringList rows(const QString &base) const
    {
        QStringList out;
        for (int32_t i = 1; i <= list.FileItemCount(); ++i) {
            const ListItem &item = list.ListItems().Item(i);
            out << (item.SubItems(1) + item.Text).mid(base.size() + 1);
        }
        return out;
    }

    void scan(const QString &path, const QString &spec, bool recursive)
    {
        list.setPath(path);
        list.setFileSpec(spec);
        list.setRecursive(recursive);
        list.Scan();
    }

    QTemporaryDir dir;
    QTemporaryDir otherDir;
    QString root;
    QString other;
    ListViewEditable list;
};

struct RecordingSink : ScanProgressSink {
    int32_t progressMax() const override { return max; }
    void setProgressMax(int32_t v) override
    {
        max = v;
        log << QStringLiteral("max %1").arg(v);
    }
    int32_t progressValue() const override { return value; }
    void setProgressValue(int32_t v) override
    {
        value = v;
        highest = std::max(highest, v);
    }
    void setStatusText(const QString &text) override { log << text; }
    bool isUnloading() const override { return unloading; }

    int32_t max = 0;
    int32_t value = 0;
    int32_t highest = 0;
    bool unloading = false;
    QStringList log;
};

} // namespace

TEST_F(FolderScanTest, RecursiveScanIsDepthFirstWithSubFoldersFirst)
{
    QStringList dirs;
    QObject::connect(&list, &ListViewEditable::SearchDirChange, [&](QString &d) { dirs << d; });
    scan(root, "*.*", true);
    EXPECT_EQ(rows(root), QStringList({"sub1/deep/y.txt", "sub1/deep", "sub1/x.txt", "sub2.txt/z.doc", ".hidden.txt",
                                       "A.TXT", "b.txt", "c.doc", "link", "sub1", "sub2.txt"}));
    EXPECT_EQ(dirs, QStringList({root, root + "/sub1/", root + "/sub1/deep/", root + "/sub2.txt/"}))
        << "the top folder is reported as it was given; the link is not followed";
    EXPECT_EQ(list.ListItems().Item(9).SubItems(3), "File Folder") << "a link to a folder is listed as one";
}

TEST_F(FolderScanTest, MasksSelectRowsInEveryFolder)
{
    struct Case {
        const char *spec;
        bool recursive;
        QStringList expected;
    };
    const Case cases[] = {
        {"*.txt", true, {"sub1/deep/y.txt", "sub1/x.txt", ".hidden.txt", "A.TXT", "b.txt", "sub2.txt"}},
        {"*.*", false, {".hidden.txt", "A.TXT", "b.txt", "c.doc", "link", "sub1", "sub2.txt"}},
        {"*.doc", true, {"sub2.txt/z.doc", "c.doc"}},
        {"?.*", false, {".hidden.txt", "A.TXT", "b.txt", "c.doc"}},
        {"*.", false, {"link", "sub1"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.spec);
        scan(root, QString::fromUtf8(c.spec), c.recursive);
        EXPECT_EQ(rows(root), c.expected);
    }
    scan(root + u'/', "*.txt", false);
    EXPECT_EQ(rows(root), QStringList({".hidden.txt", "A.TXT", "b.txt", "sub2.txt"})) << "with a trailing slash";
}

TEST_F(FolderScanTest, NothingHappensWithoutPathOrMask)
{
    list.AddFile(root + "/", "b.txt");
    int events = 0;
    QObject::connect(&list, &ListViewEditable::BeforeScanStart, [&](bool &, QString &, QString &, bool &, bool &) { ++events; });
    scan("", "*.*", false);
    scan(root, "", false);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(list.FileItemCount(), 1);

    int finished = 0;
    QObject::connect(&list, &ListViewEditable::ScanFinish, [&](bool &, QString &, QString &, bool &, bool &) { ++finished; });
    QObject::connect(&list, &ListViewEditable::BeforeScanStart, [&](bool &, QString &Path, QString &, bool &, bool &) { Path.clear(); });
    scan(root, "*.*", false);
    EXPECT_EQ(list.FileItemCount(), 1) << "a handler that empties Path does not make the scan list the root";
    EXPECT_EQ(finished, 0);
}

TEST_F(FolderScanTest, BeforeScanStartCancelsOrRedirects)
{
    list.AddFile(root + "/", "b.txt");
    int finished = 0;
    QObject::connect(&list, &ListViewEditable::ScanFinish, [&](bool &, QString &, QString &, bool &, bool &) { ++finished; });
    auto cancel = QObject::connect(&list, &ListViewEditable::BeforeScanStart,
                          [&](bool &Cancel, QString &, QString &, bool &, bool &) { Cancel = true; });
    scan(other, "*.*", false);
    EXPECT_EQ(list.FileItemCount(), 1);
    EXPECT_EQ(finished, 0);
    QObject::disconnect(cancel);

    QString reportedPath;
    QString reportedSpec;
    QObject::connect(&list, &ListViewEditable::BeforeScanStart,
            [&](bool &, QString &Path, QString &FileSpec, bool &Recursive, bool &) {
                Path = other;
                FileSpec = "o?.*";
                Recursive = false;
            });
    QObject::connect(&list, &ListViewEditable::ScanFinish, [&](bool &, QString &Path, QString &FileSpec, bool &, bool &) {
        reportedPath = Path;
        reportedSpec = FileSpec;
    });
    scan(root, "*.txt", true);
    EXPECT_EQ(rows(other), QStringList({"o1.txt", "o2.txt", "o3.txt", "o4.txt", "o5.txt"}));
    EXPECT_EQ(list.Path(), other);
    EXPECT_FALSE(list.Recursive());
    EXPECT_EQ(reportedPath, other);
    EXPECT_EQ(reportedSpec, "o?.*");
    EXPECT_EQ(finished, 1);
}

TEST_F(FolderScanTest, SearchDirChangeCanRedirectAFolder)
{
    QObject::connect(&list, &ListViewEditable::SearchDirChange, [&](QString &d) {
        if (d == root + "/sub2.txt/")
            d = other;
    });
    scan(root, "*.txt", true);
    EXPECT_EQ(rows(root).mid(0, 2), QStringList({"sub1/deep/y.txt", "sub1/x.txt"}));
    EXPECT_EQ(list.ListItems().Item(3).SubItems(1), other + u'/');
    EXPECT_EQ(list.FileItemCount(), 2 + 5 + 4);
}

TEST_F(FolderScanTest, StopEndsTheScanAndKeepsItsRows)
{
    std::vector<bool> stoppedReports;
    QObject::connect(&list, &ListViewEditable::ScanFinish,
            [&](bool &Stopped, QString &, QString &, bool &, bool &) { stoppedReports.push_back(Stopped); });

    list.StopScan();
    scan(other, "*.*", false);
    EXPECT_EQ(list.FileItemCount(), 5) << "a stop before the scan is cleared by its start";

    list.setYieldHandler([&] {
        if (list.FileItemCount() == 3)
            list.StopScan();
    });
    scan(root, "*.*", true);
    EXPECT_EQ(list.FileItemCount(), 3);
    EXPECT_EQ(rows(root), QStringList({"sub1/deep/y.txt", "sub1/deep", "sub1/x.txt"}));
    EXPECT_TRUE(list.Stopped()) << "the flag stays set after the scan";
    EXPECT_EQ(stoppedReports, std::vector<bool>({false, true}));
    list.ResetStopFlag();
    EXPECT_FALSE(list.Stopped());
}

TEST_F(FolderScanTest, ASecondScanStopsTheFirst)
{
    QStringList finishes;
    QObject::connect(&list, &ListViewEditable::ScanFinish, [&](bool &Stopped, QString &Path, QString &, bool &, bool &) {
        finishes << QStringLiteral("%1 %2").arg(Path == other ? "other" : "root", Stopped ? "stopped" : "done");
    });
    bool started = false;
    list.setYieldHandler([&] {
        if (!started && list.FileItemCount() == 2) {
            started = true;
            EXPECT_TRUE(list.Scanning());
            list.setPath(other);
            list.setRecursive(false);
            list.Scan();
        }
    });
    scan(root, "*.*", true);
    EXPECT_EQ(rows(other), QStringList({"o1.txt", "o2.txt", "o3.txt", "o4.txt", "o5.txt"}))
        << "no row of the first scan is added after the second one ran";
    EXPECT_EQ(finishes, QStringList({"other done", "other stopped"}));
    EXPECT_FALSE(list.Scanning());
    EXPECT_EQ(list.ListItems().rowCount(), 5);
}

TEST_F(FolderScanTest, ProgressAndStatusGoToTheSink)
{
    RecordingSink sink;
    list.setProgressSink(&sink);
    scan(other, "*.*", false);
    EXPECT_EQ(sink.log, QStringList({"max 5", "Loading Files...", "Ready"}));
    EXPECT_EQ(sink.highest, 5);
    EXPECT_EQ(sink.value, 0);

    sink.log.clear();
    scan(root, "*.txt", true);
    EXPECT_EQ(sink.log, QStringList({"max 5", "Loading Files...", "max 1", "Loading Files...", "max 1",
                                     "Loading Files...", "Ready", "Ready", "max 1", "Loading Files...", "Ready",
                                     "Ready"}));

    sink.log.clear();
    sink.highest = 0;
    sink.unloading = true;
    scan(other, "*.*", false);
    EXPECT_TRUE(sink.log.isEmpty());
    EXPECT_EQ(sink.highest, 0);
    EXPECT_EQ(list.FileItemCount(), 5);
}

TEST_F(FolderScanTest, PaintingIsFrozenAndPaced)
{
    QList<bool> frozen;
    int repaints = 0;
    int announcedAtRepaint = -1;
    QObject::connect(&list, &ListViewEditable::PaintingFrozen, [&](bool f) { frozen << f; });
    QObject::connect(&list, &ListViewEditable::RepaintRequested, [&] {
        ++repaints;
        announcedAtRepaint = list.ListItems().rowCount();
    });
    list.setUpdateFrequency(2);
    scan(other, "*.*", false);
    EXPECT_EQ(frozen, QList<bool>({true, false}));
    EXPECT_EQ(repaints, 2);
    EXPECT_EQ(announcedAtRepaint, 4) << "the rows are shown at every repaint";
    EXPECT_EQ(list.ListItems().rowCount(), 5);

    repaints = 0;
    list.setUpdateFrequency(0);
    scan(other, "*.*", false);
    EXPECT_EQ(repaints, 0);
    EXPECT_EQ(list.ListItems().rowCount(), 5);
}

TEST_F(FolderScanTest, MissingFoldersAndDroppedFolders)
{
    RecordingSink sink;
    sink.max = 42;
    list.setProgressSink(&sink);
    bool stopped = true;
    QObject::connect(&list, &ListViewEditable::ScanFinish, [&](bool &Stopped, QString &, QString &, bool &, bool &) { stopped = Stopped; });
    list.AddFile(root + "/", "b.txt");
    scan(root + "/absent", "*.*", true);
    EXPECT_EQ(list.FileItemCount(), 0);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(sink.max, 42) << "a folder that cannot be read leaves the bar's maximum";

    EXPECT_EQ(list.ScanFolder(other, "o1*", false, false, false), 1);
    EXPECT_EQ(list.ScanFolder(root + "/sub1", "*.txt", true, false, false), 3);
    EXPECT_EQ(list.FileItemCount(), 3);
    EXPECT_EQ(list.ScanFolder(other, "*.*", false, true, false), 5);
    EXPECT_EQ(list.FileItemCount(), 5);
}

TEST(FolderScanLarge, BigFoldersAreReadInBatchesInOrder)
{
    QTemporaryDir dir;
    constexpr int Files = 1200;
    for (int i = 0; i < Files; ++i)
        fixtures::makeFile(dir.path(), QStringLiteral("f%1.dat").arg(i, 4, 10, QLatin1Char('0')), i);

    ListViewEditable list;
    list.setPath(dir.path());
    list.Scan();
    ASSERT_EQ(list.FileItemCount(), Files);
    for (int32_t row = 1; row <= Files; ++row) {
        const ListItem &item = list.ListItems().Item(row);
        ASSERT_EQ(item.Text, QStringLiteral("f%1.dat").arg(row - 1, 4, 10, QLatin1Char('0')));
        ASSERT_EQ(item.SizeBytes, row - 1) << "each row has its own file's size";
        ASSERT_EQ(item.SubItems(3), "DAT File");
    }

    list.setYieldHandler([&] {
        if (list.FileItemCount() == 700)
            list.StopScan();
    });
    list.Scan();
    EXPECT_EQ(list.FileItemCount(), 700);
    EXPECT_EQ(list.ListItems().Item(700).SizeBytes, 699);
}

TEST(FolderScanOrder, NamesSortWithoutRegardToCaseThenExactly)
{
    QTemporaryDir dir;
    const QStringList names = {"b.txt", "B.TXT", "a_b", "A-b", QString::fromUtf8("\xC3\xA4.txt"),
                               QString::fromUtf8("\xC3\x84.TXT"), "Zeta", "z", QString::fromUtf8("\xC3\xA9"), "e",
                               "E", "ab", "aB", "AB", "a", "_x", "[x]", "~", "a.txt", QString::fromUtf8("a\xC3\xA9")};
    for (const QString &n : names)
        fixtures::makeFile(dir.path(), n, 1);
    QStringList expected = names;
    std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });

    ListViewEditable list;
    list.setPath(dir.path());
    list.setFileSpec("*.*");
    list.Scan();
    QStringList rows;
    for (int32_t i = 1; i <= list.FileItemCount(); ++i)
        rows << list.ListItems().Item(i).Text;
    EXPECT_EQ(rows, expected);
}

// A name that is not UTF-8 beside the name its bytes would wrongly decode to: both are listed,
// apart, each with its own file's size.
TEST(FolderScanNames, NamesThatAreNotUtf8KeepTheirBytes)
{
    QTemporaryDir dir;
    const struct {
        const char *bytes;
        QString name;
        qint64 size;
    } files[] = {
        {"n\xFF.txt", QStringLiteral("n") + QChar(char16_t(0xDCFF)) + QStringLiteral(".txt"), 1},
        {"n\xEF\xBF\xBD.txt", QStringLiteral("n\uFFFD.txt"), 2},
    };
    for (const auto &f : files) {
        testfiles::writeRawFile(QFile::encodeName(dir.path()) + '/' + f.bytes, QByteArray("xx", f.size));
    }
    ListViewEditable list;
    list.setPath(dir.path());
    list.setFileSpec("*.*");
    list.Scan();
    ASSERT_EQ(list.FileItemCount(), 2);
    for (int32_t i = 1; i <= 2; ++i) {
        const ListItem &item = list.ListItems().Item(i);
        const auto *f = std::find_if(std::begin(files), std::end(files), [&](const auto &c) { return c.name == item.Text; });
        ASSERT_NE(f, std::end(files)) << item.Text.toStdString();
        EXPECT_EQ(item.SizeBytes, f->size);
    }
    for (const auto &f : files)
        std::remove((QFile::encodeName(dir.path()) + '/' + f.bytes).constData());
}

// "a" and "\uFEFFa" (bytes EF BB BF 61) are two files: listed as two different rows, each with
// its own file's size.
TEST(FolderScanNames, ANameStartingWithUFeffIsListedApart)
{
    QTemporaryDir dir;
    testfiles::writeFile(dir.filePath(QStringLiteral("a")), "x");
    testfiles::writeRawFile(QFile::encodeName(dir.path()) + "/\xEF\xBB\xBF" "a", "xx");
    ListViewEditable list;
    list.setPath(dir.path());
    list.setFileSpec("*.*");
    list.Scan();
    ASSERT_EQ(list.FileItemCount(), 2);
    std::map<QString, qint64> rows;
    for (int32_t i = 1; i <= 2; ++i)
        rows[list.ListItems().Item(i).Text] = list.ListItems().Item(i).SizeBytes;
    const std::map<QString, qint64> expected{{QStringLiteral("a"), 1}, {QStringLiteral("\uFEFFa"), 2}};
    EXPECT_EQ(rows, expected);
}

TEST_F(FolderScanTest, RowsThatReadAlikeKeepTheirOwnCells)
{
    // o1..o5 have the same folder, size, type and date: changing a cell of one row leaves the
    // others as they were, and a new scan reads them all afresh.
    scan(other, "*.*", false);
    ASSERT_EQ(list.FileItemCount(), 5);
    ListItemsModel &items = list.ListItems();
    const QString type = items.CellText(2, 3);
    ASSERT_FALSE(type.isEmpty());
    ASSERT_EQ(items.CellText(1, 3), type);
    items.SetSubItem(1, 3, QStringLiteral("Changed"));
    items.SetSubItem(3, 1, QStringLiteral("/elsewhere/"));
    EXPECT_EQ(items.CellText(1, 3), QStringLiteral("Changed"));
    EXPECT_EQ(items.CellText(3, 1), QStringLiteral("/elsewhere/"));
    for (int32_t row : {2, 4, 5}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(items.CellText(row, 3), type);
        EXPECT_EQ(items.CellText(row, 1), other + u'/');
    }
    scan(other, "*.*", false);
    EXPECT_EQ(items.CellText(1, 3), type);
    EXPECT_EQ(items.CellText(3, 1), other + u'/');
}

TEST_F(FolderScanTest, ALargeFolderIsListedWholeWithTurnsForTheWindowMeanwhile)
{
    // More entries than are read between two turns of the message loop: every one is listed,
    // in name order, and the walk yields while the folder is read, before any row is added.
    QTemporaryDir big;
    ASSERT_TRUE(big.isValid());
    const int count = 9000;
    for (int i = count; i >= 1; --i) {
        QFile f(big.filePath(QStringLiteral("n%1.txt").arg(i, 5, 10, QLatin1Char('0'))));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    int yieldsBeforeRows = 0;
    list.setYieldHandler([&] {
        if (list.ListItems().Count() == 0)
            ++yieldsBeforeRows;
    });
    scan(big.path(), "*.*", false);
    ASSERT_EQ(list.FileItemCount(), count);
    EXPECT_EQ(list.ListItems().Item(1).Text, QStringLiteral("n00001.txt"));
    EXPECT_EQ(list.ListItems().Item(count).Text, QStringLiteral("n09000.txt"));
    // One after clearing, one before the matching entries, one before the first row, and two
    // while the folder is read.
    EXPECT_GE(yieldsBeforeRows, 5) << "the read of the folder gives the window its turns";
}

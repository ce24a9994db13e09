// Listed items looked up again (the filters' re-list): each item is found as a look-up by its
// path finds it, however its items lie in folders, and only a few folders are open at any time.
#include "EntryStats.h"
#include "ItemLookups.h"
#include "OpenDescriptors.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace filelist;

namespace {

/** Descriptors the look-ups may hold beside those open before: one folder per looking thread. */
constexpr int kHandful = 8;

struct Layout {
    const char *what;
    int folders;
    int perFolder;
};

} // namespace

TEST(ItemLookups, ManyFoldersAreLookedUpWithOnlyAFewOpen)
{
    const Layout layouts[] = {
        {"one item in each of many folders", 3000, 1},
        {"three items in each of many folders", 1200, 3},
        {"many items in one folder", 1, 3000},
    };
    for (const Layout &layout : layouts) {
        SCOPED_TRACE(layout.what);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        std::vector<ItemLookups::Item> items;
        for (int f = 0; f < layout.folders; ++f) {
            // The rows of one folder share its text, as a listing makes them.
            const QString folder = dir.filePath(QStringLiteral("d%1").arg(f)) + u'/';
            for (int k = 0; k < layout.perFolder; ++k) {
                const QString name = QStringLiteral("f%1.txt").arg(k);
                testfiles::writeFile(folder + name, QByteArray(1 + (f + k) % 7, 'x'));
                items.push_back({folder, name});
            }
        }
        // Items that changed since they were listed: one gone, one a folder now, the folder
        // itself (an empty name) and a folder text without its "/".
        const size_t gone = items.size() / 2;
        ASSERT_TRUE(QFile::remove(items[gone].folder + items[gone].name));
        const QString madeFolder = items[1].folder + items[1].name;
        ASSERT_TRUE(QFile::remove(madeFolder) && QDir().mkdir(madeFolder));
        items.push_back({items.front().folder, QString()});
        items.push_back({items[2].folder.chopped(1), QStringLiteral("/") + items[2].name});

        const int before = testfiles::openDescriptors();
        int peak = before;
        EntryStats stats;
        ItemLookups lookups(stats, items);
        std::vector<FileStat> found;
        for (size_t i = 0; i < lookups.size(); ++i) {
            const FileStat &got = lookups.stat(i);
            found.push_back(got);
            if (i % 64 == 0)
                peak = std::max(peak, testfiles::openDescriptors());
            const FileStat expected = FileStat::Read(items[i].folder + items[i].name);
            ASSERT_EQ(got.found, expected.found) << i;
            EXPECT_EQ(got.isDir, expected.isDir) << i;
            EXPECT_EQ(got.size, expected.size) << i;
            EXPECT_EQ(got.mtime, expected.mtime) << i;
        }
        EXPECT_LE(peak - before, kHandful) << peak << " open, " << before << " before";
        EXPECT_FALSE(found[gone].found);
        EXPECT_TRUE(found[1].found && found[1].isDir);
        EXPECT_TRUE(found[items.size() - 2].found && found[items.size() - 2].isDir) << "the folder itself";
        EXPECT_TRUE(found.back().found && !found.back().isDir);
        EXPECT_EQ(found.back().size, found[2].size);
    }
}

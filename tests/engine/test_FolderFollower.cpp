// Rows that follow a renamed folder, told by what a run of renames costs: each rename looks only
// at the folder paths it moves (and the one that ends its search), never at the whole list, so
// a run over thousands of folders stays linear.
#include "FolderFollower.h"
#include "PreviewTable.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

// The folder path of number `i` after `format` ("/data/m%1/" gives "/data/m00042/").
QString numbered(const char *format, int i)
{
    return QString::fromLatin1(format).arg(i, 5, 10, QChar(u'0'));
}

} // namespace

// 3,000 folders, each with a file and a subfolder holding a file, all renamed one after another:
// the new name sorting before every old one, after every old one, or between two of them. Every
// row ends under its folder's new name, a folder whose name only begins alike never follows, and
// each rename looks at no more than the two paths it moves and the next one.
TEST(FolderFollower, EachRenameLooksOnlyAtThePathsItMoves)
{
    constexpr int Folders = 3000;
    const struct {
        const char *name;
        const char *renamedTo;
    } cases[] = {
        {"new names sort first", "/data/a%1/"},
        {"new names sort last", "/data/z%1/"},
        {"each new name sorts after its old one, before the next", "/data/m%1a/"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        PreviewTable grid;
        for (int i = 0; i < Folders; ++i) {
            PreviewRow file;
            file.Original = QStringLiteral("f.txt");
            file.Path = numbered("/data/m%1/", i);
            grid.addRow(file);
            PreviewRow inner = file;
            inner.Path += QStringLiteral("sub/");
            grid.addRow(inner);
        }
        // A folder whose name begins as a renamed folder's does: "/data/m00007x/" beside "/data/m00007/".
        PreviewRow lookAlike;
        lookAlike.Original = QStringLiteral("g.txt");
        lookAlike.Path = QStringLiteral("/data/m00007x/");
        grid.addRow(lookAlike);

        FolderFollower follower(grid);
        for (int i = 0; i < Folders; ++i)
            follower.folderMoved(numbered("/data/m%1/", i), numbered(c.renamedTo, i));

        for (int i = 0; i < Folders; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(grid.row(size_t(2 * i + 1)).Path, numbered(c.renamedTo, i));
            EXPECT_EQ(grid.row(size_t(2 * i + 2)).Path, numbered(c.renamedTo, i) + QStringLiteral("sub/"));
        }
        EXPECT_EQ(grid.row(grid.Rows()).Path, QStringLiteral("/data/m00007x/"));
        // A search over the whole list would look at some 3,000 paths per rename.
        EXPECT_LE(follower.pathsLookedAt(), size_t(3 * Folders));
    }
}

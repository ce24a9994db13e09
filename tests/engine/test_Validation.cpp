#include "EngineFixture.h"
#include "Validation.h"

#include <gtest/gtest.h>

#include <random>

using namespace engine;
using enginetest::EngineFixture;

namespace {

constexpr uint32_t W = cellcolor::White;
constexpr uint32_t C = cellcolor::Changed;
constexpr uint32_t U = cellcolor::Unchanged;
constexpr uint32_t D = cellcolor::Duplicate;

struct Row {
    const char *path;
    const char *original;
    const char *preview;
};

void fill(EngineFixture &f, const std::vector<Row> &rows)
{
    for (const Row &r : rows) {
        f.addRow(QString::fromLatin1(r.original), QStringLiteral("TXT File"), 0, QString(),
                 QString::fromLatin1(r.path));
        f.grid.row(f.grid.Rows()).Preview = QString::fromLatin1(r.preview);
    }
}

std::vector<uint32_t> previewColours(const PreviewTable &grid)
{
    std::vector<uint32_t> out;
    for (size_t row = 1; row <= grid.Rows(); ++row)
        out.push_back(grid.CellBackColor(row, ColPreview));
    return out;
}

} // namespace

TEST(Validation, ColoursChangedUnchangedAndDuplicateTargets)
{
    struct Case {
        const char *name;
        std::vector<Row> rows;
        std::vector<uint32_t> expected;
    } cases[] = {
        {"two rows of one folder", {{"/a/", "x.txt", "y.txt"}, {"/a/", "z.txt", "y.txt"}}, {D, D}},
        {"a group of three",
         {{"/a/", "1", "n"}, {"/a/", "2", "m"}, {"/a/", "3", "n"}, {"/a/", "4", "n"}},
         {D, C, D, D}},
        {"different folders", {{"/a/", "x", "y"}, {"/b/", "z", "y"}}, {C, C}},
        {"letter case differs", {{"/a/", "x", "Y"}, {"/a/", "z", "y"}}, {C, C}},
        {"empty previews of one folder", {{"/a/", "x", ""}, {"/a/", "z", ""}}, {D, D}},
        {"unchanged", {{"/a/", "x", "x"}, {"/a/", "y", "z"}}, {U, C}},
        {"unchanged but taken by another row", {{"/a/", "x", "x"}, {"/a/", "y", "x"}}, {D, D}},
        {"targets are Path and Preview joined", {{"/a/", "x", "b/c"}, {"/a/b/", "y", "c"}}, {D, D}},
        {"one row", {{"/a/", "x", "y"}}, {C}},
        {"two groups", {{"/a/", "1", "p"}, {"/a/", "2", "q"}, {"/a/", "3", "q"}, {"/a/", "4", "p"}},
         {D, D, D, D}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        fill(f, c.rows);
        for (size_t row = 1; row <= f.grid.Rows(); ++row)
            f.grid.setCellBackColor(row, ColPreview, D);  // colours of an earlier validation
        ValidateNewNames(f.engine, f.grid);
        EXPECT_EQ(previewColours(f.grid), c.expected);
        EXPECT_EQ(f.grid.CellBackColor(1, ColOriginal), W);
        EXPECT_TRUE(f.grid.Redraw());
    }
}

TEST(Validation, SameMarksAsComparingEveryPair)
{
    std::mt19937 generator(20261210);
    const QStringList paths{"/a/", "/b/", "/a/b/"};
    const QStringList names{"", "x", "y", "X", "b/y", "z.txt"};
    for (int round = 0; round < 200; ++round) {
        EngineFixture f;
        const int rows = 1 + int(generator() % 25);
        for (int i = 0; i < rows; ++i) {
            f.addRow(names[qsizetype(generator() % names.size())], QStringLiteral("TXT File"), 0,
                     QString(), paths[qsizetype(generator() % paths.size())]);
            f.grid.row(f.grid.Rows()).Preview = names[qsizetype(generator() % names.size())];
        }
        std::vector<uint32_t> expected;
        for (size_t i = 1; i <= f.grid.Rows(); ++i) {
            const PreviewRow &a = f.grid.row(i);
            bool duplicate = false;
            for (size_t j = 1; j <= f.grid.Rows(); ++j) {
                const PreviewRow &b = f.grid.row(j);
                duplicate = duplicate || (i != j && a.Path + a.Preview == b.Path + b.Preview);
            }
            expected.push_back(duplicate ? D : a.Preview == a.Original ? U : C);
        }
        ValidateNewNames(f.engine, f.grid);
        ASSERT_EQ(previewColours(f.grid), expected) << "round " << round;
    }
}

TEST(Validation, CaptionsProgressAndYields)
{
    EngineFixture f;
    fill(f, {{"/a/", "x", "y"}, {"/a/", "z", "y"}, {"/a/", "w", "w"}});
    cmdValidate_Click(f.engine, f.grid);
    EXPECT_EQ(f.host.captions, (QStringList{"Validating New Names", "Ready"}));
    EXPECT_EQ(f.host.progressMax(), 3.0f);
    EXPECT_EQ(f.host.progressValue(), 0.0f);
    EXPECT_EQ(f.host.yields, 3);
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(Validation, StopRequest)
{
    // A grid of one row compares no pair, so the request stays.
    {
        EngineFixture f;
        fill(f, {{"/a/", "x", "x"}});
        f.app.StopFlag = true;
        ValidateNewNames(f.engine, f.grid);
        EXPECT_TRUE(f.app.StopFlag);
        EXPECT_EQ(previewColours(f.grid), std::vector<uint32_t>{U});
    }
    // Set before: consumed at once; the changed colours stay, no duplicate is marked.
    {
        EngineFixture f;
        fill(f, {{"/a/", "x", "y"}, {"/a/", "z", "y"}});
        f.app.StopFlag = true;
        ValidateNewNames(f.engine, f.grid);
        EXPECT_FALSE(f.app.StopFlag);
        EXPECT_EQ(previewColours(f.grid), (std::vector<uint32_t>{C, C}));
        EXPECT_EQ(f.host.captions.constLast(), QStringLiteral("Ready"));
        EXPECT_EQ(f.host.progressValue(), 0.0f);
    }
    // Set during the scan: the rows reached so far are marked, the others keep their colours.
    {
        EngineFixture f;
        fill(f, {{"/a/", "1", "p"}, {"/a/", "2", "p"}, {"/a/", "3", "q"}, {"/a/", "4", "q"}});
        f.host.onYield = [&] {
            if (f.host.yields == 2)
                f.app.StopFlag = true;
        };
        ValidateNewNames(f.engine, f.grid);
        EXPECT_FALSE(f.app.StopFlag);
        EXPECT_EQ(previewColours(f.grid), (std::vector<uint32_t>{D, D, C, C}));
        EXPECT_EQ(f.host.captions.constLast(), QStringLiteral("Ready"));
        EXPECT_EQ(f.host.progressValue(), 0.0f);
    }
}

TEST(Validation, AfterPreviewWhenThePreferenceIsOn)
{
    EngineFixture f;
    f.app.AutoValidateNames = 1;
    f.settings.AllSource = QStringLiteral("same");
    f.addRow(QStringLiteral("a.txt"));
    f.addRow(QStringLiteral("b.txt"));
    f.addRow(QStringLiteral("same.txt"), QStringLiteral("TXT File"), 0, QString(),
             QStringLiteral("/other/"));
    f.settings.checkOnly({QStringLiteral("Replace All")});
    cmdPreview_Click(f.engine, f.settings, f.grid);
    EXPECT_EQ(previewColours(f.grid), (std::vector<uint32_t>{D, D, U}));
}

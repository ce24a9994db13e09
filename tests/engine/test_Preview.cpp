#include "EngineFixture.h"
#include "MessageService.h"
#include "VbError.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace engine;
using enginetest::EngineFixture;

TEST(GetFName, SplitsAtTheLastDot)
{
    struct Case {
        const char *name;
        const char *type;
        const char *base;
        const char *ext;
    } cases[] = {
        {"photo.jpg", "JPEG Image", "photo", ".jpg"},
        {"a.b.c", "C File", "a.b", ".c"},
        {".profile", "File", "", ".profile"},
        {"notes.", "File", "notes", "."},
        {"README", "File", "README", ""},
        {"README", "File Folder", "README", ""},
        {"Photos.2004", "File Folder", "Photos.2004", ""},
        {"My.Folder", "File Folder", "My.Folder", ""},
        {"My.Folder", "file folder", "My", ".Folder"},
        {"Album.mp3", "", "Album", ".mp3"},
        {"", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 (%2)").arg(c.name, c.type).toStdString());
        const QString name = QString::fromLatin1(c.name);
        const QString type = QString::fromLatin1(c.type);
        EXPECT_EQ(GetFName(name, type, false), QString::fromLatin1(c.base));
        EXPECT_EQ(GetFName(name, type, true), QString::fromLatin1(c.ext));
    }
}

TEST(IsAllCapitals, LettersOfEitherCaseOnly)
{
    struct Case {
        const char *text;
        bool expected;
    } cases[] = {
        {"", true},      {"ABC", true},  {"abc", true},  {"aBz", true}, {"A1", false},
        {"A B", false},  {"-", false},   {"\xc3\x84", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(IsAllCapitals(QString::fromUtf8(c.text)), c.expected);
    }
}

TEST(NameLength, LongestAndShortestBaseNameOfAColumn)
{
    EngineFixture f;
    EXPECT_THROW(GetMaxNameLength(f.grid, ColOriginal), vb::Error);
    EXPECT_THROW(GetMinNameLength(f.grid, ColOriginal), vb::Error);

    f.addRow(QStringLiteral("abcd.jpg"));
    f.addRow(QStringLiteral("x.y.z"), QStringLiteral("File Folder"));
    f.addRow(QStringLiteral("a.txt"));
    f.grid.row(1).Preview = QStringLiteral("ab");
    f.grid.row(2).Preview = QStringLiteral("abcdefg.txt");
    EXPECT_EQ(GetMaxNameLength(f.grid, ColOriginal), 5);
    EXPECT_EQ(GetMinNameLength(f.grid, ColOriginal), 1);
    EXPECT_EQ(GetMaxNameLength(f.grid, ColPreview), 11);
    EXPECT_EQ(GetMinNameLength(f.grid, ColPreview), 0);
}

TEST(CleanSets, BuiltFromTheCleanSettings)
{
    const QString all = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzaeiouAEIOU0123456789");
    struct Case {
        const char *name;
        std::array<bool, 4> classes;
        std::array<bool, 9> keep;
        const char *other;
        QString remove;
        QString keepSet;
    } cases[] = {
        {"nothing checked", {}, {}, "", "", all},
        {"vowels alone: the letter runs keep them", {false, false, true, false}, {}, "",
         "aeiouAEIOU",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"},
        {"digits", {false, false, false, true}, {}, "", "0123456789",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzaeiouAEIOU"},
        {"all four classes, kept characters", {true, true, true, true},
         {true, true, true, true, true, true, true, true, true}, "",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzaeiouAEIOU0123456789",
         "_-()$,# ."},
        {"space and point", {true, true, true, true},
         {false, false, false, false, false, false, false, true, true}, "",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzaeiouAEIOU0123456789", " ."},
        {"other characters between commas", {true, true, true, true}, {}, "x,,y",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzaeiouAEIOU0123456789", "xy"},
        {"a leading comma takes the text whole", {true, true, true, true}, {}, ",x",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzaeiouAEIOU0123456789", ",x"},
        {"pieces of several characters", {true, true, true, true}, {}, "ab,+",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzaeiouAEIOU0123456789", "ab+"},
        {"a trailing comma", {true, true, true, true}, {}, "x,",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzaeiouAEIOU0123456789", "x"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        RenameSettings settings;
        settings.CleanClasses = c.classes;
        settings.CleanKeepChars = c.keep;
        settings.CleanKeepOther = QString::fromLatin1(c.other);
        RunState run;
        buildCleanSets(settings, run);
        EXPECT_EQ(run.CleanRemoveSet, c.remove);
        EXPECT_EQ(run.CleanKeepSet, c.keepSet);
    }
}

namespace {

class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.settings.AllSource = QStringLiteral("$Counter$");
        for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
            f.addRow(QString::fromLatin1(name));
            f.grid.row(f.grid.Rows()).Preview = QStringLiteral("old");
        }
    }
    const QStringList ReplaceAll{QStringLiteral("Replace All")};
    EngineFixture f;
};

} // namespace

TEST_F(Preview, NoActionChecked)
{
    f.app.AutoValidateNames = 1;
    f.settings.checkOnly({});
    cmdPreview_Click(f.engine, f.settings, f.grid);

    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_EQ(f.host.messages[0].prompt, QStringLiteral("Please Select Actions"));
    EXPECT_EQ(f.host.messages[0].title, QStringLiteral("Renamer"));
    EXPECT_EQ(f.host.messages[0].buttons, msg::OKOnly | msg::Information);
    EXPECT_EQ(f.previews(), QStringList(4, QStringLiteral("old")));
    EXPECT_EQ(f.host.captions,
              (QStringList{QStringLiteral("Generating Preview..."), QStringLiteral("Validating New Names..."),
                           QStringLiteral("Ready")}));
    EXPECT_FALSE(f.engine.Previewed);
    EXPECT_EQ(f.metadata.runsBegun, 0);
}

TEST_F(Preview, FullRunWritesEveryRowAndSetsPreviewed)
{
    f.app.AutoValidateNames = 0;
    f.settings.checkOnly(ReplaceAll);
    cmdPreview_Click(f.engine, f.settings, f.grid);
    EXPECT_EQ(f.previews(), (QStringList{"001.txt", "002.txt", "003.txt", "004.txt"}));
    EXPECT_TRUE(f.engine.Previewed);
    EXPECT_EQ(f.host.captions,
              (QStringList{"Generating Preview...", "Generating Preview...", "Ready", "Ready"}));
    EXPECT_EQ(f.grid.CellBackColor(1, ColPreview), cellcolor::White);
    EXPECT_EQ(f.host.progressMax(), 4.0f);
    EXPECT_EQ(f.host.progressValue(), 0.0f);
    EXPECT_EQ(f.host.yields, 4);  // after every action of every row
    EXPECT_EQ(f.metadata.runsBegun, 1);
    EXPECT_EQ(f.metadata.runsEnded, 1);
}

TEST_F(Preview, ValidatesAfterwardsWhenThePreferenceIsOn)
{
    f.app.AutoValidateNames = 1;
    f.settings.checkOnly(ReplaceAll);
    cmdPreview_Click(f.engine, f.settings, f.grid);
    const qsizetype validating = f.host.captions.indexOf(QStringLiteral("Validating New Names..."));
    ASSERT_GT(validating, f.host.captions.indexOf(QStringLiteral("Ready")));
    EXPECT_EQ(f.host.captions.last(), QStringLiteral("Ready"));
    EXPECT_EQ(f.grid.CellBackColor(1, ColPreview), cellcolor::Changed);
    EXPECT_TRUE(f.engine.Previewed);
}

TEST_F(Preview, EveryRunStartsFromOriginalWithFreshCounters)
{
    EXPECT_EQ(f.preview(ReplaceAll), (QStringList{"001.txt", "002.txt", "003.txt", "004.txt"}));
    f.grid.row(2).Preview = QStringLiteral("edited by hand");
    EXPECT_EQ(f.preview(ReplaceAll), (QStringList{"001.txt", "002.txt", "003.txt", "004.txt"}));
}

TEST_F(Preview, StopRequestEndsTheRunBeforeTheNextRow)
{
    f.app.AutoValidateNames = 0;
    int yields = 0;
    f.host.onYield = [&] {
        if (++yields == 2)
            f.app.StopFlag = true;  // pressed while row 2 runs
    };
    f.settings.checkOnly(ReplaceAll);
    cmdPreview_Click(f.engine, f.settings, f.grid);
    EXPECT_EQ(f.previews(), (QStringList{"001.txt", "002.txt", "old", "old"}));
    EXPECT_FALSE(f.app.StopFlag);  // used up by the run it stopped
    EXPECT_FALSE(f.engine.Previewed);
    EXPECT_EQ(f.host.captions.last(), QStringLiteral("Ready"));
    EXPECT_EQ(f.host.progressValue(), 0.0f);
    EXPECT_EQ(f.metadata.runsEnded, 1);

    f.host.onYield = nullptr;
    cmdPreview_Click(f.engine, f.settings, f.grid);
    EXPECT_EQ(f.previews(), (QStringList{"001.txt", "002.txt", "003.txt", "004.txt"}));
    EXPECT_TRUE(f.engine.Previewed);
}

TEST_F(Preview, StopRequestSetBeforeTheRunWritesNothing)
{
    f.app.StopFlag = true;
    EXPECT_EQ(f.preview(ReplaceAll), QStringList(4, QStringLiteral("old")));
    EXPECT_FALSE(f.app.StopFlag);
    EXPECT_FALSE(f.engine.Previewed);
    EXPECT_EQ(f.preview(ReplaceAll), (QStringList{"001.txt", "002.txt", "003.txt", "004.txt"}));
    EXPECT_TRUE(f.engine.Previewed);
}

TEST_F(Preview, SecondRunStartedDuringAYieldIsRefused)
{
    bool nested = false;
    f.host.onYield = [&] {
        if (!nested) {
            nested = true;
            GeneratePreview(f.engine, f.settings, f.grid);
        }
    };
    EXPECT_EQ(f.preview(ReplaceAll), (QStringList{"001.txt", "002.txt", "003.txt", "004.txt"}));
    EXPECT_TRUE(f.engine.Previewed);
}

TEST(PreviewRun, RandomTextsOfARunAreDistinctAndValidateClean)
{
    // A generator seeded from the clock, as the program has it.
    EngineFixture f;
    VbRandom random;
    RenameEngine engine{f.app, f.host, f.metadata, f.clock, random};
    for (int i = 1; i <= 1000; ++i)
        f.addRow(QStringLiteral("file%1.txt").arg(i));
    f.settings.AllSource = QStringLiteral("$Random String$");
    f.settings.AllRandomMask = QStringLiteral("NNNNNNNN");
    f.settings.checkOnly({QStringLiteral("Replace All")});
    f.app.AutoValidateNames = 1;
    cmdPreview_Click(engine, f.settings, f.grid);

    QSet<QString> names;
    for (size_t row = 1; row <= f.grid.Rows(); ++row) {
        names.insert(f.grid.row(row).Preview);
        EXPECT_EQ(f.grid.CellBackColor(row, ColPreview), cellcolor::Changed) << row;
    }
    EXPECT_EQ(names.size(), 1000);
    EXPECT_TRUE(engine.Previewed);
}

TEST(PreviewRun, EmptyGrid)
{
    EngineFixture f;
    f.settings.checkOnly({QStringLiteral("Replace All")});
    cmdPreview_Click(f.engine, f.settings, f.grid);
    EXPECT_EQ(f.host.captions,
              (QStringList{"Generating Preview...", "Generating Preview...", "Ready", "Ready"}));
    EXPECT_EQ(f.host.progressValue(), 0.0f);
    EXPECT_TRUE(f.engine.Previewed);
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(PreviewRun, UnknownActionNameLeavesTheName)
{
    EngineFixture f;
    f.addRow(QStringLiteral("a.txt"));
    f.settings.ActionList.push_back({QStringLiteral("Rotate"), true});
    f.settings.ActionList.push_back({QStringLiteral("replace all"), true});
    f.settings.AllSource = QStringLiteral("X");
    engine::GeneratePreview(f.engine, f.settings, f.grid);
    EXPECT_EQ(f.previews(), QStringList{QStringLiteral("a.txt")});
    EXPECT_TRUE(f.engine.Previewed);
}

TEST(PreviewRun, MoreRowsThanA16BitCount)
{
    EngineFixture f;
    std::vector<PreviewRow> rows(40000);
    for (PreviewRow &row : rows) {
        row.Original = QStringLiteral("f.txt");
        row.Type = QStringLiteral("TXT File");
    }
    f.grid.setRows(std::move(rows));
    f.settings.AllSource = QStringLiteral("$Counter$");
    f.settings.AllCounter.CounterPadWidth = QStringLiteral("0");
    f.preview({QStringLiteral("Replace All")});
    EXPECT_EQ(f.grid.row(32768).Preview, QStringLiteral("32768.txt"));
    EXPECT_EQ(f.grid.row(40000).Preview, QStringLiteral("40000.txt"));
    EXPECT_EQ(f.host.progressMax(), 40000.0f);
}

TEST(PreviewRun, PictureAndMusicRowsAreRead)
{
    EngineFixture f;
    f.addRow(QStringLiteral("p1.jpg"), QStringLiteral("JPEG Image"));
    f.addRow(QStringLiteral("p2.jpg"), QStringLiteral("JPEG Image"));
    f.addRow(QStringLiteral("p3.jpg"), QStringLiteral("jpeg image"));
    f.addRow(QStringLiteral("Album.mp3"), QStringLiteral("File Folder"));
    f.addRow(QStringLiteral("x.Mp3"), QStringLiteral("MP3 File"));
    f.addRow(QStringLiteral("notes.txt"));
    f.metadata.pictures[QStringLiteral("/data/p1.jpg")] = {QStringLiteral("Make: A"),
                                                           QStringLiteral("Model: One")};
    f.metadata.pictures[QStringLiteral("/data/p3.jpg")] = {QStringLiteral("Make: C"),
                                                           QStringLiteral("Model: Three")};
    f.settings.AllSource = QStringLiteral("$Exif_Model");
    // p2 cannot be read: it must not get p1's lines.
    EXPECT_EQ(f.preview({QStringLiteral("Replace All")}),
              (QStringList{"One.jpg", "p2.jpg", "p3.jpg", "Album.mp3", "x.Mp3", "notes.txt"}));
    EXPECT_EQ(f.metadata.picturesRead, (QStringList{"/data/p1.jpg", "/data/p2.jpg"}));
    EXPECT_EQ(f.metadata.musicFilesSet, (QStringList{"/data/Album.mp3", "/data/x.Mp3"}));
}

TEST(PreviewRun, ModifiedLengthsAreTakenOnceAtTheFirstLengthAction)
{
    EngineFixture f;
    f.addRow(QStringLiteral("abc.txt"));
    f.addRow(QStringLiteral("abcdefgh.txt"));
    f.grid.row(1).Preview = QStringLiteral("abcdef.txt");
    f.grid.row(2).Preview = QStringLiteral("a.txt");
    f.engine.run.LongestModifiedLength = -1;
    f.engine.run.ShortestModifiedLength = -1;

    f.preview({QStringLiteral("Replace All")});
    EXPECT_EQ(f.engine.run.LongestModifiedLength, -1);
    EXPECT_EQ(f.engine.run.LongestOriginalLength, 8);
    EXPECT_EQ(f.engine.run.ShortestOriginalLength, 3);

    f.grid.row(1).Preview = QStringLiteral("abcdef.txt");
    f.grid.row(2).Preview = QStringLiteral("a.txt");
    const int yieldsBefore = f.host.yields;
    f.preview({QStringLiteral("Length")});
    EXPECT_EQ(f.engine.run.LongestModifiedLength, 6);
    EXPECT_EQ(f.engine.run.ShortestModifiedLength, 1);
    EXPECT_EQ(f.host.yields - yieldsBefore, 3);  // one after taking the lengths, one per action
}

TEST(PreviewRun, LetterCounterStartsAndAStartThatDoesNotConvert)
{
    struct Case {
        const char *start;
        AlphaCaseOption alphaCase;
        QStringList expected;
    } cases[] = {
        {"c", AlphaCaseOption::Lowercase, {"xc.txt", "xd.txt"}},
        {"c", AlphaCaseOption::Uppercase, {"xC.txt", "xD.txt"}},
        {"b2", AlphaCaseOption::Uppercase, {"xAA.txt", "xAB.txt"}},
        {"b2", AlphaCaseOption::Lowercase, {"xaa.txt", "xab.txt"}},
        {"", AlphaCaseOption::Uppercase, {"x.txt", "xA.txt"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.start);
        EngineFixture f;
        f.addRow(QStringLiteral("1.txt"));
        f.addRow(QStringLiteral("2.txt"));
        f.settings.AllSource = QStringLiteral("$AlphaCounter$");
        f.settings.AllCounter.AlphaStart = QString::fromLatin1(c.start);
        f.settings.AllCounter.AlphaCase = c.alphaCase;
        f.settings.AllCounter.AlphaPadWidth = QStringLiteral("0");
        f.settings.AllCounter.AlphaPrefix = QStringLiteral("x");
        EXPECT_EQ(f.preview({QStringLiteral("Replace All")}), c.expected);
    }
}

#include "EngineFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using enginetest::EngineFixture;

namespace {

const QString Folder = QStringLiteral("File Folder");
const QString TextFile = QStringLiteral("TXT File");

struct Case {
    const char *action;
    const char *count;     // FirstCount, MidCount or LastCount
    const char *position;  // MidPosition
    const char *source;
    const char *original;
    QString type;
    const char *expected;
};

void configure(RenameSettings &s, const Case &c)
{
    const QString count = QString::fromLatin1(c.count);
    const QString source = QString::fromLatin1(c.source);
    s.FirstCount = s.MidCount = s.LastCount = count;
    s.MidPosition = QString::fromLatin1(c.position);
    s.FirstSource = s.MidSource = s.LastSource = s.AllSource = source;
}

} // namespace

TEST(ReplacePart, OneRow)
{
    const Case cases[] = {
        {"Replace First", "3", "", "X", "abcdef.txt", TextFile, "Xdef.txt"},
        {"Replace First", "10", "", "X", "abc.txt", TextFile, "X.txt"},
        {"Replace First", "0", "", "X", "abcdef.txt", TextFile, "abcdef.txt"},
        {"Replace First", "3", "", "", "abcdef.txt", TextFile, "def.txt"},
        {"Replace First", "3", "", "", "abc.txt", TextFile, ".txt"},
        {"Replace First", "3", "", "", "abc", Folder, "abc"},
        {"Replace First", "3", "", "$Upper_Case$", "abcdef.txt", TextFile, "ABCdef.txt"},
        {"Replace First", "3", "", "$Invert_Case$", "aBcdef.txt", TextFile, "AbCdef.txt"},
        {"Replace First", "1", "", "X", "a.b.c", TextFile, "X.b.c"},
        {"Replace First", "3", "", "X", "my.folder", Folder, "Xfolder"},
        {"Replace First", "2.5", "", "X", "abcdef.txt", TextFile, "Xcdef.txt"},
        {"Replace First", "3.5", "", "X", "abcdef.txt", TextFile, "Xef.txt"},
        {"Replace First", "abc", "", "X", "abcdef.txt", TextFile, "abcdef.txt"},
        {"Replace First", "", "", "X", "abcdef.txt", TextFile, "abcdef.txt"},
        {"Replace First", "40000", "", "X", "abcdef.txt", TextFile, "abcdef.txt"},
        {"Replace First", "-1", "", "X", "abcdef.txt", TextFile, "abcdef.txt"},
        {"Replace Mid", "3", "3", "X", "abcdef", TextFile, "abXf"},
        {"Replace Mid", "3", "5", "X", "abcdef", TextFile, "abcdX"},
        {"Replace Mid", "3", "9", "X", "abcdef", TextFile, "abcdef"},
        {"Replace Mid", "3", "0", "X", "abcdef", TextFile, "abcdef"},
        {"Replace Mid", "3", "-2", "X", "abcdef", TextFile, "abcdef"},
        {"Replace Mid", "-1", "3", "X", "abcdef", TextFile, "abcdef"},
        {"Replace Mid", "0", "3", "X", "abcdef", TextFile, "abcdef"},
        {"Replace Mid", "2", "1", "X", "abcdef.txt", TextFile, "Xcdef.txt"},
        {"Replace Mid", "3", "3", "", "abcdef.txt", TextFile, "abf.txt"},
        {"Replace Mid", "3", "3", "$Upper_Case$", "abcdef.txt", TextFile, "abCDEf.txt"},
        {"Replace Mid", "3", "1", "X", ".txt", TextFile, ".txt"},
        {"Replace Mid", "2", "32767", "X", "abcdef", TextFile, "abcdef"},
        {"Replace Mid", "3", "x", "X", "abcdef", TextFile, "abcdef"},
        {"Replace Last", "3", "", "X", "abcdef.txt", TextFile, "abcX.txt"},
        {"Replace Last", "10", "", "X", "abc.txt", TextFile, "X.txt"},
        {"Replace Last", "0", "", "X", "abcdef.txt", TextFile, "abcdef.txt"},
        {"Replace Last", "3", "", "$Lower_Case$", "ABCDEF.TXT", TextFile, "ABCdef.TXT"},
        {"Replace Last", "3", "", "", "abc", Folder, "abc"},
        {"Replace Last", "-3", "", "X", "abcdef.txt", TextFile, "abcdef.txt"},
        {"Replace All", "", "", "X", "abcdef.txt", TextFile, "X.txt"},
        {"Replace All", "", "", "X", "my.dir", Folder, "X"},
        {"Replace All", "", "", "", "abc.txt", TextFile, ".txt"},
        {"Replace All", "", "", "", "abc", Folder, "abc"},
        {"Replace All", "", "", "X", ".profile", TextFile, ".profile"},
        {"Replace All", "", "", "$Invert_Case$", "aBc.txt", TextFile, "AbC.txt"},
        {"Replace All", "", "", "$foldername$", "abc.txt", TextFile, "data.txt"},
        {"Replace All", "", "", "$Exif_Model", "abc.txt", TextFile, "abc.txt"},
        {"Replace All", "", "", "$MP3_ID3_Title", "abc.txt", TextFile, "abc.txt"},
        {"Replace All", "", "", "$mod_yyyy$", "abc.txt", TextFile, "abc.txt"},  // no Modified date
        {"Replace All", "", "", "$yyyy_mm_dd$", "abc.txt", TextFile, "2026_02_03.txt"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 count=%2 pos=%3 source=%4 on %5")
                         .arg(c.action, c.count, c.position, c.source, c.original)
                         .toStdString());
        EngineFixture f;
        configure(f.settings, c);
        f.addRow(QString::fromLatin1(c.original), c.type);
        EXPECT_EQ(f.preview({QString::fromLatin1(c.action)}),
                  QStringList{QString::fromLatin1(c.expected)});
    }
}

TEST(ReplacePart, CountersAcrossRows)
{
    struct RowsCase {
        const char *name;
        const char *action;
        void (*setup)(RenameSettings &);
        QStringList originals;
        QStringList expected;
    } cases[] = {
        {"defaults, files and a folder", "Replace All",
         [](RenameSettings &s) { s.AllSource = "$Counter$"; },
         {"a.txt", "b.jpg", "c"},
         {"001.txt", "002.jpg", "003"}},
        {"letters", "Replace All",
         [](RenameSettings &s) { s.AllSource = "$AlphaCounter$"; s.AllCounter.AlphaStart = "Y"; },
         {"a.txt", "b.txt", "c.txt"},
         {"00Y.txt", "00Z.txt", "0AA.txt"}},
        {"an empty base name still uses its number", "Replace All",
         [](RenameSettings &s) { s.AllSource = "$Counter$"; s.AllCounter.CounterPadWidth = "0"; },
         {"abc.txt", ".txt", "def.txt"},
         {"1.txt", ".txt", "3.txt"}},
        {"count 0 still uses the number", "Replace First",
         [](RenameSettings &s) {
             s.FirstSource = "$Counter$";
             s.FirstCount = "0";
             s.FirstCounter.CounterPadWidth = "0";
         },
         {"abc.txt", "def.txt"},
         {"abc.txt", "def.txt"}},
        {"a failing position does not use a number", "Replace Mid",
         [](RenameSettings &s) {
             s.MidSource = "$Counter$";
             s.MidPosition = "1";
             s.MidCount = "1";
             s.MidCounter.CounterPadWidth = "0";
         },
         {"abc.txt", ".txt", "def.txt"},
         {"1bc.txt", ".txt", "2ef.txt"}},
        {"a count that is no number keeps every name", "Replace Last",
         [](RenameSettings &s) { s.LastSource = "$Counter$"; s.LastCount = "abc"; },
         {"abc.txt", "def.txt"},
         {"abc.txt", "def.txt"}},
        {"a step that is no number keeps every name", "Replace All",
         [](RenameSettings &s) { s.AllSource = "$Counter$"; s.AllCounter.CounterStep = "x"; },
         {"abc.txt", "def.txt"},
         {"abc.txt", "def.txt"}},
        {"a 16-bit overflow of the pad width keeps every name", "Replace All",
         [](RenameSettings &s) { s.AllSource = "$Counter$"; s.AllCounter.CounterPadWidth = "40000"; },
         {"abc.txt"},
         {"abc.txt"}},
        {"random string from the action's mask", "Replace First",
         [](RenameSettings &s) { s.FirstSource = "$Random String$"; s.FirstRandomMask = "#A-"; },
         {"abcdef.txt"},
         {"0A-def.txt"}},
    };
    for (const RowsCase &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        c.setup(f.settings);
        for (const QString &original : c.originals)
            f.addRow(original, original.contains(u'.') ? TextFile : Folder);
        EXPECT_EQ(f.preview({QString::fromLatin1(c.action)}), c.expected);
    }
}

TEST(ReplacePart, CounterThatFailedDoesNotAdvanceForTheNextRun)
{
    EngineFixture f;
    f.settings.AllSource = QStringLiteral("$Counter$");
    f.addRow(QStringLiteral("a.txt"));
    f.addRow(QStringLiteral("b.txt"));
    EXPECT_EQ(f.preview({QStringLiteral("Replace All")}),
              (QStringList{QStringLiteral("001.txt"), QStringLiteral("002.txt")}));
    f.settings.AllCounter.CounterStart = QStringLiteral("abc");
    EXPECT_EQ(f.preview({QStringLiteral("Replace All")}),
              (QStringList{QStringLiteral("003.txt"), QStringLiteral("004.txt")}));
}

TEST(ReplacePart, ActionsChainInListOrderEachWithItsOwnCounter)
{
    EngineFixture f;
    f.settings.AllSource = QStringLiteral("$Counter$");
    f.settings.FirstSource = QStringLiteral("$AlphaCounter$");
    f.settings.FirstCount = QStringLiteral("1");
    f.settings.FirstCounter.AlphaPadWidth = QStringLiteral("0");
    f.addRow(QStringLiteral("x.txt"));
    f.addRow(QStringLiteral("y.txt"));
    // List order: "Replace First" stands before "Replace All", so Replace All wins.
    EXPECT_EQ(f.preview({QStringLiteral("Replace All"), QStringLiteral("Replace First")}),
              (QStringList{QStringLiteral("001.txt"), QStringLiteral("002.txt")}));
    // Reordered: Replace All first, then the first character becomes the letter counter.
    std::swap(f.settings.ActionList[1], f.settings.ActionList[4]);
    EXPECT_EQ(f.preview({QStringLiteral("Replace All"), QStringLiteral("Replace First")}),
              (QStringList{QStringLiteral("A01.txt"), QStringLiteral("B02.txt")}));
}

TEST(ReplacePart, PictureAndMusicRows)
{
    EngineFixture f;
    f.addRow(QStringLiteral("IMG_1.jpg"), QStringLiteral("JPEG Image"));
    f.addRow(QStringLiteral("IMG_2.jpg"), QStringLiteral("JPEG Image"));
    f.addRow(QStringLiteral("song.MP3"), QStringLiteral("MP3 File"));
    f.addRow(QStringLiteral("quiet.mp3"), QStringLiteral("MP3 File"));
    f.metadata.pictures[QStringLiteral("/data/IMG_1.jpg")] = {
        QStringLiteral("Make: Canon"), QStringLiteral("Model: EOS 5D"),
        QStringLiteral("DateTime: 2024:05:06 09:07:08")};
    f.metadata.pictures[QStringLiteral("/data/IMG_2.jpg")] = {QStringLiteral("Make: Nikon"),
                                                              QStringLiteral("Lens: 50mm")};
    f.metadata.texts[{QStringLiteral("/data/song.MP3"), Id3Field::Title}] = QStringLiteral("Tune");

    f.settings.LastSource = QStringLiteral("$Exif_Model");
    f.settings.LastCount = QStringLiteral("1");
    // IMG_2 has no Model line: the empty value removes the replaced character.
    EXPECT_EQ(f.preview({QStringLiteral("Replace Last")}),
              (QStringList{QStringLiteral("IMG_EOS 5D.jpg"), QStringLiteral("IMG_.jpg"),
                           QStringLiteral("song.MP3"), QStringLiteral("quiet.mp3")}));

    f.settings.AllSource = QStringLiteral("$Exif_date_$yyyymmdd$");
    // IMG_2 has no DateTime line: the picture-date word fails and the row keeps its name.
    EXPECT_EQ(f.preview({QStringLiteral("Replace All")}),
              (QStringList{QStringLiteral("20240506.jpg"), QStringLiteral("IMG_2.jpg"),
                           QStringLiteral("song.MP3"), QStringLiteral("quiet.mp3")}));

    f.settings.AllSource = QStringLiteral("$MP3_ID3_Title");
    EXPECT_EQ(f.preview({QStringLiteral("Replace All")}),
              (QStringList{QStringLiteral("IMG_1.jpg"), QStringLiteral("IMG_2.jpg"),
                           QStringLiteral("Tune.MP3"), QStringLiteral("quiet.mp3")}));
}

TEST(ReplacePart, NumberIsUsedEvenWhenTheReplacementIsDiscarded)
{
    EngineFixture f;
    f.settings.FirstSource = QStringLiteral("$Counter$");
    f.settings.FirstCount = QStringLiteral("0");
    f.addRow(QStringLiteral("abc.txt"));
    f.addRow(QStringLiteral("def.txt"));
    EXPECT_EQ(f.preview({QStringLiteral("Replace First")}),
              (QStringList{QStringLiteral("abc.txt"), QStringLiteral("def.txt")}));
    EXPECT_EQ(f.engine.run.counter(TokenAction::ReplaceFirst).CounterValue, 3);

    f.settings.FirstCount = QStringLiteral("x");
    f.preview({QStringLiteral("Replace First")});
    EXPECT_EQ(f.engine.run.counter(TokenAction::ReplaceFirst).CounterValue, 1);
}

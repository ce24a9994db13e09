#include "EngineFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using enginetest::EngineFixture;

TEST(Compose, ElementsOnOneRow)
{
    struct Case {
        const char *name;
        QStringList elements;
        const char *original;
        QString type;
        const char *expected;
    } cases[] = {
        {"empty list, file", {}, "abc.txt", "TXT File", ".txt"},
        {"empty list, folder", {}, "abc", "File Folder", "abc"},
        {"empty list, no extension", {}, "abc", "File", "abc"},
        {"literals", {"A", "-", "B"}, "abc.txt", "TXT File", "A-B.txt"},
        {"random element", {"$Random$_###"}, "abc.txt", "TXT File", "000.txt"},
        {"random element with a literal", {"x$Random$_###"}, "abc.txt", "TXT File", "x000.txt"},
        {"music field on a text file", {"A", "$MP3_ID3_Title", "B"}, "abc.txt", "TXT File", "AB.txt"},
        {"unknown music word", {"A", "$MP3_ID3_Nope"}, "abc.mp3", "MP3 File", "A.mp3"},
        {"case and random words are literal", {"$Upper_Case$", "$Random String$"}, "abc.txt",
         "TXT File", "$Upper_Case$$Random String$.txt"},
        {"mask form of Replace is literal", {"$Rand$_#"}, "abc.txt", "TXT File", "$Rand$_#.txt"},
        {"picture field on a text file", {"A", "$Exif_Model"}, "abc.txt", "TXT File", "A.txt"},
        {"tokens", {"$foldername$", "_", "$filesizeB$", "_", "$yyyy$"}, "abc.txt", "TXT File",
         "data_0B_2026.txt"},
        {"folder keeps its dots", {"N"}, "my.dir", "File Folder", "N"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.settings.ComposeElements = c.elements;
        f.addRow(QString::fromLatin1(c.original), c.type);
        EXPECT_EQ(f.preview({QStringLiteral("Compose")}),
                  QStringList{QString::fromLatin1(c.expected)});
    }
}

TEST(Compose, CountersStepPerElement)
{
    struct Case {
        const char *name;
        QStringList elements;
        const char *padWidth;
        QStringList expected;
    } cases[] = {
        {"prefix and counter", {"IMG_", "$Counter$"}, "3",
         {"IMG_001.jpg", "IMG_002.jpg", "IMG_003.jpg"}},
        {"two counters in one name", {"$Counter$", "$Counter$"}, "0", {"12.jpg", "34.jpg", "56.jpg"}},
        {"letters", {"$AlphaCounter$"}, "3", {"00A.jpg", "00B.jpg", "00C.jpg"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.settings.ComposeElements = c.elements;
        f.settings.ComposeCounter.CounterPadWidth = QString::fromLatin1(c.padWidth);
        for (const char *name : {"a.jpg", "b.jpg", "c.jpg"})
            f.addRow(QString::fromLatin1(name), QStringLiteral("JPEG Image"));
        EXPECT_EQ(f.preview({QStringLiteral("Compose")}), c.expected);
    }
}

TEST(Compose, ReplacesEarlierBaseNamesButKeepsEarlierExtensions)
{
    EngineFixture f;
    f.settings.ComposeElements = QStringList{QStringLiteral("N")};
    f.settings.AllSource = QStringLiteral("Z");
    f.settings.ExtensionMode = ExtensionOption::Upper;
    f.addRow(QStringLiteral("a.txt"));
    EXPECT_EQ(f.preview({QStringLiteral("Replace All"), QStringLiteral("Compose")}),
              QStringList{QStringLiteral("N.txt")});
    EXPECT_EQ(f.preview({QStringLiteral("Extension"), QStringLiteral("Compose")}),
              QStringList{QStringLiteral("N.TXT")});
}

TEST(Compose, PictureAndMusicFields)
{
    EngineFixture f;
    f.settings.ComposeElements =
        QStringList{QStringLiteral("$Exif_Model"), QStringLiteral("$MP3_ID3_Title")};
    f.addRow(QStringLiteral("p.jpg"), QStringLiteral("JPEG Image"));
    f.addRow(QStringLiteral("s.mp3"), QStringLiteral("MP3 File"));
    f.metadata.pictures[QStringLiteral("/data/p.jpg")] =
        QStringList{QStringLiteral("Make: Canon"), QStringLiteral("Model: EOS 5")};
    f.metadata.texts[{QStringLiteral("/data/s.mp3"), Id3Field::Title}] = QStringLiteral("Song");
    EXPECT_EQ(f.preview({QStringLiteral("Compose")}), (QStringList{"EOS 5.jpg", "Song.mp3"}));
}

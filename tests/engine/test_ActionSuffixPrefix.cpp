#include "EngineFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using enginetest::EngineFixture;

TEST(SuffixPrefix, OneRow)
{
    struct Case {
        const char *source;
        const char *original;
        QString type;
        const char *suffixed;
        const char *prefixed;
    } cases[] = {
        {"X", "abc.txt", "TXT File", "abcX.txt", "Xabc.txt"},
        {"X", "a.b.c", "C File", "a.bX.c", "Xa.b.c"},
        {"X", "my.dir", "File Folder", "my.dirX", "Xmy.dir"},
        {"X", "README", "File", "READMEX", "XREADME"},
        {"X", ".txt", "TXT File", "X.txt", "X.txt"},
        {"", "abc.txt", "TXT File", "abc.txt", "abc.txt"},
        {"$Upper_Case$", "abc.txt", "TXT File", "abc$Upper_Case$.txt", "$Upper_Case$abc.txt"},
        {"$MP3_ID3_Title", "abc.txt", "TXT File", "abc.txt", "abc.txt"},
        {"$MP3_ID3_Title", "abc.mp3", "MP3 File", "abc.mp3", "abc.mp3"},  // no title
        {"$Exif_Model", "abc.txt", "TXT File", "abc.txt", "abc.txt"},
        {"$filesizeB$", "abc.txt", "TXT File", "abc0B.txt", "0Babc.txt"},
        {"$yyyymmdd$", "abc.txt", "TXT File", "abc20260203.txt", "20260203abc.txt"},
        {"$Random String$", "abc.txt", "TXT File", "abcAAaa00.txt", "AAaa00abc.txt"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 on %2").arg(c.source, c.original).toStdString());
        EngineFixture f;
        f.settings.SuffixSource = f.settings.PrefixSource = QString::fromLatin1(c.source);
        f.addRow(QString::fromLatin1(c.original), c.type);
        EXPECT_EQ(f.preview({QStringLiteral("Suffix")}),
                  QStringList{QString::fromLatin1(c.suffixed)});
        EXPECT_EQ(f.preview({QStringLiteral("Prefix")}),
                  QStringList{QString::fromLatin1(c.prefixed)});
    }
}

TEST(SuffixPrefix, EachActionCountsItsOwnRows)
{
    EngineFixture f;
    f.settings.SuffixSource = f.settings.PrefixSource = QStringLiteral("$Counter$");
    f.settings.SuffixCounter.CounterStart = QStringLiteral("7");
    for (const char *name : {"a.txt", "b.txt", "c"})
        f.addRow(QString::fromLatin1(name));
    EXPECT_EQ(f.preview({QStringLiteral("Prefix")}),
              (QStringList{"001a.txt", "002b.txt", "003c"}));
    EXPECT_EQ(f.preview({QStringLiteral("Suffix"), QStringLiteral("Prefix")}),
              (QStringList{"001a007.txt", "002b008.txt", "003c009"}));
}

TEST(SuffixPrefix, TagsOfPicturesAndMusic)
{
    EngineFixture f;
    f.addRow(QStringLiteral("p.jpg"), QStringLiteral("JPEG Image"));
    f.addRow(QStringLiteral("s.mp3"), QStringLiteral("MP3 File"));
    f.metadata.pictures[QStringLiteral("/data/p.jpg")] =
        QStringList{QStringLiteral("Make: Canon"), QStringLiteral("Model: EOS 5")};
    f.metadata.texts[{QStringLiteral("/data/s.mp3"), Id3Field::Artist}] = QStringLiteral("Band");
    f.settings.SuffixSource = QStringLiteral("$Exif_Model");
    f.settings.PrefixSource = QStringLiteral("$MP3_ID3_Artist");
    EXPECT_EQ(f.preview({QStringLiteral("Suffix"), QStringLiteral("Prefix")}),
              (QStringList{"pEOS 5.jpg", "Bands.mp3"}));
}

TEST(SuffixPrefix, CounterSettingsThatDoNotConvertKeepTheName)
{
    EngineFixture f;
    f.settings.SuffixSource = QStringLiteral("$Counter$");
    f.settings.SuffixCounter.CounterStep = QStringLiteral("step");
    f.addRow(QStringLiteral("a.txt"));
    f.addRow(QStringLiteral("b.txt"));
    EXPECT_EQ(f.preview({QStringLiteral("Suffix")}), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(f.engine.run.counter(TokenAction::Suffix).CounterValue, 1);
}

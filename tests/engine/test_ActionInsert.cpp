#include "EngineFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using enginetest::EngineFixture;

namespace {

const QString Folder = QStringLiteral("File Folder");
const QString TextFile = QStringLiteral("TXT File");

struct InsertCase {
    int16_t mode;
    const char *position;
    const char *search;   // InsertSearchText, or "first|second" for mode 4
    int16_t matchCase;
    const char *source;
    const char *original;
    const char *expected;
    QString type = TextFile;
};

void configure(RenameSettings &s, const InsertCase &c)
{
    s.InsertMode = c.mode;
    s.InsertPosition = QString::fromLatin1(c.position);
    const QString search = QString::fromLatin1(c.search);
    s.InsertSearchText = search;
    s.InsertFirstText = search.section(u'|', 0, 0);
    s.InsertSecondText = search.section(u'|', 1, 1);
    s.InsertSearchMatchCase = s.InsertBetweenMatchCase = c.matchCase;
    s.InsertSource = QString::fromLatin1(c.source);
}

} // namespace

TEST(Insert, ModesOnOneRow)
{
    const InsertCase cases[] = {
        // At position from start
        {0, "1", "", 0, "X", "abc.txt", "Xabc.txt"},
        {0, "2", "", 0, "X", "abc.txt", "aXbc.txt"},
        {0, "4", "", 0, "X", "abc.txt", "abcX.txt"},
        {0, "99", "", 0, "X", "abc.txt", "abcX.txt"},
        {0, "0", "", 0, "X", "abc.txt", "abc.txt"},
        {0, "-1", "", 0, "X", "abc.txt", "abc.txt"},
        {0, "1.5", "", 0, "X", "abc.txt", "aXbc.txt"},
        {0, "2.5", "", 0, "X", "abc.txt", "aXbc.txt"},
        {0, "1", "", 0, "X", ".txt", "X.txt"},
        // At position from end
        {1, "1", "", 0, "X", "abc.txt", "abcX.txt"},
        {1, "2", "", 0, "X", "abc.txt", "abXc.txt"},
        {1, "4", "", 0, "X", "abc.txt", "Xabc.txt"},
        {1, "99", "", 0, "X", "abc.txt", "Xabc.txt"},
        {1, "0", "", 0, "X", "abc.txt", "abc.txt"},
        {1, "1", "", 0, "X", "my.dir", "my.dirX", Folder},
        // A position that does not convert stops every mode
        {0, "x", "", 0, "X", "abc.txt", "abc.txt"},
        {0, "", "", 0, "X", "abc.txt", "abc.txt"},
        {0, "40000", "", 0, "X", "abc.txt", "abc.txt"},
        {2, "x", "c", 0, "X", "abc.txt", "abc.txt"},
        {3, "", "b", 0, "X", "abc.txt", "abc.txt"},
        {4, "x", "a|b", 0, "X", "xaby.txt", "xaby.txt"},
        // Before existing string
        {2, "1", "c", 0, "X", "abc.txt", "abXc.txt"},
        {2, "1", "C", 0, "X", "abc.txt", "abXc.txt"},
        {2, "1", "C", 1, "X", "abc.txt", "abc.txt"},
        {2, "1", "z", 0, "X", "abc.txt", "abc.txt"},
        {2, "1", "", 0, "X", "abc.txt", "abc.txt"},
        {2, "1", "tx", 0, "X", "abc.txt", "abc.txt"},
        {2, "1", "a", 0, "X", "abc.txt", "Xabc.txt"},
        // After existing string
        {3, "1", "b", 0, "X", "abc.txt", "abXc.txt"},
        {3, "1", "B", 0, "X", "abc.txt", "abXc.txt"},
        {3, "1", "B", 1, "X", "abc.txt", "abc.txt"},
        {3, "1", "bc", 0, "X", "abcbc.txt", "abcXbc.txt"},
        {3, "1", "tx", 0, "X", "abc.txt", "abc.txt"},
        {3, "1", "", 0, "X", "abc.txt", "abc.txt"},
        // Between two strings that stand side by side
        {4, "1", "a|b", 0, "X", "xaby.txt", "xaXby.txt"},
        {4, "1", "a|bc", 0, "X", "xabcy.txt", "xaXbcy.txt"},
        {4, "1", "a|c", 0, "X", "abc.txt", "abc.txt"},
        {4, "1", "a|", 0, "X", "xaby.txt", "xaXby.txt"},
        {4, "1", "|", 0, "X", "abc.txt", "Xabc.txt"},
        {4, "1", "A|B", 0, "X", "xaby.txt", "xaXby.txt"},
        {4, "1", "A|B", 1, "X", "xaby.txt", "xaby.txt"},
        // No such mode
        {5, "1", "a", 0, "X", "abc.txt", "abc.txt"},
        {-1, "1", "a", 0, "X", "abc.txt", "abc.txt"},
        // Sources
        {0, "1", "", 0, "$Upper_Case$", "abc.txt", "$Upper_Case$abc.txt"},
        {0, "1", "", 0, "", "abc.txt", "abc.txt"},
        {0, "1", "", 0, "$foldername$", "abc.txt", "dataabc.txt"},
        {0, "1", "", 0, "$Random String$", "abc.txt", "AAaa00abc.txt"},
        {0, "1", "", 0, "$current_date$", "abc.txt", "$current_date$abc.txt"},
        {0, "1", "", 0, "$Exif_Model", "abc.txt", "abc.txt"},
        {0, "1", "", 0, "$MP3_ID3_Title", "abc.txt", "abc.txt"},
    };
    for (const InsertCase &c : cases) {
        SCOPED_TRACE(QStringLiteral("mode %1 pos=%2 search=%3 case=%4 source=%5 on %6")
                         .arg(c.mode)
                         .arg(c.position, c.search)
                         .arg(c.matchCase)
                         .arg(c.source, c.original)
                         .toStdString());
        EngineFixture f;
        configure(f.settings, c);
        f.addRow(QString::fromLatin1(c.original), c.type);
        EXPECT_EQ(f.preview({QStringLiteral("Insert")}),
                  QStringList{QString::fromLatin1(c.expected)});
    }
}

TEST(Insert, CounterStepsOnEveryRowThatGetsToTheSource)
{
    EngineFixture f;
    f.settings.InsertMode = 3;
    f.settings.InsertSearchText = QStringLiteral("b");
    f.settings.InsertSource = QStringLiteral("$Counter$");
    f.settings.InsertCounter.CounterPadWidth = QStringLiteral("0");
    for (const char *name : {"abc.txt", "xyz.txt", "b.txt"})
        f.addRow(QString::fromLatin1(name));
    EXPECT_EQ(f.preview({QStringLiteral("Insert")}),
              (QStringList{"ab1c.txt", "xyz.txt", "b3.txt"}));

    // A position that does not convert fails before the source: the counter does not move.
    f.settings.InsertPosition = QStringLiteral("x");
    f.preview({QStringLiteral("Insert")});
    EXPECT_EQ(f.engine.run.counter(TokenAction::Insert).CounterValue, 1);
}

TEST(Insert, MusicTagOfAnMp3File)
{
    EngineFixture f;
    f.settings.InsertSource = QStringLiteral("$MP3_ID3_Title");
    f.addRow(QStringLiteral("a.mp3"), QStringLiteral("MP3 File"));
    f.addRow(QStringLiteral("b.MP3"), QStringLiteral("MP3 File"));
    f.metadata.texts[{QStringLiteral("/data/a.mp3"), Id3Field::Title}] = QStringLiteral("Song ");
    EXPECT_EQ(f.preview({QStringLiteral("Insert")}), (QStringList{"Song a.mp3", "b.MP3"}));
}

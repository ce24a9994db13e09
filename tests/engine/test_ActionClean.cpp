#include "EngineFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using enginetest::EngineFixture;

namespace {

enum Keep : int { Underscore = 0, Hyphen, OpenParen, CloseParen, Dollar, Comma, Hash, Space, Point };

} // namespace

TEST(Clean, RemovedCharactersAreReplacedOrDeleted)
{
    struct Case {
        const char *name;
        std::array<bool, 4> classes;
        std::vector<int> keep;
        bool removeSpecial;
        CleanReplaceOption mode;
        const char *replaceChar;
        const char *original;
        QString type;
        const char *expected;
    } cases[] = {
        {"digits by blanks", {false, false, false, true}, {}, false, CleanReplaceOption::Blank, "",
         "IMG_0042.jpg", "JPEG Image", "IMG_    .jpg"},
        {"digits deleted", {false, false, false, true}, {}, false,
         CleanReplaceOption::OwnCharacter, "", "IMG_0042.jpg", "JPEG Image", "IMG_.jpg"},
        {"digits by the first character of the box", {false, false, false, true}, {}, false,
         CleanReplaceOption::OwnCharacter, "xy", "IMG_0042.jpg", "JPEG Image", "IMG_xxxx.jpg"},
        {"nothing chosen", {}, {}, false, CleanReplaceOption::Blank, "", "a b-c.txt", "TXT File",
         "a b-c.txt"},
        {"capitals deleted, extension kept", {true, false, false, false}, {}, false,
         CleanReplaceOption::OwnCharacter, "", "AbC.TXT", "TXT File", "b.TXT"},
        {"vowels", {false, false, true, false}, {}, false, CleanReplaceOption::OwnCharacter, "",
         "Audio.wav", "WAV File", "d.wav"},
        {"special characters: a blank for each, blanks not kept", {}, {}, true,
         CleanReplaceOption::Blank, "", "a_b-c (1).txt", "TXT File", "a b c  1 .txt"},
        {"special characters deleted, kept ones stay", {}, {Underscore, Point}, true,
         CleanReplaceOption::OwnCharacter, "", "a_b-c.d!e?.txt", "TXT File", "a_bc.d!e.txt"},
        {"the replacement itself is not kept", {}, {}, true, CleanReplaceOption::OwnCharacter,
         "-", "a b.txt", "TXT File", "a-b.txt"},
        {"other kept characters", {false, false, false, true}, {}, true,
         CleanReplaceOption::OwnCharacter, "", "a!b?1.txt", "TXT File", "a!b.txt"},
        {"folder: the whole name", {}, {}, true, CleanReplaceOption::OwnCharacter, "", "my.dir",
         "File Folder", "mydir"},
        {"everything removed from a folder keeps its name", {false, false, false, true}, {},
         false, CleanReplaceOption::OwnCharacter, "", "2024", "File Folder", "2024"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.settings.CleanClasses = c.classes;
        for (const int k : c.keep)
            f.settings.CleanKeepChars[size_t(k)] = true;
        f.settings.CleanKeepOther = QStringLiteral("!");
        f.settings.CleanRemoveSpecial = c.removeSpecial;
        f.settings.CleanReplaceMode = c.mode;
        f.settings.CleanReplaceChar = QString::fromLatin1(c.replaceChar);
        f.addRow(QString::fromLatin1(c.original), c.type);
        EXPECT_EQ(f.preview({QStringLiteral("Clean")}),
                  QStringList{QString::fromLatin1(c.expected)});
    }
}

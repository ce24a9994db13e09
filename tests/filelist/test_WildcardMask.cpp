#include "WildcardMask.h"

#include <gtest/gtest.h>

using namespace filelist;

TEST(WildcardMask, MatchesAsTheDirectorySearchDoes)
{
    struct Case {
        const char *mask;
        const char *name;
        bool matches;
    };
    const Case cases[] = {
        {"*.*", "noextension", true},
        {"*.*", ".hidden", true},
        {"*", "a.b.c", true},
        {"*.txt", "a.txt", true},
        {"*.txt", "A.TXT", true},
        {"*.TXT", "notes.txt", true},
        {"*.txt", "a.txt2", false},
        {"*.txt", "a.text", false},
        {"*.txt", "atxt", false},
        {"*.txt", ".txt", true},
        {"*.txt", "x.y.txt", true},
        {"*.", "README", true},
        {"*.", "a.txt", false},
        {"a?.txt", "ab.txt", true},
        {"a?.txt", "a.txt", true},
        {"a?.txt", "abc.txt", false},
        {"??", "a", true},
        {"??", "abc", false},
        {"*.t?t", "a.txt", true},
        {"*.t?t", "a.tt", false},
        {"file*", "file10.txt", true},
        {"file*", "afile", false},
        {"*1*", "a1b", true},
        {"*.j*", "photo.JPEG", true},
        {"*.j*", "photo", false},
        {"data.*", "data", true},
        {"data.*", "data.csv", true},
        {"data.*", "database", false},
        {"Ä*.txt", "äpfel.txt", true},
        {"exact", "EXACT", true},
        {"exact", "exactly", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " / " + c.name);
        EXPECT_EQ(WildcardMask(QString::fromUtf8(c.mask)).matches(QString::fromUtf8(c.name)), c.matches);
    }
}

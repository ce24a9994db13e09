#include "LogLine.h"

#include <gtest/gtest.h>

using renamewin::LogLine;

namespace {

struct Case {
    const char *line;
    std::array<const char *, 4> fields;
    int count;
    bool failed;
};

} // namespace

TEST(LogLine, SplitsIntoFourFieldsAndMarksFailures)
{
    const Case cases[] = {
        {"/data/ : a.txt : a001.txt : Rename Successful", {"/data/", "a.txt", "a001.txt", "Rename Successful"}, 4, false},
        {"/data/ : b.txt : c.txt : File already exists", {"/data/", "b.txt", "c.txt", "File already exists"}, 4, true},
        // The result is compared exactly.
        {"/data/ : a : b : rename successful", {"/data/", "a", "b", "rename successful"}, 4, true},
        // Fewer fields: the missing ones stay empty and the line counts as failed.
        {"no separator at all", {"no separator at all", "", "", ""}, 1, true},
        {"/data/ : a.txt", {"/data/", "a.txt", "", ""}, 2, true},
        {"/data/ : a.txt : b.txt", {"/data/", "a.txt", "b.txt", ""}, 3, true},
        {"", {"", "", "", ""}, 1, true},
        // Names holding " : " stay whole: the line is split from both ends.
        {"/m/ : Song : Live.mp3 : Song : Live (1).mp3 : Rename Successful",
         {"/m/", "Song : Live.mp3", "Song : Live (1).mp3", "Rename Successful"}, 4, false},
        {"/m/ : Song : Live.mp3 : Song - Live.mp3 : Rename Successful",
         {"/m/", "Song : Live.mp3", "Song - Live.mp3", "Rename Successful"}, 4, false},
        {"/m/ : Song - Live.mp3 : Song : Live.mp3 : Permission denied",
         {"/m/", "Song - Live.mp3", "Song : Live.mp3", "Permission denied"}, 4, true},
        // A folder holding " : " ends at the separator after its "/".
        {"/a : b/ : x.txt : y.txt : Rename Successful", {"/a : b/", "x.txt", "y.txt", "Rename Successful"}, 4, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        const LogLine line = LogLine::parse(QString::fromUtf8(c.line));
        EXPECT_EQ(line.FieldCount, c.count);
        for (size_t i = 0; i < 4; ++i)
            EXPECT_EQ(line.Fields[i], QString::fromUtf8(c.fields[i])) << "field " << i + 1;
        EXPECT_EQ(line.failed(), c.failed);
    }
}

#include "EngineFixture.h"
#include "ActionMessages.h"
#include "MessageService.h"

#include <gtest/gtest.h>

using namespace engine;
using enginetest::EngineFixture;

namespace {

using Table = std::vector<ReplaceListEntry>;

ReplaceListEntry entry(const char *matchCase, const char *from, const char *to)
{
    return {QString::fromLatin1(matchCase), QString::fromLatin1(from), QString::fromLatin1(to)};
}

} // namespace

TEST(Replace, TableOnOneRow)
{
    struct Case {
        const char *name;
        Table table;
        const char *original;
        QString type;
        const char *expected;
    } cases[] = {
        {"empty table", {}, "abc.txt", "TXT File", "abc.txt"},
        {"every occurrence, later rows see earlier results",
         {entry("n", "a", "b"), entry("n", "b", "c")}, "aab.txt", "TXT File", "ccc.txt"},
        {"case word gives the From text in upper case", {entry("n", "abc", "$Upper_Case$")},
         "xAbCx.txt", "TXT File", "xABCx.txt"},
        {"match case Y", {entry("Y", "abc", "x")}, "ABC.txt", "TXT File", "ABC.txt"},
        {"match case y", {entry("y", "abc", "x")}, "ABC.txt", "TXT File", "ABC.txt"},
        {"match case n", {entry("n", "abc", "x")}, "ABC.txt", "TXT File", "x.txt"},
        {"never the extension", {entry("n", "jpg", "x")}, "photo.jpg", "JPEG Image", "photo.jpg"},
        {"a folder's dots are part of its name", {entry("n", ".", "_")}, "a.b.c", "File Folder",
         "a_b_c"},
        {"empty From is skipped", {entry("n", "", "x")}, "abc.txt", "TXT File", "abc.txt"},
        {"picture field without picture data ends the action",
         {entry("n", "a", "b"), entry("n", "b", "$Exif_Model")}, "aab.txt", "TXT File",
         "aab.txt"},
        {"music field on a text file ends the action",
         {entry("n", "a", "b"), entry("n", "b", "$MP3_ID3_Title")}, "aab.txt", "TXT File",
         "aab.txt"},
        {"unmatched row evaluates nothing", {entry("n", "z", "$MP3_ID3_Title")}, "abc.txt",
         "TXT File", "abc.txt"},
        {"mask form", {entry("n", "b", "$Rand$_##")}, "abc.txt", "TXT File", "a00c.txt"},
        {"mask word of the other actions is literal", {entry("n", "b", "$Random String$")},
         "abc.txt", "TXT File", "a$Random String$c.txt"},
        {"modified date words", {entry("n", "d", "$date_modified$"), entry("n", "t", "$time_modified$")},
         "d_t.txt", "TXT File", "07042025_080307.txt"},
        {"size and folder words", {entry("n", "f", "$foldername$")}, "f.txt", "TXT File",
         "data.txt"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.app.ReplaceList = c.table;
        f.addRow(QString::fromLatin1(c.original), c.type, 0, QStringLiteral("7/4/2025 8:03:07 AM"));
        EXPECT_EQ(f.preview({QStringLiteral("Replace")}),
                  QStringList{QString::fromLatin1(c.expected)});
        EXPECT_TRUE(f.host.messages.empty());
    }
}

TEST(Replace, CounterAdvancesOnlyOnMatchingRows)
{
    EngineFixture f;
    f.app.ReplaceList = {entry("n", "a", "$Counter$")};
    for (const char *name : {"a.txt", "zzz.txt", "ba.txt"})
        f.addRow(QString::fromLatin1(name));
    EXPECT_EQ(f.preview({QStringLiteral("Replace")}),
              (QStringList{"001.txt", "zzz.txt", "b002.txt"}));
}

TEST(Replace, FailingRowsGiveOneMessageAfterTheRun)
{
    struct Case {
        const char *name;
        Table table;
        const char *padWidth;
        QStringList originals;
        QString type;
        QStringList expected;
        QString message;
    } cases[] = {
        {"empty result: an empty box", {entry("n", "abc", "")}, "3", {"abc", "xabc"},
         "File Folder", {"abc", "x"}, QString()},
        {"counter settings that do not convert", {entry("n", "a", "$Counter$")}, "wide",
         {"a.txt", "ba.txt", "c.txt"}, "TXT File", {"a.txt", "ba.txt", "c.txt"},
         QStringLiteral("Type mismatch")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.app.ReplaceList = c.table;
        f.settings.ReplaceCounter.CounterPadWidth = QString::fromLatin1(c.padWidth);
        for (const QString &name : c.originals)
            f.addRow(name, c.type);
        EXPECT_EQ(f.preview({QStringLiteral("Replace")}), c.expected);
        ASSERT_EQ(f.host.messages.size(), 1u);
        EXPECT_EQ(f.host.messages[0].prompt, c.message);
        EXPECT_EQ(f.host.messages[0].title, QStringLiteral("Morvane"));
        EXPECT_EQ(f.host.messages[0].buttons, msg::OKOnly);
        EXPECT_EQ(f.host.captions.constLast(), QStringLiteral("Ready"));
    }
}

TEST(Replace, DistinctFailuresAreListedOnceEach)
{
    EngineFixture f;
    noteActionFailure(f.engine, QStringLiteral("Overflow"));
    noteActionFailure(f.engine, QString());
    noteActionFailure(f.engine, QStringLiteral("Type mismatch"));
    noteActionFailure(f.engine, QStringLiteral("Overflow"));
    ShowActionFailures(f.engine);
    ShowActionFailures(f.engine);
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_EQ(f.host.messages[0].prompt, QStringLiteral("Overflow\nType mismatch"));
}

TEST(Extension, ModesOnOneRow)
{
    struct Case {
        const char *name;
        ExtensionOption mode;
        Table table;
        bool replaceAll;
        const char *replaceAllTo;
        const char *original;
        QString type;
        const char *expected;
    } cases[] = {
        {"upper, only after the last dot", ExtensionOption::Upper, {}, false, "", "Photo.tar.gz",
         "GZ File", "Photo.tar.GZ"},
        {"lower", ExtensionOption::Lower, {}, false, "", "a.JPG", "JPEG Image", "a.jpg"},
        {"invert", ExtensionOption::Invert, {}, false, "", "a.JpG", "JPEG Image", "a.jPg"},
        {"none chosen acts as invert", ExtensionOption::None, {}, false, "", "a.JpG", "JPEG Image",
         "a.jPg"},
        {"list: From is searched inside", ExtensionOption::Replace, {entry("n", "jp", "x")}, false,
         "", "photo.jpg", "JPEG Image", "photo.xg"},
        {"list: match case y", ExtensionOption::Replace, {entry("y", "JPG", "png")}, false, "",
         "photo.jpg", "JPEG Image", "photo.jpg"},
        {"list: match case n", ExtensionOption::Replace, {entry("n", "JPG", "png")}, false, "",
         "photo.jpg", "JPEG Image", "photo.png"},
        {"list: picture field without data changes nothing", ExtensionOption::Replace,
         {entry("n", "jpg", "$Exif_Model")}, false, "", "photo.jpg", "JPEG Image", "photo.jpg"},
        {"list: words of other actions are literal", ExtensionOption::Replace,
         {entry("n", "txt", "$yyyy$")}, false, "", "a.txt", "TXT File", "a.$yyyy$"},
        {"replace all", ExtensionOption::Replace, {entry("n", "j", "x")}, true, "png", "photo.jpg",
         "JPEG Image", "photo.png"},
        {"replace all with nothing leaves the dot", ExtensionOption::Replace, {}, true, "",
         "photo.jpg", "JPEG Image", "photo."},
        {"replace all, picture field without data", ExtensionOption::Replace, {}, true,
         "$Exif_Model", "photo.jpg", "JPEG Image", "photo.jpg"},
        {"replace all, mask form", ExtensionOption::Replace, {}, true, "$Rand$_a#", "photo.jpg",
         "JPEG Image", "photo.a0"},
        {"no extension", ExtensionOption::Upper, {}, false, "", "README", "File", "README"},
        {"folder", ExtensionOption::Upper, {}, false, "", "my.dir", "File Folder", "my.dir"},
        {"ends in a dot", ExtensionOption::Replace, {}, true, "png", "notes.", "File", "notes."},
        {"only an extension", ExtensionOption::Upper, {}, false, "", ".profile", "File",
         ".PROFILE"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.settings.ExtensionMode = c.mode;
        f.app.ExtReplaceList = c.table;
        f.app.ReplaceAllExt = c.replaceAll;
        f.app.ReplaceAllExtTo = QString::fromLatin1(c.replaceAllTo);
        f.addRow(QString::fromLatin1(c.original), c.type);
        EXPECT_EQ(f.preview({QStringLiteral("Extension")}),
                  QStringList{QString::fromLatin1(c.expected)});
        EXPECT_TRUE(f.host.messages.empty());
    }
}

TEST(Extension, CounterInTheTable)
{
    struct Case {
        const char *name;
        Table table;
        QStringList originals;
        QStringList expected;
    } cases[] = {
        {"two matching rows advance twice per file",
         {entry("n", "j", "$Counter$"), entry("n", "p", "$Counter$")}, {"a.jpg", "b.jpg"},
         {"a.12g", "b.34g"}},
        {"an empty From is evaluated but replaces nothing",
         {entry("n", "", "$Counter$"), entry("n", "j", "$Counter$")}, {"a.jpg"}, {"a.2pg"}},
        {"nothing is evaluated without an extension", {entry("n", "", "$Counter$")},
         {"abc", "b.jpg"}, {"abc", "b.jpg"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture f;
        f.settings.ExtensionMode = ExtensionOption::Replace;
        f.settings.ExtensionCounter.CounterPadWidth = QStringLiteral("0");
        f.app.ExtReplaceList = c.table;
        for (const QString &name : c.originals)
            f.addRow(name);
        EXPECT_EQ(f.preview({QStringLiteral("Extension")}), c.expected);
    }
    // The row without an extension evaluated nothing, so "b.jpg" used the first number.
    EngineFixture f;
    f.settings.ExtensionMode = ExtensionOption::Replace;
    f.app.ExtReplaceList = {entry("n", "jpg", "$Counter$")};
    f.addRow(QStringLiteral("abc"));
    f.addRow(QStringLiteral("b.jpg"));
    EXPECT_EQ(f.preview({QStringLiteral("Extension")}), (QStringList{"abc", "b.001"}));
}

TEST(Extension, FailureKeepsTheNameAndIsReportedOnce)
{
    EngineFixture f;
    f.settings.ExtensionMode = ExtensionOption::Replace;
    f.settings.ExtensionCounter.CounterStep = QStringLiteral("99999");
    f.app.ExtReplaceList = {entry("n", "jpg", "$Counter$")};
    f.addRow(QStringLiteral("a.jpg"));
    f.addRow(QStringLiteral("b.jpg"));
    EXPECT_EQ(f.preview({QStringLiteral("Extension")}), (QStringList{"a.jpg", "b.jpg"}));
    ASSERT_EQ(f.host.messages.size(), 1u);
    EXPECT_EQ(f.host.messages[0].prompt, QStringLiteral("Overflow"));
}

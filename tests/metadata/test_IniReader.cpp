// Look-ups in profile files the way the value-text file "exif.ini" is read.
#include "IniReader.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using metadata::IniReader;

TEST(IniReader, LookUps)
{
    const IniReader ini = IniReader::fromText(
        "orphan=outside any section\n"
        "[Make]\r\n"
        "  Canon  =  Canon Inc.  \r\n"
        "canon=second\r\n"
        "; Nikon=commented out\r\n"
        "Quoted=\"  kept blanks  \"\r"
        "Single='x'\n"
        "Empty=\n"
        "a=b=c\n"
        "[ Model ]\n"
        "Long=" + QString(2000, u'x') + "\n"
        "[Make]\n"
        "Late=in a repeated section\n");
    struct Case {
        const char *section;
        const char *key;
        QString expected;
    };
    const Case cases[] = {
        {"Make", "Canon", "Canon Inc."},
        {"MAKE", "canon", "Canon Inc."},
        {"Make", " Canon ", "Canon Inc."},
        {"Make", "Nikon", "default"},
        {"Make", "; Nikon", "default"},
        {"Make", "Quoted", "kept blanks"},
        {"Make", "Single", "x"},
        {"Make", "Empty", "default"},
        {"Make", "a", "b=c"},
        {"Make", "", "default"},
        {"", "orphan", "default"},
        {"Model", "Long", QString(1023, u'x')},
        {"Make", "Late", "in a repeated section"},
        {"Missing", "Canon", "default"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(ini.GetIniValue(c.section, c.key, "default"), c.expected);
    }
}

TEST(IniReader, ReadsFilesAndToleratesMissingOnes)
{
    QTemporaryDir dir;
    testfiles::writeFile(dir.filePath("a.ini"), "\xEF\xBB\xBF[Flash]\r\n0=No flash\r\n1=Fired \xE9\r\n");
    const IniReader ini(dir.filePath("a.ini"));
    EXPECT_EQ(ini.GetIniValue("Flash", "0"), "No flash");
    EXPECT_EQ(ini.GetIniValue("Flash", "1"), QString::fromUtf8("Fired \xC3\xA9"));
    EXPECT_TRUE(IniReader(dir.filePath("missing.ini")).isEmpty());
    EXPECT_TRUE(IniReader(QString()).isEmpty());
    EXPECT_EQ(IniReader(dir.path()).GetIniValue("Flash", "0"), "");
}

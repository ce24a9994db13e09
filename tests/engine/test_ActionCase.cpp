#include "EngineFixture.h"

#include <gtest/gtest.h>

using namespace engine;
using enginetest::EngineFixture;

TEST(ChangeCase, BaseNameOnly)
{
    struct Case {
        CaseOption mode;
        const char *original;  // UTF-8
        QString type;
        const char *expected;
    } cases[] = {
        {CaseOption::Upper, "photo.jpg", "JPEG Image", "PHOTO.jpg"},
        {CaseOption::Lower, "PHOTO.JPG", "JPEG Image", "photo.JPG"},
        {CaseOption::Invert, "aBc1-.Txt", "TXT File", "AbC1-.Txt"},
        {CaseOption::None, "aBc.Txt", "TXT File", "AbC.Txt"},
        {CaseOption::Upper, "my.dir", "File Folder", "MY.DIR"},
        {CaseOption::Upper, "\xc3\xa9t\xc3\xa9.txt", "TXT File", "\xc3\x89T\xc3\x89.txt"},
        {CaseOption::Lower, "\xc3\x89T\xc3\x89.TXT", "TXT File", "\xc3\xa9t\xc3\xa9.TXT"},
        {CaseOption::Invert, "\xc3\xa9t\xc3\xa9.txt", "TXT File", "\xc3\xa9T\xc3\xa9.txt"},
        {CaseOption::Upper, ".txt", "TXT File", ".txt"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.original);
        EngineFixture f;
        f.settings.CaseMode = c.mode;
        f.addRow(QString::fromUtf8(c.original), c.type);
        EXPECT_EQ(f.preview({QStringLiteral("Change Case")}),
                  QStringList{QString::fromUtf8(c.expected)});
    }
}

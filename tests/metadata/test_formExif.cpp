// The "Exif Data" window: the dump of its picture in its list, and proportional resizing.
#include "ByteBuilders.h"
#include "TestFiles.h"
#include "formExif.h"

#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using bytes::ExifBuilder;
using bytes::Ifd;
using metadata::formExif;

TEST(formExif, ShowsTheDumpOfItsPicture)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath("photo.jpg");
    testfiles::writeFile(picture, ExifBuilder(true)
                                      .ascii(Ifd::Zero, 0x0110, "Model X")
                                      .shortValue(Ifd::Exif, 0xA001, 1)
                                      .jpeg());
    formExif form(nullptr, picture);
    EXPECT_EQ(form.windowTitle(), "Exif Data");
    EXPECT_EQ(form.lstExif->toolTip(), "Double Click to change");
    ASSERT_EQ(form.lstExif->count(), 2);
    EXPECT_EQ(form.lstExif->item(0)->text(), "Camera Model = Model X");
    EXPECT_EQ(form.lstExif->item(0)->data(Qt::UserRole).toInt(), 0x0110);
    EXPECT_EQ(form.lstExif->item(1)->text(), "Color space information = sRGB");

    // The list keeps its share of the window.
    form.show();
    form.grab().save(testfiles::artifactFolder() + "/formExif.png");
    const QRect before = form.lstExif->geometry();
    form.resize(form.width() * 2, form.height() * 3 / 2);
    const QRect after = form.lstExif->geometry();
    EXPECT_NEAR(after.width(), before.width() * 2, 2);
    EXPECT_NEAR(after.height(), before.height() * 3 / 2, 2);
    EXPECT_NEAR(after.left(), before.left() * 2, 2);

    formExif missing(nullptr, dir.filePath("none.jpg"));
    ASSERT_EQ(missing.lstExif->count(), 1);
    EXPECT_EQ(missing.lstExif->item(0)->text(), "Not a JPeg file");

    qputenv("VEXLO_HOME", QFile::encodeName(dir.path()));
    EXPECT_EQ(formExif::SamplePicture(), dir.filePath("Sample.jpg"));
    qunsetenv("VEXLO_HOME");
}

// The readers on files no one on the team wrote: camera pictures and MP3 files from Debian
// packages, checked against exiftool.
#include "SampleFiles.h"
#include "clsEXIF.h"
#include "clsID3.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using metadata::clsEXIF;
using metadata::clsID3;

namespace {

/** The value of the first line of `tag`, trailing blanks removed as exiftool shows it; "-"
 *  when no line has the tag. */
QString lineValue(const QStringList &lines, const QString &tag)
{
    const QString prefix = tag + QStringLiteral(": ");
    for (const QString &line : lines)
        if (line.startsWith(prefix)) {
            QString v = line.mid(prefix.size());
            while (v.endsWith(u' '))
                v.chop(1);
            return v;
        }
    return QStringLiteral("-");
}

} // namespace

TEST(MetadataSamples, CameraPicturesMatchExiftool)
{
    const QStringList pictures = samples::cameraPictures();
    if (pictures.isEmpty() || !samples::haveExiftool())
        GTEST_SKIP() << "golang-github-rwcarlsen-goexif-dev or exiftool is not installed";
    ASSERT_EQ(pictures.size(), 57);

    std::vector<QStringList> ours;
    for (const QString &picture : pictures) {
        SCOPED_TRACE(picture.toStdString());
        clsEXIF exif(QString{});
        exif.setImageFile(picture);
        ASSERT_EQ(exif.ParseStatus(), clsEXIF::Parsed);
        QStringList lines;
        EXPECT_EQ(exif.ListInfo(lines), QString());
        EXPECT_FALSE(lines.isEmpty());
        ours.push_back({lineValue(lines, "Make"), lineValue(lines, "Model"),
            lineValue(lines, "DateTimeOriginal")});
    }
    QTemporaryDir blocks;
    const std::vector<QStringList> expected = samples::exiftool(
        {"Make", "Model", "DateTimeOriginal"}, samples::exifBlocks(pictures, blocks.path()));
    ASSERT_EQ(qsizetype(expected.size()), pictures.size());
    int withModel = 0;
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        SCOPED_TRACE(pictures[i].toStdString());
        EXPECT_EQ(ours[size_t(i)], expected[size_t(i)]);
        withModel += ours[size_t(i)][1] != "-";
    }
    EXPECT_GE(withModel, 45);
}

TEST(MetadataSamples, MpegFilesMatchExiftool)
{
    QStringList files = samples::packageFiles("libmp3-tag-perl", ".mp3");
    files += samples::taggedSong();
    files.removeAll(QString());
    if (files.size() < 3 || !samples::haveExiftool())
        GTEST_SKIP()
            << "libmp3-tag-perl, golang-github-hjfreyer-taglib-go-dev or exiftool is not installed";
    const std::vector<QStringList> expected = samples::exiftool(
        {"SampleRate", "AudioBitrate#", "Duration#", "Title", "Artist", "Album"}, files);
    ASSERT_EQ(expected.size(), size_t(files.size()));
    for (qsizetype i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].toStdString());
        clsID3 id3;
        id3.setFileName(files[i]);
        const QStringList &e = expected[size_t(i)];
        EXPECT_EQ(QString::number(id3.SamplingRateFrequency()), e[0]);
        EXPECT_EQ(QString::number(id3.BitRate()), e[1]);
        EXPECT_NEAR(id3.length(), e[2].toDouble(),
            e[2].toDouble() * 0.01 + 0.01); // exiftool counts the header bytes
        auto orDash = [](const QString &v) { return v.isEmpty() ? QStringLiteral("-") : v; };
        EXPECT_EQ(orDash(id3.Title()), e[3]);
        EXPECT_EQ(orDash(id3.Artist()), e[4]);
        EXPECT_EQ(orDash(id3.Album()), e[5]);
    }
}

TEST(MetadataSamples, TaggedSongFields)
{
    const QString song = samples::taggedSong();
    if (song.isEmpty())
        GTEST_SKIP() << "golang-github-hjfreyer-taglib-go-dev is not installed";
    clsID3 id3;
    id3.setFileName(song);
    EXPECT_TRUE(id3.ID3v2Exists());
    EXPECT_EQ(id3.ID3RevisionV2(), 3);
    EXPECT_EQ(id3.Title(), "Beat Thee");
    EXPECT_EQ(id3.Band(), "Alexander Nakarada");
    EXPECT_EQ(id3.Year(), "2017");
    EXPECT_EQ(id3.TrackNumber(), "189");
    EXPECT_EQ(id3.ISRC(), "NOTFK1803200");
    EXPECT_EQ(id3.Comments(), "Visit http://alexandernakarada.bandcamp.com");
    EXPECT_EQ(id3.AttachedPictures().Count(), 1);
    EXPECT_EQ(id3.MPEGVersion(), 2);
    EXPECT_EQ(id3.Layer(), 1);
    EXPECT_EQ(id3.ChannelMode(), 1);
}

TEST(MetadataSamples, CorruptPicturesFinishCleanly)
{
    const QStringList corrupt = samples::packageFiles("golang-github-rwcarlsen-goexif-dev", ".jpg")
                                    .filter(QStringLiteral("/exif/corrupt/"));
    if (corrupt.isEmpty())
        GTEST_SKIP() << "golang-github-rwcarlsen-goexif-dev is not installed";
    for (const QString &picture : corrupt) {
        SCOPED_TRACE(picture.toStdString());
        clsEXIF exif(QString{});
        exif.setImageFile(picture);
        QStringList lines;
        exif.ListInfo(lines);
        EXPECT_LT(lines.size(), 200);
    }
}

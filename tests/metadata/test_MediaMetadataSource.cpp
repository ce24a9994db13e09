// The engine's metadata source backed by the readers, alone and inside a preview run over
// camera pictures and a tagged song.
#include "AppState.h"
#include "ByteBuilders.h"
#include "Clock.h"
#include "Execute.h"
#include "MediaMetadataSource.h"
#include "Preview.h"
#include "PreviewTable.h"
#include "RandomSource.h"
#include "RecordingEngineHost.h"
#include "RenameEngine.h"
#include "RenameLog.h"
#include "RenameSettings.h"
#include "SampleFiles.h"
#include "ShellTypeName.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using metadata::MediaMetadataSource;

namespace {

struct PreviewFixture {
    AppState app;
    engine::RecordingEngineHost host{&app};
    MediaMetadataSource metadata{QString()};
    FixedClock clock{QDateTime(QDate(2026, 2, 3), QTime(21, 5, 9))};
    FixedRandom random{{0.0f}};
    engine::RenameEngine engine{app, host, metadata, clock, random};
    engine::RenameSettings settings;
    engine::PreviewTable grid;

    void addFile(const QString &fullPath)
    {
        const QFileInfo info(fullPath);
        engine::PreviewRow row;
        row.Original = info.fileName();
        row.Path = info.absolutePath() + u'/';
        row.Size = info.size();
        row.Folder = info.dir().dirName();
        row.Type = ShellTypeName(fullPath);
        grid.addRow(row);
    }

    QStringList preview(const QStringList &actions)
    {
        settings.checkOnly(actions);
        engine::GeneratePreview(engine, settings, grid);
        QStringList out;
        for (const engine::PreviewRow &row : grid.rows())
            out << row.Preview;
        return out;
    }
};

} // namespace

TEST(MediaMetadataSource, ServesTheReadersValues)
{
    QTemporaryDir dir;
    bytes::ExifBuilder picture(true);
    picture.ascii(bytes::Ifd::Zero, 272, "Model X")
        .ascii(bytes::Ifd::Exif, 36867, "2020:01:02 03:04:05");
    testfiles::writeFile(dir.filePath("a.jpg"), picture.jpeg());
    testfiles::writeFile(dir.filePath("a.mp3"),
        bytes::tag(3,
            bytes::frame(3, "TIT2", bytes::encodedText(1, "Song"))
                + bytes::frame(3, "TRCK", bytes::encodedText(0, "4/9")))
            + bytes::mpeg1Layer3Frame() + QByteArray(159995 - 417, '\0'));
    testfiles::writeFile(dir.filePath("b.mp3"), "no tags here");

    MediaMetadataSource source(QString{});
    source.beginRun();
    EXPECT_EQ(source.exifLines(dir.filePath("a.jpg")),
        QStringList({"Model: Model X", "ExifOffset: 38", "DateTimeOriginal: 2020:01:02 03:04:05"}));
    EXPECT_TRUE(source.exifLines(dir.filePath("missing.jpg")).isEmpty());
    EXPECT_TRUE(source.exifLines(dir.filePath("b.mp3")).isEmpty());

    using F = engine::Id3Field;
    source.setMusicFile(dir.filePath("a.mp3"));
    EXPECT_EQ(source.musicText(F::Title), "Song");
    EXPECT_EQ(source.musicText(F::TrackNumber), "4");
    EXPECT_EQ(source.musicText(F::TracksTotal), "9");
    EXPECT_EQ(source.musicText(F::Album), "");
    EXPECT_EQ(source.musicNumber(F::BitRate), 128000);
    EXPECT_EQ(source.musicNumber(F::SamplingRateFrequency), 44100);
    EXPECT_NEAR(source.musicNumber(F::Length), 10.0, 0.01);
    EXPECT_EQ(source.musicText(F::BitRate), "");

    for (const QString &unreadable : {dir.filePath("b.mp3"), dir.filePath("missing.mp3")}) {
        source.setMusicFile(unreadable);
        EXPECT_EQ(source.musicText(F::Title), "");
        EXPECT_EQ(source.musicNumber(F::BitRate), 0);
        EXPECT_EQ(source.musicNumber(F::Length), 0);
    }
    source.endRun();
    EXPECT_EQ(source.musicText(F::Title), "");
}

TEST(MediaMetadataSource, TokensResolveInAPreview)
{
    QTemporaryDir dir;
    bytes::ExifBuilder picture(false);
    picture.ascii(bytes::Ifd::Zero, 271, "Canon")
        .ascii(bytes::Ifd::Zero, 272, "EOS 5D")
        .ascii(bytes::Ifd::Zero, 306, "2011:10:28 17:50:18")
        .rational(bytes::Ifd::Exif, 33437, {{28, 10}});
    testfiles::writeFile(dir.filePath("pic.jpg"), picture.jpeg());
    using bytes::encodedText;
    using bytes::frame;
    const QByteArray tags = bytes::tag(4,
        frame(4, "TIT2", encodedText(3, QString::fromUtf8("Caf\xC3\xA9")))
            + frame(4, "TPE1", encodedText(1, "Artist")) + frame(4, "TALB", encodedText(2, "Album"))
            + frame(4, "TCON", encodedText(0, "(17)Rock"))
            + frame(4, "TRCK", encodedText(0, "7/12"))
            + frame(4, "TDRC", encodedText(0, "1999-05-01")));
    testfiles::writeFile(
        dir.filePath("song.mp3"), tags + bytes::mpeg1Layer3Frame() + QByteArray(80005 - 417, '\0'));

    struct Case {
        const char *file;
        const char *token;
        QString expected;
    };
    const Case cases[] = {
        {"pic.jpg", "$Exif_Model", "EOS 5Dpic.jpg"},
        {"pic.jpg", "$Exif_Make", "Canonpic.jpg"},
        {"pic.jpg", "$Exif_FNumber", "2.8pic.jpg"},
        {"pic.jpg", "$Exif_date_$yyyy$", "2011pic.jpg"},
        {"pic.jpg", "$Exif_date_$hh_mm_ss$", "17_50_18pic.jpg"},
        {"song.mp3", "$MP3_ID3_Title", QString::fromUtf8("Caf\xC3\xA9song.mp3")},
        {"song.mp3", "$MP3_ID3_Artist", "Artistsong.mp3"},
        {"song.mp3", "$MP3_ID3_Album", "Albumsong.mp3"},
        {"song.mp3", "$MP3_ID3_Genre", "Rocksong.mp3"},
        {"song.mp3", "$MP3_ID3_TrackNumber", "7song.mp3"},
        {"song.mp3", "$MP3_ID3_TracksTotal", "12song.mp3"},
        {"song.mp3", "$MP3_ID3_Year", "1999song.mp3"},
        {"song.mp3", "$MP3_ID3_SamplingRateFrequency", "44100song.mp3"},
        {"song.mp3", "$MP3_ID3_Bitrate", "128000song.mp3"},
        {"song.mp3", "$MP3_ID3_length", "5song.mp3"},
        {"song.mp3", "$MP3_ID3_Composer", "song.mp3"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.token);
        PreviewFixture f;
        f.addFile(dir.filePath(c.file));
        f.settings.PrefixSource = QString::fromLatin1(c.token);
        EXPECT_EQ(f.preview({QStringLiteral("Prefix")}), QStringList{c.expected});
    }
}

TEST(MediaMetadataSource, GenreGivenByNumberNamesItsGenre)
{
    QTemporaryDir dir;
    struct Case {
        const char *file;
        const char *genreFrame;
        const char *expected;
    } cases[] = {
        {"a.mp3", "(35)", "Housea.mp3"},          // the older form: the number in parentheses
        {"b.mp3", "35", "Houseb.mp3"},            // the newer form: the bare number
        {"c.mp3", "(4)Eurodisco", "Eurodiscoc.mp3"},  // a text of its own stays the genre
        {"d.mp3", "(148)", "d.mp3"},              // no genre of the list: nothing to name
        {"e.mp3", "Trance", "Trancee.mp3"},
    };
    PreviewFixture f;
    QStringList expected;
    for (const Case &c : cases) {
        const QByteArray tags
            = bytes::tag(3, bytes::frame(3, "TCON", bytes::encodedText(0, QString::fromLatin1(c.genreFrame))));
        testfiles::writeFile(dir.filePath(c.file), tags + bytes::mpeg1Layer3Frame());
        f.addFile(dir.filePath(c.file));
        expected << QString::fromLatin1(c.expected);
    }
    f.settings.PrefixSource = QStringLiteral("$MP3_ID3_Genre");
    EXPECT_EQ(f.preview({QStringLiteral("Prefix")}), expected);
}

TEST(MediaMetadataSource, TagTextWithLineBreaksGivesOneLineNamesAndLogLines)
{
    QTemporaryDir dir;
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("VEXLO_HOME");
    const bool hadHome = qEnvironmentVariableIsSet("VEXLO_HOME");
    qputenv("VEXLO_HOME", QFile::encodeName(home.path()));

    bytes::ExifBuilder picture(true);
    picture.ascii(bytes::Ifd::Zero, 271, "Can\non").ascii(bytes::Ifd::Zero, 272, "EOS\t5D");
    testfiles::writeFile(dir.filePath("pic.jpg"), picture.jpeg());
    testfiles::writeFile(dir.filePath("song.mp3"),
        bytes::tag(3, bytes::frame(3, "TIT2", bytes::encodedText(0, "Blue\r\nTrain")))
            + bytes::mpeg1Layer3Frame());

    PreviewFixture f;
    f.addFile(dir.filePath("pic.jpg"));
    f.addFile(dir.filePath("song.mp3"));
    f.settings.PrefixSource = QStringLiteral("$Exif_Make");
    f.settings.SuffixSource = QStringLiteral("$MP3_ID3_Title");
    EXPECT_EQ(f.preview({QStringLiteral("Prefix"), QStringLiteral("Suffix")}),
              QStringList({"Canonpic.jpg", "songBlueTrain.mp3"}));

    const engine::RenameRunResult result = engine::cmdExecute_Click(f.engine, f.grid);
    EXPECT_EQ(result.renamed, 2u);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("Canonpic.jpg")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("songBlueTrain.mp3")));
    const QString folder = dir.path() + u'/';
    const QByteArray expectedLog
        = (engine::RenameLog::line(folder, "pic.jpg", "Canonpic.jpg", "Rename Successful") + "\r\n"
           + engine::RenameLog::line(folder, "song.mp3", "songBlueTrain.mp3", "Rename Successful") + "\r\n")
              .toUtf8();
    EXPECT_EQ(testfiles::readFile(home.filePath("templog.log")), expectedLog);

    if (hadHome)
        qputenv("VEXLO_HOME", oldHome);
    else
        qunsetenv("VEXLO_HOME");
}

// Tag text holding C1 controls (U+0080 to U+009F; U+0085 is "next line") reaches the new name
// without them, from each way a reader makes them: a song's ID3 frame in Latin-1 (bytes 0x85 and
// 0x9F), a picture's EXIF text in UTF-8 (C2 85), and EXIF text that is no UTF-8 and so is read
// as Windows-1252, where 0x81, 0x8D and 0x9D name no character. In the preview and on disk; the
// characters around them stay.
TEST(MediaMetadataSource, TagTextLosesItsC1ControlsOnTheWayIntoANewName)
{
    QTemporaryDir dir;
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("VEXLO_HOME");
    const bool hadHome = qEnvironmentVariableIsSet("VEXLO_HOME");
    qputenv("VEXLO_HOME", QFile::encodeName(home.path()));

    // TIT2, encoding 0 (ISO-8859-1): "Blue", NEL, "Train", APC, "Caf", e-acute.
    const QByteArray latin1Title = bytes::u8({0x00}) + "Blue" + bytes::u8({0x85}) + "Train" + bytes::u8({0x9F})
                                   + "Caf" + bytes::u8({0xE9});
    testfiles::writeFile(dir.filePath("song.mp3"),
        bytes::tag(3, bytes::frame(3, "TIT2", latin1Title)) + bytes::mpeg1Layer3Frame());
    // Make (271), ASCII entries; a Model (272) beside it, as a picture of a single entry gives no
    // EXIF values.
    const QByteArray makes[] = {
        "Can" + bytes::u8({0xC2, 0x85}) + "on" + bytes::u8({0xC2, 0x9F}),  // UTF-8
        "Can" + bytes::u8({0x81, 0x8D}) + "on" + bytes::u8({0x9D}),        // Windows-1252
    };
    for (int i = 0; i < 2; ++i) {
        bytes::ExifBuilder picture(true);
        picture.ascii(bytes::Ifd::Zero, 271, makes[i]).ascii(bytes::Ifd::Zero, 272, "EOS 5D");
        testfiles::writeFile(dir.filePath(QStringLiteral("pic%1.jpg").arg(i)), picture.jpeg());
    }

    PreviewFixture f;
    f.addFile(dir.filePath("pic0.jpg"));
    f.addFile(dir.filePath("pic1.jpg"));
    f.addFile(dir.filePath("song.mp3"));
    f.settings.PrefixSource = QStringLiteral("$Exif_Make");
    f.settings.SuffixSource = QStringLiteral("$MP3_ID3_Title");
    const QStringList expected{QStringLiteral("Canonpic0.jpg"), QStringLiteral("Canonpic1.jpg"),
                               QStringLiteral("songBlueTrainCaf\u00E9.mp3")};
    EXPECT_EQ(f.preview({QStringLiteral("Prefix"), QStringLiteral("Suffix")}), expected);

    const engine::RenameRunResult result = engine::cmdExecute_Click(f.engine, f.grid);
    EXPECT_EQ(result.renamed, 3u);
    QStringList onDisk = QDir(dir.path()).entryList(QDir::Files);
    onDisk.sort();
    EXPECT_EQ(onDisk, expected);

    if (hadHome)
        qputenv("VEXLO_HOME", oldHome);
    else
        qunsetenv("VEXLO_HOME");
}

TEST(MediaMetadataSource, PrefixWithTheCameraModelOverSamplePictures)
{
    const QStringList pictures = samples::cameraPictures();
    if (pictures.isEmpty() || !samples::haveExiftool())
        GTEST_SKIP() << "golang-github-rwcarlsen-goexif-dev or exiftool is not installed";
    QTemporaryDir folder;
    QStringList copies;
    for (const QString &p : pictures) {
        copies << folder.filePath(QFileInfo(p).fileName());
        ASSERT_TRUE(QFile::copy(p, copies.last()));
    }
    QTemporaryDir blocks;
    const std::vector<QStringList> models
        = samples::exiftool({"Model"}, samples::exifBlocks(copies, blocks.path()));
    ASSERT_EQ(qsizetype(models.size()), copies.size());

    PreviewFixture f;
    for (const QString &c : copies)
        f.addFile(c);
    f.settings.PrefixSource = QStringLiteral("$Exif_Model");
    const QStringList names = f.preview({QStringLiteral("Prefix")});
    ASSERT_EQ(names.size(), copies.size());
    int prefixed = 0;
    for (qsizetype i = 0; i < copies.size(); ++i) {
        const QString original = QFileInfo(copies[i]).fileName();
        const QString model = models[size_t(i)].value(0);
        SCOPED_TRACE((original + " / " + model).toStdString());
        if (model == u'-' || model.isEmpty()) {
            EXPECT_EQ(names[i], original);
            continue;
        }
        EXPECT_TRUE(names[i].startsWith(model)) << names[i].toStdString();
        EXPECT_TRUE(names[i].endsWith(original));
        ++prefixed;
    }
    EXPECT_GE(prefixed, 45);
}

TEST(MediaMetadataSource, SuffixWithTheSongTitle)
{
    const QString song = samples::taggedSong();
    if (song.isEmpty() || !samples::haveExiftool())
        GTEST_SKIP() << "golang-github-hjfreyer-taglib-go-dev or exiftool is not installed";
    const std::vector<QStringList> title = samples::exiftool({"Title"}, {song});
    ASSERT_EQ(title.size(), 1u);
    ASSERT_EQ(title[0].value(0), "Beat Thee");

    PreviewFixture f;
    f.addFile(song);
    f.settings.SuffixSource = QStringLiteral("$MP3_ID3_Title");
    EXPECT_EQ(
        f.preview({QStringLiteral("Suffix")}), QStringList{"BeatThee" + title[0][0] + ".mp3"});

    f.settings.SuffixSource = QStringLiteral("$MP3_ID3_SamplingRateFrequency");
    EXPECT_EQ(f.preview({QStringLiteral("Suffix")}), QStringList{"BeatThee44100.mp3"});
}

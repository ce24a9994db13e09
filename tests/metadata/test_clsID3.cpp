// The MP3 tag reader on files built byte by byte: ID3v2 revisions, encodings and flags, the
// field map, ID3v1 / v1.1, Lyrics3 versions 1 and 2, their precedence, and hostile tags.
#include "ByteBuilders.h"
#include "TestFiles.h"
#include "clsID3.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using bytes::encodedText;
using bytes::frame;
using bytes::tag;
using metadata::clsID3;

namespace {

clsID3 read(const QByteArray &data)
{
    clsID3 id3;
    id3.parse(data);
    return id3;
}

QByteArray latin1(const char *text)
{
    return encodedText(0, QString::fromLatin1(text));
}

using Getter = std::function<QString(const clsID3 &)>;

} // namespace

TEST(clsID3, FileWithoutTags)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("plain.mp3");
    testfiles::writeFile(path, QByteArray(3000, 'x'));
    for (const QString &file : {path, dir.filePath("missing.mp3"), dir.path()}) {
        SCOPED_TRACE(file.toStdString());
        clsID3 id3;
        id3.setFileName(file);
        EXPECT_EQ(id3.Title(), "");
        EXPECT_EQ(id3.Artist(), "");
        EXPECT_EQ(id3.Genre(), "");
        EXPECT_EQ(id3.Lyrics(), "");
        EXPECT_EQ(id3.GenreID(), 255);
        EXPECT_FALSE(id3.ID3v1Exists());
        EXPECT_FALSE(id3.ID3v2Exists());
        EXPECT_FALSE(id3.Lyrics3v1Exists());
        EXPECT_FALSE(id3.Lyrics3v2Exists());
        EXPECT_EQ(id3.ID3RevisionV2(), 3);
        EXPECT_EQ(id3.BitRate(), 0);
        EXPECT_EQ(id3.SamplingRateFrequency(), 0);
        EXPECT_EQ(id3.length(), 0);
        // The name is kept for reading again: a tag written to the file since is found then.
        if (file == path) {
            testfiles::writeFile(path, tag(3, frame(3, "TIT2", latin1("Later"))) + QByteArray(3000, 'x'));
            id3.RefreshID3Tags();
            EXPECT_EQ(id3.Title(), "Later");
            EXPECT_TRUE(id3.ID3v2Exists());
        }
    }
    clsID3 fresh;
    EXPECT_EQ(fresh.GenreID(), 0);
    EXPECT_EQ(fresh.ID3RevisionV2(), 3);
}

TEST(clsID3, TitleInEveryRevisionAndEncoding)
{
    const QString wide = QString::fromUtf8("Caf\xC3\xA9 \xE8\xAA\x9E \xF0\x9F\x8E\xB5");
    struct Case {
        const char *name;
        int revision;
        QByteArray content;
        QString expected;
    };
    const Case cases[] = {
        {"2.2 latin-1", 2, encodedText(0, QString::fromUtf8("Caf\xC3\xA9")),
            QString::fromUtf8("Caf\xC3\xA9")},
        {"2.2 utf-16 LE mark", 2, encodedText(1, wide), wide},
        {"2.3 latin-1", 3, encodedText(0, QString::fromUtf8("Caf\xC3\xA9")),
            QString::fromUtf8("Caf\xC3\xA9")},
        {"2.3 utf-16 LE mark", 3, encodedText(1, wide), wide},
        {"2.3 utf-16 BE mark", 3, encodedText(1, wide, true), wide},
        {"2.3 utf-8 keeps its byte", 3, encodedText(3, "Title"), QString(QChar(3)) + "Title"},
        {"2.3 unknown encoding byte", 3, bytes::u8({9}) + "Title", QString(QChar(9)) + "Title"},
        {"2.4 latin-1", 4, encodedText(0, "Title"), "Title"},
        {"2.4 utf-16 LE mark", 4, encodedText(1, wide), wide},
        {"2.4 utf-16 BE", 4, encodedText(2, wide), wide},
        {"2.4 utf-8", 4, encodedText(3, wide), wide},
        {"2.4 list of values", 4, encodedText(3, QString("One") + QChar(0) + "Two"), "One"},
        {"2.4 leading NUL", 4, encodedText(0, QString(QChar(0)) + "Title"), "Title"},
        {"2.3 no mark", 3, bytes::u8({1, 'A', 0, 'B', 0}), "A"},
        {"2.3 marks mid-text", 3, bytes::u8({1, 0xFF, 0xFE, 'A', 0, 0xFE, 0xFF, 0, 'B'}), "AB"},
        {"2.3 odd last byte", 3, bytes::u8({1, 0xFF, 0xFE, 'A', 0, 'B'}), "A"},
        {"empty frame", 3, {}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const clsID3 id3
            = read(tag(c.revision, frame(c.revision, c.revision == 2 ? "TT2" : "TIT2", c.content)));
        EXPECT_TRUE(id3.ID3v2Exists());
        EXPECT_EQ(id3.ID3RevisionV2(), c.revision);
        EXPECT_EQ(id3.Title(), c.expected);
    }
}

TEST(clsID3, EveryFrameReachesItsField)
{
    struct Case {
        const char *id;
        const char *id22;
        Getter get;
    };
    const Case cases[] = {
        {"TALB", "TAL", &clsID3::Album},
        {"TBPM", "TBP", &clsID3::BeatsPerMinute},
        {"TCOM", "TCM", &clsID3::Composer},
        {"TCOP", "TCR", &clsID3::Copyright},
        {"TENC", "TEN", &clsID3::EncodedBy},
        {"TEXT", "TXT", &clsID3::Lyricist},
        {"TIT2", "TT2", &clsID3::Title},
        {"TKEY", "TKE", &clsID3::InitialKey},
        {"TLAN", "TLA", &clsID3::Languages},
        {"TOAL", "TOT", &clsID3::OriginalAlbum},
        {"TOFN", "TOF", &clsID3::OriginalFileName},
        {"TOLY", "TOL", &clsID3::OriginalLyricist},
        {"TOPE", "TOA", &clsID3::OriginalArtist},
        {"TORY", "TOR", &clsID3::OriginalReleaseYear},
        {"TOWN", nullptr, &clsID3::FileOwner},
        {"TPE1", "TP1", &clsID3::Artist},
        {"TPE2", "TP2", &clsID3::Band},
        {"TPE3", "TP3", &clsID3::Conductor},
        {"TPE4", "TP4", &clsID3::InterpretedBy},
        {"TPUB", "TPB", &clsID3::Publisher},
        {"TRSN", nullptr, &clsID3::InternetRadioStationName},
        {"TRSO", nullptr, &clsID3::InternetRadioStationOwner},
        {"TSRC", "TRC", &clsID3::ISRC},
        {"TYER", "TYE", &clsID3::Year},
        {"WCOP", "WCP", &clsID3::CopyrightInfo},
        {"WOAF", "WAF", &clsID3::AudioURL},
        {"WOAS", "WAS", &clsID3::AudioSourceURL},
        {"WORS", nullptr, &clsID3::InternetRadioURL},
        {"WPAY", nullptr, &clsID3::PaymentURL},
        {"WPUB", "WPB", &clsID3::PublisherURL},
    };
    for (int revision : {2, 3, 4})
        for (const Case &c : cases) {
            const char *id = revision == 2 ? c.id22 : c.id;
            if (!id)
                continue;
            SCOPED_TRACE(std::string(id) + " in 2." + std::to_string(revision));
            const bool url = id[0] == 'W';
            const QByteArray content = url ? QByteArray("http://x/") + id : latin1(id);
            const clsID3 id3 = read(tag(revision,
                frame(revision, QByteArray("TXXX").left(revision == 2 ? 3 : 4), latin1("other"))
                    + frame(revision, id, content)));
            EXPECT_EQ(c.get(id3), url ? QString("http://x/") + id : QString(id));
        }
}

TEST(clsID3, LaterFramesReplaceEarlierOnesAndUnknownIdsAreSkipped)
{
    const clsID3 id3 = read(tag(3,
        frame(3, "TIT2", latin1("first")) + frame(3, "tit2", latin1("lower"))
            + frame(3, "TIT2", latin1("second")) + frame(3, "TT2", latin1("short"))));
    EXPECT_EQ(id3.Title(), "second");
}

TEST(clsID3, GenreFrame)
{
    struct Case {
        const char *text;
        int v1Genre; // -1: no ID3v1 tag
        const char *genre;
        int genreId;
    };
    const Case cases[] = {
        {"(17)Rock", -1, "Rock", 17},
        {"(17)", -1, "", 17},
        {"Rock", -1, "Rock", 255},
        {"Rock", 9, "Rock", 9},
        {"(RX)", -1, "", -1},
        {"(CR)Cover", -1, "Cover", -2},
        {"(abc)Foo", -1, "Foo", 255},
        {"(12)", 33, "", 33},
        {"(4)Disco", 33, "Disco", 4},
        {"(17", -1, "(17", 255},
        {"17", -1, "17", 255},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        QByteArray data = tag(3, frame(3, "TCON", latin1(c.text)));
        if (c.v1Genre >= 0)
            data += bytes::id3v1("", "", "", "", "", 0, c.v1Genre);
        const clsID3 id3 = read(data);
        EXPECT_EQ(id3.Genre(), c.genre);
        EXPECT_EQ(id3.GenreID(), c.genreId);
    }
    EXPECT_EQ(read(bytes::id3v1("", "", "", "", "", 0, 80)).GenreID(), 80);
    EXPECT_EQ(clsID3::GenreName(80), "Folk");
    EXPECT_EQ(clsID3::ToGenreID("folk"), 80);
}

TEST(clsID3, NamedGenreNamesAFrameThatHoldsOnlyANumberOfTheList)
{
    struct Case {
        const char *text;  // nullptr: no genre frame
        int v1Genre;       // -1: no ID3v1 tag
        const char *named;
    };
    const Case cases[] = {
        {"(35)", -1, "House"},
        {"35", -1, "House"},
        {"035", -1, "House"},
        {"(0)", -1, "Blues"},
        {"147", -1, "Synthpop"},
        {"(4)Eurodisco", -1, "Eurodisco"},
        {"(12)", 33, "Other"},   // the frame's number, not the ID3v1 byte that replaced GenreID
        {"(148)", -1, ""},
        {"(255)", -1, ""},       // "Unknown" names no genre
        {"255", -1, "255"},
        {"-1", -1, "-1"},
        {"(RX)", -1, ""},
        {"3 5", -1, "3 5"},
        {nullptr, 17, ""},       // an ID3v1 genre alone gives no text, as before
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(no frame)");
        QByteArray data;
        if (c.text)
            data = tag(3, frame(3, "TCON", latin1(c.text)));
        if (c.v1Genre >= 0)
            data += bytes::id3v1("", "", "", "", "", 0, c.v1Genre);
        EXPECT_EQ(read(data).NamedGenre(), QString::fromLatin1(c.named));
    }
}

TEST(clsID3, TrackDiscAndYearParts)
{
    struct Case {
        const char *id;
        const char *value;
        Getter first;
        Getter second;
        const char *expectFirst;
        const char *expectSecond;
    };
    const Case cases[] = {
        {"TRCK", "3/12", &clsID3::TrackNumber, &clsID3::TracksTotal, "3", "12"},
        {"TRCK", "3", &clsID3::TrackNumber, &clsID3::TracksTotal, "3", ""},
        {"TRCK", "1/2/3", &clsID3::TrackNumber, &clsID3::TracksTotal, "1", ""},
        {"TRCK", "A/b", &clsID3::TrackNumber, &clsID3::TracksTotal, "0", "0"},
        {"TRCK", "/5", &clsID3::TrackNumber, &clsID3::TracksTotal, "", "5"},
        {"TPOS", "1/2", &clsID3::DiscNumber, &clsID3::DiscsTotal, "1", "2"},
        {"TYER", "2017-05", &clsID3::Year, &clsID3::OriginalReleaseYear, "2017-05", ""},
        {"TDRC", "2017-05-01", &clsID3::Year, &clsID3::OriginalReleaseYear, "2017", ""},
        {"TDRC", "-05", &clsID3::Year, &clsID3::OriginalReleaseYear, "", ""},
        {"TDRC", "1999", &clsID3::Year, &clsID3::OriginalReleaseYear, "1999", ""},
        {"TDOR", "1970-01-01", &clsID3::OriginalReleaseYear, &clsID3::Year, "1970", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.id) + " " + c.value);
        const clsID3 id3 = read(tag(4, frame(4, c.id, latin1(c.value))));
        EXPECT_EQ(c.first(id3), c.expectFirst);
        EXPECT_EQ(c.second(id3), c.expectSecond);
    }
    EXPECT_EQ(read(tag(2, frame(2, "TRK", latin1("4/9")))).TracksTotal(), "9");
}

TEST(clsID3, CommentAndLyricsFramesNeedAnEmptyDescription)
{
    struct Case {
        const char *name;
        int revision;
        QByteArray id;
        QByteArray content;
        const char *expected;
    };
    const QByteArray eng("eng");
    const Case cases[] = {
        {"latin-1, empty description", 3, "COMM", bytes::u8({0}) + eng + bytes::u8({0}) + "Nice",
            "Nice"},
        {"latin-1, with description", 3, "COMM",
            bytes::u8({0}) + eng + "desc" + bytes::u8({0}) + "Nice", ""},
        {"any language", 3, "COMM", bytes::u8({0}) + "xyz" + bytes::u8({0}) + "Nice", "Nice"},
        {"utf-16, marked empty description", 3, "COMM",
            bytes::u8({1}) + eng + bytes::u8({0xFF, 0xFE, 0, 0, 0xFF, 0xFE, 'O', 0, 'k', 0}), "Ok"},
        {"utf-16, bare empty description", 3, "COMM",
            bytes::u8({1}) + eng + bytes::u8({0, 0, 0xFE, 0xFF, 0, 'O', 0, 'k'}), "Ok"},
        {"utf-16, with description", 3, "COMM",
            bytes::u8({1}) + eng + bytes::u8({0xFF, 0xFE, 'd', 0, 0, 0, 0xFF, 0xFE, 'O', 0}), ""},
        {"utf-16 BE, empty description", 4, "COMM",
            bytes::u8({2}) + eng + bytes::u8({0, 0, 0, 'O', 0, 'k'}), "Ok"},
        {"utf-8, empty description", 4, "COMM",
            bytes::u8({3}) + eng + bytes::u8({0}) + "Ok\xC3\xA9", "Ok\xC3\xA9"},
        {"revision 2", 2, "COM", bytes::u8({0}) + eng + bytes::u8({0}) + "Nice", "Nice"},
        {"unknown encoding", 3, "COMM", bytes::u8({7}) + "ng" + bytes::u8({0}) + "Nice", "Nice"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read(tag(c.revision, frame(c.revision, c.id, c.content))).Comments(),
            QString::fromUtf8(c.expected));
        QByteArray lyricsId = c.revision == 2 ? "ULT" : "USLT";
        EXPECT_EQ(read(tag(c.revision, frame(c.revision, lyricsId, c.content))).Lyrics(),
            QString::fromUtf8(c.expected));
    }
}

TEST(clsID3, RepeatedFramesCollectDistinctValues)
{
    const QByteArray picture
        = bytes::u8({0}) + "image/jpeg" + bytes::u8({0, 3, 0, 0xFF, 0xD8, 0, 1});
    const clsID3 id3 = read(tag(3,
        frame(3, "WOAR", "http://a") + frame(3, "WOAR", "http://a") + frame(3, "WOAR", "HTTP://A ")
            + frame(3, "WOAR", "http://b") + frame(3, "WCOM", "http://shop")
            + frame(3, "APIC", picture) + frame(3, "APIC", picture)));
    EXPECT_EQ(id3.ArtistURL().items(), QStringList({"http://a", "http://b"}));
    EXPECT_EQ(id3.CommercialInfo().items(), QStringList{"http://shop"});
    ASSERT_EQ(id3.AttachedPictures().Count(), 1);
    EXPECT_EQ(id3.AttachedPictures().Item(1), QString::fromLatin1(picture.mid(1)));

    const clsID3 v22 = read(tag(2, frame(2, "WAR", "http://a") + frame(2, "PIC", picture)));
    EXPECT_EQ(v22.ArtistURL().Count(), 1);
    EXPECT_EQ(v22.AttachedPictures().Count(), 1);

    QByteArray many;
    for (int i = 0; i < 30000; ++i)
        many += frame(3, "WOAR", "http://" + QByteArray::number(i % 20000)) + frame(3, "TXXX", {});
    EXPECT_EQ(read(tag(3, many)).ArtistURL().Count(), 20000);
}

TEST(clsID3, UnsynchronisationExtendedHeaderAndFooter)
{
    const QByteArray withFF = bytes::u8({0, 'a', 0xFF, 'b'}); // latin-1 "a", y-diaeresis, "b"
    const QString withFFText = QString("a") + QChar(0xFF) + "b";
    const QByteArray body3 = frame(3, "TIT2", withFF) + frame(3, "TPE1", encodedText(1, "Art"));
    const QByteArray body4 = frame(4, "TIT2", withFF) + frame(4, "TPE1", encodedText(1, "Art"));
    const QByteArray frame4Unsync = frame(4, "TIT2", bytes::unsynchronise(withFF), 0x02)
        + frame(4, "TPE1", bytes::unsynchronise(encodedText(1, "Art")), 0x02);
    const QByteArray mpeg = bytes::mpeg1Layer3Frame();
    struct Case {
        const char *name;
        QByteArray tagBytes;
        int revision;
    };
    const QByteArray ext3 = bytes::bigEndian(6, 4) + QByteArray(6, '\xEE');
    const QByteArray ext4 = bytes::synchsafe(6) + bytes::u8({1, 0});
    const QByteArray footer = QByteArray("3DI") + bytes::u8({4, 0, 0x10})
        + bytes::synchsafe(std::uint32_t(body4.size()));
    const Case cases[] = {
        {"2.3 plain", tag(3, body3), 3},
        {"2.3 unsynchronised", tag(3, bytes::unsynchronise(body3), 0x80), 3},
        {"2.3 extended header", tag(3, ext3 + body3, 0x40), 3},
        {"2.3 both", tag(3, bytes::unsynchronise(ext3 + body3), 0xC0), 3},
        {"2.4 frames unsynchronised", tag(4, frame4Unsync), 4},
        {"2.4 tag flag only",
            tag(4,
                frame(4, "TIT2", bytes::unsynchronise(withFF))
                    + frame(4, "TPE1", bytes::unsynchronise(encodedText(1, "Art"))),
                0x80),
            4},
        {"2.4 extended header", tag(4, ext4 + body4, 0x40), 4},
        {"2.4 footer", tag(4, body4, 0x10) + footer, 4},
        {"2.2 unsynchronised",
            tag(2,
                bytes::unsynchronise(
                    frame(2, "TT2", withFF) + frame(2, "TP1", encodedText(1, "Art"))),
                0x80),
            2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const clsID3 id3 = read(c.tagBytes + mpeg);
        EXPECT_EQ(id3.Title(), withFFText);
        EXPECT_EQ(id3.Artist(), "Art");
        EXPECT_EQ(id3.ID3RevisionV2(), c.revision);
        EXPECT_EQ(id3.audio().FirstFramePos(), c.tagBytes.size() + 5);
        EXPECT_EQ(id3.BitRate(), 128000);
    }
}

TEST(clsID3, FrameHeaderAdditionsAreSkipped)
{
    struct Case {
        const char *name;
        int revision;
        int format;
        QByteArray additions;
        const char *expected;
    };
    const Case cases[] = {
        {"2.4 data-length indicator", 4, 0x01, bytes::synchsafe(6), "Title"},
        {"2.4 grouping", 4, 0x40, bytes::u8({7}), "Title"},
        {"2.4 grouping and length", 4, 0x41, bytes::u8({7}) + bytes::synchsafe(6), "Title"},
        {"2.3 grouping", 3, 0x20, bytes::u8({7}), "Title"},
        {"2.4 compressed", 4, 0x09, bytes::synchsafe(6), ""},
        {"2.4 encrypted", 4, 0x04, bytes::u8({1}), ""},
        {"2.3 compressed", 3, 0x80, bytes::bigEndian(6, 4), ""},
        {"2.3 encrypted", 3, 0x40, bytes::u8({1}), ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const clsID3 id3 = read(tag(c.revision,
            frame(c.revision, "TIT2", latin1("old"))
                + frame(c.revision, "TIT2", c.additions + latin1("Title"), c.format)
                + frame(c.revision, "TPE1", latin1("Next"))));
        EXPECT_EQ(id3.Title(), c.expected);
        EXPECT_EQ(id3.Artist(), "Next");
    }
}

TEST(clsID3, CompressedRevision2TagIsNotRead)
{
    const QByteArray data
        = tag(2, frame(2, "TT2", latin1("Title")), 0x40) + bytes::mpeg1Layer3Frame();
    const clsID3 id3 = read(data);
    EXPECT_TRUE(id3.ID3v2Exists());
    EXPECT_EQ(id3.Title(), "");
    EXPECT_TRUE(id3.tagHeader().compression);
    EXPECT_EQ(id3.audio().FirstFramePos(), data.size() - 417 + 5);
}

TEST(clsID3, WalkStopsAtPaddingMarkersAndOversizedFrames)
{
    const QByteArray title = frame(3, "TIT2", latin1("Title"));
    const QByteArray artist = frame(3, "TPE1", latin1("x"));
    // Each stopping point also reads as a frame header whose size leads to the artist frame.
    const QByteArray marker = QByteArray("t V\0\0\0(unicode)", 15); // size 0x2875
    const QByteArray markerTail = QByteArray("e)\0\0", 4) + bytes::bigEndian(5, 4)
        + bytes::u8({0, 0}) + QByteArray(5, '.');
    struct Case {
        const char *name;
        QByteArray body;
    };
    const Case cases[] = {
        {"zero padding", title + QByteArray(20, '\0') + artist},
        {"foreign marker", title + marker + QByteArray(10 + 0x2875 - marker.size(), '.') + artist},
        {"foreign marker tail", title + markerTail + artist},
        {"size beyond 32 bits",
            title + QByteArray("TPE1") + bytes::u8({0xFF, 0xFF, 0xFF, 0xFF, 0, 0}) + latin1("x")},
        {"size beyond the body",
            title + QByteArray("TPE1") + bytes::bigEndian(1000, 4) + bytes::u8({0, 0})},
        {"zero-size frames", title + frame(3, "TALB", {}) + frame(3, "TCOM", {})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const clsID3 id3 = read(tag(3, c.body));
        EXPECT_EQ(id3.Title(), "Title");
        EXPECT_NE(id3.Artist(), "x");
    }
    // A frame running past the body keeps the bytes that are there.
    const clsID3 cut = read(
        tag(3, QByteArray("TPE1") + bytes::bigEndian(50, 4) + bytes::u8({0, 0}) + latin1("Art")));
    EXPECT_EQ(cut.Artist(), "Art");
}

TEST(clsID3, Id3v1AndV11Tags)
{
    const clsID3 v10 = read(QByteArray(500, 'x')
        + bytes::id3v1(
            "Title  ", "Artist", "Album", "1999", "A comment of thirty characters", 0, 17));
    EXPECT_TRUE(v10.ID3v1Exists());
    EXPECT_EQ(v10.Title(), "Title");
    EXPECT_EQ(v10.Artist(), "Artist");
    EXPECT_EQ(v10.Album(), "Album");
    EXPECT_EQ(v10.Year(), "1999");
    EXPECT_EQ(v10.Comments(), "A comment of thirty characters");
    EXPECT_EQ(v10.TrackNumber(), "");
    EXPECT_EQ(v10.GenreID(), 17);

    const clsID3 v11 = read(bytes::id3v1("T", "", "", "", "A comment of twenty-eight chr", 7, 255));
    EXPECT_EQ(v11.Comments(), "A comment of twenty-eight ch");
    EXPECT_EQ(v11.TrackNumber(), "7");
    EXPECT_EQ(v11.GenreID(), 255);

    EXPECT_FALSE(read(bytes::id3v1("T", "", "", "", "", 0, 0).mid(1)).ID3v1Exists());
}

TEST(clsID3, Lyrics3Blocks)
{
    const QByteArray v1 = bytes::id3v1("", "", "", "", "", 0, 0);
    const clsID3 one
        = read(QByteArray(100, 'x') + bytes::lyrics3v1("Line one\r\nLYRICSBEGIN two") + v1);
    EXPECT_TRUE(one.Lyrics3v1Exists());
    EXPECT_EQ(one.Lyrics(), " two");

    const QByteArray block = bytes::lyrics3v2(
        {{"IND", "11"}, {"LYR", "[00:12]Hello[CR][LF]world[LF][01:02]!"}, {"AUT", "Writer"},
            {"EAL", "Album"}, {"EAR", "Artist"}, {"ETT", "Title"}, {"XYZ", "skipped"}});
    const clsID3 two = read(QByteArray(100, 'x') + block + v1);
    EXPECT_TRUE(two.Lyrics3v2Exists());
    EXPECT_TRUE(two.LyricsTimestampFlag());
    EXPECT_EQ(two.Lyrics(), "Hello\r\nworld\n!");
    EXPECT_EQ(two.Lyricist(), "Writer");
    EXPECT_EQ(two.Album(), "Album");
    EXPECT_EQ(two.Artist(), "Artist");
    EXPECT_EQ(two.Title(), "Title");

    const clsID3 plain = read(bytes::lyrics3v2({{"IND", "10"}, {"LYR", "[00:12]x[CR]"}}));
    EXPECT_FALSE(plain.LyricsTimestampFlag());
    EXPECT_EQ(plain.Lyrics(), "[00:12]x\r");

    struct Broken {
        const char *name;
        QByteArray data;
    };
    const Broken broken[] = {
        {"size digits", QByteArray("LYRICSBEGINLYR00003abc00x018LYRICS200")},
        {"size beyond the file", QByteArray("LYRICSBEGIN999999LYRICS200")},
        {"no begin marker", QByteArray("LYRICSXEGINLYR00003abc000020LYRICS200")},
        {"field length", QByteArray("LYRICSBEGINLYR0x003abc000020LYRICS200")},
    };
    for (const Broken &b : broken) {
        SCOPED_TRACE(b.name);
        const clsID3 id3 = read(b.data);
        EXPECT_TRUE(id3.Lyrics3v2Exists());
        EXPECT_EQ(id3.Lyrics(), "");
    }
}

TEST(clsID3, PrecedenceIsId3v2ThenLyrics3ThenId3v1)
{
    const QByteArray v2 = tag(3, frame(3, "TIT2", latin1("v2 title")));
    const QByteArray lyrics = bytes::lyrics3v2({{"ETT", "lyrics title"}, {"EAR", "lyrics artist"}});
    const QByteArray v1 = bytes::id3v1("v1 title", "v1 artist", "v1 album", "2001", "", 3, 0);
    const clsID3 all = read(v2 + bytes::mpeg1Layer3Frame() + lyrics + v1);
    EXPECT_EQ(all.Title(), "v2 title");
    EXPECT_EQ(all.Artist(), "lyrics artist");
    EXPECT_EQ(all.Album(), "v1 album");
    EXPECT_EQ(all.TrackNumber(), "3");

    const clsID3 noV2 = read(lyrics + v1);
    EXPECT_EQ(noV2.Title(), "lyrics title");
    const clsID3 onlyV1 = read(tag(3, frame(3, "TRCK", latin1("5"))) + v1);
    EXPECT_EQ(onlyV1.Title(), "v1 title");
    EXPECT_EQ(onlyV1.TrackNumber(), "5");
}

TEST(clsID3, AudioEndsBeforeTheTrailingTags)
{
    // The only acceptable header sits in the Lyrics3 block: it is not audio.
    const QByteArray lyrics = bytes::lyrics3v2({{"LYR", QByteArray("\xFF\xFB\x90\x40", 4)}});
    const clsID3 id3 = read(QByteArray(50, 'x') + lyrics + bytes::id3v1("", "", "", "", "", 0, 0));
    EXPECT_EQ(id3.BitRate(), 0);
    EXPECT_EQ(id3.audio().FirstFramePos(), 0);
    EXPECT_EQ(id3.Lyrics(), QString::fromLatin1("\xFF\xFB\x90\x40", 4));
}

TEST(clsID3, EachReadStartsAfresh)
{
    QTemporaryDir dir;
    testfiles::writeFile(dir.filePath("a.mp3"),
        tag(3, frame(3, "TIT2", latin1("A")) + frame(3, "WOAR", "http://a"))
            + bytes::mpeg1Layer3Frame() + bytes::id3v1("", "", "", "", "", 0, 3));
    testfiles::writeFile(dir.filePath("b.mp3"), QByteArray(10, 'x'));
    clsID3 id3;
    id3.setFileName(dir.filePath("a.mp3"));
    EXPECT_EQ(id3.Title(), "A");
    EXPECT_EQ(id3.ArtistURL().Count(), 1);
    EXPECT_EQ(id3.GenreID(), 3);
    id3.setTitle("changed");
    id3.RefreshID3Tags();
    EXPECT_EQ(id3.Title(), "A");
    id3.setFileName(dir.filePath("b.mp3"));
    EXPECT_EQ(id3.Title(), "");
    EXPECT_EQ(id3.ArtistURL().Count(), 0);
    EXPECT_EQ(id3.GenreID(), 255);
    EXPECT_FALSE(id3.ID3v2Exists());
    EXPECT_FALSE(id3.ID3v1Exists());
    EXPECT_EQ(id3.BitRate(), 0);
}

TEST(clsID3, HostileTagsFinishCleanly)
{
    struct Case {
        const char *name;
        QByteArray data;
    };
    const Case cases[] = {
        {"tag size beyond the file",
            QByteArray("ID3") + bytes::u8({3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F})
                + frame(3, "TIT2", latin1("T"))},
        {"extended header beyond the body",
            QByteArray("ID3") + bytes::u8({3, 0, 0x40, 0, 0, 0, 8})
                + bytes::u8({0x7F, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0})},
        {"extended header shorter than its size field",
            QByteArray("ID3") + bytes::u8({4, 0, 0x40, 0, 0, 0, 2, 0, 0})},
        {"revision 255 minor", QByteArray("ID3") + bytes::u8({3, 0xFF, 0, 0, 0, 0, 0})},
        {"frame header cut short", tag(4, QByteArray("TIT2") + bytes::u8({0, 0}))},
        {"lone header", QByteArray("ID3") + bytes::u8({4, 0, 0, 0, 0, 0})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const clsID3 id3 = read(c.data);
        EXPECT_EQ(id3.Artist(), "");
    }
    EXPECT_EQ(read(cases[0].data).Title(), "T");
    EXPECT_FALSE(read(cases[3].data).ID3v2Exists());

    const QByteArray full
        = tag(4,
              frame(4, "TIT2", encodedText(1, "Title"))
                  + frame(4, "COMM", bytes::u8({3}) + "eng" + bytes::u8({0}) + "c")
                  + frame(4, "TRCK", latin1("1/2")) + frame(4, "TCON", latin1("(17)Rock")),
              0x10)
        + QByteArray("3DI") + bytes::u8({4, 0, 0x10, 0, 0, 0, 0})
        + bytes::xingFrame("Xing", 15, 10, 4000, 1)
        + bytes::lyrics3v2({{"IND", "01"}, {"LYR", "[0:1]x"}})
        + bytes::id3v1("t", "a", "b", "1999", "c", 1, 2);
    const clsID3 whole = read(full);
    EXPECT_EQ(whole.Title(), "Title");
    for (qsizetype n = 0; n < full.size(); ++n) {
        const clsID3 id3 = read(full.left(n));
        ASSERT_LE(id3.Title().size(), 5) << n;
        ASSERT_LE(id3.length(), whole.length()) << n;
    }
}

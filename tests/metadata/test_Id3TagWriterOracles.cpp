// Files written by the MP3 tag writer, read back by independent readers: mutagen, eyeD3 and
// exiftool. Each test is skipped when its reader is not installed.
#include "ByteBuilders.h"
#include "TestFiles.h"
#include "clsID3.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using metadata::clsID3;

namespace {

/** Standard output of a program run to its end, or nullopt when it did not succeed. */
std::optional<QByteArray> run(const QString &program, const QStringList &arguments)
{
    if (QStandardPaths::findExecutable(program).isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << ": " << p.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return p.readAllStandardOutput();
}

/** The system's Python, which sees the modules of the distribution's packages. */
QString python()
{
    const QString system = QStandardPaths::findExecutable("python3", {"/usr/bin"});
    return system.isEmpty() ? QStringLiteral("python3") : system;
}

bool pythonHas(const char *module)
{
    if (QStandardPaths::findExecutable(python()).isEmpty())
        return false;
    QProcess p;
    p.start(python(), {"-c", QString("import %1").arg(module)});
    return p.waitForFinished(60000) && p.exitCode() == 0;
}

QJsonObject json(const QByteArray &text)
{
    const QJsonDocument doc = QJsonDocument::fromJson(text);
    return doc.isArray() ? doc.array().at(0).toObject() : doc.object();
}

const char *const MutagenScript = R"(
import json, sys
from mutagen.id3 import ID3, ParseID3v1
from mutagen.mp3 import MP3
path = sys.argv[1]
t = ID3(path, translate=False)
out = {"version": t.version[1], "bitrate": MP3(path).info.bitrate}
for f in t.values():
    k = f.FrameID
    if k == "APIC":
        v = [f.encoding, f.mime, int(f.type), f.desc, f.data.hex()]
    elif k.startswith("W"):
        v = f.url
    elif k == "COMM":
        v = [f.lang, f.desc] + list(f.text)
    else:
        v = [str(x) for x in f.text]
    out.setdefault(k, []).append(v)
with open(path, "rb") as fh:
    fh.seek(-128, 2)
    v1 = ParseID3v1(fh.read(128)) or {}
out["v1"] = {k: str(v) for k, v in v1.items()}
print(json.dumps(out))
)";

const char *const EyeD3Script = R"(
import json, sys, logging
import eyed3, eyed3.id3
logging.disable(logging.CRITICAL)
t = eyed3.id3.Tag()
t.parse(sys.argv[1], eyed3.id3.ID3_V2)
v1 = eyed3.id3.Tag()
v1.parse(sys.argv[1], eyed3.id3.ID3_V1)
print(json.dumps({
    "title": t.title, "artist": t.artist, "album": t.album, "track": list(t.track_num),
    "disc": list(t.disc_num), "genre": t.genre.name if t.genre else None,
    "comments": [c.text for c in t.comments], "url": t.audio_file_url,
    "artist_urls": [u.url for u in t.user_url_frames] + [t.artist_url or ""],
    "images": [[i.mime_type, i.description, i.image_data.hex()] for i in t.images],
    "v1": [v1.title, v1.artist, v1.album, list(v1.track_num), v1.genre.id if v1.genre else None],
}))
)";

class Id3TagWriterOracles : public ::testing::TestWithParam<int> {
protected:
    /** An MP3 file tagged through the writer, with the given old tag revision (0: none). */
    QString tagged()
    {
        const int revision = GetParam();
        QByteArray old;
        if (revision > 0)
            old = bytes::tag(revision,
                bytes::frame(revision, revision == 2 ? "TT2" : "TIT2", bytes::encodedText(0, "Old"))
                    + QByteArray(64, '\0'));
        m_audio.clear();
        for (int i = 0; i < 20; ++i)
            m_audio += bytes::mpeg1Layer3Frame();
        const QString path = m_dir.filePath("tagged.mp3");
        testfiles::writeFile(path, old + m_audio + bytes::id3v1("Old", "", "", "", "", 0, 1));

        clsID3 id3;
        id3.setFileName(path);
        id3.setTitle(Title);
        id3.setArtist(Artist);
        id3.setAlbum(QString(35, 'a'));
        id3.setTrackNumber("4");
        id3.setTracksTotal("9");
        id3.setComments("plain words");
        id3.setGenre("Jazz");
        id3.setGenreID(8);
        id3.setAudioURL("http://example.org/song");
        const QByteArray format = revision == 2 ? QByteArray("PNG") : QByteArray("image/png\0", 10);
        id3.AttachedPictures().Add(
            QString::fromLatin1(format + QByteArray("\3cover\0", 7) + Picture), {}, {}, true);
        EXPECT_TRUE(id3.UpdateID3Tags()) << id3.LastWriteError().toStdString();
        return path;
    }

    const QString Title = QString::fromUtf8("\xE6\x9D\xB1\xE4\xBA\xAC Nights");
    const QString Artist = QString::fromUtf8("Bj\xC3\xB6rk");
    const QByteArray Picture = QByteArray("\x89PNG\r\n\x1A\n\0\0\xFF\xFE\0", 13);
    QByteArray m_audio;
    QTemporaryDir m_dir;
};

} // namespace

TEST_P(Id3TagWriterOracles, Mutagen)
{
    if (!pythonHas("mutagen"))
        GTEST_SKIP() << "python3-mutagen is not installed";
    const QString path = tagged();
    const auto out = run(python(), {"-c", MutagenScript, path});
    ASSERT_TRUE(out);
    const QJsonObject o = json(*out);
    const bool v22 = GetParam() == 2; // mutagen names revision 2 frames by their later ids
    EXPECT_EQ(o["version"].toInt(), GetParam() == 0 ? 3 : GetParam());
    EXPECT_EQ(o["bitrate"].toInt(), 128000);
    EXPECT_EQ(o["TIT2"].toArray()[0].toArray()[0].toString(), Title);
    EXPECT_EQ(o["TPE1"].toArray()[0].toArray()[0].toString(), Artist);
    EXPECT_EQ(o["TRCK"].toArray()[0].toArray()[0].toString(), "4/9");
    EXPECT_EQ(o["TCON"].toArray()[0].toArray()[0].toString(), "(8)Jazz");
    EXPECT_EQ(o["COMM"].toArray()[0].toArray(), (QJsonArray{"eng", "", "plain words"}));
    EXPECT_EQ(o["WOAF"].toArray()[0].toString(), "http://example.org/song");
    const QJsonArray picture = o["APIC"].toArray()[0].toArray();
    EXPECT_EQ(picture[1].toString(), v22 ? "PNG" : "image/png");
    EXPECT_EQ(picture[2].toInt(), 3);
    EXPECT_EQ(picture[3].toString(), "cover");
    EXPECT_EQ(picture[4].toString(), QString::fromLatin1(Picture.toHex()));
    const QJsonObject v1 = o["v1"].toObject();
    EXPECT_EQ(v1["TALB"].toString(), QString(30, 'a'));
    EXPECT_EQ(v1["TRCK"].toString(), "4");
    EXPECT_EQ(v1["TCON"].toString(), "8");
    EXPECT_EQ(v1["TPE1"].toString(), Artist);
}

TEST_P(Id3TagWriterOracles, EyeD3)
{
    if (!pythonHas("eyed3"))
        GTEST_SKIP() << "eyed3 is not installed";
    const QString path = tagged();
    const auto out = run(python(), {"-c", EyeD3Script, path});
    ASSERT_TRUE(out);
    const QJsonObject o = json(*out);
    EXPECT_EQ(o["title"].toString(), Title);
    EXPECT_EQ(o["artist"].toString(), Artist);
    EXPECT_EQ(o["album"].toString(), QString(35, 'a'));
    EXPECT_EQ(o["track"].toArray(), (QJsonArray{4, 9}));
    EXPECT_EQ(o["genre"].toString(), "Jazz");
    EXPECT_EQ(o["comments"].toArray(), QJsonArray{"plain words"});
    EXPECT_EQ(o["url"].toString(), "http://example.org/song");
    EXPECT_EQ(o["images"].toArray()[0].toArray(),
        (QJsonArray{GetParam() == 2 ? "image/PNG" : "image/png", "cover", QString::fromLatin1(Picture.toHex())}));
    EXPECT_EQ(o["v1"].toArray()[0].toString(), "?? Nights");
    EXPECT_EQ(o["v1"].toArray()[3].toArray()[0].toInt(), 4);
    EXPECT_EQ(o["v1"].toArray()[4].toInt(), 8);
}

TEST_P(Id3TagWriterOracles, Exiftool)
{
    const QString path = tagged();
    const auto out = run("exiftool", {"-j", "-G1", "-a", path});
    if (!out)
        GTEST_SKIP() << "exiftool is not installed";
    const QJsonObject o = json(*out);
    const QString v2 = QString("ID3v2_%1:").arg(GetParam() == 0 ? 3 : GetParam());
    EXPECT_EQ(o[v2 + "Title"].toString(), Title);
    EXPECT_EQ(o[v2 + "Artist"].toString(), Artist);
    EXPECT_EQ(o[v2 + "Album"].toString(), QString(35, 'a'));
    EXPECT_EQ(o["ID3v1:Album"].toString(), QString(30, 'a'));
    EXPECT_EQ(o["ID3v1:Genre"].toString(), "Jazz");
    EXPECT_EQ(o["Lyrics3:ExtendedAlbumName"].toString(), QString(35, 'a'));
    EXPECT_EQ(o["MPEG:AudioBitrate"].toString(), "128 kbps");
    const QByteArray file = testfiles::readFile(path);
    const qsizetype tagEnd = 10 + ((file[6] << 21) | (file[7] << 14) | (file[8] << 7) | file[9]);
    EXPECT_EQ(file.mid(tagEnd, m_audio.size()), m_audio);
}

INSTANTIATE_TEST_SUITE_P(OldTag, Id3TagWriterOracles, ::testing::Values(0, 2, 3, 4),
    [](const auto &info) { return info.param == 0 ? std::string("none") : "v2_" + std::to_string(info.param); });

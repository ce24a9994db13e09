// The MP3 tag writer on files built byte by byte: the frame walk (replace, keep, delete,
// append), padding, encodings, the ID3v1 and Lyrics3 trailers, times, and failures that must
// leave the file as it was.
#include "AtomicFile.h"
#include "ByteBuilders.h"
#include "ProcessLimits.h"
#include "TestFiles.h"
#include "clsID3.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

using bytes::encodedText;
using bytes::frame;
using bytes::tag;
using metadata::clsID3;

namespace {

QByteArray latin1(const char *text)
{
    return encodedText(0, QString::fromLatin1(text));
}

/** Audio that looks like MPEG frames, with every byte value in it. */
QByteArray audio()
{
    QByteArray out = bytes::mpeg1Layer3Frame() + bytes::mpeg1Layer3Frame();
    for (int i = 0; i < 3000; ++i)
        out += char(i * 7 % 256);
    return out;
}

struct TagFrame {
    QByteArray id;
    QByteArray content;
};

struct WrittenTag {
    int revision = 0;
    std::vector<TagFrame> frames;
    qsizetype padding = 0;
    QByteArray rest; ///< the bytes after the tag
};

/** Splits a written file into its ID3v2 tag's frames, the padding and the rest. */
WrittenTag split(const QByteArray &file)
{
    WrittenTag t;
    if (!file.startsWith("ID3"))
        return t;
    t.revision = file[3];
    const qsizetype size = (qsizetype(file[6]) << 21) | (qsizetype(file[7]) << 14)
        | (qsizetype(file[8]) << 7) | qsizetype(file[9]);
    const QByteArray body = file.mid(10, size);
    t.rest = file.mid(10 + size);
    const int idLength = t.revision == 2 ? 3 : 4;
    const int headerLength = t.revision == 2 ? 6 : 10;
    qsizetype pos = 0;
    while (pos + headerLength <= body.size() && body[pos] != '\0') {
        qsizetype n = 0;
        for (int i = idLength; i < (t.revision == 2 ? 6 : 8); ++i)
            n = (n << (t.revision == 4 ? 7 : 8)) | static_cast<unsigned char>(body[pos + i]);
        t.frames.push_back({body.mid(pos, idLength), body.mid(pos + headerLength, n)});
        pos += headerLength + n;
    }
    t.padding = body.size() - pos;
    EXPECT_EQ(body.mid(pos), QByteArray(t.padding, '\0'));
    return t;
}

std::vector<QByteArray> ids(const WrittenTag &t)
{
    std::vector<QByteArray> out;
    for (const TagFrame &f : t.frames)
        out.push_back(f.id);
    return out;
}

std::vector<QByteArray> contentsOf(const WrittenTag &t, const QByteArray &id)
{
    std::vector<QByteArray> out;
    for (const TagFrame &f : t.frames)
        if (f.id == id)
            out.push_back(f.content);
    return out;
}

class Id3TagWriter : public ::testing::Test {
protected:
    QString write(const QByteArray &bytes, const QString &name = "song.mp3")
    {
        const QString path = dir.filePath(name);
        testfiles::writeFile(path, bytes);
        return path;
    }
    QByteArray contents(const QString &path) { return testfiles::readFile(path); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(Id3TagWriter, FileWithoutTagsGetsRevision3TagPaddingAndID3v1)
{
    const QString path = write(audio());
    clsID3 id3;
    id3.setFileName(path);
    id3.setTitle("Song");
    id3.setArtist("Band");
    id3.setTrackNumber("7");
    id3.setTracksTotal("12");
    id3.setGenre("Rock");
    id3.setGenreID(17);
    id3.setComments("Nice");
    ASSERT_TRUE(id3.UpdateID3Tags()) << id3.LastWriteError().toStdString();

    const QByteArray file = contents(path);
    const WrittenTag t = split(file);
    EXPECT_EQ(t.revision, 3);
    EXPECT_EQ(file.mid(3, 3), bytes::u8({3, 0, 0}));
    EXPECT_EQ(t.padding, 2048);
    EXPECT_EQ(ids(t), (std::vector<QByteArray>{"COMM", "TCON", "TIT2", "TPE1", "TRCK"}));
    EXPECT_EQ(contentsOf(t, "COMM")[0], QByteArray("\0eng\0Nice", 9));
    EXPECT_EQ(contentsOf(t, "TCON")[0], latin1("(17)Rock"));
    EXPECT_EQ(contentsOf(t, "TRCK")[0], latin1("7/12"));
    ASSERT_EQ(t.rest.size(), audio().size() + 128);
    EXPECT_EQ(t.rest.left(audio().size()), audio());
    EXPECT_EQ(t.rest.right(128),
        bytes::id3v1("Song", "Band", "", "", "Nice", 7, 17));

    clsID3 back;
    back.setFileName(path);
    EXPECT_EQ(back.Title(), "Song");
    EXPECT_EQ(back.TrackNumber(), "7");
    EXPECT_EQ(back.TracksTotal(), "12");
    EXPECT_EQ(back.GenreID(), 17);
    EXPECT_EQ(back.Comments(), "Nice");
    EXPECT_EQ(back.BitRate(), 128000);
}

TEST_F(Id3TagWriter, FrameWalkReplacesKeepsDeletesAndAppends)
{
    struct Case {
        const char *name;
        int revision;
        QByteArray frames;
        qsizetype padding;
        std::function<void(clsID3 &)> change;
        std::vector<QByteArray> ids;
        qsizetype paddingAfter;
    };
    const QByteArray describedComm = QByteArray("\0eng", 4) + "desc" + QByteArray(1, '\0') + "keep";
    const Case cases[] = {
        {"padding is kept however much the frames grow", 3, frame(3, "TIT2", latin1("a")), 100,
            [](clsID3 &t) { t.setTitle(QString(500, 'x')); }, {"TIT2"}, 100},
        {"no padding gives 2048", 3, frame(3, "TIT2", latin1("a")), 0,
            [](clsID3 &t) { t.setTitle("b"); }, {"TIT2"}, 2048},
        {"second TIT2 kept", 3, frame(3, "TIT2", latin1("one")) + frame(3, "TIT2", latin1("two")), 10,
            [](clsID3 &t) { t.setTitle("new"); }, {"TIT2", "TIT2"}, 10},
        {"revision 4 keeps TYER and writes TDRC", 4, frame(4, "TYER", latin1("1999")), 10,
            [](clsID3 &t) { t.setYear("2001"); }, {"TYER", "TDRC"}, 10},
        {"comments: described kept, first plain replaced, later plain deleted", 3,
            frame(3, "COMM", describedComm) + frame(3, "COMM", QByteArray("\0eng\0old", 8))
                + frame(3, "COMM", QByteArray("\0eng\0older", 10)),
            10, [](clsID3 &t) { t.setComments("new"); }, {"COMM", "COMM"}, 10},
        {"property set to empty deletes, unknown ids kept", 3,
            frame(3, "TALB", latin1("album")) + frame(3, "PRIV", "owner\0data")
                + frame(3, "TPE1", latin1("artist")),
            10, [](clsID3 &t) { t.setAlbum(""); }, {"PRIV", "TPE1"}, 10},
        {"three WOAR and one artist URL leave one", 3,
            frame(3, "WOAR", "http://a") + frame(3, "WOAR", "http://b") + frame(3, "WOAR", "http://c"), 10,
            [](clsID3 &t) {
                metadata::MultiFrameData one;
                one.Add("http://z");
                t.setArtistURL(one);
            },
            {"WOAR"}, 10},
        {"one APIC and two pictures", 3, frame(3, "APIC", QByteArray("\0image/png\0\3\0P1", 15)), 10,
            [](clsID3 &t) { t.AttachedPictures().Add(QString::fromLatin1("image/png\0\3\0P2", 15), {}, {}, true); },
            {"APIC", "APIC"}, 10},
        {"revision 2 frames", 2, frame(2, "TT2", latin1("old")) + frame(2, "TXX", latin1("x")), 10,
            [](clsID3 &t) { t.setTitle("new"); t.setArtist("who"); }, {"TT2", "TXX", "TP1"}, 10},
        {"a frame running past the tag ends the walk", 3,
            frame(3, "TIT2", latin1("a")) + QByteArray("TPE1\0\0\1\0\0\0x", 11), 0,
            [](clsID3 &) {}, {"TIT2", "TPE1"}, 11},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(tag(c.revision, c.frames + QByteArray(c.padding, '\0')) + audio());
        clsID3 id3;
        id3.setFileName(path);
        c.change(id3);
        ASSERT_TRUE(id3.UpdateID3Tags()) << id3.LastWriteError().toStdString();
        const WrittenTag t = split(contents(path));
        EXPECT_EQ(t.revision, c.revision);
        EXPECT_EQ(ids(t), c.ids);
        EXPECT_EQ(t.padding, c.paddingAfter);
        EXPECT_EQ(t.rest.left(audio().size()), audio());
    }
}

TEST_F(Id3TagWriter, FrameValues)
{
    const QByteArray picture = QByteArray("\1image/jpeg\0\3", 13) + QByteArray("\xFF\xFE\x41\0\0\0", 6)
        + QByteArray("\xFF\xD8\xFF\xFE\0\0\xFF\xFE\x01\x02", 10);
    const QString path = write(tag(3,
        frame(3, "TIT2", latin1("a")) + frame(3, "APIC", picture) + frame(3, "tpe1", latin1("x")))
        + audio());
    clsID3 id3;
    id3.setFileName(path);
    ASSERT_EQ(id3.AttachedPictures().Count(), 1);
    const QString wide = QString::fromUtf8("T\xC3\xB6kyo \xE6\x9D\xB1\xE4\xBA\xAC \xF0\x9F\x8E\xB5");
    id3.setTitle(wide);
    id3.setComments(wide);
    id3.setArtist(QString::fromUtf8("Caf\xC3\xA9"));
    id3.setAudioURL("http://example.org/a");
    id3.setDiscsTotal("3");
    ASSERT_TRUE(id3.UpdateID3Tags());

    const WrittenTag t = split(contents(path));
    EXPECT_EQ(contentsOf(t, "TIT2")[0], encodedText(1, wide));
    EXPECT_EQ(contentsOf(t, "APIC")[0], picture);
    EXPECT_EQ(contentsOf(t, "WOAF")[0], "http://example.org/a");
    EXPECT_EQ(contentsOf(t, "TPE1")[0], QByteArray("\0Caf\xE9", 5));
    EXPECT_TRUE(contentsOf(t, "TPOS").empty()) << "a total without a number writes nothing";

    clsID3 back;
    back.setFileName(path);
    EXPECT_EQ(back.Title(), wide);
    EXPECT_EQ(back.Comments(), wide);
    EXPECT_EQ(back.Artist(), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(back.AudioURL(), "http://example.org/a");
}

TEST_F(Id3TagWriter, Revision4UnsynchronisedFrameIsResynchronised)
{
    const QByteArray kept = QByteArray("\xFF\0\xE0 data", 8);
    const QString path = write(tag(4, frame(4, "PRIV", kept, 0x02) + QByteArray(10, '\0')) + audio());
    clsID3 id3;
    id3.setFileName(path);
    id3.setTitle("t");
    ASSERT_TRUE(id3.UpdateID3Tags());
    const QByteArray file = contents(path);
    EXPECT_EQ(file.mid(10, 10), QByteArray("PRIV\0\0\0\7\0\0", 10));
    EXPECT_EQ(contentsOf(split(file), "PRIV")[0], QByteArray("\xFF\xE0 data", 7));
}

TEST_F(Id3TagWriter, Id3v1Trailer)
{
    struct Case {
        const char *track;
        const char *genre;
        int genreId;
        QByteArray expected; // "" when no ID3v1 tag is written
    };
    const QByteArray comment(40, 'c');
    const Case cases[] = {
        {"7", "", 17, bytes::id3v1("T", "", "", "", comment, 7, 17)},
        {"0", "", 17, bytes::id3v1("T", "", "", "", comment, 0, 17)},
        {"256", "", 17, bytes::id3v1("T", "", "", "", comment, 0, 17)},
        {"7/12", "", 17, bytes::id3v1("T", "", "", "", comment, 0, 17)},
        {"", "", 300, bytes::id3v1("T", "", "", "", comment, 0, 255)},
        {"", "Remix", -1, bytes::id3v1("T", "", "", "", comment, 0, 12)},
        {"", "Polka", 12, bytes::id3v1("T", "", "", "", comment, 0, 75)},
        {"", "Polka", 255, bytes::id3v1("T", "", "", "", comment, 0, 75)},
        {"", "Other", 12, bytes::id3v1("T", "", "", "", comment, 0, 12)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.track) + " " + c.genre + " " + std::to_string(c.genreId));
        const QString path = write(audio());
        clsID3 id3;
        id3.setFileName(path);
        id3.setTitle("T");
        id3.setComments(QString::fromLatin1(comment));
        id3.setTrackNumber(c.track);
        id3.setGenre(c.genre);
        id3.setGenreID(c.genreId);
        ASSERT_TRUE(id3.UpdateID3Tags());
        EXPECT_EQ(contents(path).right(128), c.expected);
    }

    // Nothing to hold: no tag, and an old one is removed together with an old Lyrics3 block.
    const QString path = write(tag(3, frame(3, "TIT2", latin1("x")) + QByteArray(5, '\0')) + audio()
        + bytes::lyrics3v2({{"IND", "00"}, {"ETT", "Long"}}) + bytes::id3v1("x", "", "", "", "", 0, 255));
    clsID3 id3;
    id3.setFileName(path);
    id3.setTitle("");
    ASSERT_TRUE(id3.UpdateID3Tags());
    const WrittenTag t = split(contents(path));
    EXPECT_TRUE(t.frames.empty());
    EXPECT_EQ(t.rest, audio());
}

TEST_F(Id3TagWriter, LongTitleWritesLyrics3Block)
{
    const QString title(31, 't');
    const QString path = write(audio() + bytes::lyrics3v2({{"IND", "10"}, {"LYR", "old words"},
                                   {"INF", "kept"}, {"ETT", "old"}})
        + bytes::id3v1("x", "", "", "", "", 0, 1));
    clsID3 id3;
    id3.setFileName(path);
    id3.setTitle(title);
    id3.setArtist(QString(40, 'a') + "\r\n" + "b");
    ASSERT_TRUE(id3.UpdateID3Tags());
    const WrittenTag t = split(contents(path));
    const QByteArray ear = QByteArray(40, 'a') + "[CR][LF]b";
    EXPECT_EQ(t.rest,
        audio()
            + bytes::lyrics3v2({{"IND", "00"}, {"INF", "kept"}, {"ETT", title.toLatin1()}, {"EAR", ear}})
            + bytes::id3v1(title.left(30).toLatin1(), QByteArray(30, 'a'), "", "", "", 0, 1));
    clsID3 back;
    back.setFileName(path);
    EXPECT_EQ(back.Title(), title);
}

TEST_F(Id3TagWriter, DeleteRemovesEveryTag)
{
    const QString path = write(tag(4, frame(4, "TIT2", latin1("x")), 0x10) + QByteArray("3DI", 3)
        + QByteArray(7, '\0') + audio() + bytes::lyrics3v1("words")
        + bytes::id3v1("x", "", "", "", "", 0, 1));
    clsID3 id3;
    id3.setFileName(path);
    ASSERT_EQ(id3.Title(), "x");
    ASSERT_TRUE(id3.DeleteID3Tags());
    EXPECT_EQ(contents(path), audio());
    EXPECT_EQ(id3.Title(), "");
    EXPECT_EQ(id3.GenreID(), 255);
}

TEST_F(Id3TagWriter, KeepsTimesAndPermissions)
{
    const QString path = write(audio());
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    clsID3 id3;
    id3.setFileName(path);
    const struct timespec times[2] = {{1000000000, 123456789}, {1100000000, 987654321}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    id3.setTitle("t");
    ASSERT_TRUE(id3.UpdateID3Tags());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_atim.tv_sec, times[0].tv_sec);
    EXPECT_EQ(st.st_atim.tv_nsec, times[0].tv_nsec);
    EXPECT_EQ(st.st_mtim.tv_sec, times[1].tv_sec);
    EXPECT_EQ(st.st_mtim.tv_nsec, times[1].tv_nsec);
    const auto user = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    EXPECT_EQ(QFile::permissions(path) & ~user, permissions);
}

// The copy that takes the file's place is made readable by the owner alone, even with no umask
// to narrow it, and gets the file's own permissions only once whole: a song kept private is
// never readable by others through its new copy.
TEST_F(Id3TagWriter, TheNewCopyIsPrivateUntilItReplacesTheFile)
{
    static std::vector<mode_t> created;
    created.clear();
    const textfile::OpenCall previous = textfile::setOpenCall([](const char *path, int flags, mode_t mode) {
        const int fd = ::open(path, flags, mode);
        struct stat st {};
        if (fd >= 0 && ::fstat(fd, &st) == 0)
            created.push_back(st.st_mode & 07777);
        return fd;
    });
    const mode_t previousMask = ::umask(0);
    for (const mode_t permissions : {mode_t(0600), mode_t(0640), mode_t(0664)}) {
        SCOPED_TRACE(testing::Message() << std::oct << permissions);
        created.clear();
        const QString path = write(audio());
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), permissions), 0);
        clsID3 id3;
        id3.setFileName(path);
        id3.setTitle("private");
        EXPECT_TRUE(id3.UpdateID3Tags()) << id3.LastWriteError().toStdString();
        EXPECT_EQ(created, std::vector<mode_t>{0600});
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, permissions);
        EXPECT_TRUE(contents(path).contains("private"));
    }
    ::umask(previousMask);
    textfile::setOpenCall(previous);
}

TEST_F(Id3TagWriter, FailuresLeaveTheFileAsItWas)
{
    // A tag that claims more bytes than the file holds.
    const QByteArray claiming = QByteArray("ID3\3\0\0\0\0\x7F\x7F", 10) + frame(3, "TIT2", latin1("x"));
    // Enough audio that the new file cannot fit under the size limit set below.
    const QByteArray big = tag(3, frame(3, "TIT2", latin1("x"))) + QByteArray(200000, 'a');
    struct Case {
        const char *name;
        QByteArray bytes;
        bool limitSize;
    };
    const Case cases[] = {{"declared size past the end", claiming, false},
        {"disk refuses the write", big, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = write(c.bytes);
        clsID3 id3;
        id3.setFileName(path);
        id3.setTitle("new title");
        struct rlimit old {};
        getrlimit(RLIMIT_FSIZE, &old);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (c.limitSize) {
            struct rlimit limited = old;
            limited.rlim_cur = 100000;
            setrlimit(RLIMIT_FSIZE, &limited);
        }
        const bool updated = id3.UpdateID3Tags();
        const QString updateError = id3.LastWriteError();
        const bool deleted = id3.DeleteID3Tags();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(updated);
        EXPECT_FALSE(updateError.isEmpty());
        EXPECT_FALSE(deleted);
        EXPECT_EQ(contents(path), c.bytes);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"song.mp3"});
    }

    clsID3 missing;
    missing.setFileName(dir.filePath("missing.mp3"));
    EXPECT_FALSE(missing.UpdateID3Tags());
    EXPECT_FALSE(QFile::exists(dir.filePath("missing.mp3")));
}

// The system's reason reaches the user: a full disk (a file-size limit, or no space or quota as
// the temporary file is made) is "Disk full" and says which, never "Unknown error"; the file
// stays as it was.
TEST_F(Id3TagWriter, FailuresGiveTheSystemsReason)
{
    const QByteArray original = tag(3, frame(3, "TIT2", latin1("x"))) + audio();
    const QString path = write(original);
    const struct {
        const char *what;
        int injected;  ///< 0: a real file-size limit
        const char *reason;
    } cases[] = {
        {"file-size limit", 0, "Disk full (file size limit)"},
        {"no space", ENOSPC, "Disk full"},
        {"quota", EDQUOT, "Disk full (quota exceeded)"},
        {"read-only file system", EROFS, "Permission denied (read-only file system)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        clsID3 id3;
        id3.setFileName(path);
        id3.setTitle("a new title");
        bool updated = true;
        if (c.injected == 0) {
            testfiles::FileSizeLimit limit(1000);
            updated = id3.UpdateID3Tags();
        } else {
            static int err;
            err = c.injected;
            const textfile::OpenCall previous = textfile::setOpenCall([](const char *, int, mode_t) {
                errno = err;
                return -1;
            });
            updated = id3.UpdateID3Tags();
            textfile::setOpenCall(previous);
        }
        EXPECT_FALSE(updated);
        EXPECT_TRUE(id3.LastWriteError().endsWith(QLatin1String(": ") + QLatin1String(c.reason)))
            << id3.LastWriteError().toStdString();
        EXPECT_TRUE(id3.LastWriteError().contains(path)) << id3.LastWriteError().toStdString();
        EXPECT_EQ(contents(path), original);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"song.mp3"});
    }
}

// A file with other names is refused with a message (never split into two files); a link to a
// file is written through and stays a link; as root the owner and group stay the file's.
TEST_F(Id3TagWriter, HardLinksLinksAndOwnersAreKept)
{
    const QByteArray original = tag(3, frame(3, "TIT2", latin1("x"))) + audio();
    const QString path = write(original);
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("other name.mp3")).constData()),
              0);
    clsID3 linked;
    linked.setFileName(path);
    linked.setTitle("new");
    EXPECT_FALSE(linked.UpdateID3Tags());
    EXPECT_TRUE(linked.LastWriteError().contains(QStringLiteral("hard links"))) << linked.LastWriteError().toStdString();
    EXPECT_EQ(contents(path), original);
    EXPECT_EQ(contents(dir.filePath("other name.mp3")), original);
    QFile::remove(dir.filePath("other name.mp3"));

    ASSERT_EQ(::symlink("song.mp3", QFile::encodeName(dir.filePath("shortcut.mp3")).constData()), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 4321, 4322), 0);
    }
    clsID3 through;
    through.setFileName(dir.filePath("shortcut.mp3"));
    through.setTitle("through the link");
    ASSERT_TRUE(through.UpdateID3Tags()) << through.LastWriteError().toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath("shortcut.mp3")).isSymLink());
    EXPECT_TRUE(contents(path).contains("through the link"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_nlink, 1u);
    if (!root)
        GTEST_SKIP() << "only root may give a file to another user; the other cases ran";
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
}

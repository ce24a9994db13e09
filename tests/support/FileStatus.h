#pragma once
// What a test reads of a file's status on the system: its kind, permissions and owner, a link
// looked at itself rather than followed.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>

namespace testfiles {

/** The status of `path` itself (a link is not followed); all zero when it cannot be read. */
inline struct stat lstatOf(const QString &path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

/** The user and group a test running as root gives a file to make it another user's. */
constexpr uid_t OtherUser = 12345;
constexpr gid_t OtherGroup = 12346;

/** Checks a file the program rewrote where it stood: `named` is still a link when `link` (and a
 *  file of its own otherwise), and `real`, the file it names, is a regular file with the
 *  permissions `mode` and, when `otherOwner`, still owned by OtherUser and OtherGroup. A file
 *  that cannot be looked at is a fatal failure: call it inside ASSERT_NO_FATAL_FAILURE. */
inline void expectRewrittenInPlace(const QByteArray &named, const QByteArray &real, bool link, mode_t mode,
                                   bool otherOwner)
{
    struct stat st {};
    ASSERT_EQ(::lstat(named.constData(), &st), 0);
    EXPECT_EQ(S_ISLNK(st.st_mode), link);
    ASSERT_EQ(::lstat(real.constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(st.st_mode & 07777, mode);
    if (otherOwner) {
        EXPECT_EQ(st.st_uid, OtherUser);
        EXPECT_EQ(st.st_gid, OtherGroup);
    }
}

} // namespace testfiles

#pragma once
// What the tests of copies and moves share: paths as the program holds them (QStrings that may
// carry raw bytes) turned to the system's bytes, a look at an item itself (a link not followed),
// and renames made to answer "cross-device" so that a move takes the copying way on one file
// system.
#include "Fso.h"
#include "PathCodec.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace fsotest {

/** The system's bytes of a path held by the program. */
inline QByteArray raw(const QString &path) { return pathcodec::encode(path); }

/** Whether anything, a dangling link included, stands at `path`. */
inline bool exists(const QString &path)
{
    struct stat st;
    return ::lstat(raw(path).constData(), &st) == 0;
}

/** The status of `path` itself (a link is not followed); a failure to read it fails the test. */
inline struct stat statOf(const QString &path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(raw(path).constData(), &st), 0) << raw(path).constData();
    return st;
}

/** A rename that always answers "cross-device", as between two file systems. */
inline int crossDevice(const char *, const char *, unsigned)
{
    errno = EXDEV;
    return -1;
}

/** While it lives, renames answer "cross-device" when `injected` (the system's calls otherwise);
 *  the calls in use before come back when it goes. */
class MoveCallsFor {
public:
    explicit MoveCallsFor(bool injected)
        : m_saved(fso::setMoveCalls(injected ? fso::MoveCalls{crossDevice, fso::systemMoveCalls().link}
                                              : fso::systemMoveCalls()))
    {
    }
    ~MoveCallsFor() { fso::setMoveCalls(m_saved); }
    MoveCallsFor(const MoveCallsFor &) = delete;
    MoveCallsFor &operator=(const MoveCallsFor &) = delete;

private:
    fso::MoveCalls m_saved;
};

} // namespace fsotest

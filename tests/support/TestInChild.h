#pragma once
// One test of this test program run again in a child process, for surroundings the test program
// itself must not be put in (a lowered limit, another display): the child's report becomes the
// test's own.
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>

namespace testfiles {

/** Runs the test `test` ("Suite.Name") of this test program in `child`, whose environment and
 *  start the caller has set up, and waits up to `limitMs` for it (it is killed then). The test
 *  passes when the child ran that one test and it passed; the child's output goes into the
 *  failure messages. */
inline void runTestInChild(QProcess &child, const QString &test, int limitMs)
{
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=") + test});
    ASSERT_TRUE(child.waitForStarted());
    const bool ended = child.waitForFinished(limitMs);
    if (!ended) {
        child.kill();
        child.waitForFinished();
    }
    // The child's report is passed on with its skip marks reworded: CTest reads a skip mark
    // anywhere in a test's output as the test skipped, and a failing child must fail here.
    const QString skipMark = QStringLiteral("[  SKIPPED ]");
    QString output = QString::fromLocal8Bit(child.readAll());
    const bool ran = output.contains(QStringLiteral("[  PASSED  ] 1 test")) && !output.contains(skipMark);
    output.replace(skipMark, QStringLiteral("[ (child) skipped ]"));
    ASSERT_TRUE(ended) << "the child did not end\n" << output.toStdString();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << output.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(ran) << "the child ran its test\n" << output.toStdString();
}

} // namespace testfiles

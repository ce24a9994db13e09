// The rename log of the program as a process: "Rename Now!" in the rename window, reached with the
// keys a user presses, writes the run's lines to a dated file of its own and to "templog.log",
// and leaves alone the log of another run that started in the same second.
#include "AppState.h"
#include "DesktopSession.h"
#include "DragListBox.h"
#include "RenameLog.h"
#include "StartupFixture.h"
#include "TestFiles.h"
#include "frmRenamer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMap>
#include <QTest>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t modeOf(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : mode_t(0);
}

class RenameNowLog : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    DesktopSession session;
    QProcess vexlo;

    QString home() const { return tmp.filePath("home"); }

    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(home()));
        if (!session.available())
            GTEST_SKIP() << "Xvfb, openbox or xdotool is missing";
        if (!session.start())
            GTEST_SKIP() << "the virtual display with its window manager did not come up";
    }

    void TearDown() override
    {
        if (vexlo.state() != QProcess::NotRunning) {
            vexlo.kill();
            vexlo.waitForFinished(5000);
        }
    }

    /** The settings file: no review dialog, the confirmation on, and "Save Log File" as given. */
    void writeSettingsFile(bool saveLogFile)
    {
        QByteArray text;
        const char *lines[] = {"blank", "blank", "blank", "blank", "Report", "", "0", "0", "False", "False",
                               "", "", "", "", "0", "0", "0", "0", "0", "0", "0", saveLogFile ? "1" : "0",
                               "0", "1"};
        for (const char *line : lines)
            text += QByteArray(line) + "\r\n";
        testfiles::writeFile(home() + QStringLiteral("/Trevalle.ini"), text);
    }

    /** The dated log names of the seconds from `from` on, as the program names them in its folder. */
    QStringList datedNames(const QDateTime &from, int seconds) const
    {
        qputenv("VEXLO_HOME", QFile::encodeName(home()));
        QStringList names;
        for (int i = 0; i < seconds; ++i)
            names << engine::RenameLog::datedFileName(from.addSecs(i));
        qunsetenv("VEXLO_HOME");
        return names;
    }

    /** Starts the program with the files to rename (the rename window comes up with them listed);
     *  its message boxes go to standard error. */
    void startVexlo(const QStringList &paths)
    {
        vexlo.setProcessEnvironment(
            startuptest::vexloEnvironment(session.environment(), QStringLiteral("xcb"), home(), tmp.path()));
        vexlo.start(QStringLiteral(VEXLO_BINARY), {paths.join(u'|')});
        ASSERT_TRUE(vexlo.waitForStarted());
    }

    void key(const QString &keys) { session.tool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys}); }

    /** Clicks the action list's row `action` in the program's rename window `window`, at the
     *  place it has in the same window laid out here at that window's size (the layout depends on
     *  the size alone, not on the files listed). */
    void clickAction(const QString &window, const QString &action)
    {
        const QString geometry = session.tool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
        static const QRegularExpression size(QStringLiteral("WIDTH=(\\d+)\\s+HEIGHT=(\\d+)"));
        const QRegularExpressionMatch m = size.match(geometry);
        ASSERT_TRUE(m.hasMatch()) << geometry.toStdString();
        const QSize shown(m.captured(1).toInt(), m.captured(2).toInt());
        AppState state;
        renamewin::frmRenamer mirror(state);
        mirror.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&mirror));
        mirror.resize(shown);
        ASSERT_TRUE(waitUntil([&] { return mirror.size() == shown; }));
        const QList<QListWidgetItem *> items = mirror.List3->findItems(action, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        const QRect row = mirror.List3->visualItemRect(items.first());
        const QPoint at = mirror.List3->viewport()->mapTo(&mirror, QPoint(row.left() + row.width() * 2 / 3, row.center().y()));
        session.tool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
                      QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }
};

} // namespace

// Every second the run may start in already has a dated log (another run's, private): each stays
// byte for byte and mode for mode as it was, with "Save Log File" on and off; the run's lines all
// reach "templog.log", and with the preference on, a numbered file of the run's own.
TEST_F(RenameNowLog, AnotherRunsLogOfTheSameSecondIsLeftAsItWas)
{
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "Save Log File on" : "Save Log File off");
        for (const QString &name : QDir(home()).entryList(QDir::Files))
            QFile::remove(home() + u'/' + name);
        writeSettingsFile(keep);
        const QString files = tmp.filePath(keep ? "kept" : "not kept");
        ASSERT_TRUE(QDir().mkpath(files));
        testfiles::writeFile(files + QStringLiteral("/a.txt"), "a");
        testfiles::writeFile(files + QStringLiteral("/b.txt"), "b");

        ASSERT_NO_FATAL_FAILURE(startVexlo({files + QStringLiteral("/a.txt"), files + QStringLiteral("/b.txt")}));
        const QString renamer = session.window(QStringLiteral("Morvane - Renamer"));
        ASSERT_FALSE(renamer.isEmpty());
        ASSERT_TRUE(waitUntil([&] { return session.activeTitle() == QStringLiteral("Morvane - Renamer"); },
                              DesktopSession::StartLimitMs))
            << session.activeTitle().toStdString();

        // The logs of other runs, one for each second from now until long after the keys below.
        QMap<QString, QByteArray> others;
        for (const QString &name : datedNames(QDateTime::currentDateTime().addSecs(-1), 600)) {
            const QByteArray bytes = "/elsewhere/ : x.txt : " + QFileInfo(name).fileName().toUtf8() + " : Rename Successful\r\n";
            testfiles::writeFile(name, bytes);
            ASSERT_EQ(::chmod(QFile::encodeName(name).constData(), 0600), 0);
            others.insert(name, bytes);
        }

        // "Change Case" (upper case) clicked in the action list and checked with the space bar,
        // then "&Preview" and "&Rename Now!". The window takes no keys while the preview runs:
        // "&Rename Now!" is pressed again until the run has said it is done.
        ASSERT_NO_FATAL_FAILURE(clickAction(renamer, QStringLiteral("Change Case")));
        key(QStringLiteral("space"));
        key(QStringLiteral("alt+p"));
        QByteArray errors;
        const auto done = [&] {
            errors += vexlo.readAllStandardError();
            return errors.contains("Files Renamed") || vexlo.state() == QProcess::NotRunning;
        };
        QDeadlineTimer deadline(DesktopSession::WindowLimitMs);
        bool renamed = false;
        while (!renamed && !deadline.hasExpired()) {
            key(QStringLiteral("alt+r"));
            renamed = waitUntil(done, 2000);
        }
        vexlo.kill();
        vexlo.waitForFinished(5000);
        ASSERT_TRUE(renamed && errors.contains("Files Renamed")) << errors.constData();

        EXPECT_EQ(testfiles::readFile(files + QStringLiteral("/A.txt")), "a");
        EXPECT_EQ(testfiles::readFile(files + QStringLiteral("/B.txt")), "b");
        for (auto other = others.cbegin(); other != others.cend(); ++other) {
            ASSERT_EQ(testfiles::readFile(other.key()), other.value()) << other.key().toStdString();
            ASSERT_EQ(modeOf(other.key()), 0600u) << other.key().toStdString();
        }
        const QByteArray expected =
            (engine::RenameLog::line(files + u'/', "a.txt", "A.txt", engine::RenameLog::successText()) + "\r\n"
             + engine::RenameLog::line(files + u'/', "b.txt", "B.txt", engine::RenameLog::successText()) + "\r\n")
                .toUtf8();
        EXPECT_EQ(testfiles::readFile(home() + QStringLiteral("/templog.log")), expected);
        QStringList own;
        for (const QString &name : QDir(home()).entryList({QStringLiteral("Rename_Log*")}, QDir::Files))
            if (!others.contains(home() + u'/' + name))
                own << name;
        if (keep) {
            ASSERT_EQ(own.size(), 1) << own.join(u' ').toStdString();
            EXPECT_TRUE(own[0].endsWith(QLatin1String("_2.txt"))) << own[0].toStdString();
            EXPECT_EQ(testfiles::readFile(home() + u'/' + own[0]), expected);
        } else {
            EXPECT_EQ(own, QStringList{});
        }
    }
}

// The built program where nobody can see a window: on a platform that draws into memory its
// message boxes go to standard error and never wait; with no display at all, or one that
// cannot be opened, a run that opens no window renames as usual, and one that needs a window says
// so and ends with 2.
#include "../metadata/ByteBuilders.h"
#include "RenameDropFile.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"
#include "TestFiles.h"
#include "modMain.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RunResult {
    int exitCode = -1;
    bool finished = false;
    QString errors;
};

/** Where the program is started: the platform it is given, if any, and the display variables. */
struct Screen {
    const char *name;
    const char *platform;  ///< QT_QPA_PLATFORM; null: not set
    const char *display;   ///< DISPLAY; null: not set
    const char *wayland = nullptr;  ///< WAYLAND_DISPLAY; null: not set
};

const Screen NoDisplay{"no display", nullptr, nullptr};
const Screen Offscreen{"offscreen", "offscreen", nullptr};
const Screen Minimal{"minimal", "minimal", nullptr};

class WithoutDisplay : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString home() const { return tmp.filePath("home"); }
    QString files() const { return tmp.filePath("files"); }
    QString at(const QString &name) const { return files() + u'/' + name; }

    void SetUp() override
    {
        QDir().mkpath(home());
        QDir().mkpath(files());
        QDir().mkpath(tmp.filePath("runtime"));
        QFile::setPermissions(tmp.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeSettingsFile(false);
    }

    /** The settings file with "Show Rename Drop dialog." (line 23) on or off. */
    void writeSettingsFile(bool showDialog)
    {
        QByteArray text;
        const char *lines[] = {"blank", "blank", "blank", "blank", "Report", "", "0", "0", "False", "False", "", "",
                               "", "", "0", "0", "0", "0", "0", "0", "0", "0", showDialog ? "1" : "0", "0"};
        for (const char *line : lines)
            text += QByteArray(line) + "\r\n";
        testfiles::writeFile(home() + QStringLiteral("/Trevalle.ini"), text);
    }

    QString writeRnp(const engine::RenameSettings &settings)
    {
        const QString path = tmp.filePath("run.rnp");
        EXPECT_TRUE(settingsfiles::WriteRenameDropFile(path, settings, settingsfiles::RenameWindowState{}));
        return path;
    }

    /** Starts the built program on `screen` without VEXLO_MESSAGES and waits for its end; one
     *  that still runs after `limitMs` (waiting on a box or window nobody sees) is killed and
     *  fails the test. */
    RunResult run(const Screen &screen, const QStringList &arguments, int limitMs = 120000)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "VEXLO_MESSAGES"})
            env.remove(QString::fromLatin1(name));
        if (screen.platform)
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(screen.platform));
        if (screen.display)
            env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(screen.display));
        if (screen.wayland)
            env.insert(QStringLiteral("WAYLAND_DISPLAY"), QString::fromLatin1(screen.wayland));
        env.insert(QStringLiteral("VEXLO_HOME"), home());
        env.insert(QStringLiteral("HOME"), tmp.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath("config"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), tmp.filePath("runtime"));
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(files());
        p.start(QStringLiteral(VEXLO_BINARY), arguments);
        RunResult r;
        r.finished = p.waitForFinished(limitMs);
        if (!r.finished) {
            p.kill();
            p.waitForFinished(5000);
        }
        r.exitCode = r.finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.errors = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

    QStringList filesNow() const { return QDir(files()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name); }
};

// A refused rename-drop file and one with no action checked: each message is told once on
// standard error, nothing is renamed and the run ends with 2 rather than waiting on a box.
TEST_F(WithoutDisplay, MessagesThatNobodyCanSeeGoToStandardErrorAndTheRunEnds)
{
    testfiles::writeFile(at("a.txt"), "a");
    engine::RenameSettings nothingChecked;
    nothingChecked.checkOnly({});
    const QString noAction = writeRnp(nothingChecked);
    const struct {
        const char *what;
        QString rnp;
        const char *told;
    } cases[] = {
        {"a missing rename-drop file", tmp.filePath("missing.rnp"), "Invalid File"},
        {"no action checked", noAction, "Please Select Actions"},
    };
    for (const Screen &screen : {Offscreen, Minimal, NoDisplay}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(screen.name) + ", " + c.what);
            const RunResult r = run(screen, {c.rnp, at("a.txt")});
            ASSERT_TRUE(r.finished) << "the run waits on something nobody sees: " << r.errors.toStdString();
            EXPECT_EQ(r.exitCode, app::modMain::NothingRan) << r.errors.toStdString();
            EXPECT_EQ(r.errors.count(QLatin1String(c.told)), 1) << r.errors.toStdString();
            EXPECT_TRUE(r.errors.contains(QStringLiteral("Nothing was renamed"))) << r.errors.toStdString();
            EXPECT_EQ(filesNow(), QStringList{QStringLiteral("a.txt")});
        }
    }
}

// With no display at all the run that opens no window renames as it does on a display: the
// pictures' dates are read, a folder's rows follow it, a name taken already is told as a failed
// row, and the settings are saved.
TEST_F(WithoutDisplay, ARunWithoutWindowsRenamesWithNoDisplayAtAll)
{
    using bytes::ExifBuilder;
    using bytes::Ifd;
    const QByteArray picture =
        ExifBuilder(true).ascii(Ifd::Zero, 271, "Cam").ascii(Ifd::Zero, 306, "2024:05:06 07:08:09").jpeg();
    QDir().mkpath(at("dir"));
    testfiles::writeFile(at("p.jpg"), picture);
    testfiles::writeFile(at("dir/a.txt"), "a");
    testfiles::writeFile(at("b.txt"), "b");
    testfiles::writeFile(at("x_b.txt"), "taken");
    QFile::remove(home() + QStringLiteral("/Trevalle.ini"));
    engine::RenameSettings settings;
    settings.checkOnly({QStringLiteral("Prefix")});
    settings.PrefixSource = QStringLiteral("x_");
    const QString prefix = writeRnp(settings);

    const RunResult r = run(NoDisplay, {prefix, QStringLiteral("dir"), QStringLiteral("dir/a.txt"),
                                        QStringLiteral("b.txt")});
    ASSERT_TRUE(r.finished) << r.errors.toStdString();
    EXPECT_EQ(r.exitCode, app::modMain::SomeFailed) << r.errors.toStdString();
    const QStringList lines = r.errors.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1) << r.errors.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Row 3: ") + at("b.txt"))) << lines[0].toStdString();
    EXPECT_EQ(testfiles::readFile(at("x_dir/x_a.txt")), "a");
    EXPECT_EQ(testfiles::readFile(at("b.txt")), "b");
    EXPECT_TRUE(QFileInfo::exists(home() + QStringLiteral("/Trevalle.ini")));

    settings.PrefixSource = QStringLiteral("$Exif_date_$yyyy$");
    const RunResult dated = run(NoDisplay, {writeRnp(settings), at("p.jpg")});
    EXPECT_EQ(dated.exitCode, app::modMain::AllRenamed) << dated.errors.toStdString();
    EXPECT_TRUE(dated.errors.isEmpty()) << dated.errors.toStdString();
    EXPECT_EQ(testfiles::readFile(at("2024p.jpg")), picture) << filesNow().join(u' ').toStdString();
}

// Runs that open a window (the main window, the open-files run, the rename-drop review) where no
// display can show one: told plainly on standard error, nothing renamed, exit 2.
TEST_F(WithoutDisplay, ARunThatNeedsAWindowSaysSoAndEndsWithTwo)
{
    testfiles::writeFile(at("a.txt"), "a");
    testfiles::writeFile(at("b.txt"), "b");
    engine::RenameSettings settings;
    settings.checkOnly({QStringLiteral("Prefix")});
    settings.PrefixSource = QStringLiteral("x_");
    const QString rnp = writeRnp(settings);
    // A display number nothing listens on: the toolkit cannot open it.
    const Screen unreachable{"a display that cannot be opened", nullptr, ":65000"};
    const struct {
        const char *what;
        QStringList arguments;
        bool review;
    } runs[] = {
        {"a normal start", {}, false},
        {"an open-files run", {at("a.txt") + u'|' + at("b.txt")}, false},
        {"a rename-drop run with its review dialog", {rnp, at("a.txt"), at("b.txt")}, true},
    };
    const struct {
        const Screen &screen;
        const char *why;
    } screens[] = {
        {NoDisplay, "neither DISPLAY nor WAYLAND_DISPLAY is set"},
        {Offscreen, "QT_QPA_PLATFORM=\"offscreen\""},
        {unreachable, "could not be opened (DISPLAY=\":65000\")"},
    };
    writeSettingsFile(true);
    for (const auto &s : screens) {
        for (const auto &c : runs) {
            SCOPED_TRACE(std::string(s.screen.name) + ", " + c.what);
            const RunResult r = run(s.screen, c.arguments);
            ASSERT_TRUE(r.finished) << "a window nobody sees is waited on: " << r.errors.toStdString();
            EXPECT_EQ(r.exitCode, app::modMain::NothingRan) << r.errors.toStdString();
            EXPECT_TRUE(r.errors.contains(QStringLiteral("Vexlo needs a display to show its windows")))
                << r.errors.toStdString();
            EXPECT_TRUE(r.errors.contains(QLatin1String(s.why))) << r.errors.toStdString();
            EXPECT_EQ(r.errors.contains(QStringLiteral("\"Show Rename Drop dialog.\" is off")), c.review)
                << r.errors.toStdString();
            EXPECT_EQ(filesNow(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
        }
    }
}

// A display named that cannot be opened, as in a remote shell or a timer job that inherited one:
// a run that opens no window renames all the same, its messages on standard error after at most
// one line about the display (a missing rename-drop file is told there, never waited on); a run
// that needs a window ends with 2 at once.
TEST_F(WithoutDisplay, AStaleDisplayStopsOnlyARunThatNeedsAWindow)
{
    const Screen stale[] = {
        {"DISPLAY that cannot be opened", nullptr, ":65000"},
        {"WAYLAND_DISPLAY that cannot be opened", nullptr, nullptr, "vexlo-test-no-such-wayland"},
        {"QT_QPA_PLATFORM=xcb", "xcb", nullptr},
        {"QT_QPA_PLATFORM=wayland", "wayland", nullptr},
        {"an unknown platform", "vexlo-test-no-such-platform", nullptr},
        // The toolkit falls back to the second platform, which shows nothing.
        {"a platform list after a display that cannot be opened", "xcb;offscreen", ":65000"},
    };
    engine::RenameSettings settings;
    settings.checkOnly({QStringLiteral("Prefix")});
    settings.PrefixSource = QStringLiteral("x_");
    const QString rnp = writeRnp(settings);
    const QStringList untouched{QStringLiteral("a.txt"), QStringLiteral("b.txt")};
    const struct {
        const char *what;
        QStringList arguments;
        bool review;          ///< "Show Rename Drop dialog." on
        int exitCode;
        QStringList filesAfter;
        const char *told;     ///< on standard error
    } runs[] = {
        {"a rename-drop run without windows", {rnp, at("a.txt"), at("b.txt")}, false, app::modMain::AllRenamed,
         {QStringLiteral("x_a.txt"), QStringLiteral("x_b.txt")}, nullptr},
        {"a missing rename-drop file", {tmp.filePath("missing.rnp"), at("a.txt")}, false, app::modMain::NothingRan,
         untouched, "Invalid File"},
        {"a normal start", {}, false, app::modMain::NothingRan, untouched, "Vexlo needs a display"},
        {"an open-files run", {at("a.txt") + u'|' + at("b.txt")}, false, app::modMain::NothingRan, untouched,
         "Vexlo needs a display"},
        {"a rename-drop run with its review dialog", {rnp, at("a.txt"), at("b.txt")}, true,
         app::modMain::NothingRan, untouched, "Vexlo needs a display"},
    };
    for (const Screen &screen : stale) {
        for (const auto &c : runs) {
            SCOPED_TRACE(std::string(screen.name) + ", " + c.what);
            for (const QString &name : filesNow())
                QFile::remove(at(name));
            testfiles::writeFile(at("a.txt"), "a");
            testfiles::writeFile(at("b.txt"), "b");
            writeSettingsFile(c.review);
            const RunResult r = run(screen, c.arguments, 60000);
            ASSERT_TRUE(r.finished) << "the run waits on something nobody sees: " << r.errors.toStdString();
            EXPECT_EQ(r.exitCode, c.exitCode) << r.errors.toStdString();
            EXPECT_EQ(filesNow(), c.filesAfter);
            if (c.told) {
                EXPECT_EQ(r.errors.count(QLatin1String(c.told)), 1) << r.errors.toStdString();
                continue;
            }
            const QStringList lines = r.errors.split(u'\n', Qt::SkipEmptyParts);
            EXPECT_LE(lines.size(), 1) << r.errors.toStdString();
            for (const QString &line : lines)
                EXPECT_TRUE(line.startsWith(QStringLiteral("Vexlo could not open the display (")))
                    << line.toStdString();
        }
    }
}

} // namespace

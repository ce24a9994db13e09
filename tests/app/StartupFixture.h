#pragma once
// What the start-up tests share: a program folder, files to rename and the settings file of a
// start, the program run as a process without a display, and waits on a condition.
#include "RenameDropFile.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"
#include "TestFiles.h"
#include "WaitUntil.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace startuptest {

/** `env` with what the built program is started with in a test: the platform plugin `platform`,
 *  `programFolder` as its program folder, its messages written to standard error instead of
 *  shown, and `userHome` as the user's home folder, with the user's settings in its "config". */
inline QProcessEnvironment vexloEnvironment(QProcessEnvironment env, const QString &platform,
                                            const QString &programFolder, const QString &userHome)
{
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("VEXLO_HOME"), programFolder);
    env.insert(QStringLiteral("VEXLO_MESSAGES"), QStringLiteral("stderr"));
    env.insert(QStringLiteral("HOME"), userHome);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), userHome + QStringLiteral("/config"));
    return env;
}

struct RunResult {
    int exitCode = -1;
    QString errors;
};

class StartupTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString home() const { return tmp.filePath("home"); }
    QString files() const { return tmp.filePath("files"); }
    QString at(const QString &name) const { return files() + u'/' + name; }

    void SetUp() override
    {
        QDir().mkpath(home());
        QDir().mkpath(files());
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            testfiles::writeFile(at(QString::fromLatin1(name)), name);
    }

    /** A rename-drop file made by the program's own writer: "Prefix" with `prefix`. */
    QString writePrefixRnp(const QString &prefix)
    {
        engine::RenameSettings settings;
        settings.checkOnly({QStringLiteral("Prefix")});
        settings.PrefixSource = prefix;
        settingsfiles::RenameWindowState state;
        const QString path = tmp.filePath("prefix.rnp");
        EXPECT_TRUE(settingsfiles::WriteRenameDropFile(path, settings, state));
        return path;
    }

    /** The settings file with "Show Rename Drop dialog." on or off (line 23) and the window
     *  kept on top (line 8: 1 the main window). */
    void writeSettingsFile(bool showDialog, const char *topMostWindow = "0")
    {
        QByteArray text;
        const char *lines[] = {"blank", "blank", "blank", "blank", "Report", "", "0", topMostWindow, "False", "False",
                               "", "", "", "", "0", "0", "0", "0", "0", "0", "0", "0",
                               showDialog ? "1" : "0", "0"};
        for (const char *line : lines)
            text += QByteArray(line) + "\r\n";
        testfiles::writeFile(home() + QStringLiteral("/Trevalle.ini"), text);
    }

    /** The program's environment in this test (see vexloEnvironment), over `env`. */
    QProcessEnvironment vexloEnvironment(const QString &platform = QStringLiteral("offscreen"),
                                         const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment()) const
    {
        return startuptest::vexloEnvironment(env, platform, home(), tmp.path());
    }

    RunResult runVexlo(const QStringList &arguments, const QString &workingFolder = QString())
    {
        QProcess p;
        if (!workingFolder.isEmpty())
            p.setWorkingDirectory(workingFolder);
        p.setProcessEnvironment(vexloEnvironment());
        p.start(QStringLiteral(VEXLO_BINARY), arguments);
        EXPECT_TRUE(p.waitForFinished(120000)) << "vexlo did not finish";
        RunResult r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.errors = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

    bool exists(const QString &name) const { return QFileInfo::exists(at(name)); }
};


} // namespace startuptest

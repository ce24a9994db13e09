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
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace startuptest {

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

    RunResult runVexlo(const QStringList &arguments, const QString &workingFolder = QString())
    {
        QProcess p;
        if (!workingFolder.isEmpty())
            p.setWorkingDirectory(workingFolder);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("VEXLO_HOME"), home());
        env.insert(QStringLiteral("VEXLO_MESSAGES"), QStringLiteral("stderr"));
        env.insert(QStringLiteral("HOME"), tmp.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath("config"));
        p.setProcessEnvironment(env);
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

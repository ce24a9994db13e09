#pragma once
// A program folder of its own, recording services and a fixed clock for the window tests.
#include "AppState.h"
#include "Clock.h"
#include "Dialogs.h"
#include "MessageService.h"
#include "RandomSource.h"
#include "Shell.h"
#include "TestFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

class WindowFixture : public ::testing::Test {
public:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(data.isValid());
        qputenv("VEXLO_HOME", home.path().toUtf8());
        state.services = {&messages, &dialogs, &shell, &clock, &random};
    }
    void TearDown() override { qunsetenv("VEXLO_HOME"); }

    QString settingsPath() const { return home.filePath(QStringLiteral("Trevalle.ini")); }
    /** The data folder's path without a trailing "/". */
    QString dataPath(const QString &sub = {}) const { return sub.isEmpty() ? data.path() : data.filePath(sub); }
    void makeFile(const QString &relative, const QByteArray &bytes = "x")
    {
        testfiles::writeFile(data.filePath(relative), bytes);
    }
    /** The settings file's lines (without their CR LF). */
    QStringList settingsLines() const
    {
        QString text = QString::fromUtf8(testfiles::readFile(settingsPath()));
        if (text.endsWith(QStringLiteral("\r\n")))
            text.chop(2);
        return text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n"));
    }
    void writeSettings(const QStringList &lines)
    {
        testfiles::writeFile(settingsPath(), (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    }
    /** Runs the event loop until `done`; gives up after ten seconds (a slow, busy machine). */
    static bool waitFor(const std::function<bool()> &done)
    {
        QDeadlineTimer deadline(10000);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    QTemporaryDir home;
    QTemporaryDir data;
    RecordingMessageService messages;
    RecordingDialogs dialogs;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2024, 5, 9), QTime(15, 7, 5))};
    FixedRandom random{{0.5f}};
    AppState state;
};

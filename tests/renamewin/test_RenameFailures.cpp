// A rename run in which some rows fail, as the user meets it: the buttons clicked, the failed
// rows marked in the grid, the message, and the log viewer with the reasons.
#include "Grid.h"
#include "PreviewTable.h"
#include "RenameLog.h"
#include "RenamerFixture.h"
#include "frmLog.h"

#include <QScreen>
#include <QTest>

#include "ProcessLimits.h"

#include <functional>
#include <utility>

using namespace renamewintest;

namespace {

class RenameFailures : public RenamerFixture {
protected:
    static void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); }

    /** "Prefix" checked with the text "x_", over a.txt, b.txt and c.txt, with "x_b.txt" already
     *  taken so that the second row fails. */
    renamewin::frmRenamer &prepared()
    {
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            addFile(QString::fromLatin1(name));
        testfiles::writeFile(folder() + QStringLiteral("x_b.txt"), "taken");
        renamewin::frmRenamer &w = window();
        w.show();
        w.Refreshrnm();
        const int prefix = 7;
        EXPECT_EQ(w.List3->item(prefix)->text(), QStringLiteral("Prefix"));
        w.List3->item(prefix)->setCheckState(Qt::Checked);
        w.cmbPrefix->setCurrentText(QStringLiteral("x_"));
        return w;
    }
};

// Message boxes that let the user work elsewhere while one is up: `whileShown` runs once, at the
// next box.
class MessagesWhileShown : public RecordingMessageService {
public:
    int MsgBox(const QString &prompt, int buttons, const QString &title) override
    {
        const int answer = RecordingMessageService::MsgBox(prompt, buttons, title);
        if (whileShown)
            std::exchange(whileShown, {})();
        return answer;
    }
    std::function<void()> whileShown;
};

} // namespace

TEST_F(RenameFailures, FailedRowsStayMarkedAndTheLogShowsWhyWhateverThePreference)
{
    for (int showLog : {0, 1}) {
        SCOPED_TRACE(showLog);
        app.ShowLogAfterRename = showLog;
        app.AutoValidateNames = 1;
        form.reset();
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        // (The run before kept its own log, failed rows and all.)
        QDir(home.path()).removeRecursively();
        QDir().mkpath(home.path());
        mainList.items.clear();
        messages.shown.clear();
        renamewin::frmRenamer &w = prepared();

        click(w.cmdPreview);
        ASSERT_EQ(w.GridPre->CellText(2, 2), QStringLiteral("x_b.txt"));
        EXPECT_EQ(w.GridPre->CellBackColor(1, 2), int64_t(engine::cellcolor::Changed));

        click(w.cmdExecute);
        // The message names the run's own log file, which holds the failed row's reason.
        const QString logFile = engine::RenameLog::datedFileName(clock.now());
        EXPECT_EQ(messages.prompts(),
                  QStringList{"1 of 3 items could not be renamed. The rename log \"" + logFile + "\" shows why."});
        EXPECT_TRUE(testfiles::readFile(logFile).contains(" : b.txt : x_b.txt : File already exists\r\n"));
        // The failed row keeps both names and its Preview cell turns the duplicate colour; the
        // renamed rows lose their validation colour.
        EXPECT_EQ(w.GridPre->CellText(2, 1), QStringLiteral("b.txt"));
        EXPECT_EQ(w.GridPre->CellText(2, 2), QStringLiteral("x_b.txt"));
        EXPECT_EQ(w.GridPre->CellBackColor(2, 2), int64_t(engine::cellcolor::Duplicate));
        for (size_t row : {1u, 3u}) {
            SCOPED_TRACE(row);
            EXPECT_EQ(w.GridPre->CellText(row, 2), QString());
            EXPECT_EQ(w.GridPre->CellBackColor(row, 2), int64_t(engine::cellcolor::White));
        }

        renamewin::frmLog *log = w.logViewer();
        ASSERT_TRUE(log->isVisible());
        EXPECT_EQ(log->logFile(), logFile);
        ASSERT_EQ(log->GridLog->Rows(), 3u);
        EXPECT_EQ(log->GridLog->CellText(2, 2), QStringLiteral("b.txt"));
        EXPECT_NE(log->GridLog->CellText(2, 4), QStringLiteral("Rename Successful"));
        const QRect screen = log->screen()->availableGeometry();
        EXPECT_TRUE(screen.contains(log->frameGeometry())) << log->frameGeometry().y();
    }
}

TEST_F(RenameFailures, ARunWithoutFailuresOpensNoLogWhenThePreferenceIsOff)
{
    app.ShowLogAfterRename = 0;
    addFile(QStringLiteral("a.txt"));
    renamewin::frmRenamer &w = window();
    w.show();
    w.Refreshrnm();
    w.List3->item(7)->setCheckState(Qt::Checked);
    w.cmbPrefix->setCurrentText(QStringLiteral("x_"));
    click(w.cmdPreview);
    click(w.cmdExecute);
    EXPECT_FALSE(w.logViewer()->isVisible());
    EXPECT_TRUE(QFileInfo::exists(folder() + QStringLiteral("x_a.txt")));
}

// The disk fills up (a file-size limit) while "Rename Now!" writes its log: the run stops at the
// row whose line cannot be written. Cut in that row's names, the row is not renamed; cut in its
// result, the row was renamed and is the last. The files on disk, the grid (the rows not renamed
// keep both names), the message and the log viewer (opened on the run's record though the
// preference is off) all say how far the run came.
TEST_F(RenameFailures, ALogThatStopsTakingLinesStopsTheRunAtThatRow)
{
    const QString dir = folder();
    const auto line = [&](const char *name, const QString &result) {
        return engine::RenameLog::line(dir, QString::fromLatin1(name), "x_" + QString::fromLatin1(name), result).toUtf8();
    };
    const QString success = engine::RenameLog::successText();
    const QByteArray row1 = line("a.txt", success) + "\r\n";
    const QByteArray row2 = line("b.txt", success) + "\r\n";
    const QByteArray names2 = line("b.txt", QString());
    struct Case {
        const char *what;
        qsizetype limit;
        QString stop;
        QByteArray record;  // the run's own file afterwards
        QString recordText;
    } cases[] = {
        {"names of row 3 cut", row1.size() + row2.size() + 4, "The run stopped before row 3, \"" + dir + "c.txt\"",
         row1 + row2, "The record of this run is in"},
        {"result of row 2 cut", row1.size() + names2.size() + 4,
         "The run stopped after row 2, \"" + dir + "b.txt\", which was renamed to \"x_b.txt\"", row1 + names2,
         "The record of this run, as far as it reached the disk, is in"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        app.ShowLogAfterRename = 0;
        app.ShowRenameConfirmation = 1;
        form.reset();
        QDir(folder()).removeRecursively();
        QDir(home.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder()) && QDir().mkpath(home.path()));
        mainList.items.clear();
        app.SelFileCount = 0;
        messages.shown.clear();
        for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
            addFile(QString::fromLatin1(name));
        renamewin::frmRenamer &w = window();
        w.show();
        w.Refreshrnm();
        ASSERT_EQ(w.List3->item(7)->text(), QStringLiteral("Prefix"));
        w.List3->item(7)->setCheckState(Qt::Checked);
        w.cmbPrefix->setCurrentText(QStringLiteral("x_"));
        click(w.cmdPreview);
        ASSERT_EQ(w.GridPre->CellText(4, 2), QStringLiteral("x_d.txt"));

        {
            testfiles::FileSizeLimit full(rlim_t(c.limit));
            click(w.cmdExecute);
        }

        const QString dated = engine::RenameLog::datedFileName(clock.now());
        EXPECT_EQ(messages.prompts(),
                  QStringList{"The rename log \"" + dated + "\" could not be written: Disk full (file size limit). "
                              + c.stop + ": 2 of 4 items were renamed; the other 2 were not renamed. " + c.recordText
                              + " \"" + dated + "\"."});
        for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"}) {
            SCOPED_TRACE(name);
            const bool renamed = name[0] < 'c';
            EXPECT_EQ(QFileInfo::exists(dir + QString::fromLatin1(name)), !renamed);
            EXPECT_EQ(QFileInfo::exists(dir + "x_" + QString::fromLatin1(name)), renamed);
        }
        EXPECT_EQ(w.GridPre->CellText(1, 1), QStringLiteral("x_a.txt"));
        EXPECT_EQ(w.GridPre->CellText(2, 1), QStringLiteral("x_b.txt"));
        for (size_t row : {3u, 4u}) {
            SCOPED_TRACE(row);
            const QString name = QStringList{"c.txt", "d.txt"}[int(row) - 3];
            EXPECT_EQ(w.GridPre->CellText(row, 1), name);
            EXPECT_EQ(w.GridPre->CellText(row, 2), "x_" + name);
        }
        EXPECT_EQ(testfiles::readFile(dated), c.record);

        renamewin::frmLog *log = w.logViewer();
        ASSERT_TRUE(log->isVisible());
        EXPECT_EQ(log->logFile(), dated);
        ASSERT_EQ(log->GridLog->Rows(), 2u);
        EXPECT_EQ(log->GridLog->CellText(1, 4), success);
    }
}

// Two rename windows share the program folder, "Save Log File" off. While the first one's box
// about its failed row is up, the second one renames and so replaces "templog.log". The first
// run's box and its log viewer still name and show its own file, which stays with its lines.
TEST_F(RenameFailures, ARunWithFailedRowsNamesItsOwnLogWhileAnotherRunWritesTemplog)
{
    app.ShowLogAfterRename = 0;
    MessagesWhileShown firstBoxes;
    app.services.messages = &firstBoxes;
    renamewin::frmRenamer &first = prepared();

    QTemporaryDir otherFiles;
    const QString otherFolder = otherFiles.path() + u'/';
    testfiles::writeFile(otherFolder + QStringLiteral("z.txt"), "z");
    TableMainList otherList;
    otherList.items.push_back({QStringLiteral("z.txt"), otherFolder, QStringLiteral("TXT File"), true});
    AppState otherApp;
    RecordingMessageService otherBoxes;
    otherApp.services = app.services;
    otherApp.services.messages = &otherBoxes;
    otherApp.SelFileCount = 1;
    otherApp.ShowRenameConfirmation = 1;
    renamewin::frmRenamer second(otherApp, &metadata);
    second.setMainFileList(&otherList);
    second.show();
    second.Refreshrnm();
    second.List3->item(7)->setCheckState(Qt::Checked);
    second.cmbPrefix->setCurrentText(QStringLiteral("y_"));
    click(second.cmdPreview);
    click(first.cmdPreview);

    firstBoxes.whileShown = [&] { click(second.cmdExecute); };
    click(first.cmdExecute);

    // The second run went through while the first one's box was up.
    ASSERT_TRUE(QFileInfo::exists(otherFolder + QStringLiteral("y_z.txt")));
    EXPECT_EQ(otherBoxes.prompts(), QStringList{"Files Renamed"});
    EXPECT_EQ(testfiles::readFile(engine::RenameLog::fileName()),
              engine::RenameLog::line(otherFolder, "z.txt", "y_z.txt", engine::RenameLog::successText()).toUtf8() + "\r\n");

    const QString own = engine::RenameLog::datedFileName(clock.now());
    EXPECT_EQ(firstBoxes.prompts(),
              QStringList{"1 of 3 items could not be renamed. The rename log \"" + own + "\" shows why."});
    const QByteArray lines = testfiles::readFile(own);
    EXPECT_TRUE(lines.contains(" : b.txt : x_b.txt : File already exists\r\n")) << lines.toStdString();
    EXPECT_FALSE(lines.contains("z.txt")) << lines.toStdString();
    renamewin::frmLog *log = first.logViewer();
    ASSERT_TRUE(log->isVisible());
    EXPECT_EQ(log->logFile(), own);
    ASSERT_EQ(log->GridLog->Rows(), 3u);
    EXPECT_EQ(log->GridLog->CellText(2, 2), QStringLiteral("b.txt"));
    EXPECT_EQ(log->GridLog->CellText(2, 4), QStringLiteral("File already exists"));
}

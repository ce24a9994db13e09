// A rename run in which some rows fail, as the user meets it: the buttons clicked, the failed
// rows marked in the grid, the message, and the log viewer with the reasons.
#include "Grid.h"
#include "PreviewTable.h"
#include "RenamerFixture.h"
#include "frmLog.h"

#include <QScreen>
#include <QTest>

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
        mainList.items.clear();
        messages.shown.clear();
        renamewin::frmRenamer &w = prepared();

        click(w.cmdPreview);
        ASSERT_EQ(w.GridPre->CellText(2, 2), QStringLiteral("x_b.txt"));
        EXPECT_EQ(w.GridPre->CellBackColor(1, 2), int64_t(engine::cellcolor::Changed));

        click(w.cmdExecute);
        // The message names the log file, which holds the failed row's reason.
        const QString logFile = home.path() + QStringLiteral("/templog.log");
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

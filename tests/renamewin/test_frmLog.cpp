// The rename log viewer: one row per log line, failed results in red, columns a quarter wide.
#include "Grid.h"
#include "RenameLog.h"
#include "TestFiles.h"
#include "frmLog.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using renamewin::frmLog;

namespace {

QStringList row(const Grid &grid, size_t r)
{
    return {grid.CellText(r, 1), grid.CellText(r, 2), grid.CellText(r, 3), grid.CellText(r, 4)};
}

} // namespace

TEST(LogViewer, RowsAndColoursOfTheLog)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("templog.log");
    testfiles::writeFile(log, "/p/ : a.txt : a1.txt : Rename Successful\r\n"
                              "/p/ : b.txt : c.txt : File already exists\r\n"
                              "/p/ : c.txt : c1.txt : rename successful\r\n"
                              "/p/ : one : two : three : Rename Successful\r\n"
                              "no separator\r\n"
                              "\r\n"
                              "/p/ : d.txt : d1.txt : Rename Successful\n");
    frmLog viewer(nullptr, log);
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Rename Log - Morvane"));
    ASSERT_EQ(viewer.GridLog->Columns(), 4);
    const char *headers[] = {"Path", "Original Name", "Modified Name", "Result"};
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(viewer.GridLog->ColumnKey(c), QString::number(c));
        EXPECT_EQ(viewer.GridLog->ColumnHeader(c), QLatin1String(headers[c - 1]));
    }
    ASSERT_EQ(viewer.GridLog->Rows(), 7u);
    EXPECT_EQ(row(*viewer.GridLog, 1), QStringList({"/p/", "a.txt", "a1.txt", "Rename Successful"}));
    EXPECT_EQ(row(*viewer.GridLog, 2), QStringList({"/p/", "b.txt", "c.txt", "File already exists"}));
    EXPECT_EQ(row(*viewer.GridLog, 4), QStringList({"/p/", "one : two", "three", "Rename Successful"}));
    EXPECT_EQ(row(*viewer.GridLog, 5), QStringList({"no separator", "", "", ""}));
    EXPECT_EQ(row(*viewer.GridLog, 6), QStringList({"", "", "", ""}));
    const bool red[] = {false, true, true, false, true, true, false};
    for (size_t r = 1; r <= 7; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(viewer.GridLog->CellBackColor(r, 4), red[r - 1] ? 255 : -1);
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(viewer.GridLog->CellBackColor(r, c), -1);
    }

    // The log of the next run replaces the rows when the viewer is shown again.
    testfiles::writeFile(log, "/q/ : x : y : Permission denied\r\n");
    viewer.Reload(log);
    ASSERT_EQ(viewer.GridLog->Rows(), 1u);
    EXPECT_EQ(viewer.GridLog->CellBackColor(1, 4), 255);
}

TEST(LogViewer, AnEmptyOrMissingLogShowsNoRows)
{
    QTemporaryDir dir;
    frmLog missing(nullptr, dir.filePath("templog.log"));
    EXPECT_EQ(missing.GridLog->Rows(), 0u);
    EXPECT_EQ(missing.GridLog->Columns(), 4);
    testfiles::writeFile(dir.filePath("empty.log"), "");
    frmLog empty(nullptr, dir.filePath("empty.log"));
    EXPECT_EQ(empty.GridLog->Rows(), 0u);
}

TEST(LogViewer, ColumnsStayAQuarterOfTheGrid)
{
    QTemporaryDir dir;
    frmLog viewer(nullptr, dir.filePath("templog.log"));
    viewer.show();
    EXPECT_EQ(viewer.size(), QSize(709, 400));
    for (int width : {709, 1000, 481}) {
        SCOPED_TRACE(width);
        viewer.resize(width, 300);
        // The grid is scaled with the window in whole percentages.
        EXPECT_NEAR(viewer.GridLog->width(), width, 709 / 100 + 1);
        const int quarter = int(std::lround(viewer.GridLog->InnerWidth() / 4.0));
        for (int c = 1; c <= 3; ++c)
            EXPECT_NEAR(viewer.GridLog->ColumnWidth(c), quarter, 1) << c;
        EXPECT_GE(viewer.GridLog->ColumnWidth(4), quarter - 4);
    }
}

// The run's own log file of a run that was killed: every row it holds is shown, the row the run
// was at (names without a result) as not renamed.
TEST(LogViewer, ALogWhoseRunDidNotFinish)
{
    QTemporaryDir dir;
    const QString dated = dir.filePath("Rename_Log12_09_202608_49_36_PM.txt");
    qputenv("VEXLO_HOME", QFile::encodeName(dir.path()));
    {
        engine::RenameLog log(QDateTime(QDate(2026, 12, 9), QTime(20, 49, 36)), dir.filePath("templog.log"));
        const vb::Status opened = log.open();
        qunsetenv("VEXLO_HOME");
        ASSERT_TRUE(opened);
        ASSERT_EQ(log.runFile(), dated);
        log.begin("/p/", "a.txt", "b.txt");
        log.write("/p/", "a.txt", "b.txt", engine::RenameLog::successText());
        log.write("/p/", "c.txt", "d.txt", QStringLiteral("File not found"));
        log.begin("/p/", "e.txt", "f.txt");
    }  // the run ends here, never closing its log
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("templog.log")));
    frmLog viewer(nullptr, dated);
    ASSERT_EQ(viewer.GridLog->Rows(), 3u);
    EXPECT_EQ(row(*viewer.GridLog, 1), QStringList({"/p/", "a.txt", "b.txt", "Rename Successful"}));
    EXPECT_EQ(row(*viewer.GridLog, 2), QStringList({"/p/", "c.txt", "d.txt", "File not found"}));
    EXPECT_EQ(row(*viewer.GridLog, 3), QStringList({"/p/", "e.txt", "f.txt", ""}));
    EXPECT_EQ(viewer.GridLog->CellBackColor(1, 4), -1);
    EXPECT_EQ(viewer.GridLog->CellBackColor(2, 4), 255);
    EXPECT_EQ(viewer.GridLog->CellBackColor(3, 4), 255);
}

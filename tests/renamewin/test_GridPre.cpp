// The preview grid: filling it from the main list, picture dates, the sort orders, opening a
// file and editing a "Preview" cell in place.
#include "Grid.h"
#include "RenamerFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>

using namespace renamewintest;

namespace {

class GridPre : public RenamerFixture {
protected:
    QStringList column(int c)
    {
        QStringList out;
        for (size_t r = 1; r <= window().GridPre->Rows(); ++r)
            out << window().GridPre->CellText(r, c);
        return out;
    }
    void setModified(const QString &name, const QDateTime &at)
    {
        QFile f(folder() + name);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(at, QFileDevice::FileModificationTime));
    }
    void key(QWidget *target, int code, const QString &text = {})
    {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
    }
};

} // namespace

TEST_F(GridPre, RefreshFillsTheCheckedItems)
{
    addFile("one.txt", QByteArray(10, 'x'));
    addFile("skip.txt", "x", false);
    addFile("two.jpg", QByteArray(300, 'x'), true, QStringLiteral("JPEG Image"));
    ASSERT_TRUE(QDir(files.path()).mkdir("sub"));
    mainList.items.push_back({QStringLiteral("sub"), folder(), QStringLiteral("File Folder"), true});
    ++app.SelFileCount;
    setModified("one.txt", QDateTime(QDate(2021, 1, 2), QTime(3, 4, 5)));

    renamewin::frmRenamer &w = window();
    w.Refreshrnm();
    EXPECT_EQ(column(1), QStringList({"one.txt", "two.jpg", "sub"}));
    EXPECT_EQ(column(2), QStringList({"", "", ""}));
    EXPECT_EQ(column(3), QStringList({folder(), folder(), folder()}));
    EXPECT_EQ(column(4), QStringList({"10", "300", "0"}));
    EXPECT_EQ(w.GridPre->CellText(1, 5), QStringLiteral("2021-01-02 03:04:05"));
    EXPECT_EQ(w.GridPre->CellText(3, 5), QString());
    const QString own = QDir(files.path()).dirName();
    EXPECT_EQ(column(6), QStringList({own, own, own}));
    EXPECT_EQ(column(7), QStringList({"TXT File", "JPEG Image", "File Folder"}));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("(3 Items)"));
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Ready"));
    EXPECT_EQ(w.progressValue(), 0.0f);
    EXPECT_TRUE(metadata.read.isEmpty()) << "no picture is read by the plain fill";

    mainList.items.clear();
    w.cmdRefresh->click();
    EXPECT_EQ(w.GridPre->Rows(), 0u);
    EXPECT_EQ(w.Label1->text(), QStringLiteral("(0 Items)"));
}

TEST_F(GridPre, TheViewShowsEveryFillWhole)
{
    // Rows come to the view as they are appended; a refill with fewer or more rows, or a fill
    // after a clear, shows exactly the rows of the table, in order.
    addFile("a.txt");
    addFile("b.txt");
    addFile("c.txt");
    renamewin::frmRenamer &w = window();
    const auto shown = [&w] {
        w.GridPre->flush();
        const QAbstractItemModel *model = w.GridPre->view()->model();
        QStringList names;
        for (int r = 0; r < model->rowCount(); ++r)
            names << model->index(r, 0).data().toString();
        return names;
    };
    w.Refreshrnm();
    EXPECT_EQ(shown(), QStringList({"a.txt", "b.txt", "c.txt"}));

    mainList.items.erase(mainList.items.begin());
    app.SelFileCount = 2;
    w.Refreshrnm();
    EXPECT_EQ(shown(), QStringList({"b.txt", "c.txt"}));

    addFile("d.txt");
    addFile("e.txt");
    w.Refreshrnm();
    EXPECT_EQ(shown(), QStringList({"b.txt", "c.txt", "d.txt", "e.txt"}));
}

TEST_F(GridPre, AStopKeepsTheRowsFilledSoFar)
{
    for (const char *name : {"a", "b", "c", "d", "e"})
        addFile(QString::fromUtf8(name));
    renamewin::frmRenamer &w = window();
    w.setFramePeriod(0);  // acts between rows: every row gets its turn
    QObject::connect(w.ProgBar, &QProgressBar::valueChanged, [&](int value) {
        if (value == 2)
            app.StopFlag = true;
    });
    w.Refreshrnm();
    // The request made while the second item was done is seen before the third.
    EXPECT_EQ(column(1), QStringList({"a", "b"}));
    EXPECT_FALSE(app.StopFlag);
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("Ready"));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("(2 Items)"));
}

TEST_F(GridPre, PictureDatesAreReadOnceUntilTheNextRefresh)
{
    addFile("new.jpg", "x", true, QStringLiteral("JPEG Image"));
    addFile("old.jpg", "x", true, QStringLiteral("JPEG Image"));
    addFile("none.jpg", "x", true, QStringLiteral("JPEG Image"));
    addFile("text.txt");
    metadata.pictures.insert(folder() + "new.jpg", {"Make: A", "DateTime: 2020:01:01 10:00:00",
                                                    "DateTimeOriginal: 2019:06:01 12:00:00"});
    metadata.pictures.insert(folder() + "old.jpg", {"DateTime: 2001:02:03 04:05:06"});
    renamewin::frmRenamer &w = window();
    w.Refreshrnm();
    EXPECT_FALSE(w.PictureDatesLoaded());

    w.Combo1->setCurrentIndex(6);
    w.Combo1_Click();
    EXPECT_EQ(column(1), QStringList({"none.jpg", "text.txt", "old.jpg", "new.jpg"}));
    EXPECT_EQ(w.GridPre->CellText(4, 8), QStringLiteral("DateTimeOriginal: 2019:06:01 12:00:00"));
    EXPECT_TRUE(w.PictureDatesLoaded());
    EXPECT_EQ(metadata.read.size(), 3);

    w.Combo1->setCurrentIndex(7);
    w.Combo1_Click();
    EXPECT_EQ(column(1), QStringList({"new.jpg", "old.jpg", "none.jpg", "text.txt"}));
    EXPECT_EQ(metadata.read.size(), 3) << "read once";

    w.Refreshrnm();
    EXPECT_FALSE(w.PictureDatesLoaded());
    w.Combo1_Click();
    EXPECT_EQ(metadata.read.size(), 6) << "read again after a refresh";

    // A stop while reading leaves the dates not loaded, so the next sort reads them again.
    w.Refreshrnm();
    w.setFramePeriod(0);
    QObject::connect(w.ProgBar, &QProgressBar::valueChanged, [&](int value) {
        if (value == 1 && w.lblStatus->text() == QStringLiteral("Getting Picture Taken Data..."))
            app.StopFlag = true;
    });
    w.Combo1_Click();
    EXPECT_FALSE(w.PictureDatesLoaded());
    EXPECT_FALSE(app.StopFlag);
}

TEST_F(GridPre, TheFillAfterACommandLineStartReadsThePictureDates)
{
    addFile("a.jpg", "x", true, QStringLiteral("JPEG Image"));
    addFile("b.jpg", "x", true, QStringLiteral("JPEG file"));
    addFile("c.txt");
    metadata.pictures.insert(folder() + "a.jpg", {"DateTime: 2020:01:01 10:00:00"});
    metadata.pictures.insert(folder() + "b.jpg", {"DateTimeOriginal: 2018:01:01 10:00:00"});
    renamewin::frmRenamer &w = window();
    w.setStatus(QStringLiteral("before"));
    w.RefreshrnmPicTak();
    EXPECT_EQ(column(1), QStringList({"a.jpg", "b.jpg", "c.txt"}));
    EXPECT_EQ(column(8), QStringList({"DateTime: 2020:01:01 10:00:00", "DateTimeOriginal: 2018:01:01 10:00:00", ""}));
    EXPECT_EQ(w.lblStatus->text(), QStringLiteral("before"));
    EXPECT_EQ(w.Label1->text(), QString());
    EXPECT_TRUE(w.PictureDatesLoaded());
    w.Combo1->setCurrentIndex(6);
    w.Combo1_Click();
    EXPECT_EQ(metadata.read.size(), 2) << "the sort needs no second reading";
    EXPECT_EQ(column(1), QStringList({"c.txt", "b.jpg", "a.jpg"}));
}

TEST_F(GridPre, SortingByModifiedMovesWholeRows)
{
    addFile("x.txt");
    addFile("y.txt");
    addFile("z.txt");
    setModified("x.txt", QDateTime(QDate(2022, 1, 1), QTime(0, 0)));
    setModified("y.txt", QDateTime(QDate(2020, 1, 1), QTime(0, 0)));
    setModified("z.txt", QDateTime(QDate(2021, 1, 1), QTime(0, 0)));
    renamewin::frmRenamer &w = window();
    w.Refreshrnm();
    w.GridPre->setCellText(1, 2, QStringLiteral("new-x"));
    w.Combo1->setCurrentIndex(4);
    w.Combo1_Click();
    EXPECT_EQ(column(1), QStringList({"y.txt", "z.txt", "x.txt"}));
    EXPECT_EQ(column(2), QStringList({"", "", "new-x"}));
    w.Combo1->setCurrentIndex(-1);
    w.Combo1_Click();
    EXPECT_EQ(column(1), QStringList({"y.txt", "z.txt", "x.txt"})) << "no choice does nothing";
}

TEST_F(GridPre, DoubleClickOpensTheFileOfAnOriginalCell)
{
    addFile("a.txt");
    renamewin::frmRenamer &w = window();
    w.Refreshrnm();
    w.GridPre->setSelected(1, 2);
    w.GridPre_DblClick();
    EXPECT_TRUE(shell.opened.isEmpty());
    w.GridPre->setSelected(1, 1);
    w.GridPre_DblClick();
    EXPECT_EQ(shell.opened, QStringList({folder() + "a.txt"}));
}

TEST_F(GridPre, EditingAPreviewCellInPlace)
{
    addFile("a.txt");
    addFile("b.txt");
    renamewin::frmRenamer &w = window();
    w.show();
    w.Refreshrnm();
    w.GridPre->setCellText(1, 2, QStringLiteral("old.txt"));
    w.GridPre->setCellBackColor(1, 2, engine::cellcolor::Changed);

    // Started by a typed character: that character, then the old text selected.
    w.GridPre->setSelected(1, 2);
    w.GridPre->StartEdit(1, 2, 'n');
    ASSERT_TRUE(w.txtEdit->isVisible());
    EXPECT_EQ(w.txtEdit->text(), QStringLiteral("nold.txt"));
    EXPECT_EQ(w.txtEdit->selectionStart(), 1);
    EXPECT_EQ(w.txtEdit->selectedText(), QStringLiteral("old.txt"));
    EXPECT_EQ(w.txtEdit->palette().color(QPalette::Base), Grid::toQColor(engine::cellcolor::Changed));
    const QRect cell = w.GridPre->CellBoundary(1, 2);
    EXPECT_EQ(w.txtEdit->geometry(), QRect(w.GridPre->pos() + cell.topLeft() + QPoint(0, 1), cell.size()));
    key(w.txtEdit, Qt::Key_Return);
    EXPECT_FALSE(w.txtEdit->isVisible());
    EXPECT_EQ(w.GridPre->CellText(1, 2), QStringLiteral("nold.txt"));

    // Started without a character: all selected; Escape abandons.
    w.GridPre->StartEdit(1, 2, 0);
    EXPECT_EQ(w.txtEdit->selectedText(), QStringLiteral("nold.txt"));
    w.txtEdit->setText(QStringLiteral("dropped"));
    key(w.txtEdit, Qt::Key_Escape);
    EXPECT_FALSE(w.txtEdit->isVisible());
    EXPECT_EQ(w.GridPre->CellText(1, 2), QStringLiteral("nold.txt"));

    // "/" and NUL cannot be typed into a name.
    w.GridPre->StartEdit(1, 2, '/');
    EXPECT_EQ(w.txtEdit->text(), QStringLiteral("nold.txt"));
    w.txtEdit->clear();
    w.txtEdit->insert(QStringLiteral("a/b") + QChar(0) + QStringLiteral("c"));
    EXPECT_EQ(w.txtEdit->text(), QStringLiteral("abc"));
    key(w.txtEdit, Qt::Key_Enter);
    EXPECT_EQ(w.GridPre->CellText(1, 2), QStringLiteral("abc"));

    // A cell of another column keeps the editor hidden and is never written.
    w.GridPre->setSelected(2, 1);
    w.GridPre->StartEdit(2, 1, 'q');
    EXPECT_FALSE(w.txtEdit->isVisible());
    w.GridPre->EndEdit();
    EXPECT_EQ(w.GridPre->CellText(2, 1), QStringLiteral("b.txt"));
    // ... not even when the current cell has moved to a "Preview" cell as the edit ends.
    w.GridPre->StartEdit(2, 1, 'q');
    w.GridPre->setSelected(2, 2);
    EXPECT_FALSE(w.GridPre->isEditing());
    EXPECT_EQ(w.GridPre->CellText(2, 1), QStringLiteral("b.txt"));

    // Typing on a cell of the grid starts the edit; clicking elsewhere ends it and keeps the text.
    w.GridPre->setSelected(2, 2);
    w.GridPre->view()->setFocus();
    key(w.GridPre->view(), Qt::Key_X, QStringLiteral("x"));
    ASSERT_TRUE(w.txtEdit->isVisible());
    EXPECT_EQ(w.txtEdit->text(), QStringLiteral("x"));
    w.GridPre->EndEdit();
    EXPECT_EQ(w.GridPre->CellText(2, 2), QStringLiteral("x"));
}

// A character outside the basic plane typed on a "Preview" cell starts the edit whole, and the
// text the user keeps never holds half of one.
TEST_F(GridPre, TypingACharacterOutsideTheBasicPlaneStartsTheEditWithIt)
{
    const QString smile = QString::fromUcs4(U"\U0001F600");
    addFile("a.txt");
    renamewin::frmRenamer &w = window();
    w.show();
    w.Refreshrnm();
    w.GridPre->setCellText(1, 2, smile + QStringLiteral("old.txt"));

    w.GridPre->setSelected(1, 2);
    w.GridPre->view()->setFocus();
    key(w.GridPre->view(), Qt::Key_unknown, smile);
    ASSERT_TRUE(w.txtEdit->isVisible());
    EXPECT_EQ(w.txtEdit->text(), smile + smile + QStringLiteral("old.txt"));
    EXPECT_EQ(w.txtEdit->selectedText(), smile + QStringLiteral("old.txt"));
    // Typing replaces the selection; a Backspace takes the whole character before the cursor.
    QTest::keyClicks(w.txtEdit, QStringLiteral("b"));
    EXPECT_EQ(w.txtEdit->text(), smile + QStringLiteral("b"));
    key(w.txtEdit, Qt::Key_Backspace);
    key(w.txtEdit, Qt::Key_Backspace);
    EXPECT_EQ(w.txtEdit->text(), QString());
    QTest::keyClicks(w.txtEdit, QStringLiteral("n.txt"));
    key(w.txtEdit, Qt::Key_Return);
    EXPECT_FALSE(w.txtEdit->isVisible());
    EXPECT_EQ(w.GridPre->CellText(1, 2), QStringLiteral("n.txt"));
}

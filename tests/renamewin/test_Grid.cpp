// The grid shared by the preview grid, the log viewer and the replace lists.
#include "Grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

/** Records the grid's editing signals in order. */
struct EditLog {
    explicit EditLog(Grid &grid)
    {
        QObject::connect(&grid, &Grid::requestEdit, [this](int r, int c, int key, bool *cancel) {
            events.push_back("request " + std::to_string(r) + "," + std::to_string(c) + " " + std::to_string(key));
            *cancel = refuse;
        });
        QObject::connect(&grid, &Grid::editEnding, [this](int r, int c) {
            events.push_back("ending " + std::to_string(r) + "," + std::to_string(c));
        });
        QObject::connect(&grid, &Grid::editClosed, [this] { events.push_back("closed"); });
        QObject::connect(&grid, &Grid::dblClick, [this] { events.push_back("dblclick"); });
    }
    std::vector<std::string> take() { return std::exchange(events, {}); }
    std::vector<std::string> events;
    bool refuse = false;
};

Grid &threeByTwo(Grid &grid)
{
    grid.AddColumn(QStringLiteral("k1"), QStringLiteral("One"));
    grid.AddColumn(QStringLiteral("k2"), QStringLiteral("Two"), Grid::AlignCenter);
    grid.setRows(3);
    for (size_t r = 1; r <= 3; ++r)
        for (int c = 1; c <= 2; ++c)
            grid.setCellText(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
    grid.resize(300, 200);
    grid.flush();
    return grid;
}

} // namespace

TEST(Grid, ColumnsRowsCellsAndColours)
{
    Grid grid;
    threeByTwo(grid);
    EXPECT_EQ(grid.Columns(), 2);
    EXPECT_EQ(grid.ColumnIndex(QStringLiteral("k2")), 2);
    EXPECT_EQ(grid.ColumnIndex(QStringLiteral("none")), 0);
    EXPECT_EQ(grid.ColumnHeader(2), QStringLiteral("Two"));
    EXPECT_EQ(grid.ColumnAlignment(2), int(Grid::AlignCenter));
    EXPECT_EQ(grid.view()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("One"));

    EXPECT_EQ(grid.CellText(2, 1), QStringLiteral("r2c1"));
    EXPECT_EQ(grid.CellText(9, 1), QString());
    EXPECT_EQ(grid.CellText(1, 9), QString());
    EXPECT_EQ(grid.CellBackColor(1, 1), -1);
    grid.setCellBackColor(1, 2, 0x0000FF);
    EXPECT_EQ(grid.CellBackColor(1, 2), 0x0000FF);
    grid.flush();
    EXPECT_EQ(grid.view()->model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(Grid::toQColor(0xB8F9AC), QColor(0xAC, 0xF9, 0xB8));
    EXPECT_EQ(Grid::colorValue(QColor(0xAC, 0xF9, 0xB8)), 0xB8F9AC);

    EXPECT_EQ(grid.AddRow(), 4u);
    grid.RemoveRow(1);
    EXPECT_EQ(grid.Rows(), 3u);
    EXPECT_EQ(grid.CellText(1, 1), QStringLiteral("r2c1"));
    grid.setColumnWidth(1, 0);
    grid.setColumnVisible(1, false);
    EXPECT_FALSE(grid.ColumnVisible(1));
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 0u);
    EXPECT_EQ(grid.Columns(), 2);
}

TEST(Grid, ChangesAreShownInBatches)
{
    Grid grid;
    threeByTwo(grid);
    QAbstractItemModel *model = grid.view()->model();
    for (int i = 0; i < 50; ++i)
        grid.AddRow();
    EXPECT_EQ(grid.Rows(), 53u);
    EXPECT_EQ(model->rowCount(), 3) << "not shown row by row";
    grid.flush();
    EXPECT_EQ(model->rowCount(), 53);

    grid.setRedraw(false);
    grid.setRows(5);
    QApplication::processEvents();
    EXPECT_EQ(model->rowCount(), 53) << "nothing while redrawing is off";
    grid.setRedraw(true);
    EXPECT_EQ(model->rowCount(), 5);
}

TEST(Grid, EditingIsAskedEndedAndAbandoned)
{
    Grid grid;
    threeByTwo(grid);
    EditLog log(grid);
    EXPECT_FALSE(grid.Editable());
    grid.StartEdit(2, 2, 'x');
    EXPECT_FALSE(grid.isEditing());
    EXPECT_TRUE(log.take().empty());

    grid.setEditable(true);
    grid.StartEdit(2, 2, 'x');
    EXPECT_EQ(grid.EditRow(), 2u);
    EXPECT_EQ(grid.EditCol(), 2);
    grid.EndEdit();
    EXPECT_FALSE(grid.isEditing());
    EXPECT_EQ(log.take(), (std::vector<std::string>{"request 2,2 120", "ending 2,2", "closed"}));

    grid.StartEdit(1, 1, 0);
    grid.CancelEdit();
    grid.EndEdit();
    EXPECT_EQ(log.take(), (std::vector<std::string>{"request 1,1 0", "closed"}));

    log.refuse = true;
    grid.StartEdit(3, 1, 0);
    EXPECT_FALSE(grid.isEditing());
    log.refuse = false;
    log.take();

    // A second edit ends the first; F2 and a typed key ask for one; a click elsewhere ends it.
    grid.show();
    grid.StartEdit(1, 2, 0);
    grid.setSelected(3, 1);
    EXPECT_EQ(log.take(), (std::vector<std::string>{"request 1,2 0", "ending 1,2", "closed"}));
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(grid.view(), &f2);
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, QStringLiteral("q"));
    QApplication::sendEvent(grid.view(), &typed);
    const QPoint inside = grid.view()->visualRect(grid.view()->model()->index(0, 0)).center();
    QMouseEvent press(QEvent::MouseButtonPress, inside, grid.view()->viewport()->mapToGlobal(inside),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.view()->viewport(), &press);
    EXPECT_EQ(log.take(), (std::vector<std::string>{"request 3,1 0", "ending 3,1", "closed", "request 3,1 113",
                                                    "ending 3,1", "closed"}));

    // A double click is announced, then asks for an edit of its cell.
    emit grid.view()->doubleClicked(grid.view()->model()->index(1, 1));
    EXPECT_EQ(log.take(), (std::vector<std::string>{"dblclick", "request 2,2 0"}));
}

TEST(Grid, ShowsAnotherSource)
{
    struct Column : GridSource {
        size_t rowCount() const override { return names.size(); }
        void setRowCount(size_t rows) override { names.resize(qsizetype(rows)); }
        QString cellText(size_t row, int) const override { return names.value(qsizetype(row) - 1); }
        void setCellText(size_t row, int, const QString &text) override { names[qsizetype(row) - 1] = text; }
        int64_t cellBackColor(size_t, int) const override { return 0xFFFFFF; }
        void setCellBackColor(size_t, int, int64_t) override {}
        void removeRow(size_t row) override { names.removeAt(qsizetype(row) - 1); }
        QStringList names{"a", "b"};
    } source;
    Grid grid;
    grid.AddColumn(QStringLiteral("1"), QStringLiteral("Name"));
    grid.setSource(&source);
    grid.flush();
    EXPECT_EQ(grid.view()->model()->rowCount(), 2);
    grid.setCellText(2, 1, QStringLiteral("B"));
    EXPECT_EQ(source.names, QStringList({"a", "B"}));
    source.names << "c";
    grid.sourceRowsReset();
    grid.flush();
    EXPECT_EQ(grid.view()->model()->index(2, 0).data().toString(), QStringLiteral("c"));
    grid.setSource(nullptr);
    EXPECT_EQ(grid.Rows(), 0u);
}

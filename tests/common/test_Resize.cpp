// Proportional resizing: percentages of the recorded inner size, applied to recorded geometry.
#include "Resize.h"

#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

using namespace common;

namespace {

// A form of `w` x `h` pixels with one button at the given pixel geometry.
struct Form {
    QWidget form;
    QPushButton *button;

    Form(const char *name, QRect at, QSize size = {400, 300})
    {
        form.setObjectName(QLatin1String(name));
        form.resize(size);
        button = new QPushButton(&form);
        button->setObjectName(QStringLiteral("cmdGo"));
        button->setGeometry(at);
    }
};

} // namespace

TEST(ResizeForm, FirstResizeRecordsThenScalesByWholePercentages)
{
    ResizeTables tables;
    // 300 twips = 20 px, 1200 twips = 80 px.
    Form f("frmA", QRect(20, 10, 80, 30));
    ResizeForm(&f.form, tables);
    EXPECT_EQ(f.button->geometry(), QRect(20, 10, 80, 30));
    ASSERT_EQ(tables.ResizeControls.size(), 1u);
    EXPECT_EQ(tables.ResizeControls[0].Left, 300);
    EXPECT_EQ(tables.ResizeControls[0].Width, 1200);
    EXPECT_EQ(tables.ResizeControls[0].FormName, QStringLiteral("frmA"));

    f.form.resize(800, 300);
    ResizeForm(&f.form, tables);
    EXPECT_EQ(f.button->geometry(), QRect(40, 10, 160, 30));

    // Shrunk to two thirds of the recorded width: 66 percent, so 900 twips become 594.
    f.button->resize(60, 30);
    Form g("frmB", QRect(0, 0, 60, 30), {300, 300});
    ResizeForm(&g.form, tables);
    g.form.resize(200, 300);
    EXPECT_EQ(WidthPercent(&g.form, tables), 66);
    ResizeForm(&g.form, tables);
    EXPECT_EQ(g.button->width(), qRound(594 / 15.0));
}

TEST(ResizeForm, HiddenTabPageKeepsItsShift)
{
    ResizeTables tables;
    // True left 300 twips, parked 75000 twips to the left.
    Form f("frmTabs", QRect((300 - 75000) / 15, 0, 40, 20));
    ResizeForm(&f.form, tables);
    EXPECT_EQ(tables.ResizeControls[0].Left, 300);
    f.form.resize(600, 300);
    ResizeForm(&f.form, tables);
    EXPECT_EQ(f.button->x(), (450 - 75000) / 15);
}

TEST(ResizeForm, ParkedWindowIsNeitherRecordedNorMoved)
{
    ResizeTables tables;
    Form f("frmParked", QRect(20, 10, 80, 30));
    f.form.move(0, 2000); // 30000 twips
    ResizeForm(&f.form, tables);
    f.form.resize(800, 600);
    ResizeForm(&f.form, tables);
    EXPECT_TRUE(tables.ResizeForms.empty());
    EXPECT_EQ(f.button->geometry(), QRect(20, 10, 80, 30));
}

TEST(ResizeForm, ReopenedWindowKeepsItsFirstRecord)
{
    ResizeTables tables;
    {
        Form first("frmLog", QRect(20, 10, 80, 30));
        ResizeForm(&first.form, tables);
    }
    // The window comes back with its control elsewhere: the first record still rules.
    Form again("frmLog", QRect(100, 100, 10, 10));
    again.form.resize(800, 600);
    ResizeForm(&again.form, tables);
    EXPECT_EQ(tables.ResizeForms.size(), 1u);
    EXPECT_EQ(again.button->geometry(), QRect(40, 20, 160, 60));
}

TEST(ResizeForm, ControlArrayMembersHaveTheirOwnRecords)
{
    ResizeTables tables;
    Form f("frmArr", QRect(20, 10, 80, 30));
    f.button->setProperty("Index", 0);
    auto *second = new QPushButton(&f.form);
    second->setObjectName(QStringLiteral("cmdGo"));
    second->setProperty("Index", 1);
    second->setGeometry(200, 10, 40, 30);
    ResizeForm(&f.form, tables);
    f.form.resize(800, 300);
    ResizeForm(&f.form, tables);
    EXPECT_EQ(f.button->x(), 40);
    EXPECT_EQ(second->x(), 400);
    EXPECT_EQ(second->width(), 80);
}

#include "ListInputFixture.h"

#include <QLineEdit>

using namespace filelist;
using namespace listinput;

namespace {

/** The list of ListInput with check boxes and in-place editing, as the main window has it. */
class ListKeys : public ListInput {
protected:
    void SetUp() override
    {
        ListInput::SetUp();
        list().setCheckboxes(true);
        list().setAllowItemEdit(true);
        list().SortCustom(1, true, 0);
        QApplication::processEvents();
        view()->setFocus();
    }
    QLineEdit *box() { return widget.EditBox(); }
    /** A key pressed and released where the keyboard is. */
    static void press(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, Qt::Key(key), modifiers);
    }
    QList<bool> checks()
    {
        QList<bool> out;
        for (int32_t i = 1; i <= list().FileItemCount(); ++i)
            out << list().checked(i);
        return out;
    }
};

} // namespace

TEST_F(ListKeys, AfterACellClickTheArrowsAndSpaceAreTheLists)
{
    QList<int32_t> ticked;
    QObject::connect(&list(), &ListViewEditable::ItemCheck, [&](int32_t row) { ticked << row; });
    struct Case {
        const char *what;
        int column;
        bool boxOpens;
    };
    const Case cases[] = {
        {"Name", 0, false}, {"Path", 1, false}, {"Size", 2, true}, {"Type", 3, true}, {"a date", 4, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        list().setCheckedAll(false);
        ticked.clear();
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(1, c.column));
        ASSERT_EQ(list().SelectedItem(), 1);
        EXPECT_EQ(box()->isVisible(), c.boxOpens);
        EXPECT_EQ(QApplication::focusWidget(), view()) << "the box does not take the focus";
        if (c.boxOpens) {
            EXPECT_TRUE(box()->geometry().contains(viewport()->mapTo(&widget, cellCenter(1, c.column))))
                << "the box lies over the clicked cell";
        }

        // Space ticks the clicked row, and again unticks it.
        press(Qt::Key_Space);
        EXPECT_EQ(checks(), QList<bool>({true, false, false, false}));
        press(Qt::Key_Space);
        EXPECT_EQ(checks(), QList<bool>({false, false, false, false}));

        // Down moves to the next row; the box of the row left ends; Space ticks the new row.
        press(Qt::Key_Down);
        EXPECT_EQ(list().SelectedItem(), 2);
        EXPECT_FALSE(box()->isVisible()) << "no box stays on the row left";
        EXPECT_EQ(QApplication::focusWidget(), view());
        press(Qt::Key_Space);
        EXPECT_EQ(checks(), QList<bool>({false, true, false, false}));
        EXPECT_EQ(ticked, QList<int32_t>({1, 1, 2})) << "each tick is reported as a click on the box would be";
    }
}

TEST_F(ListKeys, TheBoxTakesTheKeysOnlyOnceClickedInto)
{
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(2, 3));
    ASSERT_TRUE(box()->isVisible());
    // Tab passes the box by; typing goes to the list (its type-ahead), not into the box.
    press(Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), box());
    view()->setFocus();
    press(Qt::Key_X);
    EXPECT_EQ(box()->text(), "Text Document");
    EXPECT_EQ(list().Cell(2, 4), "Text Document");

    QTest::mouseClick(box(), Qt::LeftButton, {}, box()->rect().center());
    EXPECT_EQ(QApplication::focusWidget(), box());
    press(Qt::Key_End);
    press(Qt::Key_S);
    EXPECT_EQ(box()->text(), "Text Documents");
}

TEST_F(ListKeys, EnterCommitsAndGivesTheListItsKeys)
{
    QStringList events;
    QObject::connect(&list(), &ListViewEditable::BeforeItemEdit,
                     [&](bool &, int32_t &i, int32_t &s, QString &o, QString &n) {
                         events << QStringLiteral("%1:%2 %3>%4").arg(i).arg(s).arg(o, n);
                     });
    struct Case {
        const char *what;
        Qt::Key key;
        QString cell;
        QStringList events;
    };
    const Case cases[] = {
        {"Enter", Qt::Key_Return, "Notes", {"1:3 Text Document>Notes"}},
        {"Enter on the keypad", Qt::Key_Enter, "Notes", {"1:3 Text Document>Notes"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        list().ListItems().SetSubItem(1, 3, "Text Document");
        list().setCheckedAll(false);
        events.clear();
        QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(1, 3));
        ASSERT_TRUE(box()->isVisible());
        QTest::mouseClick(box(), Qt::LeftButton, {}, box()->rect().center());
        ASSERT_EQ(QApplication::focusWidget(), box());
        press(Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "Notes");
        press(c.key);
        EXPECT_EQ(list().Cell(1, 4), c.cell);
        EXPECT_EQ(events, c.events);
        EXPECT_FALSE(box()->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), view());

        // The list has its keys again: Space ticks the row, Down and Space the next one.
        press(Qt::Key_Space);
        EXPECT_EQ(checks(), QList<bool>({true, false, false, false}));
        press(Qt::Key_Down);
        press(Qt::Key_Space);
        EXPECT_EQ(checks(), QList<bool>({true, true, false, false}));
        EXPECT_EQ(list().Cell(1, 4), c.cell) << "nothing more was written as the box lost the focus";
        EXPECT_EQ(events, c.events);
    }
}

TEST_F(ListKeys, ClickingAnotherRowCommitsTheTyping)
{
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(1, 3));
    QTest::mouseClick(box(), Qt::LeftButton, {}, box()->rect().center());
    press(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "Notes");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, cellCenter(3, 0));
    EXPECT_EQ(list().Cell(1, 4), "Notes");
    EXPECT_FALSE(box()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), view());
    press(Qt::Key_Space);
    EXPECT_EQ(checks(), QList<bool>({false, false, true, false}));
}

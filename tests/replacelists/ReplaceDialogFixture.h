#pragma once
// The replace-list dialogs wired to a rename window as the program wires them, and the moves a
// user makes in them: buttons clicked, cells clicked and double-clicked, keys typed into the
// editor that has the focus, context-menu items clicked.
#include "ComboInput.h"
#include "Grid.h"
#include "RenamerFixture.h"
#include "ReplaceListDialogs.h"
#include "TokenPickers.h"
#include "frmExtReplace.h"
#include "frmMain.h"
#include "frmSReplace.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTest>

namespace replacelisttest {

using replacelists::frmExtReplace;
using replacelists::frmSReplace;

class ReplaceDialogFixture : public renamewintest::RenamerFixture {
protected:
    static constexpr int ExtensionRow = 10;

    /** The rename window, shown, with its replace-list dialogs. */
    renamewin::frmRenamer &renamer()
    {
        renamewin::frmRenamer &w = window();
        if (!lists) {
            lists = new replacelists::ReplaceListDialogs(app, w, mainWindow, tokenPickers);
            w.show();
        }
        return w;
    }

    /** "Replace Options" of the Replace panel. */
    frmSReplace *openStrings()
    {
        selectAction(0);
        click(renamer().Command2);
        return shown(lists->strings());
    }
    /** "Replace With" of the Extension panel. */
    frmExtReplace *openExtensions()
    {
        selectAction(ExtensionRow);
        click(renamer().Command3);
        return shown(lists->extensions());
    }
    /** Clicks the action's row in the action list, which shows its panel. */
    void selectAction(int row)
    {
        QListWidget *list = renamer().List3;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        ASSERT_EQ(list->currentRow(), row);
    }
    template <class D>
    static D *shown(D *dialog)
    {
        EXPECT_TRUE(dialog && dialog->isVisible());
        if (dialog) {
            dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        }
        return dialog;
    }
    /** Lets a closed dialog be deleted. */
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static void click(QAbstractButton *button)
    {
        ASSERT_TRUE(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    static QPoint cellPoint(const frmSReplace &d, int row, int col)
    {
        QTableView *view = d.GridR->view();
        return view->visualRect(view->model()->index(row - 1, col - 1)).center();
    }
    static void clickCell(frmSReplace &d, int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(d.GridR->view()->viewport(), button, {}, cellPoint(d, row, col));
    }
    /** The events of a double click as the window system delivers them: press, release,
     *  press, double click, release. */
    static void dblClickCell(frmSReplace &d, int row, int col)
    {
        QWidget *viewport = d.GridR->view()->viewport();
        const QPoint at = cellPoint(d, row, col);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mousePress(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }
    static QWidget *focus() { return QApplication::focusWidget(); }
    static void type(const QString &text) { QTest::keyClicks(focus(), text); }
    static void key(Qt::Key k) { QTest::keyClick(focus(), k); }
    /** Double-clicks the cell, types `text` over it and presses Enter. */
    static void editCell(frmSReplace &d, int row, int col, const QString &text)
    {
        dblClickCell(d, row, col);
        ASSERT_TRUE(d.editorOf(col)->isVisible());
        type(text);
        key(Qt::Key_Return);
    }
    /** Fills rows from the first on, cell by cell, as a user types them. */
    static void typeRows(frmSReplace &d, const std::vector<ReplaceListEntry> &rows)
    {
        for (size_t k = 0; k < rows.size(); ++k) {
            const int row = int(k) + 1;
            editCell(d, row, 2, rows[k].FromString);
            editCell(d, row, 3, rows[k].ToString);
            if (rows[k].MatchCase != d.GridR->CellText(size_t(row), 1))
                editCell(d, row, 1, rows[k].MatchCase);
        }
    }
    static std::vector<ReplaceListEntry> gridRows(const frmSReplace &d, int count)
    {
        std::vector<ReplaceListEntry> out;
        for (int row = 1; row <= count; ++row)
            out.push_back({d.GridR->CellText(size_t(row), 1), d.GridR->CellText(size_t(row), 2),
                           d.GridR->CellText(size_t(row), 3)});
        return out;
    }
    /** Right-clicks the cell and clicks the context-menu item `index`. */
    static void contextMenu(frmSReplace &d, int row, int col, int index)
    {
        clickCell(d, row, col, Qt::RightButton);
        ASSERT_TRUE(d.mnuContextTOP->isVisible());
        QAction *item = d.mnuContext[size_t(index)];
        QTest::mouseClick(d.mnuContextTOP, Qt::LeftButton, {},
                          d.mnuContextTOP->actionGeometry(item).center());
        EXPECT_FALSE(d.mnuContextTOP->isVisible());
    }
    /** Opens the drop-down list with a click on the combo's arrow and chooses its item `text`. */
    static void chooseItem(QComboBox *combo, const QString &text) { comboinput::chooseItem(combo, text); }

    /** The main window the dialogs are wired to, when a test has one. */
    mainwin::frmMain *mainWindow = nullptr;
    /** The token pickers the dialogs open, when a test has them. */
    renamewin::TokenPickers *tokenPickers = nullptr;
    replacelists::ReplaceListDialogs *lists = nullptr;
};

} // namespace replacelisttest

// The properties dialog driven as a user drives it: clicks, typing and its buttons.
#include "ListPropertiesDialog.h"
#include "ListViewEditable.h"
#include "ListViewEditableWidget.h"
#include "MessageService.h"
#include "Dialogs.h"
#include "pagColumnHeaders.h"
#include "pagFileSearch.h"
#include "pagGeneral.h"
#include "pagHighlightColumn.h"
#include "pagSort.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTreeView>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace filelist;

namespace {

struct Dialog {
    ListViewEditable control;
    RecordingMessageService messages;
    RecordingDialogs folders;
    std::unique_ptr<ListPropertiesDialog> dialog;
    std::unique_ptr<QSignalSpy> written;

    explicit Dialog(const std::function<void(ListViewEditable &)> &setup = {})
    {
        control.UserControl_InitProperties();
        control.setDialogs(&folders);
        if (setup)
            setup(control);
        dialog = std::make_unique<ListPropertiesDialog>(control, messages);
        dialog->show();
        QApplication::processEvents();
        written = std::make_unique<QSignalSpy>(&control, &ListViewEditable::PropertyChanged);
    }

    template <class Page>
    Page *page()
    {
        for (PropertyPage *p : dialog->Pages()) {
            if (auto *found = qobject_cast<Page *>(p)) {
                dialog->tabPages->setCurrentWidget(found);
                QApplication::processEvents();
                return found;
            }
        }
        return nullptr;
    }

    QStringList writtenNames() const
    {
        QStringList names;
        for (const QList<QVariant> &args : *written)
            names << args.at(0).toString();
        return names;
    }

    QPushButton *button(QDialogButtonBox::StandardButton which)
    {
        return dialog->findChild<QDialogButtonBox *>()->button(which);
    }
};

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

void clickCheck(QCheckBox *box)
{
    // The box's indicator, where a user clicks.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

void retype(QLineEdit *box, const QString &text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

// Picks a combo entry through its open list, with the keyboard.
void pick(QComboBox *combo, int row)
{
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Home);
    for (int i = 0; i < row; ++i)
        QTest::keyClick(combo, Qt::Key_Down);
}

} // namespace

TEST(ListPropertiesDialog, SortSwitchEnablesItsEditorsAndKeysRoundHalfToEven)
{
    struct Case {
        const char *typed;
        int16_t key;
    } cases[] = {{"2.5", 2}, {"3.5", 4}, {"abc", 0}, {" 1x", 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        Dialog d([](ListViewEditable &l) { l.setSortKey(3); });
        auto *page = d.page<pagSort>();
        for (QWidget *w : {static_cast<QWidget *>(page->cboProp(0)), static_cast<QWidget *>(page->txtProp(0)),
                           static_cast<QWidget *>(page->lblProp(0)), static_cast<QWidget *>(page->lblProp(1))})
            EXPECT_FALSE(w->isEnabled());
        clickCheck(page->chkProp(0));
        EXPECT_TRUE(page->txtProp(0)->isEnabled());
        EXPECT_TRUE(page->lblProp(1)->isEnabled());
        clickCheck(page->chkProp(0));
        clickCheck(page->chkProp(0));
        retype(page->txtProp(0), QString::fromUtf8(c.typed));
        click(d.dialog->cmdApply());
        EXPECT_EQ(d.control.SortKey(), c.key);
        EXPECT_TRUE(d.control.Sorted());
    }
}

TEST(ListPropertiesDialog, OnlyChangedValuesAreWritten)
{
    Dialog d;
    EXPECT_FALSE(d.dialog->cmdApply()->isEnabled());
    auto *general = d.page<pagGeneral>();
    pick(general->cboProp(1), 2); // 2 - lvwList
    clickCheck(general->chkProp(9)); // GridLines
    clickCheck(general->chkProp(8));
    clickCheck(general->chkProp(8)); // FullRowSelect back as loaded
    ASSERT_TRUE(d.dialog->cmdApply()->isEnabled());
    click(d.dialog->cmdApply());
    QStringList names = d.writtenNames();
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("GridLines"), QStringLiteral("View")}));
    EXPECT_EQ(d.control.View(), 2);
    EXPECT_TRUE(d.control.GridLines());
    EXPECT_FALSE(d.dialog->cmdApply()->isEnabled());
    EXPECT_TRUE(general->chkProp(17)->isHidden());
}

TEST(ListPropertiesDialog, HighlightSwitchAndRevert)
{
    // Sizing type 0 while the band is off (the band on column 1 always sizes by icon).
    Dialog d([](ListViewEditable &l) { l.setSizingType(0); });
    auto *page = d.page<pagHighlightColumn>();
    EXPECT_FALSE(page->cmdDo(0)->isEnabled());
    EXPECT_FALSE(page->lblProp(1)->isEnabled());
    EXPECT_FALSE(page->cboProp(2)->isEnabled());
    EXPECT_TRUE(page->findChild<QGroupBox *>(QStringLiteral("fraHighlightColumn"))->isEnabled());
    EXPECT_TRUE(page->chkProp(0)->isEnabled());
    clickCheck(page->chkProp(0));
    EXPECT_TRUE(page->cmdDo(0)->isEnabled());
    EXPECT_TRUE(page->lblProp(1)->isEnabled());
    click(page->cmdDo(0));
    click(d.dialog->cmdApply());
    // Only the sizing type differed from the defaults the revert put back.
    const QStringList names = d.writtenNames();
    EXPECT_TRUE(names.contains(QStringLiteral("SizingType"))) << names.join(u',').toStdString();
    for (const char *kept : {"DefaultColor", "HighlightColor", "CurrrentHighlightColumn", "ColumnHeadersText"})
        EXPECT_FALSE(names.contains(QLatin1String(kept))) << kept;
    EXPECT_EQ(d.control.SizingType(), 2);
}

TEST(ListPropertiesDialog, FileSearchTypesBrowseAndARefusedApply)
{
    Dialog d([](ListViewEditable &l) { l.setFileSpec(QStringLiteral("*.jpg;*.gif")); });
    auto *page = d.page<pagFileSearch>();
    EXPECT_EQ(page->cboProp(0)->currentIndex(), -1);
    EXPECT_EQ(page->txtProp(1)->text(), QStringLiteral("*.jpg;*.gif"));
    pick(page->cboProp(0), 10); // Jpg Files (*.jpg)
    EXPECT_EQ(page->txtProp(1)->text(), QStringLiteral("*.jpg"));

    d.folders.answers = {QString(), QStringLiteral("/srv/a|b=c/")};
    click(page->cmdDo(0));
    EXPECT_EQ(page->txtProp(0)->text(), QStringLiteral("/"));
    click(page->cmdDo(0));
    EXPECT_EQ(d.folders.asked.last(), QStringLiteral("Select the search directory for *.jpg;*.gif."));
    EXPECT_EQ(page->txtProp(0)->text(), QStringLiteral("/srv/a|b=c/"));

    // A frequency that is no number refuses the whole apply; nothing is written, on any page.
    retype(page->txtProp(2), QStringLiteral("often"));
    auto *sort = d.page<pagSort>();
    clickCheck(sort->chkProp(0));
    click(d.dialog->cmdApply());
    ASSERT_EQ(d.messages.shown.size(), 1u);
    EXPECT_EQ(d.messages.shown[0].prompt, QStringLiteral("UpdateFrequency: Type mismatch"));
    EXPECT_TRUE(d.writtenNames().isEmpty());
    EXPECT_EQ(d.dialog->tabPages->currentWidget(), page);

    retype(page->txtProp(2), QStringLiteral("250"));
    click(d.button(QDialogButtonBox::Ok));
    EXPECT_EQ(d.control.FileSpec(), QStringLiteral("*.jpg"));
    EXPECT_EQ(d.control.Path(), QStringLiteral("/srv/a|b=c/"));
    EXPECT_EQ(d.control.UpdateFrequency(), 250);
    EXPECT_TRUE(d.control.Sorted());
    EXPECT_FALSE(d.dialog->isVisible());
}

TEST(ListPropertiesDialog, ColumnHeadersEditInsertRemove)
{
    Dialog d;
    auto *page = d.page<pagColumnHeaders>();
    EXPECT_EQ(page->txtProp(1)->text(), QStringLiteral("              Name"));
    EXPECT_EQ(page->txtProp(2)->text(), QStringLiteral("2100"));
    retype(page->txtProp(2), QStringLiteral("12a"));
    EXPECT_EQ(page->WorkingCopy().Item(1).Width, 12.0f);
    retype(page->txtProp(2), QString());
    EXPECT_EQ(page->WorkingCopy().Item(1).Width, 0.0f);

    // Removing the last of five shows column 4; removing all leaves only "Insert New(&N)".
    page->hsbIndex->setValue(5);
    click(page->cmdDo(2));
    EXPECT_EQ(page->txtProp(0)->text(), QStringLiteral("4"));
    EXPECT_EQ(page->txtProp(1)->text(), QStringLiteral("Type"));
    for (int i = 0; i < 4; ++i)
        click(page->cmdDo(2));
    EXPECT_EQ(page->WorkingCopy().Count(), 0);
    EXPECT_FALSE(page->txtProp(1)->isEnabled());
    EXPECT_FALSE(page->cmdDo(2)->isEnabled());
    EXPECT_TRUE(page->cmdDo(1)->isEnabled());
    EXPECT_TRUE(page->lblProp(1)->isEnabled());
    click(page->cmdDo(1));
    ASSERT_EQ(page->WorkingCopy().Count(), 1);
    EXPECT_EQ(page->txtProp(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(page->txtProp(1)->text(), QString());
    EXPECT_EQ(page->txtProp(2)->text(), QStringLiteral("1500"));
    // Nothing has reached the control yet.
    EXPECT_EQ(d.control.ColumnHeaders().size(), 5u);

    retype(page->txtProp(1), QStringLiteral("Bad|Name"));
    click(d.button(QDialogButtonBox::Ok));
    ASSERT_EQ(d.messages.shown.size(), 1u);
    EXPECT_TRUE(d.dialog->isVisible());
    EXPECT_EQ(d.control.ColumnHeaders().size(), 5u);

    retype(page->txtProp(1), QStringLiteral("Only"));
    click(page->cmdDo(1)); // inserted before column 1, which moves to 2
    EXPECT_EQ(page->txtProp(0)->text(), QStringLiteral("2"));
    EXPECT_EQ(page->txtProp(1)->text(), QStringLiteral("Only"));
    click(d.button(QDialogButtonBox::Ok));
    ASSERT_EQ(d.control.ColumnHeaders().size(), 2u);
    EXPECT_EQ(d.control.ColumnHeaders()[1].Text, QStringLiteral("Only"));
    const QString text = d.control.ColumnHeadersText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("\r\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    EXPECT_FALSE(text.contains(QStringLiteral("Level=0")));
}

TEST(ListPropertiesDialog, CancelWritesNothing)
{
    Dialog d;
    auto *columns = d.page<pagColumnHeaders>();
    click(columns->cmdDo(2));
    auto *general = d.page<pagGeneral>();
    clickCheck(general->chkProp(9));
    click(d.button(QDialogButtonBox::Cancel));
    EXPECT_TRUE(d.writtenNames().isEmpty());
    EXPECT_EQ(d.control.ColumnHeaders().size(), 5u);
}

TEST(ListPropertiesDialog, ThePopupMenuOpensItOverTheList)
{
    ListViewEditableWidget widget;
    RecordingMessageService messages;
    widget.control().UserControl_InitProperties();
    widget.control().setMessages(&messages);
    widget.control().setAutoPopupMenu(true);
    widget.resize(400, 300);
    widget.show();
    QApplication::processEvents();
    bool edited = false;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction *properties = menu->findChild<QAction *>(QStringLiteral("mnuProperties"));
        ASSERT_NE(properties, nullptr);
        EXPECT_EQ(properties->text(), QStringLiteral("&Properties..."));
        // The pages yield once while they load, so the dialog is looked for until it shows.
        std::function<void()> whenShown = [&] {
            auto *dialog = widget.findChild<ListPropertiesDialog *>();
            if (!dialog || !dialog->isVisible()) {
                QTimer::singleShot(10, whenShown);
                return;
            }
            EXPECT_TRUE(dialog->isModal());
            auto *general = qobject_cast<pagGeneral *>(dialog->tabPages->currentWidget());
            ASSERT_NE(general, nullptr);
            pick(general->cboProp(1), 2);
            click(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
            edited = true;
        };
        QTimer::singleShot(0, whenShown);
        menu->close();
        properties->trigger();
    });
    QTest::mouseClick(widget.ListView()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(edited);
    EXPECT_EQ(widget.control().View(), 2);
}

TEST(ListPropertiesDialog, TabsAndFramesCarryThePagesCaptions)
{
    Dialog d;
    QStringList tabs;
    for (int i = 0; i < d.dialog->tabPages->count(); ++i)
        tabs << d.dialog->tabPages->tabText(i);
    EXPECT_EQ(tabs, QStringList({"General", "Sorting", "Column Highliting", "Column Headers", "File Search"}));
    struct Frame {
        const char *name;
        const char *caption;
    };
    const Frame frames[] = {
        {"fraSort", "Sorting"},
        {"fraHighlightColumn", "Column Highlighting"},
        {"fraFileSearch", "File Search && DragDrop"},
    };
    for (const Frame &f : frames) {
        SCOPED_TRACE(f.name);
        auto *frame = d.dialog->findChild<QGroupBox *>(QLatin1String(f.name));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->title(), QLatin1String(f.caption));
    }
}

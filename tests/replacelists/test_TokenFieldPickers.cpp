// The replace-list dialogs' token fields with the program's token pickers: the in-cell field
// stays over its cell until its picker has written the cell, the extension field outside the
// grid gets its token alone, and a dialog closed (or an edit moved on) while a picker is open
// leaves the picker nothing to write into.
#include "FormatPicker.h"
#include "FramedPlacement.h"
#include "ReplaceDialogFixture.h"
#include "TagListPicker.h"
#include "TokenPicker.h"
#include "frmRandom.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace replacelisttest;
using renamewin::PickerKind;

namespace {

class TokenFieldPickersTest : public ReplaceDialogFixture {
protected:
    void SetUp() override
    {
        ReplaceDialogFixture::SetUp();
        tokenPickers = &pickers;
    }
    void TearDown() override
    {
        form.reset();
        ReplaceDialogFixture::TearDown();
    }

    /** The kinds of the open pickers. */
    std::vector<PickerKind> openKinds() const
    {
        std::vector<PickerKind> open;
        for (int k = 0; k < renamewin::PickerKindCount; ++k) {
            if (pickers.openPicker(PickerKind(k)))
                open.push_back(PickerKind(k));
        }
        return open;
    }
    template <class Picker>
    Picker *picker(PickerKind kind)
    {
        auto *p = qobject_cast<Picker *>(pickers.openPicker(kind));
        EXPECT_NE(p, nullptr) << "picker " << int(kind) << " open";
        return p;
    }
    /** The picker sits centred under `field`, its top at the field's bottom. */
    static void expectUnder(const QWidget *picker, const QWidget *field)
    {
        EXPECT_EQ(picker->pos(), common::PlaceUnder(field, picker->frameGeometry().size()));
    }
    /** Starts editing the To String cell of `row` (its From String filled first). */
    static void editToString(frmSReplace &d, int row)
    {
        editCell(d, row, 2, QStringLiteral("from"));
        dblClickCell(d, row, 3);
        ASSERT_TRUE(d.cmbToR->isVisible());
    }
    /** Chooses `item` of a date or time picker's list. */
    static void chooseFormat(renamewin::FormatPicker *p, const QString &item)
    {
        p->activateWindow();
        chooseItem(p->cmbFirst, item);
    }
    static void clickRow(renamewin::TagListPicker *p, const QString &text)
    {
        QListWidget *list = p->list1;
        QListWidgetItem *item = list->findItems(text, Qt::MatchExactly).value(0);
        ASSERT_TRUE(item) << text.toStdString();
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }

    renamewin::TokenPickers pickers{app};
};

} // namespace

TEST_F(TokenFieldPickersTest, ADatePickerWritesTheCellWhenItCloses)
{
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    editToString(*d, 2);
    chooseItem(d->cmbToR, QStringLiteral("$current_date$"));
    ASSERT_EQ(openKinds(), std::vector<PickerKind>{PickerKind::Date});
    auto *date = picker<renamewin::FormatPicker>(PickerKind::Date);
    expectUnder(date, d->cmbToR);

    // The field stays over its cell while the picker writes into it, whatever has the focus.
    chooseFormat(date, QStringLiteral("$dd_mm_yyyy$"));
    EXPECT_TRUE(d->cmbToR->isVisible());
    EXPECT_EQ(d->cmbToR->currentText(), QStringLiteral("$dd_mm_yyyy$"));

    click(date->Command1);
    settle();
    EXPECT_TRUE(openKinds().empty());
    EXPECT_FALSE(d->cmbToR->isVisible());
    EXPECT_EQ(d->GridR->CellText(2, 3), QStringLiteral("$dd_mm_yyyy$"));
    EXPECT_FALSE(app.TokenTargetGrid);

    click(d->cmdCScr);
    settle();
    ASSERT_EQ(app.ReplaceList.size(), 2u);
    EXPECT_EQ(app.ReplaceList[1], (ReplaceListEntry{"n", "from", "$dd_mm_yyyy$"}));
}

TEST_F(TokenFieldPickersTest, EachItemOfTheCellFieldAndWhatItOpens)
{
    struct Case {
        const char *item;
        std::optional<PickerKind> opens;
    };
    const Case cases[] = {
        {"$Counter$", {}},
        {"$Invert_Case$", {}},
        {"$filesizeKB$", {}},
        {"$foldername$", {}},
        {"$current_time$", PickerKind::Time},
        {"$modified_time$", PickerKind::Time},
        {"$modified_date$", PickerKind::Date},
        {"$Random String$", PickerKind::Random},
        {"$Exif Data$", PickerKind::Exif},
        {"$MP3 Data$", PickerKind::Mp3},
    };
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    int row = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        ++row;
        editToString(*d, row);
        chooseItem(d->cmbToR, QString::fromUtf8(c.item));
        if (!c.opens) {
            EXPECT_TRUE(openKinds().empty());
            key(Qt::Key_Return);
            EXPECT_EQ(d->GridR->CellText(size_t(row), 3), QString::fromUtf8(c.item));
            continue;
        }
        ASSERT_EQ(openKinds(), std::vector<PickerKind>{*c.opens});
        renamewin::TokenPicker *p = pickers.openPicker(*c.opens);
        expectUnder(p, d->cmbToR);
        // Closed with its close box, the picker writes nothing of its own: it hands the field's
        // text to the cell and ends the edit.
        d->cmbToR->setEditText(QStringLiteral("$written$"));
        p->close();
        settle();
        EXPECT_FALSE(d->cmbToR->isVisible());
        EXPECT_FALSE(d->GridR->isEditing());
        EXPECT_FALSE(app.TokenTargetGrid);
        EXPECT_EQ(d->GridR->CellText(size_t(row), 3), QStringLiteral("$written$"));
    }
}

TEST_F(TokenFieldPickersTest, TheExtensionFieldGetsItsTokenAndNoCellChanges)
{
    app.ExtReplaceList = {{"n", "jpeg", "jpg"}};
    frmExtReplace *e = openExtensions();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->cmbToR->count(), 4);
    click(e->Check2);
    chooseItem(e->cmbExtAll, QStringLiteral("$Counter$"));
    EXPECT_TRUE(openKinds().empty());
    EXPECT_EQ(e->cmbExtAll->currentText(), QStringLiteral("$Counter$"));

    chooseItem(e->cmbExtAll, QStringLiteral("$Exif Data$"));
    auto *exif = picker<renamewin::TagListPicker>(PickerKind::Exif);
    ASSERT_TRUE(exif);
    expectUnder(exif, e->cmbExtAll);
    clickRow(exif, QStringLiteral("Model"));
    EXPECT_EQ(e->cmbExtAll->currentText(), QStringLiteral("$Exif_Model"));
    click(exif->Command1);
    settle();
    EXPECT_TRUE(e->cmbExtAll->isVisible());
    EXPECT_EQ(gridRows(*e, 2), (std::vector<ReplaceListEntry>{{"n", "jpeg", "jpg"}, {}}));

    click(e->cmdCScr);
    settle();
    EXPECT_TRUE(app.ReplaceAllExt);
    EXPECT_EQ(app.ReplaceAllExtTo, QStringLiteral("$Exif_Model"));
    EXPECT_EQ(app.ExtReplaceList, (std::vector<ReplaceListEntry>{{"n", "jpeg", "jpg"}}));
}

TEST_F(TokenFieldPickersTest, AnItemTypedIntoTheExtensionFieldOpensNothing)
{
    frmExtReplace *e = openExtensions();
    ASSERT_TRUE(e);
    click(e->Check2);
    QApplication::setActiveWindow(e);  // focus moves only in the active window
    e->cmbExtAll->setFocus();
    ASSERT_TRUE(e->cmbExtAll->hasFocus());
    QTest::keyClicks(e->cmbExtAll, QStringLiteral("$Exif Data$"));
    QTest::keyClick(e->cmbExtAll, Qt::Key_Tab);
    EXPECT_FALSE(e->cmbExtAll->hasFocus());
    EXPECT_TRUE(openKinds().empty());
    EXPECT_EQ(e->cmbExtAll->currentText(), QStringLiteral("$Exif Data$"));
    // Chosen from the list, the item opens its picker, which writes nothing until a choice.
    chooseItem(e->cmbExtAll, QStringLiteral("$Exif Data$"));
    EXPECT_EQ(openKinds(), std::vector<PickerKind>{PickerKind::Exif});
    EXPECT_EQ(e->cmbExtAll->currentText(), QStringLiteral("$Exif Data$"));
}

TEST_F(TokenFieldPickersTest, ExtensionCellsOpenTheRandomAndExifPickersOnly)
{
    frmExtReplace *e = openExtensions();
    ASSERT_TRUE(e);
    editToString(*e, 1);
    chooseItem(e->cmbToR, QStringLiteral("$AlphaCounter$"));
    EXPECT_TRUE(openKinds().empty());
    chooseItem(e->cmbToR, QStringLiteral("$Random String$"));
    auto *random = picker<renamewin::frmRandom>(PickerKind::Random);
    ASSERT_TRUE(random);
    QTest::keyClicks(random->Text62, QStringLiteral("AA##"));
    click(random->Command1);
    settle();
    EXPECT_EQ(e->GridR->CellText(1, 3), QStringLiteral("$Rand$_AA##"));
    click(e->cmdCScr);
    EXPECT_EQ(app.ExtReplaceList, (std::vector<ReplaceListEntry>{{"n", "from", "$Rand$_AA##"}}));
}

TEST_F(TokenFieldPickersTest, APickerOutlivingItsCellWritesNowhere)
{
    enum class Ending { Cancel, OK, RenameWindowUnloads, AnotherEdit };
    struct Case {
        const char *what;
        Ending ending;
    };
    const Case cases[] = {
        {"Cancel", Ending::Cancel},
        {"OK", Ending::OK},
        {"the rename window's unloading", Ending::RenameWindowUnloads},
        {"an edit of another cell", Ending::AnotherEdit},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        app.ReplaceList = {{"n", "old", "kept"}};
        frmSReplace *d = openStrings();
        ASSERT_TRUE(d);
        QPointer<frmSReplace> alive = d;
        dblClickCell(*d, 1, 3);
        chooseItem(d->cmbToR, QStringLiteral("$current_time$"));
        auto *time = picker<renamewin::FormatPicker>(PickerKind::Time);
        ASSERT_TRUE(time);
        chooseFormat(time, QStringLiteral("$hour$"));

        switch (c.ending) {
        case Ending::Cancel:
            click(d->cmdQuit);
            break;
        case Ending::OK:
            click(d->cmdCScr);
            break;
        case Ending::RenameWindowUnloads:
            form.reset();
            lists = nullptr;
            break;
        case Ending::AnotherEdit:
            dblClickCell(*d, 1, 2);
            EXPECT_FALSE(d->cmbToR->isVisible());
            EXPECT_EQ(d->GridR->CellText(1, 3), QStringLiteral("$hour$"));
            break;
        }
        settle();
        EXPECT_FALSE(app.TokenTargetGrid);
        if (c.ending != Ending::AnotherEdit) {
            EXPECT_FALSE(alive);
        }

        // The picker goes on and closes: nothing of the dialog takes its token.
        chooseFormat(time, QStringLiteral("$min$"));
        click(time->Command1);
        settle();
        EXPECT_TRUE(openKinds().empty());
        if (alive) {
            EXPECT_EQ(alive->GridR->CellText(1, 3), QStringLiteral("$hour$"));
            EXPECT_TRUE(alive->txtEdit->isVisible());
            EXPECT_EQ(alive->txtEdit->text(), QStringLiteral("old"));
            click(alive->cmdQuit);
            settle();
        }
        const QString stored = c.ending == Ending::OK ? QStringLiteral("$hour$") : QStringLiteral("kept");
        EXPECT_EQ(app.ReplaceList, (std::vector<ReplaceListEntry>{{"n", "old", stored}}));
        renamer();
    }
}

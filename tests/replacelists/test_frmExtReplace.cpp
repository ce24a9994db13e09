// The extension replace-list dialog opened with the Extension panel's "Replace With": its two
// views, what OK, Cancel and a refused OK store, and the previews of "Replace" and "Extension"
// that use the lists the dialogs stored.
#include "ReplaceDialogFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace replacelisttest;

namespace {

class ExtensionDialogTest : public ReplaceDialogFixture {
protected:
    /** Which controls the dialog shows: the list view or the replace-all view. */
    static void expectView(frmExtReplace &e, bool all)
    {
        EXPECT_EQ(e.Check2->isChecked(), all);
        EXPECT_EQ(e.Check1->isEnabled(), !all);
        EXPECT_EQ(e.GridR->isVisible(), !all);
        EXPECT_EQ(e.cmbExtAll->isVisible(), all);
        EXPECT_TRUE(e.Label3->isVisibleTo(&e));
        for (QPushButton *button : {e.cmdClear, e.Command1, e.Command2})
            EXPECT_EQ(button->isVisible(), !all) << button->objectName().toStdString();
    }
    static void typeExtension(frmExtReplace &e, const QString &text)
    {
        QLineEdit *line = e.cmbExtAll->lineEdit();
        QTest::mouseClick(line, Qt::LeftButton, {}, line->rect().center());
        QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(line, Qt::Key_Backspace);
        QTest::keyClicks(line, text);
    }
    /** Checks the action at `row` of the action list and runs a preview; returns the new names. */
    QStringList preview(int row)
    {
        renamewin::frmRenamer &w = renamer();
        w.List3->item(row)->setCheckState(Qt::Checked);
        click(w.cmdPreview);
        QStringList names;
        for (size_t r = 1; r <= w.GridPre->Rows(); ++r)
            names << w.GridPre->CellText(r, 2);
        return names;
    }
    void listFiles(const QStringList &names)
    {
        for (const QString &name : names)
            addFile(name);
        renamer().Refreshrnm();
    }
};

} // namespace

TEST_F(ExtensionDialogTest, OpensInTheStoredModeAndCancelKeepsIt)
{
    struct Case {
        const char *what;
        bool all;
        QString to;
    };
    const Case cases[] = {
        {"list mode", false, {}},
        {"list mode with an extension kept from before", false, "bak"},
        {"replace-all mode", true, "bak"},
        {"replace-all mode without an extension", true, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        app.ReplaceAllExt = c.all;
        app.ReplaceAllExtTo = c.to;
        app.ExtReplaceList = {{"n", "jpeg", "jpg"}};
        frmExtReplace *e = openExtensions();
        ASSERT_TRUE(e);
        EXPECT_EQ(e->windowTitle(), QStringLiteral("Replace File Extensions"));
        expectView(*e, c.all);
        EXPECT_EQ(e->cmbExtAll->currentText(), c.to);
        EXPECT_EQ(e->GridR->CellText(1, 2), QStringLiteral("jpeg"));

        // Switching views changes nothing until OK; Cancel leaves mode, extension and list.
        click(e->Check2);
        expectView(*e, !c.all);
        EXPECT_EQ(app.ReplaceAllExt, c.all);
        if (!c.all)
            typeExtension(*e, QStringLiteral("tmp"));
        click(e->cmdQuit);
        settle();
        EXPECT_EQ(app.ReplaceAllExt, c.all);
        EXPECT_EQ(app.ReplaceAllExtTo, c.to);
        EXPECT_EQ(app.ExtReplaceList, (std::vector<ReplaceListEntry>{{"n", "jpeg", "jpg"}}));
    }
}

TEST_F(ExtensionDialogTest, OKStoresModeExtensionAndList)
{
    frmExtReplace *e = openExtensions();
    ASSERT_TRUE(e);
    EXPECT_EQ(e->cmbToR->count(), 4);
    EXPECT_EQ(e->cmbExtAll->count(), 4);
    EXPECT_EQ(e->cmbExtAll->itemText(3), QStringLiteral("$Exif Data$"));

    // The list is stored from the hidden grid in the replace-all view too.
    editCell(*e, 1, 2, QStringLiteral("jpeg"));
    editCell(*e, 1, 3, QStringLiteral("jpg"));
    click(e->Check2);
    typeExtension(*e, QStringLiteral("bak"));
    click(e->cmdCScr);
    settle();
    EXPECT_TRUE(app.ReplaceAllExt);
    EXPECT_EQ(app.ReplaceAllExtTo, QStringLiteral("bak"));
    EXPECT_EQ(app.ExtReplaceList, (std::vector<ReplaceListEntry>{{"n", "jpeg", "jpg"}}));

    // Back to the list: the typed extension is kept for the next time, the mode is the list's.
    e = openExtensions();
    expectView(*e, true);
    click(e->Check2);
    typeExtension(*e, QStringLiteral("old"));
    click(e->cmdCScr);
    settle();
    EXPECT_FALSE(app.ReplaceAllExt);
    EXPECT_EQ(app.ReplaceAllExtTo, QStringLiteral("old"));
    e = openExtensions();
    expectView(*e, false);
    EXPECT_EQ(e->cmbExtAll->currentText(), QStringLiteral("old"));
}

TEST_F(ExtensionDialogTest, AnEmptyExtensionForEveryFileIsRefused)
{
    app.ReplaceAllExt = true;
    app.ReplaceAllExtTo = QStringLiteral("bak");
    frmExtReplace *e = openExtensions();
    ASSERT_TRUE(e);
    for (const QString &text : {QString(), QStringLiteral("  ")}) {
        SCOPED_TRACE(text.toStdString());
        messages.shown.clear();
        typeExtension(*e, text);
        click(e->cmdCScr);
        settle();
        ASSERT_EQ(lists->extensions(), e) << "the dialog stays open";
        EXPECT_TRUE(e->isVisible());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, QStringLiteral("Strings Replacer"));
        EXPECT_TRUE(app.ReplaceAllExt);
        EXPECT_EQ(app.ReplaceAllExtTo, QStringLiteral("bak"));
    }

    // The list view takes a blank extension: nothing uses it there.
    click(e->Check2);
    click(e->cmdCScr);
    settle();
    EXPECT_FALSE(app.ReplaceAllExt);
    EXPECT_EQ(app.ReplaceAllExtTo, QStringLiteral("  "));
}

TEST_F(ExtensionDialogTest, MatchCaseAllKeepsItsCaptionAndTokenFieldsReportTheirField)
{
    app.ExtReplaceList = {{"n", "a", ""}, {"n", "b", ""}};
    frmExtReplace *e = openExtensions();
    ASSERT_TRUE(e);
    click(e->Check1);
    EXPECT_EQ(e->Check1->text(), QStringLiteral("Match Case All"));
    EXPECT_EQ(gridRows(*e, 2), (std::vector<ReplaceListEntry>{{"y", "a", ""}, {"y", "b", ""}}));
    click(e->Check1);
    EXPECT_EQ(e->Check1->text(), QStringLiteral("Match Case All"));
    EXPECT_EQ(e->GridR->CellText(2, 1), QStringLiteral("n"));

    std::vector<std::tuple<QComboBox *, int, int>> chosen;
    QObject::connect(e, &frmSReplace::tokenItemChosen,
                     [&](QComboBox *field, int row, int col) { chosen.emplace_back(field, row, col); });
    dblClickCell(*e, 2, 3);
    chooseItem(e->cmbToR, QStringLiteral("$Random String$"));
    key(Qt::Key_Return);
    click(e->Check2);
    chooseItem(e->cmbExtAll, QStringLiteral("$Counter$"));
    EXPECT_EQ(e->cmbExtAll->currentText(), QStringLiteral("$Counter$"));
    EXPECT_EQ(chosen, (std::vector<std::tuple<QComboBox *, int, int>>{{e->cmbToR, 2, 3}, {e->cmbExtAll, 0, 0}}));
}

TEST_F(ExtensionDialogTest, PreviewsUseTheStoredLists)
{
    listFiles({"ABC_def.txt", "abc_DEF.txt", "pic.JPEG", "notes.TXT"});

    // "Replace": a "y" row matches its case, an "n" row any case.
    frmSReplace *d = openStrings();
    ASSERT_TRUE(d);
    typeRows(*d, {{"y", "ABC", "Q"}, {"n", "def", "x"}});
    click(d->cmdCScr);
    settle();
    EXPECT_EQ(preview(0), (QStringList{"Q_x.txt", "abc_x.txt", "pic.JPEG", "notes.TXT"}));
    renamer().List3->item(0)->setCheckState(Qt::Unchecked);

    // "Extension" through the list, then with one extension for every file.
    frmExtReplace *e = openExtensions();
    ASSERT_TRUE(e);
    typeRows(*e, {{"n", "jpeg", "jpg"}, {"y", "txt", "text"}});
    click(e->cmdCScr);
    settle();
    EXPECT_EQ(preview(ExtensionRow), (QStringList{"ABC_def.text", "abc_DEF.text", "pic.jpg", "notes.TXT"}));

    e = openExtensions();
    click(e->Check2);
    typeExtension(*e, QStringLiteral("bak"));
    click(e->cmdCScr);
    settle();
    EXPECT_EQ(preview(ExtensionRow), (QStringList{"ABC_def.bak", "abc_DEF.bak", "pic.bak", "notes.bak"}));

    // A list cleared and then cancelled leaves the preview as it was.
    e = openExtensions();
    click(e->Check2);
    click(e->cmdClear);
    click(e->cmdQuit);
    settle();
    EXPECT_EQ(preview(ExtensionRow), (QStringList{"ABC_def.bak", "abc_DEF.bak", "pic.bak", "notes.bak"}));
}

// The action list and its panels: panel switching, moving actions by buttons and by dragging,
// the Compose elements, the token combos' sub-frames, the Test buttons and the Insert modes.
#include "ControlValues.h"
#include "RenamerFixture.h"

#include <QApplication>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QMouseEvent>
#include <QTest>

using namespace renamewintest;
using engine::TokenAction;

namespace {

class ActionPanels : public RenamerFixture {
protected:
    QStringList actions()
    {
        QStringList out;
        for (int i = 0; i < window().List3->count(); ++i) {
            const QListWidgetItem *item = window().List3->item(i);
            out << (item->checkState() == Qt::Checked ? QStringLiteral("[x]") : QString()) + item->text();
        }
        return out;
    }
    QStringList composeElements()
    {
        QStringList out;
        for (int i = 0; i < window().lstCompose->count(); ++i)
            out << window().lstCompose->item(i)->text();
        return out;
    }
    QGroupBox *shownPanel()
    {
        QGroupBox *shown = nullptr;
        for (QGroupBox *panel : window().panels()) {
            if (!panel->isHidden()) {
                EXPECT_EQ(shown, nullptr) << "two panels shown";
                shown = panel;
            }
        }
        return shown;
    }
    /** The y of the middle of a list row, in the list's own pixels. */
    int rowY(QListWidget *list, int row) { return list->visualItemRect(list->item(row)).center().y(); }
    /** Shows the window and the panel holding `combo` (a click on each action's row in turn)
     *  and chooses `item` from the combo's drop-down list as a user does. */
    void choose(QComboBox *combo, const QString &item)
    {
        window().show();
        for (int row = 0; row < window().List3->count() && !combo->isVisible(); ++row)
            clickAction(row);
        chooseItem(combo, item);
    }
    /** Shows the window and the panel of the action on `row`. */
    void showPanelOf(int row)
    {
        window().show();
        clickAction(row);
    }
};

} // namespace

TEST_F(ActionPanels, SelectingAnActionShowsItsPanelOnly)
{
    renamewin::frmRenamer &w = window();
    const auto panels = w.panels();
    w.show();
    // A click on each row, then the arrow keys back up the list.
    for (int i = 0; i < 13; ++i) {
        clickAction(i);
        EXPECT_EQ(shownPanel(), panels[size_t(i)]) << w.List3->item(i)->text().toStdString();
    }
    for (int i = 11; i >= 0; --i) {
        QTest::keyClick(w.List3, Qt::Key_Up);
        ASSERT_EQ(w.List3->currentRow(), i);
        EXPECT_EQ(shownPanel(), panels[size_t(i)]) << w.List3->item(i)->text().toStdString();
    }
    // A text that names no action shows "Replace"; the picture-data item shows none.
    w.List3->item(2)->setText(QStringLiteral("replace mid"));
    clickAction(2);
    EXPECT_EQ(shownPanel(), w.frmReplace);
    w.List3->item(3)->setText(QStringLiteral("Change Exif Data in jpg files"));
    clickAction(3);
    EXPECT_EQ(shownPanel(), nullptr);
}

TEST_F(ActionPanels, ClickOnACheckBoxSelectsTheActionAndShowsItsPanel)
{
    renamewin::frmRenamer &w = window();
    w.resize(w.sizeHint().expandedTo(QSize(700, 660)));
    w.show();
    const auto checkBoxOf = [&w](int row) {
        QStyleOptionViewItem option;
        option.initFrom(w.List3);
        option.rect = w.List3->visualItemRect(w.List3->item(row));
        option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = w.List3->item(row)->text();
        return w.List3->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, w.List3);
    };
    struct Click {
        const char *action;
        QGroupBox *panel;
    };
    const Click clicks[] = {{"Insert", w.frmInsert}, {"Suffix", w.frmSuffix}, {"Insert", w.frmInsert}};
    for (const Click &c : clicks) {
        SCOPED_TRACE(c.action);
        const int row = w.List3->row(w.List3->findItems(QString::fromLatin1(c.action), Qt::MatchExactly).first());
        const Qt::CheckState before = w.List3->item(row)->checkState();
        QTest::mouseClick(w.List3->viewport(), Qt::LeftButton, {}, checkBoxOf(row).center());
        EXPECT_NE(w.List3->item(row)->checkState(), before) << "the click ticks the box";
        EXPECT_EQ(w.List3->currentRow(), row);
        EXPECT_EQ(shownPanel(), c.panel);
    }
    // A click on the row that is selected already shows its panel again.
    w.frmInsert->hide();
    const int insert = w.List3->currentRow();
    QTest::mouseClick(w.List3->viewport(), Qt::LeftButton, {}, w.List3->visualItemRect(w.List3->item(insert)).center());
    EXPECT_EQ(shownPanel(), w.frmInsert);
}

TEST_F(ActionPanels, MovingByButtons)
{
    renamewin::frmRenamer &w = window();
    const QStringList start = actions();
    w.show();
    clickAction(0);
    clickCentre(w.cmdUp);
    clickAction(12);
    clickCentre(w.cmdDown);
    EXPECT_EQ(actions(), start) << "the first cannot move up, the last not down";
    w.List3->setCurrentRow(-1);
    clickCentre(w.cmdDown);
    EXPECT_EQ(actions(), start);

    // A checked action moved by a button arrives unchecked, selected, with its panel shown.
    clickActionCheck(6);
    clickActionCheck(5);
    EXPECT_EQ(actions().mid(4, 4), QStringList({"Replace All", "[x]Insert", "[x]Suffix", "Prefix"}));
    clickAction(6);
    clickCentre(w.cmdUp);
    EXPECT_EQ(actions().mid(4, 4), QStringList({"Replace All", "Suffix", "[x]Insert", "Prefix"}));
    EXPECT_EQ(w.List3->currentRow(), 5);
    EXPECT_EQ(shownPanel(), w.frmSuffix);
    clickCentre(w.cmdDown);
    EXPECT_EQ(actions().mid(5, 2), QStringList({"[x]Insert", "Suffix"}));
}

TEST_F(ActionPanels, DraggingMovesActionsWithTheirCheckMarks)
{
    renamewin::frmRenamer &w = window();
    w.show();
    w.List3->item(6)->setCheckState(Qt::Checked);
    w.List3_MouseDown(rowY(w.List3, 6));
    EXPECT_EQ(w.DragStartRow, 6);
    w.List3_DragOver(w.List3, rowY(w.List3, 1));
    EXPECT_EQ(w.List3->currentRow(), 1);
    EXPECT_EQ(shownPanel(), w.frmReplaceFirst);
    w.List3_DragDrop(w.List3, rowY(w.List3, 1));
    EXPECT_EQ(actions().mid(0, 8), QStringList({"Replace", "[x]Suffix", "Replace First", "Replace Mid",
                                               "Replace Last", "Replace All", "Insert", "Prefix"}));
    EXPECT_EQ(shownPanel(), w.frmSuffix) << "the highlighted row's panel";

    // Below the last row counts as the last row; a drop on its own row changes nothing.
    const QStringList before = actions();
    w.List3_MouseDown(rowY(w.List3, 12));
    w.List3_DragDrop(w.List3, rowY(w.List3, 12) + 500);
    EXPECT_EQ(actions(), before);

    w.ListRowMove(w.List3, 0, 12);
    EXPECT_EQ(actions().last(), QStringLiteral("Replace"));
    EXPECT_EQ(actions().first(), QStringLiteral("[x]Suffix"));

    // An empty Compose list gives row -1, and nothing moves.
    EXPECT_EQ(w.ListRowCalc(w.lstCompose, 10), -1);
    w.lstCompose_MouseDown(10);
    w.lstCompose_DragDrop(w.lstCompose, 40);
    EXPECT_EQ(composeElements(), QStringList());

    w.lstCompose->addItems({"a", "b", "c"});
    w.lstCompose_MouseDown(rowY(w.lstCompose, 2));
    w.List3_DragDrop(w.lstCompose, rowY(w.lstCompose, 0));
    EXPECT_EQ(composeElements(), QStringList({"c", "a", "b"}));
}

TEST_F(ActionPanels, ComposeElements)
{
    renamewin::frmRenamer &w = window();
    choose(w.cmbCompose, QStringLiteral("$Random String$"));
    w.Text3->setText(QStringLiteral("AAaa##"));
    clickCentre(w.Command15);
    w.cmbCompose->setEditText(QStringLiteral("$foldername$"));
    clickCentre(w.Command15);
    w.cmbCompose->setEditText(QString());
    clickCentre(w.Command15);
    EXPECT_EQ(composeElements(), QStringList({"$Random$_AAaa##", "$foldername$", ""}));
    EXPECT_EQ(w.lstCompose->currentRow(), -1) << "adding selects nothing";

    clickCentre(w.cmdDel);
    EXPECT_EQ(composeElements().size(), 3) << "nothing selected, nothing deleted";
    QTest::mouseClick(w.lstCompose->viewport(), Qt::LeftButton, {},
                      w.lstCompose->visualItemRect(w.lstCompose->item(2)).center());
    ASSERT_EQ(w.lstCompose->currentRow(), 2);
    clickCentre(w.cmdDel);
    EXPECT_EQ(composeElements(), QStringList({"$Random$_AAaa##", "$foldername$"}));
    EXPECT_EQ(w.lstCompose->currentRow(), 1);
    clickCentre(w.cmdCUp);
    EXPECT_EQ(composeElements(), QStringList({"$foldername$", "$Random$_AAaa##"}));
    EXPECT_EQ(w.lstCompose->currentRow(), 0);
    clickCentre(w.cmdCDown);
    clickCentre(w.cmdDel);
    clickCentre(w.cmdDel);
    EXPECT_EQ(composeElements(), QStringList());
    EXPECT_EQ(w.lstCompose->currentRow(), -1);
}

TEST_F(ActionPanels, TokenCombosShowTheirSubFrames)
{
    renamewin::frmRenamer &w = window();
    struct Asked {
        QString item;
        QComboBox *combo;
    };
    std::vector<Asked> pickers;
    QObject::connect(&w, &renamewin::frmRenamer::tokenPickerRequested,
                     [&pickers](const QString &item, QComboBox *combo) { pickers.push_back({item, combo}); });
    const auto frames = [&w](TokenAction action) {
        const auto &t = w.tokenControls(action);
        return QStringLiteral("%1%2%3").arg(t.counterFrame->isHidden() ? '-' : 'C')
            .arg(t.alphaFrame->isHidden() ? '-' : 'A').arg(t.randomFrame->isHidden() ? '-' : 'R');
    };
    struct Step {
        TokenAction action;
        const char *item;
        const char *frames;
        bool picker;
    };
    const Step steps[] = {
        {TokenAction::ReplaceFirst, "$AlphaCounter$", "-A-", false},
        {TokenAction::ReplaceFirst, "$foldername$", "---", false},
        {TokenAction::Suffix, "$Counter$", "C--", false},
        {TokenAction::Suffix, "$current_date$", "C--", true},
        {TokenAction::Prefix, "$Random String$", "--R", false},
        {TokenAction::Prefix, "$MP3 Data$", "--R", true},
        {TokenAction::ReplaceAll, "$Upper_Case$", "---", false},
        {TokenAction::Compose, "$Counter$", "C--", false},
        {TokenAction::Insert, "$modified_time$", "---", true},
        {TokenAction::Insert, "$Exif Data$", "---", true},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.item);
        pickers.clear();
        const auto &t = w.tokenControls(s.action);
        choose(t.combo, QString::fromUtf8(s.item));
        EXPECT_EQ(frames(s.action), QLatin1String(s.frames));
        EXPECT_EQ(app.TokenTargetText, QString::fromUtf8(s.item));
        EXPECT_EQ(app.TokenTargetCombo.data(), t.combo);
        EXPECT_EQ(pickers.size(), s.picker ? 1 : 0);
        if (s.picker) {
            EXPECT_EQ(pickers[0].item, QString::fromUtf8(s.item));
            EXPECT_EQ(pickers[0].combo, t.combo);
        }
    }
    // Typing a token shows nothing; the engine still reads the typed text.
    w.cmbMid->setEditText(QStringLiteral("$Counter$"));
    EXPECT_EQ(frames(TokenAction::ReplaceMid), QStringLiteral("---"));
    EXPECT_EQ(w.renameSettings().MidSource, QStringLiteral("$Counter$"));
}

TEST_F(ActionPanels, TestButtonShowsASampleWhileHeld)
{
    renamewin::frmRenamer &w = window();
    struct Case {
        TokenAction action;
        const char *mask;
        const char *sample;
    };
    // The random numbers are all 0: the first character of every class.
    const Case cases[] = {{TokenAction::ReplaceFirst, "AAaa##", "AAaa00"},
                          {TokenAction::Suffix, "N-H x", "A-0 x"},
                          {TokenAction::Compose, "", ""}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mask);
        QLineEdit *mask = w.tokenControls(c.action).mask;
        mask->setText(QString::fromUtf8(c.mask));
        w.TestButton_Mouse(c.action, true, 2);
        EXPECT_EQ(mask->text(), QString::fromUtf8(c.mask)) << "another button does nothing";
        w.TestButton_Mouse(c.action, true, 1);
        EXPECT_EQ(mask->text(), QString::fromUtf8(c.sample));
        w.TestButton_Mouse(c.action, false, 2);
        EXPECT_EQ(mask->text(), QString::fromUtf8(c.sample));
        w.TestButton_Mouse(c.action, false, 1);
        EXPECT_EQ(mask->text(), QString::fromUtf8(c.mask));
        w.TestButton_Mouse(c.action, false, 1);
        EXPECT_EQ(mask->text(), QString::fromUtf8(c.mask)) << "a release without a press keeps the mask";
    }
    // The real button: a left press shows the sample, its release brings the mask back.
    showPanelOf(1);
    choose(w.cmbFirst, QStringLiteral("$Random String$"));
    w.Text50->setText(QStringLiteral("a#"));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Command4, &press);
    EXPECT_EQ(w.Text50->text(), QStringLiteral("a0"));
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.Command4, &release);
    EXPECT_EQ(w.Text50->text(), QStringLiteral("a#"));
}

TEST_F(ActionPanels, InsertModes)
{
    renamewin::frmRenamer &w = window();
    struct Mode {
        int index;
        QGroupBox *shown;
        const char *caption;
    };
    const Mode modes[] = {
        {2, w.frmInsStr1, "Specify String:"},   {0, w.frmInsPos, "Position from the Start of FIlename:"},
        {4, w.frmInsStr2, "Specify Strings:"},  {1, w.frmInsPos, "Position from the End of FIlename:"},
        {3, w.frmInsStr1, "Specify String:"},
    };
    for (const Mode &m : modes) {
        SCOPED_TRACE(m.index);
        choose(w.cmbInsert, w.cmbInsert->itemText(m.index));
        for (QGroupBox *frame : {w.frmInsPos, w.frmInsStr1, w.frmInsStr2})
            EXPECT_EQ(!frame->isHidden(), frame == m.shown) << frame->objectName().toStdString();
        EXPECT_EQ(m.shown->title(), QLatin1String(m.caption));
        EXPECT_EQ(w.renameSettings().InsertMode, m.index);
    }
    w.cmbInsert->setCurrentIndex(-1);
    EXPECT_FALSE(w.frmInsStr1->isHidden()) << "no mode leaves the frames as they were";
}

TEST_F(ActionPanels, SmallHandlers)
{
    renamewin::frmRenamer &w = window();
    w.Text18->setText(QStringLiteral("xy"));
    EXPECT_EQ(w.Text18->text(), QStringLiteral("x"));
    w.Text19->setText(QStringLiteral("pqr"));
    EXPECT_EQ(w.Text19->text(), QStringLiteral("p"));
    w.Text19->setText(QString());
    EXPECT_EQ(w.Text19->text(), QString());

    showPanelOf(11);
    EXPECT_TRUE(w.Option4->isChecked());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.Text49, &press);
    EXPECT_TRUE(w.Option5->isChecked());
    EXPECT_EQ(w.renameSettings().CleanReplaceMode, engine::CleanReplaceOption::OwnCharacter);
}

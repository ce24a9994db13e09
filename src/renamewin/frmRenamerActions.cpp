// The action list and its panels: panel switching, reordering by buttons and by dragging, the
// Compose element list, the token combos' sub-frames, the Test buttons and the Insert modes.
#include "Actions.h"
#include "AppState.h"
#include "DragListBox.h"
#include "MaskTest.h"
#include "PickerTokens.h"
#include "TokenPickers.h"
#include "frmRenamer.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace renamewin {

namespace {

// The panel an item text shows: the action's own, none for the picture-data item that only a
// settings file can bring, else "Replace".
int panelIndexOf(const QString &text, bool &none)
{
    none = text == QLatin1String("Change Exif Data in jpg files");
    for (size_t i = 0; i < engine::ActionTable.size(); ++i) {
        if (engine::actionName(engine::ActionTable[i]) == text)
            return int(i);
    }
    return 0;
}

} // namespace

void frmRenamer::List3_Click()
{
    const QListWidgetItem *item = List3->currentItem();
    bool none = false;
    const int shown = panelIndexOf(item ? item->text() : QString(), none);
    const auto all = panels();
    for (size_t i = 0; i < all.size(); ++i)
        all[i]->setVisible(!none && int(i) == shown);
}

void frmRenamer::MoveListItem(QListWidget *list, int index, bool up)
{
    const int target = up ? index - 1 : index + 1;
    if (index < 0 || index >= list->count())
        return;
    if (target == list->count() || target < 0)
        return;
    const QString text = list->item(index)->text();
    delete list->takeItem(index);
    auto *item = new QListWidgetItem(text);
    if (list == List3) {
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    list->insertItem(target, item);
    list->setCurrentRow(target);
}

void frmRenamer::cmdUp_Click()
{
    MoveListItem(List3, List3->currentRow(), true);
}

void frmRenamer::cmdDown_Click()
{
    MoveListItem(List3, List3->currentRow(), false);
}

void frmRenamer::cmdCUp_Click()
{
    MoveListItem(lstCompose, lstCompose->currentRow(), true);
}

void frmRenamer::cmdCDown_Click()
{
    MoveListItem(lstCompose, lstCompose->currentRow(), false);
}

void frmRenamer::Command15_Click()
{
    const QString text = cmbCompose->currentText();
    if (text == QLatin1String("$Random String$"))
        lstCompose->addItem(QStringLiteral("$Random$_") + Text3->text());
    else
        lstCompose->addItem(text);
}

void frmRenamer::cmdDel_Click()
{
    const int i = lstCompose->currentRow();
    if (i < 0 || i >= lstCompose->count())
        return;
    delete lstCompose->takeItem(i);
    if (lstCompose->count() == 0) {
        lstCompose->setCurrentRow(-1);
        lstCompose->clearSelection();
    } else {
        lstCompose->setCurrentRow(std::min(i, lstCompose->count() - 1));
    }
}

int16_t frmRenamer::ListRowCalc(QListWidget *list, int y) const
{
    int itemHeight = list->count() > 0 ? list->visualItemRect(list->item(0)).height() : 0;
    if (itemHeight <= 0)
        itemHeight = list->fontMetrics().height();
    const QModelIndex top = list->indexAt(QPoint(1, 1));
    int row = y / std::max(itemHeight, 1) + (top.isValid() ? top.row() : 0);
    if (row >= list->count() - 1)
        row = list->count() - 1;
    return int16_t(row);
}

void frmRenamer::ListRowMove(QListWidget *list, int from, int to)
{
    const int count = list->count();
    if (from == to || from < 0 || to < 0 || from >= count || to >= count)
        return;
    const QString text = list->item(from)->text();
    const Qt::CheckState check = list->item(from)->checkState();
    const bool moveChecks = list == List3;
    const int step = from < to ? 1 : -1;
    for (int i = from; i != to; i += step) {
        list->item(i)->setText(list->item(i + step)->text());
        if (moveChecks)
            list->item(i)->setCheckState(list->item(i + step)->checkState());
    }
    list->item(to)->setText(text);
    if (moveChecks)
        list->item(to)->setCheckState(check);
}

void frmRenamer::List3_MouseDown(int y)
{
    DragStartRow = ListRowCalc(List3, y);
}

void frmRenamer::lstCompose_MouseDown(int y)
{
    DragStartRow = ListRowCalc(lstCompose, y);
}

void frmRenamer::List3_DragOver(QListWidget *, int y)
{
    List3->setCurrentRow(ListRowCalc(List3, y));
}

void frmRenamer::lstCompose_DragOver(QListWidget *, int y)
{
    lstCompose->setCurrentRow(ListRowCalc(lstCompose, y));
}

void frmRenamer::List3_DragDrop(QListWidget *source, int y)
{
    if (source != List3 && source != lstCompose)
        return;
    ListRowMove(source, DragStartRow, ListRowCalc(source, y));
    // The highlighted row may hold another action now: show its panel.
    if (source == List3)
        List3_Click();
}

void frmRenamer::lstCompose_DragDrop(QListWidget *source, int y)
{
    List3_DragDrop(source, y);
}

void frmRenamer::TokenCombo_Click(engine::TokenAction action)
{
    const TokenControls &t = m_tokens[size_t(action)];
    if (!t.combo)
        return;
    const QString text = t.combo->currentText();
    m_app.TokenTargetText = text;
    m_app.TokenTargetCombo = t.combo;
    // A rename-window field is no grid cell: a cell named before must not get this text.
    m_app.TokenTargetGrid = nullptr;

    const auto show = [&t](bool counter, bool alpha, bool random) {
        t.counterFrame->setVisible(counter);
        t.alphaFrame->setVisible(alpha);
        t.randomFrame->setVisible(random);
    };
    if (text == QLatin1String("$Counter$"))
        show(true, false, false);
    else if (text == QLatin1String("$Random String$"))
        show(false, false, true);
    else if (text == QLatin1String("$AlphaCounter$"))
        show(false, true, false);
    else if (pickerForItem(text, false)) {
        emit tokenPickerRequested(text, t.combo);
        if (m_pickers)
            m_pickers->open(text, t.combo);
    } else
        show(false, false, false);
}

void frmRenamer::TestButton_Mouse(engine::TokenAction action, bool pressed, int button)
{
    if (MaskTest *test = m_maskTests[size_t(action)])
        test->mouse(pressed, button);
}

void frmRenamer::cmbInsert_Click()
{
    struct Mode {
        QGroupBox *shown;
        const char *caption;
    };
    const Mode modes[5] = {
        {frmInsPos, "Position from the Start of FIlename:"},
        {frmInsPos, "Position from the End of FIlename:"},
        {frmInsStr1, "Specify String:"},
        {frmInsStr1, "Specify String:"},
        {frmInsStr2, "Specify Strings:"},
    };
    const int index = cmbInsert->currentIndex();
    if (index < 0 || index > 4)
        return;
    for (QGroupBox *frame : {frmInsPos, frmInsStr1, frmInsStr2})
        frame->setVisible(frame == modes[index].shown);
    modes[index].shown->setTitle(QLatin1String(modes[index].caption));
}

} // namespace renamewin

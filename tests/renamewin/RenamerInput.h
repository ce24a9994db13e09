#pragma once
// A user's clicks and keys on the rename window's controls, at their real places: the rows of
// the action list and their check boxes, buttons, and items chosen from a combo's drop-down list.
#include "ComboInput.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionViewItem>
#include <QTest>
#include <gtest/gtest.h>

namespace renamewintest {

/** A click in the middle of a control, as a user presses a button. */
inline void clickCentre(QWidget *control)
{
    ASSERT_TRUE(control->isVisible()) << control->objectName().toStdString();
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

/** A click on the text of a list's row. */
inline void clickRow(QListWidget *list, int row)
{
    ASSERT_TRUE(list->isVisible()) << list->objectName().toStdString();
    list->scrollToItem(list->item(row));
    const QRect at = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(at.left() + at.width() * 2 / 3, at.center().y()));
}

/** A click on the check box of a list's row. */
inline void clickCheck(QListWidget *list, int row)
{
    ASSERT_TRUE(list->isVisible()) << list->objectName().toStdString();
    list->scrollToItem(list->item(row));
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = list->visualItemRect(list->item(row));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
    ASSERT_TRUE(box.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
}

/** An item chosen from a combo's drop-down list, as a user chooses it. */
using comboinput::chooseItem;

} // namespace renamewintest

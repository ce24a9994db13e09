#pragma once
// A user's clicks and keys on the rename window's controls, at their real places: the rows of
// the action list and their check boxes, buttons, and items chosen from a combo's drop-down list.
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

/** Opens a combo's drop-down list with a click on its arrow, moves onto `item` with the arrow
 *  keys and takes it with Enter. */
inline void chooseItem(QComboBox *combo, const QString &item)
{
    const int index = combo->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    ASSERT_TRUE(combo->isVisible()) << combo->objectName().toStdString();
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
    QAbstractItemView *list = combo->view();
    ASSERT_TRUE(list->isVisible()) << "the drop-down list opens";
    for (int guard = 0; list->currentIndex().row() != index && guard < 2 * combo->count(); ++guard)
        QTest::keyClick(list, list->currentIndex().row() < index ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(list->currentIndex().row(), index);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_FALSE(list->isVisible()) << "the drop-down list closes";
}

} // namespace renamewintest

#pragma once
// A combo box's item chosen as a user chooses it: the drop-down list opened with a click on the
// combo's arrow, the item reached with the arrow keys and taken with Enter.
#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace comboinput {

/** Opens the drop-down list with a click on the combo's arrow, moves onto the item `text` with
 *  the arrow keys and takes it with Enter. */
inline void chooseItem(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    ASSERT_TRUE(combo->isVisible()) << combo->objectName().toStdString();
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
    QAbstractItemView *list = combo->view();
    ASSERT_TRUE(list->isVisible()) << "the drop-down list opens";
    // (A release this soon after the opening click is taken for that click's own, so the item
    // is reached with the keys.)
    for (int guard = 0; list->currentIndex().row() != index && guard < 2 * combo->count(); ++guard)
        QTest::keyClick(list, list->currentIndex().row() < index ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(list->currentIndex().row(), index);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_FALSE(list->isVisible()) << "the drop-down list closes";
}

} // namespace comboinput

#pragma once
// A combo box's item chosen as a user chooses it: the drop-down list opened with a click on the
// combo's arrow, the item picked in the list.
#include <QAbstractItemView>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace comboinput {

/** Opens the drop-down list with a click on the combo's arrow and chooses its item `text`. */
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
    const QModelIndex at = list->model()->index(index, 0);
    list->scrollTo(at);
    // A release this soon after the opening click is taken for that click's own: moving onto
    // the item with the keys and confirming it is what reaches the list.
    list->setCurrentIndex(at);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_FALSE(list->isVisible()) << "the drop-down list closes";
}

} // namespace comboinput

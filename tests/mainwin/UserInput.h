#pragma once
// Mouse clicks and key presses delivered to widgets as the window system would deliver them.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QWidget>

namespace userinput {

/** A press and a release of `button` at `at` (the widget's middle when null). */
inline void click(QWidget *widget, QPoint at = {}, Qt::MouseButton button = Qt::LeftButton)
{
    const QPointF p = at.isNull() ? QPointF(widget->rect().center()) : QPointF(at);
    QMouseEvent press(QEvent::MouseButtonPress, p, widget->mapToGlobal(p), button, button, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, widget->mapToGlobal(p), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

/** A click on a check box's square. */
inline void clickBox(QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    click(box, box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
}

/** A click in the middle of a list's row. */
inline void clickRow(QListWidget *list, int row, Qt::MouseButton button = Qt::LeftButton)
{
    click(list->viewport(), list->visualItemRect(list->item(row)).center(), button);
}

/** A press and a release of one key. */
inline void key(QWidget *widget, int key, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

/** Types the text one character at a time. */
inline void type(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        key(widget, c.toUpper().unicode(), QString(c));
}

} // namespace userinput

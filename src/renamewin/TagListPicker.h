#pragma once
/**
 * The two field-name pickers: a list `list1` ("Double Click to change") and an "OK" button
 * `Command1` below it, in a resizable window. A click on an item (or the arrow keys) picks it
 * and the window stays; a double-click picks it and closes; "OK" picks the selected item when
 * nothing was picked since the picker opened, and closes. A row selected by anything but the
 * user (the remembered one) is shown, not picked. Closing leaves a grid cell whose field holds a
 * picture-date token to the picture-date picker.
 */
#include "TokenPicker.h"

class QListWidget;
class QPushButton;

namespace renamewin {

class TagListPicker : public TokenPicker {
    Q_OBJECT
public:
    QListWidget *list1 = nullptr;
    QPushButton *Command1 = nullptr;

    /** An item picked by a click, the keyboard or the load step. */
    virtual void list1_Click() = 0;
    /** An item double-clicked. */
    virtual void list1_DblClick() = 0;
    /** "OK". */
    void Command1_Click();

protected:
    TagListPicker(AppState &app, TokenPickers &pickers, PickerKind kind, const QString &caption,
                  const QStringList &items, int clientHeightTwips);
    bool leavesCellToPictureDate() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chosen();

    int m_rowAtPress = -1;
    bool m_userMoves = false;
    bool m_chosen = false;
};

} // namespace renamewin

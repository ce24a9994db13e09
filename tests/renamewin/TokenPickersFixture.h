#pragma once
// The rename window with its token pickers, and the input a user gives them: items chosen from a
// combo's opened drop-down list, typed text confirmed with Enter, clicks on a picker's rows and
// buttons.
#include "ComboInput.h"
#include "Grid.h"
#include "RenamerFixture.h"
#include "TokenCellTarget.h"
#include "TokenPicker.h"
#include "TokenPickers.h"
#include "formSelExif.h"
#include "formSelID3.h"
#include "frmDateFormat.h"
#include "frmEDateFormat.h"
#include "frmRandom.h"
#include "frmTimeFormat.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <QFile>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QTest>

namespace renamewintest {

using engine::TokenAction;
using renamewin::PickerKind;

inline const QStringList PickerNames = {"frmTimeFormat", "frmDateFormat", "frmEDateFormat",
                                        "frmRandom",     "formSelExif",   "formSelID3"};

/** A grid with an in-cell token field: records what the pickers write back. */
class CellGrid : public QObject, public renamewin::TokenCellTarget {
public:
    void writeTokenCell(int row, int col, const QString &text) override
    {
        writes << QStringLiteral("%1,%2=%3").arg(row).arg(col).arg(text);
        editor.hide();
    }
    QComboBox editor;
    QStringList writes;
};

class TokenPickersTest : public RenamerFixture {
protected:
    void SetUp() override
    {
        RenamerFixture::SetUp();
        window().setTokenPickers(&pickers);
        window().show();
    }
    void TearDown() override
    {
        form.reset();
        RenamerFixture::TearDown();
    }

    /** Shows the panel of `action` so that its combo can be used. */
    void showPanel(TokenAction action)
    {
        const QComboBox *combo = window().tokenControls(action).combo;
        for (int row = 0; row < window().List3->count(); ++row) {
            window().List3->setCurrentRow(row);
            if (combo->isVisible())
                return;
        }
        FAIL() << "no panel shows " << combo->objectName().toStdString();
    }
    /** Opens the drop-down list with a click on the combo's arrow and clicks `item` in it. */
    static void choose(QComboBox *combo, const QString &item) { comboinput::chooseItem(combo, item); }
    /** Types `text` into the combo's edit field and presses Enter. */
    static void typeAndEnter(QComboBox *combo, const QString &text)
    {
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, text);
        QTest::keyClick(combo, Qt::Key_Return);
    }
    QComboBox *combo(TokenAction action) { return window().tokenControls(action).combo; }
    /** The open picker windows by their names. */
    QStringList openPickers()
    {
        QStringList open;
        for (int k = 0; k < renamewin::PickerKindCount; ++k) {
            if (renamewin::TokenPicker *p = pickers.openPicker(PickerKind(k)))
                open << p->objectName();
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
    /** Clicks the list row `row` of a field-name picker. */
    static void clickRow(renamewin::TagListPicker *p, int row, bool twice = false)
    {
        QListWidget *list = p->list1;
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    static int rowOf(const renamewin::TagListPicker *p, const QString &text)
    {
        const QList<QListWidgetItem *> found = p->list1->findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? -1 : p->list1->row(found.first());
    }
    static void clickButton(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }
    /** Deletes closed pickers. */
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QString frames(TokenAction action)
    {
        const auto &t = window().tokenControls(action);
        return QStringLiteral("%1%2%3").arg(t.counterFrame->isHidden() ? '-' : 'C')
            .arg(t.alphaFrame->isHidden() ? '-' : 'A').arg(t.randomFrame->isHidden() ? '-' : 'R');
    }

    renamewin::TokenPickers pickers{app};
};

} // namespace renamewintest

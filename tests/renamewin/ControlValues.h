#pragma once
// Reading any control of a window as one text, so tables of cases can name controls and the
// values they should hold.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>

namespace renamewintest {

/** Text boxes and editable combos: their text; drop-down lists: the chosen item, or the
 *  placeholder in <>; check boxes "0"/"1"; option buttons "True"/"False"; frames "shown" or
 *  "hidden"; list boxes their items ("[x]" marks a check) joined by "|" and "@" current row;
 *  tab controls "tab " and the front tab. */
inline QString valueOf(const QWidget *w)
{
    if (const auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (const auto *p = qobject_cast<const QPlainTextEdit *>(w))
        return p->toPlainText();
    if (const auto *c = qobject_cast<const QComboBox *>(w)) {
        if (c->isEditable() || c->currentIndex() >= 0)
            return c->currentText();
        return u'<' + c->placeholderText() + u'>';
    }
    if (const auto *r = qobject_cast<const QRadioButton *>(w))
        return r->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    if (const auto *b = qobject_cast<const QCheckBox *>(w))
        return b->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (const auto *g = qobject_cast<const QGroupBox *>(w))
        return g->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown");
    if (const auto *t = qobject_cast<const QTabWidget *>(w))
        return QStringLiteral("tab ") + t->tabText(t->currentIndex());
    if (const auto *l = qobject_cast<const QListWidget *>(w)) {
        QStringList items;
        for (int i = 0; i < l->count(); ++i) {
            const QListWidgetItem *item = l->item(i);
            const bool checkable = item->flags() & Qt::ItemIsUserCheckable;
            items << (checkable && item->checkState() == Qt::Checked ? QStringLiteral("[x]") : QString()) + item->text();
        }
        return items.join(u'|') + u'@' + QString::number(l->currentRow());
    }
    return {};
}

/** The caption of a frame, button, check box, option button or label. */
inline QString captionOf(const QWidget *w)
{
    if (const auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title();
    if (const auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    if (const auto *l = qobject_cast<const QLabel *>(w))
        return l->text();
    return w->windowTitle();
}

} // namespace renamewintest

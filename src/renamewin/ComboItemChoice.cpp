#include "ComboItemChoice.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QKeyEvent>
#include <QLineEdit>

namespace renamewin {

namespace {

bool isEnter(const QEvent *event)
{
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

ComboItemChoice::ComboItemChoice(QComboBox *combo) : QObject(combo), m_combo(combo)
{
    // Enter in the edit field makes the combo report the item the text spells as activated;
    // the key reaches the combo or its edit field before that happens.
    combo->installEventFilter(this);
    if (combo->lineEdit())
        combo->lineEdit()->installEventFilter(this);
    connect(combo, &QComboBox::activated, this, &ComboItemChoice::activated);
}

bool ComboItemChoice::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusOut:
        m_enterTyped = false;
        // Leaving the field (Tab, a click elsewhere, another window) makes the combo report the
        // item its text spells as activated: nothing was chosen. The event is delivered here,
        // with the watcher knowing, and goes no further.
        if (m_leaving)
            return false;
        {
            const QScopedValueRollback leaving(m_leaving, true);
            QCoreApplication::sendEvent(watched, event);
        }
        return true;
    case QEvent::KeyPress:
        m_enterTyped = isEnter(event);
        break;
    case QEvent::KeyRelease:
        if (isEnter(event))
            m_enterTyped = false;
        break;
    default:
        break;
    }
    return false;
}

void ComboItemChoice::activated(int index)
{
    if (m_enterTyped || m_leaving || index < 0)
        return;
    const QString item = m_combo->itemText(index);
    // Choosing the item that is already current leaves a text written over it in place.
    if (m_combo->isEditable() && m_combo->currentText() != item)
        m_combo->setEditText(item);
    emit chosen(item);
}

} // namespace renamewin

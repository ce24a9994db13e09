#pragma once
/** The controls of a window, as the layout helpers see them. */
#include <QList>
#include <QString>

class QObject;
class QWidget;

namespace common {

/**
 * Every control of `form`, depth first in creation order: descendant widgets that carry an
 * object name (the program names each control after itself), excluding the toolkit's own inner
 * widgets ("qt_..." names), separate windows, and anything inside such an inner widget.
 */
QList<QWidget *> FormControls(const QWidget *form);

/** The control-array index a control carries (its dynamic property "Index"), or -1 when it is
 *  not part of an array. */
int ControlIndex(const QObject *control);

/** A control's tag text (its dynamic property "Tag"). */
QString ControlTag(const QObject *control);
void SetControlTag(QObject *control, const QString &tag);

} // namespace common

#include "FormControls.h"

#include <QVariant>
#include <QWidget>

namespace common {

namespace {

bool isControl(const QWidget *w)
{
    const QString name = w->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_")) && !w->isWindow();
}

void collect(const QWidget *parent, QList<QWidget *> &out)
{
    for (QObject *child : parent->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || !isControl(w))
            continue;
        out.append(w);
        collect(w, out);
    }
}

} // namespace

QList<QWidget *> FormControls(const QWidget *form)
{
    QList<QWidget *> out;
    if (form)
        collect(form, out);
    return out;
}

int ControlIndex(const QObject *control)
{
    bool ok = false;
    const int index = control->property("Index").toInt(&ok);
    return ok ? index : -1;
}

QString ControlTag(const QObject *control)
{
    return control->property("Tag").toString();
}

void SetControlTag(QObject *control, const QString &tag)
{
    control->setProperty("Tag", tag);
}

} // namespace common

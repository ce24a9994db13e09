#include "modMSComctLib.h"

#include "FormControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <cstdlib>

namespace filelist {

namespace {

// Adds the entries without raising the combo's own selection events; nothing is selected.
void addEntries(QComboBox *combo, PropertyList list)
{
    const QSignalBlocker block(combo);
    combo->clear();
    for (const ComboEntry &e : PropertyListEntries(list)) {
        if (e.data)
            combo->addItem(e.text, *e.data);
        else
            combo->addItem(e.text);
    }
    combo->setCurrentIndex(-1);
}

} // namespace

void FillCombo(QComboBox *combo, PropertyList list, int32_t value)
{
    addEntries(combo, list);
    common::SetControlTag(combo, QString());
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemData(i).toInt() == value) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

QString FillFileSpecCombo(QComboBox *combo, const QString &spec)
{
    addEntries(combo, PropertyList::FileSpec);
    common::SetControlTag(combo, QString());
    if (spec.isEmpty())
        return QString();
    for (int i = 0; i < combo->count(); ++i) {
        if (FileSpecPattern(combo->itemText(i)) == spec) {
            combo->setCurrentIndex(i);
            break;
        }
    }
    return spec;
}

void InitCheckBoxTag(QCheckBox *box, int32_t value)
{
    common::SetControlTag(box, FreshChangeTag(QString::number(std::abs(value))));
    box->setChecked(value != 0);
}

void InitTextBoxTag(QLineEdit *box, const QString &text)
{
    common::SetControlTag(box, FreshChangeTag(text));
    box->setText(text);
}

bool SetTagNewValue(QWidget *control, const QString &value)
{
    QString tag = common::ControlTag(control);
    const bool had = RecordChangeTagValue(tag, value);
    common::SetControlTag(control, tag);
    return had;
}

QString GetTagNewValue(const QWidget *control)
{
    return ChangeTagField(common::ControlTag(control), QStringLiteral("NewValue"));
}

bool IsTagChanged(const QWidget *control)
{
    return ChangeTagChanged(common::ControlTag(control));
}

} // namespace filelist

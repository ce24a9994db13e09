#include "pagSort.h"

#include "ListViewEditable.h"
#include "modMSComctLib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace filelist {

pagSort::pagSort(QWidget *parent) : PropertyPage(QStringLiteral("pagSort"), QStringLiteral("Sorting"), parent)
{
    m_frame = new QGroupBox(QStringLiteral("Sorting"), this);
    m_frame->setObjectName(QStringLiteral("fraSort"));
    QCheckBox *sorted = addCheck(0, QStringLiteral("Sorted(&T)"));
    QLineEdit *key = addText(0);
    QComboBox *order = addCombo(0);
    QLabel *keyLabel = addLabel(0, QStringLiteral("SortKey(&K):"), key);
    QLabel *orderLabel = addLabel(1, QStringLiteral("SortOrder(&O):"), order);
    auto *grid = new QGridLayout(m_frame);
    grid->addWidget(sorted, 0, 0, 1, 2);
    grid->addWidget(keyLabel, 1, 0);
    grid->addWidget(key, 1, 1);
    grid->addWidget(orderLabel, 2, 0);
    grid->addWidget(order, 2, 1);
    for (QWidget *w : {static_cast<QWidget *>(sorted), static_cast<QWidget *>(key), static_cast<QWidget *>(order),
                       static_cast<QWidget *>(keyLabel), static_cast<QWidget *>(orderLabel)})
        w->setParent(m_frame);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addStretch(1);
}

void pagSort::updateEnabled()
{
    const bool on = chkProp(0)->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(cboProp(0)), static_cast<QWidget *>(txtProp(0)),
                       static_cast<QWidget *>(lblProp(0)), static_cast<QWidget *>(lblProp(1))})
        w->setEnabled(on);
}

void pagSort::PropertyPage_SelectionChanged(ListViewEditable *control)
{
    EditedControl = control;
    if (!control)
        return;
    FillSortOrderCombo(cboProp(0), control->SortOrder());
    InitTextBoxTag(txtProp(0), QString::number(control->SortKey()));
    InitCheckBoxTag(chkProp(0), control->Sorted() ? 1 : 0);
    updateEnabled();
    QCoreApplication::processEvents();
}

void pagSort::chkProp_Click(int Index)
{
    PropertyPage::chkProp_Click(Index);
    if (Index == 0)
        updateEnabled();
}

std::vector<PropertyPage::Target> pagSort::Targets() const
{
    return {
        {QStringLiteral("cboProp"), 0, Conversion::Whole, [](ListViewEditable &l, const QVariant &v) { l.setSortOrder(v.toInt()); }},
        {QStringLiteral("chkProp"), 0, Conversion::Boolean, [](ListViewEditable &l, const QVariant &v) { l.setSorted(v.toBool()); }},
        {QStringLiteral("txtProp"), 0, Conversion::Int16,
         [](ListViewEditable &l, const QVariant &v) { l.setSortKey(int16_t(v.toInt())); }},
    };
}

} // namespace filelist

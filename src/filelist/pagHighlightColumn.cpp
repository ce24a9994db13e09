#include "pagHighlightColumn.h"

#include "FormControls.h"
#include "ListViewEditable.h"
#include "modMSComctLib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace filelist {

pagHighlightColumn::pagHighlightColumn(QWidget *parent)
    : PropertyPage(QStringLiteral("pagHighlightColumn"), QStringLiteral("Column Highliting"), parent)
{
    m_frame = new QGroupBox(QStringLiteral("Column Highlighting"), this);
    m_frame->setObjectName(QStringLiteral("fraHighlightColumn"));
    auto *grid = new QGridLayout(m_frame);
    QCheckBox *on = addCheck(0, QStringLiteral("Hightlight Column(&H)"));
    on->setParent(m_frame);
    grid->addWidget(on, 0, 0, 1, 2);
    QLineEdit *column = addText(0);
    const struct {
        QWidget *editor;
        const char *caption;
    } rows[] = {
        {column, "CurrrentHighlightColumn(&C):"},
        {addCombo(0), "DefaultColor(&D):"},
        {addCombo(1), "HighlightColor(&L):"},
        {addCombo(2), "SizingType(&S):"},
    };
    int row = 1;
    for (const auto &r : rows) {
        QLabel *label = addLabel(row - 1, QString::fromUtf8(r.caption), r.editor);
        label->setParent(m_frame);
        r.editor->setParent(m_frame);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.editor, row, 1);
        ++row;
    }
    QPushButton *revert = addButton(0, QStringLiteral("Revert to Defaullt"));
    revert->setParent(m_frame);
    grid->addWidget(revert, row, 1, Qt::AlignRight);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addStretch(1);
}

void pagHighlightColumn::updateEnabled()
{
    // Everything on the page but the frame and the switch itself follows the switch.
    const bool on = chkProp(0)->isChecked();
    for (QWidget *w : common::FormControls(this)) {
        if (w->objectName() != QLatin1String("fraHighlightColumn") && w->objectName() != QLatin1String("chkProp"))
            w->setEnabled(on);
    }
}

void pagHighlightColumn::PropertyPage_SelectionChanged(ListViewEditable *control)
{
    EditedControl = control;
    if (!control)
        return;
    FillLedgerColorCombo(cboProp(0), control->DefaultColor());
    FillLedgerColorCombo(cboProp(1), control->HighlightColor());
    FillSizingTypeCombo(cboProp(2), control->SizingType());
    InitTextBoxTag(txtProp(0), QString::number(control->CurrrentHighlightColumn()));
    InitCheckBoxTag(chkProp(0), control->HighlightColumn() ? 1 : 0);
    updateEnabled();
    QCoreApplication::processEvents();
}

void pagHighlightColumn::chkProp_Click(int Index)
{
    PropertyPage::chkProp_Click(Index);
    if (Index == 0)
        updateEnabled();
}

void pagHighlightColumn::cmdDo_Click(int Index)
{
    if (Index != 0)
        return;
    cboProp(0)->setCurrentIndex(7);
    cboProp(1)->setCurrentIndex(3);
    cboProp(2)->setCurrentIndex(2);
    txtProp(0)->setText(QStringLiteral("1"));
}

std::vector<PropertyPage::Target> pagHighlightColumn::Targets() const
{
    return {
        {QStringLiteral("cboProp"), 0, Conversion::Whole, [](ListViewEditable &l, const QVariant &v) { l.setDefaultColor(v.toInt()); }},
        {QStringLiteral("cboProp"), 1, Conversion::Whole, [](ListViewEditable &l, const QVariant &v) { l.setHighlightColor(v.toInt()); }},
        {QStringLiteral("cboProp"), 2, Conversion::Whole, [](ListViewEditable &l, const QVariant &v) { l.setSizingType(v.toInt()); }},
        {QStringLiteral("chkProp"), 0, Conversion::Boolean,
         [](ListViewEditable &l, const QVariant &v) { l.setHighlightColumn(v.toBool()); }},
        {QStringLiteral("txtProp"), 0, Conversion::Whole,
         [](ListViewEditable &l, const QVariant &v) { l.setCurrrentHighlightColumn(v.toInt()); }},
    };
}

} // namespace filelist

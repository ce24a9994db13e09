#include "pagGeneral.h"

#include "ListViewEditable.h"
#include "modMSComctLib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <array>

namespace filelist {

namespace {

using BoolGet = bool (ListViewEditable::*)() const;
using BoolSet = void (ListViewEditable::*)(bool);

struct Switch {
    const char *caption;
    BoolGet get;
    BoolSet set;
};

// The check boxes by index, in alphabetical order of their captions (Enabled and the hidden
// Visible last).
const std::array<Switch, 18> Switches = {{
    {"AllowColumnReorder", &ListViewEditable::AllowColumnReorder, &ListViewEditable::setAllowColumnReorder},
    {"AllowItemEdit", &ListViewEditable::AllowItemEdit, &ListViewEditable::setAllowItemEdit},
    {"AutoDeselect", &ListViewEditable::AutoDeselect, &ListViewEditable::setAutoDeselect},
    {"AutoPopupMenu", &ListViewEditable::AutoPopupMenu, &ListViewEditable::setAutoPopupMenu},
    {"AutoTooltip", &ListViewEditable::AutoTooltip, &ListViewEditable::setAutoTooltip},
    {"Checkboxes", &ListViewEditable::Checkboxes, &ListViewEditable::setCheckboxes},
    {"FlatHeader", &ListViewEditable::FlatHeader, &ListViewEditable::setFlatHeader},
    {"FlatScrollBar", &ListViewEditable::FlatScrollBar, &ListViewEditable::setFlatScrollBar},
    {"FullRowSelect", &ListViewEditable::FullRowSelect, &ListViewEditable::setFullRowSelect},
    {"GridLines", &ListViewEditable::GridLines, &ListViewEditable::setGridLines},
    {"HideSelection", &ListViewEditable::HideSelection, &ListViewEditable::setHideSelection},
    {"HideColumnHeaders", &ListViewEditable::HideColumnHeaders, &ListViewEditable::setHideColumnHeaders},
    {"HotTracking", &ListViewEditable::HotTracking, &ListViewEditable::setHotTracking},
    {"HoverSelection", &ListViewEditable::HoverSelection, &ListViewEditable::setHoverSelection},
    {"MultiSelect", &ListViewEditable::MultiSelect, &ListViewEditable::setMultiSelect},
    {"SubitemSelect", &ListViewEditable::SubitemSelect, &ListViewEditable::setSubitemSelect},
    {"Enabled", &ListViewEditable::Enabled, &ListViewEditable::setEnabled},
    {"Visible", &ListViewEditable::Visible, &ListViewEditable::setVisible},
}};

using IntSet = void (ListViewEditable::*)(int32_t);

struct Choice {
    int index;
    const char *caption;
    IntSet set;
};

const Choice Choices[] = {
    {0, "MousePointer(&M):", &ListViewEditable::setMousePointer},
    {1, "View(&V):", &ListViewEditable::setView},
    {2, "Arrange(&R):", &ListViewEditable::setArrange},
    {4, "BorderStyle(&B):", &ListViewEditable::setBorderStyle},
    {5, "Appreance(&P):", &ListViewEditable::setAppearance},
};

} // namespace

pagGeneral::pagGeneral(QWidget *parent) : PropertyPage(QStringLiteral("pagGeneral"), QStringLiteral("General"), parent)
{
    auto *grid = new QGridLayout(this);
    int row = 0;
    for (const Choice &c : Choices) {
        QComboBox *combo = addCombo(c.index);
        grid->addWidget(addLabel(c.index, QString::fromUtf8(c.caption), combo), row, 0);
        grid->addWidget(combo, row, 1);
        ++row;
    }
    // The drag-and-drop modes are kept on the page but never shown, filled or written.
    const char *hidden[][2] = {{"6", "OLEDragMode(&G):"}, {"7", "OLEDropMode(&O):"}};
    for (const auto &h : hidden) {
        const int index = QByteArray(h[0]).toInt();
        QComboBox *combo = addCombo(index);
        QLabel *label = addLabel(index, QString::fromUtf8(h[1]), combo);
        combo->hide();
        label->hide();
    }
    grid->setRowStretch(row, 1);
    for (int i = 0; i < int(Switches.size()); ++i) {
        QCheckBox *box = addCheck(i, QString::fromUtf8(Switches[size_t(i)].caption));
        if (i == 17)
            box->hide();
        else
            grid->addWidget(box, i < 9 ? i : i - 9, i < 9 ? 2 : 3);
    }
}

void pagGeneral::PropertyPage_SelectionChanged(ListViewEditable *control)
{
    EditedControl = control;
    if (!control)
        return;
    FillMousePointerCombo(cboProp(0), control->MousePointer());
    FillViewCombo(cboProp(1), control->View());
    FillArrangeCombo(cboProp(2), control->Arrange());
    FillBorderStyleCombo(cboProp(4), control->BorderStyle());
    FillAppearanceCombo(cboProp(5), control->Appearance());
    for (int i = 0; i < int(Switches.size()); ++i)
        InitCheckBoxTag(chkProp(i), (control->*Switches[size_t(i)].get)() ? 1 : 0);
    QCoreApplication::processEvents();
}

std::vector<PropertyPage::Target> pagGeneral::Targets() const
{
    std::vector<Target> out;
    for (const Choice &c : Choices) {
        const IntSet set = c.set;
        out.push_back({QStringLiteral("cboProp"), c.index, Conversion::Whole,
                       [set](ListViewEditable &l, const QVariant &v) { (l.*set)(v.toInt()); }});
    }
    for (int i = 0; i < int(Switches.size()); ++i) {
        const BoolSet set = Switches[size_t(i)].set;
        out.push_back({QStringLiteral("chkProp"), i, Conversion::Boolean,
                       [set](ListViewEditable &l, const QVariant &v) { (l.*set)(v.toBool()); }});
    }
    return out;
}

} // namespace filelist

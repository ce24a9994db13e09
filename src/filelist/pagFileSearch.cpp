#include "pagFileSearch.h"

#include "ListViewEditable.h"
#include "modMSComctLib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace filelist {

pagFileSearch::pagFileSearch(QWidget *parent)
    : PropertyPage(QStringLiteral("pagFileSearch"), QStringLiteral("File Search"), parent)
{
    m_frame = new QGroupBox(QStringLiteral("File Search && DragDrop"), this);
    m_frame->setObjectName(QStringLiteral("fraFileSearch"));
    auto *grid = new QGridLayout(m_frame);
    QLineEdit *path = addText(0);
    QLineEdit *spec = addText(1);
    QLineEdit *frequency = addText(2);
    QPushButton *browse = addButton(0, QStringLiteral("Browse...."));
    QComboBox *types = addCombo(0);
    QLabel *labels[] = {addLabel(0, QStringLiteral("Path(&P):"), path), addLabel(1, QStringLiteral("FileSpec(&S):"), spec),
                        addLabel(2, QStringLiteral("UpdateFrequency(&U):"), frequency)};
    QWidget *editors[] = {path, spec, frequency};
    QWidget *besides[] = {browse, types, nullptr};
    for (int row = 0; row < 3; ++row) {
        labels[row]->setParent(m_frame);
        editors[row]->setParent(m_frame);
        grid->addWidget(labels[row], row, 0);
        grid->addWidget(editors[row], row, 1);
        if (besides[row]) {
            besides[row]->setParent(m_frame);
            grid->addWidget(besides[row], row, 2);
        }
    }
    const char *checks[] = {"Recursive Search(&R)", "Include Folders in Search Results(&F)",
                            "Allow File and Folder DragDrop(&D)"};
    for (int i = 0; i < 3; ++i) {
        QCheckBox *box = addCheck(i, QString::fromUtf8(checks[i]));
        box->setParent(m_frame);
        grid->addWidget(box, 3 + i, 0, 1, 3);
    }
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_frame);
    layout->addStretch(1);
}

void pagFileSearch::PropertyPage_SelectionChanged(ListViewEditable *control)
{
    EditedControl = control;
    if (!control)
        return;
    const QString spec = FillFileSpecCombo(cboProp(0), control->FileSpec());
    InitTextBoxTag(txtProp(0), control->Path());
    InitTextBoxTag(txtProp(1), spec);
    InitTextBoxTag(txtProp(2), QString::number(control->UpdateFrequency()));
    InitCheckBoxTag(chkProp(0), control->Recursive() ? 1 : 0);
    InitCheckBoxTag(chkProp(1), control->IncludeFolder() ? 1 : 0);
    InitCheckBoxTag(chkProp(2), control->AllowFileDragDrop() ? 1 : 0);
    setChanged(false);
}

void pagFileSearch::cboProp_Click(int Index)
{
    // Picking a file type only fills the FileSpec box; the box records the change itself.
    if (Index == 0)
        txtProp(1)->setText(FileSpecPattern(cboProp(0)->currentText()));
}

void pagFileSearch::cmdDo_Click(int Index)
{
    if (Index != 0 || !EditedControl)
        return;
    const QString folder = EditedControl->SelectDirectory(QStringLiteral("Select the search directory for "),
                                                          qintptr(winId()));
    if (!folder.isEmpty())
        txtProp(0)->setText(folder);
}

std::vector<PropertyPage::Target> pagFileSearch::Targets() const
{
    return {
        {QStringLiteral("chkProp"), 0, Conversion::Boolean, [](ListViewEditable &l, const QVariant &v) { l.setRecursive(v.toBool()); }},
        {QStringLiteral("chkProp"), 1, Conversion::Boolean,
         [](ListViewEditable &l, const QVariant &v) { l.setIncludeFolder(v.toBool()); }},
        {QStringLiteral("chkProp"), 2, Conversion::Boolean,
         [](ListViewEditable &l, const QVariant &v) { l.setAllowFileDragDrop(v.toBool()); }},
        {QStringLiteral("txtProp"), 0, Conversion::Text, [](ListViewEditable &l, const QVariant &v) { l.setPath(v.toString()); }},
        {QStringLiteral("txtProp"), 1, Conversion::Text,
         [](ListViewEditable &l, const QVariant &v) { l.setFileSpec(v.toString()); }},
        {QStringLiteral("txtProp"), 2, Conversion::Long,
         [](ListViewEditable &l, const QVariant &v) { l.setUpdateFrequency(v.toInt()); }},
    };
}

} // namespace filelist

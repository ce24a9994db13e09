#include "frmExtReplace.h"

#include "AppState.h"
#include "Grid.h"
#include "MessageService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace replacelists {

namespace {

QStringList extensionTokenItems()
{
    return {QStringLiteral("$Counter$"), QStringLiteral("$AlphaCounter$"),
            QStringLiteral("$Random String$"), QStringLiteral("$Exif Data$")};
}

} // namespace

frmExtReplace::frmExtReplace(AppState &app)
    : frmSReplace(app, Design{QStringLiteral("frmExtReplace"),
                              QStringLiteral("Replace File Extensions"),
                              extensionTokenItems(),
                              {75, 135, 6870, 5985},
                              {1380, 60, 1680, 315},
                              {4050, 7080, 1620, 405},
                              &AppState::ExtReplaceList,
                              false})
{
    renamewin::FormLayout &f = m_layout;
    // Wider than the design, so that the caption is not clipped in the wider fonts here.
    Check2 = f.check(frmTEXT, QStringLiteral("Check2"), QStringLiteral("Replace all extensions"),
                     {2355, 225, 2640, 270});
    Label3 = f.label(Frame1, QStringLiteral("Label3"), QStringLiteral("Replace All Extensions To:"),
                     {2070, 2520, 3195, 375});
    QFont big = Label3->font();
    big.setPointSize(12);
    Label3->setFont(big);
    Label3->lower();
    cmbExtAll = f.combo(Frame1, QStringLiteral("cmbExtAll"), extensionTokenItems(), true,
                        {2625, 3075, 1680, 315});
    cmbExtAll->setInsertPolicy(QComboBox::NoInsert);
    cmbExtAll->setCompleter(nullptr);
    cmbExtAll->setEditText(QString());
    cmbExtAll->hide();
    connect(Check2, &QCheckBox::toggled, this, &frmExtReplace::Check2_Click);
    connectTokenField(cmbExtAll, false);

    loadOnTop();
    cmbExtAll->setEditText(m_app.ReplaceAllExtTo);
    Check2->setChecked(m_app.ReplaceAllExt);
    loadGrid();
}

void frmExtReplace::Check2_Click()
{
    const bool all = Check2->isChecked();
    Check1->setEnabled(!all);
    endCellEdit();
    GridR->setVisible(!all);
    cmbExtAll->setVisible(all);
    for (QPushButton *button : {cmdClear, Command1, Command2})
        button->setVisible(!all);
}

bool frmExtReplace::refuseOK()
{
    if (!Check2->isChecked() || !cmbExtAll->currentText().trimmed().isEmpty())
        return false;
    MsgBox(QStringLiteral("Please give the extension that every file is to get."),
           msg::OKOnly | msg::Exclamation);
    cmbExtAll->setFocus();
    return true;
}

void frmExtReplace::storeMore()
{
    m_app.ReplaceAllExtTo = cmbExtAll->currentText();
    m_app.ReplaceAllExt = Check2->isChecked();
}

} // namespace replacelists

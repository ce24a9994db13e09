#include "frmAttr.h"
#include "ProgramTitle.h"

#include "AppState.h"
#include "FileAttributes.h"
#include "Functions.h"
#include "ListViewEditable.h"
#include "MessageService.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace mainwin {

frmAttr::frmAttr(AppState &state, frmMain &main) : QWidget(&main, Qt::Window), m_state(state), m_main(main)
{
    setObjectName(QStringLiteral("frmAttr"));
    setWindowTitle(QStringLiteral("Attributes"));
    setAttribute(Qt::WA_DeleteOnClose);

    Label1 = new QLabel(QStringLiteral("Change Attributes To:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto *boxes = new QGridLayout;
    for (size_t i = 0; i < Atbs.size(); ++i) {
        Atbs[i] = new QCheckBox(QLatin1String(AttributeBoxCaptions[i]), this);
        Atbs[i]->setObjectName(QStringLiteral("Atbs%1").arg(i));
        boxes->addWidget(Atbs[i], int(i % 3), int(i / 3));
        connect(Atbs[i], &QCheckBox::clicked, this, [this, i] { Atbs_MouseUp(int(i)); });
    }
    Command1 = new QPushButton(QStringLiteral("Change Attributes Now"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("Close"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(boxes);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &frmAttr::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmAttr::Command2_Click);
}

void frmAttr::Command1_Click()
{
    const filelist::ListItemsModel &rows = m_main.lvw2->ListItems();
    QProgressBar *bar = m_main.ProgBarM;
    const int32_t count = rows.Count();
    // A bar without a range would show the busy animation.
    bar->setMaximum(std::max(1, count));
    bar->setValue(0);
    m_main.Label10->setText(QStringLiteral("Changing Attributes..."));
    m_run = AttributeRun();
    for (int32_t i = 1; i <= count; ++i) {
        const filelist::ListItem &row = rows.Item(i);
        if (rows.Checked(i))
            DoAtr(row.SubItems(1) + row.Text);
        bar->setValue(std::min(i, bar->maximum()));
    }
    m_main.Label10->setText(QStringLiteral("Ready"));
    bar->setValue(0);
    const QString report = m_run.Report();
    if (!report.isEmpty() && m_state.services.messages)
        m_state.services.messages->MsgBox(report, msg::OKOnly | msg::Exclamation, kProgramTitle);
}

void frmAttr::Command2_Click()
{
    close();
}

void frmAttr::DoAtr(const QString &path)
{
    std::array<bool, 6> ticked{};
    for (size_t i = 0; i < Atbs.size(); ++i)
        ticked[i] = Atbs[i]->isChecked() && Atbs[i]->isEnabled();
    m_run.Apply(path, AttributeValue(ticked));
}

void frmAttr::Atbs_MouseUp(int)
{
    if (Atbs[0]->isChecked()) {
        ClrCks();
        Atbs[0]->setChecked(true);
    } else {
        Atbs[0]->setChecked(false);
    }
}

void frmAttr::ClrCks()
{
    for (QCheckBox *box : Atbs)
        box->setChecked(false);
}

void frmAttr::Attrib(const QString &folder, const QString &name)
{
    int value = fileattr::GetAttr(common::FixPathOf(folder) + name);
    ClrCks();
    if (value < 0)
        return;
    if (value == 0)
        Atbs[0]->setChecked(true);
    for (size_t i = Atbs.size() - 1; i >= 1; --i) {
        if (value >= AttributeBoxValues[i]) {
            Atbs[i]->setChecked(true);
            value -= AttributeBoxValues[i];
        }
    }
}

} // namespace mainwin

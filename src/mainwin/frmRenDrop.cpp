#include "frmRenDrop.h"
#include "ProgramTitle.h"
#include "ShellTypeName.h"

#include "Execute.h"
#include "Fso.h"
#include "MessageService.h"
#include "PreviewTable.h"
#include "RenameDropRun.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <utility>

namespace mainwin {

frmRenDrop::frmRenDrop(engine::PreviewTable &grid, MessageService &messages, QWidget *parent)
    : QDialog(parent), m_grid(grid), m_messages(messages), m_follower(grid)
{
    setWindowTitle(QStringLiteral("Morvane - Rename Drop"));
    Label1 = new QLabel(QStringLiteral("Original File Name:"), this);
    txtOrig = new QLineEdit(this);
    Label2 = new QLabel(QStringLiteral("Calculated File Name:"), this);
    txtCalc = new QLineEdit(this);
    Label3 = new QLabel(QStringLiteral("Rename To:"), this);
    txtModPath = new QLineEdit(this);
    txtModName = new QLineEdit(this);
    Command3 = new QPushButton(QStringLiteral("Rename"), this);
    Command2 = new QPushButton(QStringLiteral("Skip"), this);
    Command4 = new QPushButton(QStringLiteral("Rename All"), this);
    Command1 = new QPushButton(QStringLiteral("Skip All"), this);
    setObjectName(QStringLiteral("frmRenDrop"));
    const std::pair<QWidget *, const char *> names[] = {
        {Label1, "Label1"},     {txtOrig, "txtOrig"},       {Label2, "Label2"},
        {txtCalc, "txtCalc"},   {Label3, "Label3"},         {txtModPath, "txtModPath"},
        {txtModName, "txtModName"}, {Command3, "Command3"}, {Command2, "Command2"},
        {Command4, "Command4"}, {Command1, "Command1"}};
    for (const auto &[control, name] : names)
        control->setObjectName(QLatin1String(name));
    for (QLineEdit *box : {txtOrig, txtCalc, txtModPath, txtModName})
        box->setMinimumWidth(420);

    auto *layout = new QGridLayout(this);
    layout->addWidget(Label1, 0, 0, 1, 2);
    layout->addWidget(txtOrig, 1, 0, 1, 2);
    layout->addWidget(Label2, 2, 0, 1, 2);
    layout->addWidget(txtCalc, 3, 0, 1, 2);
    layout->addWidget(Label3, 4, 0, 1, 2);
    layout->addWidget(txtModPath, 5, 0);
    layout->addWidget(txtModName, 5, 1);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {Command3, Command2, Command4, Command1}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons, 6, 0, 1, 2);

    connect(Command1, &QPushButton::clicked, this, &frmRenDrop::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmRenDrop::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmRenDrop::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmRenDrop::Command4_Click);
    txtModName->installEventFilter(this);

    if (rowCount() >= 1)
        ShowDropRow(1);
}

size_t frmRenDrop::rowCount() const { return m_grid.Rows(); }

void frmRenDrop::ShowDropRow(size_t row)
{
    const engine::PreviewRow &r = m_grid.row(row);
    txtOrig->setText(r.Path + r.Original);
    txtCalc->setText(r.Path + r.Preview);
    txtModPath->setText(r.Path);
    txtModName->setText(r.Preview);
    txtModName->selectAll();
    CurrentRow = row;
}

bool frmRenDrop::RenameDropRow(size_t row, QString &error)
{
    const QString source = txtOrig->text();
    const QString target = txtModPath->text() + txtModName->text();
    const bool isFolder = m_grid.row(row).Type == ShellFolderTypeName;
    // The same item given twice (also as "d/./f" beside "d/f"): renamed by the first of its rows,
    // and no longer under its old name for the later one.
    const QString folder = fso::ParentOf(source);
    const QString name = fso::ItemName(source);
    m_renamed.forgetFolder();  // the user may have taken a while over this row
    if (const size_t first = m_renamed.renamedBy(folder, name)) {
        error = engine::RenamedItems::duplicateText(first);
        return false;
    }
    // The row's own checks, as the other renames make them: "." and ".." are no items, a missing
    // item fails even when its name stays, and no name is cut down to its extension.
    engine::PreviewRow check = m_grid.row(row);
    check.Preview = source == target ? check.Original : txtModName->text();
    if (vb::Status st = engine::CheckRenameRow(check); !st) {
        error = st.description;
        return false;
    }
    if (source == target)
        return true;
    vb::Status result = fso::CheckItemName(txtModName->text());
    if (result)
        result = MoveItem(source, target, m_grid.row(row).Type);
    if (!result) {
        error = result.description;
        return false;
    }
    m_renamed.renamed(folder, name, row, isFolder);
    // The later rows inside a renamed folder name their items under its new name.
    if (isFolder)
        m_follower.folderMoved(source + u'/', target + u'/');
    return true;
}

void frmRenDrop::Command3_Click()
{
    if (CurrentRow > rowCount())
        return;
    QString error;
    if (!RenameDropRow(CurrentRow, error)) {
        ++FailedMoves;
        m_messages.MsgBox(error, msg::OKOnly, kProgramTitle);
        return;
    }
    ++CurrentRow;
    if (CurrentRow > rowCount()) {
        m_messages.MsgBox(QStringLiteral("All Files Renamed"), msg::OKOnly, kProgramTitle);
        close();
    } else {
        ShowDropRow(CurrentRow);
    }
}

void frmRenDrop::Command2_Click()
{
    if (CurrentRow > rowCount())
        return;
    ++CurrentRow;
    if (CurrentRow <= rowCount())
        ShowDropRow(CurrentRow);
}

void frmRenDrop::Command4_Click()
{
    QStringList failures;
    for (size_t row = CurrentRow; row <= rowCount(); ++row) {
        ShowDropRow(row);
        QString error;
        if (!RenameDropRow(row, error)) {
            ++FailedMoves;
            failures << QStringLiteral("%1: %2").arg(txtOrig->text(), error);
        }
    }
    CurrentRow = rowCount() + 1;
    if (failures.isEmpty()) {
        m_messages.MsgBox(QStringLiteral("Files Renamed"), msg::OKOnly, kProgramTitle);
    } else {
        const int shown = 20;
        QString text = QStringLiteral("%1 of the files could not be renamed:\n").arg(failures.size());
        text += QStringList(failures.mid(0, shown)).join(u'\n');
        if (failures.size() > shown)
            text += QStringLiteral("\n...");
        m_messages.MsgBox(text, msg::OKOnly | msg::Exclamation, kProgramTitle);
    }
    close();
}

void frmRenDrop::Command1_Click() { close(); }

void frmRenDrop::reject()
{
    // Escape ends the run like the close box does, instead of only hiding the dialog.
    if (m_closing) {
        QDialog::reject();
        return;
    }
    m_closing = true;
    close();
}

void frmRenDrop::closeEvent(QCloseEvent *event)
{
    m_closing = true;
    QDialog::closeEvent(event);
    if (!m_unloaded) {
        m_unloaded = true;
        emit unloaded();
    }
}

bool frmRenDrop::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtModName && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtModName, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

} // namespace mainwin

#include "frmRenListMan.h"

#include "AtomicFile.h"
#include "MessageService.h"
#include "RenameConfigFile.h"
#include "RenameConfigFolder.h"
#include "frmRenamer.h"

#include <QAction>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>

namespace settingsfiles {

namespace {

const QString RenamerTitle = QStringLiteral("Renamer");
const QString ProductTitle = QStringLiteral("Morvane");
constexpr int DeleteKeyCode = 46;

} // namespace

frmRenListMan::frmRenListMan(renamewin::frmRenamer &renamer)
    : QWidget(nullptr, Qt::Window), m_renamer(renamer), m_layout(this, 7380, 5520)
{
    setObjectName(QStringLiteral("frmRenListMan"));
    setWindowTitle(QStringLiteral("Rename Configurations Manager"));
    setAttribute(Qt::WA_DeleteOnClose);

    renamewin::FormLayout &f = m_layout;
    list1 = f.list(this, QStringLiteral("list1"), {15, 45, 7305, 4155});
    Frame1 = f.frame(this, QStringLiteral("Frame1"), QString(), {45, 4320, 3375, 1140});
    Text1 = f.text(Frame1, QStringLiteral("Text1"), QString(), {30, 120, 3270, 375});
    Command1 = f.button(Frame1, QStringLiteral("Command1"), QStringLiteral("Save Rename Config"),
                        {630, 645, 2040, 375});
    Command2 = f.button(this, QStringLiteral("Command2"),
                        QStringLiteral("Load Selected Rename Config"), {3570, 4425, 2490, 375});
    Command3 = f.button(this, QStringLiteral("Command3"), QStringLiteral("Close"),
                        {6255, 5085, 1095, 375});
    setTabOrder(list1, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);

    mnuEdit = new QMenu(QStringLiteral("Edit"), this);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuLoad = mnuEdit->addAction(QStringLiteral("Load Selected"));
    mnuLoad->setObjectName(QStringLiteral("mnuLoad"));
    mnuDelete = mnuEdit->addAction(QStringLiteral("Delete"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));

    resize(m_layout.designSize());
    // Smaller, the buttons, whose fonts do not shrink, would overlap.
    setMinimumSize(m_layout.designSize());
    setupConnections();
    Form_Load();
}

void frmRenListMan::setupConnections()
{
    connect(Command1, &QPushButton::clicked, this, &frmRenListMan::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmRenListMan::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmRenListMan::Command3_Click);
    connect(list1, &QListWidget::itemSelectionChanged, this, &frmRenListMan::list1_Click);
    connect(list1, &QListWidget::itemClicked, this, &frmRenListMan::list1_Click);
    connect(list1, &QListWidget::itemDoubleClicked, this, &frmRenListMan::Command2_Click);
    connect(mnuLoad, &QAction::triggered, this, &frmRenListMan::mnuLoad_Click);
    connect(mnuDelete, &QAction::triggered, this, &frmRenListMan::mnuDelete_Click);
    list1->installEventFilter(this);
    list1->viewport()->installEventFilter(this);
}

void frmRenListMan::Form_Load()
{
    const RenameConfigFolder folder;
    if (!folder.exists()) {
        folder.create();
        return;
    }
    list1->addItems(folder.names());
}

void frmRenListMan::Command1_Click()
{
    SaveRenameConfig();
}

void frmRenListMan::Command2_Click()
{
    LoadRenameConfig();
}

void frmRenListMan::Command3_Click()
{
    close();
}

void frmRenListMan::list1_Click()
{
    if (const int row = selectedRow(); row >= 0)
        Text1->setText(list1->item(row)->text());
}

void frmRenListMan::list1_KeyDown(int keyCode)
{
    if (keyCode == DeleteKeyCode)
        DeleteRenameConfig();
}

void frmRenListMan::list1_MouseDown(int button, QPoint globalPos)
{
    if (button == 2)
        mnuEdit->popup(globalPos);
}

void frmRenListMan::mnuLoad_Click()
{
    LoadRenameConfig();
}

void frmRenListMan::mnuDelete_Click()
{
    DeleteRenameConfig();
}

void frmRenListMan::SaveRenameConfig()
{
    const QString name = Text1->text();
    if (name.trimmed().isEmpty()) {
        MsgBox(QStringLiteral("Please give a rename config name"), msg::Information, RenamerTitle);
        return;
    }
    if (vb::Status st = RenameConfigFolder::checkName(name); !st) {
        MsgBox(st.description, msg::OKOnly, ProductTitle);
        return;
    }

    // The entry of exactly this name when there is one, else one that differs only in case.
    int listed = -1;
    for (int row = 0; row < list1->count(); ++row) {
        const QString entry = list1->item(row)->text();
        if (entry == name) {
            listed = row;
            break;
        }
        if (listed < 0 && RenameConfigFolder::sameName(entry, name))
            listed = row;
    }
    if (listed >= 0
        && MsgBox(QStringLiteral("Config Name already exists. Do You wish to Overwrite?"),
                  msg::YesNo, ProductTitle) != msg::Yes)
        return;

    // An overwrite replaces the file of the listed configuration, whatever the case of its name.
    const RenameConfigFolder folder;
    vb::Status st = folder.create();
    const QString file = folder.fileOf(listed >= 0 ? list1->item(listed)->text() : name);
    if (st)
        st = WriteRenameConfigFile(file, m_renamer.renameSettings(), m_renamer.windowState());
    if (!st) {
        MsgBox(textfile::saveFailureText(QStringLiteral("rename config file"), file, st), msg::OKOnly, ProductTitle);
        return;
    }
    if (listed >= 0)
        removeEntry(listed);
    list1->addItem(name);
}

void frmRenListMan::LoadRenameConfig()
{
    const int row = selectedRow();
    if (row < 0) {
        MsgBox(QStringLiteral("Please select the rename config to load"), msg::Information,
               RenamerTitle);
        return;
    }
    // The whole file is read and checked before the rename window changes at all.
    engine::RenameSettings settings = m_renamer.renameSettings();
    RenameWindowState state = m_renamer.windowState();
    const LoadResult loaded = LoadRenameConfigFile(
        RenameConfigFolder().fileOf(list1->item(row)->text()), settings, state);
    if (!loaded) {
        MsgBox(loaded.message, msg::Information, RenamerTitle);
        return;
    }
    m_renamer.applySettings(settings, state);
}

void frmRenListMan::DeleteRenameConfig()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    // A file that is already gone leaves nothing to keep; any other failure keeps the entry.
    const vb::Status st = RenameConfigFolder().remove(list1->item(row)->text());
    if (!st && st.number != vb::FileNotFound) {
        MsgBox(st.description, msg::OKOnly, ProductTitle);
        return;
    }
    removeEntry(row);
}

int frmRenListMan::selectedRow() const
{
    const QList<QListWidgetItem *> selected = list1->selectedItems();
    return selected.isEmpty() ? -1 : list1->row(selected.first());
}

void frmRenListMan::removeEntry(int row)
{
    // The list moves its selection to a neighbour on its own; nothing is picked by that.
    const bool wasSelected = selectedRow() == row;
    const QSignalBlocker quiet(list1);
    delete list1->takeItem(row);
    if (wasSelected)
        list1->setCurrentItem(nullptr);
}

int frmRenListMan::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    return m_renamer.MsgBox(prompt, buttons, title);
}

void frmRenListMan::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_layout.ResizeForm();
}

bool frmRenListMan::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list1 && event->type() == QEvent::KeyPress) {
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
            list1_KeyDown(DeleteKeyCode);
            return true;
        }
    } else if (watched == list1->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease: {
            // The right button opens the pop-up menu and leaves the selection alone.
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() != Qt::RightButton)
                break;
            if (event->type() == QEvent::MouseButtonPress)
                list1_MouseDown(2, mouse->globalPosition().toPoint());
            return true;
        }
        case QEvent::ContextMenu:
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace settingsfiles

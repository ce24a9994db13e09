#include "frmListMan.h"
#include "ProgramTitle.h"

#include "AppState.h"
#include "AtomicFile.h"
#include "Fso.h"
#include "Functions.h"
#include "ListViewEditable.h"
#include "MessageService.h"
#include "NamedFileLists.h"
#include "Resize.h"
#include "StartupCommandLine.h"
#include "frmMain.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <utility>
#include <vector>

namespace mainwin {

namespace {
const QString kListManTitle = QStringLiteral("File Lists");
constexpr QSize kListManClient(420, 330);
const QString kSelectList = QStringLiteral("Please select the file list to load");
} // namespace

frmListMan::frmListMan(AppState &state, frmMain &main) : QWidget(&main, Qt::Window), m_state(state), m_main(main)
{
    setObjectName(QStringLiteral("frmListMan"));
    setWindowTitle(kListManTitle);
    setAttribute(Qt::WA_DeleteOnClose);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setPlaceholderText(QStringLiteral("Name of the new file list"));
    Command1 = new QPushButton(QStringLiteral("Save File List"), Frame1);
    Command1->setObjectName(QStringLiteral("Command1"));
    list1 = new QListWidget(Frame1);
    list1->setObjectName(QStringLiteral("list1"));
    list1->setSelectionMode(QAbstractItemView::SingleSelection);
    list1->setContextMenuPolicy(Qt::CustomContextMenu);
    Command2 = new QPushButton(QStringLiteral("Load Selected File List"), Frame1);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command4 = new QPushButton(QStringLiteral("OK"), Frame1);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command3 = new QPushButton(QStringLiteral("Close"), Frame1);
    Command3->setObjectName(QStringLiteral("Command3"));

    // Every control at its design place; they keep their proportions as the window is resized.
    const std::pair<QWidget *, QRect> design[] = {
        {Frame1, QRect(6, 4, 408, 320)},    {Text1, QRect(10, 18, 262, 26)},    {Command1, QRect(280, 17, 118, 28)},
        {list1, QRect(10, 52, 388, 222)},   {Command2, QRect(10, 282, 172, 28)}, {Command4, QRect(190, 282, 100, 28)},
        {Command3, QRect(298, 282, 100, 28)},
    };
    std::vector<std::pair<const QWidget *, QRect>> recorded;
    for (const auto &[control, at] : design) {
        control->setGeometry(at);
        recorded.emplace_back(control, at);
    }
    common::RecordForm(this, kListManClient, recorded);

    mnuEdit = new QMenu(QStringLiteral("Edit"), this);
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuLoad = mnuEdit->addAction(QStringLiteral("Load Selected"));
    mnuLoad->setObjectName(QStringLiteral("mnuLoad"));
    mnuDelete = mnuEdit->addAction(QStringLiteral("Delete"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));

    connect(Command1, &QPushButton::clicked, this, &frmListMan::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmListMan::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmListMan::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &frmListMan::Command4_Click);
    connect(mnuLoad, &QAction::triggered, this, &frmListMan::mnuLoad_Click);
    connect(mnuDelete, &QAction::triggered, this, &frmListMan::mnuDelete_Click);
    connect(list1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { mnuEdit->popup(list1->viewport()->mapToGlobal(at)); });
    list1->installEventFilter(this);
    // Larger sizes scale the controls up; below the design they would no longer be usable.
    setMinimumSize(kListManClient);
    resize(kListManClient);
    Form_Load();
}

void frmListMan::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    common::ResizeForm(this);
}

void frmListMan::Form_Load()
{
    list1->addItems(NamedFileLists::Names());
}

int frmListMan::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    return m_state.services.messages ? m_state.services.messages->MsgBox(prompt, buttons, title) : msg::OK;
}

QString frmListMan::SelectedName() const
{
    const QList<QListWidgetItem *> selected = list1->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void frmListMan::SaveNamedList()
{
    AppState &s = m_state;
    const QString name = Text1->text();
    if (name.isEmpty()) {
        MsgBox(QStringLiteral("Please give a file list name"), msg::Information, kListManTitle);
        return;
    }
    m_main.GetSelected();
    if (s.SelFileCount == 0) {
        MsgBox(s.CurrentFileSpec == QLatin1String("*.*") ? QStringLiteral("Please select the file type and files")
                                                         : QStringLiteral("Please select files"),
               msg::Information, kListManTitle);
        return;
    }
    for (int i = 0; i < list1->count(); ++i) {
        if (list1->item(i)->text().toUpper() == name.toUpper()) {
            MsgBox(QStringLiteral("File List Name already exists.Please give a different name"), msg::OKOnly,
                   kProgramTitle);
            return;
        }
    }
    if (const QString why = NamedFileLists::NameRefusal(name); !why.isEmpty()) {
        MsgBox(why, msg::Information, kListManTitle);
        return;
    }

    QStringList paths;
    const filelist::ListItemsModel &rows = m_main.lvw2->ListItems();
    for (int32_t i = 1; i <= rows.Count(); ++i) {
        QString folder = rows.Item(i).SubItems(1);
        if (rows.Checked(i))
            paths << common::FixPath(folder) + rows.Item(i).Text;
    }
    const vb::Status saved = NamedFileLists::Save(name, paths);
    if (!saved) {
        MsgBox(textfile::saveFailureText(QStringLiteral("file list"), NamedFileLists::PathOf(name), saved), msg::OKOnly,
               kProgramTitle);
        return;
    }
    // Listed only once the file is there.
    list1->addItem(name);
}

void frmListMan::LoadNamedList()
{
    const QString name = SelectedName();
    if (name.isEmpty()) {
        MsgBox(kSelectList, msg::Information, kListManTitle);
        return;
    }
    QStringList lines;
    if (const vb::Status read = NamedFileLists::Read(name, lines); !read) {
        // A list that cannot be read leaves the main list as it was.
        MsgBox(read.description, msg::OKOnly, kProgramTitle);
        return;
    }

    filelist::ListViewEditable &lvw2 = *m_main.lvw2;
    m_main.EmptyMainList();
    lvw2.ListItems().BeginBatch();
    const QString *missing = nullptr;
    for (const QString &line : lines) {
        // Loading stops at the first item that is not a file; the rows before it stay.
        if (!fso::FileExists(line)) {
            missing = &line;
            break;
        }
        lvw2.AddFile(GetPathPart(line, true), GetPathPart(line, false));
    }
    lvw2.ListItems().EndBatch();
    if (missing)
        MsgBox(*missing + QStringLiteral(" does not exist"), msg::OKOnly, kProgramTitle);
    lvw2.setCheckedAll(m_state.CheckAllOnLoad == 1);
    m_main.GetSelected();
    lvw2.setSortKey(1);
    lvw2.setSorted(true);
}

void frmListMan::Command3_Click()
{
    close();
}

void frmListMan::Command4_Click()
{
    if (SelectedName().isEmpty()) {
        MsgBox(kSelectList, msg::Information, QStringLiteral("Corvisk"));
        return;
    }
    LoadNamedList();
    close();
}

void frmListMan::mnuDelete_Click()
{
    QListWidgetItem *item = list1->selectedItems().value(0);
    if (!item)
        return;
    const vb::Status removed = NamedFileLists::Remove(item->text());
    if (!removed && removed.number != vb::FileNotFound) {
        // The name stays while its file does.
        MsgBox(removed.description, msg::OKOnly, kProgramTitle);
        return;
    }
    delete item;
}

bool frmListMan::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        mnuDelete_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace mainwin

// The main window's saved file lists (menu "FileList"), its bookmark buttons and the windows
// they open: the bookmarks window, the bookmark-name dialog, the list manager and the
// attribute dialog.
#include "frmMain.h"
#include "ProgramTitle.h"

#include "AppState.h"
#include "AtomicFile.h"
#include "BookmarkStore.h"
#include "ColumnReport.h"
#include "Dialogs.h"
#include "FolderTree.h"
#include "Fso.h"
#include "Functions.h"
#include "ListViewEditable.h"
#include "MessageService.h"
#include "PathCodec.h"
#include "SavedFileList.h"
#include "TextFile.h"
#include "WindowHelpers.h"
#include "frmAttr.h"
#include "frmBName.h"
#include "frmBookmarks.h"
#include "frmListMan.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <cerrno>
#include <sys/stat.h>

namespace mainwin {

namespace {

const QString kListFilter = QStringLiteral("List (*.lst)");

} // namespace

void frmMain::buildFileListMenu()
{
    auto *menu = new QMenu(QStringLiteral("FileList"), this);
    menu->setObjectName(QStringLiteral("mnuFileList"));
    mnuFLoad = menu->addAction(QStringLiteral("Load File List"));
    mnuFLoad->setObjectName(QStringLiteral("mnuFLoad"));
    mnuFSave = menu->addAction(QStringLiteral("Save File List"));
    mnuFSave->setObjectName(QStringLiteral("mnuFSave"));
    // Beside the other menus, before "Help".
    const QList<QAction *> menus = menuBar()->actions();
    menuBar()->insertMenu(menus.isEmpty() ? nullptr : menus.last(), menu);
}

QLayout *frmMain::buildBookmarkButtons(QWidget *pane)
{
    cmdBookmarks = new QPushButton(QStringLiteral("BookMarks"), pane);
    cmdBookmarks->setObjectName(QStringLiteral("cmdBookmarks"));
    cmdBookmarks->setToolTip(QStringLiteral("Manage/Load Your Bookmarks"));
    Command5 = new QPushButton(QStringLiteral("+"), pane);
    Command5->setObjectName(QStringLiteral("Command5"));
    Command5->setToolTip(QStringLiteral("Add Selected Folder to BookMarks"));
    QFont plus = Command5->font();
    plus.setBold(true);
    plus.setPointSizeF(plus.pointSizeF() * 1.3);
    Command5->setFont(plus);
    Command5->setFixedWidth(Command5->sizeHint().height() + 8);
    auto *row = new QHBoxLayout;
    row->addWidget(cmdBookmarks, 1);
    row->addWidget(Command5);
    return row;
}

void frmMain::setupToolConnections()
{
    connect(mnuFLoad, &QAction::triggered, this, &frmMain::mnuFLoad_Click);
    connect(mnuFSave, &QAction::triggered, this, &frmMain::mnuFSave_Click);
    connect(cmdBookmarks, &QPushButton::clicked, this, &frmMain::cmdBookmarks_Click);
    connect(Command5, &QPushButton::clicked, this, &frmMain::Command5_Click);
    connect(this, &frmMain::attributesRequested, this, [this] { ShowNormal(&Attr()); });
    connect(this, &frmMain::fileListsRequested, this, [this] { ShowNormal(&ListMan()); });
    connect(this, &frmMain::onTopTaken, this, &frmMain::ClearBookmarksOnTop);
    connect(this, &frmMain::unloading, this, [this] {
        // In the order the program has always closed them; the bookmarks window writes its file.
        for (QWidget *w : std::initializer_list<QWidget *>{m_bookmarks, m_bname, m_listMan, m_attr})
            if (w)
                w->close();
    });
}

void frmMain::ShowNormal(QWidget *window)
{
    window->setWindowState(window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    // A window shown for the first time opens over the middle of the main window.
    if (!window->testAttribute(Qt::WA_WState_ExplicitShowHide) && !window->isVisible()) {
        QRect frame(QPoint(), window->frameGeometry().size());
        frame.moveCenter(frameGeometry().center());
        window->move(frame.topLeft());
    }
    // Above the program's "On Top" windows too, where the user sees what takes the keyboard.
    common::BringToFront(window);
}

// ---- Saved file lists -----------------------------------------------------------------------

void frmMain::EmptyMainList()
{
    lvw2->ClearItems();
}

void frmMain::LoadFileList()
{
    MessageService *messages = m_state.services.messages;
    if (!m_state.services.dialogs)
        return;
    const QString path = m_state.services.dialogs->getOpenFileName(QStringLiteral("Load File List"), QString(), kListFilter);
    if (path.isEmpty())
        return;
    const SavedFileListLoad loaded = SavedFileList::load(path);
    if (!loaded) {
        // The list stays as it was.
        if (messages) {
            if (loaded.message == SavedFileList::InvalidFileMessage())
                messages->MsgBox(loaded.message, msg::Information, QStringLiteral("Corvisk"));
            else
                messages->MsgBox(loaded.message, msg::OKOnly, kProgramTitle);
        }
        return;
    }
    EmptyMainList();
    filelist::ListItemsModel &rows = lvw2->ListItems();
    // An entry that is gone (or cannot be reached) gets no row; the skipped entries are named in
    // one message after the rows are in. A link is an item of its own, whether its target
    // exists or not.
    QStringList failures;
    rows.BeginBatch();
    for (const FileListEntry &entry : loaded.Entries) {
        struct stat st {};
        const QString path = entry.Folder + entry.Name;
        if (::lstat(pathcodec::encode(path).constData(), &st) != 0) {
            failures << pathcodec::printable(path) + QStringLiteral(": ")
                    + vb::errorText(fso::errorNumberFromErrno(errno));
            continue;
        }
        lvw2->AddFile(entry.Folder, entry.Name);
    }
    rows.EndBatch();
    if (messages && !failures.isEmpty())
        messages->MsgBox(SkippedEntriesMessage(failures), msg::OKOnly | msg::Exclamation,
                         QStringLiteral("Load File List"));
    lvw2->setCheckedAll(true);
    GetSelected();
}

QString frmMain::SkippedEntriesMessage(const QStringList &failures)
{
    constexpr qsizetype Named = 5;
    QString text = failures.size() == 1 ? QStringLiteral("1 entry of the list was skipped:")
                                        : QStringLiteral("%1 entries of the list were skipped:").arg(failures.size());
    for (qsizetype i = 0; i < failures.size() && i < Named; ++i)
        text += u'\n' + failures.at(i);
    if (failures.size() > Named)
        text += QStringLiteral("\n(and %1 more)").arg(failures.size() - Named);
    return text;
}

void frmMain::WriteColumnReport(const QString &outputPath)
{
    // Nothing in the program calls this: it is kept as the list tools have it.
    const QString output = outputPath.isEmpty() ? DefaultColumnReportPath() : outputPath;
    QStringList report;
    const QString input = m_state.services.dialogs
                              ? m_state.services.dialogs->getOpenFileName(QString(), QString(), QStringLiteral("*.txt"))
                              : QString();
    if (!input.isEmpty()) {
        EmptyMainList();
        QStringList lines;
        if (textfile::readLines(input, lines, textfile::MaxListFileBytes))
            report = ColumnReportLines(lines);
        lvw2->setCheckedAll(true);
        GetSelected();
    }
    // The report file is made in every case, empty when no input was chosen.
    const vb::Status written = textfile::writeLines(output, report);
    if (!written && m_state.services.messages)
        m_state.services.messages->MsgBox(written.description, msg::OKOnly | msg::Exclamation, kProgramTitle);
}

void frmMain::SaveFileList()
{
    if (!m_state.services.dialogs)
        return;
    QString path = m_state.services.dialogs->getSaveFileName(QStringLiteral("Save File List"), QString(), kListFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty()) {
        // The dialog asked about the name as typed; the name with its extension is asked here.
        path += QStringLiteral(".lst");
        const QString question = QFileInfo(path).fileName() + QStringLiteral(" already exists.\nDo you want to replace it?");
        if (QFileInfo::exists(path) && m_state.services.messages
            && m_state.services.messages->MsgBox(question, msg::YesNo | msg::Exclamation, QStringLiteral("Save File List"))
                   != msg::Yes)
            return;
    }
    GetSelected();
    std::vector<FileListEntry> entries;
    const filelist::ListItemsModel &rows = lvw2->ListItems();
    for (int32_t i = 1; i <= rows.Count(); ++i)
        if (rows.Checked(i))
            entries.push_back({rows.Item(i).SubItems(1), rows.Item(i).Text});
    const vb::Status written = SavedFileList::save(path, entries);
    if (!written && m_state.services.messages)
        m_state.services.messages->MsgBox(textfile::saveFailureText(QStringLiteral("file list"), path, written),
                                          msg::OKOnly | msg::Exclamation, kProgramTitle);
}

// ---- Bookmarks --------------------------------------------------------------------------------

frmBookmarks &frmMain::Bookmarks()
{
    if (!m_bookmarks) {
        m_bookmarks = new frmBookmarks(m_state, this);
        connect(m_bookmarks, &frmBookmarks::bookmarkChosen, this, [this](const QString &folder) {
            // Selecting a folder in the tree lists it, as the load's selection of the last
            // folder does; a folder that is gone changes nothing.
            ftv->SetSelectedFolder(folder);
            if (!folder.isEmpty() && ftv->SelectedFolder() == folder)
                ftv_FolderClick(FolderTree::OnItemLabel);
            else if (pathcodec::hasRawBytes(folder) && fso::FolderExists(folder) && m_state.services.messages)
                // Kept as its bytes, but the tree cannot hold such a name: said, not passed over.
                m_state.services.messages->MsgBox(
                    QStringLiteral("The bookmarked folder \"%1\" cannot be opened in the folder tree: its name is "
                                   "not UTF-8.")
                        .arg(pathcodec::printable(folder)),
                    msg::OKOnly | msg::Exclamation, kProgramTitle);
        });
        connect(m_bookmarks, &frmBookmarks::onTopTaken, this, [this] {
            chkOnTop->setChecked(false);
            emit bookmarksOnTopTaken();
        });
    }
    return *m_bookmarks;
}

frmBName &frmMain::BName()
{
    if (!m_bname)
        m_bname = new frmBName(m_state, *this);
    return *m_bname;
}

void frmMain::cmdBookmarks_Click()
{
    ShowNormal(&Bookmarks());
}

void frmMain::Command5_Click()
{
    const QString folder = ftv->SelectedFolder();
    if (folder.isEmpty())
        return;
    frmBookmarks &bookmarks = Bookmarks();
    if (m_state.SkipBookmarkName == 0) {
        frmBName &dialog = BName();
        const QPoint buttonRight = Command5->mapToGlobal(QPoint(Command5->width(), 0));
        dialog.move(buttonRight.x(), geometry().top() + common::twipsToPixels(2000));
        common::BringToFront(&dialog);
        return;
    }
    bookmarks.AddBookmark(bookmarks.Store().DefaultName(), folder);
}

void frmMain::ClearBookmarksOnTop()
{
    if (m_bookmarks)
        m_bookmarks->ClearOnTop();
}

// ---- List manager and attributes ------------------------------------------------------------

frmListMan &frmMain::ListMan()
{
    if (!m_listMan)
        m_listMan = new frmListMan(m_state, *this);
    return *m_listMan;
}

frmAttr &frmMain::Attr()
{
    if (!m_attr)
        m_attr = new frmAttr(m_state, *this);
    return *m_attr;
}

} // namespace mainwin

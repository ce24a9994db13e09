#include "frmBookmarks.h"
#include "ProgramTitle.h"

#include "AppState.h"
#include "AtomicFile.h"
#include "MessageService.h"
#include "Resize.h"
#include "TextFile.h"
#include "WindowHelpers.h"

#include <QCloseEvent>
#include <QRect>
#include <QSize>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace mainwin {

namespace {
// The window's code in TopMostWindow.
constexpr int16_t OnTopCode = 5;
// The design: the inner size and the two lists, in pixels.
constexpr QSize kBookmarksClient(520, 300);
constexpr QRect kNamesDesign(0, 0, 173, 300);
constexpr QRect kBookmarksDesign(173, 0, 347, 300);
} // namespace

frmBookmarks::frmBookmarks(AppState &state, QWidget *parent) : QWidget(parent, Qt::Window), m_state(state)
{
    setObjectName(QStringLiteral("frmBookmarks"));
    setWindowTitle(QStringLiteral("Bookmarks"));
    setAttribute(Qt::WA_DeleteOnClose);

    // The two lists side by side; they keep their proportions as the window is resized.
    lstNames = new QListWidget(this);
    lstNames->setObjectName(QStringLiteral("lstNames"));
    lstBookmarks = new QListWidget(this);
    lstBookmarks->setObjectName(QStringLiteral("lstBookmarks"));
    lstNames->setGeometry(kNamesDesign);
    lstBookmarks->setGeometry(kBookmarksDesign);

    mnuPopup = new QMenu(this);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuDelete = mnuPopup->addAction(QStringLiteral("Delete"));
    mnuDelete->setObjectName(QStringLiteral("mnuDelete"));
    mnuOnTop = mnuPopup->addAction(QStringLiteral("Always on Top"));
    mnuOnTop->setObjectName(QStringLiteral("mnuOnTop"));
    mnuOnTop->setCheckable(true);
    mnuClearAll = mnuPopup->addAction(QStringLiteral("Clear All"));
    mnuClearAll->setObjectName(QStringLiteral("mnuClearAll"));
    // The menu's actions act on the tick themselves.
    connect(mnuDelete, &QAction::triggered, this, &frmBookmarks::mnuDelete_Click);
    connect(mnuOnTop, &QAction::triggered, this, [this] {
        mnuOnTop->setChecked(!mnuOnTop->isChecked());
        mnuOnTop_Click();
    });
    connect(mnuClearAll, &QAction::triggered, this, &frmBookmarks::mnuClearAll_Click);

    for (QListWidget *list : {lstNames, lstBookmarks}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        list->viewport()->installEventFilter(this);
        list->installEventFilter(this);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint &at) {
            m_menuList = list;
            mnuPopup->popup(list->viewport()->mapToGlobal(at));
        });
        // Both lists show the same bookmark, however the selection moved.
        connect(list, &QListWidget::currentRowChanged, this, [this](int row) { SelectRow(row); });
    }
    common::RecordForm(this, kBookmarksClient, {{lstNames, kNamesDesign}, {lstBookmarks, kBookmarksDesign}});
    // Larger sizes scale the controls up; below the design they would no longer be usable.
    setMinimumSize(kBookmarksClient);
    resize(kBookmarksClient);
    Form_Load();
}

void frmBookmarks::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmBookmarks::Form_Resize()
{
    common::ResizeForm(this);
    QRect names = lstNames->geometry();
    names.setTop(lstBookmarks->y());
    names.setHeight(lstBookmarks->height());
    lstNames->setGeometry(names);
    common::SetListHScroll(lstNames);
    common::SetListHScroll(lstBookmarks);
}

void frmBookmarks::Form_Load()
{
    // A file that cannot be read is said once, here; it is then left as it is on unload.
    if (const vb::Status read = m_store.Load(BookmarkStore::FilePath()); !read && m_state.services.messages)
        m_state.services.messages->MsgBox(
            QStringLiteral("The bookmarks file %1 could not be read: %2\nIt will be left as it is; bookmarks "
                           "added now will not be kept.")
                .arg(textfile::quoted(BookmarkStore::FilePath()), read.description),
            msg::OKOnly | msg::Exclamation, kProgramTitle);
    FillLists();
    if (m_state.TopMostWindow == OnTopCode) {
        mnuOnTop->setChecked(true);
        common::SetWindowTopMost(this, true);
    }
}

void frmBookmarks::FillLists()
{
    const QSignalBlocker blockNames(lstNames);
    const QSignalBlocker blockFolders(lstBookmarks);
    lstNames->clear();
    lstBookmarks->clear();
    for (const Bookmark &b : m_store.Items()) {
        lstNames->addItem(b.Name);
        lstBookmarks->addItem(b.Folder);
    }
    common::SetListHScroll(lstNames);
    common::SetListHScroll(lstBookmarks);
}

void frmBookmarks::SelectRow(int row)
{
    for (QListWidget *list : {lstNames, lstBookmarks}) {
        const QSignalBlocker block(list);
        list->setCurrentRow(row);
    }
}

int frmBookmarks::RowOf(const QListWidget *list) const
{
    const int row = list->currentRow();
    if (row < 0 || size_t(row) >= m_store.Count() || !list->item(row)->isSelected())
        return -1;
    return row;
}

void frmBookmarks::AddBookmark(const QString &name, const QString &folder)
{
    const vb::Status added = m_store.Add(name, folder);
    if (!added) {
        if (m_state.services.messages)
            m_state.services.messages->MsgBox(added.description, msg::OKOnly | msg::Exclamation, kProgramTitle);
        return;
    }
    FillLists();
}

void frmBookmarks::DeleteRow(int row)
{
    if (row < 0)
        return;
    m_store.RemoveAt(size_t(row));
    FillLists();
    if (m_store.Count() > 0)
        SelectRow(std::min(row, int(m_store.Count()) - 1));
}

void frmBookmarks::mnuDelete_Click()
{
    DeleteRow(RowOf(m_menuList ? m_menuList : lstNames));
}

void frmBookmarks::mnuClearAll_Click()
{
    m_store.Clear();
    FillLists();
}

void frmBookmarks::mnuOnTop_Click()
{
    if (!mnuOnTop->isChecked()) {
        mnuOnTop->setChecked(true);
        // The other windows clear their boxes first; their handlers reset TopMostWindow, so
        // this window's choice is stored after them.
        emit onTopTaken();
        m_state.TopMostWindow = OnTopCode;
        common::SetWindowTopMost(this, true);
    } else {
        m_state.TopMostWindow = 0;
        common::SetWindowTopMost(this, false);
        mnuOnTop->setChecked(false);
    }
}

void frmBookmarks::ClearOnTop()
{
    mnuOnTop->setChecked(false);
    common::SetWindowTopMost(this, false);
}

bool frmBookmarks::eventFilter(QObject *watched, QEvent *event)
{
    for (QListWidget *list : {lstNames, lstBookmarks}) {
        if (watched == list->viewport() && event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const int row = list->indexAt(mouse->position().toPoint()).row();
            if (mouse->button() == Qt::LeftButton && row >= 0) {
                SelectRow(row);
                emit bookmarkChosen(m_store.At(size_t(row)).Folder);
            }
        } else if (watched == list && event->type() == QEvent::KeyPress
                   && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
            DeleteRow(RowOf(list));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmBookmarks::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_store.ReadFailed())
        return;
    const QString path = BookmarkStore::FilePath();
    const vb::Status written = m_store.Save(path);
    if (!written && m_state.services.messages)
        m_state.services.messages->MsgBox(textfile::saveFailureText(QStringLiteral("bookmarks file"), path, written),
                                          msg::OKOnly | msg::Exclamation, kProgramTitle);
}

void frmBookmarks::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

} // namespace mainwin

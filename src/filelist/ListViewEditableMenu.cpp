// The file list control: the popup menu's commands, copy and move of the checked items, and the
// procedures no menu entry reaches.
#include "ListViewEditable.h"
#include "ShellTypeName.h"

#include "Dialogs.h"
#include "Fso.h"
#include "Functions.h"
#include "MessageService.h"
#include "ScanProgressSink.h"
#include "Shell.h"

#include <QItemSelectionModel>

namespace filelist {

namespace {

constexpr int32_t NameColumn = 0;

/** A name as a message shows it: control characters become "?". */
QString printable(QString text)
{
    for (QChar &c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u'?';
    return text;
}

/** One checked item as it was when the command started. */
struct CheckedItem {
    QString folder;
    QString name;
    bool isFolder = false;
    QString path() const { return folder + name; }
};

} // namespace

// ---- Open, Explore, check groups -------------------------------------------------------------

void ListViewEditable::mnuOpen_Click()
{
    const int32_t row = SelectedItem();
    if (row < 1 || !m_shell)
        return;
    m_shell->open(m_items->CellText(row, FolderSubItem) + m_items->CellText(row, NameColumn));
}

void ListViewEditable::mnuExplore_Click()
{
    const int32_t row = SelectedItem();
    if (row < 1 || !m_shell)
        return;
    m_shell->open(m_items->CellText(row, FolderSubItem));
}

void ListViewEditable::checkWhereSame(int32_t subItem, int32_t length, bool check)
{
    const int32_t selected = SelectedItem();
    if (selected < 1)
        return;
    const QString key = m_items->CellText(selected, subItem).left(length);
    const int32_t count = m_items->Count();
    for (int32_t i = 1; i <= count; ++i)
        if (m_items->CellText(i, subItem).left(length) == key)
            m_items->SetChecked(i, check);
}

void ListViewEditable::mnuCheck_Click(int16_t Index)
{
    switch (Index) {
    case 0: setCheckedAll(true); break;
    case 1: setCheckedAll(false); break;
    case 2: InvertAllChecks(); break;
    default: break;
    }
}

// ---- Copy and move ---------------------------------------------------------------------------

void ListViewEditable::CopyOrMoveChecked(bool move)
{
    if (m_busy || !m_dialogs)
        return;
    const QString chosen = m_dialogs->getExistingDirectory(QStringLiteral("Select Folder"), *m_lastCopyFolder);
    if (chosen.isEmpty())
        return;
    *m_lastCopyFolder = chosen;
    const QString target = common::FixPathOf(chosen);

    // What is checked now is what the command works on, whatever happens to the rows meanwhile.
    std::vector<CheckedItem> items;
    for (int32_t i = 1; i <= m_items->Count(); ++i) {
        const ListItem &row = m_items->Item(i);
        if (m_items->Checked(i))
            items.push_back({row.SubItems(FolderSubItem), row.Text, row.SubItems(TypeSubItem) == ShellFolderTypeName});
    }
    if (move) {
        // An item inside a checked folder moves with that folder.
        QStringList movedFolders;
        for (const CheckedItem &item : items)
            if (item.isFolder)
                movedFolders << item.path() + u'/';
        std::erase_if(items, [&movedFolders](const CheckedItem &item) {
            for (const QString &folder : movedFolders)
                if (item.path().startsWith(folder))
                    return true;
            return false;
        });
    }

    m_busy = true;
    if (m_sink) {
        m_sink->setProgressMax(int32_t(items.size()));
        m_sink->setProgressValue(0);
        m_sink->setStatusText(move ? QStringLiteral("Moving Selected Files...") : QStringLiteral("Copying Selected Files..."));
    }
    QStringList failures;
    int32_t done = 0;
    for (const CheckedItem &item : items) {
        const QString source = item.path();
        const QString destination = target + item.name;
        vb::Status st;
        if (move)
            st = item.isFolder ? fso::MoveFolder(source, destination) : fso::MoveFile(source, destination);
        else
            st = item.isFolder ? fso::CopyFolder(source, destination) : fso::CopyFile(source, destination);
        if (!st)
            failures << printable(source) + QStringLiteral(": ") + st.description;
        else if (move)
            relocateRows(item.folder, item.name, item.isFolder, target);
        ++done;
        if (m_sink)
            m_sink->setProgressValue(done);
        yieldOnce();
    }
    if (m_sink && !m_sink->isUnloading()) {
        m_sink->setStatusText(QStringLiteral("Ready"));
        m_sink->setProgressValue(0);
    }
    m_busy = false;

    if (!failures.isEmpty() && m_messages) {
        const QString what = move ? QStringLiteral("moved") : QStringLiteral("copied");
        m_messages->MsgBox(QStringLiteral("%1 of %2 items could not be %3:\n\n%4")
                               .arg(failures.size())
                               .arg(items.size())
                               .arg(what, failures.join(u'\n')),
                           msg::OKOnly | msg::Exclamation);
    }
}

void ListViewEditable::relocateRows(const QString &folder, const QString &name, bool isFolder, const QString &target)
{
    const QString oldInside = folder + name + u'/';
    const QString newInside = target + name + u'/';
    for (int32_t i = 1; i <= m_items->Count(); ++i) {
        const ListItem &row = m_items->Item(i);
        const QString rowFolder = row.SubItems(FolderSubItem);
        if (rowFolder == folder && row.Text == name)
            m_items->SetCellText(i, FolderSubItem, target);
        else if (isFolder && rowFolder.startsWith(oldInside))
            m_items->SetCellText(i, FolderSubItem, newInside + rowFolder.mid(oldInside.size()));
    }
}

// ---- Procedures no menu entry reaches --------------------------------------------------------

void ListViewEditable::RemoveCheckedItems()
{
    std::vector<int32_t> rows;
    if (GetCheckedItems(rows) == 0)
        return;
    freezePainting();
    m_items->RemoveRows(std::move(rows));
    unfreezePainting();
}

void ListViewEditable::RemoveSelectedItems()
{
    std::vector<int32_t> rows;
    if (GetSelectedItems(rows) == 0)
        return;
    freezePainting();
    m_items->RemoveRows(std::move(rows));
    unfreezePainting();
}

void ListViewEditable::SelectionCommand(int16_t Index)
{
    switch (Index) {
    case 0: setSelectedAll(true); break;
    case 1: setSelectedAll(false); break;
    case 2: InvertSelections(); break;
    default: break;
    }
}

void ListViewEditable::ClickColumnHeader(int16_t Index)
{
    ListView1_ColumnClick(Index);
}

void ListViewEditable::sortCurrentColumn(bool ascending)
{
    const int32_t column = m_currentSortColumn + 1;
    SortByColumn(column, columnDataType(column), ascending);
}

void ListViewEditable::SetViewByIndex(int16_t Index)
{
    setView(Index + 2);
    setSorted(true);
}

} // namespace filelist

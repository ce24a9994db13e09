// The file list control: column highlight, the inner list's events, dropped files and the
// in-place editor's commit.
#include "ListViewEditable.h"

#include "PathText.h"
#include "VbConvert.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QUrl>
#include <cmath>

namespace filelist {

namespace {

constexpr int32_t White = 0xFFFFFF;
constexpr int16_t RightButton = 2;

QStringList droppedPaths(const QMimeData *data)
{
    QStringList paths;
    if (data)
        for (const QUrl &url : data->urls())
            if (url.isLocalFile())
                paths << url.toLocalFile();
    return paths;
}

} // namespace

// ---- Column highlight and header style -------------------------------------------------------

void ListViewEditable::DoHighlightColumn(int32_t clrHighlight, int32_t clrDefault, int32_t nColumn, int32_t nSizingType)
{
    m_props.HighlightColor = clrHighlight;
    m_props.DefaultColor = clrDefault;
    m_props.CurrrentHighlightColumn = nColumn < 1 ? 1 : nColumn;
    m_props.SizingType = nColumn == 1 ? 2 : nSizingType;
    paintStripe(m_props.HighlightColor, m_props.DefaultColor);
}

void ListViewEditable::setHighlightColumn(bool v)
{
    m_props.HighlightColumn = v;
    if (v)
        DoHighlightColumn(m_props.HighlightColor, m_props.DefaultColor, m_props.CurrrentHighlightColumn, m_props.SizingType);
    else
        paintStripe(White, White);
    emit PropertyChanged(QStringLiteral("HighlightColumn"));
}

void ListViewEditable::paintStripe(int32_t highlight, int32_t background)
{
    const int32_t column = m_props.CurrrentHighlightColumn;
    // A column that does not exist leaves the list without a background.
    m_stripe.present = column >= 1 && column <= m_items->ColumnHeaderCount();
    m_stripe.highlight = highlight;
    m_stripe.background = background;
    m_stripe.column = column;
    emit StripeChanged();
}

void ListViewEditable::setFlatHeader(bool v)
{
    m_props.FlatHeader = v;
    emit HeaderStyleRequested(v);
    emit PropertyChanged(QStringLiteral("FlatHeader"));
}

void ListViewEditable::setView(int32_t New_View)
{
    if (New_View != m_props.View)
        EndItemEdit();
    setInner(&ListProperties::View, New_View, "View");
}

void ListViewEditable::setAllowItemEdit(bool v)
{
    m_props.AllowItemEdit = v;
    emit PropertyChanged(QStringLiteral("AllowItemEdit"));
    if (v)
        emit EditBoxPlacementRequested();
    else
        emit EditBoxHideRequested();
}

// ---- The inner list's events -----------------------------------------------------------------

int32_t ListViewEditable::columnDataType(int32_t column) const
{
    const std::vector<ColumnHeader> &headers = ColumnHeaders();
    if (column < 1 || column > int32_t(headers.size()))
        return ldtString;
    const double value = vb::Val(headers[size_t(column - 1)].Tag);
    return std::isfinite(value) && std::abs(value) < 2e9 ? int32_t(std::lround(value)) : ldtString;
}

void ListViewEditable::ListView1_ColumnClick(int32_t ColumnHeader)
{
    if (ColumnHeader < 1 || ColumnHeader > m_items->ColumnHeaderCount())
        return;
    SortByColumn(ColumnHeader, columnDataType(ColumnHeader), m_props.SortOrder != lvwAscending);
    m_currentSortColumn = int16_t(ColumnHeader - 1);
    if (m_props.HighlightColumn) {
        DoHighlightColumn(m_props.HighlightColor, m_props.DefaultColor, ColumnHeader, m_props.SizingType);
        yieldOnce();
    }
    if (m_props.AllowItemEdit)
        emit EditBoxPlacementRequested();
    emit ColumnClick(ColumnHeader);
}

void ListViewEditable::ListView1_MouseMove(int16_t Button, int16_t Shift, float x, float Y, CellHit hit)
{
    if (m_props.AutoTooltip && hit.isCell() && m_items->Exists(hit.row)) {
        m_toolTip = hit.column == 0 ? m_items->CellText(hit.row, FolderSubItem) + m_items->CellText(hit.row, 0)
                                    : m_items->CellText(hit.row, hit.column);
    }
    emit MouseMove(Button, Shift, x, Y);
}

void ListViewEditable::ListView1_MouseUp(int16_t Button, int16_t Shift, float x, float Y, CellHit hit)
{
    if (Button == RightButton && m_props.AutoPopupMenu)
        emit PopupMenuRequested(x, Y);
    emit MouseUp(Button, Shift, x, Y);
    if (hit.isCell()) {
        if (!m_props.SubitemSelect || !m_items->Exists(hit.row))
            return;
        m_selection->select(m_items->index(hit.row - 1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        emit PendingEditCommitRequested();
        m_editTag = QStringLiteral("%1:%2").arg(hit.row).arg(hit.column);
        if (m_props.AllowItemEdit)
            emit EditBoxPlacementRequested();
        yieldOnce();
        int32_t index = hit.row;
        int32_t subitem = hit.column;
        emit SubitemClick(index, subitem, Button, Shift);
    } else if (m_props.AutoDeselect) {
        m_selection->clearSelection();
        m_selection->clearCurrentIndex();
    }
}

void ListViewEditable::ListView1_DblClick()
{
    emit DblClick();
    mnuOpen_Click();
}

QString ListViewEditable::DropFilter() const
{
    int32_t position = 0;
    QString filter = TextAfterLast(m_props.FileSpec, QStringLiteral("."), 1, position, false);
    return filter.remove(u'*');
}

void ListViewEditable::ListView1_OLEDragDrop(const QMimeData *Data, int32_t &Effect, int16_t &Button, int16_t &Shift,
                                             float &x, float &Y)
{
    freezePainting();
    const QStringList paths = droppedPaths(Data);
    int32_t count = int32_t(paths.size());
    int32_t files = 0;
    int32_t folders = 0;
    std::vector<char> isFolder;
    isFolder.reserve(paths.size());
    bool anyFolder = false;
    for (const QString &path : paths) {
        isFolder.push_back(QFileInfo(path).isDir() ? 1 : 0);
        anyFolder = anyFolder || isFolder.back();
    }
    // A drop that holds a folder replaces the list once: the folders are scanned first, the
    // first of them emptying the list, so that every dropped item stays.
    bool clear = anyFolder && m_props.ClearOnDragDrop;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (!isFolder[size_t(i)])
            continue;
        ++folders;
        ScanFolder(paths[i], m_props.FileSpec, m_props.Recursive, clear, m_props.IncludeFolder);
        clear = false;
    }
    const QString filter = DropFilter();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (isFolder[size_t(i)])
            continue;
        ++files;
        const QString &path = paths[i];
        if (!filter.isEmpty() && !PathPart(path, 1).contains(filter, Qt::CaseInsensitive))
            continue;
        AddFile(PathPart(path, 2), PathPart(path, 4));
    }
    m_items->FlushPending();
    emit FileDragDropFinish(count, files, folders);
    emit OLEDragDrop(Data, Effect, Button, Shift, x, Y);
    RemoveDuplicates();
    SortByColumn(2, ldtString, true);
    unfreezePainting();
}

void ListViewEditable::RemoveDuplicates()
{
    freezePainting();
    m_items->FlushPending();
    QHash<QString, char> seen;
    std::vector<int32_t> repeated;
    for (int32_t i = 1; i <= m_items->Count(); ++i) {
        const ListItem &row = m_items->Item(i);
        // The folder text ends in "/", so a NUL between the two parts never joins two rows.
        const QString key = row.SubItems(FolderSubItem) + QChar(0) + row.Text;
        if (seen.contains(key))
            repeated.push_back(i);
        else
            seen.insert(key, 1);
    }
    m_items->RemoveRows(std::move(repeated));
    unfreezePainting();
}

void ListViewEditable::yieldOnce()
{
    if (m_yield)
        m_yield();
    else if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

// ---- In-place editing ------------------------------------------------------------------------

bool ListViewEditable::EditCell(int32_t &row, int32_t &column) const
{
    const qsizetype colon = m_editTag.indexOf(u':');
    if (colon < 0)
        return false;
    bool rowOk = false;
    bool columnOk = false;
    row = m_editTag.left(colon).trimmed().toInt(&rowOk);
    column = m_editTag.mid(colon + 1).trimmed().toInt(&columnOk);
    return rowOk && columnOk && m_items->Exists(row) && column >= 0
        && (column == 0 || column < m_items->ColumnHeaderCount());
}

void ListViewEditable::EndItemEdit()
{
    if (m_editTag.isEmpty())
        return;
    m_editTag.clear();
    emit EditBoxDropRequested();
}

bool ListViewEditable::CommitItemEdit(const QString &NewText)
{
    int32_t row = 0;
    int32_t column = 0;
    if (!EditCell(row, column))
        return false;
    QString oldString = m_items->CellText(row, column);
    QString newString = NewText;
    if (newString == oldString || !CellTakesText(column))
        return true;
    bool cancel = false;
    int32_t index = row;
    int32_t subitem = column;
    emit BeforeItemEdit(cancel, index, subitem, oldString, newString);
    if (cancel)
        return true;
    // The text goes to the sub-item the handler leaves; it cannot send it into a name or a
    // folder either.
    if (!CellTakesText(subitem) || !m_items->SetCellText(index, subitem, newString))
        return true;
    cancel = false;
    emit AfterItemEdit(cancel, index, subitem, oldString, newString);
    if (cancel)
        m_items->SetCellText(index, subitem, oldString);
    return true;
}

} // namespace filelist

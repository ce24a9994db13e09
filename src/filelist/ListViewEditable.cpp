#include "ListViewEditable.h"

#include "Dialogs.h"
#include "GridText.h"
#include "ItemLookups.h"
#include "PathText.h"
#include "PropertyBag.h"
#include "SortEngine.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <algorithm>
#include <limits>

namespace filelist {

namespace {

// The default yield runs the event loop at most this often, in milliseconds.
constexpr qint64 YieldPeriodMs = 10;

// Flags of NextItem.
constexpr int32_t NextFocused = 0x1;
constexpr int32_t NextSelected = 0x2;
constexpr int32_t NextCut = 0x4;
constexpr int32_t NextDropHilited = 0x8;

} // namespace

ListViewEditable::ListViewEditable(QObject *parent) : QObject(parent)
{
    m_items = new ListItemsModel(m_images, this);
    m_selection = new QItemSelectionModel(m_items, this);
    connect(m_items, &ListItemsModel::ItemCheckedByUser, this, &ListViewEditable::ItemCheck);
    // The edit box belongs to one row: emptied, reloaded, reordered or shifted rows end it.
    connect(m_items, &QAbstractItemModel::modelAboutToBeReset, this, &ListViewEditable::EndItemEdit);
    connect(m_items, &QAbstractItemModel::layoutAboutToBeChanged, this, &ListViewEditable::EndItemEdit);
    auto shifts = [this](const QModelIndex &, int first, int) {
        int32_t row = 0;
        int32_t column = 0;
        if (EditCell(row, column) && first <= row - 1)
            EndItemEdit();
    };
    connect(m_items, &QAbstractItemModel::rowsAboutToBeRemoved, this, shifts);
    connect(m_items, &QAbstractItemModel::rowsAboutToBeInserted, this, shifts);
    buildColumns();
}

ListViewEditable::~ListViewEditable() = default;

// ---- Persisted values ------------------------------------------------------------------------

void ListViewEditable::UserControl_InitProperties()
{
    m_props = ListProperties::NewlyPlaced();
    applyProperties();
}

void ListViewEditable::UserControl_ReadProperties(PropertyBag &bag)
{
    m_props.Read(bag);
    applyProperties();
    if (m_props.HighlightColumn)
        DoHighlightColumn(m_props.HighlightColor, m_props.DefaultColor, m_props.CurrrentHighlightColumn, m_props.SizingType);
    else
        paintStripe(0xFFFFFF, 0xFFFFFF);
    if (m_props.FlatHeader)
        emit HeaderStyleRequested(true);
}

void ListViewEditable::UserControl_WriteProperties(PropertyBag &bag) const
{
    m_props.Write(bag);
}

void ListViewEditable::applyProperties()
{
    m_items->SetCheckboxes(m_props.Checkboxes);
    buildColumns();
    emit ViewSettingsChanged();
}

void ListViewEditable::buildColumns()
{
    ColHeaders headers;
    headers.CreateItemsFromTagText(m_props.ColumnHeadersText, QStringLiteral("\r\n"), QStringLiteral("|"));
    m_items->SetColumnHeaders(headers.ToColumnHeaders());
}

void ListViewEditable::setColumnHeadersText(const QString &New_ColumnHeadersText)
{
    m_props.ColumnHeadersText = New_ColumnHeadersText;
    emit PropertyChanged(QStringLiteral("ColumnHeadersText"));
}

void ListViewEditable::setImageSource(ImageList::ImageSource source)
{
    m_images.SetImageSource(std::move(source));
    m_items->ImagesChanged();
}

// ---- Properties with side effects ------------------------------------------------------------

void ListViewEditable::setCheckboxes(bool v)
{
    m_items->SetCheckboxes(v);
    setInner(&ListProperties::Checkboxes, v, "Checkboxes");
}

void ListViewEditable::setSortKey(int16_t intSortKey)
{
    m_props.SortKey = intSortKey;
    emit PropertyChanged(QStringLiteral("SortKey"));
    sortByText();
}

void ListViewEditable::setSortOrder(int32_t v)
{
    m_props.SortOrder = v;
    emit PropertyChanged(QStringLiteral("SortOrder"));
    sortByText();
}

void ListViewEditable::setSorted(bool New_Sorted)
{
    m_props.Sorted = New_Sorted;
    emit PropertyChanged(QStringLiteral("Sorted"));
    sortByText();
}

void ListViewEditable::setPictureAlignment(int32_t v)
{
    m_pictureAlignment = v;
    emit ViewSettingsChanged();
}

void ListViewEditable::setHighlight(int32_t ListProperties::*member, int32_t value, const char *name)
{
    m_props.*member = value;
    if (m_props.HighlightColumn)
        setHighlightColumn(true);
    emit PropertyChanged(QLatin1String(name));
}

// ---- Rows ------------------------------------------------------------------------------------

void ListViewEditable::AddFile(const QString &QualifiedPath, const QString &FileName)
{
    FileItemInfo info;
    info.Folder = QualifiedPath;
    info.Name = FileName;
    m_builder.RefreshLocale();
    m_builder.FillFileItem(info);
    // Rows added while a re-list yields (a drop, a merge) are newer than the rows it makes.
    ++m_relistRun;
    m_items->Append(m_builder.MakeRow(info, m_images));
}

bool ListViewEditable::RelistFrom(const ListItemsModel &source, const RowTest &pick, const RowTest &keep)
{
    const quint64 run = ++m_relistRun;
    // The items are copied (their texts are shared, not duplicated): the source may change while
    // the re-list yields.
    std::vector<ItemLookups::Item> items;
    items.reserve(size_t(source.Count()));
    for (int32_t i = 1; i <= source.Count(); ++i) {
        // Whatever empties or refills the source meanwhile supersedes this re-list too (a
        // listing empties the list first), so the source is read only while it still holds.
        yield();
        if (run != m_relistRun)
            return false;
        const ListItem &row = source.Item(i);
        if (!pick || pick(row))
            items.push_back({row.SubItemTexts.value(0), row.Text});
    }
    m_builder.RefreshLocale();
    ItemLookups lookups(m_relistStats, std::move(items));
    std::vector<ListItem> rows;
    rows.reserve(lookups.size());
    for (size_t i = 0; i < lookups.size(); ++i) {
        yield();
        if (run != m_relistRun)
            return false;
        FileItemInfo info;
        info.Folder = lookups.item(i).folder;
        info.Name = lookups.item(i).name;
        m_builder.FillFileItem(info, lookups.stat(i));
        ListItem row = m_builder.MakeRow(info, m_images);
        if (!keep || keep(row))
            rows.push_back(std::move(row));
    }
    m_items->SetRows(std::move(rows));
    return true;
}

void ListViewEditable::ClearItems()
{
    ++m_relistRun;
    m_items->Clear();
}

int32_t ListViewEditable::GetCheckedItems(std::vector<int32_t> &nChecked) const
{
    std::vector<int32_t> found;
    for (int32_t i = 1; i <= m_items->Count(); ++i)
        if (m_items->Checked(i))
            found.push_back(i);
    if (found.empty())
        return 0;
    nChecked = std::move(found);
    return int32_t(nChecked.size());
}

std::vector<FileRow> ListViewEditable::CheckedFileRows() const
{
    std::vector<FileRow> rows;
    for (int32_t i = 1; i <= m_items->Count(); ++i)
        if (m_items->Checked(i))
            rows.push_back(m_items->FileRowAt(i));
    return rows;
}

// ---- Selection -------------------------------------------------------------------------------

std::vector<char> ListViewEditable::selectedRowFlags() const
{
    std::vector<char> flags(size_t(m_items->rowCount()), 0);
    for (const QItemSelectionRange &range : m_selection->selection())
        for (int r = range.top(); r <= range.bottom() && r < int(flags.size()); ++r)
            flags[size_t(r)] = 1;
    return flags;
}

int32_t ListViewEditable::GetSelectedItems(std::vector<int32_t> &nSelected) const
{
    const std::vector<char> flags = selectedRowFlags();
    std::vector<int32_t> found;
    for (size_t r = 0; r < flags.size(); ++r)
        if (flags[r])
            found.push_back(int32_t(r + 1));
    if (found.empty())
        return 0;
    nSelected = std::move(found);
    return int32_t(nSelected.size());
}

int32_t ListViewEditable::SelectedCount() const
{
    const std::vector<char> flags = selectedRowFlags();
    return int32_t(std::count(flags.begin(), flags.end(), 1));
}

void ListViewEditable::InvertSelections()
{
    m_items->FlushPending();
    const int rows = m_items->rowCount();
    const int columns = m_items->columnCount();
    if (rows == 0 || columns == 0)
        return;
    const QItemSelection all(m_items->index(0, 0), m_items->index(rows - 1, columns - 1));
    m_selection->select(all, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
}

void ListViewEditable::setSelectedAll(bool bState)
{
    m_items->FlushPending();
    const int rows = m_items->rowCount();
    const int columns = m_items->columnCount();
    if (!bState || rows == 0 || columns == 0) {
        m_selection->clearSelection();
        return;
    }
    const QItemSelection all(m_items->index(0, 0), m_items->index(rows - 1, columns - 1));
    m_selection->select(all, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

int32_t ListViewEditable::SelectedItem() const
{
    const QModelIndex current = m_selection->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void ListViewEditable::setSelectedItem(int32_t Index)
{
    m_items->FlushPending();
    const QModelIndex at = m_items->index(Index - 1, 0);
    if (!at.isValid()) {
        m_selection->clearCurrentIndex();
        m_selection->clearSelection();
        return;
    }
    m_selection->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int32_t ListViewEditable::NextItem(int32_t start, int32_t FLAGS) const
{
    if (FLAGS & (NextCut | NextDropHilited))
        return -1;
    const std::vector<char> selected = (FLAGS & NextSelected) ? selectedRowFlags() : std::vector<char>();
    const int32_t current = SelectedItem() - 1;
    for (int32_t i = std::max(start + 1, 0); i < m_items->Count(); ++i) {
        if ((FLAGS & NextFocused) && i != current)
            continue;
        if ((FLAGS & NextSelected) && (size_t(i) >= selected.size() || !selected[size_t(i)]))
            continue;
        return i;
    }
    return -1;
}

// ---- Scan ------------------------------------------------------------------------------------

void ListViewEditable::Scan()
{
    if (m_props.Path.isEmpty() || m_props.FileSpec.isEmpty())
        return;
    if (m_scan.Running())
        m_scan.Stop();
    bool cancel = false;
    emit BeforeScanStart(cancel, m_props.Path, m_props.FileSpec, m_props.Recursive, m_props.IncludeFolder);
    // A handler that empties the folder or the mask cancels too: an empty folder would
    // otherwise stand for the root of the file system.
    if (cancel || m_props.Path.isEmpty() || m_props.FileSpec.isEmpty())
        return;
    m_builder.RefreshLocale();
    freezePainting();
    m_items->BeginBatch();
    const FolderScan::Result result = m_scan.ScanFolder(m_props.Path, m_props.FileSpec, m_props.Recursive, true);
    m_items->EndBatch();
    m_items->FlushPending();
    unfreezePainting();
    bool stopped = result.superseded || m_scan.Stopped();
    emit ScanFinish(stopped, m_props.Path, m_props.FileSpec, m_props.Recursive, m_props.IncludeFolder);
}

int32_t ListViewEditable::ScanFolder(const QString &Path, const QString &FileSpec, bool Recursive, bool Clear, bool)
{
    m_builder.RefreshLocale();
    m_items->BeginBatch();
    const FolderScan::Result r = m_scan.ScanFolder(Path, FileSpec, Recursive, Clear);
    m_items->EndBatch();
    return r.count;
}

QString ListViewEditable::SelectDirectory(const QString &DialogTitle, qintptr)
{
    if (!m_dialogs)
        return QString();
    const QString chosen = m_dialogs->getExistingDirectory(DialogTitle + m_props.FileSpec + u'.', m_props.Path);
    return chosen.isEmpty() ? QString() : AddBackslash(chosen);
}

void ListViewEditable::searchDirChange(QString &directory)
{
    emit SearchDirChange(directory);
}

void ListViewEditable::addEntryRow(const QString &folder, const DirEntry &entry, const FileStat &st)
{
    FileItemInfo info;
    info.Folder = folder;
    info.Name = entry.name;
    m_builder.FillFileItem(info, st);
    ++m_relistRun;
    m_items->Append(m_builder.MakeRow(info, m_images));
}

void ListViewEditable::clearRows()
{
    ++m_relistRun;
    m_items->Clear();
}

void ListViewEditable::repaintNow()
{
    m_items->FlushPending();
    emit RepaintRequested();
}

void ListViewEditable::yield()
{
    if (m_yield) {
        m_yield();
        return;
    }
    if (!QCoreApplication::instance())
        return;
    if (!m_yieldClock.isValid() || m_yieldClock.elapsed() >= YieldPeriodMs) {
        QCoreApplication::processEvents();
        m_yieldClock.restart();
    }
}

void ListViewEditable::freezePainting()
{
    if (m_frozen++ == 0)
        emit PaintingFrozen(true);
}

void ListViewEditable::unfreezePainting()
{
    if (m_frozen > 0 && --m_frozen == 0)
        emit PaintingFrozen(false);
}

// ---- Sort ------------------------------------------------------------------------------------

void ListViewEditable::SortByColumn(int32_t column, int32_t dataType, bool ascending)
{
    if (column < 1)
        return;
    const bool magnitude = dataType == ldtString && m_magnitude && m_magnitude();
    m_items->Reorder(SortEngine::Order(*m_items, column, dataType, ascending, magnitude));
    m_props.SortOrder = ascending ? lvwAscending : lvwDescending;
    m_props.SortKey = int16_t(std::min<int32_t>(column - 1, std::numeric_limits<int16_t>::max()));
    m_props.Sorted = true;
}

void ListViewEditable::sortByText()
{
    if (!m_props.Sorted || m_props.SortKey < 0)
        return;
    const int32_t plainText = -1;
    m_items->Reorder(SortEngine::Order(*m_items, m_props.SortKey + 1, plainText,
                                       m_props.SortOrder == lvwAscending, false));
}

// ---- Grid accessors --------------------------------------------------------------------------

QString ListViewEditable::Cell(int32_t RowIndex, int32_t ColumnIndex) const
{
    return GridText::Cell(*m_items, RowIndex, ColumnIndex);
}

QString ListViewEditable::Row(int32_t Index, const QString &Delimiter, bool IncludeIndex) const
{
    return GridText::Row(*m_items, Index, Delimiter, IncludeIndex);
}

QString ListViewEditable::Rows(const QString &RowDelimiter, const QString &ColumnDelimiter, bool IncludeIndex,
                               const std::vector<int32_t> &vIndexes) const
{
    return GridText::Rows(*m_items, RowDelimiter, ColumnDelimiter, IncludeIndex, vIndexes);
}

QString ListViewEditable::RowsArray(const std::vector<int32_t> &Indexes, const QString &RowDelimiter,
                                    const QString &ColumnDelimiter, bool IncludeIndex) const
{
    return GridText::Rows(*m_items, RowDelimiter, ColumnDelimiter, IncludeIndex, Indexes);
}

QString ListViewEditable::Col(int32_t Index, const QString &Delimiter, bool IncludeIndex) const
{
    return GridText::Col(*m_items, Index, Delimiter, IncludeIndex);
}

QString ListViewEditable::Cols(const QString &RowDelimiter, const QString &ColumnDelimiter, bool IncludeIndex,
                               const std::vector<int32_t> &vIndexes) const
{
    return GridText::Cols(*m_items, RowDelimiter, ColumnDelimiter, IncludeIndex, vIndexes);
}

} // namespace filelist

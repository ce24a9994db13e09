#include "ListItemsModel.h"

#include "ImageList.h"
#include "VbError.h"

#include <QThreadPool>
#include <algorithm>
#include <memory>
#include <utility>

namespace filelist {

namespace {

constexpr int32_t SizeSubItem = 2;
constexpr int32_t DateSubItem = 4;
// From this many rows a cleared list is freed on another thread.
constexpr size_t ReleaseAsideFrom = 4096;

} // namespace

ListItemsModel::ListItemsModel(const ImageList &images, QObject *parent)
    : QAbstractTableModel(parent), m_images(images)
{
}

const ListItem &ListItemsModel::Item(int32_t index) const
{
    if (!Exists(index))
        throw vb::Error(vb::SubscriptOutOfRange, vb::errorText(vb::SubscriptOutOfRange));
    return (*m_rows)[size_t(index - 1)];
}

FileRow ListItemsModel::FileRowAt(int32_t index) const
{
    const ListItem &item = Item(index);
    FileRow row;
    row.Index = index;
    row.Name = item.Text;
    row.Folder = item.SubItems(1);
    row.SizeText = item.SubItems(2);
    row.TypeName = item.SubItems(3);
    row.DateText = item.SubItems(4);
    row.SizeBytes = item.SizeBytes;
    row.LastWrite = item.LastWrite();
    row.Checked = Checked(index);
    return row;
}

int32_t ListItemsModel::Add(const QString &text)
{
    ListItem item;
    item.Text = text;
    return Append(std::move(item));
}

int32_t ListItemsModel::Append(ListItem item)
{
    ownRows().push_back(std::move(item));
    m_checks.push_back(0);
    if (m_batch == 0)
        FlushPending();
    return Count();
}

void ListItemsModel::Remove(int32_t index)
{
    if (!Exists(index))
        return;
    FlushPending();
    beginRemoveRows({}, index - 1, index - 1);
    Rows &rows = ownRows();
    rows.erase(rows.begin() + (index - 1));
    m_checks.erase(m_checks.begin() + (index - 1));
    m_announced = Count();
    endRemoveRows();
}

void ListItemsModel::RemoveRows(std::vector<int32_t> indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    // From the last to the first, one signal per run of neighbouring rows.
    for (auto it = indexes.rbegin(); it != indexes.rend();) {
        if (!Exists(*it)) {
            ++it;
            continue;
        }
        int32_t last = *it;
        int32_t first = last;
        ++it;
        while (it != indexes.rend() && *it == first - 1 && Exists(*it)) {
            first = *it;
            ++it;
        }
        FlushPending();
        beginRemoveRows({}, first - 1, last - 1);
        Rows &rows = ownRows();
        rows.erase(rows.begin() + (first - 1), rows.begin() + last);
        m_checks.erase(m_checks.begin() + (first - 1), m_checks.begin() + last);
        m_announced = Count();
        endRemoveRows();
    }
}

void ListItemsModel::Clear()
{
    beginResetModel();
    std::shared_ptr<Rows> gone = std::exchange(m_rows, std::make_shared<Rows>());
    m_checks = {};
    m_announced = 0;
    endResetModel();
    release(std::move(gone));
}

void ListItemsModel::AssignRows(const ListItemsModel &source, const std::function<bool(const ListItem &)> &keep)
{
    if (&source == this)
        return;
    // Which rows are kept is known before anything changes, so that new rows are made once,
    // in one block of the right size, and every row kept means no new rows at all.
    std::vector<char> kept;
    size_t keptCount = source.m_rows->size();
    if (keep) {
        kept.reserve(source.m_rows->size());
        for (const ListItem &row : *source.m_rows)
            kept.push_back(keep(row) ? 1 : 0);
        keptCount = size_t(std::count(kept.begin(), kept.end(), 1));
    }
    beginResetModel();
    std::shared_ptr<Rows> gone = std::exchange(m_rows, std::make_shared<Rows>());
    if (keptCount == source.m_rows->size()) {
        m_rows = source.m_rows;
    } else {
        m_rows->reserve(keptCount);
        for (size_t i = 0; i < kept.size(); ++i)
            if (kept[i])
                m_rows->push_back((*source.m_rows)[i]);
    }
    m_checks.assign(m_rows->size(), 0);
    m_announced = Count();
    endResetModel();
    release(std::move(gone));
}

void ListItemsModel::SetRows(std::vector<ListItem> rows)
{
    beginResetModel();
    std::shared_ptr<Rows> gone = std::exchange(m_rows, std::make_shared<Rows>(std::move(rows)));
    m_checks.assign(m_rows->size(), 0);
    m_announced = Count();
    endResetModel();
    release(std::move(gone));
}

ListItemsModel::Rows &ListItemsModel::ownRows()
{
    if (m_rows.use_count() > 1)
        m_rows = std::make_shared<Rows>(*m_rows);
    return *m_rows;
}

void ListItemsModel::release(std::shared_ptr<Rows> rows)
{
    // Freeing a large list's texts takes a while: it is done aside, so that the window answers
    // meanwhile (the texts are shared with nothing but their own counts). Rows another list
    // still holds only lose a count.
    if (rows.use_count() == 1 && rows->size() >= ReleaseAsideFrom)
        QThreadPool::globalInstance()->start([rows = std::move(rows)]() mutable { rows.reset(); });
}

QString ListItemsModel::CellText(int32_t index, int32_t column) const
{
    if (!Exists(index) || column < 0)
        return QString();
    const ListItem &item = (*m_rows)[size_t(index - 1)];
    return column == 0 ? item.Text : item.SubItems(column);
}

bool ListItemsModel::SetCellText(int32_t index, int32_t column, const QString &text)
{
    if (!Exists(index) || column < 0 || (column > 0 && column >= std::max(ColumnHeaderCount(), 1)))
        return false;
    FlushPending();
    ListItem &item = ownRows()[size_t(index - 1)];
    if (column == 0) {
        item.Text = text;
    } else {
        while (item.SubItemTexts.size() < column)
            item.SubItemTexts.append(QString());
        item.SubItemTexts[column - 1] = text;
        if (column == SizeSubItem)
            item.SizeBytes = -1;
        if (column == DateSubItem)
            item.LastWriteSecs = ListItem::NoTime;
    }
    const QModelIndex at = this->index(index - 1, column);
    if (at.isValid())
        emit dataChanged(at, at, {Qt::DisplayRole});
    return true;
}

void ListItemsModel::SetTag(int32_t index, const QString &tag)
{
    if (Exists(index))
        ownRows()[size_t(index - 1)].Tag = tag;
}

void ListItemsModel::SetChecked(int32_t index, bool checked)
{
    if (!Exists(index))
        return;
    FlushPending();
    m_checks[size_t(index - 1)] = checked ? 1 : 0;
    const QModelIndex at = this->index(index - 1, 0);
    if (at.isValid())
        emit dataChanged(at, at, {Qt::CheckStateRole});
}

void ListItemsModel::SetAllChecked(bool checked)
{
    FlushPending();
    std::fill(m_checks.begin(), m_checks.end(), checked ? 1 : 0);
    if (!m_rows->empty() && !m_headers.empty())
        emit dataChanged(index(0, 0), index(Count() - 1, 0), {Qt::CheckStateRole});
}

void ListItemsModel::InvertAllChecks()
{
    FlushPending();
    for (char &check : m_checks)
        check = check ? 0 : 1;
    if (!m_rows->empty() && !m_headers.empty())
        emit dataChanged(index(0, 0), index(Count() - 1, 0), {Qt::CheckStateRole});
}

void ListItemsModel::SetColumnHeaders(std::vector<ColumnHeader> headers)
{
    FlushPending();
    if (headers.size() == m_headers.size()) {
        m_headers = std::move(headers);
        if (!m_headers.empty())
            emit headerDataChanged(Qt::Horizontal, 0, ColumnHeaderCount() - 1);
    } else {
        beginResetModel();
        m_headers = std::move(headers);
        endResetModel();
    }
    emit ColumnHeadersChanged();
}

void ListItemsModel::SetColumnWidth(int32_t column, float twips)
{
    if (column >= 0 && column < ColumnHeaderCount())
        m_headers[size_t(column)].Width = twips;
}

void ListItemsModel::SetCheckboxes(bool on)
{
    if (m_checkboxes == on)
        return;
    FlushPending();
    m_checkboxes = on;
    if (!m_rows->empty() && !m_headers.empty())
        emit dataChanged(index(0, 0), index(Count() - 1, 0), {Qt::CheckStateRole});
}

void ListItemsModel::Reserve(size_t rows)
{
    // Exactly as asked the first time; after that at least doubling, so that many small folders
    // do not move every row again and again.
    if (rows <= m_rows->capacity())
        return;
    Rows &own = ownRows();
    if (rows > own.capacity()) {
        own.reserve(own.empty() ? rows : std::max(rows, own.capacity() * 2));
        m_checks.reserve(own.capacity());
    }
}

void ListItemsModel::BeginBatch()
{
    ++m_batch;
}

void ListItemsModel::EndBatch()
{
    if (m_batch > 0 && --m_batch == 0)
        FlushPending();
}

void ListItemsModel::FlushPending()
{
    if (m_announced >= Count())
        return;
    beginInsertRows({}, m_announced, Count() - 1);
    m_announced = Count();
    endInsertRows();
}

void ListItemsModel::Reorder(const std::vector<int32_t> &order)
{
    FlushPending();
    if (order.size() != m_rows->size())
        return;
    bool unchanged = true;
    for (size_t i = 0; i < order.size() && unchanged; ++i)
        unchanged = order[i] == int32_t(i);
    if (unchanged)
        return;  // nothing moves: no row is touched and the views need not lay out again
    std::vector<int32_t> newPosition(order.size(), -1);
    for (size_t i = 0; i < order.size(); ++i) {
        const int32_t from = order[i];
        if (from < 0 || size_t(from) >= order.size() || newPosition[size_t(from)] >= 0)
            return;  // not a new order of these rows: nothing moves
        newPosition[size_t(from)] = int32_t(i);
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The rows move in place, cycle by cycle: a second array of every row would cost more in
    // fresh memory than the moves themselves.
    Rows &rows = ownRows();
    std::vector<bool> placed(order.size());
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start])
            continue;
        ListItem held = std::move(rows[start]);
        const char heldCheck = m_checks[start];
        size_t at = start;
        for (size_t from = size_t(order[at]); from != start; from = size_t(order[at])) {
            rows[at] = std::move(rows[from]);
            m_checks[at] = m_checks[from];
            placed[at] = true;
            at = from;
        }
        rows[at] = std::move(held);
        m_checks[at] = heldCheck;
        placed[at] = true;
    }
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &i : from)
        to << index(newPosition[size_t(i.row())], i.column());
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListItemsModel::ImagesChanged()
{
    if (m_announced > 0 && !m_headers.empty())
        emit dataChanged(index(0, 0), index(m_announced - 1, 0), {Qt::DecorationRole});
}

int ListItemsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_announced;
}

int ListItemsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnHeaderCount();
}

Qt::Alignment ListItemsModel::alignment(int column) const
{
    // The first column of a report list is always left-aligned.
    const int32_t a = column > 0 && column < ColumnHeaderCount() ? m_headers[size_t(column)].Alignment : lvwColumnLeft;
    const Qt::Alignment h = a == lvwColumnRight ? Qt::AlignRight : a == lvwColumnCenter ? Qt::AlignHCenter : Qt::AlignLeft;
    return h | Qt::AlignVCenter;
}

QVariant ListItemsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_announced)
        return QVariant();
    const ListItem &item = (*m_rows)[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? item.Text : item.SubItems(index.column());
    case Qt::CheckStateRole:
        if (index.column() == 0 && m_checkboxes)
            return m_checks[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    case Qt::DecorationRole:
        return index.column() == 0 && item.SmallIcon >= 0 ? m_images.Image(item.SmallIcon) : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(index.column()));
    default:
        return QVariant();
    }
}

bool ListItemsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.column() != 0 || index.row() >= m_announced)
        return false;
    const bool checked = value.toInt() == Qt::Checked;
    char &check = m_checks[size_t(index.row())];
    if (bool(check) == checked)
        return true;
    check = checked ? 1 : 0;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit ItemCheckedByUser(index.row() + 1);
    return true;
}

Qt::ItemFlags ListItemsModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == 0 && m_checkboxes)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ListItemsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnHeaderCount())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_headers[size_t(section)].Text;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignment(section));
    return QVariant();
}

} // namespace filelist

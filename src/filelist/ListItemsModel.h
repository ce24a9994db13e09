#pragma once
/**
 * The rows and column headers of the file list as an item model: the collection the other
 * windows read (rows numbered from 1), and the model the list view shows. Column 0 is the item
 * text, column k is sub-item k.
 *
 * Rows appended in a batch (a running scan) are kept at once but announced to views only when
 * the batch is flushed, so a view repaints once per batch instead of once per row. Every other
 * change flushes first.
 *
 * Two lists may hold the very same rows (AssignRows): they share them until either changes a
 * row, adds or removes one or puts them in another order, which gives it rows of its own. Check
 * marks are each list's own and change without that.
 */
#include "ColumnHeader.h"
#include "ListItem.h"

#include <QAbstractTableModel>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace filelist {

class ImageList;

class ListItemsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListItemsModel(const ImageList &images, QObject *parent = nullptr);

    /** Number of rows. */
    int32_t Count() const { return int32_t(m_rows->size()); }
    bool Exists(int32_t index) const { return index >= 1 && index <= Count(); }
    /** Row `index` (1-based); throws vb::Error (subscript out of range) when there is none. */
    const ListItem &Item(int32_t index) const;
    const ListItem &operator()(int32_t index) const { return Item(index); }
    /** Row `index` as a file row (name, folder, size, type, date, values read from the file). */
    FileRow FileRowAt(int32_t index) const;

    /** Appends a row with this text; returns its number. */
    int32_t Add(const QString &text);
    /** Appends a complete row; returns its number. */
    int32_t Append(ListItem item);
    /** Removes row `index`; nothing happens for a row that does not exist. */
    void Remove(int32_t index);
    /** Removes the rows whose numbers are listed (any order, repeats allowed). */
    void RemoveRows(std::vector<int32_t> indexes);
    void Clear();
    /** Replaces every row by the rows of `source` that `keep` accepts (every row when `keep` is
     *  empty), in their order, unchecked; announced as a new set of rows. When every row is
     *  taken the two lists share them. */
    void AssignRows(const ListItemsModel &source, const std::function<bool(const ListItem &)> &keep = {});
    /** Replaces every row by `rows`, unchecked; announced as a new set of rows. */
    void SetRows(std::vector<ListItem> rows);
    /** Makes room for `rows` rows in all, so that a known number of rows grows the list once. */
    void Reserve(size_t rows);

    /** Column 0: the item text; column k: sub-item k. Empty when the row or sub-item is absent. */
    QString CellText(int32_t index, int32_t column) const;
    /** Writes column 0 or sub-item k of an existing row (sub-items up to the column count). */
    bool SetCellText(int32_t index, int32_t column, const QString &text);
    void SetText(int32_t index, const QString &text) { SetCellText(index, 0, text); }
    void SetSubItem(int32_t index, int32_t k, const QString &text) { SetCellText(index, k, text); }
    void SetTag(int32_t index, const QString &tag);

    bool Checked(int32_t index) const { return Exists(index) && m_checks[size_t(index - 1)]; }
    /** Sets a row's check mark; a row that does not exist is ignored. */
    void SetChecked(int32_t index, bool checked);
    void SetAllChecked(bool checked);
    void InvertAllChecks();

    const std::vector<ColumnHeader> &ColumnHeaders() const { return m_headers; }
    int32_t ColumnHeaderCount() const { return int32_t(m_headers.size()); }
    /** Replaces every column header. */
    void SetColumnHeaders(std::vector<ColumnHeader> headers);
    /** Records a width the user gave a column (0-based), in twips; no change signal. */
    void SetColumnWidth(int32_t column, float twips);

    bool Checkboxes() const { return m_checkboxes; }
    /** Shows or hides the rows' check boxes; the marks are kept either way. */
    void SetCheckboxes(bool on);

    void BeginBatch();
    void EndBatch();
    /** Announces the rows appended since the last flush. */
    void FlushPending();

    /** Puts the rows into a new order: `order[i]` is the old 0-based position of new row i. */
    void Reorder(const std::vector<int32_t> &order);
    /** The images behind the icons changed. */
    void ImagesChanged();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    /** The user changed row `index`'s check mark through a view. */
    void ItemCheckedByUser(int32_t index);
    /** The column headers were replaced. */
    void ColumnHeadersChanged();

private:
    using Rows = std::vector<ListItem>;
    Qt::Alignment alignment(int column) const;
    /** The rows, made this list's own first when shared. */
    Rows &ownRows();
    /** Lets go of `rows`; a large set no other list holds is freed on another thread. */
    static void release(std::shared_ptr<Rows> rows);

    const ImageList &m_images;
    std::shared_ptr<Rows> m_rows = std::make_shared<Rows>();
    /** The check mark of each row. */
    std::vector<char> m_checks;
    std::vector<ColumnHeader> m_headers;
    /** Rows views know of; the rest are pending. */
    int32_t m_announced = 0;
    int m_batch = 0;
    bool m_checkboxes = false;
};

} // namespace filelist

#include "Grid.h"

#include "CodePoints.h"

#include <QAbstractTableModel>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace {
// How long a burst of source changes may go unshown.
constexpr int FlushDelayMs = 80;
} // namespace

/** The model the grid's view shows: rows as last announced, cells read from the source. */
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(Grid &grid) : QAbstractTableModel(&grid), m_grid(grid) {}

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_grid.Columns();
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        const size_t row = size_t(index.row()) + 1;
        const int column = index.column() + 1;
        switch (role) {
        case Qt::DisplayRole:
            return m_grid.source().cellText(row, column);
        case Qt::BackgroundRole: {
            const int64_t color = m_grid.source().cellBackColor(row, column);
            return color == GridSource::NoColor ? QVariant() : QVariant(Grid::toQColor(color));
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal)
            return {};
        if (role == Qt::DisplayRole)
            return m_grid.ColumnHeader(section + 1);
        if (role == Qt::TextAlignmentRole) {
            switch (m_grid.ColumnAlignment(section + 1)) {
            case Grid::AlignRight: return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
            case Grid::AlignCenter: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
            default: return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
            }
        }
        return {};
    }

    void columnAdded(int column)
    {
        beginInsertColumns({}, column - 1, column - 1);
        endInsertColumns();
    }

    void markReset() { m_resetPending = true; }
    void markAppended() { m_appendPending = true; }
    void markCells(size_t first, size_t last)
    {
        m_dirtyFirst = std::min(m_dirtyFirst, first);
        m_dirtyLast = std::max(m_dirtyLast, last);
    }
    bool pending() const { return m_resetPending || m_appendPending || m_dirtyFirst <= m_dirtyLast; }

    void flush()
    {
        if (m_resetPending) {
            beginResetModel();
            m_rows = int(std::min<size_t>(m_grid.source().rowCount(), INT_MAX));
            m_resetPending = false;
            m_appendPending = false;
            endResetModel();
            m_dirtyFirst = SIZE_MAX;
            m_dirtyLast = 0;
            return;
        }
        if (m_appendPending) {
            m_appendPending = false;
            const int rows = int(std::min<size_t>(m_grid.source().rowCount(), INT_MAX));
            if (rows > m_rows) {
                beginInsertRows({}, m_rows, rows - 1);
                m_rows = rows;
                endInsertRows();
            } else if (rows < m_rows) {
                beginResetModel();
                m_rows = rows;
                endResetModel();
            }
        }
        if (m_dirtyFirst <= m_dirtyLast && m_rows > 0 && columnCount() > 0) {
            const int first = int(std::min<size_t>(m_dirtyFirst, size_t(m_rows))) - 1;
            const int last = int(std::min<size_t>(m_dirtyLast, size_t(m_rows))) - 1;
            if (first >= 0)
                emit dataChanged(index(first, 0), index(last, columnCount() - 1));
        }
        m_dirtyFirst = SIZE_MAX;
        m_dirtyLast = 0;
    }

private:
    Grid &m_grid;
    int m_rows = 0;
    bool m_resetPending = false;
    bool m_appendPending = false;
    size_t m_dirtyFirst = SIZE_MAX;
    size_t m_dirtyLast = 0;
};

Grid::Grid(QWidget *parent)
    : QWidget(parent), m_view(new QTableView(this)), m_model(new GridModel(*this)),
      m_source(&m_cells)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setModel(m_model);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 4);
    m_view->horizontalHeader()->setSectionsMovable(false);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setStretchLastSection(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setSortingEnabled(false);
    m_view->setWordWrap(false);
    m_view->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);
    setFocusProxy(m_view);

    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(FlushDelayMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &Grid::flush);
    connect(m_view, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!index.isValid())
            return;
        emit dblClick();
        if (m_editable)
            StartEdit(size_t(index.row()) + 1, index.column() + 1, 0);
    });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, &Grid::EndEdit);
    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, this, &Grid::EndEdit);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &Grid::EndEdit);
}

Grid::~Grid() = default;

QColor Grid::toQColor(int64_t color)
{
    const auto c = uint32_t(color);
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

int64_t Grid::colorValue(const QColor &color)
{
    return int64_t(uint32_t(color.red()) | (uint32_t(color.green()) << 8) |
                   (uint32_t(color.blue()) << 16));
}

int Grid::AddColumn(const QString &key, const QString &header, int alignment)
{
    m_columns.push_back({key, header, alignment});
    const int column = Columns();
    if (m_source == &m_cells)
        m_cells.setColumns(column);
    m_model->columnAdded(column);
    return column;
}

int Grid::ColumnIndex(const QString &key) const
{
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].key == key)
            return int(i) + 1;
    }
    return 0;
}

QString Grid::ColumnKey(int column) const
{
    return column >= 1 && column <= Columns() ? m_columns[size_t(column - 1)].key : QString();
}

QString Grid::ColumnHeader(int column) const
{
    return column >= 1 && column <= Columns() ? m_columns[size_t(column - 1)].header : QString();
}

int Grid::ColumnAlignment(int column) const
{
    return column >= 1 && column <= Columns() ? m_columns[size_t(column - 1)].alignment : AlignLeft;
}

int Grid::ColumnWidth(int column) const
{
    return m_view->columnWidth(column - 1);
}

void Grid::setColumnWidth(int column, int pixels)
{
    if (column >= 1 && column <= Columns())
        m_view->setColumnWidth(column - 1, std::max(0, pixels));
}

bool Grid::ColumnVisible(int column) const
{
    return column >= 1 && column <= Columns() && !m_view->isColumnHidden(column - 1);
}

void Grid::setColumnVisible(int column, bool visible)
{
    if (column >= 1 && column <= Columns())
        m_view->setColumnHidden(column - 1, !visible);
}

size_t Grid::Rows() const
{
    return m_source->rowCount();
}

void Grid::setRows(size_t rows)
{
    m_source->setRowCount(rows);
    sourceRowsReset();
}

size_t Grid::AddRow()
{
    const size_t row = m_source->rowCount() + 1;
    m_source->setRowCount(row);
    sourceRowsReset();
    return row;
}

void Grid::RemoveRow(size_t row)
{
    m_source->removeRow(row);
    sourceRowsReset();
}

void Grid::Clear()
{
    EndEdit();
    setRows(0);
}

QString Grid::CellText(size_t row, int column) const
{
    return m_source->cellText(row, column);
}

void Grid::setCellText(size_t row, int column, const QString &text)
{
    m_source->setCellText(row, column, text);
    changedNow(row, column);
}

int64_t Grid::CellBackColor(size_t row, int column) const
{
    return m_source->cellBackColor(row, column);
}

void Grid::setCellBackColor(size_t row, int column, int64_t color)
{
    m_source->setCellBackColor(row, column, color);
    changedNow(row, column);
}

QFont Grid::CellFont(size_t, int) const
{
    return m_view->font();
}

int64_t Grid::BackColor() const
{
    return colorValue(m_view->palette().color(QPalette::Base));
}

int Grid::InnerWidth() const
{
    return std::max(0, width() - 2 * m_view->frameWidth());
}

QRect Grid::CellBoundary(size_t row, int column)
{
    flush();
    if (row < 1 || column < 1 || int(row) > m_model->rowCount() || column > Columns())
        return {};
    const QRect cell = m_view->visualRect(m_model->index(int(row) - 1, column - 1));
    if (cell.isEmpty())
        return {};
    return QRect(m_view->viewport()->mapTo(this, cell.topLeft()), cell.size());
}

size_t Grid::SelectedRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? size_t(current.row()) + 1 : 0;
}

int Grid::SelectedCol() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.column() + 1 : 0;
}

void Grid::setSelected(size_t row, int column)
{
    flush();
    if (row >= 1 && column >= 1 && int(row) <= m_model->rowCount() && column <= Columns())
        m_view->setCurrentIndex(m_model->index(int(row) - 1, column - 1));
}

void Grid::setRedraw(bool on)
{
    if (m_redraw == on)
        return;
    m_redraw = on;
    if (on) {
        flush();
        m_view->setUpdatesEnabled(true);
    } else {
        m_flushTimer.stop();
        m_view->setUpdatesEnabled(false);
    }
}

bool Grid::GridLines() const
{
    return m_view->showGrid();
}

void Grid::setGridLines(bool on)
{
    m_view->setShowGrid(on);
}

void Grid::setStretchLastColumn(bool on)
{
    m_view->horizontalHeader()->setStretchLastSection(on);
}

void Grid::setEditable(bool on)
{
    m_editable = on;
    if (!on)
        EndEdit();
}

void Grid::StartEdit(size_t row, int column, int keyAscii)
{
    if (!m_editable || row < 1 || row > Rows() || column < 1 || column > Columns())
        return;
    EndEdit();
    m_editing = true;
    m_editRow = row;
    m_editCol = column;
    bool cancel = false;
    emit requestEdit(int(row), column, keyAscii, &cancel);
    if (cancel)
        m_editing = false;
}

void Grid::EndEdit()
{
    if (!m_editing || m_ending)
        return;
    m_ending = true;
    emit editEnding(int(m_editRow), m_editCol);
    m_ending = false;
    m_editing = false;
    emit editClosed();
}

void Grid::CancelEdit()
{
    if (!m_editing || m_ending)
        return;
    m_editing = false;
    emit editClosed();
}

void Grid::setSource(GridSource *source)
{
    EndEdit();
    m_source = source ? source : &m_cells;
    sourceRowsReset();
}

void Grid::sourceRowsReset()
{
    m_model->markReset();
    scheduleFlush();
}

void Grid::sourceRowsAppended()
{
    // Shown as rows inserted at the end: the view keeps its place and lays out only the new rows.
    m_model->markAppended();
    scheduleFlush();
}

void Grid::sourceCellsChanged(size_t firstRow, size_t lastRow, int)
{
    m_model->markCells(firstRow, lastRow);
    scheduleFlush();
}

void Grid::changedNow(size_t row, int column)
{
    sourceCellsChanged(row, row, column);
}

void Grid::scheduleFlush()
{
    if (m_redraw && !m_flushTimer.isActive())
        m_flushTimer.start();
}

void Grid::flush()
{
    m_flushTimer.stop();
    if (m_model->pending())
        m_model->flush();
}

bool Grid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonPress) {
        EndEdit();
    } else if (watched == m_view && event->type() == QEvent::KeyPress && m_editable) {
        // A key that reaches the view is not the editor's: an edit still open ends first.
        EndEdit();
        const auto *key = static_cast<QKeyEvent *>(event);
        const QModelIndex current = m_view->currentIndex();
        if (current.isValid()) {
            const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
            if (key->key() == Qt::Key_F2) {
                StartEdit(size_t(current.row()) + 1, current.column() + 1, 0);
                return true;
            }
            // One typed character starts the edit with it, a character outside the basic
            // plane (two UTF-16 units) included.
            const std::u32string typed = chars::ToChars(key->text());
            if (plain && typed.size() == 1 && QChar::isPrint(typed[0])) {
                StartEdit(size_t(current.row()) + 1, current.column() + 1, int(typed[0]));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

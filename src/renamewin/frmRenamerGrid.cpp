// The preview grid GridPre: its columns, the two fills from the main list, the picture dates,
// the sort orders, opening a file and editing a "Preview" cell in place.
#include "AppState.h"
#include "CodePoints.h"
#include "Grid.h"
#include "PreviewRowFill.h"
#include "Shell.h"
#include "SortOrder.h"
#include "VbConvert.h"
#include "frmRenamer.h"

#include <QComboBox>
#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QValidator>
#include <malloc.h>

namespace renamewin {

namespace {

const QString GridReady = QStringLiteral("Ready");

/** Keeps "/" and NUL out of a name typed into a cell: they are dropped as they come. */
class NameCharacterValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override
    {
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            if (input[i] == u'/' || input[i] == QChar(0)) {
                input.remove(i, 1);
                if (i < pos)
                    --pos;
            }
        }
        return Acceptable;
    }
};

} // namespace

void frmRenamer::setupGrid()
{
    GridPre->setRedraw(false);
    for (int column = 1; column <= engine::ColumnCount; ++column)
        GridPre->AddColumn(QString::number(column),
                           QString::fromUtf16(engine::ColumnHeadings[size_t(column - 1)]),
                           column <= engine::ColPreview ? Grid::AlignCenter : Grid::AlignLeft);
    setGridColumnWidths();
    for (int column = engine::ColPath; column <= engine::ColumnCount; ++column) {
        GridPre->setColumnWidth(column, 0);
        GridPre->setColumnVisible(column, false);
    }
    GridPre->setRedraw(true);
    GridPre->setGridLines(true);
    GridPre->setEditable(true);
    txtEdit->setValidator(new NameCharacterValidator(txtEdit));
}

void frmRenamer::setGridColumnWidths()
{
    const int width = int(vb::roundHalfEven(double(GridPre->width()) / 2.0 - 15.0));
    GridPre->setColumnWidth(engine::ColOriginal, width);
    GridPre->setColumnWidth(engine::ColPreview, width);
}

void frmRenamer::fillGrid(bool withProgress)
{
    const int32_t count = m_mainList ? m_mainList->Count() : 0;
    // Room for the checked rows at once, rather than growing row by row.
    if (m_app.SelFileCount > 0)
        m_rows.reserve(m_rows.Rows() + size_t(std::min(m_app.SelFileCount, count)));
    // Rows of one folder share its "Folder" text.
    QString folder;
    QString folderName;
    bool stopped = false;
    for (int32_t i = 1; i <= count; ++i) {
        if (m_app.StopFlag) {
            m_app.StopFlag = false;
            stopped = true;
            break;
        }
        // The main list may have changed during a turn of the message loop.
        if (!m_mainList || i > m_mainList->Count())
            break;
        const MainListItem item = m_mainList->Item(i);
        if (item.Checked) {
            if (item.Folder != folder || folder.isNull()) {
                folder = item.Folder;
                folderName = folderNameOf(folder);
            }
            engine::PreviewRow row = previewRowOf(item, folderName);
            if (!withProgress && isPictureType(row.Type)) {
                const QStringList lines = m_engine.metadata.exifLines(row.Path + row.Original);
                lstExif->clear();
                lstExif->addItems(lines);
                row.PictureTakenDate = pictureDateLine(lines);
            }
            m_rows.addRow(std::move(row));
        }
        yield();
        if (withProgress)
            setProgressValue(m_progressValue + 1);
    }
    if (!withProgress)
        m_pictureDatesLoaded = !stopped;
}

void frmRenamer::Refreshrnm()
{
    if (m_busy) {
        m_refreshPending = true;
        return;
    }
    RunGuard guard(*this);
    GridPre->EndEdit();
    Label1->setText(QString());
    m_rows.clear();
    // The memory freed before (the old rows, the main list's earlier listings) goes back to the
    // system rather than waiting beside the new rows, which take a block of their own.
    ::malloc_trim(0);
    m_engine.Previewed = false;
    setStatus(QStringLiteral("Loading Files..."));
    setProgressMax(float(m_app.SelFileCount));
    setProgressValue(0);
    fillGrid(true);
    setProgressValue(0);
    setStatus(GridReady);
    m_pictureDatesLoaded = false;
    Label1->setText(QStringLiteral("(") + QString::number(m_rows.Rows()) + QStringLiteral(" Items)"));
}

void frmRenamer::RefreshrnmPicTak()
{
    if (m_busy) {
        m_refreshPending = true;
        return;
    }
    RunGuard guard(*this);
    GridPre->EndEdit();
    m_rows.clear();
    m_engine.Previewed = false;
    m_engine.metadata.beginRun();
    fillGrid(false);
    m_engine.metadata.endRun();
}

void frmRenamer::LoadPictureTakenDates()
{
    if (m_pictureDatesLoaded)
        return;
    setStatus(QStringLiteral("Getting Picture Taken Data..."));
    const size_t rows = m_rows.Rows();
    setProgressMax(float(rows));
    setProgressValue(0);
    m_engine.metadata.beginRun();
    bool stopped = false;
    for (size_t r = 1; r <= rows && r <= m_rows.Rows(); ++r) {
        if (m_app.StopFlag) {
            m_app.StopFlag = false;
            stopped = true;
            break;
        }
        const engine::PreviewRow &row = m_rows.row(r);
        if (row.Type == QLatin1String("JPEG Image")) {
            const QStringList lines = m_engine.metadata.exifLines(row.Path + row.Original);
            lstExif->clear();
            lstExif->addItems(lines);
            m_rows.setCellText(r, engine::ColPictureTakenDate, pictureDateLine(lines));
        }
        setProgressValue(m_progressValue + 1);
        yield();
    }
    m_engine.metadata.endRun();
    setProgressValue(0);
    setStatus(GridReady);
    m_pictureDatesLoaded = !stopped;
}

void frmRenamer::Combo1_Click()
{
    const int index = Combo1->currentIndex();
    if (m_busy || index < 0 || index >= int(SortOrders.size()))
        return;
    RunGuard guard(*this);
    GridPre->EndEdit();
    const SortOrder &order = SortOrders[size_t(index)];
    if (order.needsPictureDates())
        LoadPictureTakenDates();
    std::vector<engine::PreviewRow> rows = m_rows.rows();
    order.sort(rows);
    m_rows.setRows(std::move(rows));
}

void frmRenamer::GridPre_DblClick()
{
    if (GridPre->SelectedCol() != engine::ColOriginal)
        return;
    const size_t row = GridPre->SelectedRow();
    if (m_app.services.shell)
        m_app.services.shell->open(GridPre->CellText(row, engine::ColPath) +
                                   GridPre->CellText(row, engine::ColOriginal));
}

void frmRenamer::GridPre_RequestEdit(int row, int column, int keyAscii, bool *)
{
    QString text = GridPre->CellText(size_t(row), column);
    if (keyAscii != 0 && keyAscii != u'/') {
        const QString typed = chars::FromChar(char32_t(keyAscii));
        text.prepend(typed);
        txtEdit->setText(text);
        txtEdit->setSelection(int(typed.size()), int(text.size() - typed.size()));
    } else {
        txtEdit->setText(text);
        txtEdit->selectAll();
    }
    if (GridPre->SelectedCol() != engine::ColPreview)
        return;
    txtEdit->setFont(GridPre->CellFont(size_t(row), column));
    int64_t color = GridPre->CellBackColor(size_t(row), column);
    if (color == GridSource::NoColor)
        color = GridPre->BackColor();
    QPalette palette = txtEdit->palette();
    palette.setColor(QPalette::Base, Grid::toQColor(color));
    palette.setColor(QPalette::Text, Qt::black);
    txtEdit->setPalette(palette);
    const QRect cell = GridPre->CellBoundary(size_t(row), column);
    txtEdit->setGeometry(GridPre->x() + cell.x(), GridPre->y() + cell.y() + 1, cell.width(), cell.height());
    txtEdit->show();
    txtEdit->raise();
    txtEdit->setFocus();
}

void frmRenamer::GridPre_PreCancelEdit(int row, int column)
{
    // Only a "Preview" cell takes the editor's text, even when the current cell has moved on.
    if (GridPre->SelectedCol() == engine::ColPreview && column == engine::ColPreview)
        GridPre->setCellText(size_t(row), column, txtEdit->text());
}

void frmRenamer::GridPre_CancelEdit()
{
    const bool hadFocus = txtEdit->hasFocus();
    txtEdit->hide();
    if (hadFocus)
        GridPre->setFocus();
}

void frmRenamer::txtEdit_KeyDown(int keyCode)
{
    if (keyCode == 13)
        GridPre->EndEdit();
    else if (keyCode == 27)
        GridPre->CancelEdit();
}

} // namespace renamewin

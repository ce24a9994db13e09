#include "Validation.h"

#include "EngineHost.h"
#include "VbError.h"

#include <QHash>

namespace engine {

namespace {

// Every "Preview" cell in one colour, with the grid's redrawing off meanwhile.
template <class ColourOf>
void paintPreviewCells(PreviewTable &grid, ColourOf colourOf)
{
    grid.setRedraw(false);
    try {
        for (size_t row = 1; row <= grid.Rows(); ++row)
            grid.setCellBackColor(row, ColPreview, colourOf(grid.row(row)));
    } catch (const vb::Error &) {
    }
    grid.setRedraw(true);
}

void markDuplicate(PreviewTable &grid, size_t row)
{
    if (row <= grid.Rows() && grid.CellBackColor(row, ColPreview) != cellcolor::Duplicate)
        grid.setCellBackColor(row, ColPreview, cellcolor::Duplicate);
}

} // namespace

void ColorChangedNames(PreviewTable &grid)
{
    paintPreviewCells(grid, [](const PreviewRow &row) {
        return row.Preview == row.Original ? cellcolor::Unchanged : cellcolor::Changed;
    });
}

void cmdValidate_Click(RenameEngine &engine, PreviewTable &grid)
{
    ValidateNewNames(engine, grid);
}

void ValidateNewNames(RenameEngine &engine, PreviewTable &grid)
{
    EngineHost &host = engine.host;
    paintPreviewCells(grid, [](const PreviewRow &) { return cellcolor::White; });
    host.setProgressValue(0);
    host.setProgressMax(float(grid.Rows()));
    host.setStatus(QStringLiteral("Validating New Names"));
    ColorChangedNames(grid);

    // Duplicate targets (Path followed by Preview, compared exactly): every row whose target
    // another row shares is marked, found in one pass through a table of the first row of
    // each target. Only rows are compared with each other, never with the names on disk.
    const size_t rows = grid.Rows();
    QHash<QString, size_t> firstRowOf;
    firstRowOf.reserve(qsizetype(rows));
    for (size_t row = 1; row <= rows && row <= grid.Rows(); ++row) {
        // The stop request is looked at only where a pair is still to compare, so a grid of
        // one row leaves it set.
        if (rows >= 2 && host.stopRequested()) {
            host.setStopRequested(false);
            break;
        }
        try {
            const PreviewRow &cells = grid.row(row);
            const QString target = cells.Path + cells.Preview;
            const auto found = firstRowOf.constFind(target);
            if (found == firstRowOf.constEnd()) {
                firstRowOf.insert(target, row);
            } else {
                markDuplicate(grid, found.value());
                markDuplicate(grid, row);
            }
        } catch (const vb::Error &) {
        }
        host.setProgressValue(host.progressValue() + 1);
        host.yield();
    }

    host.setProgressValue(0);
    host.setStatus(QStringLiteral("Ready"));
}

} // namespace engine

#pragma once
/**
 * A grid whose cells are edited through an in-cell token field (an editable combo box). When the
 * field opens a token picker, the grid gives itself and the cell as a TokenCell; the picker that
 * closes last hands the field's final text back through writeTokenCell, once.
 *
 * An implementer is a QObject (the token target holds it by QPointer) that also derives from
 * TokenCellTarget.
 */
#include <QString>

class QObject;

namespace renamewin {

class TokenCellTarget {
public:
    virtual ~TokenCellTarget() = default;
    /** A picker closed: put `text`, the in-cell field's text, into the cell (`row`, `col`) and
     *  end the in-cell editing (the field is hidden). */
    virtual void writeTokenCell(int row, int col, const QString &text) = 0;
};

/** The grid cell a token field edits; `grid` is null for a field that is no in-cell editor. */
struct TokenCell {
    QObject *grid = nullptr;  ///< a QObject that derives from TokenCellTarget
    int row = 0;
    int col = 0;
};

} // namespace renamewin

#pragma once
/**
 * The program's token pickers: one window of each kind, made (and its load step run) on first
 * use and again after it closed, and the hand-over from a token field to them.
 *
 * Every token field follows the same hand-over when the user chooses an item from its list
 * (ComboItemChoice reports such choices):
 *  1. the field and the chosen item become the token target (AppState::TokenTargetCombo and
 *     TokenTargetText);
 *  2. an in-cell field of a grid that opens a picker also names its cell (TokenTargetGrid, Row,
 *     Col); any other choice clears a grid cell left from before;
 *  3. the item's picker, if it has one, is made and loaded, then placed centred under the field
 *     with its top edge at the field's bottom edge (kept wholly on the field's screen, above the
 *     field when there is no room below), and shown modeless above the field's window; one
 *     already open moves there, comes forward with the keyboard and serves the new field from
 *     then on.
 * itemChosen() does all of it; the rename window, which keeps its own sub-frames, does steps 1
 * and 2 itself and calls open().
 */
#include "PickerTokens.h"
#include "TokenCellTarget.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <initializer_list>
#include <memory>

class QComboBox;
class QWidget;
class RandomSource;
struct AppState;

namespace renamewin {

class TokenPicker;

class TokenPickers : public QObject {
    Q_OBJECT
public:
    explicit TokenPickers(AppState &app);
    /** Deletes the open pickers without their write-back (the end of the program). */
    ~TokenPickers() override;

    /** The picker of `kind`, made and loaded when none is open. */
    TokenPicker *picker(PickerKind kind);
    /** The picker of `kind` while it is open, else null. */
    TokenPicker *openPicker(PickerKind kind) const;

    /** The whole hand-over of an item choice in `field`; `cell` names the grid cell of an
     *  in-cell field; `randomPicker` makes "$Random String$" open the random picker. Returns the
     *  picker opened, or null. */
    TokenPicker *itemChosen(QComboBox *field, const TokenCell &cell = {}, bool randomPicker = false);
    /** Opens the picker of the generic `item` under `field` (step 3 of the hand-over). Returns
     *  the picker, or null when the item has none. */
    TokenPicker *open(const QString &item, QWidget *field, bool randomPicker = false);
    /** Shows the picture-date picker under the token target's field (the EXIF picker's
     *  "DateTime"). */
    void showPictureDate();
    /** Closes those of `kinds` that are open, each with its write-back. */
    void close(std::initializer_list<PickerKind> kinds);

    /** A picker closes: the next use makes a new one. */
    void closing(TokenPicker *window);

    /** The random numbers of the mask tests. */
    RandomSource &random();

private:
    AppState &m_app;
    std::unique_ptr<RandomSource> m_ownRandom;
    std::array<QPointer<TokenPicker>, PickerKindCount> m_windows;
};

} // namespace renamewin

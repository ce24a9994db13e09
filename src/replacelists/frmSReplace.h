#pragma once
/**
 * "Replace File name Strings": the editor of the string replace table AppState::ReplaceList.
 * The table is shown in the grid `GridR` (500 rows of Match Case, From String, To String) and
 * edited in place: an edit lays the editor of the cell's column over the cell (`cmbEdit` for
 * Match Case, `txtEdit` for From String, the token field `cmbToR` for To String). Rows up to the
 * last one clicked or edited are the rows in use. "OK" stores those rows as the table; "Cancel"
 * and the close box leave the table as it was. ".srl" files are saved and loaded from the grid.
 *
 * The token field's items that need a detail open a token picker (tokenItemChosen, wired to
 * the program's pickers): the field stays over its cell until the picker has closed and handed
 * the final token to the cell (writeTokenCell). Closing the dialog, or starting another edit,
 * ends that hand-over: the picker then writes nowhere in this dialog.
 *
 * The window is modeless, has no owner and deletes itself when it closes. The extension
 * replace-list dialog is this dialog with a few differences (frmExtReplace).
 */
#include "FormLayout.h"
#include "ReplaceListGrid.h"
#include "ReplaceListSource.h"
#include "TokenCellTarget.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class Grid;
struct AppState;

namespace replacelists {

class frmSReplace : public QWidget, public renamewin::TokenCellTarget {
    Q_OBJECT
public:
    /** Builds the dialog and loads it (Form_Load) from the string replace table. */
    explicit frmSReplace(AppState &app);
    ~frmSReplace() override;

    /** The rows the grid shows (row k is Rows[k - 1]) and the rows in use. */
    const ReplaceListGrid &rows() const { return m_rows; }
    /** The editor an edit of `column` uses. */
    QWidget *editorOf(int column) const;
    /** The editor of the column last clicked or edited; null before the first. */
    QWidget *currentEditor() const { return m_editor; }

    // Handlers, public as the other windows' are.
    void Form_Resize();
    void Check1_Click();
    void chkOnTop_Click();
    void cmbToR_Click();
    void cmdClear_Click();
    void cmdCScr_Click();
    void cmdQuit_Click();
    void Command1_Click();
    void Command2_Click();
    void mnuContext_Click(int index);
    /** A key went down in one of the three editors: Enter (13) ends the edit, Escape (27)
     *  cancels it. Returns true when the key was taken. */
    bool editor_KeyDown(int keyCode);
    /** A mouse button (1 left, 2 right) in the grid at `globalPos`, once the click has made
     *  its cell the current one. */
    void GridR_MouseDown(int button, QPoint globalPos);
    void GridR_RequestEdit(int row, int column, int keyAscii, bool *cancel);
    void GridR_PreCancelEdit(int row, int column);
    void GridR_CancelEdit();
    /** A picker opened from the token field closed with the field's `text`. */
    void writeTokenCell(int row, int col, const QString &text) override;

    // Controls.
    QGroupBox *frmTEXT = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *chkOnTop = nullptr;
    QGroupBox *Frame1 = nullptr;
    Grid *GridR = nullptr;
    QComboBox *cmbEdit = nullptr;
    QLineEdit *txtEdit = nullptr;
    QComboBox *cmbToR = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *cmdCScr = nullptr;
    QPushButton *cmdQuit = nullptr;
    QMenu *mnuContextTOP = nullptr;
    std::array<QAction *, 5> mnuContext{};

signals:
    /** "On Top" was ticked: the main window's and the rename window's boxes are to be cleared. */
    void onTopChecked();
    /** The dialog closed; it deletes itself once control returns to the event loop. */
    void unloaded();
    /** An item was chosen from the list of a token field of this dialog: `field` is `cmbToR`
     *  editing the cell (`row`, `column`), or a field outside the grid with `row` 0. */
    void tokenItemChosen(QComboBox *field, int row, int column);

protected:
    /** What sets the two dialogs apart in their shared controls. */
    struct Design {
        QString objectName;
        QString caption;
        QStringList tokenItems;
        renamewin::Twips gridAt;
        renamewin::Twips cmbToRAt;
        renamewin::Twips cmdCScrAt;
        std::vector<ReplaceListEntry> AppState::*table;
        /** "Match Case All" turns into "Match Case None" while ticked. */
        bool matchCaseCaption;
    };
    frmSReplace(AppState &app, const Design &design);

    /** Opening, step 1: the on-top box from TopMostWindow. */
    void loadOnTop();
    /** Opening, the grid: columns, 500 rows filled from the table, widths, rows in use. */
    void loadGrid();
    /** OK's storing: the rows in use become the table. */
    void StoreReplaceList();
    /** Ends the cell edit keeping the editor's text, also the hand-over of a picker still
     *  open for a cell (the cell takes the field's text as it is now). */
    void endCellEdit();
    /** True when the dialog stays open (a refused OK). */
    virtual bool refuseOK() { return false; }
    /** OK's own steps before the list is stored. */
    virtual void storeMore() {}

    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    int MsgBox(const QString &prompt, int buttons);
    /** A token field's item choice, reported through tokenItemChosen. */
    void connectTokenField(QComboBox *field, bool inGrid);

    AppState &m_app;
    renamewin::FormLayout m_layout;

private:
    void setupConnections();
    void setColumnWidths();
    /** The picker that the in-cell token field opened is still to write its cell. */
    bool pickerPending() const;
    /** Gives the cell a pending picker was to write the field's text now, and lets the
     *  picker write nowhere any more. */
    void settlePendingPicker();
    /** Open pickers write into no field and no cell of this dialog any more. */
    void releaseTokenTarget();
    void raiseRowsInUse(int row);

    Design m_design;
    ReplaceListGrid m_rows;
    ReplaceListSource m_source{m_rows};
    QWidget *m_editor = nullptr;
    QPointer<QWidget> m_shownEditor;
    bool m_unloading = false;
};

} // namespace replacelists

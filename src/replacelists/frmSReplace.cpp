#include "frmSReplace.h"

#include "AppState.h"
#include "AtomicFile.h"
#include "ComboItemChoice.h"
#include "Dialogs.h"
#include "Grid.h"
#include "MessageService.h"
#include "PickerTokens.h"
#include "WindowHelpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <cmath>

namespace replacelists {

namespace {

const QString Title = QStringLiteral("Strings Replacer");
const QString SrlFilter = QStringLiteral("Strings Replace List (*.srl)");
const QString MatchCaseAll = QStringLiteral("Match Case All");
const QString MatchCaseNone = QStringLiteral("Match Case None");

constexpr int MatchCaseWidth = 80;
// What the two text columns leave of the grid's width, in pixels.
constexpr int OtherWidths = 102;

constexpr int KeyEnter = 13;
constexpr int KeyEscape = 27;

enum ContextItem : int { MenuEdit = 0, MenuCopyText = 2, MenuClear = 3, MenuDeleteRow = 4 };

QString editorText(const QWidget *editor)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(editor))
        return line->text();
    if (const auto *combo = qobject_cast<const QComboBox *>(editor))
        return combo->currentText();
    return {};
}

// `widget` is `editor` or lies in it, also in a window of its own (a combo box's list).
bool holds(const QWidget *editor, const QObject *widget)
{
    for (; widget; widget = widget->parent()) {
        if (widget == editor)
            return true;
    }
    return false;
}

} // namespace

frmSReplace::frmSReplace(AppState &app)
    : frmSReplace(app, Design{QStringLiteral("frmSReplace"),
                              QStringLiteral("Replace File name Strings"),
                              renamewin::longTokenItems(),
                              {105, 150, 6840, 5985},
                              {3240, 75, 1680, 315},
                              {4050, 7110, 1620, 405},
                              &AppState::ReplaceList,
                              true})
{
    loadOnTop();
    loadGrid();
}

frmSReplace::frmSReplace(AppState &app, const Design &design)
    : QWidget(nullptr, Qt::Window), m_app(app), m_layout(this, 7680, 7650), m_design(design)
{
    setObjectName(design.objectName);
    setWindowTitle(design.caption);
    setAttribute(Qt::WA_DeleteOnClose);

    renamewin::FormLayout &f = m_layout;
    frmTEXT = f.frame(this, QStringLiteral("frmTEXT"), QString(), {120, 0, 7455, 7575});
    // Wider than the design: "Match Case None" would be clipped in the wider fonts here.
    Check1 = f.check(frmTEXT, QStringLiteral("Check1"), MatchCaseAll, {225, 180, 1980, 360});
    chkOnTop = f.check(frmTEXT, QStringLiteral("chkOnTop"), QStringLiteral("On Top"),
                       {6375, 120, 1020, 435});
    chkOnTop->setToolTip(QStringLiteral("Select to make this window topmost."));
    Frame1 = f.frame(frmTEXT, QStringLiteral("Frame1"), QString(), {225, 525, 7020, 6210});
    GridR = f.place(new Grid, Frame1, QStringLiteral("GridR"), design.gridAt);
    cmbEdit = f.combo(Frame1, QStringLiteral("cmbEdit"),
                      {QStringLiteral("y"), QStringLiteral("n")}, false, {0, 0, 555, 315});
    txtEdit = f.text(Frame1, QStringLiteral("txtEdit"), QString(), {30, 120, 1395, 315});
    cmbToR = f.combo(Frame1, QStringLiteral("cmbToR"), design.tokenItems, true, design.cmbToRAt);
    cmbToR->setInsertPolicy(QComboBox::NoInsert);
    // Typed text stays as typed: the list offers tokens, it does not complete words.
    cmbToR->setCompleter(nullptr);
    for (QWidget *editor : {static_cast<QWidget *>(cmbEdit), static_cast<QWidget *>(txtEdit),
                            static_cast<QWidget *>(cmbToR)})
        editor->hide();
    cmdClear = f.button(frmTEXT, QStringLiteral("cmdClear"), QStringLiteral("&Clear"),
                        {3135, 6750, 1215, 285});
    cmdClear->setToolTip(QStringLiteral("Clear the lists"));
    Command1 = f.button(frmTEXT, QStringLiteral("Command1"), QStringLiteral("Save List"),
                        {270, 7050, 1170, 315});
    Command2 = f.button(frmTEXT, QStringLiteral("Command2"), QStringLiteral("Load List"),
                        {1830, 7065, 1170, 315});
    cmdCScr = f.button(frmTEXT, QStringLiteral("cmdCScr"), QStringLiteral("OK"), design.cmdCScrAt);
    cmdCScr->setToolTip(QStringLiteral("Click to Replace the texts shown in the left list with "
                                       "those in the right list in the selected documents"));
    cmdQuit = f.button(this, QStringLiteral("cmdQuit"), QStringLiteral("Cancel"),
                       {6255, 7125, 1215, 375});
    cmdQuit->setToolTip(QStringLiteral("Click to Quit"));
    cmdQuit->raise();

    mnuContextTOP = new QMenu(this);
    mnuContextTOP->setObjectName(QStringLiteral("mnuContextTOP"));
    const QStringList captions{QStringLiteral("&Edit"), QString(), QStringLiteral("&CopyText"),
                               QStringLiteral("C&lear"), QStringLiteral("&Delete Row")};
    for (int i = 0; i < int(captions.size()); ++i) {
        QAction *item = captions[i].isEmpty() ? mnuContextTOP->addSeparator()
                                              : mnuContextTOP->addAction(captions[i]);
        item->setObjectName(QStringLiteral("mnuContext(%1)").arg(i));
        mnuContext[size_t(i)] = item;
    }

    resize(m_layout.designSize());
    // Below its design size the grid and the buttons, whose fonts do not shrink, would overlap.
    setMinimumSize(m_layout.designSize());
    setupConnections();
}

frmSReplace::~frmSReplace()
{
    m_unloading = true;
    releaseTokenTarget();
    GridR->disconnect(this);
    GridR->setSource(nullptr);
}

void frmSReplace::releaseTokenTarget()
{
    if (m_app.TokenTargetGrid == this)
        m_app.TokenTargetGrid = nullptr;
    if (auto *field = qobject_cast<QWidget *>(m_app.TokenTargetCombo.data()); field && isAncestorOf(field))
        m_app.TokenTargetCombo = nullptr;
}

void frmSReplace::setupConnections()
{
    connect(Check1, &QCheckBox::toggled, this, &frmSReplace::Check1_Click);
    connect(chkOnTop, &QCheckBox::toggled, this, &frmSReplace::chkOnTop_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmSReplace::cmdClear_Click);
    connect(cmdCScr, &QPushButton::clicked, this, &frmSReplace::cmdCScr_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmSReplace::cmdQuit_Click);
    connect(Command1, &QPushButton::clicked, this, &frmSReplace::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSReplace::Command2_Click);
    for (int i = 0; i < int(mnuContext.size()); ++i)
        connect(mnuContext[size_t(i)], &QAction::triggered, this, [this, i] { mnuContext_Click(i); });

    connect(GridR, &Grid::requestEdit, this, &frmSReplace::GridR_RequestEdit);
    connect(GridR, &Grid::editEnding, this, &frmSReplace::GridR_PreCancelEdit);
    connect(GridR, &Grid::editClosed, this, &frmSReplace::GridR_CancelEdit);
    GridR->view()->viewport()->installEventFilter(this);
    for (QWidget *editor : {static_cast<QWidget *>(cmbEdit), static_cast<QWidget *>(txtEdit),
                            static_cast<QWidget *>(cmbToR), static_cast<QWidget *>(cmbToR->lineEdit())})
        editor->installEventFilter(this);
    connectTokenField(cmbToR, true);
}

void frmSReplace::connectTokenField(QComboBox *field, bool inGrid)
{
    connect(new renamewin::ComboItemChoice(field), &renamewin::ComboItemChoice::chosen, this, [this, field, inGrid] {
        if (inGrid)
            cmbToR_Click();
        else
            emit tokenItemChosen(field, 0, 0);
    });
}

// --- Opening ---------------------------------------------------------------------------------

void frmSReplace::loadOnTop()
{
    if (m_app.TopMostWindow == 9)
        chkOnTop->setChecked(true);
}

void frmSReplace::loadGrid()
{
    GridR->setRedraw(false);
    GridR->AddColumn(QStringLiteral("1"), QStringLiteral("Match Case"));
    GridR->AddColumn(QStringLiteral("2"), QStringLiteral("From String"));
    GridR->AddColumn(QStringLiteral("3"), QStringLiteral("To String"));
    GridR->setEditable(true);
    GridR->setGridLines(true);
    m_rows.openFrom(m_app.*m_design.table);
    GridR->setSource(&m_source);
    setColumnWidths();
    GridR->setRedraw(true);
}

void frmSReplace::setColumnWidths()
{
    const int textWidth = int(std::lround((GridR->width() - OtherWidths) / 2.0));
    GridR->setColumnWidth(ReplaceListSource::ColMatchCase, MatchCaseWidth);
    GridR->setColumnWidth(ReplaceListSource::ColFromString, textWidth);
    GridR->setColumnWidth(ReplaceListSource::ColToString, textWidth);
}

void frmSReplace::Form_Resize()
{
    GridR->EndEdit();
    m_layout.ResizeForm();
    GridR->setRedraw(false);
    setColumnWidths();
    GridR->setRedraw(true);
}

void frmSReplace::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

// --- Buttons ---------------------------------------------------------------------------------

void frmSReplace::Check1_Click()
{
    const bool ticked = Check1->isChecked();
    m_rows.MatchCaseAll = ticked ? 1 : 0;
    const QString value = ticked ? QStringLiteral("y") : QStringLiteral("n");
    for (int row = 1; row <= m_rows.RowsInUse; ++row)
        GridR->setCellText(size_t(row), ReplaceListSource::ColMatchCase, value);
    if (m_design.matchCaseCaption)
        Check1->setText(ticked ? MatchCaseNone : MatchCaseAll);
}

void frmSReplace::chkOnTop_Click()
{
    if (chkOnTop->isChecked()) {
        emit onTopChecked();
        m_app.TopMostWindow = 9;
        common::SetWindowTopMost(this, true);
    } else {
        common::SetWindowTopMost(this, false);
        if (m_app.TopMostWindow == 9)
            m_app.TopMostWindow = 0;
    }
}

void frmSReplace::cmdClear_Click()
{
    endCellEdit();
    m_rows.clear();
    GridR->sourceCellsChanged(1, size_t(m_rows.RowsInUse), 0);
}

void frmSReplace::cmdCScr_Click()
{
    endCellEdit();
    if (refuseOK())
        return;
    storeMore();
    StoreReplaceList();
    close();
}

void frmSReplace::StoreReplaceList()
{
    m_rows.storeInto(m_app.*m_design.table);
}

void frmSReplace::cmdQuit_Click()
{
    close();
}

void frmSReplace::closeEvent(QCloseEvent *event)
{
    releaseTokenTarget();
    GridR->CancelEdit();
    QWidget::closeEvent(event);
    emit unloaded();
}

void frmSReplace::Command1_Click()
{
    endCellEdit();
    if (!m_app.services.dialogs)
        return;
    QString path = m_app.services.dialogs->getSaveFileName(QStringLiteral("Save Replace List"),
                                                           QString(), SrlFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".srl");
    if (const vb::Status saved = m_rows.saveList(path); !saved)
        MsgBox(textfile::saveFailureText(QStringLiteral("replace list"), path, saved), msg::OKOnly | msg::Exclamation);
}

void frmSReplace::Command2_Click()
{
    endCellEdit();
    if (!m_app.services.dialogs)
        return;
    const QString path = m_app.services.dialogs->getOpenFileName(QStringLiteral("Load Replace List"),
                                                                 QString(), SrlFilter);
    if (path.isEmpty())
        return;
    const ReplaceListLoad loaded = m_rows.loadList(path);
    if (!loaded) {
        MsgBox(loaded.message, msg::OKOnly | msg::Information);
        return;
    }
    GridR->sourceCellsChanged(1, m_rows.Rows.size(), 0);
    // The rows come from the file, so the box only takes its state (and caption) along.
    if (!loaded.MatchCaseAll)
        return;
    const QSignalBlocker quiet(Check1);
    Check1->setChecked(*loaded.MatchCaseAll == 1);
    if (m_design.matchCaseCaption)
        Check1->setText(Check1->isChecked() ? MatchCaseNone : MatchCaseAll);
}

int frmSReplace::MsgBox(const QString &prompt, int buttons)
{
    return m_app.services.messages ? m_app.services.messages->MsgBox(prompt, buttons, Title)
                                   : int(msg::OK);
}

// --- The grid and its editors ----------------------------------------------------------------

QWidget *frmSReplace::editorOf(int column) const
{
    switch (column) {
    case ReplaceListSource::ColMatchCase: return cmbEdit;
    case ReplaceListSource::ColFromString: return txtEdit;
    case ReplaceListSource::ColToString: return cmbToR;
    default: return nullptr;
    }
}

void frmSReplace::raiseRowsInUse(int row)
{
    if (row > m_rows.RowsInUse)
        m_rows.RowsInUse = std::min(row, int(m_rows.Rows.size()));
}

void frmSReplace::GridR_MouseDown(int button, QPoint globalPos)
{
    const size_t row = GridR->SelectedRow();
    const int column = GridR->SelectedCol();
    if (row == 0 || column == 0)
        return;
    if (button == 2) {
        mnuContext[MenuEdit]->setEnabled(GridR->Editable());
        mnuContext[MenuCopyText]->setEnabled(true);
        mnuContextTOP->popup(globalPos);
    }
    m_editor = editorOf(column);
    raiseRowsInUse(int(row));
}

void frmSReplace::GridR_RequestEdit(int row, int column, int keyAscii, bool *)
{
    if (pickerPending())
        settlePendingPicker();
    QWidget *editor = editorOf(column);
    if (m_shownEditor && m_shownEditor != editor)
        m_shownEditor->hide();
    m_editor = editor;
    raiseRowsInUse(row);
    const QRect cell = GridR->CellBoundary(size_t(row), column);

    const QString old = GridR->CellText(size_t(row), column);
    const QString text = keyAscii != 0 ? QChar(char16_t(keyAscii)) + old : old;
    const int selectFrom = keyAscii != 0 ? 1 : 0;
    if (editor == txtEdit) {
        txtEdit->setText(text);
        txtEdit->setSelection(selectFrom, int(text.size()) - selectFrom);
    } else if (editor == cmbToR) {
        cmbToR->setEditText(text);
        cmbToR->lineEdit()->setSelection(selectFrom, int(text.size()) - selectFrom);
    } else if (const int item = cmbEdit->findText(text, Qt::MatchExactly); item >= 0) {
        cmbEdit->setCurrentIndex(item);
    }

    editor->setFont(GridR->CellFont(size_t(row), column));
    int64_t color = GridR->CellBackColor(size_t(row), column);
    if (color == GridSource::NoColor)
        color = GridR->BackColor();
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Base, Grid::toQColor(color));
    editor->setPalette(palette);

    // A combo box keeps its own height.
    const int height = editor == txtEdit ? cell.height() : editor->height();
    editor->setGeometry(GridR->x() + cell.x(), GridR->y() + cell.y() + 1, cell.width(), height);
    editor->show();
    editor->raise();
    editor->setFocus();
    m_shownEditor = editor;

    if (GridR->CellText(size_t(row), ReplaceListSource::ColMatchCase).isEmpty())
        GridR->setCellText(size_t(row), ReplaceListSource::ColMatchCase, QStringLiteral("n"));
}

void frmSReplace::GridR_PreCancelEdit(int row, int column)
{
    if (QWidget *editor = editorOf(column))
        GridR->setCellText(size_t(row), column, editorText(editor));
}

void frmSReplace::GridR_CancelEdit()
{
    // The token field stays over its cell until the picker it opened has written the cell.
    if (!m_shownEditor || (m_shownEditor == cmbToR && pickerPending()))
        return;
    const bool hadFocus = holds(m_shownEditor, QApplication::focusWidget());
    m_shownEditor->hide();
    m_shownEditor = nullptr;
    if (hadFocus)
        GridR->setFocus();
}

bool frmSReplace::editor_KeyDown(int keyCode)
{
    if (keyCode == KeyEnter) {
        GridR->EndEdit();
        return true;
    }
    if (keyCode == KeyEscape) {
        GridR->CancelEdit();
        return true;
    }
    return false;
}

void frmSReplace::cmbToR_Click()
{
    if (GridR->isEditing())
        emit tokenItemChosen(cmbToR, int(GridR->EditRow()), GridR->EditCol());
    else if (pickerPending())
        emit tokenItemChosen(cmbToR, m_app.TokenTargetRow, m_app.TokenTargetCol);
}

void frmSReplace::endCellEdit()
{
    GridR->EndEdit();
    if (pickerPending()) {
        settlePendingPicker();
        GridR_CancelEdit();
    }
}

bool frmSReplace::pickerPending() const
{
    const AppState &a = m_app;
    const bool open = a.TimePickerOpen || a.DatePickerOpen || a.PictureDatePickerOpen ||
                      a.RandomPickerOpen || a.ExifPickerOpen || a.ID3PickerOpen;
    return open && a.TokenTargetGrid == this;
}

void frmSReplace::settlePendingPicker()
{
    GridR->setCellText(size_t(m_app.TokenTargetRow), m_app.TokenTargetCol, cmbToR->currentText());
    m_app.TokenTargetGrid = nullptr;
    if (m_app.TokenTargetCombo == cmbToR)
        m_app.TokenTargetCombo = nullptr;
}

void frmSReplace::writeTokenCell(int row, int col, const QString &text)
{
    // The edit may still be open (the picker took no focus); the picker's text wins.
    GridR->CancelEdit();
    GridR_CancelEdit();
    GridR->setCellText(size_t(row), col, text);
}

void frmSReplace::mnuContext_Click(int index)
{
    const size_t row = GridR->SelectedRow();
    const int column = GridR->SelectedCol();
    if (row == 0 || column == 0)
        return;
    switch (index) {
    case MenuEdit:
        GridR->StartEdit(row, column, 0);
        break;
    case MenuCopyText: {
        QClipboard *clipboard = QApplication::clipboard();
        clipboard->clear();
        clipboard->setText(GridR->CellText(row, column));
        break;
    }
    case MenuClear:
        GridR->setCellText(row, column, QString());
        break;
    case MenuDeleteRow:
        endCellEdit();
        GridR->RemoveRow(row);
        break;
    default:
        break;
    }
}

bool frmSReplace::eventFilter(QObject *watched, QEvent *event)
{
    if (m_unloading)
        return false;
    const QEvent::Type type = event->type();
    if (watched == GridR->view()->viewport()) {
        if (type == QEvent::MouseButtonRelease) {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const int button = mouse->button() == Qt::RightButton ? 2
                               : mouse->button() == Qt::LeftButton ? 1
                                                                   : 4;
            GridR_MouseDown(button, mouse->globalPosition().toPoint());
        }
        return false;
    }
    if (type == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return editor_KeyDown(KeyEnter);
        if (key == Qt::Key_Escape)
            return editor_KeyDown(KeyEscape);
    } else if (type == QEvent::FocusOut && GridR->isEditing()) {
        // Focus leaving the editor (not for its own drop-down list) ends the edit.
        const auto *focus = static_cast<QFocusEvent *>(event);
        const QWidget *editor = editorOf(GridR->EditCol());
        if (focus->reason() != Qt::PopupFocusReason && editor &&
            !holds(editor, QApplication::focusWidget()))
            GridR->EndEdit();
    }
    return false;
}

} // namespace replacelists

#include "frmRenamer.h"

#include "Actions.h"
#include "AppState.h"
#include "AtomicFile.h"
#include "Clock.h"
#include "ComboItemChoice.h"
#include "DragListBox.h"
#include "Grid.h"
#include "MaskTest.h"
#include "MediaMetadataSource.h"
#include "MessageService.h"
#include "Dialogs.h"
#include "Preview.h"
#include "PreviewGridSource.h"
#include "RandomSource.h"
#include "RenameDropFile.h"
#include "SortOrder.h"
#include "Validation.h"
#include "TokenPickers.h"
#include "WindowHelpers.h"
#include "frmLog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

namespace renamewin {

namespace {
const QString Ready = QStringLiteral("Ready");
}

frmRenamer::frmRenamer(AppState &app, engine::MetadataSource *media, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinMaxButtonsHint),
      m_app(app),
      m_ownMetadata(media ? nullptr : std::make_unique<metadata::MediaMetadataSource>()),
      m_ownClock(app.services.clock ? nullptr : std::make_unique<Clock>()),
      m_ownRandom(app.services.random ? nullptr : std::make_unique<VbRandom>()),
      m_engine(app, *this, media ? *media : *m_ownMetadata,
               app.services.clock ? *app.services.clock : *m_ownClock,
               app.services.random ? *app.services.random : *m_ownRandom),
      m_layout(this, 10455, 9930)
{
    setObjectName(QStringLiteral("frmRenamer"));
    setWindowTitle(QStringLiteral("Morvane") + QStringLiteral(" - Renamer"));
    if (m_ownRandom)
        m_ownRandom->randomize();
    buildFrame();
    buildPanels();
    for (const engine::ActionInfo &action : engine::ActionTable) {
        auto *item = new QListWidgetItem(engine::actionName(action), List3);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    for (const SortOrder &order : SortOrders)
        Combo1->addItem(order.caption());
    Combo1->setCurrentIndex(-1);
    Combo1->setPlaceholderText(QStringLiteral("Sort Files"));
    m_gridSource = std::make_unique<PreviewGridSource>(m_rows, *GridPre);
    resize(m_layout.designSize());
    setupConnections();
    setTabOrderByColumns();
    Form_Load();
}

frmRenamer::~frmRenamer()
{
    Form_Unload();
    m_gridSource.reset();
}

void frmRenamer::setTabOrderByColumns()
{
    // Tab walks the window as it is laid out: the action list, then the panel of the current
    // action, then the buttons of the right column, then the grid and the bottom row.
    auto focusable = [](QWidget *w) { return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus; };
    QList<QWidget *> panel;
    QWidget *grid = nullptr;
    for (QWidget *w = nextInFocusChain(); w != this; w = w->nextInFocusChain()) {
        if (!focusable(w))
            continue;
        if (Frame6->isAncestorOf(w))
            panel << w;
        else if (GridPre->isAncestorOf(w) && !grid)
            grid = w;
    }
    QList<QWidget *> order{List3, cmdUp, cmdDown};
    order += panel;
    order += {Command1, cmdValidate, Command12, cmdPreview, cmdExecute, Command14, chkOnTop, Command13, Combo1};
    if (grid)
        order << grid;
    order += {cmdRefresh, cmdClear, cmdClose};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmRenamer::Form_Load()
{
    m_app.StopFlag = false;
    m_app.ExifDateChosen = false;
    UpperCaseChars.clear();
    for (char16_t c = 65; c <= 90; ++c)
        UpperCaseChars += QChar(c);
    LowerCaseChars.clear();
    for (char16_t c = 97; c <= 122; ++c)
        LowerCaseChars += QChar(c);
    VowelChars = QStringLiteral("aeiouAEIOU");
    DigitChars = QStringLiteral("0123456789");

    setupGrid();
    cmbInsert->setCurrentIndex(0);
    if (m_app.TopMostWindow == OnTopCode)
        chkOnTop->setChecked(true);
    for (QRadioButton *option : {Option1, Option19, Option43, Option37, Option4})
        option->setChecked(true);
    for (const TokenControls &t : m_tokens)
        t.caseOptions[0]->setChecked(true);
    List3->setCurrentRow(0);
    m_app.RenamerLoaded = 1;
}

void frmRenamer::Form_Unload()
{
    m_app.RenamerLoaded = 0;
    if (m_pickers)
        m_pickers->close({PickerKind::Time, PickerKind::Date, PickerKind::Exif});
    UnloadLog();
}

void frmRenamer::UnloadLog()
{
    if (m_log)
        delete m_log.data();
}

void frmRenamer::setupConnections()
{
    connect(List3, &QListWidget::currentRowChanged, this, &frmRenamer::List3_Click);
    // Every click into the list shows the selected action's panel, a click on a check box too.
    connect(List3, &QAbstractItemView::clicked, this, &frmRenamer::List3_Click);
    connect(cmdUp, &QPushButton::clicked, this, &frmRenamer::cmdUp_Click);
    connect(cmdDown, &QPushButton::clicked, this, &frmRenamer::cmdDown_Click);
    connect(cmdCUp, &QPushButton::clicked, this, &frmRenamer::cmdCUp_Click);
    connect(cmdCDown, &QPushButton::clicked, this, &frmRenamer::cmdCDown_Click);
    connect(cmdDel, &QPushButton::clicked, this, &frmRenamer::cmdDel_Click);
    connect(Command15, &QPushButton::clicked, this, &frmRenamer::Command15_Click);
    List3->onMouseDown = [this](int y) { List3_MouseDown(y); };
    List3->onDragOver = [this](QListWidget *source, int y) { List3_DragOver(source, y); };
    List3->onDragDrop = [this](QListWidget *source, int y) { List3_DragDrop(source, y); };
    lstCompose->onMouseDown = [this](int y) { lstCompose_MouseDown(y); };
    lstCompose->onDragOver = [this](QListWidget *source, int y) { lstCompose_DragOver(source, y); };
    lstCompose->onDragDrop = [this](QListWidget *source, int y) { lstCompose_DragDrop(source, y); };

    for (int i = 0; i < engine::TokenActionCount; ++i) {
        const TokenControls &t = m_tokens[size_t(i)];
        const auto action = engine::TokenAction(i);
        if (t.combo)
            connect(new ComboItemChoice(t.combo), &ComboItemChoice::chosen, this,
                    [this, action] { TokenCombo_Click(action); });
        if (t.test)
            m_maskTests[size_t(i)] = new MaskTest(t.test, t.mask, m_engine.random);
    }
    connect(cmbInsert, &QComboBox::currentIndexChanged, this, &frmRenamer::cmbInsert_Click);
    for (QLineEdit *padBox : {Text18, Text19}) {
        connect(padBox, &QLineEdit::textChanged, this, [padBox](const QString &text) {
            if (text.size() > 1)
                padBox->setText(text.left(1));
        });
    }
    Text49->installEventFilter(this);

    connect(chkOnTop, &QCheckBox::toggled, this, &frmRenamer::chkOnTop_Click);
    connect(cmdPreview, &QPushButton::clicked, this, &frmRenamer::cmdPreview_Click);
    connect(cmdValidate, &QPushButton::clicked, this, &frmRenamer::cmdValidate_Click);
    connect(cmdExecute, &QPushButton::clicked, this, [this] { cmdExecute_Click(); });
    connect(Command12, &QPushButton::clicked, this, &frmRenamer::Command12_Click);
    connect(Command1, &QPushButton::clicked, this, &frmRenamer::manageRequested);
    connect(Command2, &QPushButton::clicked, this, &frmRenamer::replaceOptionsRequested);
    connect(Command3, &QPushButton::clicked, this, &frmRenamer::extensionReplaceRequested);
    connect(Command13, &QPushButton::clicked, this, &frmRenamer::Command13_Click);
    connect(Command14, &QPushButton::clicked, this, &frmRenamer::Command14_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmRenamer::cmdClose_Click);
    connect(cmdClear, &QPushButton::clicked, this, &frmRenamer::cmdClear_Click);
    connect(cmdRefresh, &QPushButton::clicked, this, &frmRenamer::cmdRefresh_Click);
    connect(Combo1, &QComboBox::activated, this, &frmRenamer::Combo1_Click);

    connect(GridPre, &Grid::dblClick, this, &frmRenamer::GridPre_DblClick);
    connect(GridPre, &Grid::requestEdit, this, &frmRenamer::GridPre_RequestEdit);
    connect(GridPre, &Grid::editEnding, this, &frmRenamer::GridPre_PreCancelEdit);
    connect(GridPre, &Grid::editClosed, this, &frmRenamer::GridPre_CancelEdit);
    txtEdit->installEventFilter(this);

    // A panel value changed while a preview runs applies to the rows that follow.
    const auto dirty = [this] { m_settingsDirty = true; };
    for (QLineEdit *box : Frame6->findChildren<QLineEdit *>())
        connect(box, &QLineEdit::textChanged, this, dirty);
    for (QComboBox *combo : Frame6->findChildren<QComboBox *>())
        connect(combo, &QComboBox::currentTextChanged, this, dirty);
    for (QAbstractButton *button : Frame6->findChildren<QAbstractButton *>())
        connect(button, &QAbstractButton::toggled, this, dirty);
}

// --- Engine host -----------------------------------------------------------------------------

void frmRenamer::setStatus(const QString &caption)
{
    lblStatus->setText(caption);
}

void frmRenamer::setProgressMax(float max)
{
    if (max < 0)
        return;
    m_progressMax = max;
    // A bar whose range is 0 to 0 would show a busy indicator instead of an empty bar.
    ProgBar->setRange(0, std::max(1, int(max)));
}

void frmRenamer::setProgressValue(float value)
{
    if (value < 0 || value > m_progressMax)
        return;
    m_progressValue = value;
    // The bar repaints about once a frame; its ends are always shown.
    const bool end = value == 0 || value >= m_progressMax;
    if (!end && !m_progressPacer.due())
        return;
    ProgBar->setValue(int(value));
    // The bar itself waits until its filled part has grown by several pixels, which in a run
    // that does not turn the message loop (Rename Now!) leaves it still for a long while: it is
    // repainted at once whenever the filled part has grown by a pixel. (It paints its ends.)
    const int filled = int(double(ProgBar->width()) * double(value) / double(std::max(1.0f, m_progressMax)));
    if (filled != m_progressFilled) {
        m_progressFilled = filled;
        if (!end)
            ProgBar->repaint();
    }
}

void frmRenamer::yield()
{
    if (!m_yieldPacer.due())
        return;
    QCoreApplication::processEvents();
    if (m_previewRunning && m_settingsDirty) {
        m_settingsDirty = false;
        readPanels(m_runSettings);
    }
}

bool frmRenamer::stopRequested() const
{
    return m_app.StopFlag;
}

void frmRenamer::setStopRequested(bool on)
{
    m_app.StopFlag = on;
}

int frmRenamer::MsgBox(const QString &prompt, int buttons, const QString &title)
{
    return m_app.services.messages ? m_app.services.messages->MsgBox(prompt, buttons, title)
                                   : int(msg::OK);
}

void frmRenamer::refreshMainList(const std::vector<engine::MainListFile> &files)
{
    emit mainListRefreshRequested(files);
}

void frmRenamer::showRenameLog(const QString &logFile)
{
    frmLog *log = logViewer();
    log->Reload(logFile);
    // A viewer that is not on the screen yet opens centred, so it never hangs off its edge.
    if (!log->isVisible())
        common::CenterForm(log);
    common::BringToFront(log);
}

frmLog *frmRenamer::logViewer()
{
    if (!m_log)
        m_log = new frmLog;
    return m_log;
}

// --- Long operations -------------------------------------------------------------------------

void frmRenamer::setRunning(bool on)
{
    m_busy = on;
    // A stop asked for while nothing ran (or after the last loop looked) is not this run's.
    if (on) {
        m_app.StopFlag = false;
        m_yieldPacer.restart();
    }
    for (QWidget *command : std::initializer_list<QWidget *>{cmdRefresh, cmdClear, Combo1, cmdPreview,
                                                             cmdValidate, cmdExecute})
        command->setEnabled(!on);
    GridPre->setEditable(!on);
    if (!on) {
        m_previewRunning = false;
        if (m_refreshPending) {
            m_refreshPending = false;
            Refreshrnm();
        }
    }
}

void frmRenamer::cmdPreview_Click()
{
    if (m_busy)
        return;
    RunGuard guard(*this);
    m_runSettings = renameSettings();
    m_settingsDirty = false;
    m_previewRunning = true;
    engine::cmdPreview_Click(m_engine, m_runSettings, m_rows);
    List4->clear();
    List4->addItems(m_engine.run.ActiveActions);
}

void frmRenamer::cmdValidate_Click()
{
    if (m_busy)
        return;
    RunGuard guard(*this);
    engine::cmdValidate_Click(m_engine, m_rows);
}

engine::RenameRunResult frmRenamer::cmdExecute_Click()
{
    if (m_busy)
        return {};
    RunGuard guard(*this);
    GridPre->EndEdit();
    return engine::cmdExecute_Click(m_engine, m_rows);
}

void frmRenamer::Command12_Click()
{
    if (!m_app.services.dialogs)
        return;
    const QString path = m_app.services.dialogs->getSaveFileName(
        QStringLiteral("Create Rename Drop"), QString(), QStringLiteral("Rename Drop (*.rnp)"));
    if (path.isEmpty())
        return;
    const QString file = QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".rnp") : path;
    const vb::Status written = settingsfiles::WriteRenameDropFile(file, renameSettings(), windowState());
    if (!written)
        MsgBox(textfile::saveFailureText(QStringLiteral("rename drop file"), file, written), msg::OKOnly,
               QStringLiteral("Morvane"));
}

settingsfiles::LoadResult frmRenamer::LoadRnp(const QString &path)
{
    engine::RenameSettings settings = renameSettings();
    settingsfiles::RenameWindowState state = windowState();
    settingsfiles::LoadResult result = settingsfiles::LoadRnp(path, settings, state);
    if (result)
        applySettings(settings, state);
    return result;
}

// --- Frame handlers --------------------------------------------------------------------------

void frmRenamer::chkOnTop_Click()
{
    if (chkOnTop->isChecked()) {
        m_app.TopMostWindow = OnTopCode;
        emit onTopChecked();
        common::SetWindowTopMost(this, true);
        m_app.TopMostWindow = OnTopCode;
    } else {
        common::SetWindowTopMost(this, false);
        if (m_app.TopMostWindow == OnTopCode)
            m_app.TopMostWindow = 0;
    }
}

void frmRenamer::Command13_Click()
{
    m_app.StopFlag = true;
    setProgressValue(0);
    setStatus(Ready);
}

void frmRenamer::Command14_Click()
{
    emit fileSelectionRequested();
}

void frmRenamer::cmdClose_Click()
{
    m_app.StopFlag = true;
    hide();
}

void frmRenamer::cmdClear_Click()
{
    if (m_busy)
        return;
    GridPre->EndEdit();
    m_rows.setRedraw(false);
    for (size_t row = 1; row <= m_rows.Rows(); ++row)
        m_rows.setPreview(row, QString());
    m_rows.setRedraw(true);
    m_engine.Previewed = false;
}

void frmRenamer::cmdRefresh_Click()
{
    Refreshrnm();
}

void frmRenamer::Form_Resize()
{
    m_layout.ResizeForm();
    GridPre->setRedraw(false);
    setGridColumnWidths();
    GridPre->setRedraw(true);
}

void frmRenamer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmRenamer::closeEvent(QCloseEvent *event)
{
    // The title bar has no close box: only "E&xit" hides the window.
    if (event->spontaneous())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void frmRenamer::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_app.StopFlag = false;
    QWidget::changeEvent(event);
}

bool frmRenamer::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == txtEdit) {
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                txtEdit_KeyDown(13);
                return true;
            }
            if (key == Qt::Key_Escape) {
                txtEdit_KeyDown(27);
                return true;
            }
        } else if (type == QEvent::FocusOut && txtEdit->isVisible()) {
            GridPre->EndEdit();
        }
        return false;
    }
    if (watched == Text49 && type == QEvent::MouseButtonPress) {
        Option5->setChecked(true);
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace renamewin

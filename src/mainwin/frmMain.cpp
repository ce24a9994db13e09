#include "frmMain.h"

#include "Anchor.h"
#include "AppFolder.h"
#include "AppState.h"
#include "Clock.h"
#include "CommandBars.h"
#include "FolderTree.h"
#include "Fso.h"
#include "Functions.h"
#include "ListFilters.h"
#include "ListViewEditableWidget.h"
#include "MainCommands.h"
#include "MessageService.h"
#include "Mousewheel.h"
#include "PathCodec.h"
#include "SettingsPropertyBag.h"
#include "Shell.h"
#include "SkinFile.h"
#include "VbFormat.h"
#include "WindowHelpers.h"
#include "frmAbout.h"
#include "frmPref.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTimer>
#include <QTreeView>

static void initMainWindowResources()
{
    Q_INIT_RESOURCE(mainwin);
}

namespace mainwin {

namespace {

// The smallest window, in twips.
constexpr double MinWidthTwips = 10500;
constexpr double MinHeightTwips = 9900;

// Shares of the list's width for its five columns after a resize.
constexpr double ColumnShares[] = {0.25, 0.25, 0.1, 0.2, 0.2};

// Where the window's position is kept: app, section, key and default ("left|top" in twips).
const char *const PositionSetting = "AnchorCtrl,Positions,frmMain,1110|540";

// How lvw2 is placed on the window, standing in for the form's own definition.
QVariantMap lvw2DesignValues()
{
    return {
        {QStringLiteral("Checkboxes"), true},
        {QStringLiteral("FullRowSelect"), true},
        {QStringLiteral("MultiSelect"), true},
        {QStringLiteral("View"), 3},
        {QStringLiteral("UpdateFrequency"), 100},
        {QStringLiteral("AutoPopupMenu"), true},
        {QStringLiteral("AllowItemEdit"), true},
        {QStringLiteral("HighlightColumn"), true},
    };
}

} // namespace

frmMain::frmMain(AppState &state, QWidget *parent) : QMainWindow(parent), m_state(state)
{
    initMainWindowResources();
    buildControls();
    Anchor1 = new common::Anchor(this);
    Anchor1->setObjectName(QStringLiteral("Anchor1"));
    setMinimumSize(common::twipsToPixels(MinWidthTwips), common::twipsToPixels(MinHeightTwips));

    m_pref = new frmPref(state, this);
    m_pref->setWindowStateSource([this] {
        // A type list still to come opens on every type.
        return SettingsFileWindow{ftv->SelectedFolder(), m_typeListDue ? AllTypesSpec : cmbFileType->currentText()};
    });

    auto store = filelist::SettingsPropertyBag::OpenUserStore();
    lvw2Widget->ReadProperties(*store, objectName(), lvw2DesignValues());
    for (filelist::ListViewEditable *list : {lvw2, LVW}) {
        list->setProgressSink(this);
        list->setDialogs(state.services.dialogs);
        list->setShell(state.services.shell);
        list->setMessages(state.services.messages);
        list->setLastCopyFolder(&state.LastCopyFolder);
        list->setMagnitudeSortSource([this] { return m_pref->SortByMagnitude(); });
    }
    setupConnections();
}

frmMain::~frmMain() = default;

void frmMain::setupConnections()
{
    connect(CommandBars1, &CommandBars::Execute, this, &frmMain::CommandBars1_Execute);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    Label17->installEventFilter(this);

    connect(cmdPref, &QPushButton::clicked, this, &frmMain::cmdPref_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmMain::cmdQuit_Click);
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(Command8, &QPushButton::clicked, this, &frmMain::Command8_Click);
    connect(cmdRename, &QPushButton::clicked, this, &frmMain::cmdRename_Click);
    connect(cmdStopSrch, &QPushButton::clicked, this, &frmMain::cmdStopSrch_Click);

    connect(Check1, &QCheckBox::toggled, this, &frmMain::Check1_Click);
    connect(Check2, &QCheckBox::toggled, this, &frmMain::Check2_Click);
    connect(Check6, &QCheckBox::toggled, this, &frmMain::Check6_Click);
    connect(chkOnTop, &QCheckBox::toggled, this, &frmMain::chkOnTop_Click);
    connect(cmbFileType, &QComboBox::activated, this, &frmMain::cmbFileType_Click);
    connect(txtFilter, &QLineEdit::textChanged, this, &frmMain::txtFilter_Change);
    connect(ftv, &FolderTree::FolderClick, this, &frmMain::ftv_FolderClick);

    connect(lvw2, &filelist::ListViewEditable::Click, this, &frmMain::lvw2_Click);
    connect(lvw2, &filelist::ListViewEditable::ItemCheck, this, &frmMain::lvw2_ItemCheck);
    connect(lvw2, &filelist::ListViewEditable::KeyDown, this, [this](int16_t &, int16_t &) { lvw2_KeyDown(); });
    connect(lvw2, &filelist::ListViewEditable::ColumnClick, this, &frmMain::lvw2_ColumnClick);
    connect(lvw2, &filelist::ListViewEditable::OLEDragDrop, this,
            [this](const QMimeData *, int32_t &, int16_t &, int16_t &, float &, float &) { lvw2_OLEDragDrop(); });

    // The count beside "items" follows the rows of the list, whatever fills or empties it (a
    // listing, a filter, a file list loaded, the files of the command line, a drop, a removal).
    const filelist::ListItemsModel *rows = &lvw2->ListItems();
    connect(rows, &QAbstractItemModel::rowsInserted, this, &frmMain::ShowPlot);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, &frmMain::ShowPlot);
    connect(rows, &QAbstractItemModel::modelReset, this, &frmMain::ShowPlot);

    connect(lvw2, &filelist::ListViewEditable::ControlResize, this, &frmMain::SizeListColumns);
    connect(Anchor1, &common::Anchor::AfterResize, this, [this] { SizeListColumns(); });
    connect(m_pref, &frmPref::PreferencesSaved, this, [this] { lvw2->setClearOnDragDrop(m_state.ClearOnFolderDrop); });
    setupToolConnections();
}

// ---- Load -----------------------------------------------------------------------------------

void frmMain::Load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    AppState &s = m_state;

    LoadSkin();
    CommandBars1->LoadCommandBars(FindAsset(QStringLiteral("KVX.xcb")));
    ReadSettingsFile(false);
    ApplyFileView(s.FileViewName);
    if (s.TopMostWindow == 1)
        chkOnTop->setChecked(true);

    // Selecting the last folder lists it, as a click on it would.
    ftv->SetSelectedFolder(s.CurrentFolder);
    if (!s.CurrentFolder.isEmpty() && !ftv->SelectedFolder().isEmpty())
        ftv_FolderClick(FolderTree::OnItemLabel);
    else
        QCoreApplication::processEvents();
    if (s.MainUnloading)
        return;

    lvw2->setClearOnDragDrop(s.ClearOnFolderDrop);
    m_pref->Unload();
    Anchor1->PositionSetting = QLatin1String(PositionSetting);
    Anchor1->DoInit();
    Anchor1->MinHeight = int32_t(MinHeightTwips);
    Anchor1->MinWidth = int32_t(MinWidthTwips);
    common::FindTreeView(ftv);
    ReadSettingsFile(true);
    ftv->SetShowHidden(s.ShowHiddenFolders == 1);

    const QString keptSpec = s.CurrentFileSpec;
    s.CurrentFileSpec = AllTypesSpec;
    s.MainLoading = 1;
    if (s.CheckAllOnLoad == 1)
        CheckAllRows();
    s.SelFileCount = lvw2->FileItemCount();
    FillFileTypes();
    cmbFileType->setCurrentText(keptSpec);
    if (cmbFileType->currentText().isEmpty())
        cmbFileType->setCurrentText(AllTypesSpec);
    if (keptSpec != AllTypesSpec)
        cmbFileType_Click();
    MainLoaded = true;
    Timer1->start();
    Timer1_Timer();
    // In a rename-drop run the review dialog is the only window the user sees.
    if (!s.RenameDropRun)
        emit renamerShowRequested();
    s.MainLoading = 0;
}

void frmMain::LoadSkin()
{
    if (auto sheet = SkinFile::load(FindAsset(SkinFile::FileName())))
        setStyleSheet(*sheet);
}

void frmMain::ApplyFileView(const QString &name)
{
    const FileView &view = FileViewForName(name);
    lvw2->setView(view.viewCode);
    for (const FileView &v : FileViews())
        CommandBars1->SetChecked(v.commandId, v.commandId == view.commandId);
}

void frmMain::ReadSettingsFile(bool ToControls)
{
    if (ToControls) {
        m_pref->EnsureLoaded();
        m_pref->ReadSettingsFile();
        return;
    }
    SettingsFileControls unused;
    mainwin::ReadSettingsFile(m_pref->settingsPath(), m_state, false, unused);
}

vb::Status frmMain::WriteSettingsFile()
{
    return m_pref->WriteSettingsFile();
}

void frmMain::showEvent(QShowEvent *event)
{
    Load();
    QMainWindow::showEvent(event);
    CommandBars1->GiveMenusTheirLetters();
    SizeListColumns();
}

// ---- Unload ---------------------------------------------------------------------------------

void frmMain::cmdQuit_Click()
{
    lvw2->StopScan();
    LVW->StopScan();
    close();
}

void frmMain::Form_Unload()
{
    AppState &s = m_state;
    s.MainUnloading = true;
    common::UnhookMouseWheel();
    Anchor1->Terminate();
    hide();
    m_pref->EnsureLoaded();
    s.StopFlag = true;
    lvw2->StopScan();
    LVW->StopScan();
    Timer1->stop();
    m_pref->SaveSettings();
    const QString commandBarsFile = AppFile(QStringLiteral("KVX.xcb"));
    ReportSavedFile(m_state, commandBarsFile, CommandBars1->SaveCommandBars(commandBarsFile));
    if (m_about)
        m_about->close();
    m_pref->Unload();
    emit unloading();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // A window that never loaded has nothing to save.
    if (!m_loaded) {
        event->accept();
        return;
    }
    if (!m_unloadDone) {
        m_unloadDone = true;
        Form_Unload();
    }
    if (m_scanDepth > 0) {
        // A scan is still on the stack; the handler that runs it finishes the close.
        event->ignore();
        return;
    }
    event->accept();
    if (!m_closed) {
        m_closed = true;
        emit unloaded();
    }
}

void frmMain::FinishClosing()
{
    if (m_scanDepth == 0)
        QTimer::singleShot(0, this, [this] { close(); });
}

// ---- Layout, clock, log ---------------------------------------------------------------------

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    // Until the anchor has taken the window's size, the columns are divided here.
    if (m_loaded)
        Anchor1->DoResize();
    else
        SizeListColumns();
}

void frmMain::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || m_unloadDone)
        return;
    if (isActiveWindow())
        common::HookMouseWheel(this);
    else
        common::UnhookMouseWheel();
}

void frmMain::SizeListColumns()
{
    // The list's own width, not its viewport's: before the first show the viewport has not been
    // laid out yet and still has its initial size.
    QTreeView *view = lvw2Widget->ListView();
    int width = view->contentsRect().width();
    if (view->verticalScrollBar()->isVisible())
        width -= view->verticalScrollBar()->width();
    for (int i = 0; i < int(std::size(ColumnShares)) && i < view->header()->count(); ++i)
        view->header()->resizeSection(i, int(width * ColumnShares[i]));
}

void frmMain::Timer1_Timer()
{
    const QDateTime now = m_state.services.clock ? m_state.services.clock->now() : QDateTime::currentDateTime();
    Label1->setText(vb::Format(now, QStringLiteral("MMM DD, YYYY")) + QStringLiteral("  ")
                    + vb::Format(now, QStringLiteral("Long Time")));
}

void frmMain::AppendLog(const QString &text)
{
    m_logText += text;
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text2->moveCursor(QTextCursor::End);
    Text2->insertPlainText(shown);
    Text2->moveCursor(QTextCursor::End);
    Text2->ensureCursorVisible();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label17 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
        Label17_Click();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::Label17_Click()
{
    if (m_state.services.shell)
        m_state.services.shell->open(Label17->property("Tag").toString());
}

// ---- Commands -------------------------------------------------------------------------------

void frmMain::CommandBars1_Execute(int32_t id)
{
    if (id - FirstCommandId < 0 || id - FirstCommandId >= CommandIdSpan)
        return;
    if (const FileView *view = FileViewForCommand(id)) {
        m_state.FileViewName = QLatin1String(view->name);
        ApplyFileView(m_state.FileViewName);
        return;
    }
    switch (id) {
    case ID_QUIT:
        cmdQuit_Click();
        break;
    case ID_REFRESH_FOLDERS:
        Command2_Click();
        break;
    case ID_PREFERENCES:
        cmdPref_Click();
        break;
    case ID_HELP:
        HelpContents();
        break;
    case ID_ABOUT:
        common::BringToFront(&About());
        break;
    case ID_RENAME:
        cmdRename_Click();
        break;
    case ID_SAVE_SETTINGS:
        // A failed save has told why; it is not logged as saved.
        if (WriteSettingsFile())
            AppendLog(QStringLiteral("Settings Saved.\r\n"));
        break;
    case ID_ATTRIBUTES:
        Command1_Click();
        break;
    default:
        break;
    }
}

void frmMain::HelpContents()
{
    // Without the help file, or without a program that shows it, the user is told so rather
    // than left with nothing happening.
    const QString help = AppFile(QStringLiteral("Readme.chm"));
    QString problem;
    if (!fso::FileExists(help))
        problem = QStringLiteral("The help file \"%1\" was not found.").arg(pathcodec::printable(help));
    else if (!m_state.services.shell || !m_state.services.shell->open(help))
        problem = QStringLiteral("No program is set up to show the help file \"%1\".").arg(pathcodec::printable(help));
    if (!problem.isEmpty() && m_state.services.messages)
        m_state.services.messages->MsgBox(problem, msg::OKOnly | msg::Information);
}

frmAbout &frmMain::About()
{
    if (!m_about)
        m_about = new frmAbout(m_state.services.shell, this);
    return *m_about;
}

void frmMain::cmdPref_Click()
{
    m_pref->ShowModeless();
}

void frmMain::NotAvailableYet(const QString &what)
{
    if (m_state.services.messages)
        m_state.services.messages->MsgBox(what + QStringLiteral(" is not available yet."), msg::Information);
}

void frmMain::Command1_Click()
{
    if (isSignalConnected(QMetaMethod::fromSignal(&frmMain::attributesRequested)))
        emit attributesRequested();
    else
        NotAvailableYet(QStringLiteral("The attribute dialog"));
}

void frmMain::Command2_Click()
{
    ftv->RefreshFolders();
}

void frmMain::Command8_Click()
{
    if (isSignalConnected(QMetaMethod::fromSignal(&frmMain::fileListsRequested)))
        emit fileListsRequested();
    else
        NotAvailableYet(QStringLiteral("The file list manager"));
}

bool frmMain::DisableCloseButton(QWidget *form)
{
    if (!form)
        return false;
    Qt::WindowFlags flags = form->windowFlags();
    const bool hadClose = !(flags & Qt::CustomizeWindowHint) || (flags & Qt::WindowCloseButtonHint);
    const bool wasVisible = form->isVisible();
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint;
    flags &= ~Qt::WindowCloseButtonHint;
    form->setWindowFlags(flags);
    if (wasVisible)
        form->show();
    return hadClose;
}

// ---- The list's status and progress --------------------------------------------------------

int32_t frmMain::progressMax() const
{
    return m_progressMax;
}

void frmMain::setProgressMax(int32_t max)
{
    m_progressMax = max;
    // A bar with no range would show the busy animation instead of an empty bar.
    ProgBarM->setMaximum(std::max(1, max));
    // As the bar itself, a value beyond the new range is reset.
    if (m_progressValue > ProgBarM->maximum())
        m_progressValue = ProgBarM->value();
}

int32_t frmMain::progressValue() const
{
    return m_progressValue;
}

void frmMain::setProgressValue(int32_t value)
{
    // The bar repaints about once a frame during a scan; its ends are always shown.
    if (value < 0 || value > m_progressMax)
        return;
    m_progressValue = std::min(value, ProgBarM->maximum());
    if (value == 0 || value == m_progressMax || m_progressPacer.due())
        ProgBarM->setValue(m_progressValue);
}

void frmMain::setStatusText(const QString &text)
{
    Label10->setText(text);
}

bool frmMain::isUnloading() const
{
    return m_state.MainUnloading;
}

} // namespace mainwin

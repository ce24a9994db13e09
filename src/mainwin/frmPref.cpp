#include "frmPref.h"

#include "AppState.h"
#include "WindowHelpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace mainwin {

namespace {

int16_t checkValue(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

frmPref::frmPref(AppState &state, QWidget *parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmPref"));
    setWindowTitle(QStringLiteral("Morvane - Preferences"));
    buildControls();
    setupConnections();
}

void frmPref::buildControls()
{
    auto check = [this](QCheckBox *&box, const char *name, const char *caption) {
        box = new QCheckBox(QString::fromUtf8(caption), this);
        box->setObjectName(QLatin1String(name));
        return box;
    };

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    auto *page = new QWidget(SSTab1);
    SSTab1->addTab(page, QStringLiteral("Save Options"));

    Frame3 = new QGroupBox(QStringLiteral("Renaming Options"), page);
    auto *renaming = new QVBoxLayout(Frame3);
    renaming->addWidget(check(Check12, "Check12", "Show Confirmation Message after Renaming."));
    renaming->addWidget(check(Check11, "Check11", "Context Menu Command Appends Items to Existing."));
    renaming->addWidget(check(Check9, "Check9", "Show Rename Drop dialog."));
    renaming->addWidget(check(Check8, "Check8", "Save Log File for each operation."));
    renaming->addWidget(check(Check7, "Check7", "Show Rename Log After Each Renaming."));
    renaming->addWidget(check(Check5, "Check5", "Automatically Normalize File/Dir Attributes before renaming."));
    renaming->addWidget(check(Check4, "Check4", "Automatically Validate Names after Preview."));
    renaming->addWidget(check(Check3, "Check3", "Automatically Refresh Main File View after Renaming."));
    renaming->addWidget(check(Check2, "Check2", "Automatically Refresh Rename View on Main File View Click."));

    Frame1 = new QGroupBox(QStringLiteral("File/Folder View"), page);
    auto *view = new QVBoxLayout(Frame1);
    view->addWidget(check(Check6, "Check6", "Show Hidden Folders in Folder Pane."));
    view->addWidget(check(Check21, "Check21", "Clear File List View on Drag-Drop of Folders."));
    view->addWidget(check(Check19, "Check19", "Save File Type Selection"));
    view->addWidget(check(Check1, "Check1", "Save Last Selected Folder"));
    view->addWidget(check(Check10, "Check10", "All Files in File View Checked Initially."));

    Frame2 = new QGroupBox(QStringLiteral("Sort Names (oncolumn click):"), page);
    auto *sort = new QVBoxLayout(Frame2);
    OptSort[1] = new QRadioButton(QStringLiteral("By Magnitude (Ignoring pre-zeros)"), Frame2);
    OptSort[1]->setObjectName(QStringLiteral("OptSort1"));
    OptSort[0] = new QRadioButton(QStringLiteral("Alphabetically"), Frame2);
    OptSort[0]->setObjectName(QStringLiteral("OptSort0"));
    OptSort[0]->setChecked(true);
    sort->addWidget(OptSort[1]);
    sort->addWidget(OptSort[0]);

    auto *pageLayout = new QGridLayout(page);
    pageLayout->addWidget(Frame3, 0, 0, 3, 1);
    pageLayout->addWidget(Frame1, 0, 1);
    pageLayout->addWidget(Frame2, 1, 1);
    auto *others = new QVBoxLayout;
    others->addWidget(check(chkBkr, "chkBkr", "Always ask for Bookmark Names."));
    others->addWidget(check(chkMainMax, "chkMainMax", "Start Main Window Maximized"));
    others->addStretch();
    pageLayout->addLayout(others, 2, 1);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("CANCEL"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto *main = new QVBoxLayout(this);
    main->addWidget(SSTab1);
    main->addLayout(buttons);
}

void frmPref::setupConnections()
{
    connect(Command1, &QPushButton::clicked, this, &frmPref::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmPref::Command2_Click);
    connect(Check10, &QCheckBox::toggled, this, &frmPref::Check10_Click);
}

void frmPref::EnsureLoaded()
{
    if (!m_loaded)
        Form_Load();
}

void frmPref::Form_Load()
{
    m_loaded = true;
    {
        // A load starts from the dialog's design values; these run no handlers.
        const QSignalBlocker block(Check10);
        SetFileControls({});
        Check11->setChecked(false);
        chkMainMax->setChecked(false);
    }
    const AppState &s = m_state;
    Check2->setChecked(s.AutoRefreshRenamer != 0);
    Check3->setChecked(s.AutoRefreshMainList != 0);
    Check4->setChecked(s.AutoValidateNames != 0);
    Check5->setChecked(s.AutoNormalizeAttributes != 0);
    Check6->setChecked(s.ShowHiddenFolders != 0);
    Check7->setChecked(s.ShowLogAfterRename != 0);
    Check8->setChecked(s.SaveLogFile != 0);
    Check9->setChecked(s.ShowRenameDropDialog != 0);
    Check12->setChecked(s.ShowRenameConfirmation != 0);
    chkBkr->setChecked((s.SkipBookmarkName ^ 1) != 0);
    ReadSettingsFile();
    Check21->setChecked(s.ClearOnFolderDrop);
}

void frmPref::Unload()
{
    hide();
    m_loaded = false;
}

void frmPref::ShowModeless()
{
    EnsureLoaded();
    common::BringToFront(this);
}

SettingsFileControls frmPref::FileControls()
{
    EnsureLoaded();
    return {Check1->isChecked(), Check10->isChecked(), OptSort[1]->isChecked(), Check19->isChecked()};
}

bool frmPref::SortByMagnitude()
{
    EnsureLoaded();
    return OptSort[1]->isChecked();
}

void frmPref::SetFileControls(const SettingsFileControls &c)
{
    Check1->setChecked(c.Check1);
    Check10->setChecked(c.Check10);
    OptSort[c.OptSortMagnitude ? 1 : 0]->setChecked(true);
    Check19->setChecked(c.Check19);
}

void frmPref::ReadSettingsFile()
{
    SettingsFileControls controls{Check1->isChecked(), Check10->isChecked(), OptSort[1]->isChecked(),
                                  Check19->isChecked()};
    if (mainwin::ReadSettingsFile(settingsPath(), m_state, true, controls))
        SetFileControls(controls);
}

vb::Status frmPref::WriteSettingsFile()
{
    const SettingsFileControls controls = FileControls();
    const SettingsFileWindow window = m_windowState ? m_windowState() : SettingsFileWindow{};
    const vb::Status written = mainwin::WriteSettingsFile(settingsPath(), m_state, controls, window);
    ReportSavedFile(m_state, settingsPath(), written);
    return written;
}

void frmPref::SaveSettings()
{
    EnsureLoaded();
    AppState &s = m_state;
    s.ClearOnFolderDrop = Check21->isChecked();
    s.AutoRefreshRenamer = checkValue(Check2);
    s.AutoRefreshMainList = checkValue(Check3);
    s.AutoValidateNames = checkValue(Check4);
    s.AutoNormalizeAttributes = checkValue(Check5);
    s.ShowHiddenFolders = checkValue(Check6);
    s.ShowLogAfterRename = checkValue(Check7);
    s.SaveLogFile = checkValue(Check8);
    s.ShowRenameDropDialog = checkValue(Check9);
    s.ShowRenameConfirmation = checkValue(Check12);
    s.SkipBookmarkName = checkValue(chkBkr) ^ 1;
    emit PreferencesSaved();
    WriteSettingsFile();
    Unload();
}

void frmPref::Command1_Click()
{
    SaveSettings();
}

void frmPref::Command2_Click()
{
    Unload();
}

void frmPref::Check10_Click()
{
    m_state.CheckAllOnLoad = checkValue(Check10);
}

void frmPref::closeEvent(QCloseEvent *event)
{
    Unload();
    event->accept();
}

} // namespace mainwin

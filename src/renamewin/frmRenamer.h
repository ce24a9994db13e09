#pragma once
/**
 * The rename window: the action list `List3` with its thirteen option panels, the preview grid
 * `GridPre`, and the buttons that preview, validate and rename. Its controls are members under
 * their own names; the engine gets the panels' values as one RenameSettings value and the grid's
 * rows as a PreviewTable, and talks back through this window as its EngineHost (status label,
 * progress bar, message loop, stop request, messages, after-rename steps).
 *
 * Other windows reach it through its public operations (Refreshrnm, RefreshrnmPicTak,
 * cmdPreview_Click, LoadRnp, ListRowCalc, ListRowMove) and its signals.
 */
#include "EngineHost.h"
#include "Execute.h"
#include "FormLayout.h"
#include "MainFileList.h"
#include "MetadataSource.h"
#include "Pacer.h"
#include "PreviewTable.h"
#include "RenameEngine.h"
#include "RenameSettings.h"
#include "RenameWindowState.h"
#include "LoadResult.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class Grid;
struct AppState;
class Clock;
class RandomSource;

namespace renamewin {

class DragListBox;
class MaskTest;
class PreviewGridSource;
class TokenPickers;
class frmLog;

class frmRenamer : public QWidget, public engine::EngineHost {
    Q_OBJECT
public:
    /** The window's code in TopMostWindow while its "On Top" is ticked. */
    static constexpr int16_t OnTopCode = 7;

    /** The window of `app`; picture and music data come from `media` (when null, from the
     *  program's own picture and music readers). The window is built and loaded (Form_Load)
     *  hidden. */
    explicit frmRenamer(AppState &app, engine::MetadataSource *media = nullptr,
                        QWidget *parent = nullptr);
    ~frmRenamer() override;

    /** The size the controls were designed for, at which every caption shows whole. It is a
     *  hint only: the window sets no minimum size, its controls follow it in proportion to any
     *  size, so that it fits a small screen. */
    QSize minimumSizeHint() const override;

    /** The main window's file list that the grid fills read (not owned). */
    void setMainFileList(const MainFileList *list) { m_mainList = list; }
    /** The program's token pickers, which the token combos open (not owned). */
    void setTokenPickers(TokenPickers *pickers) { m_pickers = pickers; }

    // The engine's view of the window.
    /** The rename settings as the panels hold them now. */
    engine::RenameSettings renameSettings() const;
    /** The window state the settings files keep besides the settings. */
    settingsfiles::RenameWindowState windowState() const;
    /** Puts settings and window state into the controls, running their handlers. */
    void applySettings(const engine::RenameSettings &settings,
                       const settingsfiles::RenameWindowState &state);
    /** The rows of GridPre. */
    engine::PreviewTable &previewRows() { return m_rows; }
    const engine::PreviewTable &previewRows() const { return m_rows; }
    /** A preview has run to its end since the last change of the rows. */
    bool Previewed() const { return m_engine.Previewed; }
    /** The rows whose last preview failed, with the reason (row number, description). */
    const std::vector<std::pair<size_t, QString>> &failedPreviewRows() const { return m_engine.run.FailedRows; }
    /** A preview, validation, rename or grid fill is running. */
    bool isRunning() const { return m_busy; }

    // Public operations.
    void cmdPreview_Click();
    void cmdValidate_Click();
    engine::RenameRunResult cmdExecute_Click();
    void Command12_Click();
    void Refreshrnm();
    void RefreshrnmPicTak();
    bool PictureDatesLoaded() const { return m_pictureDatesLoaded; }
    /** Loads a rename-drop file into the panels; a refused file changes nothing. */
    settingsfiles::LoadResult LoadRnp(const QString &path);
    /** The row of `list` under the vertical position `y` (pixels in the list). */
    int16_t ListRowCalc(QListWidget *list, int y) const;
    /** Moves the row `from` of `list` to `to`, the rows between closing up. In the action list
     *  each action takes its own check mark along. */
    void ListRowMove(QListWidget *list, int from, int to);

    // Handlers, public so that start-up and tests can drive them as a user would.
    void Form_Resize();
    void chkOnTop_Click();
    void Command13_Click();
    void Command14_Click();
    void cmdClose_Click();
    void cmdClear_Click();
    void cmdRefresh_Click();
    void List3_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdCUp_Click();
    void cmdCDown_Click();
    void Command15_Click();
    void cmdDel_Click();
    void MoveListItem(QListWidget *list, int index, bool up);
    void List3_MouseDown(int y);
    void lstCompose_MouseDown(int y);
    void List3_DragOver(QListWidget *source, int y);
    void lstCompose_DragOver(QListWidget *source, int y);
    void List3_DragDrop(QListWidget *source, int y);
    void lstCompose_DragDrop(QListWidget *source, int y);
    /** An item was chosen from the list of a token combo (the panel's combo of `action`). */
    void TokenCombo_Click(engine::TokenAction action);
    void cmbInsert_Click();
    /** The Test button of a random sub-frame pressed (true) or released, with a mouse button
     *  code (1 = left). */
    void TestButton_Mouse(engine::TokenAction action, bool pressed, int button);
    void Combo1_Click();
    void GridPre_DblClick();
    void GridPre_RequestEdit(int row, int column, int keyAscii, bool *cancel);
    void GridPre_PreCancelEdit(int row, int column);
    void GridPre_CancelEdit();
    void txtEdit_KeyDown(int keyCode);

    /** The log viewer, created on first use. */
    frmLog *logViewer();
    /** Closes the log viewer when there is one (the main window's unloading). */
    void UnloadLog();

    // EngineHost.
    void setStatus(const QString &caption) override;
    void setProgressMax(float max) override;
    void setProgressValue(float value) override;
    float progressValue() const override { return m_progressValue; }
    /** How often long runs turn the message loop and repaint the progress bar (about a frame;
     *  0: at every row). */
    void setFramePeriod(qint64 ms)
    {
        m_yieldPacer.setPeriod(ms);
        m_progressPacer.setPeriod(ms);
    }
    void yield() override;
    bool stopRequested() const override;
    void setStopRequested(bool on) override;
    int MsgBox(const QString &prompt, int buttons, const QString &title) override;
    void refreshMainList(const std::vector<engine::MainListFile> &files) override;
    void showRenameLog(const QString &logFile) override;

    // Window-level state read by the engine.
    QString UpperCaseChars, LowerCaseChars, VowelChars, DigitChars;
    int16_t DragStartRow = 0;

    /** The controls of one token action: combo, sub-frames, boxes, case options, random mask,
     *  help text and Test button (null where the panel has none). */
    struct TokenControls {
        QComboBox *combo = nullptr;
        QGroupBox *counterFrame = nullptr;
        QGroupBox *alphaFrame = nullptr;
        QGroupBox *randomFrame = nullptr;
        std::array<QLineEdit *, 6> counterBoxes{};
        std::array<QLineEdit *, 6> alphaBoxes{};
        std::array<QRadioButton *, 2> caseOptions{};
        QLineEdit *mask = nullptr;
        QPlainTextEdit *help = nullptr;
        QPushButton *test = nullptr;
    };
    const TokenControls &tokenControls(engine::TokenAction action) const
    {
        return m_tokens[size_t(action)];
    }

private:
    void setTabOrderByColumns();
    std::array<TokenControls, engine::TokenActionCount> m_tokens;
    std::array<MaskTest *, engine::TokenActionCount> m_maskTests{};

public:
    // Frame.
    DragListBox *List3 = nullptr;
    QPushButton *cmdUp = nullptr, *cmdDown = nullptr;
    std::array<QLabel *, 58> Label10{};
    QGroupBox *Frame6 = nullptr, *Frame5 = nullptr, *Frame8 = nullptr;
    QPushButton *Command1 = nullptr, *cmdValidate = nullptr, *Command12 = nullptr,
                *cmdPreview = nullptr, *cmdExecute = nullptr;
    QPushButton *Command14 = nullptr;
    QCheckBox *chkOnTop = nullptr;
    QPushButton *Command13 = nullptr;
    QLabel *lblLegendOK = nullptr, *lblLegendDuplicate = nullptr, *lblLegendNotChanged = nullptr;
    QComboBox *Combo1 = nullptr;
    Grid *GridPre = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdRefresh = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *cmdClear = nullptr;
    QProgressBar *ProgBar = nullptr;
    QPushButton *cmdClose = nullptr;
    QListWidget *List4 = nullptr, *lstExif = nullptr;
    QLineEdit *txtEdit = nullptr;

    // Panels.
    QGroupBox *frmReplace = nullptr, *frmReplaceFirst = nullptr, *frmReplaceMid = nullptr,
              *frmReplaceLast = nullptr, *frmReplaceAll = nullptr, *frmInsert = nullptr,
              *frmSuffix = nullptr, *frmPrefix = nullptr, *frmLength = nullptr,
              *frmCase = nullptr, *frmExtension = nullptr, *frmClean = nullptr,
              *frmCompose = nullptr;
    std::array<QGroupBox *, 10> Frame1{};

    // "Replace"
    QPushButton *Command2 = nullptr;
    QTabWidget *SSTab1 = nullptr;
    QGroupBox *&frmReplaceC = m_tokens[size_t(engine::TokenAction::Replace)].counterFrame;
    QGroupBox *&frmReplaceA = m_tokens[size_t(engine::TokenAction::Replace)].alphaFrame;
    std::array<QLineEdit *, 6> &txtReplaceC = m_tokens[size_t(engine::TokenAction::Replace)].counterBoxes;
    std::array<QLineEdit *, 6> &txtReplaceA = m_tokens[size_t(engine::TokenAction::Replace)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptRACase = m_tokens[size_t(engine::TokenAction::Replace)].caseOptions;

    // "Replace First"
    QLineEdit *Text1 = nullptr;
    QComboBox *&cmbFirst = m_tokens[size_t(engine::TokenAction::ReplaceFirst)].combo;
    QGroupBox *&frmFirstC = m_tokens[size_t(engine::TokenAction::ReplaceFirst)].counterFrame;
    QGroupBox *&frmFirstA = m_tokens[size_t(engine::TokenAction::ReplaceFirst)].alphaFrame;
    QGroupBox *&frmFirstR = m_tokens[size_t(engine::TokenAction::ReplaceFirst)].randomFrame;
    std::array<QLineEdit *, 6> &txtFirstC = m_tokens[size_t(engine::TokenAction::ReplaceFirst)].counterBoxes;
    std::array<QLineEdit *, 6> &txtFirstA = m_tokens[size_t(engine::TokenAction::ReplaceFirst)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptFACase = m_tokens[size_t(engine::TokenAction::ReplaceFirst)].caseOptions;
    QLineEdit *&Text50 = m_tokens[size_t(engine::TokenAction::ReplaceFirst)].mask;
    QPushButton *&Command4 = m_tokens[size_t(engine::TokenAction::ReplaceFirst)].test;
    std::array<QPlainTextEdit *, 3> Text51{};

    // "Replace Mid"
    QLineEdit *Text12 = nullptr, *Text13 = nullptr;
    QComboBox *&cmbMid = m_tokens[size_t(engine::TokenAction::ReplaceMid)].combo;
    QGroupBox *&frmMidC = m_tokens[size_t(engine::TokenAction::ReplaceMid)].counterFrame;
    QGroupBox *&frmMidA = m_tokens[size_t(engine::TokenAction::ReplaceMid)].alphaFrame;
    QGroupBox *&frmMidR = m_tokens[size_t(engine::TokenAction::ReplaceMid)].randomFrame;
    std::array<QLineEdit *, 6> &txtMidC = m_tokens[size_t(engine::TokenAction::ReplaceMid)].counterBoxes;
    std::array<QLineEdit *, 6> &txtMidA = m_tokens[size_t(engine::TokenAction::ReplaceMid)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptMACase = m_tokens[size_t(engine::TokenAction::ReplaceMid)].caseOptions;
    QLineEdit *&Text53 = m_tokens[size_t(engine::TokenAction::ReplaceMid)].mask;
    QPushButton *&Command5 = m_tokens[size_t(engine::TokenAction::ReplaceMid)].test;

    // "Replace Last"
    QLineEdit *Text14 = nullptr;
    QComboBox *&cmbLast = m_tokens[size_t(engine::TokenAction::ReplaceLast)].combo;
    QGroupBox *&frmLastC = m_tokens[size_t(engine::TokenAction::ReplaceLast)].counterFrame;
    QGroupBox *&frmLastA = m_tokens[size_t(engine::TokenAction::ReplaceLast)].alphaFrame;
    QGroupBox *&frmLastR = m_tokens[size_t(engine::TokenAction::ReplaceLast)].randomFrame;
    std::array<QLineEdit *, 6> &txtLastC = m_tokens[size_t(engine::TokenAction::ReplaceLast)].counterBoxes;
    std::array<QLineEdit *, 6> &txtLastA = m_tokens[size_t(engine::TokenAction::ReplaceLast)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptLACase = m_tokens[size_t(engine::TokenAction::ReplaceLast)].caseOptions;
    QLineEdit *&Text55 = m_tokens[size_t(engine::TokenAction::ReplaceLast)].mask;
    QPushButton *&Command6 = m_tokens[size_t(engine::TokenAction::ReplaceLast)].test;

    // "Replace All"
    QComboBox *&cmbAll = m_tokens[size_t(engine::TokenAction::ReplaceAll)].combo;
    QGroupBox *&frmReplaceAllC = m_tokens[size_t(engine::TokenAction::ReplaceAll)].counterFrame;
    QGroupBox *&frmReplaceAllA = m_tokens[size_t(engine::TokenAction::ReplaceAll)].alphaFrame;
    QGroupBox *&frmReplaceAllR = m_tokens[size_t(engine::TokenAction::ReplaceAll)].randomFrame;
    std::array<QLineEdit *, 6> &txtAllC = m_tokens[size_t(engine::TokenAction::ReplaceAll)].counterBoxes;
    std::array<QLineEdit *, 6> &txtAllA = m_tokens[size_t(engine::TokenAction::ReplaceAll)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptAACase = m_tokens[size_t(engine::TokenAction::ReplaceAll)].caseOptions;
    QLineEdit *&Text56 = m_tokens[size_t(engine::TokenAction::ReplaceAll)].mask;
    QPlainTextEdit *&Text57 = m_tokens[size_t(engine::TokenAction::ReplaceAll)].help;
    QPushButton *&Command7 = m_tokens[size_t(engine::TokenAction::ReplaceAll)].test;

    // "Insert"
    QComboBox *cmbInsert = nullptr;
    QGroupBox *frmInsPos = nullptr, *frmInsStr1 = nullptr, *frmInsStr2 = nullptr, *Frame2 = nullptr;
    QLineEdit *Text38 = nullptr, *Text43 = nullptr, *Text44 = nullptr, *Text45 = nullptr;
    QCheckBox *Check2 = nullptr, *Check1 = nullptr;
    QComboBox *&cmbInsertS = m_tokens[size_t(engine::TokenAction::Insert)].combo;
    QGroupBox *&frmInsertC = m_tokens[size_t(engine::TokenAction::Insert)].counterFrame;
    QGroupBox *&frmInsertA = m_tokens[size_t(engine::TokenAction::Insert)].alphaFrame;
    QGroupBox *&frmInsertR = m_tokens[size_t(engine::TokenAction::Insert)].randomFrame;
    std::array<QLineEdit *, 6> &txtInsertC = m_tokens[size_t(engine::TokenAction::Insert)].counterBoxes;
    std::array<QLineEdit *, 6> &txtInsertA = m_tokens[size_t(engine::TokenAction::Insert)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptIACase = m_tokens[size_t(engine::TokenAction::Insert)].caseOptions;
    QLineEdit *&Text59 = m_tokens[size_t(engine::TokenAction::Insert)].mask;
    QPlainTextEdit *&Text58 = m_tokens[size_t(engine::TokenAction::Insert)].help;
    QPushButton *&Command8 = m_tokens[size_t(engine::TokenAction::Insert)].test;

    // "Suffix"
    QComboBox *&cmbSuffix = m_tokens[size_t(engine::TokenAction::Suffix)].combo;
    QGroupBox *&frmSuffixC = m_tokens[size_t(engine::TokenAction::Suffix)].counterFrame;
    QGroupBox *&frmSuffixA = m_tokens[size_t(engine::TokenAction::Suffix)].alphaFrame;
    QGroupBox *&frmSuffixR = m_tokens[size_t(engine::TokenAction::Suffix)].randomFrame;
    std::array<QLineEdit *, 6> &txtSuffixC = m_tokens[size_t(engine::TokenAction::Suffix)].counterBoxes;
    std::array<QLineEdit *, 6> &txtSuffixA = m_tokens[size_t(engine::TokenAction::Suffix)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptSACase = m_tokens[size_t(engine::TokenAction::Suffix)].caseOptions;
    QLineEdit *&Text61 = m_tokens[size_t(engine::TokenAction::Suffix)].mask;
    QPlainTextEdit *&Text60 = m_tokens[size_t(engine::TokenAction::Suffix)].help;
    QPushButton *&Command9 = m_tokens[size_t(engine::TokenAction::Suffix)].test;

    // "Prefix"
    QComboBox *&cmbPrefix = m_tokens[size_t(engine::TokenAction::Prefix)].combo;
    QGroupBox *&frmPrefixC = m_tokens[size_t(engine::TokenAction::Prefix)].counterFrame;
    QGroupBox *&frmPrefixA = m_tokens[size_t(engine::TokenAction::Prefix)].alphaFrame;
    QGroupBox *&frmPrefixR = m_tokens[size_t(engine::TokenAction::Prefix)].randomFrame;
    std::array<QLineEdit *, 6> &txtPrefixC = m_tokens[size_t(engine::TokenAction::Prefix)].counterBoxes;
    std::array<QLineEdit *, 6> &txtPrefixA = m_tokens[size_t(engine::TokenAction::Prefix)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptPACase = m_tokens[size_t(engine::TokenAction::Prefix)].caseOptions;
    QLineEdit *&Text62 = m_tokens[size_t(engine::TokenAction::Prefix)].mask;
    QPlainTextEdit *&Text63 = m_tokens[size_t(engine::TokenAction::Prefix)].help;
    QPushButton *&Command10 = m_tokens[size_t(engine::TokenAction::Prefix)].test;

    // "Length"
    QComboBox *cmbLength = nullptr;
    QGroupBox *frmLengthOpt = nullptr, *Frame4 = nullptr;
    QRadioButton *Option1 = nullptr, *Option2 = nullptr, *Option3 = nullptr;
    QLineEdit *Text37 = nullptr;
    QRadioButton *Option19 = nullptr, *Option20 = nullptr;
    QLineEdit *Text18 = nullptr, *Text19 = nullptr;

    // "Change Case"
    QRadioButton *Option37 = nullptr, *Option38 = nullptr, *Option39 = nullptr;

    // "Extension"
    QRadioButton *Option42 = nullptr, *Option41 = nullptr, *Option40 = nullptr, *Option43 = nullptr;
    QPushButton *Command3 = nullptr;
    QTabWidget *SSTab2 = nullptr;
    QGroupBox *&frmExtC = m_tokens[size_t(engine::TokenAction::Extension)].counterFrame;
    QGroupBox *&frmExtA = m_tokens[size_t(engine::TokenAction::Extension)].alphaFrame;
    std::array<QLineEdit *, 6> &txtExtC = m_tokens[size_t(engine::TokenAction::Extension)].counterBoxes;
    std::array<QLineEdit *, 6> &txtExtA = m_tokens[size_t(engine::TokenAction::Extension)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptEACase = m_tokens[size_t(engine::TokenAction::Extension)].caseOptions;

    // "Clean"
    QCheckBox *chkCAlpha = nullptr, *chkSAlpha = nullptr, *chkVowel = nullptr, *chkDigit = nullptr;
    QCheckBox *Check12 = nullptr;
    QGroupBox *Frame3 = nullptr, *Frame7 = nullptr;
    QCheckBox *Check3 = nullptr, *Check4 = nullptr, *Check5 = nullptr, *Check6 = nullptr,
              *Check7 = nullptr, *Check8 = nullptr, *Check9 = nullptr, *Check10 = nullptr,
              *Check11 = nullptr;
    QLineEdit *Text48 = nullptr;
    QRadioButton *Option4 = nullptr, *Option5 = nullptr;
    QLineEdit *Text49 = nullptr;

    // "Compose"
    QComboBox *&cmbCompose = m_tokens[size_t(engine::TokenAction::Compose)].combo;
    QPushButton *Command15 = nullptr;
    QGroupBox *&frmComposeC = m_tokens[size_t(engine::TokenAction::Compose)].counterFrame;
    QGroupBox *&frmComposeA = m_tokens[size_t(engine::TokenAction::Compose)].alphaFrame;
    QGroupBox *&frmComposeR = m_tokens[size_t(engine::TokenAction::Compose)].randomFrame;
    std::array<QLineEdit *, 6> &txtComposeC = m_tokens[size_t(engine::TokenAction::Compose)].counterBoxes;
    std::array<QLineEdit *, 6> &txtComposeA = m_tokens[size_t(engine::TokenAction::Compose)].alphaBoxes;
    std::array<QRadioButton *, 2> &OptComACase = m_tokens[size_t(engine::TokenAction::Compose)].caseOptions;
    QLineEdit *&Text3 = m_tokens[size_t(engine::TokenAction::Compose)].mask;
    QPlainTextEdit *&Text2 = m_tokens[size_t(engine::TokenAction::Compose)].help;
    QPushButton *&Command11 = m_tokens[size_t(engine::TokenAction::Compose)].test;
    DragListBox *lstCompose = nullptr;
    QPushButton *cmdCUp = nullptr, *cmdCDown = nullptr, *cmdDel = nullptr;

    /** The Clean panel's keep boxes Check3 to Check11, in order. */
    std::array<QCheckBox *, 9> keepChecks() const;
    /** The thirteen panels in the order of the actions when the window opens. */
    std::array<QGroupBox *, 13> panels() const;

signals:
    /** "&File Selection": the main window comes back (normal state, centred, shown). */
    void fileSelectionRequested();
    /** "On Top" was ticked: the other windows' on-top boxes are to be cleared. */
    void onTopChecked();
    /** "&Manage": the rename configurations manager is to be shown. */
    void manageRequested();
    /** "Replace Options": the string replace-list dialog is to be shown. */
    void replaceOptionsRequested();
    /** "Replace With": the extension replace-list dialog is to be shown. */
    void extensionReplaceRequested();
    /** A token combo's date, time, picture or music item was chosen; the window opens its
     *  picker under `combo` when it has the token pickers. */
    void tokenPickerRequested(const QString &item, QComboBox *combo);
    /** After a rename: the main list is to show these files, all checked. */
    void mainListRefreshRequested(const std::vector<engine::MainListFile> &files);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /** Marks a long operation: while it runs, the commands that would change the rows it walks
     *  (refresh, clear, sort, editing, a second run) are disabled. */
    class RunGuard {
    public:
        explicit RunGuard(frmRenamer &form) : m_form(form) { m_form.setRunning(true); }
        ~RunGuard() { m_form.setRunning(false); }
        RunGuard(const RunGuard &) = delete;
        RunGuard &operator=(const RunGuard &) = delete;

    private:
        frmRenamer &m_form;
    };
    void Form_Load();
    void Form_Unload();
    void buildFrame();
    void buildPanels();
    void buildReplacePanels();
    void buildInsertPanel();
    void buildAffixPanels();
    void buildLengthCasePanels();
    void buildExtensionPanel();
    void buildCleanPanel();
    void buildComposePanel();
    void buildTokenField(engine::TokenAction action, QWidget *parent, Twips comboAt,
                         Twips framesAt);
    void buildCounterFrames(engine::TokenAction action, QWidget *counterParent,
                            QWidget *alphaParent, Twips at);
    void buildRandomFrame(engine::TokenAction action, QWidget *parent, Twips at);
    void setupConnections();
    void setupGrid();
    void setGridColumnWidths();
    void LoadPictureTakenDates();
    void fillGrid(bool withProgress);
    void setRunning(bool on);
    void readPanels(engine::RenameSettings &settings) const;

    AppState &m_app;
    std::unique_ptr<engine::MetadataSource> m_ownMetadata;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<RandomSource> m_ownRandom;
    engine::RenameEngine m_engine;
    engine::PreviewTable m_rows;
    std::unique_ptr<PreviewGridSource> m_gridSource;
    FormLayout m_layout;
    const MainFileList *m_mainList = nullptr;
    TokenPickers *m_pickers = nullptr;
    QPointer<frmLog> m_log;

    engine::RenameSettings m_runSettings;
    bool m_settingsDirty = false;
    bool m_previewRunning = false;
    bool m_busy = false;
    bool m_refreshPending = false;
    bool m_pictureDatesLoaded = false;
    float m_progressMax = 100;
    float m_progressValue = 0;
    int m_progressFilled = -1;  ///< the width of the bar's filled part at its last repaint
    common::Pacer m_yieldPacer;     ///< the message loop's turns in long runs
    common::Pacer m_progressPacer;  ///< the progress bar's repaints
};

} // namespace renamewin

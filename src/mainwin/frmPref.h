#pragma once
/**
 * The preferences dialog "Morvane - Preferences". Its check boxes hold the rename and view
 * preferences; four settings (lines 1 to 4 of the settings file) live only in its controls, so
 * the main window keeps it loaded, hidden, for its whole life.
 *
 * "Loaded" is the dialog's own state, apart from being shown: Unload() hides it and forgets
 * its control values, and every member that reads the controls loads it again first (from the
 * program-wide variables and the settings file), as a form loads on first use.
 */
#include "SettingsFile.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;
struct AppState;

namespace mainwin {

class frmPref : public QDialog {
    Q_OBJECT
public:
    explicit frmPref(AppState &state, QWidget *parent = nullptr);

    /** Where the settings file is read and written: "Trevalle.ini" in the program folder. */
    QString settingsPath() const { return SettingsFilePath(); }
    /** Supplies the main window's part of the settings file (selected folder, file-type text). */
    void setWindowStateSource(std::function<SettingsFileWindow()> source) { m_windowState = std::move(source); }

    bool IsLoaded() const { return m_loaded; }
    /** Runs Form_Load when the dialog is not loaded. */
    void EnsureLoaded();
    /** Hides the dialog and marks it unloaded; the next use loads it again. */
    void Unload();
    /** Loads the dialog when needed and shows it modeless. */
    void ShowModeless();

    /** The four file-backed settings as the controls hold them (loads the dialog). */
    SettingsFileControls FileControls();
    /** `OptSort(1)`: names sort by magnitude (loads the dialog). */
    bool SortByMagnitude();

    /** Reads the settings file into the four file-backed controls. */
    void ReadSettingsFile();
    /** Writes the settings file from the controls, the main window and the variables. */
    vb::Status WriteSettingsFile();
    /** "OK": the controls go into the variables, the file is written, the dialog unloads. */
    void SaveSettings();

    // Controls, under their own names.
    QTabWidget *SSTab1 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QCheckBox *Check12 = nullptr;
    QCheckBox *Check11 = nullptr;
    QCheckBox *Check9 = nullptr;
    QCheckBox *Check8 = nullptr;
    QCheckBox *Check7 = nullptr;
    QCheckBox *Check5 = nullptr;
    QCheckBox *Check4 = nullptr;
    QCheckBox *Check3 = nullptr;
    QCheckBox *Check2 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QCheckBox *Check6 = nullptr;
    QCheckBox *Check21 = nullptr;
    QCheckBox *Check19 = nullptr;
    QCheckBox *Check1 = nullptr;
    QCheckBox *Check10 = nullptr;
    QGroupBox *Frame2 = nullptr;
    /** `OptSort[0]` "Alphabetically", `OptSort[1]` "By Magnitude (Ignoring pre-zeros)". */
    QRadioButton *OptSort[2] = {};
    QCheckBox *chkBkr = nullptr;
    QCheckBox *chkMainMax = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;

signals:
    /** SaveSettings has copied the controls into the variables (the main list's
     *  ClearOnDragDrop follows `ClearOnFolderDrop`). */
    void PreferencesSaved();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void setupConnections();
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Check10_Click();
    void SetFileControls(const SettingsFileControls &controls);

    AppState &m_state;
    std::function<SettingsFileWindow()> m_windowState;
    bool m_loaded = false;
};

} // namespace mainwin

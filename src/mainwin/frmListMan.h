#pragma once
/**
 * The file-list manager "File Lists": keeps the checked rows of the main list as named lists
 * in the program folder, loads a chosen list into the main list and deletes lists. A right
 * click on the names pops up "Load Selected" and "Delete"; the Delete key deletes too.
 */
#include <QWidget>

class QAction;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
struct AppState;

namespace mainwin {

class frmMain;

class frmListMan : public QWidget {
    Q_OBJECT
public:
    /** Loads the window: the names of the stored lists fill list1. */
    frmListMan(AppState &state, frmMain &main);

    QGroupBox *Frame1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;  ///< "Save File List"
    QListWidget *list1 = nullptr;
    QPushButton *Command2 = nullptr;  ///< "Load Selected File List"
    QPushButton *Command4 = nullptr;  ///< "OK"
    QPushButton *Command3 = nullptr;  ///< "Close"
    QMenu *mnuEdit = nullptr;
    QAction *mnuLoad = nullptr;
    QAction *mnuDelete = nullptr;

    /** Saves the checked rows of the main list under the name in Text1. */
    void SaveNamedList();
    /** Loads the selected list into the main list. */
    void LoadNamedList();
    void Command1_Click() { SaveNamedList(); }
    void Command2_Click() { LoadNamedList(); }
    void Command3_Click();
    void Command4_Click();
    void mnuLoad_Click() { LoadNamedList(); }
    void mnuDelete_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    QString SelectedName() const;
    int MsgBox(const QString &prompt, int buttons, const QString &title);

    AppState &m_state;
    frmMain &m_main;
};

} // namespace mainwin

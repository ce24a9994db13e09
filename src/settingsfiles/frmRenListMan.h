#pragma once
/**
 * The rename configurations manager "Rename Configurations Manager": lists the configurations
 * of the configuration folder, saves the rename window's current settings under a new or
 * existing name, loads a listed configuration back into the rename window, and deletes
 * configurations (Delete key or the list's pop-up menu). The rename window must outlive it.
 */
#include "FormLayout.h"

#include <QWidget>

class QAction;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace renamewin {
class frmRenamer;
}

namespace settingsfiles {

class frmRenListMan : public QWidget {
    Q_OBJECT
public:
    /** Builds the window for `renamer` and fills the list from the configuration folder
     *  (Form_Load). The window is a top-level window of its own and deletes itself when it
     *  closes. */
    explicit frmRenListMan(renamewin::frmRenamer &renamer);

    // Handlers, public as the other windows' are.
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void list1_Click();
    void list1_KeyDown(int keyCode);
    /** A mouse button went down on the list (`button` 1 left, 2 right) at `globalPos`. */
    void list1_MouseDown(int button, QPoint globalPos);
    void mnuLoad_Click();
    void mnuDelete_Click();

    QListWidget *list1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QMenu *mnuEdit = nullptr;
    QAction *mnuLoad = nullptr;
    QAction *mnuDelete = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void setupConnections();
    void SaveRenameConfig();
    void LoadRenameConfig();
    void DeleteRenameConfig();
    /** The row of the selected entry, -1 when none is. */
    int selectedRow() const;
    /** Takes the entry at `row` out of the list; when it was the selected one, none is. */
    void removeEntry(int row);
    int MsgBox(const QString &prompt, int buttons, const QString &title);

    renamewin::frmRenamer &m_renamer;
    renamewin::FormLayout m_layout;
};

} // namespace settingsfiles

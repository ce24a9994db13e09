#pragma once
/**
 * The bookmark-name dialog: asks for the name of the bookmark that "+" adds for the folder
 * selected in the main window's tree. "Don't Ask Names" stores the default name and turns the
 * question off for later bookmarks (the preference "Always ask for Bookmark Names." follows
 * it). Enter anywhere in the dialog acts as "OK".
 */
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
struct AppState;

namespace mainwin {

class frmMain;

class frmBName : public QDialog {
    Q_OBJECT
public:
    frmBName(AppState &state, frmMain &main);

    QLineEdit *txtBName = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *Command1 = nullptr;

    void Check1_Click();
    /** "OK": bookmarks the tree's selected folder (unless it is bookmarked already) and closes. */
    void Command1_Click();

private:
    AppState &m_state;
    frmMain &m_main;
};

} // namespace mainwin

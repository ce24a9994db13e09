#pragma once
/**
 * The two replace-list dialogs of a rename window. "Replace Options" shows the string dialog and
 * "Replace With" the extension dialog, modeless and without an owner: the first showing loads a
 * dialog from its table, later ones only bring it up. OK, Cancel and the close box unload a
 * dialog; so do the rename window's unloading (the instance is the rename window's child) and
 * Unload().
 *
 * The token fields of both dialogs open the program's token pickers; "$Random String$" opens
 * the random-mask picker there.
 *
 * The on-top boxes: ticking either dialog's box clears the main window's and the rename
 * window's; ticking one of those clears the string dialog's (the extension dialog's box is left
 * alone).
 */
#include <QObject>
#include <QPointer>
#include <vector>

struct AppState;

namespace mainwin {
class frmMain;
}
namespace renamewin {
class frmRenamer;
class TokenPickers;
}

namespace replacelists {

class frmSReplace;
class frmExtReplace;

class ReplaceListDialogs : public QObject {
    Q_OBJECT
public:
    /** Connects `renamer`'s two buttons and on-top box, `main`'s on-top box and unloading when
     *  given, and the token fields to `pickers` when given (not owned; they outlive the
     *  rename window). */
    ReplaceListDialogs(AppState &app, renamewin::frmRenamer &renamer, mainwin::frmMain *main = nullptr,
                       renamewin::TokenPickers *pickers = nullptr);
    ~ReplaceListDialogs() override;

    /** Loads the string dialog when it is not loaded, then shows it and brings it up. */
    void ShowStrings();
    /** The same for the extension dialog. */
    void ShowExtensions();
    /** Closes both dialogs without storing anything, and deletes those closed already. */
    void Unload();

    /** The dialogs while they are loaded, else null. */
    frmSReplace *strings() const;
    frmExtReplace *extensions() const;

private:
    void connectDialog(frmSReplace *dialog);
    /** Another window took the on-top place: the string dialog's box is cleared. */
    void onTopTaken();

    AppState &m_app;
    renamewin::frmRenamer &m_renamer;
    QPointer<mainwin::frmMain> m_main;
    renamewin::TokenPickers *m_pickers;
    QPointer<frmSReplace> m_strings;
    QPointer<frmExtReplace> m_extensions;
    /** Dialogs closed but not deleted yet. */
    std::vector<QPointer<frmSReplace>> m_closed;
};

} // namespace replacelists

#pragma once
/**
 * The one configurations manager of a rename window. The window's "&Manage" shows it, not
 * modal and without an owner: the first showing loads it (its list is filled from the folder),
 * later ones only bring it up. "Close" unloads it; so does the rename window's unloading (the
 * instance is the rename window's child) and Unload().
 */
#include <QObject>
#include <QPointer>

namespace renamewin {
class frmRenamer;
}

namespace settingsfiles {

class frmRenListMan;

class RenListManInstance : public QObject {
    Q_OBJECT
public:
    /** Connects `renamer`'s "&Manage" to Show(); the instance lives as `renamer`'s child. */
    explicit RenListManInstance(renamewin::frmRenamer &renamer);
    ~RenListManInstance() override;

    /** Loads the manager when it is not loaded, then shows it and brings it up. */
    void Show();
    /** Closes the manager when it is loaded. */
    void Unload();
    /** The manager while it is loaded, else null. */
    frmRenListMan *window() const;

private:
    renamewin::frmRenamer &m_renamer;
    QPointer<frmRenListMan> m_window;
};

} // namespace settingsfiles

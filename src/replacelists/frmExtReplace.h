#pragma once
/**
 * "Replace File Extensions": the string replace-list dialog on the extension table
 * AppState::ExtReplaceList, with a second view for the replace-all-extensions mode. "Replace all
 * extensions" (`Check2`) switches between the grid and one extension for every file
 * (`cmbExtAll`). The dialog opens in the mode AppState::ReplaceAllExt holds; "OK" stores the
 * mode (ReplaceAllExt), the extension (ReplaceAllExtTo) and the list, and refuses an empty
 * extension for the replace-all mode, which would take every file's extension away.
 */
#include "frmSReplace.h"

class QLabel;

namespace replacelists {

class frmExtReplace : public frmSReplace {
    Q_OBJECT
public:
    /** Builds the dialog and loads it from the extension table and the replace-all mode. */
    explicit frmExtReplace(AppState &app);

    void Check2_Click();

    QCheckBox *Check2 = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *cmbExtAll = nullptr;

protected:
    bool refuseOK() override;
    void storeMore() override;
};

} // namespace replacelists

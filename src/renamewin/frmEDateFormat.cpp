#include "frmEDateFormat.h"

#include "AppState.h"

#include <QComboBox>

namespace renamewin {

frmEDateFormat::frmEDateFormat(AppState &app, TokenPickers &pickers)
    : FormatPicker(app, pickers, PickerKind::PictureDate,
                   QStringLiteral("Select Picture taken Date/Time Format"), pictureDateItems(),
                   &AppState::DateFormatText)
{
    setObjectName(QStringLiteral("frmEDateFormat"));
}

void frmEDateFormat::Command1_Click()
{
    // The format shown selected is written as choosing it would write it; after a choice, or
    // with no format shown, "OK" only closes.
    if (m_chosen || cmbFirst->currentText().isEmpty())
        close();
    else
        FormatPicker::Command1_Click();
}

} // namespace renamewin

#include "frmEDateFormat.h"

#include "AppState.h"

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
    close();
}

} // namespace renamewin

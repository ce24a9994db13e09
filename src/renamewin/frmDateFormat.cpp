#include "frmDateFormat.h"

#include "AppState.h"

namespace renamewin {

frmDateFormat::frmDateFormat(AppState &app, TokenPickers &pickers)
    : FormatPicker(app, pickers, PickerKind::Date, QStringLiteral("Select Date Format"), dateFormatItems(),
                   &AppState::DateFormatText)
{
    setObjectName(QStringLiteral("frmDateFormat"));
}

} // namespace renamewin

#include "frmTimeFormat.h"

#include "AppState.h"

namespace renamewin {

frmTimeFormat::frmTimeFormat(AppState &app, TokenPickers &pickers)
    : FormatPicker(app, pickers, PickerKind::Time, QStringLiteral("Select Time Format"), timeFormatItems(),
                   &AppState::TimeFormatText)
{
    setObjectName(QStringLiteral("frmTimeFormat"));
}

} // namespace renamewin

#pragma once
/** The time picker: the time formats of the current or modified time, or of the picture's time. */
#include "FormatPicker.h"

namespace renamewin {

class frmTimeFormat : public FormatPicker {
    Q_OBJECT
public:
    frmTimeFormat(AppState &app, TokenPickers &pickers);
};

} // namespace renamewin

#pragma once
/** The date picker: the date formats of the current or modified date, or of the picture's date. */
#include "FormatPicker.h"

namespace renamewin {

class frmDateFormat : public FormatPicker {
    Q_OBJECT
public:
    frmDateFormat(AppState &app, TokenPickers &pickers);
};

} // namespace renamewin

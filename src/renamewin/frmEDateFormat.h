#pragma once
/**
 * The picture-date picker: opened by the EXIF picker for "DateTime", it refines the picture's
 * date token ("$Exif_date_" and a date or time word). It shares the remembered text with the date
 * picker; its "OK" only closes.
 */
#include "FormatPicker.h"

namespace renamewin {

class frmEDateFormat : public FormatPicker {
    Q_OBJECT
public:
    frmEDateFormat(AppState &app, TokenPickers &pickers);
    void Command1_Click() override;
};

} // namespace renamewin

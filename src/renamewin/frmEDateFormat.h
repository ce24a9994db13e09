#pragma once
/**
 * The picture-date picker: opened by the EXIF picker for "DateTime", it refines the picture's
 * date token ("$Exif_date_" and a date or time word). It shares the remembered text with the date
 * picker. Its "OK" writes the format shown when nothing was chosen since the picker opened (or
 * since the EXIF picker wrote its default picture date again), and closes.
 */
#include "FormatPicker.h"

namespace renamewin {

class frmEDateFormat : public FormatPicker {
    Q_OBJECT
public:
    frmEDateFormat(AppState &app, TokenPickers &pickers);
    void Command1_Click() override;
    /** The EXIF picker wrote its default picture date: the format shown is not in the field. */
    void defaultDateWritten() { m_chosen = false; }
};

} // namespace renamewin

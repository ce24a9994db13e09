#pragma once
/**
 * The EXIF field picker "Select Exif Data": picking a tag writes "$Exif_" and the tag name.
 * "DateTime" instead opens the picture-date picker, marks the picture date as chosen
 * (AppState::ExifDateChosen) and writes a first picture-date token. The load step selects the
 * tag at which the picker last closed (AppState::LastListIndex); "OK" or a double-click writes
 * it.
 */
#include "TagListPicker.h"

namespace renamewin {

class formSelExif : public TagListPicker {
    Q_OBJECT
public:
    formSelExif(AppState &app, TokenPickers &pickers);

    void list1_Click() override;
    void list1_DblClick() override;

protected:
    void load() override;
    void afterUnload() override;

private:
    void pick(bool markDateChosen);
};

} // namespace renamewin

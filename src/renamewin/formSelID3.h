#pragma once
/**
 * The MP3 field picker "Select MP3 Data": picking a field writes "$MP3_ID3_" and the field name.
 * It remembers its own last field (AppState::LastID3ListIndex) and shows it selected again when
 * it opens, without writing it: only a pick writes.
 */
#include "TagListPicker.h"

namespace renamewin {

class formSelID3 : public TagListPicker {
    Q_OBJECT
public:
    formSelID3(AppState &app, TokenPickers &pickers);

    void list1_Click() override;
    void list1_DblClick() override;

protected:
    void load() override;
    void afterUnload() override;
};

} // namespace renamewin

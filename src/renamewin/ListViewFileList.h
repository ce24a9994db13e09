#pragma once
/** The main window's file list as the rename window's grid fills read it. */
#include "MainFileList.h"

namespace filelist {
class ListItemsModel;
}

namespace renamewin {

class ListViewFileList : public MainFileList {
public:
    /** Reads the rows of `items` (not owned; it must outlive this object). */
    explicit ListViewFileList(const filelist::ListItemsModel &items) : m_items(items) {}

    int32_t Count() const override;
    MainListItem Item(int32_t index) const override;

private:
    const filelist::ListItemsModel &m_items;
};

} // namespace renamewin

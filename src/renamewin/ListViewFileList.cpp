#include "ListViewFileList.h"

#include "ListItemsModel.h"

namespace renamewin {

int32_t ListViewFileList::Count() const
{
    return m_items.Count();
}

MainListItem ListViewFileList::Item(int32_t index) const
{
    if (!m_items.Exists(index))
        return {};
    const filelist::ListItem &item = m_items.Item(index);
    return {item.Text, item.SubItems(1), item.SubItems(3), m_items.Checked(index)};
}

} // namespace renamewin
